// Speed of a full repaint of VornixPro's document editor: the edit window's painting with
// every token's colour asked of the document window, as the program does it. Prints its
// figures; not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"
#include "ledit/bench/BenchDocument.h"
#include "bench/BenchClock.h"

using namespace vx;

namespace {

double Now() { return BenchNow(); }

// The same kinds of lines as ledit_bench's document.
std::string MakeHtml(int lines) {
  std::string s = ledit::kBenchHead;
  for (int i = 0; i < lines; ++i) s += ledit::BenchLine(i) + "\r\n";
  return s + ledit::kBenchTail;
}

}  // namespace

int main() {
  Application->SetTitle(VornixTitle);
  Application->CreateForm<TFrameForm>();
  FrameForm->SetBounds(0, 0, 1000, 780);
  FrameForm->Show();
  FrameForm->NewDoc(FrameForm);
  frmEditWin->SetWindowState(wsMaximized);
  TxEdit* ed = frmEditWin->CurrentEditor();
  if (!ed) {
    printf("no editor\n");
    return 1;
  }
  ed->SetText(MakeHtml(2000));
  Application->ProcessMessages();
  long calls = 0;
  auto handler = ed->OnControlHighlight;
  ed->OnControlHighlight = [&](TObject* s, uint16_t t, int32_t v, const AnsiString& w, TColor& f, TColor& b) {
    ++calls;
    handler(s, t, v, w, f, b);
  };
  RECT r;
  GetClientRect(ed->Handle(), &r);
  double t0 = Now();
  InvalidateRect(ed->Handle(), nullptr, FALSE);
  RedrawWindow(ed->Handle(), nullptr, nullptr, RDW_UPDATENOW);
  printf("editor %ldx%ld, full page paint: %.2f ms with %ld highlight call-backs  target < 16 ms\n", r.right, r.bottom,
         Now() - t0, calls);
  const int paints = 100;
  t0 = Now();
  for (int i = 0; i < paints; ++i) {
    InvalidateRect(ed->Handle(), nullptr, FALSE);
    RedrawWindow(ed->Handle(), nullptr, nullptr, RDW_UPDATENOW);
  }
  printf("full page paint, mean of %d: %.2f ms\n", paints, (Now() - t0) / paints);
  ed->SetModified(false);
  FrameForm->Free();
  return 0;
}
