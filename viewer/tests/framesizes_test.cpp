// ROWS and COLS: the entries as written and the sizes they give.
#include <gtest/gtest.h>

#include "viewer/FrameSizes.h"

using namespace vx;
using V = std::vector<int>;

TEST(FrameSizes, EntriesAsWritten) {
  EXPECT_EQ(ParseSizeList("100,*,2*"), (V{100, -1, -2}));
  EXPECT_EQ(ParseSizeList("25%, *"), (V{-125, -1}));
  // Zero reads as one; clamps: pixels 5000, shares 99, percent 900.
  EXPECT_EQ(ParseSizeList("0,9999,500*,2000%"), (V{1, 5000, -99, -1000}));
  // Empty places and the end are one share each; stray text is passed over.
  EXPECT_EQ(ParseSizeList("100,,x200px,"), (V{100, -1, 200, -1}));
  EXPECT_EQ(ParseSizeList(""), (V{-1}));
  EXPECT_EQ(ParseSizeList("*"), (V{-1}));
  // At most 20 entries, however many are written.
  std::string many;
  for (int i = 0; i < 30; ++i) many += "10,";
  EXPECT_EQ(ParseSizeList(many).size(), 20u);
  // Digits beyond any sensible number do not overflow.
  EXPECT_EQ(ParseSizeList("99999999999999999999%"), (V{-1000}));
}

TEST(FrameSizes, SizesInAnExtent) {
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("100,*,2*"), 400), (V{100, 100, 200}));
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("25%,*"), 300), (V{75, 225}));
  // The pixel column first, then the pool of what is left.
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("50%,50%,100"), 300), (V{100, 100, 100}));
  // Pixels alone overfill: scaled down, the others get nothing.
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("200,200"), 300), (V{150, 150}));
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("200,200,*"), 300), (V{150, 150, 0}));
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("*,*,*"), 100), (V{33, 33, 33}));
  // No room at all: nothing negative and no division by zero.
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("*,50%"), 0), (V{0, 0}));
  EXPECT_EQ(ComputeFrameSizes(ParseSizeList("*,*"), -5), (V{0, 0}));
}

TEST(FrameSizes, ScaledToAnotherExtent) {
  // Three thirds of 99 placed in 100 leave the last pixel row uncovered.
  EXPECT_EQ(ScaleFrameSizes(V{33, 33, 33}, 100), (V{33, 33, 33}));
  EXPECT_EQ(ScaleFrameSizes(V{100, 300}, 200), (V{50, 150}));
  EXPECT_EQ(ScaleFrameSizes(V{0, 0}, 200), (V{0, 0}));
}
