// Safe saves on Windows: the system's replace call keeps the attributes of the file it
// replaces; a read-only file is refused, never replaced behind the user's back; a save
// through a link replaces the file at its end.
#include <windows.h>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSavePlatform.h"
#include "framework/core/SysUtils.h"

namespace vx {

unsigned ProcessId() { return static_cast<unsigned>(GetCurrentProcessId()); }

AnsiString SaveTarget(const AnsiString& fileName) {
  // The replace call puts a new file in place of whatever it is given: given a link, the
  // link goes and the file it led to stays behind, unsaved. So the file itself is replaced.
  const AnsiString target = FinalFileName(fileName);
  if (target.empty()) throw EFCreateError("Cannot create file " + fileName);
  DWORD a = GetFileAttributesA(target.c_str());
  if (a != INVALID_FILE_ATTRIBUTES && (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    throw EFCreateError("Cannot create file " + fileName);
  return target;
}

namespace {

// The replace call takes full paths only (Wine refuses relative ones).
AnsiString FullPath(const AnsiString& name) {
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, nullptr);
  return n == 0 || n >= sizeof buf ? name : AnsiString(buf, n);
}

}  // namespace

bool ReplaceWithTemporary(const AnsiString& tempName, const AnsiString& target) {
  const DWORD attrs = GetFileAttributesA(target.c_str());
  if (attrs == INVALID_FILE_ATTRIBUTES)
    return MoveFileExA(tempName.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
  const AnsiString full = FullPath(target);
  if (!ReplaceFileA(full.c_str(), FullPath(tempName).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                    nullptr))
    return false;
  // Not every implementation of the call carries the attributes over: put them back.
  if (GetFileAttributesA(full.c_str()) != attrs) SetFileAttributesA(full.c_str(), attrs);
  return true;
}

}  // namespace vx
