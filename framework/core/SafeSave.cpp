#include "framework/core/SafeSave.h"

#include <atomic>
#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSavePlatform.h"
#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {

std::atomic<unsigned> g_serial{0};

// A fresh name beside the target: same folder, so the final rename stays on one volume.
std::unique_ptr<TFileStream> CreateTemporary(const AnsiString& target, const AnsiString& fileName,
                                             AnsiString& tempName) {
  const AnsiString dir = ExtractFilePath(target);
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

}  // namespace

void SaveFileSafely(const AnsiString& fileName, const std::function<void(TStream&)>& write) {
  const AnsiString target = SaveTarget(fileName);
  AnsiString tempName;
  std::unique_ptr<TFileStream> f = CreateTemporary(target, fileName, tempName);
  // Errors name the user's file, never the temporary one.
  f->SetMessageName(fileName);
  // Until the replace succeeds, the temporary file goes whatever happens.
  auto removeTemporary = OnScopeExit([&] {
    f.reset();
    DeleteFile(tempName);
  });
  write(*f);
  f->FlushBuffers();
  f.reset();
  if (!ReplaceWithTemporary(tempName, target)) throw EFCreateError("Cannot create file " + fileName);
  removeTemporary.Dismiss();
}

}  // namespace vx
