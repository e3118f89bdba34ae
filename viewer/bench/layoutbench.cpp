// Speed of the document model alone: parse and layout of real pages with a surface whose
// text widths are plain arithmetic, so the figures leave the platform's text measuring out.
// Built natively and for Windows. Under Wine the Windows build also runs the native one
// (interleaved) and reads its own figures against it: Wine's 32-bit code runs under
// emulation on some machines, so beside the plain ratio it times the same parse and layout
// with allocation made free (what the emulation costs this very code) and a plain
// computing loop, and shows what is left: what the platform's run time costs the model.
// Times are processor time of this process.
// Usage: layoutbench [PAGE [LARGEPAGE]]   (by default two pages of Node.js's manual)
//        layoutbench --figures PAGE       (one line of figures, read by the Windows build)
//        layoutbench --once PAGE N        (the page repeated N times, for a profiler)
// The Windows build finds the native one in VORNIX_NATIVE_LAYOUTBENCH, else where the
// host preset builds it.
#ifdef _WIN32
#include "viewer/bench/HostRun.h"  // windows.h first, as everywhere in the viewer
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
#include "viewer/bench/Calibration.h"
#include "viewer/bench/CpuClock.h"

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
    list.Finish();
    r.parse = Now() - t0;
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

// The figures of one page: as it runs, and with allocation made free.
struct TFigures {
  TRun real, free;
  double scan = 0;
};

TFigures MeasureFigures(const std::string& page) {
  TFigures f;
  // Each figure is of a second run, which finds its memory supplied by the system already:
  // the first run of a process pays for that, and the machine's load makes it vary most.
  for (int i = 0; i < 2; ++i) f.real = Measure(page);
  for (int i = 0; i < 2; ++i) WithFreeAllocation([&] { f.free = Measure(page); });
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
double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// The native build's figures of the same page, or false when it cannot be run.
bool NativeFigures(const std::string& native, const std::string& page, TFigures& f) {
  std::string out;
  if (!RunOnHost("'" + native + "' --figures '" + HostPathOf(page) + "'", out)) return false;
  return std::sscanf(out.c_str(), "figures %lf %lf %lf %lf %lf", &f.real.parse, &f.real.first, &f.free.parse,
                     &f.free.first, &f.scan) == 5;
}

// The large page under Wine against the native build, runs interleaved, medians of three.
void CompareWithNative(const std::string& largeName, const std::string& large) {
  const char* env = std::getenv("VORNIX_NATIVE_LAYOUTBENCH");
  std::string native = env && *env ? env : VORNIX_NATIVE_LAYOUTBENCH;
  std::vector<double> w, wf, ws, n, nf, ns;
  TRun last;
  for (int i = 0; i < 3; ++i) {
    TFigures nat;
    if (!NativeFigures(native, largeName, nat)) {
      std::printf("the native layoutbench (%s) could not be run: build the host preset, or name it in "
                  "VORNIX_NATIVE_LAYOUTBENCH\n", native.c_str());
      return;
    }
    TFigures own = MeasureFigures(large);
    last = own.real;
    w.push_back(own.real.parse + own.real.first);
    wf.push_back(own.free.parse + own.free.first);
    ws.push_back(own.scan);
    n.push_back(nat.real.parse + nat.real.first);
    nf.push_back(nat.free.parse + nat.free.first);
    ns.push_back(nat.scan);
  }
  double W = Median(w), WF = Median(wf), WS = Median(ws), N = Median(n), NF = Median(nf), NS = Median(ns);
  double codeFactor = WF / NF, loopFactor = WS / NS;
  std::printf("%s under Wine beside the native build (interleaved, medians of 3, processor time):\n",
              largeName.c_str());
  std::printf("  parse and first layout:          Wine %8.1f ms   native %8.1f ms   Wine / native %5.2f\n", W, N,
              W / N);
  std::printf("  the same, allocation made free:  Wine %8.1f ms   native %8.1f ms   (the emulation of this code) %5.2f\n",
              WF, NF, codeFactor);
  std::printf("  plain computing loop:            Wine %8.1f ms   native %8.1f ms   (the emulation of plain code) %5.2f\n",
              WS, NS, loopFactor);
  std::printf("  allocations: %zu (%.1f per section); under Wine they cost %.0f ms, natively %.0f ms\n",
              last.allocations, double(last.allocations) / std::max(1, last.sections), W - WF, N - NF);
  std::printf("  Wine / native allowing for the emulation: %.2f / %.2f = %.2f   (target: at most 2.5)\n", W / N,
              codeFactor, W / N / codeFactor);
}
#endif
}  // namespace

int main(int argc, char** argv) {
  // --once PAGE N: the page repeated N times parsed and laid out twice, for a profiler.
  if (argc == 4 && std::string(argv[1]) == "--once") {
    std::string base = Body(ReadAll(argv[2])), page;
    for (int i = std::atoi(argv[3]); i > 0; --i) page += base;
    TRun r = Measure(page);
    std::printf("%u bytes, %d sections, %d px: parse %.1f ms, first layout %.1f ms, second layout %.1f ms, "
                "%zu allocations\n",
                unsigned(page.size()), r.sections, r.height, r.parse, r.first, r.second, r.allocations);
    return 0;
  }
  // --figures PAGE: parse and first layout as they run and with allocation made free, and
  // the computing loop.
  if (argc == 3 && std::string(argv[1]) == "--figures") {
    std::string page = ReadAll(argv[2]);
    if (page.empty()) return 1;
    TFigures f = MeasureFigures(page);
    std::printf("figures %.1f %.1f %.1f %.1f %.1f\n", f.real.parse, f.real.first, f.free.parse, f.free.first, f.scan);
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
  std::printf("model layout scaling on %s (%u bytes) repeated (processor time):\n", pageName.c_str(),
              unsigned(base.size()));
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
              "parse and layout %7.1f ms, second layout %7.1f ms, %zu allocations (%.1f per section)\n",
              largeName.c_str(), unsigned(large.size()), r.sections, r.height, r.parse, r.first, r.parse + r.first,
              r.second, r.allocations, double(r.allocations) / std::max(1, r.sections));
  std::fflush(stdout);
#ifdef _WIN32
  CompareWithNative(largeName, large);
  std::fflush(stdout);
#endif
  return 0;
}
