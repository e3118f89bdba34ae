// The frame's MDI client window: its background and its scroll bars, which follow the
// children lying past its edges.
#pragma once

#include "framework/win/WinApi.h"

namespace vx {

// Takes over the client window just made by the frame.
void SubclassMdiClient(HWND client);

// The client's scroll bars are set again once the children have stopped moving.
void RequestScrollCheck(HWND client);

}  // namespace vx
