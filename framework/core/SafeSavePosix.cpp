// Safe saves on POSIX systems: a save through a symbolic link replaces the file it leads
// to (the link stays a link), and the replacement gets the permissions the file had.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSavePlatform.h"
#include "framework/core/SysUtils.h"

namespace vx {

unsigned ProcessId() { return static_cast<unsigned>(getpid()); }

AnsiString SaveTarget(const AnsiString& fileName) {
  const AnsiString target = FinalFileName(fileName);
  if (target.empty()) throw EFCreateError("Cannot create file " + fileName);
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR)))
    throw EFCreateError("Cannot create file " + fileName);
  return target;
}

bool ReplaceWithTemporary(const AnsiString& tempName, const AnsiString& target) {
  struct stat st;
  if (stat(target.c_str(), &st) == 0 && chmod(tempName.c_str(), st.st_mode & 07777) != 0) return false;
  return std::rename(tempName.c_str(), target.c_str()) == 0;
}

}  // namespace vx
