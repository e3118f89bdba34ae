// The settings in the window's forms, natively: no window involved.
#include <gtest/gtest.h>

#include <string>

#include "editctl/LEditProtocol.h"

using namespace vx;

namespace {

TEST(FileMaskForms, ConversionBothWays) {
  EXPECT_EQ(FileMaskToSlashForm("HTML|*.htm", "TXT"), "TXT/HTML/*.htm/");
  EXPECT_EQ(FileMaskFromSlashForm("TXT/HTML/*.htm/"), "HTML|*.htm");
  EXPECT_EQ(FileMaskFromSlashForm(FileMaskToSlashForm("A|*.a|B|*.b", "HTM")), "A|*.a|B|*.b");
  EXPECT_EQ(FileMaskFromSlashForm("TXT/A/*.a"), "A|*.a");
}

TEST(SyntaxTable, CodesAndStops) {
  auto t = BuildSyntaxTable("2\"\"002!-2->1>2</1=1;1&");
  ASSERT_EQ(t.size(), 10u);
  EXPECT_EQ(t[0].First, '"');
  EXPECT_EQ(t[1].First, 1);
  EXPECT_EQ(t[3].First, '!');
  EXPECT_EQ(t[3].Second, '-');
  EXPECT_EQ(t[5].First, '>');
  EXPECT_EQ(t[5].Second, 0);
  auto s = BuildSyntaxTable("3a4bx2c");  // a lone "2" and one character stops the table
  ASSERT_EQ(s.size(), 2u);
  EXPECT_EQ(s[0].Second, 3);
  EXPECT_EQ(s[1].Second, 4);
  EXPECT_EQ(BuildSyntaxTable(std::string(600, '0')).size(), 254u);
}

TEST(DefaultExt, UpperCasedCutToThreeAndNeverEmpty) {
  EXPECT_EQ(NormalizeDefaultExt("html"), "HTM");
  EXPECT_EQ(NormalizeDefaultExt(""), "TXT");
  EXPECT_EQ(NormalizeDefaultExt("c"), "C");
}

TEST(PrintMargins, AtLeastOneLineFits) {
  int16_t h = 50, f = 60;
  ClampPrintMargins(100, 10, h, f);
  EXPECT_EQ(h, 50);
  EXPECT_EQ(f, 40);
  h = 120;
  f = 0;
  ClampPrintMargins(100, 10, h, f);
  EXPECT_EQ(h, 90);
  EXPECT_EQ(f, 0);
  h = 0;
  f = 200;
  ClampPrintMargins(100, 10, h, f);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(f, 90);
  h = -5;
  f = 10;
  ClampPrintMargins(100, 10, h, f);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(f, 10);
  h = 5;
  f = 5;
  ClampPrintMargins(0, 10, h, f);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(f, 0);
}

}  // namespace
