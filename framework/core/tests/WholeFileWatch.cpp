#include "framework/core/tests/WholeFileWatch.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace vx {

// Shares everything, deleting and replacing included, as a polite reader does.
bool TWholeFileWatch::Read(std::string& got) const {
#ifdef _WIN32
  HANDLE h = CreateFileA(name_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(h, nullptr), read = 0;
  got.resize(size == INVALID_FILE_SIZE ? 0 : size);
  if (!got.empty() && !ReadFile(h, got.data(), size, &read, nullptr)) read = 0;
  got.resize(read);
  CloseHandle(h);
#else
  const int fd = ::open(name_.c_str(), O_RDONLY);
  if (fd < 0) return false;
  struct stat st;
  got.resize(fstat(fd, &st) == 0 ? static_cast<size_t>(st.st_size) : 0);
  const ssize_t n = got.empty() ? 0 : ::read(fd, got.data(), got.size());
  got.resize(n < 0 ? 0 : static_cast<size_t>(n));
  ::close(fd);
#endif
  return true;
}

}  // namespace vx
