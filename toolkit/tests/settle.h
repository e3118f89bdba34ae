// Input sent to the system (SendInput, posted mouse messages) arrives a little later:
// Settle handles messages until none came for a while, at most two seconds, so a test on
// a busy machine loses no key or click.
#pragma once

#include <windows.h>

#include "framework/win/Forms.h"

namespace vx {

inline void Settle() {
  DWORD start = GetTickCount(), quietSince = start;
  while (GetTickCount() - quietSince < 120 && GetTickCount() - start < 2000) {
    MSG m;
    if (PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE)) {
      Application->ProcessMessages();
      quietSince = GetTickCount();
    } else {
      Sleep(10);
    }
  }
}

}  // namespace vx
