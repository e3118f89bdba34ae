// Time the frame viewer takes to show a frame document of 1,000, 3,000 and 10,000 frames
// (each a small page), and the windows it made for them; the target is a few seconds. The
// limit on the pieces of a set caps what is shown, so loading and painting do the same
// work at every count; what grows with the count is reading the document, timed apart.
// Wall clock, medians of five.
// Usage: framebench [COUNT...]
#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "viewer/FrameDocument.h"
#include "viewer/FramView.h"
#include "bench/BenchClock.h"
#include "bench/BenchForm.h"

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
  std::printf("a set shows at most %d pieces, the last a note of what is left out: the frames shown are capped\n",
              kMaxFramesPerSet);
  std::printf("frames   reading the document ms   load+paint ms   frames shown   windows   (target: a few seconds)\n");
  for (int n : counts) {
    std::string doc = "<FRAMESET COLS=\"*,*,*,*\">";
    for (int i = 0; i < n; ++i) doc += "<FRAME SRC=framebench_leaf.htm>";
    doc += "</FRAMESET>";
    std::string name = "framebench_" + std::to_string(n) + ".htm";
    std::ofstream(name, std::ios::binary) << doc;
    std::vector<double> reads, loads;
    for (int round = 0; round < 5; ++round) {
      double t0 = BenchNow();
      TFrameDocument read;
      ReadFrameDocumentMemory(doc.data(), doc.size(), read);
      reads.push_back(BenchNow() - t0);
      t0 = BenchNow();
      fv->LoadFromFile(name);
      fv->Repaint();
      Application->ProcessMessages();
      loads.push_back(BenchNow() - t0);
    }
    std::printf("%6d   %23.2f   %13.0f   %12d   %7d\n", n, BenchMedian(reads), BenchMedian(loads),
                fv->CurrentFrameSet()->ViewerCount(), WindowsUnder(fv->Handle()));
    std::fflush(stdout);
    DeleteFileA(name.c_str());
  }
  DeleteFileA("framebench_leaf.htm");
  form->Free();
  return 0;
}
