// Stored values read back: what the program wrote comes back as it was; anything else a
// registry value or an INI line may hold (no number, out of range, overlong) gives the
// default.
#include "toolkit/StoredValues.h"

#include <gtest/gtest.h>

using namespace vx;

namespace {

TEST(StoredValueText, WhatTheProgramWroteReadsAsItWas) {
  EXPECT_EQ(StoredInt("42", 0), 42);
  EXPECT_EQ(StoredInt(" -7 ", 0), -7);
  EXPECT_EQ(StoredInt("0x1F", 0), 31);
  EXPECT_EQ(StoredIntIn("14", 10, 4, 72), 14);
  EXPECT_TRUE(StoredBool("1", false));
  EXPECT_FALSE(StoredBool("0", true));
  EXPECT_EQ(StoredColor("16711680", 0), 16711680);
  EXPECT_EQ(StoredColor("-2147483633", 0), -2147483633);  // the button-face system colour
  EXPECT_EQ(StoredText("Courier New", "Arial"), "Courier New");
  int norm[4] = {0, 0, 0, 0};
  StoredPlacementWords("-32000,-32000,1280,1024", norm);
  EXPECT_EQ(norm[0], -32000);
  EXPECT_EQ(norm[3], 1024);
  EXPECT_EQ(StoredPlacementFlags("2", 0), 2);
  EXPECT_EQ(StoredBarAlign("3"), 3);
  EXPECT_EQ(StoredBarWidth("50", 29), 50);
  EXPECT_EQ(StoredCount("12", 1024), 12);
  int x = 0, y = 0;
  EXPECT_EQ(StoredButtonName("siOpen, 27 , 2"), "siOpen");
  StoredButtonPlace("siOpen, 27 , 2", x, y);
  EXPECT_EQ(x, 27);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(StoredRecentName("C:\\web\\index.html"), "C:\\web\\index.html");
}

TEST(StoredValueText, AnythingElseGivesTheDefault) {
  const AnsiString huge(100000, '7');
  EXPECT_EQ(StoredInt("2147483648", 5), 5);
  EXPECT_EQ(StoredInt("-2147483649", 5), 5);
  EXPECT_EQ(StoredInt("0xFFFFFFFFF", 5), 5);
  EXPECT_EQ(StoredInt(huge, 5), 5);
  EXPECT_EQ(StoredIntIn("ten", 10, 4, 72), 10);
  EXPECT_EQ(StoredIntIn("500", 10, 4, 72), 72);  // a number is kept within its range
  EXPECT_TRUE(StoredBool("yes", true));
  EXPECT_EQ(StoredColor("0x7FFFFFFF", 128), 128);
  EXPECT_EQ(StoredColor("-1", 128), 128);
  EXPECT_EQ(StoredText(AnsiString(kMaxStoredText + 1, 'x'), "Arial"), "Arial");
  EXPECT_EQ(StoredText(AnsiString(kMaxStoredText, 'x'), "Arial").size(), static_cast<size_t>(kMaxStoredText));

  // Placement: each word that is no coordinate keeps its default.
  int norm[4] = {10, 20, 300, 400};
  StoredPlacementWords("99999999,abc,-40000", norm);
  EXPECT_EQ(norm[0], 10);
  EXPECT_EQ(norm[1], 20);
  EXPECT_EQ(norm[2], 300);
  EXPECT_EQ(norm[3], 400);
  EXPECT_EQ(StoredPlacementFlags("255", 0), 0);
  EXPECT_EQ(StoredPlacementFlags("-1", 0), 0);

  // Speed bar layout.
  EXPECT_EQ(StoredBarAlign("77"), 1);
  EXPECT_EQ(StoredBarAlign("-1"), 1);
  EXPECT_EQ(StoredBarAlign("left"), 1);
  EXPECT_EQ(StoredBarWidth("-5", 29), 29);
  EXPECT_EQ(StoredBarWidth("0", 29), 29);
  EXPECT_EQ(StoredBarWidth("99999999", 29), 29);
  EXPECT_EQ(StoredCount("2000000000", 1024), 1024);
  EXPECT_EQ(StoredCount("-3", 1024), 0);
  int x = 3, y = 2;
  StoredButtonPlace("siOpen,99999999,-2147483648", x, y);
  EXPECT_EQ(x, 3);
  EXPECT_EQ(y, 2);
  EXPECT_EQ(StoredButtonName("siOpen," + huge), "");

  // Recent files: nothing no file could be called.
  EXPECT_EQ(StoredRecentName(AnsiString(300, 'a')), "");
  EXPECT_EQ(StoredRecentName("a.htm\r\nb.htm"), "");
}

}  // namespace
