// Speed of turning attribute text into row values and back, on 4 KB and on 64 KB of
// attributes: the time per kilobyte should stay the same (linear work). The aim is under
// 5 ms for 4 KB. Prints both times and the ratio of their per-kilobyte costs.
#include <chrono>
#include <cstdio>

#include "framework/core/SysUtils.h"
#include "tagdefs/ParAttribs.h"

using namespace vx;

namespace {

double Run(const THTMLTagDef& tag, const AnsiString& text, int rounds) {
  TParAttributes p;
  p.LoadTag(tag);
  auto t0 = std::chrono::steady_clock::now();
  size_t sink = 0;
  for (int i = 0; i < rounds; ++i) {
    p.ParseAttributes(text);
    sink += p.BuildAttributes().size();
  }
  auto t1 = std::chrono::steady_clock::now();
  if (sink == 0) std::printf("(nothing built)\n");
  return std::chrono::duration<double, std::milli>(t1 - t0).count() / rounds;
}

AnsiString Text(size_t bytes) {
  AnsiString s;
  for (int i = 0; s.size() < bytes; ++i) s += Format("ATTR%d = \"value %d\" flag%d  style='a = b' ", i % 40, i, i);
  return s;
}

}  // namespace

int main() {
  THTMLTagDef tag;
  for (int i = 0; i < 40; ++i) {
    auto* a = new THTMLAttribDef;
    a->SetName(Format("ATTR%d", i));
    tag.Attribs().AddObject(a->Name(), a);
  }
  double small = Run(tag, Text(4096), 200);
  double large = Run(tag, Text(65536), 20);
  std::printf("4 KB: %.3f ms (aim: under 5 ms)\n64 KB: %.3f ms\nper-KB cost ratio 64 KB / 4 KB: %.2f (1.0 is linear)\n",
              small, large, (large / 64) / (small / 4));
  return 0;
}
