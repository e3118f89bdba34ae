// Host programs started from a Windows benchmark running under Wine: the reference figures
// (w3m, the native build of the same code) come from them.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace vx {

// The host path of a Windows file name on the drive Wine maps to the host root.
inline std::string HostPathOf(const std::string& windowsName) {
  char full[MAX_PATH];
  GetFullPathNameA(windowsName.c_str(), MAX_PATH, full, nullptr);
  std::string p = full;
  if (p.size() > 2 && p[1] == ':') p = p.substr(2);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

// Runs a shell command line of the host (no double quotes in it) and gives back what it
// printed; false when it could not be started or did not end within `seconds`. Wine starts
// host programs but hands back a handle that does not wait for them, so the shell writes
// the output to a file of the current folder, renamed when complete, which is awaited.
inline bool RunOnHost(const std::string& command, std::string& output, int seconds = 600) {
  output.clear();
  std::string name = "vx_host_" + std::to_string(GetCurrentProcessId()) + ".out";
  std::string host = HostPathOf(name);
  DeleteFileA(name.c_str());
  std::string cmd = "/bin/sh -c \"( " + command + " ) > '" + host + ".part' 2>&1; mv '" + host + ".part' '" + host +
                    "'\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA("Z:\\bin\\sh", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  for (int i = 0; i < seconds * 10; ++i) {
    if (FILE* f = std::fopen(name.c_str(), "rb")) {
      char buf[4096];
      for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) output.append(buf, n);
      std::fclose(f);
      DeleteFileA(name.c_str());
      return true;
    }
    Sleep(100);
  }
  return false;
}

}  // namespace vx
