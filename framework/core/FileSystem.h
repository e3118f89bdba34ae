// What SysUtils needs from the platform beyond its public functions; one source per
// platform (FileSystemWin32.cpp, FileSystemPosix.cpp), chosen by CMake.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// Creates one folder whose parent exists.
bool MakeDir(const AnsiString& dir);

}  // namespace vx
