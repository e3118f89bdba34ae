// Speed of the internal preview: a 1 MB document in the editor, previewed with the frame's
// Reload command (the copy written, loaded, laid out) and painted: once when the preview
// window is made, then again into the window that exists, as the user's next Ctrl+R does;
// beside the time "w3m -dump" takes on the same preview copy.

#include <cstdio>
#include <string>

#include "editor/Vx2_html.h"
#include "editor/bench/BenchFrame.h"
#include "framework/core/SysUtils.h"
#include "bench/BenchClock.h"
#include "bench/W3mTime.h"

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

  // The frame's Reload command and the first paint of what it shows; nullptr when the
  // preview did not come up. shown: the time until the command returned.
  auto reloadAndPaint = [](double& shown) -> THTMLViewer* {
    double t0 = Now();
    FrameForm->ReloadSBClick(FrameForm);
    shown = Now() - t0;
    THTMLViewer* v = Form_HTMLView ? Form_HTMLView->Viewer->GetCurrentViewer() : nullptr;
    if (!v) return nullptr;
    v->PaintPanel()->Invalidate();
    UpdateWindow(v->PaintPanel()->Handle());
    return v;
  };
  // The preview window made and the copy shown in it.
  double shown = 0, t0 = Now();
  if (!reloadAndPaint(shown)) {
    std::printf("previewbench: the preview did not come up\n");
    return 1;
  }
  double created = Now() - t0;
  Application->ProcessMessages();

  // Back in the document, Ctrl+R again: the copy written anew into the window there is.
  frmEditWin->Show();
  Application->ProcessMessages();
  t0 = Now();
  THTMLViewer* v = reloadAndPaint(shown);
  double reload = Now() - t0;
  if (!v) {
    std::printf("previewbench: the preview went away on reload\n");
    return 1;
  }

  std::string copy = HostPathOf(Form_HTMLView->CurrentFileName());
  long long w3mBytes = -1;
  double w3m = TimeW3m(copy, copy.substr(0, copy.rfind('/')), w3mBytes);
  std::printf("document: %u bytes, %d sections, laid out %d px high\n", unsigned(doc.size()), v->Document()->Count(),
              v->DocumentHeight());
  std::printf("preview window made, copy shown and painted: %8.1f ms\n", created);
  std::printf("reload: written, loaded and laid out:        %8.1f ms\n", shown);
  std::printf("reload to the first paint:                   %8.1f ms   target < w3m\n", reload);
  if (w3m >= 0)
    std::printf("w3m -dump, same copy:                        %8.1f ms   reload / w3m = %.2f (target < 1)\n", w3m,
                reload / w3m);
  else
    std::printf("w3m -dump: could not be started\n");
  std::fflush(stdout);
  StopBenchFrame();
  return 0;
}
