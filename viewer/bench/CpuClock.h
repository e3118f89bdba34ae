// The benchmarks' processor clock: milliseconds of processor time this process has used,
// which the other programs of a busy machine do not inflate as they do the wall clock.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <ctime>
#endif

namespace vx {

inline double CpuNow() {
#ifdef _WIN32
  FILETIME created, exited, kernel, user;
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return double((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
  };
  return ms(kernel) + ms(user);
#else
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return double(t.tv_sec) * 1000.0 + double(t.tv_nsec) / 1e6;
#endif
}

}  // namespace vx
