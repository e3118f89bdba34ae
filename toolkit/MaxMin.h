// Integer minimum, maximum and exchange used throughout the toolkit.
#pragma once

#include <initializer_list>

namespace vx {

inline void SwapValues(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}

inline int Max(int a, int b) { return a > b ? a : b; }
inline int Min(int a, int b) { return a < b ? a : b; }

// The largest element; the list holds at least one value (0 for an empty one).
inline int MaxOf(std::initializer_list<int> values) {
  if (values.size() == 0) return 0;
  int m = *values.begin();
  for (int v : values)
    if (v > m) m = v;
  return m;
}

inline int MaxOf(const int* values, int count) {
  if (count <= 0) return 0;
  int m = values[0];
  for (int i = 1; i < count; ++i)
    if (values[i] > m) m = values[i];
  return m;
}

}  // namespace vx
