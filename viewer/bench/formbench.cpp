// Time the viewer takes to load and to paint a page of many small forms (a text field and
// a button each), at 1,000, 3,000 and 10,000 forms; the target is under 2 s for each at
// 10,000, growing no faster than the page. Freeing the page before (an empty page loaded in
// its place) is timed apart from the load.
// Usage: formbench [COUNT...]
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "viewer/Htmlview.h"
#include "bench/BenchClock.h"
#include "bench/BenchForm.h"

using namespace vx;

int main(int argc, char** argv) {
  std::vector<int> counts = BenchCounts(argc, argv);
  Application->SetUnattended(true);
  TForm* form = nullptr;
  auto* v = ShowFilledForm<THTMLViewer>(form, 800, 600);
  std::printf("forms   freeing the page before ms   load ms   first paint ms   paint after scrolling ms   "
              "(target < 2000 each)\n");
  for (int n : counts) {
    std::string page = "<TITLE>Forms</TITLE>";
    for (int i = 0; i < n; ++i)
      page += "<FORM ACTION=\"find" + std::to_string(i) + "\"><INPUT NAME=q SIZE=12> <INPUT TYPE=submit VALUE=Go></FORM>";
    double t0 = BenchNow();
    v->LoadFromString("");
    double freeing = BenchNow() - t0;
    t0 = BenchNow();
    v->LoadFromString(page);
    double load = BenchNow() - t0;
    t0 = BenchNow();
    v->PaintPanel()->Repaint();
    double paint = BenchNow() - t0;
    v->ScrollTo(v->VPosition() + 5000);
    t0 = BenchNow();
    v->PaintPanel()->Repaint();
    double scrolled = BenchNow() - t0;
    std::printf("%6d   %28.0f   %7.0f   %14.0f   %24.0f\n", n, freeing, load, paint, scrolled);
    std::fflush(stdout);
  }
  form->Free();
  return 0;
}
