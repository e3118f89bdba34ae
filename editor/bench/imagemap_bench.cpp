// Speed of the image map wizard on a large map: a MAP of 10,000 AREAs (or as many as the
// first argument says) selected in a document and re-opened with Edit Image Map; the
// wizard reading it, and its OK closing it, writing the map back in place of the selection
// and freeing it, each part timed inside that one run. The document is then compared with
// the map it held: what OK wrote must be the same map.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editor/bench/BenchFrame.h"
#include "editor/wizards/Vx2_imgm.h"
#include "editor/wizards/WizardText.h"
#include "framework/core/SysUtils.h"
#include "bench/BenchClock.h"

using namespace vx;

int main(int argc, char** argv) {
  const int areas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10000;
  StartBenchFrame();

  std::string map = "<MAP NAME=\"big\">\r\n";
  for (int i = 0; i < areas; ++i)
    map += Format("   <AREA COORDS=\"%d,%d,%d,%d\" HREF=\"p%d.htm\">\r\n", i % 100 * 8, i / 100 * 8, i % 100 * 8 + 6,
                  i / 100 * 8 + 6, i);
  map += "</MAP>";
  TxEdit* ed = frmEditWin->CurrentEditor();
  ed->SetText(map);
  ed->SetStartLine(1);
  ed->SetStartPos(0);
  ed->SetEndLine(areas + 2);
  ed->SetEndPos(6);
  ed->ApplySelection();
  Application->ProcessMessages();

  // The moments of the one run: the wizard up, OK pressed, the wizard hidden (its modal run
  // over), its freeing begun (the map written before it), the command returned.
  double t0 = BenchNow(), ok = 0, hidden = 0, freeing = 0;
  size_t spots = 0;
  Application->OnModalForm = [&](TForm* f) {
    auto* m = static_cast<TForm_Imgm*>(f);
    spots = m->HotSpots().size();
    m->OnHide = [&](TObject*) {
      if (!hidden) hidden = BenchNow();
    };
    m->OnDestroy = [&](TObject*) { freeing = BenchNow(); };
    ok = BenchNow();
    m->OkBtn->Click();
  };
  frmEditWin->cmdEditImageMapClick(frmEditWin->cmdEditImageMap);
  double end = BenchNow();
  Application->OnModalForm = nullptr;

  std::string written = ed->GetText();
  bool same = written == map;
  std::string verdict = "unchanged";
  if (!same) {
    size_t at =
        std::mismatch(written.begin(), written.begin() + std::min(written.size(), map.size()), map.begin()).first -
        written.begin();
    verdict = Format("CHANGED (%u bytes where %u were; the first difference at byte %u)", unsigned(written.size()),
                     unsigned(map.size()), unsigned(at));
  }
  bool seen = ok > 0 && hidden >= ok && freeing >= hidden;
  std::printf("map: %d areas, %zu hot spots read, written back by OK %s\n", areas, spots, verdict.c_str());
  std::printf("selection read into the wizard:  %9.1f ms\n", ok - t0);
  std::printf("OK (wizard closed, map written, wizard freed): %9.1f ms   target < 1000 ms\n", end - ok);
  if (seen)
    std::printf(
        "  of which the wizard closed:     %9.1f ms\n"
        "  the map written:                %9.1f ms\n"
        "  the wizard freed:               %9.1f ms\n",
        hidden - ok, freeing - hidden, end - freeing);
  else
    std::printf("  its parts: the wizard was not seen hiding and being freed\n");
  std::fflush(stdout);
  StopBenchFrame();
  return same && seen && spots == static_cast<size_t>(areas) ? 0 : 1;
}
