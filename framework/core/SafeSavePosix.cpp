// Safe saves on POSIX systems: a save through a symbolic link replaces the file it leads
// to (the link stays a link), and the replacement gets the permissions the file had.
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSavePlatform.h"

namespace vx {

unsigned ProcessId() { return static_cast<unsigned>(getpid()); }

AnsiString SaveTarget(const AnsiString& fileName) {
  AnsiString target = fileName;
  struct stat st;
  if (lstat(fileName.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char real[PATH_MAX];
    // A dangling link is written through as well: the file it names is created.
    if (realpath(fileName.c_str(), real)) {
      target = real;
    } else {
      char link[PATH_MAX];
      ssize_t n = readlink(fileName.c_str(), link, sizeof link - 1);
      if (n <= 0) throw EFCreateError("Cannot create file " + fileName);
      link[n] = 0;
      AnsiString to(link);
      size_t slash = fileName.rfind('/');
      target = to[0] == '/' || slash == AnsiString::npos ? to : fileName.substr(0, slash + 1) + to;
    }
  }
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
