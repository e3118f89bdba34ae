// Screenshots for looking at what a test built: with VORNIX_SHOTS set, the whole screen
// as NAME.bmp in the current folder (the test's session folder; keep it with
// VORNIX_KEEP_SESSION=1).
#pragma once

#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/win/Graphics.h"

namespace vx {

inline void SaveScreen(const std::string& name) {
  if (!std::getenv("VORNIX_SHOTS")) return;
  TBitmap b;
  b.SetSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HDC screen = GetDC(nullptr);
  BitBlt(b.Canvas()->Handle(), 0, 0, b.Width(), b.Height(), screen, 0, 0, SRCCOPY);
  ReleaseDC(nullptr, screen);
  b.SaveToFile(name + ".bmp");
}

}  // namespace vx
