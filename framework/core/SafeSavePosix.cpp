// Safe saves on POSIX systems: a save through a symbolic link replaces the file it leads
// to (the link stays a link), and the replacement gets the permissions the file had.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>

#include "framework/core/SafeSavePlatform.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {
std::atomic<unsigned> g_serial{0};
}  // namespace

bool TSaveFiles::Prepare(const AnsiString& fileName) {
  // The name of a link's file is known here even where that file is gone.
  target_ = FinalFileName(fileName);
  if (target_.empty()) return false;
  struct stat st;
  if (stat(target_.c_str(), &st) == 0 && (S_ISDIR(st.st_mode) || !(st.st_mode & S_IWUSR))) {
    errno = EACCES;
    return false;
  }
  // Beside the target, so that the rename stays on one file system.
  const AnsiString dir = ExtractFilePath(target_);
  for (int attempt = 0; attempt < 100; ++attempt) {
    const AnsiString name = dir + Format("~vx%04X%04X.tmp", getpid() & 0xFFFF, g_serial++ & 0xFFFF);
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd >= 0) {
      ::close(fd);
      temporary_ = name;
      return true;
    }
    if (errno != EEXIST) return false;
  }
  return false;
}

bool TSaveFiles::Replace() {
  struct stat st;
  if (stat(target_.c_str(), &st) == 0 && chmod(temporary_.c_str(), st.st_mode & 07777) != 0) return false;
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) return false;
  done_ = true;
  return true;
}

TSaveFiles::~TSaveFiles() {
  if (done_) return;
  const int error = errno;  // the failure's own error stays the one the caller reports
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  if (made_) ::unlink(target_.c_str());
  errno = error;
}

}  // namespace vx
