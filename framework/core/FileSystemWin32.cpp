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

namespace {

// The system's own name of an open file, links followed; not offered before Vista.
AnsiString FinalNameOf(HANDLE h) {
  using Fn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
  static const Fn get =
      reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFinalPathNameByHandleA")));
  char buf[MAX_PATH * 2];
  DWORD n = get ? get(h, buf, sizeof buf, 0 /* normalized, with a drive letter */) : 0;
  if (n == 0 || n >= sizeof buf) return AnsiString();
  AnsiString r(buf, n);
  if (r.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + r.substr(8);
  if (r.compare(0, 4, "\\\\?\\") == 0) return r.substr(4);
  return r;
}

}  // namespace

AnsiString FinalFileName(const AnsiString& name) {
  // Only looks: nothing is created or removed, whatever the name turns out to be.
  const AnsiString full = ExpandFileName(name);
  const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  HANDLE h = CreateFileA(full.c_str(), 0, share, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h != INVALID_HANDLE_VALUE) {
    const AnsiString end = FinalNameOf(h);
    CloseHandle(h);
    return end.empty() || lstrcmpiA(end.c_str(), full.c_str()) == 0 ? name : end;
  }
  // A loop of links; anything else (no file, a link whose file is gone, something that
  // cannot be opened) is left for the save itself to meet at the name.
  const DWORD error = GetLastError();
  if (error != ERROR_CANT_RESOLVE_FILENAME) return name;
  SetLastError(error);
  return AnsiString();
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
