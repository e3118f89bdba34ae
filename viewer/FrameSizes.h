// The sizes of a frame set: the ROWS or COLS list as written, the sizes it gives in an
// extent, and those sizes scaled to another extent. Portable, so tested natively.
#pragma once

#include <string>
#include <vector>

namespace vx {

// A list holds at most this many entries; more children than entries get shares of one.
constexpr int kMaxFrameSizes = 20;

// One entry of ROWS or COLS: 0 or more is pixels, -1 to -99 a relative share ("n*"),
// -101 to -1000 a percentage ("n%" stored as -(n + 100)). Never fails: at most 20 entries,
// pixels clamped to 5000, shares to 99 and percentages to 900.
std::vector<int> ParseSizeList(const std::string& value);

// The sizes of the entries in an extent: pixels first, then the percentage pool, then the
// shares; when pixels alone overfill the extent they are scaled down and the rest get 0.
std::vector<int> ComputeFrameSizes(const std::vector<int>& entries, int extent);

// Sizes made proportional to another extent: MulDiv(size, extent, total of the sizes).
std::vector<int> ScaleFrameSizes(const std::vector<int>& sizes, int extent);

}  // namespace vx
