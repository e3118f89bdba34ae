#include "framework/win/Programs.h"

#include <vector>

namespace vx {

bool StartProgram(const AnsiString& commandLine, int show, HANDLE* process) {
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = static_cast<WORD>(show);
  PROCESS_INFORMATION pi{};
  // The system may write into the line it is given.
  std::vector<char> line(commandLine.begin(), commandLine.end());
  line.push_back('\0');
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return false;
  CloseHandle(pi.hThread);
  if (process)
    *process = pi.hProcess;
  else
    CloseHandle(pi.hProcess);
  return true;
}

}  // namespace vx
