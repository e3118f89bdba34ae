// Speed of the viewer on a generated 1 MB page: parse and layout, relayout after a resize,
// one full paint, a search; with the time of "w3m -dump" on the same page for reference.
// Then layout scaling on a real page repeated (Finish, first and second layout, and apart the
// fixed cost of a new measuring surface), and a large real page; layoutbench gives the same
// page's native figures. Wall clock, medians.
// Usage: htmlbench [PAGE [LARGEPAGE]] (Windows paths; by default two pages of Node.js's
// manual, which Debian's nodejs package installs).
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "viewer/HTMLGdi.h"
#include "viewer/Htmlview.h"
#include "bench/BenchClock.h"
#include "bench/W3mTime.h"

using namespace vx;

namespace {
double Now() { return BenchNow(); }

std::string MakePage() {
  std::string s = "<HTML><HEAD><TITLE>Benchmark page</TITLE></HEAD><BODY BGCOLOR=white>\n<H1>Benchmark</H1>\n";
  int n = 0;
  while (s.size() < 700000) {
    s += "<P>Paragraph " + std::to_string(n) + " with some ordinary words, a <A HREF=\"page" + std::to_string(n % 50) +
         ".htm\">link to another page</A>, <B>bold</B> and <I>italic</I> text that wraps over the line.\n";
    if (n % 40 == 0) {
      s += "<UL>";
      for (int i = 0; i < 5; ++i) s += "<LI>List item " + std::to_string(i) + " of block " + std::to_string(n);
      s += "</UL><OL><LI>first<LI>second<LI>third</OL>\n";
    }
    ++n;
  }
  s += "<TABLE BORDER=1 CELLPADDING=2>\n";
  for (int r = 0; r < 200; ++r) {
    s += "<TR>";
    for (int c = 0; c < 20; ++c) s += "<TD>r" + std::to_string(r) + "c" + std::to_string(c) + "</TD>";
    s += "\n";
  }
  s += "</TABLE>\n";
  while (s.size() < 1000000) s += "<P>Closing paragraph with plain text to reach the size of one megabyte.\n";
  return s + "<P>needle at the end</BODY></HTML>\n";
}

// The whole of a file, or "" when it cannot be read.
std::string ReadAll(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

// A page's layouts on a new measuring surface like the viewer's, with the viewer's fonts and
// width. A new surface first learns the fonts it measures with, whatever the page's size:
// one parse of the page is laid out on it for that, and the difference from the next gives
// that cost. Then a second parse on the surface that knows the fonts: Finish and its first
// layout (the load's work, growing with the page), and its second (a resize's).
struct TLayoutTimes {
  double newSurface = 0, finish = 0, first = 0, second = 0;
};

TLayoutTimes TimeLayouts(THTMLViewer* v, const std::string& page) {
  TLayoutTimes t;
  HDC dc = CreateCompatibleDC(nullptr);
  {
    TGdiViewCanvas c(dc);
    int widest = 0, width = v->PaintPanel()->Width() - 10;
    auto parsed = [&](TSectionList& list) {
      list.ApplyDefaults(v->DefFontName(), v->DefPreFontName(), 0xFFFFFF, 0xFF0000, 0, 12);
      TStringList anchors;
      ParseHtmlMemory(list, &anchors, page.data(), page.size());
    };
    {
      TSectionList list;
      parsed(list);
      list.Finish();
      double t0 = Now();
      list.DoLayout(c, width, widest);
      t.newSurface = Now() - t0;
    }
    TSectionList list;
    parsed(list);
    double t0 = Now();
    list.Finish();
    t.finish = Now() - t0;
    t0 = Now();
    list.DoLayout(c, width, widest);
    t.first = Now() - t0;
    t0 = Now();
    list.DoLayout(c, width, widest);
    t.second = Now() - t0;
  }
  DeleteDC(dc);
  return t;
}

// Layout growing with the page: a real list-heavy manual page repeated 1 to 12 times, each
// laid out again at the same width (parse left out), the sizes interleaved round by round;
// then a large real page whole.
void ScalingRun(THTMLViewer* v, const std::string& pageName, const std::string& largeName) {
  std::string base = ReadAll(pageName);
  if (base.empty()) {
    std::printf("scaling: %s cannot be read (give a page as the first argument)\n", pageName.c_str());
    return;
  }
  // The body repeated: the page's text up to its closing BODY tag, which would end the parse.
  std::string lower = base;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  size_t end = lower.rfind("</body");
  if (end != std::string::npos) base.resize(end);
  const int sizes[] = {1, 2, 4, 8, 12}, kRounds = 5;
  std::vector<std::string> pages;
  for (int n : sizes) {
    std::string page;
    for (int i = 0; i < n; ++i) page += base;
    pages.push_back(page);
  }
  std::vector<std::vector<double>> surface(pages.size()), finish(pages.size()), first(pages.size()),
      second(pages.size());
  for (int round = 0; round < kRounds; ++round)
    for (size_t k = 0; k < pages.size(); ++k) {
      TLayoutTimes t = TimeLayouts(v, pages[k]);
      surface[k].push_back(t.newSurface - t.first);
      finish[k].push_back(t.finish);
      first[k].push_back(t.first);
      second[k].push_back(t.second);
    }
  std::printf(
      "layout scaling on %s (%u bytes) repeated (wall clock, medians of %d interleaved runs; the first\n"
      "  layout on a surface that knows the page's fonts, and apart what a new surface adds to it):\n",
      pageName.c_str(), unsigned(base.size()), kRounds);
  double finishOne = BenchMedian(finish[0]), firstOne = BenchMedian(first[0]), secondOne = BenchMedian(second[0]);
  for (size_t k = 0; k < pages.size(); ++k) {
    double fi = BenchMedian(finish[k]), f = BenchMedian(first[k]), s2 = BenchMedian(second[k]);
    v->LoadFromString(pages[k]);
    std::printf(
        "  %2d times: Finish %6.2f ms (%5.1fx), first layout %8.1f ms (%5.1fx), Finish and first %5.1fx, "
        "second layout %8.1f ms (%5.1fx), a new surface learning its fonts %5.1f ms   %6d sections, %8d px%s\n",
        sizes[k], fi, fi / finishOne, f, f / firstOne, (fi + f) / (finishOne + firstOne), s2, s2 / secondOne,
        BenchMedian(surface[k]), v->Document()->Count(), v->DocumentHeight(),
        sizes[k] == 8 ? "   (target: at most 9x)" : "");
  }
  std::fflush(stdout);
  std::string large = ReadAll(largeName);
  if (large.empty()) {
    std::printf("large page: %s cannot be read (give one as the second argument)\n", largeName.c_str());
    return;
  }
  std::vector<double> loads, relayouts;
  for (int round = 0; round < 3; ++round) {
    double t0 = Now();
    v->LoadFromString(large);
    loads.push_back(Now() - t0);
    t0 = Now();
    v->Relayout();
    relayouts.push_back(Now() - t0);
  }
  std::printf(
      "large page %s (%u bytes, %d sections, %d px; medians of 3): parse and layout %8.1f ms, layout alone %8.1f ms"
      "   target < 500 ms,\n  at most 2.5 times the native figure of layoutbench\n",
      largeName.c_str(), unsigned(large.size()), v->Document()->Count(), v->DocumentHeight(), BenchMedian(loads),
      BenchMedian(relayouts));
}

}  // namespace

int main(int argc, char** argv) {
  Application->SetUnattended(true);
  std::string page = MakePage();
  const char* name = "htmlbench_page.htm";
  {
    std::ofstream f(name, std::ios::binary);
    f << page;
  }
  std::string unixPath = HostPathOf(name);
  std::string unixDir = unixPath.substr(0, unixPath.rfind('/'));

  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, 900, 700);
  auto* v = new THTMLViewer(form);
  v->SetParent(form);
  v->SetBounds(0, 0, 880, 660);
  form->Show();
  Application->ProcessMessages();

  // Each figure the median of five rounds, w3m's among them, so the machine's load falls on
  // all alike.
  std::vector<double> parses, loads, relayouts, paints, finds, w3ms;
  int found = -1;
  long long w3mBytes = -1;
  for (int round = 0; round < 5; ++round) {
    // Parse alone, into a list of its own.
    double t0 = Now();
    {
      TSectionList list;
      TStringList anchors;
      ParseHtmlMemory(list, &anchors, page.data(), page.size());
    }
    parses.push_back(Now() - t0);

    v->SetBounds(0, 0, 880, 660);
    t0 = Now();
    v->LoadFromFile(name);
    loads.push_back(Now() - t0);

    t0 = Now();
    v->SetBounds(0, 0, 860, 660);
    relayouts.push_back(Now() - t0);

    Application->ProcessMessages();
    t0 = Now();
    v->PaintPanel()->Invalidate();
    UpdateWindow(v->PaintPanel()->Handle());
    paints.push_back(Now() - t0);

    t0 = Now();
    found = v->FindText("needle at the end");
    finds.push_back(Now() - t0);

    double w = TimeW3m(unixPath, unixDir, w3mBytes);
    if (w >= 0) w3ms.push_back(w);
  }
  double parse = BenchMedian(parses), load = BenchMedian(loads), relayout = BenchMedian(relayouts),
         paint = BenchMedian(paints), find = BenchMedian(finds), w3m = w3ms.size() == 5 ? BenchMedian(w3ms) : -1;

  std::printf("page: %u bytes, %d sections, document height %d px (wall clock, medians of 5 interleaved rounds)\n",
              unsigned(page.size()), v->Document()->Count(), v->DocumentHeight());
  std::printf("parse alone:            %8.1f ms\n", parse);
  std::printf("parse and layout (load): %8.1f ms   target < 1000 ms\n", load);
  std::printf("relayout after resize:  %8.1f ms   target < 150 ms\n", relayout);
  std::printf("one full paint:         %8.1f ms   target < 30 ms\n", paint);
  std::printf("FindText:               %8.1f ms   (found at %d)\n", find, found);
  if (w3m >= 0)
    std::printf("w3m -dump, same page:   %8.1f ms   (%lld bytes of text)   viewer load / w3m = %.2f (target < 1)\n",
                w3m, w3mBytes, load / w3m);
  else
    std::printf("w3m -dump: could not be started\n");
  std::fflush(stdout);
  ScalingRun(v, argc > 1 ? argv[1] : "Z:\\usr\\share\\doc\\nodejs\\api\\fs.html",
             argc > 2 ? argv[2] : "Z:\\usr\\share\\doc\\nodejs\\api\\all.html");
  std::fflush(stdout);
  form->Free();
  DeleteFileA(name);
  return 0;
}
