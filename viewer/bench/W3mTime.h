// The time "w3m -dump" takes on a page, the reference figure of the viewer's benchmarks.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace vx {

// w3m is a program of the host. Wine starts host programs but hands back a handle that
// does not wait for them, so a shell times w3m itself (nanoseconds from date) and writes
// the figure and the size of w3m's text to a file, which is awaited here.
inline double TimeW3m(const std::string& unixPage, const std::string& unixDir, long long& outBytes) {
  outBytes = -1;
  const char* resultName = "htmlbench_w3m.time";
  DeleteFileA(resultName);
  std::string out = unixDir + "/htmlbench_w3m.txt", result = unixDir + "/" + resultName;
  std::string script = "a=$(date +%s%N); /usr/bin/w3m -dump '" + unixPage + "' > '" + out +
                       "'; b=$(date +%s%N); echo $(( (b - a) / 1000 )) $(wc -c < '" + out + "') > '" + result +
                       ".part'; rm -f '" + out + "'; mv '" + result + ".part' '" + result + "'";
  std::string cmd = "/bin/sh -c \"" + script + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA("Z:\\bin\\sh", &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  CloseHandle(pi.hProcess);
  CloseHandle(pi.hThread);
  for (int i = 0; i < 1200; ++i) {
    if (FILE* f = std::fopen(resultName, "r")) {
      long long us = -1;
      int n = std::fscanf(f, "%lld %lld", &us, &outBytes);
      std::fclose(f);
      DeleteFileA(resultName);
      return n == 2 ? double(us) / 1000.0 : -1;
    }
    Sleep(100);
  }
  return -1;
}

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

}  // namespace vx
