// Starting other programs by a command line, as the editor starts browsers and tools.
#pragma once

#include "framework/win/WinApi.h"

#include "framework/core/SysUtils.h"  // QuotedIfBlank, for the command lines

namespace vx {

// Starts the command line with its window shown as asked (SW_...); the process handle when
// asked for (the caller closes it). False, with the system's error left in GetLastError,
// when it did not start.
bool StartProgram(const AnsiString& commandLine, int show, HANDLE* process = nullptr);

}  // namespace vx
