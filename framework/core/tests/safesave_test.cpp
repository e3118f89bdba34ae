// A safe save keeps what the user had: a read-only file is refused with the message a
// failed create gives, attributes and permissions stay, a link stays a link (also a Linux
// link that Wine shows through a Z: name).
#include "framework/core/SafeSave.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>

#include "framework/core/tests/UnixLinks.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "framework/core/tests/TestFiles.h"

using namespace vx;

namespace {

void Save(const AnsiString& f, const char* text) {
  SaveFileSafely(f, [text](TStream& s) { s.WriteBuffer(text, static_cast<int>(strlen(text))); });
}

void MakeReadOnly(const AnsiString& f, bool on) {
#ifdef _WIN32
  SetFileAttributesA(f.c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
#else
  chmod(f.c_str(), on ? 0444 : 0644);
#endif
}

TEST(SafeSave, ARefusedReadOnlyFileIsLeftAsItWasWithNoTemporary) {
  AnsiString dir = FreshFolder("safesave_readonly");
  AnsiString f = dir + "locked.txt";
  Save(f, "mine");
  MakeReadOnly(f, true);
  try {
    Save(f, "theirs");
    FAIL() << "a read-only file was replaced";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + f);
  }
  EXPECT_EQ(Slurp(f), "mine");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.c_str()), {}), 1);
  MakeReadOnly(f, false);
  Save(f, "theirs");
  EXPECT_EQ(Slurp(f), "theirs");
}

#ifdef _WIN32

TEST(SafeSave, KeepsTheAttributesOfTheFileItReplaces) {
  AnsiString f = FreshFolder("safesave_attributes") + "hidden.txt";
  Save(f, "one");
  SetFileAttributesA(f.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Save(f, "two");
  EXPECT_EQ(Slurp(f), "two");
  EXPECT_TRUE(GetFileAttributesA(f.c_str()) & FILE_ATTRIBUTE_HIDDEN);
}

// Temporary files a save left in a folder.
int TemporariesIn(const AnsiString& dir) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.c_str()))
    n += e.path().filename().string().rfind("~vx", 0) == 0;
  return n;
}

// Linux links, reached through Z: names: the save goes into the file at the end of the
// link and the link stays, whatever the kind of link.
TEST(SafeSave, WritesThroughLinuxLinksIntoTheFileTheyLeadTo) {
  AnsiString dir = FreshFolder("safesave_links");
  ForceDirectories(dir + "real");
  ForceDirectories(dir + "other");
  const AnsiString target = dir + "real\\page.htm";
  Save(target, "old");
  if (!MakeUnixLink("real\\page.htm", dir + "probe.htm")) GTEST_SKIP() << "no Linux links here";
  struct Case {
    const char* what;
    AnsiString link;
    AnsiString to;
  } cases[] = {
      {"a relative link beside", dir + "page.htm", "real\\page.htm"},
      {"a link in another folder, by full name", dir + "other\\full.htm", target},
      {"a link up and over", dir + "other\\up.htm", "..\\real\\page.htm"},
      {"a chain of links", dir + "chain.htm", "other\\up.htm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Save(target, "old");
    ASSERT_TRUE(MakeUnixLink(c.to, c.link));
    Save(c.link, "new");
    EXPECT_EQ(Slurp(target), "new") << "the file the link leads to kept its old text";
    // Still a link to that file: a change of the file shows through it.
    WriteBytes(target, "changed");
    EXPECT_EQ(Slurp(c.link), "changed") << "the link became a file of its own";
    EXPECT_EQ(TemporariesIn(dir) + TemporariesIn(dir + "real") + TemporariesIn(dir + "other"), 0);
  }
}

// Wine shows no link whose file is gone: the save makes that file through the link's own
// name, where Linux puts it (a link in a linked folder goes up from the real folder).
TEST(SafeSave, ALinkWhoseFileIsGoneGetsThatFileBack) {
  AnsiString dir = FreshFolder("safesave_dangling");
  ForceDirectories(dir + "real");
  ForceDirectories(dir + "deep\\inner");
  WriteBytes(dir + "real\\gone.htm", "soon gone");
  if (!MakeUnixLink("real\\gone.htm", dir + "gone.htm")) GTEST_SKIP() << "no Linux links here";
  ASSERT_TRUE(MakeUnixLink("gone.htm", dir + "chain.htm"));
  ASSERT_TRUE(MakeUnixLink("deep\\inner", dir + "sub"));
  ASSERT_TRUE(MakeUnixLink("..\\gone.htm", dir + "deep\\inner\\up.htm"));
  struct Case {
    const char* what;
    AnsiString link, file;
  } cases[] = {
      {"a link", dir + "gone.htm", dir + "real\\gone.htm"},
      {"a chain of links", dir + "chain.htm", dir + "real\\gone.htm"},
      {"a link up from a linked folder", dir + "sub\\up.htm", dir + "deep\\gone.htm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    DeleteFileA(c.file.c_str());
    ASSERT_FALSE(FileExists(c.link));
    Save(c.link, "back");
    EXPECT_EQ(Slurp(c.file), "back");
    WriteBytes(c.file, "changed");
    EXPECT_EQ(Slurp(c.link), "changed") << "the link became a file of its own";
    EXPECT_EQ(TemporariesIn(dir) + TemporariesIn(dir + "real") + TemporariesIn(dir + "deep"), 0);
  }
  EXPECT_EQ(UnixLinkTarget(dir + "gone.htm"), "real/gone.htm");
  // A read-only file behind a link is refused like any read-only file.
  SetFileAttributesA((dir + "real\\gone.htm").c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_THROW(Save(dir + "gone.htm", "theirs"), EFCreateError);
  EXPECT_EQ(Slurp(dir + "real\\gone.htm"), "changed");
  SetFileAttributesA((dir + "real\\gone.htm").c_str(), FILE_ATTRIBUTE_NORMAL);
  // A save that fails leaves no file where there was none, and the link as it was.
  DeleteFileA((dir + "real\\gone.htm").c_str());
  EXPECT_THROW(SaveFileSafely(dir + "gone.htm", [](TStream&) { throw EWriteError("Stream write error"); }),
               EWriteError);
  EXPECT_FALSE(FileExists(dir + "real\\gone.htm"));
  EXPECT_EQ(UnixLinkTarget(dir + "gone.htm"), "real/gone.htm");
  EXPECT_EQ(TemporariesIn(dir + "real"), 0);
}

// The names in a folder, links whose file is gone left out (Wine does not show them).
std::vector<std::string> Listing(const AnsiString& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir.c_str()))
    names.push_back(e.path().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Finding where a save will go only looks: no file appears or goes, not even for a moment.
// A live link gives its file; a name Wine shows no file at (a link whose file is gone,
// also through a linked folder) is given as it is, for the save to make the file there.
TEST(FinalFileName, CreatesAndRemovesNothing) {
  AnsiString dir = FreshFolder("finalname_looks");
  ForceDirectories(dir + "real");
  ForceDirectories(dir + "deep\\inner");
  WriteBytes(dir + "real\\live.htm", "here");
  if (!MakeUnixLink("real\\gone.htm", dir + "gone.htm")) GTEST_SKIP() << "no Linux links here";
  ASSERT_TRUE(MakeUnixLink("real\\live.htm", dir + "live.htm"));
  ASSERT_TRUE(MakeUnixLink("deep\\inner", dir + "sub"));
  ASSERT_TRUE(MakeUnixLink("..\\gone.htm", dir + "deep\\inner\\up.htm"));
  const std::vector<std::string> before = Listing(dir);
  HANDLE watch = FindFirstChangeNotificationA(dir.c_str(), TRUE, FILE_NOTIFY_CHANGE_FILE_NAME);
  ASSERT_NE(watch, INVALID_HANDLE_VALUE);
  EXPECT_EQ(FinalFileName(dir + "new.htm"), dir + "new.htm");
  EXPECT_EQ(FinalFileName(dir + "live.htm"), dir + "real\\live.htm");
  EXPECT_EQ(FinalFileName(dir + "gone.htm"), dir + "gone.htm");
  EXPECT_EQ(FinalFileName(dir + "sub\\up.htm"), dir + "sub\\up.htm");
  EXPECT_EQ(WaitForSingleObject(watch, 500), WAIT_TIMEOUT) << "a file was made or removed in the folder";
  FindCloseChangeNotification(watch);
  EXPECT_EQ(Listing(dir), before);
  EXPECT_EQ(UnixLinkTarget(dir + "gone.htm"), "real/gone.htm");
}

// A chain of links that leads nowhere a file can be made is refused with the message of a
// failed create; every link stays as it was and no file appears anywhere.
TEST(SafeSave, RefusesALinkThatLeadsNowhereAndKeepsIt) {
  AnsiString dir = FreshFolder("safesave_nowhere");
  if (!MakeUnixLink("loop2.htm", dir + "loop1.htm")) GTEST_SKIP() << "no Linux links here";
  ASSERT_TRUE(MakeUnixLink("loop1.htm", dir + "loop2.htm"));
  ASSERT_TRUE(MakeUnixLink("nowhere\\page.htm", dir + "away.htm"));
  ASSERT_TRUE(MakeUnixLink("away.htm", dir + "chain.htm"));
  SetLastError(0);
  EXPECT_EQ(FinalFileName(dir + "loop1.htm"), "");
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CANT_RESOLVE_FILENAME));
  struct Case {
    const char* what;
    const char* link;
  } cases[] = {
      {"a loop", "loop1.htm"},
      {"a link into a folder that is not there", "away.htm"},
      {"a chain ending in such a link", "chain.htm"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      Save(dir + c.link, "new");
      FAIL() << "the save said it succeeded";
    } catch (const EFCreateError& e) {
      EXPECT_EQ(e.Message(), "Cannot create file " + dir + c.link);
    }
  }
  EXPECT_EQ(UnixLinkTarget(dir + "loop1.htm"), "loop2.htm");
  EXPECT_EQ(UnixLinkTarget(dir + "loop2.htm"), "loop1.htm");
  EXPECT_EQ(UnixLinkTarget(dir + "away.htm"), "nowhere/page.htm");
  EXPECT_EQ(UnixLinkTarget(dir + "chain.htm"), "away.htm");
  EXPECT_FALSE(DirectoryExists(dir + "nowhere"));
  EXPECT_EQ(Listing(dir), std::vector<std::string>()) << "a file took a link's place";
}

#else

TEST(SafeSave, KeepsThePermissionsOfTheFileItReplaces) {
  AnsiString f = FreshFolder("safesave_mode") + "private.txt";
  Save(f, "one");
  chmod(f.c_str(), 0640);
  Save(f, "two");
  struct stat st;
  ASSERT_EQ(stat(f.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Slurp(f), "two");
  // A new file gets the usual permissions.
  Save(f + ".new", "x");
  ASSERT_EQ(stat((f + ".new").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST(SafeSave, WritesThroughALinkToItsTarget) {
  AnsiString dir = FreshFolder("safesave_link");
  ForceDirectories(dir + "real");
  AnsiString target = dir + "real/page.htm", link = dir + "page.htm";
  Save(target, "old");
  ASSERT_EQ(symlink("real/page.htm", link.c_str()), 0);
  Save(link, "new");
  struct stat st;
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode)) << "the link became a plain file";
  EXPECT_EQ(Slurp(target), "new");
  // The temporary went beside the target, and is gone.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator((dir + "real").c_str()), {}), 1);
  // A chain of links ending at a file that is gone: the file comes back, the links stay.
  ASSERT_EQ(symlink("real/gone.htm", (dir + "gone.htm").c_str()), 0);
  ASSERT_EQ(symlink("gone.htm", (dir + "chain.htm").c_str()), 0);
  Save(dir + "chain.htm", "back");
  EXPECT_EQ(Slurp(dir + "real/gone.htm"), "back");
  ASSERT_EQ(lstat((dir + "chain.htm").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

#endif

}  // namespace
