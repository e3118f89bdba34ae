// TFileStream on a POSIX file descriptor (the portable build and its tests).
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

namespace vx {

TFileStream::TFileStream(const AnsiString& fileName, unsigned mode) : fileName_(fileName) {
  // Sharing is a Windows notion; here every handle shares everything.
  if ((mode & 0xFF00) == fmCreate) {
    fd_ = ::open(fileName.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0666);
    if (fd_ < 0) throw EFCreateError("Cannot create file " + fileName);
  } else {
    static const int kAccess[] = {O_RDONLY, O_WRONLY, O_RDWR};
    unsigned a = mode & 3;
    fd_ = ::open(fileName.c_str(), a < 3 ? kAccess[a] : O_RDONLY);
    struct stat st;
    if (fd_ >= 0 && (fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode))) {
      ::close(fd_);
      fd_ = -1;
    }
    if (fd_ < 0) throw EFOpenError("Cannot open file " + fileName);
  }
}

TFileStream::~TFileStream() {
  if (fd_ >= 0) ::close(fd_);
}

int TFileStream::Read(void* buffer, int count) {
  if (count <= 0) return 0;
  ssize_t n = ::read(fd_, buffer, static_cast<size_t>(count));
  return n < 0 ? 0 : static_cast<int>(n);
}

int TFileStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  // A short write is retried for the rest, so that a full disk shows as such.
  const char* p = static_cast<const char*>(buffer);
  int done = 0;
  while (done < count) {
    ssize_t n = ::write(fd_, p + done, static_cast<size_t>(count - done));
    if (n <= 0) {
      diskFull_ = n < 0 && errno == ENOSPC;
      break;
    }
    done += static_cast<int>(n);
  }
  return done;
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  static const int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
  return static_cast<int64_t>(::lseek(fd_, static_cast<off_t>(offset), kWhence[origin]));
}

void TFileStream::SetSize(int64_t newSize) {
  if (::ftruncate(fd_, static_cast<off_t>(newSize)) != 0) {
    diskFull_ = errno == ENOSPC;
    throw EWriteError(ErrorText("Stream write error"));
  }
  if (Position() > newSize) Seek(newSize, soFromBeginning);
}

void TFileStream::FlushBuffers() {
  if (::fsync(fd_) != 0) {
    diskFull_ = errno == ENOSPC;
    throw EWriteError(ErrorText("Stream write error"));
  }
}

}  // namespace vx
