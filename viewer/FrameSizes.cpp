#include "viewer/FrameSizes.h"

#include <algorithm>

#include "viewer/HTMLUn2.h"

namespace vx {

std::vector<int> ParseSizeList(const std::string& value) {
  std::vector<int> r;
  size_t i = 0;
  // The end of the value reads as a carriage return.
  auto ch = [&] { return i < value.size() ? value[i] : '\r'; };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  while (static_cast<int>(r.size()) < kMaxFrameSizes) {
    while (ch() != '\r' && ch() != '*' && ch() != ',' && !digit(ch())) ++i;
    int entry;
    if (!digit(ch())) {
      entry = -1;
      if (ch() == '*') ++i;
    } else {
      long long n = 0;
      while (digit(ch())) {
        n = std::min<long long>(n * 10 + (ch() - '0'), 1000000);
        ++i;
      }
      n = std::max<long long>(1, n);
      while (ch() != '\r' && ch() != '%' && ch() != '*' && ch() != ',') ++i;
      if (ch() == '*')
        entry = -static_cast<int>(std::min<long long>(99, n));
      else if (ch() == '%')
        entry = -static_cast<int>(std::min<long long>(1000, n + 100));
      else
        entry = static_cast<int>(std::min<long long>(n, 5000));
    }
    r.push_back(entry);
    while (ch() != '\r' && ch() != ',') ++i;
    if (ch() == '\r') break;
    ++i;
  }
  return r;
}

std::vector<int> ComputeFrameSizes(const std::vector<int>& entries, int extent) {
  int pixels = 0, percent = 0, shares = 0;
  for (int e : entries) {
    if (e >= 0)
      pixels += e;
    else if (e <= -101)
      percent += -e - 100;
    else
      shares += -e;
  }
  std::vector<int> r(entries.size(), 0);
  int rest = extent - pixels;
  if (rest > 0) {
    int pool = std::min(MulDivOr(extent, percent, 100, 0), rest);
    int unit = shares ? (rest - pool) / shares : 0;
    for (size_t k = 0; k < entries.size(); ++k) {
      int e = entries[k];
      if (e >= 0)
        r[k] = e;
      else if (e <= -101)
        r[k] = MulDivOr(-e - 100, pool, percent, 0);
      else
        r[k] = -e * unit;
    }
  } else {
    for (size_t k = 0; k < entries.size(); ++k)
      if (entries[k] >= 0) r[k] = std::max(0, MulDivOr(entries[k], extent, pixels, 0));
  }
  return r;
}

std::vector<int> ScaleFrameSizes(const std::vector<int>& sizes, int extent) {
  int total = 0;
  for (int s : sizes) total += s;
  std::vector<int> r(sizes.size(), 0);
  for (size_t k = 0; k < sizes.size(); ++k) r[k] = std::max(0, MulDivOr(sizes[k], extent, total, 0));
  return r;
}

}  // namespace vx
