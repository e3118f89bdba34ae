// Speed of a full repaint of VornixPro's document editor: the edit window's painting with
// every token's colour asked of the document window, as the program does it. Prints its
// figures; not a test.
#include <windows.h>

#include <cstdio>
#include <string>

#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"
#include "viewer/bench/BenchClock.h"

using namespace vx;

namespace {

double Now() { return BenchNow(); }

// The same kinds of lines as ledit_bench's document.
std::string MakeHtml(int lines) {
  std::string s = "<HTML>\r\n<HEAD><TITLE>Benchmark</TITLE></HEAD>\r\n<BODY>\r\n";
  char buf[200];
  for (int i = 0; i < lines; ++i) {
    switch (i % 6) {
      case 0:
        snprintf(buf, sizeof buf, "<P CLASS=\"para\">Paragraph %d of the text &amp; more words here</P>", i);
        break;
      case 1:
        snprintf(buf, sizeof buf, "<A HREF=\"page%d.htm\">Link number %d</A> <B>bold</B> <I>italic</I>", i, i);
        break;
      case 2: snprintf(buf, sizeof buf, "<!-- comment %d about the table that follows --> plain words", i); break;
      case 3: snprintf(buf, sizeof buf, "<TABLE BORDER=1><TR><TD>cell %d</TD><TD>cell</TD></TR></TABLE>", i); break;
      case 4: snprintf(buf, sizeof buf, "<IMG SRC=\"images/pic%d.gif\" WIDTH=100 HEIGHT=50 ALT=\"Picture\">", i); break;
      default: snprintf(buf, sizeof buf, "Some plain text on line %d, with a few more words to fill it out.", i); break;
    }
    s += buf;
    s += " <SPAN>more text</SPAN>\r\n";
  }
  return s + "</BODY>\r\n</HTML>\r\n";
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
