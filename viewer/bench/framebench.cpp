// Time the frame viewer takes to show a frame document of 1,000, 3,000 and 10,000 frames
// (each a small page), and the windows it made for them; the target is a few seconds.
// Usage: framebench [COUNT...]
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "viewer/FramView.h"
#include "viewer/bench/BenchClock.h"
#include "viewer/bench/BenchForm.h"

using namespace vx;

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM n) {
  ++*reinterpret_cast<int*>(n);
  return TRUE;
}

int WindowsUnder(HWND h) {
  int n = 0;
  EnumChildWindows(h, CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<int> counts = BenchCounts(argc, argv);
  Application->SetUnattended(true);
  TForm* form = nullptr;
  auto* fv = ShowFilledForm<TFrameViewer>(form, 800, 600);
  std::ofstream("framebench_leaf.htm", std::ios::binary) << "<P>A small page in a frame.";
  std::printf("frames     load+paint ms   frames shown   windows   (target: a few seconds)\n");
  for (int n : counts) {
    std::string doc = "<FRAMESET COLS=\"*,*,*,*\">";
    for (int i = 0; i < n; ++i) doc += "<FRAME SRC=framebench_leaf.htm>";
    doc += "</FRAMESET>";
    std::string name = "framebench_" + std::to_string(n) + ".htm";
    std::ofstream(name, std::ios::binary) << doc;
    double t0 = BenchNow();
    fv->LoadFromFile(name);
    fv->Repaint();
    Application->ProcessMessages();
    double t = BenchNow() - t0;
    std::printf("%6d   %12.0f   %12d   %7d\n", n, t, fv->CurrentFrameSet()->ViewerCount(), WindowsUnder(fv->Handle()));
    std::fflush(stdout);
    DeleteFileA(name.c_str());
  }
  DeleteFileA("framebench_leaf.htm");
  form->Free();
  return 0;
}
