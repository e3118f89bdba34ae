// Line geometry: character advances (measured by the window from its font), tab stops,
// column <-> x, and word wrapping of a line into rows.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

namespace ledit {

// Lines of text on a printed page after the owner reserved header and footer space:
// negative reservations count as 0, and when they leave no room for a line both are
// dropped, so every page carries at least one line.
struct PageBody {
  int header = 0, footer = 0, lines = 1;
};
PageBody FitPage(int pageHeight, int lineHeight, int header, int footer);

class Layout {
 public:
  Layout();
  // Advance of every byte value in pixels, extra spacing already added.
  void SetCharWidths(const int* widths256);
  void SetTabColumns(int n);
  int TabColumns() const { return tabColumns_; }
  int CharWidth(unsigned char c) const { return widths_[c]; }
  int TabWidth() const;
  int AverageWidth() const { return avg_; }

  // x of the start of column `col` of a row that starts at column `rowStart`.
  int XOfColumn(std::string_view line, int rowStart, int col) const;
  // Column boundary nearest to x in the row [rowStart, rowEnd).
  int ColumnAtX(std::string_view line, int rowStart, int rowEnd, int x) const;
  // Advance of column `col` when it begins at x (tabs depend on x).
  int Advance(std::string_view line, int col, int x) const;

  // Breaks a line into rows no wider than `width` pixels. `breaker`, when given, gets
  // the rest of the line and the preferred number of characters and answers the count
  // to put on the row (clamped to 1..preferred). Returns the start column of each row.
  using Breaker = std::function<int(std::string_view rest, int preferred)>;
  std::vector<int> Wrap(std::string_view line, int width, const Breaker& breaker = {}) const;

 private:
  int widths_[256];
  int tabColumns_ = 8;
  int avg_ = 8;
};

}  // namespace ledit
