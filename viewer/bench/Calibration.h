// Reference pieces of computation, timed alike in the native and the Windows build, so that
// a figure under Wine can be read against the native one on a machine that runs Wine's
// 32-bit code under emulation.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "viewer/bench/CpuClock.h"

namespace vx {

// Milliseconds of processor time for plain computation of the parser's kind: 40 MB of text
// read byte by byte, looked up in a table and branched on; no calls, no allocation. The
// best of three.
inline double ScanLoopMs() {
  std::string text;
  const char* piece = "<p class=\"x\">Some text of the manual, <code>fs.open()</code> and more words.</p>\n";
  while (text.size() < (4u << 20)) text += piece;
  unsigned char table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
  double best = 1e9;
  volatile std::uint32_t sink = 0;
  for (int run = 0; run < 3; ++run) {
    double t0 = CpuNow();
    std::uint32_t r = 0;
    for (int pass = 0; pass < 10; ++pass) {
      table[pass] ^= 1;  // each pass differs, so none can be left out
      std::uint32_t words = 0, tags = 0, h = 0;
      bool inTag = false;
      for (char ch : text) {
        unsigned char c = static_cast<unsigned char>(ch), u = table[c];
        if (c == '<') {
          inTag = true;
          ++tags;
        } else if (c == '>') {
          inTag = false;
        } else if (!inTag && u == ' ') {
          ++words;
        } else {
          h = h * 31 + u;
        }
      }
      r += words + tags * 7 + h;
    }
    sink = r;
    best = std::min(best, CpuNow() - t0);
  }
  (void)sink;
  return best;
}

}  // namespace vx
