// The custom colours file of the attribute grid's colour dialog, read as the dialog gets
// it: only real colours, whatever the file holds.
#include <gtest/gtest.h>

#include "tagdefs/CustomClr.h"

namespace vx {

TEST(CustomColors, ReadsTheSixteenEntriesAndLeavesTheRestUnset) {
  TCustomColors c = ReadCustomColors("ColorA=0000FF\r\nColorC=abcdef\r\ncolord= 00FF00 \r\nColorP=1\r\n");
  EXPECT_EQ(c[0], 0x0000FF);
  EXPECT_EQ(c[1], kNoCustomColor);  // missing
  EXPECT_EQ(c[2], 0xABCDEF);
  EXPECT_EQ(c[3], 0x00FF00);  // names without regard to case, blanks around the value
  EXPECT_EQ(c[15], 0x000001);
  EXPECT_EQ(CustomColorsText(c), "ColorA=0000FF\r\nColorC=ABCDEF\r\nColorD=00FF00\r\nColorP=000001\r\n");
}

TEST(CustomColors, ValuesThatAreNoColourSetNothing) {
  TCustomColors c = ReadCustomColors(
      "ColorA=\r\nColorB=FFFFFFFF\r\nColorC=1000000\r\nColorD=-5\r\nColorE=$FF\r\nColorF=0x10\r\n"
      "ColorG=12 34\r\nColorH\r\nColorI=FFFFFF\r\nColorI=000000\r\n");
  for (int i = 0; i < 8; ++i) EXPECT_EQ(c[static_cast<size_t>(i)], kNoCustomColor) << i;
  EXPECT_EQ(c[8], 0xFFFFFF);  // the first line of a name counts
  TCustomColors none = ReadCustomColors(AnsiString("\0\xFF\r\n=\r\n==\r\n", 8));
  for (int32_t v : none) EXPECT_EQ(v, kNoCustomColor);
  EXPECT_EQ(CustomColorsText(none), "");
}

}  // namespace vx
