// Screenshots for a person to look at what a test built: with VORNIX_SHOTS set, the whole
// screen as NAME.bmp, in the folder VORNIX_SHOTS names, or in the current folder (the
// test's session folder; keep it with VORNIX_KEEP_SESSION=1) when it names none.
#pragma once

#include "framework/win/WinApi.h"

#include <cstdlib>
#include <string>

#include "framework/win/GdiScoped.h"
#include "framework/win/Graphics.h"

namespace vx {

// The folder the shots go to, ending in a backslash; empty when no shots are wanted.
inline std::string ShotFolder() {
  const char* dir = std::getenv("VORNIX_SHOTS");
  if (!dir || !*dir) return {};
  std::string d = dir;
  if (d.find_first_of("/\\:") == std::string::npos) return ".\\";
  if (d[0] == '/') {  // a Unix path from the test's caller: the same folder through drive Z:
    for (char& c : d)
      if (c == '/') c = '\\';
    d = "Z:" + d;
  }
  if (d.back() != '\\') d += '\\';
  CreateDirectoryA(d.c_str(), nullptr);
  return d;
}

inline void SaveScreen(const std::string& name) {
  const std::string dir = ShotFolder();
  if (dir.empty()) return;
  TBitmap b;
  b.SetSize(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  {
    TWindowDC screen(nullptr);
    BitBlt(b.Canvas()->Handle(), 0, 0, b.Width(), b.Height(), screen, 0, 0, SRCCOPY);
  }
  b.SaveToFile(dir + name + ".bmp");
}

}  // namespace vx
