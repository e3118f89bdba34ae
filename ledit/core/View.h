// Row geometry of the edit window: lines wrapped into rows (one row each without wrap),
// the top of the window as a line and a row inside it, scrolling by rows and the caret
// moves. Needs only the height of the window in rows and the row breaks of a line, both
// given by the window; knows nothing of windows, so it is tested natively.
#pragma once

#include <functional>
#include <vector>

#include "ledit/core/Document.h"
#include "ledit/core/Layout.h"

namespace ledit {

class View {
 public:
  // Start columns of the rows of a line (the window wraps it, perhaps asking its owner,
  // who may even edit the text meanwhile).
  using RowsFn = std::function<std::vector<int>(int line)>;
  using HeightFn = std::function<int()>;

  View(const Document& doc, RowsFn rows, HeightFn visibleRows)
      : doc_(doc), rows_(std::move(rows)), visible_(std::move(visibleRows)) {}

  int topLine = 0, topSkip = 0;  // the first line shown and the rows of it scrolled away

  bool Wrapping() const { return wrapping_; }
  void SetWrapping(bool on);
  int VisibleRows() const;

  std::vector<int> Rows(int line) const;
  // Rows of a line, remembered until the line changes or ResetRows.
  int RowCount(int line);
  void ResetRows();
  // Lines [first, first + removed] became [first, first + inserted].
  void LinesReplaced(int first, int removed, int inserted);
  static int RowOfCol(const std::vector<int>& rows, int col);

  // Rows from the top of the window to (line, row): -1 above it, a value beyond the
  // visible rows when far below (counting stops there).
  int RowOffset(int line, int row);
  int TotalRows();
  int TopRowIndex();
  void SetTopRowIndex(int index);
  void ClampTop();
  // Scrolls as little as needed to show (line, row): to the top from above, to the
  // bottom from below.
  void ScrollToRow(int line, int row);
  // The line and row `offset` rows below the top (negative: above); false with `end`
  // set to the document's start or end when that runs out.
  bool RowAt(int offset, int& line, int& row, Pos& end);

  // Caret moves. `preferredX` keeps the column's x over vertical moves (-1: take it from p).
  Pos VerticalMove(Pos p, int delta, const Layout& layout, int& preferredX);
  Pos Left(Pos p, bool wrapKeys) const;
  Pos Right(Pos p, bool wrapKeys) const;
  Pos WordLeft(Pos p) const;
  Pos WordRight(Pos p) const;
  // Home goes to the first non-blank character first, then to the start of the row.
  Pos Home(Pos p) const;
  Pos End(Pos p) const;

 private:
  // One row up or down from (line, row); false at the start or the end of the document.
  bool RowUp(int& line, int& row);
  bool RowDown(int& line, int& row);

  const Document& doc_;
  RowsFn rows_;
  HeightFn visible_;
  bool wrapping_ = false;
  std::vector<int> rowCount_;  // rows per line while wrapping, 0 = not yet measured
};

}  // namespace ledit
