// The time "w3m -dump" takes on a page, the reference figure of the viewer's benchmarks.
#pragma once

#include <cstdio>
#include <string>

#include "bench/HostRun.h"

namespace vx {

// Milliseconds, timed by the host's shell (nanoseconds from date), and the size of w3m's
// text; -1 when w3m could not be run. unixDir: a folder w3m's text may be written to.
inline double TimeW3m(const std::string& unixPage, const std::string& unixDir, long long& outBytes) {
  outBytes = -1;
  std::string out = unixDir + "/htmlbench_w3m.txt";
  std::string answer;
  if (!RunOnHost("a=$(date +%s%N); /usr/bin/w3m -dump '" + unixPage + "' > '" + out +
                     "'; b=$(date +%s%N); echo $(( (b - a) / 1000 )) $(wc -c < '" + out + "'); rm -f '" + out + "'",
                 answer, 120))
    return -1;
  long long us = -1;
  if (std::sscanf(answer.c_str(), "%lld %lld", &us, &outBytes) != 2) return -1;
  return double(us) / 1000.0;
}

}  // namespace vx
