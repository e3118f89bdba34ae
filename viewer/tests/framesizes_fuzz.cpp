// Fuzz target of ROWS and COLS: any value gives at most 20 entries within their ranges,
// and the sizes they give never exceed the extent (pixels alone scaled down to it).
#include <cstddef>
#include <cstdint>
#include <string>

#include "viewer/FrameSizes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  int extent = (data[0] << 8 | data[1]) % 6000;
  std::string value(reinterpret_cast<const char*>(data + 2), size - 2);
  std::vector<int> e = vx::ParseSizeList(value);
  if (e.empty() || e.size() > 20) __builtin_trap();
  for (int v : e) {
    bool pixels = v >= 1 && v <= 5000, share = v <= -1 && v >= -99, percent = v <= -101 && v >= -1000;
    if (!pixels && !share && !percent) __builtin_trap();
  }
  long long total = 0;
  for (int s : vx::ComputeFrameSizes(e, extent)) {
    if (s < 0) __builtin_trap();
    total += s;
  }
  if (total > extent + 20) __builtin_trap();  // rounding of scaled pixels only
  long long scaled = 0;
  for (int s : vx::ScaleFrameSizes(vx::ComputeFrameSizes(e, extent), extent / 2)) scaled += s;
  if (scaled > extent / 2 + 20) __builtin_trap();
  return 0;
}
