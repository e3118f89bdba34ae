// TFileStream on a Windows file handle.
#include <windows.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

namespace vx {

TFileStream::TFileStream(const AnsiString& fileName, unsigned mode) : fileName_(fileName) {
  static const DWORD kShare[] = {FILE_SHARE_READ | FILE_SHARE_WRITE, 0, FILE_SHARE_READ, FILE_SHARE_WRITE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE};
  unsigned share = (mode & 0xF0) >> 4;
  DWORD shareMode = share < 5 ? kShare[share] : FILE_SHARE_READ | FILE_SHARE_WRITE;
  if ((mode & 0xFF00) == fmCreate) {
    handle_ = CreateFileA(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, shareMode, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file " + fileName);
  } else {
    static const DWORD kAccess[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
    unsigned a = mode & 3;
    handle_ = CreateFileA(fileName.c_str(), a < 3 ? kAccess[a] : GENERIC_READ, shareMode, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) throw EFOpenError("Cannot open file " + fileName);
  }
}

TFileStream::~TFileStream() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

int TFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  DWORD got = 0;
  if (!ReadFile(handle_, buffer, static_cast<DWORD>(count), &got, nullptr)) return 0;
  return static_cast<int>(got);
}

namespace {
bool DiskFull(DWORD e) { return e == ERROR_DISK_FULL || e == ERROR_HANDLE_DISK_FULL; }
}  // namespace

int TFileStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  // A short write goes on for the rest, so that a full disk shows as such.
  const char* p = static_cast<const char*>(buffer);
  int done = 0;
  while (done < count) {
    DWORD put = 0;
    if (!WriteFile(handle_, p + done, static_cast<DWORD>(count - done), &put, nullptr)) {
      diskFull_ = DiskFull(GetLastError());
      break;
    }
    // A write that succeeds with nothing taken sets no error code: a short write, no more.
    if (put == 0) break;
    done += static_cast<int>(put);
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  LARGE_INTEGER d, r;
  d.QuadPart = offset;
  static const DWORD kMethod[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
  if (!SetFilePointerEx(handle_, d, &r, kMethod[origin])) return -1;
  return r.QuadPart;
}

void TFileStream::SetSize(int64_t newSize) {
  int64_t pos = Position();
  Seek(newSize, soFromBeginning);
  if (!SetEndOfFile(handle_)) {
    diskFull_ = DiskFull(GetLastError());
    throw EWriteError(ErrorText("Stream write error"));
  }
  if (pos < newSize) Seek(pos, soFromBeginning);
}

void TFileStream::FlushBuffers() {
  if (!FlushFileBuffers(handle_)) {
    diskFull_ = DiskFull(GetLastError());
    throw EWriteError(ErrorText("Stream write error"));
  }
}

}  // namespace vx
