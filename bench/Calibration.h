// A reference piece of computation, timed alike in the native and the Windows build: what
// plain code costs in each, beside the model's figures.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/BenchClock.h"

namespace vx {

// Milliseconds (wall clock) of plain computation of the parser's kind: 40 MB of text read
// byte by byte, looked up in a table and branched on; no calls, no allocation. The median
// of five.
inline double ScanLoopMs() {
  std::string text;
  const char* piece = "<p class=\"x\">Some text of the manual, <code>fs.open()</code> and more words.</p>\n";
  while (text.size() < (4u << 20)) text += piece;
  unsigned char table[256];
  for (int i = 0; i < 256; ++i) table[i] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
  std::vector<double> runs;
  volatile std::uint32_t sink = 0;
  for (int run = 0; run < 5; ++run) {
    double t0 = BenchNow();
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
    runs.push_back(BenchNow() - t0);
  }
  (void)sink;
  return BenchMedian(runs);
}

}  // namespace vx
