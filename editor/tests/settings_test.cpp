// The options in the registry, and the file-name rules of documents.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "editor/DocFiles.h"
#include "editor/Settings.h"
#include "framework/core/SysUtils.h"
#include "framework/win/IniFiles.h"

using namespace vx;

namespace {

struct SettingsTest : ::testing::Test {
  void SetUp() override { TRegIniFile::DeleteUserKey(VornixRegKey); }
  void TearDown() override { TRegIniFile::DeleteUserKey(VornixRegKey); }
  int CountValues() {
    TRegIniFile reg(VornixRegKey);
    int n = 0;
    for (const char* sec : {"Window", "ExtBrowser", "Dialog", "Editor", "Browser"}) {
      TStringList names;
      reg.ReadSection(sec, names);
      n += names.Count();
    }
    return n;
  }
};

}  // namespace

TEST_F(SettingsTest, EmptyRegistryGivesDefaultsAndAllValuesAreWrittenAtTheEnd) {
  {
    TSettings s;
    EXPECT_TRUE(s.MainTB());
    EXPECT_TRUE(s.UseDDE2());
    EXPECT_EQ(s.Browser(), "");
    EXPECT_EQ(s.DocExt(), "html");
    EXPECT_EQ(s.DocFilter(), "HTML files (*.html)|*.html|HTM Files (*.htm)|*.htm|All Files|*.*");
    EXPECT_EQ(s.ImgFilter(), "JPeg Images (*.jpg)|*.jpg|Gif Images (*.gif)|*.gif|All Images|*.*");
    EXPECT_EQ(s.Font(), "Courier New");
    EXPECT_EQ(s.FontSize(), 10);
    EXPECT_EQ(s.Syntax(), 32768);
    EXPECT_EQ(s.Comment(), 128);
    EXPECT_EQ(s.Quoted(), 16711680);
    EXPECT_EQ(s.BG(), 16777215);
    EXPECT_EQ(s.HTab(), 3);
    EXPECT_FALSE(s.Mac());
    EXPECT_FALSE(s.Unix());
    EXPECT_TRUE(s.CreateBAK());
    EXPECT_TRUE(s.AutoIndent());
    EXPECT_EQ(s.BrowserBG(), -2147483633);
    EXPECT_EQ(s.BrowserFont(), "Arial");
    EXPECT_EQ(s.BrowserFontSize(), 8);
    EXPECT_EQ(s.PreFont(), "Courier");
    EXPECT_EQ(CountValues(), 0);  // nothing is written before the end
  }
  EXPECT_EQ(CountValues(), 32);
  TRegIniFile reg(VornixRegKey);
  EXPECT_EQ(reg.ReadString("Browser", "BG", ""), "-2147483633");
  EXPECT_EQ(reg.ReadString("Editor", "FontSize", ""), "10");
  EXPECT_EQ(reg.ReadString("Dialog", "DocExt", ""), "html");
}

TEST_F(SettingsTest, ChangedValuesComeBackAtTheNextStart) {
  {
    TSettings s;
    s.SetBrowser("C:\\Program Files\\Web\\browse.exe");
    s.SetUseDDE(false);
    s.SetFontSize(14);
    s.SetBG(0x00C0FFEE);
    s.SetBrowserBG(clWindow);
    s.SetDefaultDir("C:\\web");
    s.SetUnix(true);
    s.SetDocFilter("Pages|*.htm;*.shtml");
  }
  TSettings s;
  EXPECT_EQ(s.Browser(), "C:\\Program Files\\Web\\browse.exe");
  EXPECT_FALSE(s.UseDDE());
  EXPECT_TRUE(s.UseDDE2());
  EXPECT_EQ(s.FontSize(), 14);
  EXPECT_EQ(s.BG(), 0x00C0FFEE);
  EXPECT_EQ(s.BrowserBG(), clWindow);
  EXPECT_EQ(s.DefaultDir(), "C:\\web");
  EXPECT_TRUE(s.Unix());
  EXPECT_EQ(s.DocFilter(), "Pages|*.htm;*.shtml");
}

TEST_F(SettingsTest, OutOfRangeAndUnreadableValuesOnLoading) {
  {
    TRegIniFile reg(VornixRegKey);
    reg.WriteString("Editor", "HTab", "0");
    reg.WriteString("Editor", "FontSize", "500");
    reg.WriteString("Browser", "FontSize", "-3");
    reg.WriteString("Editor", "Syntax", "0x0000FF");
    reg.WriteString("Editor", "Quoted", "blue");
  }
  {
    TSettings s;
    EXPECT_EQ(s.HTab(), TSettings::MinTab);
    EXPECT_EQ(s.FontSize(), TSettings::MaxFontSize);
    EXPECT_EQ(s.BrowserFontSize(), TSettings::MinFontSize);
    EXPECT_EQ(s.Syntax(), 0xFF);
    EXPECT_EQ(s.Quoted(), 16711680);  // unreadable: the default
  }
  TRegIniFile reg(VornixRegKey);
  reg.WriteString("Editor", "HTab", "256");
  TSettings s;
  EXPECT_EQ(s.HTab(), TSettings::MaxTab);
}

// Values of the wrong type or of any size, as another program or a damaged hive leaves
// them: each such option starts at its default.
TEST_F(SettingsTest, ValuesOfAnyTypeOrSizeGiveTheDefault) {
  auto put = [](const char* section, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY k = nullptr;
    std::string path = std::string(VornixRegKey) + "\\" + section;
    RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr);
    RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(k);
  };
  const unsigned char junk[] = {0xFF, 0x00, 0x7F, 0x80};
  const std::string huge(300000, 'W');
  const DWORD fourteen = 14, minusOne = 0xFFFFFFFF;
  put("Editor", "FontColor", REG_BINARY, junk, sizeof junk);
  put("Editor", "Font", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
  put("Editor", "FontSize", REG_DWORD, &fourteen, sizeof fourteen);  // the system's own number type
  put("Editor", "BG", REG_DWORD, &minusOne, sizeof minusOne);         // no colour at all
  put("Editor", "WordWrap", REG_BINARY, junk, sizeof junk);
  put("Dialog", "DocFilter", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() + 1));
  put("Browser", "HotSpot", REG_SZ, "0x7FFFFFFF", 11);
  put("Browser", "FontSize", REG_SZ, "99999999999", 12);
  put("ExtBrowser", "Browser", REG_MULTI_SZ, "a\0b\0", 5);
  TSettings s;
  EXPECT_EQ(s.FontColor(), 0);
  EXPECT_EQ(s.Font(), "Courier New");
  EXPECT_EQ(s.FontSize(), 14);
  EXPECT_EQ(s.BG(), 16777215);
  EXPECT_TRUE(s.WordWrap());
  EXPECT_EQ(s.DocFilter(), "HTML files (*.html)|*.html|HTM Files (*.htm)|*.htm|All Files|*.*");
  EXPECT_EQ(s.HotSpot(), 16711680);
  EXPECT_EQ(s.BrowserFontSize(), 8);
  EXPECT_EQ(s.Browser(), "");
}

TEST(DocFiles, ExtensionTestMatchesWholeExtensionsOnly) {
  const AnsiString f = "HTML files (*.html)|*.html|HTM Files (*.htm)|*.htm|All Files|*.*";
  EXPECT_TRUE(IsDocumentFile("C:\\w\\a.htm", f));
  EXPECT_TRUE(IsDocumentFile("C:\\w\\c.HTML", f));
  EXPECT_FALSE(IsDocumentFile("C:\\w\\b.txt", f));
  EXPECT_FALSE(IsDocumentFile("C:\\w\\noext", f));
  EXPECT_FALSE(IsDocumentFile("C:\\w\\dot.", f));
  EXPECT_FALSE(IsDocumentFile("C:\\w\\x.h", f));  // a prefix of ".html" is not an extension of it
  EXPECT_FALSE(IsDocumentFile("C:\\w\\x.ht", f));
  EXPECT_TRUE(IsDocumentFile("x.shtml", "Pages|*.htm;*.shtml"));
  EXPECT_TRUE(IsDocumentFile("x.htm", "Pages|*.htm;*.shtml"));
  EXPECT_FALSE(IsDocumentFile("x.sht", "Pages|*.htm;*.shtml"));
}

TEST(DocFiles, SameFileUnderTwoSpellings) {
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  AnsiString here = IncludeTrailingBackslash(cwd);
  EXPECT_TRUE(SameFileName(here + "Page.HTM", here + "page.htm"));
  EXPECT_TRUE(SameFileName("page.htm", here + "PAGE.htm"));
  EXPECT_TRUE(SameFileName(here + "sub\\..\\page.htm", here + "page.htm"));
  EXPECT_FALSE(SameFileName(here + "page.htm", here + "page.html"));
  EXPECT_FALSE(SameFileName("", here + "page.htm"));
}

TEST(DocFiles, BackupIsACopyWithTheExtensionReplaced) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  AnsiString page = AnsiString(dir) + "vx_backup_page.htm", bak = AnsiString(dir) + "vx_backup_page.Bak";
  SetFileAttributesA(bak.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(bak.c_str());
  TStringList text;
  text.Add("old");
  text.SaveToFile(page);
  MakeBackupFile(page);
  ASSERT_TRUE(FileExists(bak));
  EXPECT_TRUE(FileExists(page));  // the original stays until the new text replaces it
  TStringList back;
  back.LoadFromFile(bak);
  EXPECT_EQ(back.Text(), "old\r\n");
  // The next backup replaces the older one.
  text.Clear();
  text.Add("newer");
  text.SaveToFile(page);
  MakeBackupFile(page);
  back.LoadFromFile(bak);
  EXPECT_EQ(back.Text(), "newer\r\n");
  DeleteFileA(bak.c_str());
  DeleteFileA(page.c_str());
  MakeBackupFile(page);  // no file: nothing happens
  EXPECT_FALSE(FileExists(bak));
}
