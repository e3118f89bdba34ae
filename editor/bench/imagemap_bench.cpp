// Speed of the image map wizard on a large map: a MAP of 10,000 AREAs (or as many as the
// first argument says) selected in a document and re-opened with Edit Image Map; the
// wizard reading it, and its OK writing the map back in place of the selection and going.

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

  double t0 = BenchNow(), ok = 0;
  size_t spots = 0;
  Application->OnModalForm = [&](TForm* f) {
    auto* m = static_cast<TForm_Imgm*>(f);
    spots = m->HotSpots().size();
    ok = BenchNow();
    m->OkBtn->Click();
  };
  frmEditWin->cmdEditImageMapClick(frmEditWin->cmdEditImageMap);
  double end = BenchNow();
  Application->OnModalForm = nullptr;
  // Where the OK's time goes: the same wizard shown again, its map written, then freed.
  double insert = 0, freed = 0;
  {
    TMapSelection sel = SplitMapSelection(map);
    auto wizard = NewForm<TForm_Imgm>(Application);
    for (const AnsiString& area : sel.Areas) wizard->ParseArea(area);
    wizard->Show();  // its spots' windows made, as in the modal run
    Application->ProcessMessages();
    double a = BenchNow();
    wizard->InsertMap(ed, false);
    insert = BenchNow() - a;
    a = BenchNow();
    wizard.reset();
    freed = BenchNow() - a;
    ed->SetText(map);
  }
  bool same = ed->GetText() == map;
  std::printf("map: %d areas, %zu hot spots read, written back %s\n", areas, spots, same ? "unchanged" : "CHANGED");
  std::printf("selection read into the wizard: %9.1f ms\n", ok - t0);
  std::printf("OK (map written, wizard freed): %9.1f ms   target < 1000 ms\n", end - ok);
  std::printf("  of which the map written:      %9.1f ms\n  and the wizard freed:          %9.1f ms\n", insert,
              freed);
  std::fflush(stdout);
  StopBenchFrame();
  return same && spots == static_cast<size_t>(areas) ? 0 : 1;
}
