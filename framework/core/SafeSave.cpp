#include "framework/core/SafeSave.h"

#include <atomic>
#include <cstdio>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vx {

namespace {

std::atomic<unsigned> g_serial{0};

unsigned ProcessId() {
#ifdef _WIN32
  return static_cast<unsigned>(GetCurrentProcessId());
#else
  return static_cast<unsigned>(getpid());
#endif
}

// A fresh name beside the target: same folder, so the final rename stays on one volume.
std::unique_ptr<TFileStream> CreateTemporary(const AnsiString& fileName, AnsiString& tempName) {
  const AnsiString dir = ExtractFilePath(fileName);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempName = dir + Format("~vx%04X%04X.tmp", ProcessId() & 0xFFFF, g_serial++ & 0xFFFF);
    if (FileExists(tempName) || DirectoryExists(tempName)) continue;
    try {
      return std::make_unique<TFileStream>(tempName, fmCreate | fmShareExclusive);
    } catch (const EFCreateError&) {
      break;
    }
  }
  throw EFCreateError("Cannot create file " + fileName);
}

bool ReplaceFile(const AnsiString& from, const AnsiString& to) {
#ifdef _WIN32
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
  return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

void SaveFileSafely(const AnsiString& fileName, const std::function<void(TStream&)>& write) {
  AnsiString tempName;
  std::unique_ptr<TFileStream> f = CreateTemporary(fileName, tempName);
  try {
    write(*f);
    f->FlushBuffers();
  } catch (...) {
    f.reset();
    DeleteFile(tempName);
    throw;
  }
  f.reset();
  if (!ReplaceFile(tempName, fileName)) {
    DeleteFile(tempName);
    throw EFCreateError("Cannot create file " + fileName);
  }
}

}  // namespace vx
