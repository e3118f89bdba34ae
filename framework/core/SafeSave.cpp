#include "framework/core/SafeSave.h"

#include <memory>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSavePlatform.h"

namespace vx {

void SaveFileSafely(const AnsiString& fileName, const std::function<void(TStream&)>& write) {
  // Until the replace succeeds, the temporary file goes whatever happens.
  TSaveFiles files;
  if (!files.Prepare(fileName)) throw EFCreateError("Cannot create file " + fileName);
  std::unique_ptr<TFileStream> f;
  try {
    f = std::make_unique<TFileStream>(files.Temporary(), fmCreate | fmShareExclusive);
  } catch (const EFCreateError&) {
    throw EFCreateError("Cannot create file " + fileName);
  }
  // Errors name the user's file, never the temporary one.
  f->SetMessageName(fileName);
  write(*f);
  f->FlushBuffers();
  f.reset();
  if (!files.Replace()) throw EFCreateError("Cannot create file " + fileName);
}

}  // namespace vx
