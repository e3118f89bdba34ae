// Tables: span normalisation, column widths in absolute and percentage mode, row heights,
// painting with borders and fills, hit tests.
#include <algorithm>
#include <numeric>

#include "viewer/HTMLSubs.h"

namespace vx {

static THtColor PalRel(THtColor c) { return htc::IsSystem(c) ? c : (c | htc::PaletteRelative); }

TCellObj::TCellObj(TSectionList* master, std::uint8_t valign) : VAlign(valign), Cell(std::make_unique<TCell>(master)) {}

TCellObj::TCellObj(const TCellObj& s, TSectionList* master)
    : ColSpan(s.ColSpan),
      RowSpan(s.RowSpan),
      Wd(s.Wd),
      Ht(s.Ht),
      VSize(s.VSize),
      YIndent(s.YIndent),
      VAlign(s.VAlign),
      SpecWd(s.SpecWd),
      SpecWdPercent(s.SpecWdPercent),
      Cell(s.Cell->Clone(master)) {}

void TCellObj::SetSpans(int colSpan, int rowSpan) {
  ColSpan = colSpan > 1 ? std::min(colSpan, kMaxColSpan) : 1;
  RowSpan = rowSpan > 1 ? std::min(rowSpan, kMaxRowSpan) : 1;
}

void TCellObj::SetWidth(int width, bool percent) {
  SpecWdPercent = percent;
  if (percent)
    SpecWd = width >= 1 && width <= 100 ? width : 0;
  else
    SpecWd = std::max(0, width);
}

ThtmlTable::ThtmlTable(TSectionList* list, const TTableParams& p)
    : TSectionBase(list), Caption(std::make_unique<TCellObj>(list, 1)) {
  Align = p.Align;
  HasBorder = p.Border > 0;
  if (p.HasPadding && p.Padding >= 0) CellPadding = std::min(p.Padding + 1, 50);
  if (p.HasSpacing && p.Spacing >= 0) CellSpacing = std::min(p.Spacing + 1, 40);
  if (p.HasWidth) {
    if (p.WidthPercent) {
      if (p.Width >= 1 && p.Width <= 100) {
        SpecWidth = p.Width;
        WidthPercent = true;
        HasSpecWidth = true;
      }
    } else if (p.Width > 0) {
      SpecWidth = p.Width;
      HasSpecWidth = true;
    }
  }
  BkGnd = p.HasBgColor;
  BkColor = p.BgColor;
  HasBorderColor = p.HasBorderColor;
  BorderColor = p.BorderColor;
}

ThtmlTable::ThtmlTable(const ThtmlTable& s, TSectionList* list)
    : TSectionBase(s, list), Caption(std::make_unique<TCellObj>(*s.Caption, list)) {
  for (auto& r : s.Rows) {
    auto row = std::make_unique<TCellList>();
    row->RowHeight = r->RowHeight;
    for (auto& c : r->Cells) row->Cells.push_back(std::make_unique<TCellObj>(*c, list));
    Rows.push_back(std::move(row));
  }
  Normalized = s.Normalized;
  HasBorder = s.HasBorder;
  TopCaption = s.TopCaption;
  TableIndent = s.TableIndent;
  AlignIndent = s.AlignIndent;
  Align = s.Align;
  NumCols = s.NumCols;
  TableWidth = s.TableWidth;
  DisplayWidth = s.DisplayWidth;
  SpecWidth = s.SpecWidth;
  WidthPercent = s.WidthPercent;
  HasSpecWidth = s.HasSpecWidth;
  AbsoluteMode = s.AbsoluteMode;
  CaptionHeight = s.CaptionHeight;
  RowsHeight = s.RowsHeight;
  CellPadding = s.CellPadding;
  CellSpacing = s.CellSpacing;
  CaptionMinWidth = s.CaptionMinWidth;
  Widths = s.Widths;
  Percents = s.Percents;
  // Printed tables have no fills.
  BkGnd = HasBorderColor = false;
}

std::unique_ptr<TSectionBase> ThtmlTable::CreateClone(TSectionList* list) const {
  return std::make_unique<ThtmlTable>(*this, list);
}

static std::unique_ptr<TCellObj> Filler(TSectionList* list, int rowSpan) {
  auto f = std::make_unique<TCellObj>(list, 1);
  f->ColSpan = 0;
  f->RowSpan = rowSpan;
  return f;
}

void ThtmlTable::Normalize() {
  if (Normalized) return;
  bool anyPercent = false, anySpec = false;
  size_t cols = 0;
  for (auto& row : Rows) {
    auto& cells = row->Cells;
    for (int i = static_cast<int>(cells.size()) - 1; i >= 0; --i) {
      TCellObj* c = cells[i].get();
      if (c->Filler()) continue;
      if (!c->BkGnd && BkGnd) c->SetBackground(BkColor);
      if (c->SpecWdPercent) anyPercent = true;
      if (c->SpecWd > 0) anySpec = true;
      for (int k = 1; k < c->ColSpan; ++k) cells.insert(cells.begin() + i + 1, Filler(List, c->RowSpan));
    }
    cols = std::max(cols, cells.size());
    // Row spans only add columns: a table already too wide fails here.
    if (cols > static_cast<size_t>(kMaxTableColumns)) throw EProcessError("Table has too many Columns");
  }
  AbsoluteMode = !(anyPercent || !anySpec);
  for (size_t j = 0;; ++j) {
    size_t width = 0;
    for (auto& r : Rows) width = std::max(width, r->Cells.size());
    if (width > static_cast<size_t>(kMaxTableColumns)) throw EProcessError("Table has too many Columns");
    if (j >= width) break;
    for (size_t k = 0; k < Rows.size(); ++k) {
      if (Rows[k]->Cells.size() <= j) continue;
      TCellObj* c = Rows[k]->Cells[j].get();
      if (c->RowSpan <= 1) continue;
      c->RowSpan = static_cast<int>(std::min<size_t>(c->RowSpan, Rows.size() - k));
      for (size_t r = k + 1; r < k + static_cast<size_t>(c->RowSpan); ++r) {
        auto& cells = Rows[r]->Cells;
        while (cells.size() < j) cells.push_back(Filler(List, 0));
        cells.insert(cells.begin() + j, Filler(List, 0));
      }
    }
  }
  NumCols = 0;
  for (auto& r : Rows) NumCols = std::max(NumCols, static_cast<int>(r->Cells.size()));
  if (NumCols > kMaxTableColumns) throw EProcessError("Table has too many Columns");
  Widths.assign(NumCols, 0);
  Percents.assign(NumCols, 0);
  Normalized = true;
}

// Grows the spanned columns' values to reach need: in proportion to what they hold, or in
// equal parts while they hold nothing.
static void Spread(std::vector<int>& v, int j, int span, int need) {
  int sum = 0;
  for (int k = j; k < j + span; ++k) sum += v[k];
  if (sum >= need) return;
  int diff = need - sum;
  if (sum == 0) {
    for (int k = 0; k < span; ++k) v[j + k] += diff / span + (k < diff % span ? 1 : 0);
  } else {
    for (int k = j; k < j + span; ++k) v[k] += MulDiv(v[k], diff, sum);
  }
}

void ThtmlTable::LimitsAbsolute(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs) {
  int pad = 2 * CellPadding + CellSpacing;
  int maxSpan = 1;
  for (auto& r : Rows)
    for (auto& cell : r->Cells) maxSpan = std::max(maxSpan, cell->ColSpan);
  for (int span = 1; span <= maxSpan; ++span)
    for (auto& r : Rows)
      for (int j = 0; j < static_cast<int>(r->Cells.size()); ++j) {
        TCellObj* cell = r->Cells[j].get();
        if (cell->ColSpan != span) continue;
        int mn = 0, mx = 0;
        cell->Cell->WidthLimits(c, mn, mx);
        mn += pad;
        mx += pad;
        int s = std::min(span, NumCols - j);
        if (span == 1) {
          mn = std::max(mn, cell->SpecWd);
          mx = std::max(mx, cell->SpecWd);
          mins[j] = std::max(mins[j], mn);
          maxs[j] = std::max(maxs[j], mx);
        } else {
          Spread(mins, j, s, mn);
          Spread(maxs, j, s, mx);
        }
      }
}

void ThtmlTable::LimitsPercent(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs) {
  int pad = 2 * CellPadding + CellSpacing;
  int maxSpan = 1;
  for (auto& r : Rows)
    for (auto& cell : r->Cells) maxSpan = std::max(maxSpan, cell->ColSpan);
  for (int span = 1; span <= maxSpan; ++span)
    for (auto& r : Rows)
      for (int j = 0; j < static_cast<int>(r->Cells.size()); ++j) {
        TCellObj* cell = r->Cells[j].get();
        if (cell->ColSpan != span) continue;
        int mn = 0, mx = 0;
        cell->Cell->WidthLimits(c, mn, mx);
        mn += pad;
        mx += pad;
        if (span == 1) {
          mins[j] = std::max(mins[j], mn);
          maxs[j] = std::max(maxs[j], mx);
          Percents[j] = std::max(Percents[j], cell->SpecWd);
          continue;
        }
        int e = std::min(NumCols, j + span), s = e - j;
        int u = 0, P = 0, sumMin = 0, sumMax = 0;
        std::vector<bool> noPct(s);
        for (int k = j; k < e; ++k) {
          noPct[k - j] = Percents[k] == 0;
          if (Percents[k] == 0) ++u;
          P += Percents[k];
          sumMin += mins[k];
          sumMax += maxs[k];
        }
        int cv = cell->SpecWd;
        if (cv > 0 || P > 0) {
          int share = u > 0 ? std::max(0, (cv - P) / u) : 0;
          int total = std::max(cv, P);
          if (u == 0 && P < cv)
            for (int k = j; k < e; ++k) Percents[k] = MulDivOr(Percents[k], cv, P, 0);
          for (int k = j; k < e; ++k)
            if (noPct[k - j]) Percents[k] = share;
          for (int k = j; k < e; ++k) {
            maxs[k] = std::max(maxs[k], MulDivOr(mx, Percents[k], total, 0));
            mins[k] = std::max(mins[k], MulDivOr(mn, Percents[k], total, 0));
          }
        } else if (sumMax != 0 && sumMin != 0) {
          for (int k = j; k < e; ++k) {
            maxs[k] = std::max(maxs[k], MulDiv(mx, maxs[k], sumMax));
            mins[k] = std::max(mins[k], MulDiv(mn, mins[k], sumMin));
          }
        } else {
          for (int k = j; k < e; ++k) {
            maxs[k] = std::max(maxs[k], mx / s);
            mins[k] = std::max(mins[k], mn / s);
          }
        }
      }
}

void ThtmlTable::ComputeLimits(TViewCanvas& c, std::vector<int>& mins, std::vector<int>& maxs, int& totalMin,
                               int& totalMax) {
  Normalize();
  mins.assign(NumCols, 0);
  maxs.assign(NumCols, 0);
  Percents.assign(NumCols, 0);
  if (AbsoluteMode)
    LimitsAbsolute(c, mins, maxs);
  else
    LimitsPercent(c, mins, maxs);
  totalMin = std::accumulate(mins.begin(), mins.end(), 0);
  totalMax = std::accumulate(maxs.begin(), maxs.end(), 0);
}

void ThtmlTable::WidthLimits(TViewCanvas& c, int& mn, int& mx) {
  std::vector<int> mins, maxs;
  int tmin = 0, tmax = 0;
  ComputeLimits(c, mins, maxs, tmin, tmax);
  tmin += CellSpacing;
  tmax += CellSpacing;
  if (HasSpecWidth && !WidthPercent) {
    tmin = std::max(tmin, SpecWidth);
    tmax = std::max(tmax, SpecWidth);
  }
  int cmn = 0, cmx = 0;
  Caption->Cell->WidthLimits(c, cmn, cmx);
  CaptionMinWidth = cmn;
  mn = std::max(CaptionMinWidth, tmin);
  mx = std::max(CaptionMinWidth, tmax);
}

static std::vector<int> Interpolate(const std::vector<int>& mins, const std::vector<int>& maxs, int w, int tmin,
                                    int tmax) {
  std::vector<int> r(mins.size());
  for (size_t k = 0; k < mins.size(); ++k) r[k] = mins[k] + MulDivOr(maxs[k] - mins[k], w - tmin, tmax - tmin, 0);
  return r;
}

std::vector<int> ThtmlTable::ColumnWidths(TViewCanvas& c, int W) {
  std::vector<int> mins, maxs;
  int tmin = 0, tmax = 0;
  ComputeLimits(c, mins, maxs, tmin, tmax);
  int n = NumCols;
  if (AbsoluteMode) {
    if (W > tmin) return W < tmax ? Interpolate(mins, maxs, W, tmin, tmax) : maxs;
    return mins;
  }
  if (tmin >= W) return mins;
  int P = std::accumulate(Percents.begin(), Percents.end(), 0);
  if ((P > 0 && P <= 100) || HasSpecWidth) {
    int pctNeed = 0, S = 0, others = 0;
    for (int k = 0; k < n; ++k) {
      if (Percents[k] > 0)
        pctNeed = std::max(pctNeed, MulDiv(maxs[k], 100, Percents[k]));
      else {
        S += maxs[k];
        ++others;
      }
    }
    int rest = P > 99 ? (S > 0 ? 30000 : 0) : MulDiv(S, 100, 100 - P);
    int needed = std::max(pctNeed, rest);
    if (W >= needed) {
      int base = HasSpecWidth ? W : needed;
      int R = std::max(0, MulDiv(base, 100 - P, 100));
      std::vector<int> w(n);
      int k0 = 0;
      for (int k = 0; k < n; ++k) {
        if (Percents[k] > 0)
          w[k] = MulDiv(base, Percents[k], 100);
        else  // columns holding nothing share the rest equally
          w[k] = S > 0 ? MulDiv(maxs[k], R, S) : R / others + (k0++ < R % others ? 1 : 0);
      }
      return w;
    }
    std::vector<int> pct = Percents;
    for (int guard = 0; guard < 10000; ++guard) {
      int minsSum = 0, pw = 0;
      bool any = false;
      for (int k = 0; k < n; ++k) {
        if (pct[k] > 0) {
          int w = MulDiv(W, pct[k], 100) - 1;
          if (w < mins[k]) {
            pct[k] = 0;
            minsSum += mins[k];
          } else {
            pw += w;
            any = true;
          }
        } else {
          minsSum += mins[k];
        }
      }
      if (!any) break;
      if (W < minsSum + pw) {
        if (pw <= 0) break;
        for (int k = 0; k < n; ++k)
          if (pct[k] > 0) pct[k] = std::max(0, static_cast<int>(static_cast<long long>(pct[k]) * (W - minsSum) / pw));
        continue;
      }
      for (int k = 0; k < n; ++k)
        if (pct[k] > 0) mins[k] = maxs[k] = MulDiv(W, pct[k], 100);
      tmin = std::accumulate(mins.begin(), mins.end(), 0);
      tmax = std::accumulate(maxs.begin(), maxs.end(), 0);
      break;
    }
  }
  if (W < tmax && tmax != tmin) return Interpolate(mins, maxs, W, tmin, tmax);
  return maxs;
}

int ThtmlTable::LayOut(TViewCanvas& c, int y, int& counter, int& widest, IndentManager& im) {
  YValue = y;
  StartCurs = counter;
  int avail = im.RightSide(y) - im.LeftIndent(y);
  int target = !HasSpecWidth ? avail : WidthPercent ? MulDiv(avail, SpecWidth, 100) : SpecWidth;
  int W = std::max(target - CellSpacing, 20);
  Normalize();
  Widths = ColumnWidths(c, W);
  TableWidth = CellSpacing + std::accumulate(Widths.begin(), Widths.end(), 0);
  int cmn = 0, cmx = 0;
  Caption->Cell->WidthLimits(c, cmn, cmx);
  CaptionMinWidth = cmn;
  DisplayWidth = std::max(TableWidth, CaptionMinWidth);

  int nRows = static_cast<int>(Rows.size());
  std::vector<int> heights(nRows, 0);
  int maxRowSpan = 1;
  for (auto& r : Rows)
    for (auto& cell : r->Cells) maxRowSpan = std::max(maxRowSpan, cell->RowSpan);
  int inner = 2 * CellPadding + CellSpacing;
  for (int span = 1; span <= maxRowSpan; ++span) {
    for (int i = 0; i < nRows && nRows - i >= span; ++i) {
      int h = 0;
      bool any = false;
      auto& cells = Rows[i]->Cells;
      for (int j = 0; j < static_cast<int>(cells.size()); ++j) {
        TCellObj* cell = cells[j].get();
        if (cell->ColSpan <= 0) continue;
        cell->Wd = 0;
        for (int k = j; k < std::min(NumCols, j + cell->ColSpan); ++k) cell->Wd += Widths[k];
        if (cell->RowSpan != span) continue;
        int dummy = 0, w = 0;
        cell->VSize = cell->Cell->LayOut(c, 0, dummy, w, std::max(0, cell->Wd - CellSpacing - 2 * CellPadding));
        h = std::max(h, cell->VSize + inner);
        any = true;
      }
      if (span == 1) {
        heights[i] = h;
      } else if (any) {
        int sum = 0;
        for (int k = i; k < i + span; ++k) sum += heights[k];
        if (sum < h)
          for (int k = i; k < i + span; ++k) heights[k] += (h - sum) / span + 1;
      }
    }
  }

  int sh = 0, cy = y;
  CaptionHeight = 0;
  if (TopCaption) {
    int w = 0;
    CaptionHeight = Caption->Cell->LayOut(c, cy, counter, w, DisplayWidth);
    sh = CaptionHeight;
    cy += CaptionHeight;
  }
  int rowsStart = sh;
  for (int i = 0; i < nRows; ++i) {
    Rows[i]->RowHeight = heights[i];
    sh += heights[i];
    auto& cells = Rows[i]->Cells;
    for (auto& cell : cells) {
      if (cell->Filler()) continue;
      cell->Ht = 0;
      for (int k = i; k < std::min(nRows, i + std::max(1, cell->RowSpan)); ++k) cell->Ht += heights[k];
      if (cell->Cell->Empty()) continue;
      int diff = cell->Ht - cell->VSize - CellSpacing - 2 * CellPadding;
      cell->YIndent = cell->VAlign == 0 ? 0 : cell->VAlign == 1 ? diff / 2 : diff;
      int w = 0;
      cell->Cell->LayOut(c, cy + CellPadding + CellSpacing + cell->YIndent, counter, w,
                         std::max(0, cell->Wd - CellSpacing - 2 * CellPadding));
    }
    cy += heights[i];
  }
  sh += CellSpacing;
  RowsHeight = sh - rowsStart;
  if (!TopCaption) {
    int w = 0;
    CaptionHeight = Caption->Cell->LayOut(c, y + RowsHeight, counter, w, DisplayWidth);
    sh += CaptionHeight;
  }
  AlignIndent = 0;
  if (DisplayWidth < avail) {
    if (Align == 2)
      AlignIndent = (avail - DisplayWidth) / 2;
    else if (Align == 3)
      AlignIndent = avail - DisplayWidth;
  }
  TableIndent = (DisplayWidth - TableWidth) / 2 + AlignIndent;
  Len = counter - StartCurs;
  widest = DisplayWidth;
  DrawHeight = SectionHeight = sh;
  return sh;
}

static void Frame3D(TViewCanvas& c, const THtRect& r, THtColor tl, THtColor br) {
  c.Line(r.Left, r.Top, r.Right, r.Top, tl);
  c.Line(r.Left, r.Top, r.Left, r.Bottom, tl);
  c.Line(r.Left, r.Bottom, r.Right + 1, r.Bottom, br);
  c.Line(r.Right, r.Top, r.Right, r.Bottom, br);
}

int ThtmlTable::Paint(TViewCanvas& c, const THtRect& clip, int y, int x, IndentManager& im) {
  YValue = y;
  int so = List->ScrollOffset;
  bool printing = List->Printing;
  if (printing) {
    int middle = clip.Top + (clip.Bottom - clip.Top) / 2;
    int pageH = List->PageHeight > 0 ? List->PageHeight : clip.Bottom - clip.Top;
    if (y > middle && y + SectionHeight > List->PageBottom && SectionHeight < pageH) {
      List->PageBottom = std::min(List->PageBottom, y);
      return y + SectionHeight;
    }
  }
  if (y + SectionHeight - so < clip.Top || y - so >= clip.Bottom || (printing && y >= List->PageBottom))
    return y + SectionHeight;
  int left = im.LeftIndent(y);
  int rowsX = left + TableIndent;
  DrawX = rowsX;
  int cy = y;
  if (TopCaption) {
    Caption->Cell->Paint(c, clip, cy, left + AlignIndent);
    cy += CaptionHeight;
  }
  DrawY = cy;
  THtColor light = List->LightColor();
  std::vector<THtRect> holes;
  for (auto& row : Rows) {
    int cx = rowsX;
    for (int j = 0; j < static_cast<int>(row->Cells.size()); ++j) {
      TCellObj* cell = row->Cells[j].get();
      if (!cell->Filler() && !cell->Cell->Empty()) {
        THtRect r{cx + CellSpacing, cy + CellSpacing - so, cx + cell->Wd, cy + cell->Ht - so};
        if (cell->BkGnd) c.FillRect(r, PalRel(cell->BkColor));
        cell->Cell->Paint(c, clip, cy + CellSpacing + CellPadding + cell->YIndent, cx + CellSpacing + CellPadding);
        if (HasBorder) {
          Frame3D(c, {r.Left, r.Top, r.Right - 1, r.Bottom - 1}, htc::BtnShadow, light);
          ++r.Right;
          ++r.Bottom;
        }
        holes.push_back(r);
      }
      if (j < NumCols) cx += Widths[j];
    }
    cy += row->RowHeight;
  }
  if (HasBorderColor)
    c.FillAreaMinus({rowsX, DrawY - so, rowsX + TableWidth, DrawY + RowsHeight - so}, holes, PalRel(BorderColor));
  if (HasBorder) Frame3D(c, {rowsX, DrawY - so, rowsX + TableWidth, cy + CellSpacing - so}, light, htc::BtnShadow);
  if (!TopCaption) Caption->Cell->Paint(c, clip, DrawY + RowsHeight, left + AlignIndent);
  return y + SectionHeight;
}

// The cell of the rows under a point relative to the rows' top, with the offset of its content.
template <class F>
static bool AtCell(ThtmlTable& t, int x, int y, F f) {
  int cy = 0;
  for (auto& row : t.Rows) {
    int cx = t.DrawX;
    for (int j = 0; j < static_cast<int>(row->Cells.size()); ++j) {
      TCellObj* cell = row->Cells[j].get();
      if (!cell->Filler() && x >= cx && x < cx + cell->Wd && y >= cy && y < cy + cell->Ht)
        return f(*cell, cy + t.CellSpacing + t.CellPadding + cell->YIndent);
      if (j < t.NumCols) cx += t.Widths[j];
    }
    cy += row->RowHeight;
  }
  return false;
}

bool ThtmlTable::UrlAtPoint(TViewCanvas& c, int x, int y, TUrlTarget& out) {
  if (y < 0 || y >= SectionHeight) return false;
  int capX = DrawX - TableIndent + AlignIndent;
  bool inRows = x >= DrawX && x < DrawX + TableWidth, inCap = x >= capX && x < capX + DisplayWidth;
  bool rowsPart;
  int ry;
  if (TopCaption) {
    rowsPart = y >= CaptionHeight;
    ry = rowsPart ? y - CaptionHeight : y;
  } else {
    rowsPart = y < RowsHeight;
    ry = rowsPart ? y : y - RowsHeight;
  }
  if (rowsPart)
    return inRows &&
           AtCell(*this, x, ry, [&](TCellObj& cell, int off) { return cell.Cell->UrlAtPoint(c, x, ry - off, out); });
  return inCap && Caption->Cell->UrlAtPoint(c, x, ry, out);
}

int ThtmlTable::CharIndexAtPoint(TViewCanvas& c, int x, int y, int& lineHeight, int& lineTop, int& caretX) {
  if (y < 0 || y >= SectionHeight) return -1;
  int capX = DrawX - TableIndent + AlignIndent;
  bool inRows = x >= DrawX && x < DrawX + TableWidth, inCap = x >= capX && x < capX + DisplayWidth;
  bool rowsPart;
  int ry, base;
  if (TopCaption) {
    rowsPart = y >= CaptionHeight;
    base = rowsPart ? CaptionHeight : 0;
  } else {
    rowsPart = y < RowsHeight;
    base = rowsPart ? 0 : RowsHeight;
  }
  ry = y - base;
  int r = -1;
  TCell* hit = nullptr;
  if (rowsPart) {
    if (!inRows) return -1;
    AtCell(*this, x, ry, [&](TCellObj& cell, int off) {
      r = cell.Cell->CharIndexAt(c, x, ry - off, lineHeight, lineTop, caretX, hit);
      lineTop += off;
      return true;
    });
  } else if (inCap) {
    r = Caption->Cell->CharIndexAt(c, x, ry, lineHeight, lineTop, caretX, hit);
  }
  if (r >= 0) lineTop += base;
  return r;
}

bool ThtmlTable::ForEachCellInOrder(const std::function<bool(TCellObj&)>& f) {
  if (TopCaption && f(*Caption)) return true;
  for (auto& row : Rows)
    for (auto& cell : row->Cells)
      if (!cell->Filler() && f(*cell)) return true;
  if (!TopCaption && f(*Caption)) return true;
  return false;
}

int ThtmlTable::FindText(int from, const std::string& text, bool matchCase) {
  int r = -1;
  ForEachCellInOrder([&](TCellObj& cell) { return (r = cell.Cell->FindText(from, text, matchCase)) >= 0; });
  return r;
}

bool ThtmlTable::CharIndexToXY(TViewCanvas& c, int index, int& x, int& y) {
  return ForEachCellInOrder([&](TCellObj& cell) { return cell.Cell->CharIndexToXY(c, index, x, y); });
}

void ThtmlTable::CopySelection() {
  ForEachCellInOrder([&](TCellObj& cell) {
    cell.Cell->CopySelection();
    return false;
  });
}

void ThtmlTable::RefreshFonts() {
  ForEachCellInOrder([&](TCellObj& cell) {
    cell.Cell->RefreshFonts();
    return false;
  });
}

void ThtmlTable::ResetImages(bool viewImages) {
  ForEachCellInOrder([&](TCellObj& cell) {
    cell.Cell->ResetImages(viewImages);
    return false;
  });
}

bool ThtmlTable::Holds(const TSectionBase* s) const {
  if (s == this) return true;
  if (Caption->Cell->Holds(s)) return true;
  for (auto& row : Rows)
    for (auto& cell : row->Cells)
      if (cell->Cell->Holds(s)) return true;
  return false;
}

}  // namespace vx
