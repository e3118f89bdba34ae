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

// Makes the link `link` (a Windows name) lead to `to`: a Windows full name, or a name
// relative to the link's folder ("real\\a.txt", "..\\a.txt") kept relative in the link.
// The file it leads to must exist (Wine shows no link whose file is gone; delete the file
// afterwards for such a link). False when that cannot be done here (not under Wine).
inline bool MakeUnixLink(const std::string& to, const std::string& link) {
  const std::string l = UnixName(link);
  std::string t = to.size() > 1 && to[1] == ':' ? UnixName(to) : to;
  for (char& c : t)
    if (c == '\\') c = '/';
  if (l.empty() || t.empty()) return false;
  // Wine starts Linux programs as well: ln makes the link exactly as a shell would. Their
  // process handle cannot be waited on, so the link is waited for instead.
  std::string cmd = "ln -s \"" + t + "\" \"" + l + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA("Z:\\bin\\ln", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
    return false;
  if (pi.hThread) CloseHandle(pi.hThread);
  if (pi.hProcess) CloseHandle(pi.hProcess);
  for (int i = 0; i < 200; ++i, Sleep(25))
    if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
  return false;
}

}  // namespace vx
