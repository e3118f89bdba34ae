// Speed of the internal preview: a 1 MB document in the editor, previewed with the frame's
// Reload command (the copy written, loaded, laid out) and painted: once when the preview
// window is made, then again into the window that exists, as the user's next Ctrl+R does,
// round after round, each beside the time "w3m -dump" takes on the same preview copy. Each
// such reload is timed in its parts, which add up to it: the copy written from the editor's
// text, until the viewer starts its load; the load and layout, while the viewer says it is
// busy; the preview brought to the front, until the command returns; the first paint.
// Usage: wine-exec previewbench.exe [ROUNDS]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>
#include <string>

#include "editor/Preview.h"
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

std::string MinMedMax(const std::vector<double>& v) {
  if (v.empty()) return "-";
  char b[96];
  std::snprintf(b, sizeof b, "%7.1f / %7.1f / %7.1f", *std::min_element(v.begin(), v.end()), BenchMedian(v),
                *std::max_element(v.begin(), v.end()));
  return b;
}

// The first paint of what the preview shows; nullptr when it shows nothing.
THTMLViewer* PaintPreview() {
  THTMLViewer* v = Form_HTMLView ? Form_HTMLView->Viewer->GetCurrentViewer() : nullptr;
  if (!v) return nullptr;
  v->PaintPanel()->Invalidate();
  UpdateWindow(v->PaintPanel()->Handle());
  return v;
}
}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
  StartBenchFrame();
  std::string doc = MakeDocument(1000000);
  frmEditWin->CurrentEditor()->SetText(doc);
  frmEditWin->Show();
  Application->ProcessMessages();

  // The preview window made and the copy shown in it.
  double t0 = Now();
  FrameForm->ReloadSBClick(FrameForm);
  if (!PaintPreview()) {
    std::printf("previewbench: the preview did not come up\n");
    return 1;
  }
  double created = Now() - t0;
  Application->ProcessMessages();
  std::string copy = HostPathOf(Form_HTMLView->CurrentFileName());
  std::string copyDir = copy.substr(0, copy.rfind('/'));

  // The viewer's load inside each reload: from its report of being busy to the report of
  // being done, passed on to the preview window's own handler.
  double loadStart = 0, loadEnd = 0;
  TProcessingEvent previewHandler = Form_HTMLView->Viewer->OnProcessing;
  Form_HTMLView->Viewer->OnProcessing = [&loadStart, &loadEnd, previewHandler](TObject* s, bool on) {
    if (on && !loadStart) loadStart = Now();
    if (!on) loadEnd = Now();
    if (previewHandler) previewHandler(s, on);
  };

  std::vector<double> whole, returned, written, loaded, front, paint, w3m;
  long long w3mBytes = -1;
  THTMLViewer* v = nullptr;
  for (int r = 0; r < rounds; ++r) {
    // Back in the document, Ctrl+R again: the copy written anew into the window there is.
    frmEditWin->Show();
    Application->ProcessMessages();
    loadStart = loadEnd = 0;
    t0 = Now();
    FrameForm->ReloadSBClick(FrameForm);
    double back = Now();
    v = PaintPreview();
    double painted = Now();
    if (!v) {
      std::printf("previewbench: the preview went away on reload\n");
      return 1;
    }
    if (!(t0 <= loadStart && loadStart <= loadEnd && loadEnd <= back)) {
      std::printf("previewbench: the viewer's load was not seen inside the reload\n");
      return 1;
    }
    whole.push_back(painted - t0);
    returned.push_back(back - t0);
    written.push_back(loadStart - t0);
    loaded.push_back(loadEnd - loadStart);
    front.push_back(back - loadEnd);
    paint.push_back(painted - back);
    Application->ProcessMessages();
    double w = TimeW3m(copy, copyDir, w3mBytes);
    if (w >= 0) w3m.push_back(w);
  }

  std::printf("document: %u bytes, %d sections, laid out %d px high; %d rounds, ms min / median / max\n",
              unsigned(doc.size()), v->Document()->Count(), v->DocumentHeight(), rounds);
  std::printf("preview window made, copy shown and painted: %8.1f\n", created);
  std::printf("reload to the first paint:                   %s   target < w3m\n", MinMedMax(whole).c_str());
  if (!w3m.empty())
    std::printf("w3m -dump, same copy, between the reloads:   %s   reload / w3m (medians) = %.2f (target < 1)\n",
                MinMedMax(w3m).c_str(), BenchMedian(whole) / BenchMedian(w3m));
  else
    std::printf("w3m -dump: could not be started\n");
  std::printf("  its parts, in each reload adding up to it:\n");
  std::printf("    copy written from the editor's text      %s\n", MinMedMax(written).c_str());
  std::printf("    copy loaded and laid out                 %s\n", MinMedMax(loaded).c_str());
  std::printf("    preview brought to the front             %s\n", MinMedMax(front).c_str());
  std::printf("    first paint                              %s\n", MinMedMax(paint).c_str());
  std::printf("  the command returned (the first three):    %s\n", MinMedMax(returned).c_str());
  std::fflush(stdout);
  StopBenchFrame();
  return 0;
}
