// The benchmarks' clock: milliseconds of the wall clock, from the performance counter on
// Windows (under Wine too: its processor-time clock moves in steps of 20 ms) and the
// steady clock natively; and the median of several runs.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <chrono>
#endif

#include <algorithm>
#include <vector>

namespace vx {

inline double BenchNow() {
#ifdef _WIN32
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
#else
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
#endif
}

inline double BenchMedian(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

}  // namespace vx
