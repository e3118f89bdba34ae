// The file system calls of SysUtils on Windows (the ANSI API).
#include <windows.h>
#undef DeleteFile

#include "framework/core/FileSystem.h"
#include "framework/core/SysUtils.h"

namespace vx {

AnsiString ExpandFileName(const AnsiString& name) {
  char buf[MAX_PATH * 2];
  char* part = nullptr;
  DWORD n = GetFullPathNameA(name.c_str(), sizeof buf, buf, &part);
  if (n == 0 || n >= sizeof buf) return name;
  return AnsiString(buf, n);
}

bool FileExists(const AnsiString& name) {
  DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const AnsiString& name) {
  DWORD a = GetFileAttributesA(name.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

AnsiString GetCurrentDir() {
  char buf[MAX_PATH * 2];
  DWORD n = GetCurrentDirectoryA(sizeof buf, buf);
  if (n == 0 || n >= sizeof buf) return AnsiString();
  return AnsiString(buf, n);
}

bool SetCurrentDir(const AnsiString& dir) { return SetCurrentDirectoryA(dir.c_str()) != 0; }
bool DeleteFile(const AnsiString& name) { return ::DeleteFileA(name.c_str()) != 0; }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  return MoveFileA(oldName.c_str(), newName.c_str()) != 0;
}

int64_t FileAge(const AnsiString& name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExA(name.c_str(), GetFileExInfoStandard, &d)) return -1;
  if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return -1;
  uint64_t t = (static_cast<uint64_t>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime;
  return static_cast<int64_t>(t / 10000000ull) - 11644473600ll;
}

bool MakeDir(const AnsiString& d) { return CreateDirectoryA(d.c_str(), nullptr) != 0; }

}  // namespace vx
