#include "ledit/core/View.h"

#include <algorithm>

namespace ledit {

void View::SetWrapping(bool on) {
  wrapping_ = on;
  ResetRows();
}

int View::VisibleRows() const { return std::max(1, visible_ ? visible_() : 1); }

std::vector<int> View::Rows(int line) const {
  if (!wrapping_ || !rows_) return {0};
  std::vector<int> r = rows_(line);
  if (r.empty()) r.push_back(0);
  return r;
}

int View::RowCount(int line) {
  if (!wrapping_) return 1;
  if (static_cast<int>(rowCount_.size()) != doc_.LineCount()) rowCount_.assign(doc_.LineCount(), 0);
  int n = rowCount_[static_cast<size_t>(line)];
  if (n != 0) return n;
  uint64_t version = doc_.Version();
  int count = static_cast<int>(Rows(line).size());
  // The word-break call-back may have edited the text: keep nothing measured on the old one.
  if (doc_.Version() == version && line < static_cast<int>(rowCount_.size()))
    rowCount_[static_cast<size_t>(line)] = count;
  return count;
}

void View::ResetRows() { rowCount_.assign(static_cast<size_t>(doc_.LineCount()), 0); }

void View::LinesReplaced(int first, int removed, int inserted) {
  if (!wrapping_) return;
  if (static_cast<int>(rowCount_.size()) == doc_.LineCount() - inserted + removed) {
    auto it = rowCount_.begin() + first;
    rowCount_.erase(it, it + removed + 1);
    rowCount_.insert(rowCount_.begin() + first, static_cast<size_t>(inserted + 1), 0);
  } else {
    ResetRows();
  }
}

int View::RowOfCol(const std::vector<int>& rows, int col) {
  int r = 0;
  for (int i = 1; i < static_cast<int>(rows.size()); ++i)
    if (rows[i] <= col) r = i;
  return r;
}

int View::RowOffset(int line, int row) {
  if (line < topLine || (line == topLine && row < topSkip)) return -1;
  int off = -topSkip;
  int limit = VisibleRows() + 2;
  for (int l = topLine; l < line; ++l) {
    off += RowCount(l);
    if (off > limit) return limit + 1;
  }
  return off + row;
}

int View::TotalRows() {
  if (!wrapping_) return doc_.LineCount();
  int n = 0;
  for (int l = 0; l < doc_.LineCount(); ++l) n += RowCount(l);
  return n;
}

int View::TopRowIndex() {
  if (!wrapping_) return topLine;
  int n = 0;
  for (int l = 0; l < topLine; ++l) n += RowCount(l);
  return n + topSkip;
}

void View::SetTopRowIndex(int index) {
  index = std::max(0, index);
  if (!wrapping_) {
    topLine = std::min(index, doc_.LineCount() - 1);
    topSkip = 0;
    return;
  }
  for (int l = 0; l < doc_.LineCount(); ++l) {
    int rc = RowCount(l);
    if (index < rc) {
      topLine = l;
      topSkip = index;
      return;
    }
    index -= rc;
  }
  topLine = doc_.LineCount() - 1;
  topSkip = RowCount(topLine) - 1;
}

void View::ClampTop() {
  topLine = std::clamp(topLine, 0, doc_.LineCount() - 1);
  topSkip = std::clamp(topSkip, 0, RowCount(topLine) - 1);
}

void View::ScrollToRow(int line, int row) {
  int vis = VisibleRows();
  int off = RowOffset(line, row);
  if (off < 0) {
    topLine = line;
    topSkip = row;
  } else if (off >= vis) {
    // Walk back from the row so that it becomes the last visible one.
    for (int left = vis - 1; left > 0 && RowUp(line, row); --left) {}
    topLine = line;
    topSkip = row;
  }
}

bool View::RowAt(int offset, int& line, int& row, Pos& end) {
  line = topLine;
  row = topSkip;
  for (; offset > 0; --offset) {
    if (!RowDown(line, row)) {
      end = {line, doc_.LineLength(line)};
      return false;
    }
  }
  for (; offset < 0; ++offset) {
    if (!RowUp(line, row)) {
      end = {0, 0};
      return false;
    }
  }
  return true;
}

bool View::RowUp(int& line, int& row) {
  if (row > 0) {
    --row;
  } else if (line > 0) {
    --line;
    row = RowCount(line) - 1;
  } else {
    return false;
  }
  return true;
}

bool View::RowDown(int& line, int& row) {
  if (row + 1 < RowCount(line)) {
    ++row;
  } else if (line + 1 < doc_.LineCount()) {
    ++line;
    row = 0;
  } else {
    return false;
  }
  return true;
}

Pos View::VerticalMove(Pos p, int delta, const Layout& layout, int& preferredX) {
  auto rows = Rows(p.line);
  int r = RowOfCol(rows, p.col);
  if (preferredX < 0) preferredX = layout.XOfColumn(doc_.Line(p.line), rows[r], p.col);
  int line = p.line;
  for (; delta > 0; --delta)
    if (!RowDown(line, r)) return {line, doc_.LineLength(line)};
  for (; delta < 0; ++delta)
    if (!RowUp(line, r)) return {0, 0};
  if (line != p.line) rows = Rows(line);
  // The count walked by may be one the owner's word breaks no longer give.
  r = std::min(r, static_cast<int>(rows.size()) - 1);
  const std::string& l2 = doc_.Line(line);
  int end = r + 1 < static_cast<int>(rows.size()) ? rows[r + 1] : static_cast<int>(l2.size());
  int col = layout.ColumnAtX(l2, rows[r], end, preferredX);
  // The break column itself belongs to the next row.
  if (r + 1 < static_cast<int>(rows.size()) && col == end && end > rows[r]) --col;
  return {line, col};
}

Pos View::Left(Pos p, bool wrapKeys) const {
  if (p.col > 0) return {p.line, p.col - 1};
  if (wrapKeys && p.line > 0) return {p.line - 1, doc_.LineLength(p.line - 1)};
  return p;
}

Pos View::Right(Pos p, bool wrapKeys) const {
  if (p.col < doc_.LineLength(p.line)) return {p.line, p.col + 1};
  if (wrapKeys && p.line + 1 < doc_.LineCount()) return {p.line + 1, 0};
  return p;
}

Pos View::WordLeft(Pos p) const {
  const std::string& l = doc_.Line(p.line);
  if (p.col == 0) return p.line > 0 ? Pos{p.line - 1, doc_.LineLength(p.line - 1)} : p;
  int c = p.col;
  while (c > 0 && (l[c - 1] == ' ' || l[c - 1] == '\t')) --c;
  if (c > 0 && IsWordChar(static_cast<unsigned char>(l[c - 1])))
    while (c > 0 && IsWordChar(static_cast<unsigned char>(l[c - 1]))) --c;
  else if (c > 0)
    --c;
  return {p.line, c};
}

Pos View::WordRight(Pos p) const {
  const std::string& l = doc_.Line(p.line);
  int n = static_cast<int>(l.size());
  if (p.col >= n) return p.line + 1 < doc_.LineCount() ? Pos{p.line + 1, 0} : p;
  int c = p.col;
  if (IsWordChar(static_cast<unsigned char>(l[c])))
    while (c < n && IsWordChar(static_cast<unsigned char>(l[c]))) ++c;
  else
    ++c;
  while (c < n && (l[c] == ' ' || l[c] == '\t')) ++c;
  return {p.line, c};
}

Pos View::Home(Pos p) const {
  auto rows = Rows(p.line);
  int start = rows[RowOfCol(rows, p.col)];
  const std::string& l = doc_.Line(p.line);
  int ind = 0;
  while (ind < static_cast<int>(l.size()) && (l[ind] == ' ' || l[ind] == '\t')) ++ind;
  return {p.line, start == 0 && p.col != ind ? ind : start};
}

Pos View::End(Pos p) const {
  auto rows = Rows(p.line);
  int r = RowOfCol(rows, p.col);
  int col = r + 1 < static_cast<int>(rows.size()) ? rows[r + 1] - 1 : doc_.LineLength(p.line);
  return {p.line, std::max(col, rows[r])};
}

}  // namespace ledit
