// Errors met on a file say which file, after the framework's own words, and say when the
// disk is full; errors on streams in memory keep the bare words.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/core/ValueStream.h"
#include "framework/core/tests/TestFiles.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace vx;

namespace {

// A device that takes no byte: every write finds the disk full (Wine reaches it as Z:).
#ifdef _WIN32
const char* const kFullDevice = "Z:\\dev\\full";
#else
const char* const kFullDevice = "/dev/full";
#endif

template <class E, class F>
std::string MessageOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message();
  }
  return "(nothing thrown)";
}

TEST(FileErrors, AWriteToAFullDiskNamesTheFileAndSaysTheDiskIsFull) {
  std::unique_ptr<TFileStream> full;
  try {
    full = std::make_unique<TFileStream>(kFullDevice, fmOpenWrite);
  } catch (const EFOpenError&) {
    GTEST_SKIP() << "no full device here";
  }
  TFileStream& f = *full;
  char block[255] = {};
  EXPECT_EQ(MessageOf<EWriteError>([&] { f.WriteBuffer(block, sizeof block); }),
            std::string("Stream write error - ") + kFullDevice + ": the disk is full");
  // The typed value writer hands its block over the same way.
  EXPECT_EQ(MessageOf<EWriteError>([&] {
              TWriter w(f);
              w.WriteString("custom tag");
              w.FlushBuffer();
            }),
            std::string("Stream write error - ") + kFullDevice + ": the disk is full");
}

#ifdef _WIN32
}  // namespace

// The import slot through which the framework's file stream calls the system's write.
extern "C" void* vx_imp_WriteFile __asm__("__imp__WriteFile@20");

namespace {

BOOL WINAPI TakesNothing(HANDLE, LPCVOID, DWORD, LPDWORD put, LPOVERLAPPED) {
  if (put) *put = 0;
  return TRUE;
}

// A write the system reports done with nothing taken (as a pipe that will not wait does)
// sets no error code: whatever an earlier call left there says nothing of this file.
TEST(FileErrors, AWriteThatTakesNothingIsNoFullDiskOfAnEarlierCall) {
  const AnsiString name = FreshFolder("fileerrors_nothing") + "taken.txt";
  TFileStream f(name, fmCreate);
  DWORD was = 0;
  ASSERT_TRUE(VirtualProtect(&vx_imp_WriteFile, sizeof(void*), PAGE_READWRITE, &was));
  void* const real = vx_imp_WriteFile;
  vx_imp_WriteFile = reinterpret_cast<void*>(&TakesNothing);
  char block[16] = {};
  SetLastError(ERROR_DISK_FULL);
  const std::string message = MessageOf<EWriteError>([&] { f.WriteBuffer(block, sizeof block); });
  vx_imp_WriteFile = real;
  VirtualProtect(&vx_imp_WriteFile, sizeof(void*), was, &was);
  EXPECT_EQ(message, "Stream write error - " + name);
}
#endif

TEST(FileErrors, ADamagedOrCutFileNamesItselfInTheReadersWords) {
  AnsiString dir = FreshFolder("fileerrors_read");
  AnsiString bad = dir + "vornix.cti", cut = dir + "vornix.tsi";
  WriteBytes(bad, "\x01\x07");           // a list, then no value type at all
  WriteBytes(cut, "\x01\x06\x09" "abc");  // a string of 9 with only 3 there
  EXPECT_EQ(MessageOf<EReadError>([&] {
              TFileStream f(bad, fmOpenRead);
              TReader r(f);
              r.ReadListBegin();
              r.ReadString();
            }),
            "Invalid property value - " + bad);
  EXPECT_EQ(MessageOf<EReadError>([&] {
              TFileStream f(cut, fmOpenRead);
              TReader r(f);
              r.ReadListBegin();
              r.ReadString();
            }),
            "Stream read error - " + cut);
  EXPECT_EQ(MessageOf<EReadError>([&] {
              TFileStream f(cut, fmOpenRead);
              char b[64];
              f.ReadBuffer(b, sizeof b);
            }),
            "Stream read error - " + cut);
}

TEST(FileErrors, StreamsInMemoryKeepTheBareWords) {
  TMemoryStream m;
  m.WriteBuffer("\x07", 1);
  m.SetPosition(0);
  EXPECT_EQ(MessageOf<EReadError>([&] {
              TReader r(m);
              r.ReadInteger();
            }),
            "Invalid property value");
  char b[4];
  EXPECT_EQ(MessageOf<EReadError>([&] { m.ReadBuffer(b, 4); }), "Stream read error");
}

TEST(FileErrors, ASafeSaveNamesTheUsersFileNeverItsTemporary) {
  AnsiString f = FreshFolder("fileerrors_save") + "CUSTOM.DIC";
  // A writer that fails on the stream it was given: the message is about the user's file.
  std::string m = MessageOf<EReadError>([&] {
    SaveFileSafely(f, [](TStream& s) {
      char b[8];
      s.ReadBuffer(b, sizeof b);
    });
  });
  EXPECT_EQ(m, "Stream read error - " + f);
}

TEST(FileErrors, CallSitesAddTheNameOnceToErrorsMetInMemory) {
  EReadError e("Read beyond end of file");
  NameFileInError(e, "C:\\Vornix\\ENGLISH.DCT");
  EXPECT_EQ(e.Message(), "Read beyond end of file - C:\\Vornix\\ENGLISH.DCT");
  NameFileInError(e, "C:\\Vornix\\ENGLISH.DCT");  // already named
  EXPECT_EQ(e.Message(), "Read beyond end of file - C:\\Vornix\\ENGLISH.DCT");
  EXPECT_EQ(FileErrorText("Stream write error", "a.vxt", true), "Stream write error - a.vxt: the disk is full");
}

}  // namespace
