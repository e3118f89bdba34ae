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
  struct Case {
    int page, line;
    int16_t header, footer, wantHeader, wantFooter;
  };
  for (const Case& c : {Case{100, 10, 50, 60, 50, 40}, Case{100, 10, 120, 0, 90, 0}, Case{100, 10, 0, 200, 0, 90},
                        Case{100, 10, -5, 10, 0, 10}, Case{0, 10, 5, 5, 0, 0}}) {
    int16_t h = c.header, f = c.footer;
    ClampPrintMargins(c.page, c.line, h, f);
    EXPECT_EQ(h, c.wantHeader) << c.page << " " << c.header << " " << c.footer;
    EXPECT_EQ(f, c.wantFooter) << c.page << " " << c.header << " " << c.footer;
  }
}

}  // namespace
