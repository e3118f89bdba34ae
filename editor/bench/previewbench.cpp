// Speed of the internal preview: a 1 MB document in the editor, previewed with the frame's
// Reload command (the copy written, loaded, laid out) and painted for the first time.

#include <cstdio>
#include <string>

#include "editor/Vx2_html.h"
#include "editor/bench/BenchFrame.h"
#include "framework/core/SysUtils.h"
#include "viewer/bench/BenchClock.h"

using namespace vx;

namespace {
double Now() { return BenchNow(); }

// A page of headings, paragraphs with links and inline styles, lists and a table.
std::string MakeDocument(size_t size) {
  std::string s = "<HTML><HEAD><TITLE>Preview benchmark</TITLE></HEAD><BODY>\r\n";
  for (int n = 0; s.size() < size; ++n) {
    if (n % 50 == 0) s += "<H2>Section " + std::to_string(n / 50) + "</H2>\r\n";
    s += "<P>Paragraph " + std::to_string(n) + " with <B>bold</B>, <I>italic</I> and a <A HREF=\"p" +
         std::to_string(n % 20) + ".htm\">link</A> among ordinary words that wrap over the line.\r\n";
    if (n % 30 == 0) s += "<UL><LI>first item<LI>second item<LI>third item</UL>\r\n";
    if (n % 200 == 0) {
      s += "<TABLE BORDER=1>";
      for (int r = 0; r < 10; ++r) s += "<TR><TD>cell " + std::to_string(r) + "<TD>another cell<TD>third\r\n";
      s += "</TABLE>\r\n";
    }
  }
  return s + "</BODY></HTML>\r\n";
}
}  // namespace

int main() {
  StartBenchFrame();
  std::string doc = MakeDocument(1000000);
  frmEditWin->CurrentEditor()->SetText(doc);
  frmEditWin->Show();
  Application->ProcessMessages();

  double t0 = Now();
  FrameForm->ReloadSBClick(FrameForm);
  double shown = Now() - t0;
  THTMLViewer* v = Form_HTMLView ? Form_HTMLView->Viewer->GetCurrentViewer() : nullptr;
  if (!v) {
    std::printf("previewbench: the preview did not come up\n");
    return 1;
  }
  v->PaintPanel()->Invalidate();
  UpdateWindow(v->PaintPanel()->Handle());
  double painted = Now() - t0;
  std::printf("document: %u bytes, %d sections, laid out %d px high\n", unsigned(doc.size()), v->Document()->Count(),
              v->DocumentHeight());
  std::printf("written, loaded and laid out: %8.1f ms\n", shown);
  std::printf("round trip to the first paint: %8.1f ms   target < 1000 ms\n", painted);
  std::fflush(stdout);
  StopBenchFrame();
  return 0;
}
