// A safe save keeps what the user had: a read-only file is refused with the message a
// failed create gives, attributes and permissions stay, a link stays a link.
#include "framework/core/SafeSave.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
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
}

#endif

}  // namespace
