// The file system calls of SysUtils on Windows (the ANSI API).
#include <windows.h>
#undef DeleteFile

#include "framework/core/FileSystem.h"
#include "framework/core/SysUtils.h"

#include <string>

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

// Under Wine on Linux, links are Linux links. Wine shows a live one as the file it leads
// to, but hides one whose file is gone as if nothing were there; where such a link points
// is asked of Linux itself, through the kernel's 32-bit call gate, which only reads.
template <typename Fn>
Fn WineExport(const char* dll, const char* name) {
  return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(dll), name)));
}

bool OnLinux() {
#if defined(__i386__)
  static const bool onLinux = [] {
    using Fn = void(CDECL*)(const char**, const char**);
    const Fn host = WineExport<Fn>("ntdll.dll", "wine_get_host_version");
    const char* sys = nullptr;
    const char* release = nullptr;
    if (host) host(&sys, &release);
    return sys && lstrcmpA(sys, "Linux") == 0;
  }();
  return onLinux;
#else
  return false;
#endif
}

// A Linux system call; a negative result is the error number.
long LinuxCall(long number, long a, long b, long c) {
#if defined(__i386__)
  long r;
  asm volatile("int $0x80" : "=a"(r) : "0"(number), "b"(a), "c"(b), "d"(c) : "memory");
  return r;
#else
  (void)number, (void)a, (void)b, (void)c;
  return -38;  // ENOSYS
#endif
}

constexpr long kSysOpen = 5, kSysClose = 6, kSysReadlink = 85;
constexpr long kENOENT = 2, kENOTDIR = 20, kEINVAL = 22, kELOOP = 40, kEACCES = 13;
constexpr long kODirectory = 0200000, kOCloexec = 02000000;
constexpr int kMaxHops = 40;  // as Linux itself

long ReadLink(const std::string& path, std::string& to) {
  char buf[4096];
  long n = LinuxCall(kSysReadlink, reinterpret_cast<long>(path.c_str()), reinterpret_cast<long>(buf), sizeof buf);
  if (n >= static_cast<long>(sizeof buf)) return -kELOOP;
  if (n >= 0) to.assign(buf, static_cast<size_t>(n));
  return n;
}

DWORD ErrorOfLinux(long e) {
  if (e == kENOENT || e == kENOTDIR) return ERROR_PATH_NOT_FOUND;
  if (e == kEACCES) return ERROR_ACCESS_DENIED;
  return ERROR_CANT_RESOLVE_FILENAME;
}

std::string UnixNameOf(const AnsiString& name) {
  using Fn = char*(CDECL*)(LPCWSTR);
  static const Fn get = WineExport<Fn>("kernel32.dll", "wine_get_unix_file_name");
  WCHAR wide[MAX_PATH * 2];
  if (!get || !MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, MAX_PATH * 2)) return std::string();
  char* u = get(wide);
  if (!u) return std::string();
  std::string r(u);
  HeapFree(GetProcessHeap(), 0, u);
  return r;
}

AnsiString DosNameOf(const std::string& unix) {
  using Fn = WCHAR*(CDECL*)(const char*);
  static const Fn get = WineExport<Fn>("kernel32.dll", "wine_get_dos_file_name");
  WCHAR* w = get ? get(unix.c_str()) : nullptr;
  if (!w) return AnsiString();
  char buf[MAX_PATH * 2];
  BOOL lossy = FALSE;
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, w, -1, buf, sizeof buf, nullptr, &lossy);
  HeapFree(GetProcessHeap(), 0, w);
  if (n <= 1 || lossy) return AnsiString();  // a name the ANSI calls could not reach
  AnsiString r(buf, static_cast<size_t>(n - 1));
  if (r.compare(0, 4, "\\\\?\\") == 0) r.erase(0, 4);
  return r;
}

enum class Hidden { NotALink, Followed, Broken };

// Follows the chain of Linux links that starts at a name Wine shows as missing, to the
// name of the file that is gone. Broken (with the error) for a loop, or a chain whose last
// link points into a folder that is not there.
Hidden FollowHiddenLinks(const AnsiString& full, AnsiString& end, DWORD& error) {
  if (!OnLinux()) return Hidden::NotALink;
  std::string at = UnixNameOf(full);
  if (at.empty() || at[0] != '/') return Hidden::NotALink;
  int hops = 0;
  for (std::string to;; ++hops) {
    const long r = ReadLink(at, to);
    if (r == -kEINVAL || r == -kENOENT) break;  // no link: the end of the chain
    if (r < 0 || r == 0 || hops == kMaxHops) {
      error = r < 0 ? ErrorOfLinux(-r) : ERROR_CANT_RESOLVE_FILENAME;
      return hops == 0 && r < 0 ? Hidden::NotALink : Hidden::Broken;
    }
    at = to[0] == '/' ? to : at.substr(0, at.rfind('/') + 1) + to;
  }
  if (hops == 0) return Hidden::NotALink;
  const size_t slash = at.rfind('/');
  const std::string leaf = at.substr(slash + 1);
  if (leaf.empty() || leaf == "." || leaf == "..") {
    error = ERROR_PATH_NOT_FOUND;
    return Hidden::Broken;
  }
  std::string dir = slash == 0 ? std::string("/") : at.substr(0, slash);
  const long fd = LinuxCall(kSysOpen, reinterpret_cast<long>(dir.c_str()), kODirectory | kOCloexec, 0);
  if (fd < 0) {
    error = ErrorOfLinux(-fd);
    return Hidden::Broken;
  }
  // The folder's own name, with its links and ".." taken as Linux takes them.
  std::string real;
  if (ReadLink("/proc/self/fd/" + std::to_string(fd), real) > 0 && real[0] == '/') dir = real;
  LinuxCall(kSysClose, fd, 0, 0);
  end = DosNameOf(dir == "/" ? "/" + leaf : dir + "/" + leaf);
  if (end.empty()) {
    error = ERROR_INVALID_NAME;
    return Hidden::Broken;
  }
  return Hidden::Followed;
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
  DWORD error = GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) {
    AnsiString end;
    switch (FollowHiddenLinks(full, end, error)) {
      case Hidden::NotALink:
        return name;
      case Hidden::Followed:
        return end;
      case Hidden::Broken:
        break;
    }
  } else if (error != ERROR_CANT_RESOLVE_FILENAME) {
    return name;  // something there that cannot be opened: the save itself will tell
  }
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
