// The process-wide list of editor groups: one hidden "LEditGroup32" window per group
// number links the editors that share it (their search text).
#pragma once

#include "framework/win/WinApi.h"

namespace vx {

// The live group window of the number, after every entry whose window no longer answers
// the probe has been dropped; nullptr when there is none.
HWND FindGroupWindow(int number);
// A new group window, entered first in the list.
void AddGroupWindow(int number, HWND window);

}  // namespace vx
