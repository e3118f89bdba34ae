// Speed of the document model alone: parse and layout of real pages with a surface whose
// text widths are plain arithmetic, so the figures leave the platform's text measuring out.
// Built natively and for Windows. Under Wine the Windows build also runs the native one
// (interleaved) and prints the plain Wine / native ratio of the same parse and layout, and
// beside it what it measured of the difference: the same work with allocation made free,
// and a plain computing loop; what allocation costs only where it stands out of the runs'
// spread.
// Times are of the wall clock, medians of several runs.
// Usage: layoutbench [PAGE [LARGEPAGE]]   (by default two pages of Node.js's manual)
//        layoutbench --figures PAGE       (one line of figures, read by the Windows build)
//        layoutbench --once PAGE N        (the page repeated N times, for a profiler)
// The Windows build finds the native one in VORNIX_NATIVE_LAYOUTBENCH, else where the
// host preset builds it.
#ifdef _WIN32
#include "bench/HostRun.h"  // windows.h first, as everywhere in the viewer
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "viewer/HTMLSubs.h"
#include "viewer/ReadHTML.h"
#include "bench/Calibration.h"
#include "bench/BenchClock.h"

using namespace vx;

// The program's own allocator: counts what the model allocates and, while the calibration
// asks, hands out memory that is never given back, from a few large chunks that are kept and
// used again by the next such run (memory the system has already supplied), so the model's
// code is timed without the platform's allocator.
namespace {
std::size_t gAllocations = 0;
bool gFreeAllocation = false;
std::vector<char*>* gChunks = nullptr;  // each kChunk bytes
std::size_t gNextChunk = 0;
char* gFreePos = nullptr;
std::size_t gFreeLeft = 0;
constexpr std::size_t kChunk = 64u << 20;

bool InChunks(void* p) {
  if (gChunks)
    for (char* c : *gChunks)
      if (static_cast<char*>(p) >= c && static_cast<char*>(p) < c + kChunk) return true;
  return false;
}

// Runs f with allocation made free; what f made must be gone when it returns.
template <class F>
void WithFreeAllocation(F f) {
  static std::vector<char*> chunks;
  gChunks = &chunks;
  gNextChunk = 0;
  gFreePos = nullptr;
  gFreeLeft = 0;
  gFreeAllocation = true;
  f();
  gFreeAllocation = false;
}
}  // namespace

void* operator new(std::size_t n) {
  ++gAllocations;
  if (gFreeAllocation && n <= kChunk / 4) {
    n = (n + 15) & ~std::size_t(15);
    if (n > gFreeLeft) {
      if (gNextChunk == gChunks->size()) {
        char* c = static_cast<char*>(std::malloc(kChunk));
        if (!c) throw std::bad_alloc();
        gFreeAllocation = false;  // the list of chunks itself comes from the heap
        gChunks->push_back(c);
        gFreeAllocation = true;
      }
      gFreePos = (*gChunks)[gNextChunk++];
      gFreeLeft = kChunk;
    }
    void* p = gFreePos;
    gFreePos += n;
    gFreeLeft -= n;
    return p;
  }
  void* p = std::malloc(n ? n : 1);
  if (!p) throw std::bad_alloc();
  return p;
}
void operator delete(void* p) noexcept {
  if (p && !InChunks(p)) std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {
double Now() { return BenchNow(); }

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
  double parse = 0, finish = 0, first = 0, second = 0;
  int sections = 0, height = 0;
  std::size_t allocations = 0;  // parse and first layout
};

TRun Measure(const std::string& page) {
  TArithmeticCanvas canvas;
  TRun r;
  std::size_t a0 = gAllocations;
  {
    TSectionList list;
    list.ApplyDefaults("Times New Roman", "Courier New", 0xFFFFFF, 0xFF0000, 0, 12);
    TStringList anchors;
    double t0 = Now();
    ParseHtmlMemory(list, &anchors, page.data(), page.size());
    r.parse = Now() - t0;
    t0 = Now();
    list.Finish();
    r.finish = Now() - t0;
    int widest = 0;
    t0 = Now();
    r.height = list.DoLayout(canvas, 840, widest);
    r.first = Now() - t0;
    r.allocations = gAllocations - a0;
    t0 = Now();
    list.DoLayout(canvas, 840, widest);
    r.second = Now() - t0;
    r.sections = list.Count();
  }
  return r;
}

// Each figure the median of its runs.
TRun MedianRun(const std::vector<TRun>& runs) {
  auto median = [&runs](double TRun::*field) {
    std::vector<double> v;
    for (auto& r : runs) v.push_back(r.*field);
    return BenchMedian(v);
  };
  TRun m = runs.back();
  m.parse = median(&TRun::parse);
  m.finish = median(&TRun::finish);
  m.first = median(&TRun::first);
  m.second = median(&TRun::second);
  return m;
}

// The figures of one page: as it runs, and with allocation made free; medians of three
// runs each after a first that is left out (it finds no memory supplied by the system yet).
struct TFigures {
  TRun real, free;
  double scan = 0;
};

TFigures MeasureFigures(const std::string& page) {
  TFigures f;
  std::vector<TRun> real, free;
  Measure(page);
  for (int i = 0; i < 3; ++i) real.push_back(Measure(page));
  WithFreeAllocation([&] { Measure(page); });
  for (int i = 0; i < 3; ++i) WithFreeAllocation([&] { free.push_back(Measure(page)); });
  f.real = MedianRun(real);
  f.free = MedianRun(free);
  f.scan = ScanLoopMs();
  return f;
}

// The page without its closing tags, so that copies follow one another in one body.
std::string Body(std::string page) {
  std::string lower = page;
  for (char& ch : lower) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  size_t end = lower.rfind("</body");
  if (end != std::string::npos) page.resize(end);
  return page;
}

#ifdef _WIN32
const char* const kDefaultPage = "Z:\\usr\\share\\doc\\nodejs\\api\\fs.html";
const char* const kDefaultLarge = "Z:\\usr\\share\\doc\\nodejs\\api\\all.html";
#else
const char* const kDefaultPage = "/usr/share/doc/nodejs/api/fs.html";
const char* const kDefaultLarge = "/usr/share/doc/nodejs/api/all.html";
#endif

#ifdef _WIN32
// The difference of the medians of two sets of runs where it is larger than the spread of
// either set (its slowest run less its fastest); within that it is noise, and none is given.
std::string ResolvedDifference(const std::vector<double>& a, const std::vector<double>& b) {
  auto spread = [](const std::vector<double>& v) {
    return *std::max_element(v.begin(), v.end()) - *std::min_element(v.begin(), v.end());
  };
  double d = BenchMedian(a) - BenchMedian(b), s = std::max(spread(a), spread(b));
  char text[96];
  if (d > s)
    std::snprintf(text, sizeof text, "%.0f ms", d);
  else if (-d > s)
    std::snprintf(text, sizeof text, "none (allocation made free was slower by %.0f ms)", -d);
  else
    std::snprintf(text, sizeof text, "none resolved (runs spread over %.0f ms)", s);
  return text;
}

// The native build's figures of the same page, or false when it cannot be run.
bool NativeFigures(const std::string& native, const std::string& page, TFigures& f) {
  std::string out;
  if (!RunOnHost("'" + native + "' --figures '" + HostPathOf(page) + "'", out)) return false;
  return std::sscanf(out.c_str(), "figures %lf %lf %lf %lf %lf %lf %lf", &f.real.parse, &f.real.finish,
                     &f.real.first, &f.free.parse, &f.free.finish, &f.free.first, &f.scan) == 7;
}

// The large page under Wine against the native build, runs interleaved, medians of five.
void CompareWithNative(const std::string& largeName, const std::string& large) {
  const char* env = std::getenv("VORNIX_NATIVE_LAYOUTBENCH");
  std::string native = env && *env ? env : VORNIX_NATIVE_LAYOUTBENCH;
  std::vector<double> w, wf, ws, n, nf, ns;
  TRun last;
  for (int i = 0; i < 5; ++i) {
    TFigures nat;
    if (!NativeFigures(native, largeName, nat)) {
      std::printf("the native layoutbench (%s) could not be run: build the host preset, or name it in "
                  "VORNIX_NATIVE_LAYOUTBENCH\n", native.c_str());
      return;
    }
    TFigures own = MeasureFigures(large);
    last = own.real;
    w.push_back(own.real.parse + own.real.finish + own.real.first);
    wf.push_back(own.free.parse + own.free.finish + own.free.first);
    ws.push_back(own.scan);
    n.push_back(nat.real.parse + nat.real.finish + nat.real.first);
    nf.push_back(nat.free.parse + nat.free.finish + nat.free.first);
    ns.push_back(nat.scan);
  }
  double W = BenchMedian(w), WF = BenchMedian(wf), WS = BenchMedian(ws), N = BenchMedian(n), NF = BenchMedian(nf),
         NS = BenchMedian(ns);
  std::printf("%s under Wine beside the native build (interleaved, medians of 5, wall clock):\n", largeName.c_str());
  std::printf("  parse, Finish and first layout:  Wine %8.1f ms   native %8.1f ms   Wine / native %5.2f   "
              "(target: at most 2.5)\n", W, N, W / N);
  std::printf("  the same, allocation made free:  Wine %8.1f ms   native %8.1f ms   Wine / native %5.2f\n", WF, NF,
              WF / NF);
  std::printf("  plain computing loop:            Wine %8.1f ms   native %8.1f ms   Wine / native %5.2f\n", WS, NS,
              WS / NS);
  std::printf(
      "  allocations: %zu (%.1f per section); what they cost (the first line less the second, where\n"
      "  larger than the spread of the runs): Wine %s, native %s\n",
      last.allocations, double(last.allocations) / std::max(1, last.sections), ResolvedDifference(w, wf).c_str(),
      ResolvedDifference(n, nf).c_str());
}
#endif
}  // namespace

int main(int argc, char** argv) {
  // --once PAGE N: the page repeated N times parsed and laid out twice, for a profiler.
  if (argc == 4 && std::string(argv[1]) == "--once") {
    std::string base = Body(ReadAll(argv[2])), page;
    for (int i = std::atoi(argv[3]); i > 0; --i) page += base;
    TRun r = Measure(page);
    std::printf("%u bytes, %d sections, %d px: parse %.1f ms, Finish %.2f ms, first layout %.1f ms, second layout "
                "%.1f ms, %zu allocations\n",
                unsigned(page.size()), r.sections, r.height, r.parse, r.finish, r.first, r.second, r.allocations);
    return 0;
  }
  // --figures PAGE: parse, Finish and first layout as they run and with allocation made
  // free, and the computing loop.
  if (argc == 3 && std::string(argv[1]) == "--figures") {
    std::string page = ReadAll(argv[2]);
    if (page.empty()) return 1;
    TFigures f = MeasureFigures(page);
    std::printf("figures %.3f %.3f %.3f %.3f %.3f %.3f %.3f\n", f.real.parse, f.real.finish, f.real.first,
                f.free.parse, f.free.finish, f.free.first, f.scan);
    return 0;
  }
  std::string pageName = argc > 1 ? argv[1] : kDefaultPage;
  std::string largeName = argc > 2 ? argv[2] : kDefaultLarge;
  std::string base = ReadAll(pageName);
  if (base.empty()) {
    std::printf("layoutbench: %s cannot be read\n", pageName.c_str());
    return 1;
  }
  base = Body(base);
  std::printf("plain computing loop: %.1f ms\n", ScanLoopMs());
  // The sizes interleaved round by round, so the machine's load falls on all alike.
  const int sizes[] = {1, 2, 4, 8}, kRounds = 7;
  std::vector<std::string> pages;
  for (int n : sizes) {
    std::string page;
    for (int i = 0; i < n; ++i) page += base;
    pages.push_back(page);
  }
  std::vector<std::vector<TRun>> runs(pages.size());
  for (size_t k = 0; k < pages.size(); ++k) Measure(pages[k]);
  for (int round = 0; round < kRounds; ++round)
    for (size_t k = 0; k < pages.size(); ++k) runs[k].push_back(Measure(pages[k]));
  std::printf("model layout scaling on %s (%u bytes) repeated (wall clock, medians of %d interleaved runs):\n",
              pageName.c_str(), unsigned(base.size()), kRounds);
  TRun one = MedianRun(runs[0]);
  for (size_t k = 0; k < pages.size(); ++k) {
    TRun r = MedianRun(runs[k]);
    std::printf("  %d times: parse %7.1f ms, Finish %6.2f ms (%5.2fx), first layout %7.1f ms (%5.2fx), "
                "second layout %7.1f ms (%5.2fx)%s\n",
                sizes[k], r.parse, r.finish, r.finish / one.finish, r.first, r.first / one.first, r.second,
                r.second / one.second, sizes[k] == 8 ? "   (target: first layout at most 9x)" : "");
  }
  std::fflush(stdout);
  std::string large = ReadAll(largeName);
  if (large.empty()) {
    std::printf("layoutbench: %s cannot be read\n", largeName.c_str());
    return 1;
  }
  std::vector<TRun> largeRuns;
  Measure(large);
  for (int i = 0; i < 5; ++i) largeRuns.push_back(Measure(large));
  TRun r = MedianRun(largeRuns);
  std::printf("large page %s (%u bytes, %d sections, %d px; medians of 5): parse %7.1f ms, Finish %6.2f ms, "
              "first layout %7.1f ms, second layout %7.1f ms, %zu allocations (%.1f per section)\n",
              largeName.c_str(), unsigned(large.size()), r.sections, r.height, r.parse, r.finish, r.first, r.second,
              r.allocations, double(r.allocations) / std::max(1, r.sections));
  std::fflush(stdout);
#ifdef _WIN32
  CompareWithNative(largeName, large);
  std::fflush(stdout);
#endif
  return 0;
}
