// A file's bytes as a Windows test reads them back. A file that cannot be opened, or one
// its writer still holds, reads as "<missing>", so a check names what it did not find.
#pragma once

#include "framework/win/WinApi.h"

#include <string>

namespace vx {

inline std::string ReadFileBytes(const std::string& name) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string s;
  char buf[65536];
  DWORD n = 0;
  while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) s.append(buf, n);
  CloseHandle(f);
  return s;
}

}  // namespace vx
