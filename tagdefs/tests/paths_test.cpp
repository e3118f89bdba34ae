// Drive stripping, relative references and URLs.
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/core/SysUtils.h"
#include "tagdefs/tePaths.h"

using namespace vx;

TEST(Paths, StripDrive) {
  EXPECT_EQ(StripDrive("C:\\WORK\\A"), "WORK\\A");
  EXPECT_EQ(MStripDrive("C:\\WORK\\A"), "WORK\\A");
  EXPECT_EQ(StripDrive("WORK\\A"), "WORK\\A");
  EXPECT_EQ(StripDrive("C:"), "");
  EXPECT_EQ(StripDrive("C:\\"), "");
}

TEST(Paths, FileToURL) {
  EXPECT_EQ(FileToURL("C:\\DOCS\\A.HTM"), "file:///C|/DOCS/A.HTM");
  EXPECT_EQ(FileToURL(""), "file:///");
}

TEST(Paths, RelativePathOnOneDrive) {
  // The same-drive results of the worked examples, folder by folder.
  EXPECT_EQ(RelativePath("C:\\WORK", "C:\\WORK\\IMG\\") + "pic.gif", "img/pic.gif");
  EXPECT_EQ(RelativePath("C:\\WORK", "C:\\WORK\\") + "pic.gif", "pic.gif");
  EXPECT_EQ(RelativePath("C:\\WORK\\SUB", "C:\\WORK\\") + "pic.gif", "../pic.gif");
  EXPECT_EQ(RelativePath("C:\\", "C:\\WORK\\") + "pic.gif", "work/pic.gif");
  EXPECT_EQ(RelativePath("C:\\A\\B\\C", "C:\\A\\X\\Y\\"), "../../x/y/");
  EXPECT_EQ(RelativePath("c:\\Work", "C:\\WORK\\Img\\"), "img/");
  EXPECT_EQ(MRelativePath("C:\\WORK", "C:\\WORK\\IMG"), "img");  // no trailing "\": no "/"
  // A base given with its trailing "\" is that folder.
  EXPECT_EQ(RelativePath("C:\\WORK\\", "C:\\WORK\\IMG\\"), "img/");
  EXPECT_EQ(RelativePath("C:\\WORK\\SUB\\", "C:\\WORK\\"), "../");
  // Paths without a drive compare as they are.
  EXPECT_EQ(RelativePath("\\WORK", "\\WORK\\IMG\\"), "img/");
}

TEST(Paths, NoRelativeReferenceAcrossDrivesOrShares) {
  EXPECT_EQ(RelativePath("C:\\WORK", "D:\\X\\"), "file:///D|/X/");
  EXPECT_EQ(RelativePath("c:\\WORK", "C:\\X\\"), "../x/");
  EXPECT_EQ(RelativePath("C:\\WORK", "\\\\srv\\share\\x\\"), "file://///srv/share/x/");
  EXPECT_EQ(RelativePath("\\\\srv\\share\\a", "C:\\X\\"), "file:///C|/X/");
  EXPECT_EQ(RelativePath("\\\\srv\\share\\a", "\\\\other\\share\\b\\"), "file://///other/share/b/");
  // Within one share a relative reference works.
  EXPECT_EQ(RelativePath("\\\\srv\\share\\a", "\\\\SRV\\Share\\b\\"), "../b/");
}

TEST(Paths, RelativeURLFromTheCurrentFolder) {
  const AnsiString cwd = GetCurrentDir();
  const AnsiString base = IncludeTrailingBackslash(cwd) + "paths_test_dir";
  ForceDirectories(base + PathDelim + "sub");
  ASSERT_TRUE(SetCurrentDir(base));
  const AnsiString here = IncludeTrailingBackslash(GetCurrentDir());
  EXPECT_EQ(RelativeURL(here + "PIC.GIF"), "pic.gif");
  EXPECT_EQ(RelativeURL(here + "IMG" + PathDelim + "Pic.Gif"), "img/pic.gif");
  EXPECT_EQ(RelativeURL(ExtractFilePath(ExcludeTrailingBackslash(here)) + "PIC.GIF"), "../pic.gif");
  ASSERT_TRUE(SetCurrentDir(base + PathDelim + "sub"));
  EXPECT_EQ(RelativeURL(here + "A" + PathDelim + "B.HTM"), "../a/b.htm");
#ifdef _WIN32
  // Another drive: the file's own URL, its text kept.
  const char other = (here[0] == 'Z' || here[0] == 'z') ? 'C' : 'Z';
  const AnsiString elsewhere = AnsiString(1, other) + ":\\X\\F.GIF";
  EXPECT_EQ(RelativeURL(elsewhere), AnsiString("file:///") + other + "|/X/F.GIF");
  EXPECT_EQ(RelativeURL("\\\\srv\\share\\F.GIF"), "file://///srv/share/F.GIF");
#endif
  ASSERT_TRUE(SetCurrentDir(cwd));
}

TEST(Paths, AppDirLowerCaseIfSwapInt) {
  const AnsiString app = GetAppDir();
  ASSERT_FALSE(app.empty());
  EXPECT_TRUE(IsPathDelimiter(app.back()));
  EXPECT_TRUE(DirectoryExists(app));
  EXPECT_EQ(LowerCaseIf("<IMG SRC=\"A.GIF\">\xC9", true), "<img src=\"a.gif\">\xC9");
  EXPECT_EQ(LowerCaseIf("MiXeD", false), "MiXeD");
  int a = 1, b = 2;
  SwapInt(a, b);
  EXPECT_EQ(a, 2);
  EXPECT_EQ(b, 1);
}
