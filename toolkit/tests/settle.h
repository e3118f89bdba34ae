// Input sent to the system (SendInput, posted mouse messages) arrives a little later:
// Settle handles messages until the program rests, so a test on a busy machine loses no
// key or click.
#pragma once

#include "framework/win/tests/ScreenDriver.h"

namespace vx {

inline void Settle() { screen::Settle(120); }

}  // namespace vx
