// Windows without a control: hidden utility windows and window procedures bound to a
// callable (object instances). Controls.h includes this header for its users.
#pragma once

#include <functional>

#include "framework/win/WinApi.h"

namespace vx {

struct TMessage;

// A hidden utility window whose messages go to proc; freed with DeallocateHWnd.
HWND AllocateHWnd(std::function<void(TMessage&)> proc);
void DeallocateHWnd(HWND h);
// A real window procedure bound to a callable (a small executable thunk).
WNDPROC MakeObjectInstance(std::function<void(TMessage&)> proc);
void FreeObjectInstance(WNDPROC p);

}  // namespace vx
