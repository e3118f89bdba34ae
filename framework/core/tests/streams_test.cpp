#include "framework/core/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"
#include "framework/core/SysUtils.h"
#include "framework/core/tests/TestFiles.h"

using namespace vx;

namespace {

// Files in a folder, temporaries included.
int FilesIn(const AnsiString& dir) {
  int n = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.c_str())) n += e.is_regular_file() ? 1 : 0;
  return n;
}

}  // namespace

TEST(MemoryStream, ReadWriteSeekAndSize) {
  TMemoryStream m;
  m.WriteBuffer("hello", 5);
  EXPECT_EQ(m.Size(), 5);
  EXPECT_EQ(m.Seek(-2, soFromEnd), 3);
  char b[8] = {};
  EXPECT_EQ(m.Read(b, 8), 2);
  EXPECT_EQ(std::string(b, 2), "lo");
  EXPECT_EQ(m.Read(b, 8), 0);
  EXPECT_THROW(m.ReadBuffer(b, 1), EReadError);
  m.SetPosition(1);
  m.WriteBuffer("EL", 2);
  EXPECT_EQ(std::string(static_cast<char*>(m.Memory()), 5), "hELlo");
  m.SetSize(2);
  EXPECT_EQ(m.Position(), 2);
  m.Clear();
  EXPECT_EQ(m.Size(), 0);
  EXPECT_EQ(m.Memory(), nullptr);
}

TEST(MemoryStream, LendsItsBytesInPlace) {
  TMemoryStream m;
  m.WriteBuffer("abcdef", 6);
  m.SetPosition(2);
  int got = -1;
  const char* p = static_cast<const char*>(m.ReadWindow(3, got));
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(std::string(p, static_cast<size_t>(got)), "cde");
  EXPECT_EQ(m.Position(), 5);
  p = static_cast<const char*>(m.ReadWindow(10, got));
  EXPECT_EQ(std::string(p, static_cast<size_t>(got)), "f");
  EXPECT_EQ(m.ReadWindow(10, got), nullptr);
  EXPECT_EQ(got, 0);
  EXPECT_EQ(m.Position(), 6);
  TStringStream s("xy");
  EXPECT_EQ(*static_cast<const char*>(s.ReadWindow(1, got)), 'x');
  EXPECT_EQ(s.Position(), 1);
}

TEST(StringStream, DataStringAndCopyFrom) {
  TStringStream s("abcdef");
  EXPECT_EQ(s.ReadString(2), "ab");
  EXPECT_EQ(s.ReadString(10), "cdef");
  TStringStream t;
  t.WriteString("x");
  EXPECT_EQ(t.CopyFrom(s, 0), 6);
  EXPECT_EQ(t.DataString(), "xabcdef");
  s.SetPosition(2);
  t.CopyFrom(s, 2);
  EXPECT_EQ(t.DataString(), "xabcdefcd");
  EXPECT_THROW(t.CopyFrom(s, 10), EReadError);
}

TEST(FileStream, CreateOpenAndTheirErrors) {
  AnsiString dir = FreshFolder("streams_test_dir");
  AnsiString f = dir + "a.bin";
  {
    TFileStream w(f, fmCreate);
    w.WriteBuffer("0123456789", 10);
    w.FlushBuffers();
  }
  {
    TFileStream r(f, fmOpenRead | fmShareDenyWrite);
    EXPECT_EQ(r.Size(), 10);
    r.SetPosition(4);
    char b[3];
    r.ReadBuffer(b, 3);
    EXPECT_EQ(std::string(b, 3), "456");
    EXPECT_EQ(r.Write("x", 1), 0);  // read-only
  }
  {
    TFileStream rw(f, fmOpenReadWrite);
    rw.Seek(0, soFromEnd);
    rw.WriteBuffer("AB", 2);
    rw.SetSize(11);
  }
  EXPECT_EQ(Slurp(f), "0123456789A");
  try {
    TFileStream r(dir + "missing.bin", fmOpenRead);
    FAIL();
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + dir + "missing.bin");
  }
  AnsiString bad = dir + "no" + PathDelim + "such" + PathDelim + "x.bin";
  try {
    TFileStream w(bad, fmCreate);
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + bad);
  }
  TMemoryStream m;
  m.LoadFromFile(f);
  EXPECT_EQ(m.Size(), 11);
  m.SaveToFile(dir + "b.bin");
  EXPECT_EQ(Slurp(dir + "b.bin"), "0123456789A");
}

TEST(SafeSave, ReplacesOnlyAfterACompleteWrite) {
  AnsiString dir = FreshFolder("safesave_test_dir");
  AnsiString f = dir + "keep.dat";
  SaveFileSafely(f, [](TStream& s) { s.WriteBuffer("old", 3); });
  EXPECT_EQ(Slurp(f), "old");
  SaveFileSafely(f, [](TStream& s) { s.WriteBuffer("newer", 5); });
  EXPECT_EQ(Slurp(f), "newer");

  // A failing writer leaves the previous file and no temporary behind.
  EXPECT_THROW(SaveFileSafely(f,
                              [](TStream& s) {
                                s.WriteBuffer("partial", 7);
                                throw EWriteError("Stream write error");
                              }),
               EWriteError);
  EXPECT_EQ(Slurp(f), "newer");
  EXPECT_EQ(FilesIn(dir), 1);

  // A folder that does not exist: the temporary cannot be made.
  AnsiString bad = dir + "none" + PathDelim + "x.dat";
  try {
    SaveFileSafely(bad, [](TStream&) {});
    FAIL();
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message(), "Cannot create file " + bad);
  }
}
