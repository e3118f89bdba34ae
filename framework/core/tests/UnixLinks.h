// Real symbolic links of the Linux side, made by a test that runs under Wine, as a user's
// shell would make them; the programs then reach them through Z: names.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vx {

// The Linux name of a Windows name; empty when not running under Wine.
inline std::string UnixName(const std::string& name) {
  using Fn = char*(CDECL*)(LPCWSTR);
  static const Fn get = reinterpret_cast<Fn>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!get) return std::string();
  std::vector<WCHAR> w(name.size() + 1);
  MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, w.data(), static_cast<int>(w.size()));
  char* u = get(w.data());
  if (!u) return std::string();
  std::string r(u);
  HeapFree(GetProcessHeap(), 0, u);
  return r;
}

// Runs a Linux shell command line (through Wine, which starts Linux programs as well) and
// waits for it: its process handle cannot be waited on, so it writes its exit status into
// a file, and what it printed into another. False when it could not be run here (not
// under Wine), failed, or did not finish within seconds.
inline bool RunUnix(const std::string& command, std::string* printed = nullptr) {
  char dir[MAX_PATH], status[MAX_PATH];
  if (!GetTempPathA(MAX_PATH, dir) || !GetTempFileNameA(dir, "vxu", 0, status)) return false;
  const std::string out = std::string(status) + ".out";
  ::DeleteFileA(status);
  const std::string s = UnixName(status), o = UnixName(out);
  if (s.empty() || o.empty()) return false;
  std::string cmd = "sh -c \"" + command + " >'" + o + "'; echo $? >'" + s + "'\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA("Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  std::string code;
  for (int i = 0; i < 400 && code.empty(); ++i, Sleep(25)) {
    HANDLE f = CreateFileA(status, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) continue;
    char buf[16];
    DWORD got = 0;
    if (ReadFile(f, buf, sizeof buf, &got, nullptr) && got > 0 && buf[got - 1] == '\n') code.assign(buf, got - 1);
    CloseHandle(f);
  }
  if (printed) {
    printed->clear();
    HANDLE f = CreateFileA(out.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buf[4096];
    DWORD got = 0;
    if (f != INVALID_HANDLE_VALUE && ReadFile(f, buf, sizeof buf, &got, nullptr)) printed->assign(buf, got);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
    while (!printed->empty() && printed->back() == '\n') printed->pop_back();
  }
  ::DeleteFileA(status);
  ::DeleteFileA(out.c_str());
  return code == "0";
}

// Makes the link `link` (a Windows name) lead to `to`: a Windows full name, or a name
// relative to the link's folder ("real\\a.txt", "..\\a.txt") kept relative in the link.
// The file it leads to need not exist. False when that cannot be done here (not under
// Wine).
inline bool MakeUnixLink(const std::string& to, const std::string& link) {
  const std::string l = UnixName(link);
  std::string t = to.size() > 1 && to[1] == ':' ? UnixName(to) : to;
  for (char& c : t)
    if (c == '\\') c = '/';
  if (l.empty() || t.empty()) return false;
  return RunUnix("ln -s '" + t + "' '" + l + "'");
}

// Where a Linux link leads, as written in it; empty when `link` is no link. Wine shows
// no link whose file is gone: this sees it.
inline std::string UnixLinkTarget(const std::string& link) {
  std::string to;
  const std::string l = UnixName(link);
  if (l.empty() || !RunUnix("readlink '" + l + "'", &to)) return std::string();
  return to;
}

}  // namespace vx
