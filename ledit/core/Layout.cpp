#include "ledit/core/Layout.h"

#include <algorithm>

namespace ledit {

PageBody FitPage(int pageHeight, int lineHeight, int header, int footer) {
  PageBody b;
  lineHeight = std::max(lineHeight, 1);
  b.header = std::max(header, 0);
  b.footer = std::max(footer, 0);
  if (static_cast<long long>(b.header) + b.footer + lineHeight > pageHeight) b.header = b.footer = 0;
  b.lines = std::max(1, (pageHeight - b.header - b.footer) / lineHeight);
  return b;
}

Layout::Layout() {
  for (int& w : widths_) w = 8;
}

void Layout::SetCharWidths(const int* widths256) {
  for (int i = 0; i < 256; ++i) widths_[i] = std::max(widths256[i], 1);
  // Average over the letters, as a column unit for wrap widths and horizontal scroll.
  int sum = 0;
  for (int c = 'a'; c <= 'z'; ++c) sum += widths_[c];
  avg_ = std::max(1, sum / 26);
}

void Layout::SetTabColumns(int n) { tabColumns_ = std::clamp(n, 1, 40); }

int Layout::TabWidth() const { return std::max(1, tabColumns_ * widths_[static_cast<unsigned char>(' ')]); }

int Layout::Advance(std::string_view line, int col, int x) const {
  unsigned char c = static_cast<unsigned char>(line[static_cast<size_t>(col)]);
  if (c == '\t') {
    int t = TabWidth();
    return (x / t + 1) * t - x;
  }
  return widths_[c];
}

int Layout::XOfColumn(std::string_view line, int rowStart, int col) const {
  int x = 0;
  col = std::min(col, static_cast<int>(line.size()));
  for (int i = rowStart; i < col; ++i) x += Advance(line, i, x);
  return x;
}

int Layout::ColumnAtX(std::string_view line, int rowStart, int rowEnd, int x) const {
  int cx = 0;
  rowEnd = std::min(rowEnd, static_cast<int>(line.size()));
  for (int i = rowStart; i < rowEnd; ++i) {
    int a = Advance(line, i, cx);
    if (x < cx + a / 2 + (a & 1)) return i;
    cx += a;
  }
  return rowEnd;
}

std::vector<int> Layout::Wrap(std::string_view line, int width, const Breaker& breaker) const {
  std::vector<int> rows{0};
  const int n = static_cast<int>(line.size());
  width = std::max(width, 1);
  int start = 0;
  while (start < n) {
    // How many characters fit (always at least one, so the row advances).
    int x = 0, fit = 0;
    while (start + fit < n) {
      int a = Advance(line, start + fit, x);
      if (fit > 0 && x + a > width) break;
      x += a;
      ++fit;
    }
    if (start + fit >= n) break;
    // Prefer a break after the last space in what fits.
    int preferred = fit;
    for (int k = fit; k > 0; --k) {
      char c = line[static_cast<size_t>(start + k - 1)];
      if (c == ' ' || c == '\t') {
        preferred = k;
        break;
      }
    }
    int count = preferred;
    if (breaker) count = std::clamp(breaker(line.substr(static_cast<size_t>(start)), preferred), 1, preferred);
    start += count;
    rows.push_back(start);
  }
  return rows;
}

}  // namespace ledit
