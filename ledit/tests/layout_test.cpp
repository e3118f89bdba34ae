#include <gtest/gtest.h>

#include "ledit/core/Layout.h"

using ledit::Layout;

namespace {

Layout Proportional() {
  int w[256];
  for (int& x : w) x = 7;
  w[static_cast<unsigned char>('i')] = 3;
  w[static_cast<unsigned char>('m')] = 11;
  w[static_cast<unsigned char>(' ')] = 4;
  Layout l;
  l.SetCharWidths(w);
  l.SetTabColumns(4);
  return l;
}

TEST(Layout, ColumnsAndTabs) {
  Layout l = Proportional();
  EXPECT_EQ(l.TabWidth(), 16);
  EXPECT_EQ(l.XOfColumn("mia", 0, 2), 14);
  // A tab runs to the next stop, whatever came before it.
  EXPECT_EQ(l.XOfColumn("i\tx", 0, 2), 16);
  EXPECT_EQ(l.XOfColumn("mmmm\tx", 0, 5), 48);
  EXPECT_EQ(l.XOfColumn("abc", 0, 99), 21);
  // Hit testing picks the nearest boundary.
  EXPECT_EQ(l.ColumnAtX("mia", 0, 3, 5), 0);
  EXPECT_EQ(l.ColumnAtX("mia", 0, 3, 6), 1);
  EXPECT_EQ(l.ColumnAtX("mia", 0, 3, 100), 3);
  EXPECT_EQ(l.ColumnAtX("mia", 0, 3, -5), 0);
}

TEST(Layout, WrapBreaksAtSpacesAndAlwaysAdvances) {
  Layout l = Proportional();
  // "aaa bbb ccc": 7px letters, 4px spaces; width 60 fits "aaa bbb " (50) but not "ccc".
  auto rows = l.Wrap("aaa bbb ccc", 60);
  EXPECT_EQ(rows, (std::vector<int>{0, 8}));
  // No space: the break falls where the width ends.
  rows = l.Wrap("aaaaaaaaaa", 21);
  EXPECT_EQ(rows, (std::vector<int>{0, 3, 6, 9}));
  // A width smaller than one character still puts one character on each row.
  rows = l.Wrap("abc", 1);
  EXPECT_EQ(rows, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(l.Wrap("", 10), (std::vector<int>{0}));
}

TEST(Layout, WrapBreakerAnswerIsClamped) {
  Layout l = Proportional();
  std::vector<int> asked;
  auto rows = l.Wrap("aaa bbb ccc", 60, [&](std::string_view rest, int pref) {
    asked.push_back(pref);
    return 0;  // an answer below 1 becomes 1
  });
  EXPECT_EQ(rows[1], 1);
  EXPECT_EQ(asked.front(), 8);
  rows = l.Wrap("aaa bbb ccc", 60, [](std::string_view, int) { return 1000; });
  EXPECT_EQ(rows, (std::vector<int>{0, 8}));
}

TEST(Layout, PrintedPageAlwaysCarriesOneLine) {
  auto b = ledit::FitPage(1000, 50, 100, 200);
  EXPECT_EQ(b.header, 100);
  EXPECT_EQ(b.lines, 14);
  b = ledit::FitPage(1000, 50, 980, 0);  // no room left: reservations dropped
  EXPECT_EQ(b.header, 0);
  EXPECT_EQ(b.lines, 20);
  b = ledit::FitPage(1000, 50, -30, -5);
  EXPECT_EQ(b.header, 0);
  EXPECT_EQ(b.footer, 0);
  b = ledit::FitPage(20, 50, 0, 0);  // a line taller than the page still prints
  EXPECT_EQ(b.lines, 1);
}

}  // namespace
