// The benchmarks' clock: milliseconds from the performance counter.
#pragma once

#include <windows.h>

namespace vx {

inline double BenchNow() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) * 1000.0 / double(f.QuadPart);
}

}  // namespace vx
