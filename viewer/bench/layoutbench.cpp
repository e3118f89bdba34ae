// Speed of the document model alone: parse and layout of real pages with a surface whose
// text widths are plain arithmetic, so the figures leave the platform's text measuring out.
// Built natively and for Windows: the same program under Wine shows what the platform's
// run time (allocation above all) costs the model, beside the native figures.
// Times are processor time of this process.
// Usage: layoutbench [PAGE [LARGEPAGE]] (by default two pages of Node.js's manual).
#include "viewer/bench/CpuClock.h"

#include <cctype>
#include <cstdio>
#include <fstream>
#include <string>

#include "viewer/ReadHTML.h"
#include "viewer/HTMLSubs.h"

using namespace vx;

namespace {
// The process's own processor time: on a shared machine the wall clock mostly measures the
// other processes.
double Now() { return CpuNow(); }

// Proportional-looking widths from the character and the font: measuring costs little.
class TArithmeticCanvas : public TViewCanvas {
 public:
  THtMetrics Metrics(const TMyFont& f) override {
    THtMetrics m;
    m.Height = f.Size * 4 / 3 + 3;
    m.Descent = f.Size / 4 + 1;
    m.Ascent = m.Height - m.Descent;
    return m;
  }
  int TextExtent(const TMyFont& f, const char* s, int n) override {
    int w = 0;
    for (int i = 0; i < n; ++i) w += 3 + (static_cast<unsigned char>(s[i]) % 7);
    return w * f.Size / 12 + ((f.Style & htBold) ? n : 0);
  }
  void TextOut(const TMyFont&, THtColor, int, int, const char*, int, THtColor, const THtRect*) override {}
  void FillRect(const THtRect&, THtColor) override {}
  void Line(int, int, int, int, THtColor) override {}
  void Ellipse(const THtRect&, THtColor, THtColor) override {}
  void FrameRect(const THtRect&, THtColor) override {}
  void FillAreaMinus(const THtRect&, const std::vector<THtRect>&, THtColor) override {}
  void DrawImage(const TViewImage&, const TViewImage*, int, int, int, int, bool) override {}
};

std::string ReadAll(const std::string& name) {
  std::ifstream f(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

struct TRun {
  double parse = 0, first = 0, second = 0;
  int sections = 0, height = 0;
};

TRun Measure(const std::string& page) {
  TArithmeticCanvas canvas;
  TRun r;
  TSectionList list;
  list.ApplyDefaults("Times New Roman", "Courier New", 0xFFFFFF, 0xFF0000, 0, 12);
  TStringList anchors;
  double t0 = Now();
  ParseHtmlMemory(list, &anchors, page.data(), page.size());
  list.Finish();
  r.parse = Now() - t0;
  int widest = 0;
  t0 = Now();
  r.height = list.DoLayout(canvas, 840, widest);
  r.first = Now() - t0;
  t0 = Now();
  list.DoLayout(canvas, 840, widest);
  r.second = Now() - t0;
  r.sections = list.Count();
  return r;
}
}  // namespace

int main(int argc, char** argv) {
  std::string pageName = argc > 1 ? argv[1] : "/usr/share/doc/nodejs/api/fs.html";
  std::string largeName = argc > 2 ? argv[2] : "/usr/share/doc/nodejs/api/all.html";
  std::string base = ReadAll(pageName);
  if (base.empty()) {
    std::printf("layoutbench: %s cannot be read\n", pageName.c_str());
    return 1;
  }
  std::string lower = base;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  size_t end = lower.rfind("</body");
  if (end != std::string::npos) base.resize(end);
  std::printf("model layout scaling on %s (%u bytes) repeated:\n", pageName.c_str(), unsigned(base.size()));
  TRun one;
  for (int n : {1, 2, 4, 8}) {
    std::string page;
    for (int i = 0; i < n; ++i) page += base;
    TRun r = Measure(page);
    if (n == 1) one = r;
    std::printf("  %d times: parse %7.1f ms, first layout %7.1f ms (%5.2fx), second layout %7.1f ms (%5.2fx)%s\n", n,
                r.parse, r.first, r.first / one.first, r.second, r.second / one.second,
                n == 8 ? "   (target: at most 9x)" : "");
  }
  std::string large = ReadAll(largeName);
  if (large.empty()) {
    std::printf("layoutbench: %s cannot be read\n", largeName.c_str());
    return 1;
  }
  TRun r = Measure(large);
  std::printf("large page %s (%u bytes, %d sections, %d px): parse %7.1f ms, first layout %7.1f ms, "
              "parse and layout %7.1f ms, second layout %7.1f ms\n",
              largeName.c_str(), unsigned(large.size()), r.sections, r.height, r.parse, r.first, r.parse + r.first,
              r.second);
  std::fflush(stdout);
  return 0;
}
