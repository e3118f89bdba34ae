#include <gtest/gtest.h>

#include "ledit/core/View.h"

using ledit::Document;
using ledit::Layout;
using ledit::Pos;
using ledit::View;

namespace {

// Every letter 10 px wide; a line wraps every 4 columns; the window shows 3 rows.
struct Fixture {
  Document doc;
  Layout layout;
  int visible = 3;
  int wraps = 0;
  int wrapAt = 4;
  View view{doc,
            [this](int line) {
              ++wraps;
              std::vector<int> rows{0};
              for (int c = wrapAt; c < doc.LineLength(line); c += wrapAt) rows.push_back(c);
              return rows;
            },
            [this] { return visible; }};
  explicit Fixture(std::string_view text) {
    doc.Load(text);
    int w[256];
    for (int& x : w) x = 10;
    layout.SetCharWidths(w);
    view.SetWrapping(true);
  }
};

TEST(View, RowsCountTheWrappedLinesAndKeepTheCountUntilTheLineChanges) {
  Fixture f("abcdefghij\nxy\n0123456789ABCDEF");  // 3 rows, 1 row, 4 rows
  EXPECT_EQ(f.view.TotalRows(), 8);
  int asked = f.wraps;
  EXPECT_EQ(f.view.TotalRows(), 8);
  EXPECT_EQ(f.wraps, asked) << "counts are remembered";
  f.doc.Replace({1, 2}, {1, 2}, "zzzzz");
  f.view.LinesReplaced(1, 0, 0);
  EXPECT_EQ(f.view.RowCount(1), 2);
  EXPECT_EQ(f.view.TotalRows(), 9);
  // Without wrapping a line is one row whatever its length.
  f.view.SetWrapping(false);
  EXPECT_EQ(f.view.TotalRows(), 3);
  EXPECT_EQ(f.view.Rows(0), std::vector<int>{0});
}

TEST(View, TopRowIndexAndOffsetsWalkAcrossWrappedLines) {
  Fixture f("abcdefghij\nxy\n0123456789ABCDEF");
  f.view.SetTopRowIndex(4);  // line 2, row 0
  EXPECT_EQ(f.view.topLine, 2);
  EXPECT_EQ(f.view.topSkip, 0);
  f.view.SetTopRowIndex(2);  // the last row of line 0
  EXPECT_EQ(f.view.topLine, 0);
  EXPECT_EQ(f.view.topSkip, 2);
  EXPECT_EQ(f.view.TopRowIndex(), 2);
  EXPECT_EQ(f.view.RowOffset(0, 1), -1) << "above the top";
  EXPECT_EQ(f.view.RowOffset(1, 0), 1);
  EXPECT_EQ(f.view.RowOffset(2, 3), 5);
  // Beyond the end the top stays on the last row; below zero on the first.
  f.view.SetTopRowIndex(100);
  EXPECT_EQ(f.view.topLine, 2);
  EXPECT_EQ(f.view.topSkip, 3);
  f.view.SetTopRowIndex(-5);
  EXPECT_EQ(f.view.TopRowIndex(), 0);
}

TEST(View, ScrollToRowMovesTheTopAsLittleAsNeeded) {
  Fixture f("abcdefghij\nxy\n0123456789ABCDEF");
  f.view.ScrollToRow(2, 2);  // row 6 of 8: becomes the last of 3 visible rows
  EXPECT_EQ(f.view.TopRowIndex(), 4);
  f.view.ScrollToRow(2, 1);  // already visible: nothing moves
  EXPECT_EQ(f.view.TopRowIndex(), 4);
  f.view.ScrollToRow(0, 1);  // above: becomes the top row
  EXPECT_EQ(f.view.topLine, 0);
  EXPECT_EQ(f.view.topSkip, 1);
}

TEST(View, RowAtStopsAtTheDocumentEnds) {
  Fixture f("abcdefghij\nxy");
  int line = -1, row = -1;
  Pos end{-1, -1};
  ASSERT_TRUE(f.view.RowAt(3, line, row, end));
  EXPECT_EQ(line, 1);
  EXPECT_EQ(row, 0);
  EXPECT_FALSE(f.view.RowAt(9, line, row, end));
  EXPECT_EQ(end, (Pos{1, 2}));
  EXPECT_FALSE(f.view.RowAt(-1, line, row, end));
  EXPECT_EQ(end, (Pos{0, 0}));
}

TEST(View, VerticalMovesKeepTheColumnsXAndStopAtTheEnds) {
  Fixture f("abcdefghij\nxy\n0123456789ABCDEF");
  int x = -1;
  // From column 6 (row 1 of line 0, x 20) down one row: row 2, the same x.
  Pos p = f.view.VerticalMove({0, 6}, 1, f.layout, x);
  EXPECT_EQ(x, 20);
  EXPECT_EQ(p, (Pos{0, 10}));
  // Down again onto the short line: its end; then on, the x comes back.
  p = f.view.VerticalMove(p, 1, f.layout, x);
  EXPECT_EQ(p, (Pos{1, 2}));
  p = f.view.VerticalMove(p, 1, f.layout, x);
  EXPECT_EQ(p, (Pos{2, 2}));
  // A break column belongs to the next row: moving onto a full row stops before it.
  int x2 = 40;
  EXPECT_EQ(f.view.VerticalMove({2, 0}, 0, f.layout, x2), (Pos{2, 3}));
  EXPECT_EQ(f.view.VerticalMove({2, 0}, 10, f.layout, x), (Pos{2, 16})) << "past the end: the end";
  EXPECT_EQ(f.view.VerticalMove({0, 5}, -3, f.layout, x), (Pos{0, 0})) << "past the start: the start";
  // Rows counted before the owner's breaks changed (a font the window has not heard of
  // yet): a move onto a row the line no longer has lands on its last one.
  Fixture g("0123456789ABCDEF\nx");
  EXPECT_EQ(g.view.TotalRows(), 5);
  g.wrapAt = 8;
  int gx = 10;
  EXPECT_EQ(g.view.VerticalMove({1, 0}, -1, g.layout, gx), (Pos{0, 9}));
}

TEST(View, HorizontalWordAndLineMoves) {
  Fixture f("  foo, bar\nnext");
  f.view.SetWrapping(false);
  EXPECT_EQ(f.view.Left({1, 0}, true), (Pos{0, 10}));
  EXPECT_EQ(f.view.Left({1, 0}, false), (Pos{1, 0}));
  EXPECT_EQ(f.view.Right({0, 10}, true), (Pos{1, 0}));
  EXPECT_EQ(f.view.Right({0, 10}, false), (Pos{0, 10}));
  EXPECT_EQ(f.view.WordRight({0, 2}), (Pos{0, 5}));
  EXPECT_EQ(f.view.WordRight({0, 5}), (Pos{0, 7}));
  EXPECT_EQ(f.view.WordLeft({0, 10}), (Pos{0, 7}));
  EXPECT_EQ(f.view.WordLeft({0, 7}), (Pos{0, 5}));
  EXPECT_EQ(f.view.WordLeft({1, 0}), (Pos{0, 10}));
  // Home: the first non-blank first, then the start; End: the line's end.
  EXPECT_EQ(f.view.Home({0, 8}), (Pos{0, 2}));
  EXPECT_EQ(f.view.Home({0, 2}), (Pos{0, 0}));
  EXPECT_EQ(f.view.End({0, 0}), (Pos{0, 10}));
  // Wrapped: End stops before the next row's first column, Home at the row's start.
  f.view.SetWrapping(true);
  EXPECT_EQ(f.view.End({0, 5}), (Pos{0, 7}));
  EXPECT_EQ(f.view.Home({0, 9}), (Pos{0, 8}));
}

}  // namespace
