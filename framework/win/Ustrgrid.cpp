#include "framework/win/Ustrgrid.h"

namespace vx {

VX_PUBLISH(TXStrGrid, TCustomControl) {
  P.Object("HCol", &TXStrGrid::HCol)
      .Object("HRow", &TXStrGrid::HRow)
      .Enum("Alignment", TypeInfoAlignment(), &TXStrGrid::Alignment, &TXStrGrid::SetAlignment)
      .Bool("Grid3D", &TXStrGrid::Grid3D, &TXStrGrid::SetGrid3D);
}

TXStrGrid::TXStrGrid(TComponent* owner)
    : TStringGrid(owner), hCol_(std::make_unique<TStringList>()), hRow_(std::make_unique<TStringList>()) {}

TXStrGrid::~TXStrGrid() = default;

void TXStrGrid::Loaded() {
  TStringGrid::Loaded();
  FillHeadings();
}

void TXStrGrid::SetHCol(const TStrings& s) {
  hCol_->Assign(s);
  FillHeadings();
  Invalidate();
}

void TXStrGrid::SetHRow(const TStrings& s) {
  hRow_->Assign(s);
  FillHeadings();
  Invalidate();
}

void TXStrGrid::SetAlignment(TAlignment a) {
  alignment_ = a;
  Invalidate();
}

void TXStrGrid::SetGrid3D(bool g) {
  grid3D_ = g;
  Invalidate();
}

void TXStrGrid::FillHeadings() {
  for (int i = 0; i < ColCount(); ++i) SetCells(i, 0, i < hCol_->Count() ? hCol_->Strings(i) : AnsiString());
  for (int i = 0; i + 1 < RowCount(); ++i) SetCells(0, i + 1, i < hRow_->Count() ? hRow_->Strings(i) : AnsiString());
}

void TXStrGrid::SizeChanged(int oldCols, int oldRows) {
  TStringGrid::SizeChanged(oldCols, oldRows);
  // New columns and rows take their headings.
  if (!hCol_ || !hRow_) return;
  for (int i = oldCols; i < ColCount(); ++i)
    if (i < hCol_->Count()) SetCells(i, 0, hCol_->Strings(i));
  for (int i = oldRows; i < RowCount(); ++i)
    if (i >= 1 && i - 1 < hRow_->Count()) SetCells(0, i, hRow_->Strings(i - 1));
}

void TXStrGrid::DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {
  TCanvas* cv = GridCanvas();
  if (OnGetCellColor) OnGetCellColor(this, r, c, state, cv->Brush(), cv->Font());
  if (DefaultDrawing()) {
    TAlignment align = alignment_;
    if (OnGetAlignment) OnGetAlignment(this, r, c, align);
    cv->FillRect(rect);
    RECT text{rect.left + 2, rect.top, rect.right - 2, rect.bottom};
    int h = cv->TextHeight("W");
    text.top = rect.top + (rect.bottom - rect.top - h) / 2;
    text.bottom = text.top + h;
    UINT flags = DT_SINGLELINE | DT_EXPANDTABS | DT_NOPREFIX |
                 (align == taRightJustify ? DT_RIGHT
                  : align == taCenter     ? DT_CENTER
                                          : DT_LEFT);
    cv->DrawText(Cells(c, r), text, flags);
  } else {
    TStringGrid::DrawCell(c, r, rect, state);
  }
  TGridOptions o = Options();
  if (grid3D_ && o.Contains(goVertLine) && o.Contains(goHorzLine)) {
    cv->Pen()->SetColor(clHighlightText);
    cv->Pen()->SetStyle(psSolid);
    cv->Pen()->SetMode(pmCopy);
    cv->MoveTo(rect.left, rect.bottom - 1);
    cv->LineTo(rect.left, rect.top);
    cv->LineTo(rect.right, rect.top);
  }
}

}  // namespace vx
