// The registry and INI stores against the real registry and real INI files.
#include "framework/win/IniFiles.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <memory>

#include "framework/core/Classes.h"
#include "framework/core/tests/TestFiles.h"
#include "framework/core/tests/WholeFileWatch.h"

namespace vx {
namespace {

std::string WindowsFolderFile(const std::string& name) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

// Each store kind under its own name, removed before and after.
class IniStoreTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    Remove();
    if (GetParam())
      store_ = std::make_unique<TRegIniFile>(kKey);
    else
      store_ = std::make_unique<TIniFile>(kIni);
  }
  void TearDown() override {
    store_.reset();
    Remove();
  }
  void Remove() {
    TRegIniFile::DeleteUserKey(kKey);
    DeleteFileA(WindowsFolderFile(kIni).c_str());
  }
  void Reopen() {
    store_.reset();
    if (GetParam())
      store_ = std::make_unique<TRegIniFile>(kKey);
    else
      store_ = std::make_unique<TIniFile>(kIni);
  }
  static constexpr const char* kKey = "Software\\VxTestIniStore";
  static constexpr const char* kIni = "vxinistoretest.ini";
  std::unique_ptr<TCustomIniFile> store_;
};

TEST_P(IniStoreTest, StringsIntegersAndBooleansSurviveReopen) {
  store_->WriteString("Main", "Name", "hello world");
  store_->WriteString("Main", "Empty", "");
  store_->WriteInteger("Main", "Neg", -42);
  store_->WriteInteger("Other", "Big", 2147483647);
  store_->WriteBool("Main", "On", true);
  store_->WriteBool("Main", "Off", false);
  Reopen();
  EXPECT_EQ(store_->ReadString("Main", "Name", "x"), "hello world");
  EXPECT_EQ(store_->ReadString("Main", "Empty", "x"), "");
  EXPECT_EQ(store_->ReadString("Main", "Missing", "dflt"), "dflt");
  EXPECT_EQ(store_->ReadString("NoSection", "Name", "dflt"), "dflt");
  EXPECT_EQ(store_->ReadInteger("Main", "Neg", 0), -42);
  EXPECT_EQ(store_->ReadInteger("Other", "Big", 0), 2147483647);
  EXPECT_TRUE(store_->ReadBool("Main", "On", false));
  EXPECT_FALSE(store_->ReadBool("Main", "Off", true));
  EXPECT_TRUE(store_->ReadBool("Main", "Missing", true));
  // Integers are stored as decimal text.
  EXPECT_EQ(store_->ReadString("Main", "Neg", ""), "-42");
  EXPECT_EQ(store_->ReadString("Main", "On", ""), "1");
}

TEST_P(IniStoreTest, IntegerTextRules) {
  store_->WriteString("S", "Hex", "0x1F");
  store_->WriteString("S", "HexUpper", "0XfF");
  store_->WriteString("S", "HexAll", "0xFFFFFFFF");
  store_->WriteString("S", "Bare0x", "0x");
  store_->WriteString("S", "Word", "abc");
  store_->WriteString("S", "Trail", "12z");
  store_->WriteString("S", "Dollar", "$10");
  EXPECT_EQ(store_->ReadInteger("S", "Hex", 0), 31);
  EXPECT_EQ(store_->ReadInteger("S", "HexUpper", 0), 255);
  EXPECT_EQ(store_->ReadInteger("S", "HexAll", 0), -1);
  EXPECT_EQ(store_->ReadInteger("S", "Bare0x", 7), 7);
  EXPECT_EQ(store_->ReadInteger("S", "Word", 7), 7);
  EXPECT_EQ(store_->ReadInteger("S", "Trail", 7), 7);
  EXPECT_EQ(store_->ReadInteger("S", "Dollar", 7), 7);
  EXPECT_EQ(store_->ReadInteger("S", "Missing", 9), 9);
}

TEST_P(IniStoreTest, SectionsListEraseAndDelete) {
  store_->WriteString("A", "one", "1");
  store_->WriteString("A", "two", "2");
  store_->WriteString("B", "three", "3");
  TStringList names, values;
  store_->ReadSection("A", names);
  ASSERT_EQ(names.Count(), 2);
  EXPECT_NE(names.IndexOf("one"), -1);
  EXPECT_NE(names.IndexOf("two"), -1);
  store_->ReadSectionValues("A", values);
  EXPECT_EQ(values.Values("two"), "2");
  EXPECT_TRUE(store_->SectionExists("A"));
  EXPECT_TRUE(store_->ValueExists("A", "one"));
  EXPECT_FALSE(store_->ValueExists("A", "three"));

  store_->DeleteKey("A", "one");
  EXPECT_FALSE(store_->ValueExists("A", "one"));
  EXPECT_EQ(store_->ReadString("A", "two", ""), "2");

  store_->EraseSection("A");
  Reopen();
  EXPECT_FALSE(store_->SectionExists("A"));
  EXPECT_EQ(store_->ReadString("A", "two", "gone"), "gone");
  EXPECT_EQ(store_->ReadString("B", "three", ""), "3");
  store_->ReadSection("A", names);
  EXPECT_EQ(names.Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Stores, IniStoreTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Registry" : "IniFile"; });

TEST(RegIniFile, SectionsAreSubkeysOfTheUserKey) {
  const char* key = "Software\\VxTestRegLayout";
  TRegIniFile::DeleteUserKey(key);
  {
    TRegIniFile reg(key);
    reg.WriteString("Main", "NormPos", "1,2,3,4");
    reg.WriteInteger("Main", "Flags", 0);
  }
  HKEY k = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VxTestRegLayout\\Main", 0, KEY_READ, &k), ERROR_SUCCESS);
  char buf[64] = {};
  DWORD type = 0, size = sizeof buf;
  EXPECT_EQ(RegQueryValueExA(k, "Flags", nullptr, &type, reinterpret_cast<BYTE*>(buf), &size), ERROR_SUCCESS);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(buf, "0");
  RegCloseKey(k);
  EXPECT_TRUE(TRegIniFile::DeleteUserKey(key));
}

TEST(IniFile, BareNameLiesInWindowsFolderAsKeyValueLines) {
  const char* name = "vxinilayout.ini";
  std::string path = WindowsFolderFile(name);
  DeleteFileA(path.c_str());
  {
    TIniFile ini(name);
    ini.WriteString("HelpView", "Flags", "0");
    ini.WriteString("HelpView", "Long", std::string(2000, 'q'));
  }
  TStringList lines;
  lines.LoadFromFile(path);
  EXPECT_NE(lines.IndexOf("[HelpView]"), -1);
  EXPECT_NE(lines.IndexOf("Flags=0"), -1);
  {
    // Values come back through a 1024-byte buffer.
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("HelpView", "Long", "").size(), 1023u);
  }
  DeleteFileA(path.c_str());
}

// Another program reading an INI file again and again while stores write it finds it at
// every moment, whole as one store left it; a store that only reads writes nothing.
TEST(IniFile, AFileBeingWrittenIsAlwaysThereWhole) {
  const char* name = "vxiniwatch.ini";
  const std::string path = WindowsFolderFile(name);
  DeleteFileA(path.c_str());
  const std::vector<std::string> values = {std::string(8000, 'a'), std::string(12000, 'b')};
  std::vector<std::string> texts;
  for (const std::string& v : values) {
    TIniFile ini(name);
    ini.WriteString("HelpView", "Top", "1");
    ini.WriteString("HelpView", "Text", v);
    ini.WriteString("HelpView", "Left", "2");
    ini.UpdateFile();
    texts.push_back(Slurp(path));
  }
  ASSERT_NE(texts[0].find(values[0]), std::string::npos);
  const TWatchResult r = SaveUnderWatch(path, texts, 3000, [&](size_t i) {
    TIniFile ini(name);
    ini.WriteString("HelpView", "Top", "1");
    ini.WriteString("HelpView", "Text", values[i]);
    ini.WriteString("HelpView", "Left", "2");
    EXPECT_EQ(ini.ReadString("HelpView", "Text", "").size(), 1023u);
  });
  EXPECT_EQ(r.missing, 0) << "no file at the name " << r.missing << " times in " << r.checks << " looks";
  EXPECT_EQ(r.torn, 0) << "a file not whole " << r.torn << " times in " << r.checks << " looks, " << r.saves
                       << " stores";
  {
    TIniFile ini(name);
    EXPECT_EQ(ini.ReadString("HelpView", "Left", ""), "2");
  }
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((std::string(dir) + "\\~vx*.tmp").c_str(), &fd);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE) << "a copy was left behind: " << fd.cFileName;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  DeleteFileA(path.c_str());
}

TEST(IniFile, FailedWriteRaisesUnableToWrite) {
  TIniFile ini("Q:\\no\\such\\folder\\x.ini");
  try {
    ini.WriteString("S", "k", "v");
    FAIL() << "no exception";
  } catch (const EIniFileException& e) {
    EXPECT_EQ(e.Message(), "Unable to write to Q:\\no\\such\\folder\\x.ini");
  }
}

}  // namespace
}  // namespace vx
