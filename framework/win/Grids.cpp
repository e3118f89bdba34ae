#include "framework/win/Grids.h"

#include <algorithm>
#include <cstdlib>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/GdiScoped.h"

namespace vx {

// ---- in-place editor ---------------------------------------------------------------

TInplaceEdit::TInplaceEdit(TCustomGrid* grid) : TCustomEdit(grid), grid_(grid) {
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetVisible(false);
  SetAutoSelect(true);
}

void TInplaceEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style &= ~static_cast<DWORD>(WS_BORDER);
  p.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TInplaceEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  BoundsChanged();
}

RECT TInplaceEdit::EditRect() { return ClientRect(); }

void TInplaceEdit::BoundsChanged() {
  if (!HandleAllocated()) return;
  RECT client = ClientRect(), r = EditRect();
  int left = std::max(0, static_cast<int>(r.left - client.left));
  int right = std::max(0, static_cast<int>(client.right - r.right));
  SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(left, right));
  Invalidate();
}

void TInplaceEdit::Move(const RECT& r) {
  bool sized = r.right - r.left != Width() || r.bottom - r.top != Height();
  SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  if (sized || !shown_) BoundsChanged();
  if (!shown_) {
    shown_ = true;
    SetVisible(true);
  }
  Invalidate();
}

void TInplaceEdit::HideEdit() {
  if (!shown_) return;
  bool hadFocus = HandleAllocated() && Focused();
  shown_ = false;
  SetVisible(false);
  if (hadFocus && grid_->HandleAllocated()) ::SetFocus(grid_->Handle());
}

void TInplaceEdit::UpdateContents() {
  loading_ = true;
  {
    auto cleanup = OnScopeExit([&] { loading_ = false; });
    SetText(grid_->GetEditText(grid_->Col(), grid_->Row()));
  }
  SetModified(false);
}

void TInplaceEdit::Change() {
  if (!loading_) grid_->SetEditText(grid_->Col(), grid_->Row(), Text());
  TCustomEdit::Change();
}

void TInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  switch (key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT: grid_->KeyDown(key, shift); break;
    case VK_TAB:
      if (grid_->Options().Contains(goTabs)) grid_->KeyDown(key, shift);
      break;
    case VK_F2:
      // F2 puts the caret at the end instead of selecting all.
      SetSelStart(static_cast<int>(Text().size()));
      key = 0;
      break;
  }
}

void TInplaceEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  // Enter, Ctrl+Enter, Esc and Tab are keys of the grid or its form, never text.
  if (key == '\r' || key == '\n' || key == 27 || key == '\t') key = 0;
}

void TInplaceEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_HASSETSEL;
      if (grid_->Options().Contains(goTabs)) m.Result |= DLGC_WANTTAB;
      return;
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      BoundsChanged();
      return;
  }
  TCustomEdit::WndProc(m);
}

// ---- the grid ----------------------------------------------------------------------

TCustomGrid::TCustomGrid(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 320, 120);
  SetTabStop(true);
  SetColor(clWindow);
  controlStyle_ = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks, csClickEvents};
  colWidths_.assign(static_cast<size_t>(colCount_), defaultColWidth_);
  rowHeights_.assign(static_cast<size_t>(rowCount_), defaultRowHeight_);
}

TCustomGrid::~TCustomGrid() = default;

void TCustomGrid::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style |= WS_VSCROLL | WS_HSCROLL;
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
  p.WindowClass.style = CS_DBLCLKS;
}

void TCustomGrid::ChangeSize(int cols, int rows) {
  int oldCols = colCount_, oldRows = rowCount_;
  colCount_ = std::max(cols, 1);
  rowCount_ = std::max(rows, 1);
  colWidths_.resize(static_cast<size_t>(colCount_), defaultColWidth_);
  rowHeights_.resize(static_cast<size_t>(rowCount_), defaultRowHeight_);
  fixedCols_ = std::min(fixedCols_, colCount_ - 1 < 0 ? 0 : colCount_ - 1);
  fixedRows_ = std::min(fixedRows_, rowCount_ - 1 < 0 ? 0 : rowCount_ - 1);
  if (oldCols != colCount_ || oldRows != rowCount_) SizeChanged(oldCols, oldRows);
  col_ = std::clamp(col_, fixedCols_, colCount_ - 1);
  row_ = std::clamp(row_, fixedRows_, rowCount_ - 1);
  topRow_ = std::clamp(topRow_, fixedRows_, rowCount_ - 1);
  leftCol_ = std::clamp(leftCol_, fixedCols_, colCount_ - 1);
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetColCount(int n) { ChangeSize(n, rowCount_); }
void TCustomGrid::SetRowCount(int n) { ChangeSize(colCount_, n); }

void TCustomGrid::SetFixedCols(int n) {
  if (n < 0 || n >= colCount_) throw EInvalidOperation("Fixed column count must be less than column count");
  // A grid at the first scrollable column stays there when fewer columns are fixed, or the
  // columns set free would open scrolled out of view.
  if (leftCol_ == fixedCols_) leftCol_ = n;
  if (col_ == fixedCols_) col_ = n;
  fixedCols_ = n;
  ChangeSize(colCount_, rowCount_);
}

void TCustomGrid::SetFixedRows(int n) {
  if (n < 0 || n >= rowCount_) throw EInvalidOperation("Fixed row count must be less than row count");
  if (topRow_ == fixedRows_) topRow_ = n;
  if (row_ == fixedRows_) row_ = n;
  fixedRows_ = n;
  ChangeSize(colCount_, rowCount_);
}

void TCustomGrid::SetDefaultColWidth(int w) {
  defaultColWidth_ = w;
  std::fill(colWidths_.begin(), colWidths_.end(), w);
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetDefaultRowHeight(int h) {
  defaultRowHeight_ = h;
  std::fill(rowHeights_.begin(), rowHeights_.end(), h);
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

int TCustomGrid::ColWidths(int c) const {
  return c >= 0 && c < colCount_ ? colWidths_[static_cast<size_t>(c)] : defaultColWidth_;
}

void TCustomGrid::SetColWidths(int c, int w) {
  if (c < 0 || c >= colCount_) return;
  colWidths_[static_cast<size_t>(c)] = std::max(w, 0);
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

int TCustomGrid::RowHeights(int r) const {
  return r >= 0 && r < rowCount_ ? rowHeights_[static_cast<size_t>(r)] : defaultRowHeight_;
}

void TCustomGrid::SetRowHeights(int r, int h) {
  if (r < 0 || r >= rowCount_) return;
  rowHeights_[static_cast<size_t>(r)] = std::max(h, 0);
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetGridLineWidth(int w) {
  gridLineWidth_ = std::max(w, 0);
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetOptions(TGridOptions o) {
  options_ = o;
  if (!o.Contains(goEditing)) editorMode_ = false;
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetBorderStyle(TFormBorderStyle b) {
  borderStyle_ = b;
  RecreateWnd();
}

int TCustomGrid::FixedWidth() const {
  int w = 0;
  for (int c = 0; c < fixedCols_; ++c) w += ColWidths(c) + gridLineWidth_;
  return w;
}

int TCustomGrid::FixedHeight() const {
  int h = 0;
  for (int r = 0; r < fixedRows_; ++r) h += RowHeights(r) + gridLineWidth_;
  return h;
}

std::vector<int> TCustomGrid::ShownCols() const {
  std::vector<int> v;
  for (int c = 0; c < fixedCols_; ++c) v.push_back(c);
  for (int c = leftCol_; c < colCount_; ++c) v.push_back(c);
  return v;
}

std::vector<int> TCustomGrid::ShownRows() const {
  std::vector<int> v;
  for (int r = 0; r < fixedRows_; ++r) v.push_back(r);
  for (int r = topRow_; r < rowCount_; ++r) v.push_back(r);
  return v;
}

int TCustomGrid::VisibleRowCount() {
  int h = ClientHeight() - FixedHeight();
  int n = 0;
  for (int r = topRow_; r < rowCount_; ++r) {
    h -= RowHeights(r) + gridLineWidth_;
    if (h < 0) break;
    ++n;
  }
  return std::max(n, 1);
}

int TCustomGrid::VisibleColCount() {
  int w = ClientWidth() - FixedWidth();
  int n = 0;
  for (int c = leftCol_; c < colCount_; ++c) {
    w -= ColWidths(c) + gridLineWidth_;
    if (w < 0) break;
    ++n;
  }
  return std::max(n, 1);
}

RECT TCustomGrid::CellRect(int c, int r) {
  RECT empty{0, 0, 0, 0};
  if (c < 0 || c >= colCount_ || r < 0 || r >= rowCount_) return empty;
  if (r >= fixedRows_ && r < topRow_) return empty;
  if (c >= fixedCols_ && c < leftCol_) return empty;
  int x = 0;
  for (int i : ShownCols()) {
    if (i == c) break;
    x += ColWidths(i) + gridLineWidth_;
  }
  int y = 0;
  for (int i : ShownRows()) {
    if (i == r) break;
    y += RowHeights(i) + gridLineWidth_;
  }
  return RECT{x, y, x + ColWidths(c), y + RowHeights(r)};
}

bool TCustomGrid::MouseToCell(int x, int y, int& c, int& r) {
  c = r = -1;
  int cx = 0;
  for (int i : ShownCols()) {
    int w = ColWidths(i) + gridLineWidth_;
    if (x >= cx && x < cx + w) {
      c = i;
      break;
    }
    cx += w;
  }
  int cy = 0;
  for (int i : ShownRows()) {
    int h = RowHeights(i) + gridLineWidth_;
    if (y >= cy && y < cy + h) {
      r = i;
      break;
    }
    cy += h;
  }
  return c >= 0 && r >= 0;
}

void TCustomGrid::InvalidateCell(int c, int r) {
  if (!HandleAllocated()) return;
  RECT rc = CellRect(c, r);
  InflateRect(&rc, gridLineWidth_, gridLineWidth_);
  InvalidateRect(Handle(), &rc, FALSE);
}

int TCustomGrid::FirstColShowing(int last) {
  int room = ClientWidth() - FixedWidth() - (ColWidths(last) + gridLineWidth_);
  int c = last;
  while (c > fixedCols_ && room - (ColWidths(c - 1) + gridLineWidth_) >= 0) {
    --c;
    room -= ColWidths(c) + gridLineWidth_;
  }
  return std::max(c, fixedCols_);
}

int TCustomGrid::LastLeftCol() { return FirstColShowing(colCount_ - 1); }

void TCustomGrid::UpdateScrollBar() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  int scrollable = rowCount_ - fixedRows_;
  int visible = VisibleRowCount();
  if (scrollable > visible) {
    si.nMax = scrollable - 1;
    si.nPage = static_cast<UINT>(visible);
    si.nPos = topRow_ - fixedRows_;
  }
  SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
  SCROLLINFO hi{sizeof hi, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
  if (LastLeftCol() > fixedCols_ || leftCol_ > fixedCols_) {
    hi.nMax = colCount_ - fixedCols_ - 1;
    hi.nPage = static_cast<UINT>(VisibleColCount());
    hi.nPos = leftCol_ - fixedCols_;
  }
  SetScrollInfo(Handle(), SB_HORZ, &hi, TRUE);
}

void TCustomGrid::SetTopRow(int r) {
  int last = std::max(fixedRows_, rowCount_ - VisibleRowCount());
  r = std::clamp(r, fixedRows_, last);
  if (r == topRow_) return;
  topRow_ = r;
  UpdateScrollBar();
  Invalidate();
  TopLeftChanged();
  UpdateEdit();
}

void TCustomGrid::SetLeftCol(int c) {
  c = std::clamp(c, fixedCols_, std::max(fixedCols_, LastLeftCol()));
  if (c == leftCol_) return;
  leftCol_ = c;
  UpdateScrollBar();
  Invalidate();
  TopLeftChanged();
  UpdateEdit();
}

void TCustomGrid::ScrollInView(int c, int r) {
  if (r >= fixedRows_) {
    if (r < topRow_) {
      SetTopRow(r);
    } else {
      int visible = VisibleRowCount();
      if (r >= topRow_ + visible) SetTopRow(r - visible + 1);
    }
  }
  if (c >= fixedCols_) {
    if (c < leftCol_) {
      SetLeftCol(c);
    } else if (c >= leftCol_ + VisibleColCount()) {
      SetLeftCol(FirstColShowing(c));
    }
  }
}

void TCustomGrid::FocusCell(int c, int r) {
  c = std::clamp(c, fixedCols_, colCount_ - 1);
  r = std::clamp(r, fixedRows_, rowCount_ - 1);
  if (c == col_ && r == row_) {
    ScrollInView(c, r);
    UpdateEdit();
    return;
  }
  if (!SelectCell(c, r)) return;
  InvalidateCell(col_, row_);
  col_ = c;
  row_ = r;
  ScrollInView(c, r);
  InvalidateCell(col_, row_);
  UpdateEdit();
}

void TCustomGrid::MoveColumn(int from, int to) {
  if (from < fixedCols_ || to < fixedCols_ || from >= colCount_ || to >= colCount_ || from == to) return;
  int w = colWidths_[static_cast<size_t>(from)];
  colWidths_.erase(colWidths_.begin() + from);
  colWidths_.insert(colWidths_.begin() + to, w);
  ColumnMoved(from, to);
  if (col_ == from)
    col_ = to;
  else if (from < col_ && to >= col_)
    --col_;
  else if (from > col_ && to <= col_)
    ++col_;
  placedCol_ = -1;
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::MoveRow(int from, int to) {
  if (from < fixedRows_ || to < fixedRows_ || from >= rowCount_ || to >= rowCount_ || from == to) return;
  int h = rowHeights_[static_cast<size_t>(from)];
  rowHeights_.erase(rowHeights_.begin() + from);
  rowHeights_.insert(rowHeights_.begin() + to, h);
  RowMoved(from, to);
  if (row_ == from)
    row_ = to;
  else if (from < row_ && to >= row_)
    --row_;
  else if (from > row_ && to <= row_)
    ++row_;
  placedRow_ = -1;
  Invalidate();
  UpdateEdit();
}

bool TCustomGrid::CanEditShow() {
  return options_.Contains(goEditing) && (editorMode_ || options_.Contains(goAlwaysShowEditor)) && row_ >= fixedRows_ &&
         col_ >= fixedCols_ && !ComponentState().Contains(csDestroying);
}

TInplaceEdit* TCustomGrid::CreateEditor() { return new TInplaceEdit(this); }

void TCustomGrid::SetEditorMode(bool on) {
  if (on && !options_.Contains(goEditing)) return;
  editorMode_ = on;
  UpdateEdit();
}

void TCustomGrid::UpdateEdit() {
  if (Destroying()) return;
  if (!CanEditShow()) {
    if (editor_) editor_->HideEdit();
    placedCol_ = placedRow_ = -1;
    return;
  }
  if (!editor_) {
    editor_ = CreateEditor();
    editor_->SetParent(this);
  }
  RECT r = CellRect(col_, row_);
  if (r.right <= r.left || r.bottom <= r.top || !HandleAllocated()) {
    editor_->HideEdit();
    placedCol_ = placedRow_ = -1;
    return;
  }
  bool moved = !editor_->EditVisible() || placedCol_ != col_ || placedRow_ != row_;
  bool hadFocus = editor_->HandleAllocated() && editor_->Focused();
  if (moved) editor_->UpdateContents();
  editor_->Move(r);
  placedCol_ = col_;
  placedRow_ = row_;
  // Moving to another cell hands the focus to the editor anew, as a click would.
  if (moved && (hadFocus || Focused())) {
    if (hadFocus)
      ::SetFocus(Handle());
    else
      editor_->SetFocus();
  }
}

void TCustomGrid::Resize() {
  UpdateScrollBar();
  TCustomControl::Resize();
  UpdateEdit();
}

void TCustomGrid::Paint() {
  TCanvas* cv = Canvas();
  RECT client = ClientRect();
  HDC dc = cv->Handle();
  bool focused = Focused();
  bool editing = editor_ && editor_->EditVisible();
  std::vector<int> cols = ShownCols();
  int y = 0;
  for (int r : ShownRows()) {
    if (y >= client.bottom) break;
    int h = RowHeights(r);
    int x = 0;
    for (int c : cols) {
      if (x >= client.right) break;
      int w = ColWidths(c);
      RECT cell{x, y, x + w, y + h};
      bool fixed = c < fixedCols_ || r < fixedRows_;
      TGridDrawState st;
      if (fixed) st << gdFixed;
      bool current = c == col_ && r == row_;
      if (current && !fixed) {
        if (focused || editing) st << gdFocused;
        if (!editing || options_.Contains(goDrawFocusSelected)) st << gdSelected;
      }
      RECT clip;
      if (RectVisible(dc, &cell) && IntersectRect(&clip, &cell, &client)) {
        cv->Brush()->SetColor(fixed ? fixedColor_ : st.Contains(gdSelected) && focused ? clHighlight : Color());
        cv->Font()->Assign(*Font());
        if (st.Contains(gdSelected) && focused && !fixed) cv->Font()->SetColor(clHighlightText);
        if (defaultDrawing_) cv->FillRect(cell);
        // The cell draws with the canvas's own objects, clipped to itself.
        cv->Refresh();
        {
          TSavedDC saved(dc);
          IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
          auto refresh = OnScopeExit([cv] { cv->Refresh(); });
          DrawCell(c, r, cell, st);
        }
        if (defaultDrawing_ && fixed && Ctl3D()) {
          RECT e = cell;
          DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RECT);
        }
        if (defaultDrawing_ && st.Contains(gdFocused) && !editing && focused) {
          RECT f = cell;
          DrawFocusRect(dc, &f);
        }
      }
      // The grid lines right of and below the cell.
      bool vert = fixed ? options_.Contains(goFixedVertLine) : options_.Contains(goVertLine);
      bool horz = fixed ? options_.Contains(goFixedHorzLine) : options_.Contains(goHorzLine);
      cv->Brush()->SetColor(fixed ? clBtnShadow : clSilver);
      RECT vl{cell.right, cell.top, cell.right + gridLineWidth_, cell.bottom + gridLineWidth_};
      RECT hl{cell.left, cell.bottom, cell.right + gridLineWidth_, cell.bottom + gridLineWidth_};
      if (!vert) cv->Brush()->SetColor(Color());
      cv->FillRect(vl);
      cv->Brush()->SetColor(horz ? (fixed ? clBtnShadow : clSilver) : Color());
      cv->FillRect(hl);
      x += w + gridLineWidth_;
    }
    if (x < client.right) {
      cv->Brush()->SetColor(Color());
      cv->FillRect(RECT{x, y, client.right, y + h + gridLineWidth_});
    }
    y += h + gridLineWidth_;
  }
  if (y < client.bottom) {
    cv->Brush()->SetColor(Color());
    cv->FillRect(RECT{0, y, client.right, client.bottom});
  }
}

void TCustomGrid::KeyDown(WORD& key, TShiftState shift) {
  TCustomControl::KeyDown(key, shift);
  if (key == 0) return;
  bool editing = editor_ && editor_->EditVisible();
  int page = VisibleRowCount();
  switch (key) {
    case VK_UP: FocusCell(col_, row_ - 1); break;
    case VK_DOWN: FocusCell(col_, row_ + 1); break;
    case VK_PRIOR: FocusCell(col_, row_ - page); break;
    case VK_NEXT: FocusCell(col_, row_ + page); break;
    case VK_LEFT:
      if (editing) return;
      FocusCell(col_ - 1, row_);
      break;
    case VK_RIGHT:
      if (editing) return;
      FocusCell(col_ + 1, row_);
      break;
    case VK_HOME:
      if (shift.Contains(ssCtrl))
        FocusCell(col_, fixedRows_);
      else if (!editing)
        FocusCell(fixedCols_, row_);
      else
        return;
      break;
    case VK_END:
      if (shift.Contains(ssCtrl))
        FocusCell(col_, rowCount_ - 1);
      else if (!editing)
        FocusCell(colCount_ - 1, row_);
      else
        return;
      break;
    case VK_TAB:
      if (!options_.Contains(goTabs)) return;
      if (shift.Contains(ssShift)) {
        if (col_ > fixedCols_)
          FocusCell(col_ - 1, row_);
        else if (row_ > fixedRows_)
          FocusCell(colCount_ - 1, row_ - 1);
      } else {
        if (col_ < colCount_ - 1)
          FocusCell(col_ + 1, row_);
        else if (row_ < rowCount_ - 1)
          FocusCell(fixedCols_, row_ + 1);
      }
      break;
    case VK_F2: SetEditorMode(true); break;
    default: return;
  }
  key = 0;
}

void TCustomGrid::KeyPress(char& key) {
  TCustomControl::KeyPress(key);
  if (static_cast<unsigned char>(key) < 32 || !options_.Contains(goEditing)) return;
  // Typing on the grid starts editing the current cell with that character.
  SetEditorMode(true);
  if (editor_ && editor_->EditVisible()) {
    editor_->SetFocus();
    editor_->SetText(AnsiString(1, key));
    editor_->SetSelStart(1);
    key = 0;
  }
}

// Sizing starts within a few pixels of a grid line, on the fixed captions only, so
// that a click in the cells always means the cell.
constexpr int kSizingZone = 3;

int TCustomGrid::SizingColAt(int x, int y) {
  if (!options_.Contains(goColSizing) || y < 0 || y >= FixedHeight()) return -1;
  int cx = 0;
  for (int c : ShownCols()) {
    cx += ColWidths(c);
    if (std::abs(x - cx) < kSizingZone) return c;
    cx += gridLineWidth_;
    if (cx > x + kSizingZone) break;
  }
  return -1;
}

int TCustomGrid::SizingRowAt(int x, int y) {
  if (!options_.Contains(goRowSizing) || x < 0 || x >= FixedWidth()) return -1;
  int cy = 0;
  for (int r : ShownRows()) {
    cy += RowHeights(r);
    if (std::abs(y - cy) < kSizingZone) return r;
    cy += gridLineWidth_;
    if (cy > y + kSizingZone) break;
  }
  return -1;
}

void TCustomGrid::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (b == mbLeft) {
    int c, r;
    int sizeCol = SizingColAt(x, y), sizeRow = sizeCol < 0 ? SizingRowAt(x, y) : -1;
    if (sizeCol >= 0) {
      state_ = gsColSizing;
      stateIndex_ = sizeCol;
      stateOrigin_ = x;
      stateStartSize_ = ColWidths(sizeCol);
    } else if (sizeRow >= 0) {
      state_ = gsRowSizing;
      stateIndex_ = sizeRow;
      stateOrigin_ = y;
      stateStartSize_ = RowHeights(sizeRow);
    } else if (MouseToCell(x, y, c, r)) {
      if (c >= fixedCols_ && r >= fixedRows_) {
        if (c == col_ && r == row_ && options_.Contains(goEditing))
          SetEditorMode(true);
        else
          FocusCell(c, r);
        if (editor_ && editor_->EditVisible() && CanFocus()) editor_->SetFocus();
      } else if (r < fixedRows_ && c >= fixedCols_ && options_.Contains(goColMoving)) {
        state_ = gsColMoving;
        stateIndex_ = c;
      } else if (c < fixedCols_ && r >= fixedRows_ && options_.Contains(goRowMoving)) {
        state_ = gsRowMoving;
        stateIndex_ = r;
      }
    }
  }
  TCustomControl::MouseDown(b, s, x, y);
}

void TCustomGrid::MouseMove(TShiftState s, int x, int y) {
  if (state_ == gsColSizing)
    SetColWidths(stateIndex_, std::max(1, stateStartSize_ + x - stateOrigin_));
  else if (state_ == gsRowSizing)
    SetRowHeights(stateIndex_, std::max(1, stateStartSize_ + y - stateOrigin_));
  TCustomControl::MouseMove(s, x, y);
}

void TCustomGrid::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (b == mbLeft && state_ != gsNormal) {
    TGridState st = state_;
    state_ = gsNormal;
    int c, r;
    if (MouseToCell(x, y, c, r)) {
      if (st == gsColMoving)
        MoveColumn(stateIndex_, c);
      else if (st == gsRowMoving)
        MoveRow(stateIndex_, r);
    }
    stateIndex_ = -1;
  }
  TCustomControl::MouseUp(b, s, x, y);
}

void TCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (options_.Contains(goTabs)) m.Result |= DLGC_WANTTAB;
      return;
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(m.WParam) == Handle() && LOWORD(m.LParam) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        p = ScreenToClient(p);
        bool cols = state_ == gsColSizing || (state_ == gsNormal && SizingColAt(p.x, p.y) >= 0);
        bool rows = state_ == gsRowSizing || (state_ == gsNormal && !cols && SizingRowAt(p.x, p.y) >= 0);
        if (cols || rows) {
          ::SetCursor(Screen->Cursors(cols ? crHSplit : crVSplit));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_VSCROLL:
    case WM_HSCROLL: {
      bool vert = m.Msg == WM_VSCROLL;
      SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), vert ? SB_VERT : SB_HORZ, &si);
      int first = vert ? topRow_ : leftCol_, fixed = vert ? fixedRows_ : fixedCols_;
      int page = vert ? VisibleRowCount() : VisibleColCount(), count = vert ? rowCount_ : colCount_;
      switch (LOWORD(m.WParam)) {
        case SB_LINEUP: --first; break;
        case SB_LINEDOWN: ++first; break;
        case SB_PAGEUP: first -= page; break;
        case SB_PAGEDOWN: first += page; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: first = fixed + si.nTrackPos; break;
        case SB_TOP: first = fixed; break;
        case SB_BOTTOM: first = count; break;
      }
      if (vert)
        SetTopRow(first);
      else
        SetLeftCol(first);
      m.Result = 0;
      return;
    }
    case WM_MOUSEWHEEL:
      SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3);
      m.Result = 0;
      return;
    case WM_CANCELMODE: state_ = gsNormal; break;
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      if (editor_ && editor_->EditVisible() && editor_->CanFocus())
        editor_->SetFocus();
      else
        InvalidateCell(col_, row_);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      InvalidateCell(col_, row_);
      return;
    case WM_SIZE:
      // The client area also changes when a scroll bar comes or goes.
      TCustomControl::WndProc(m);
      if (!Destroying()) Resize();
      return;
  }
  TCustomControl::WndProc(m);
}

void TCustomGrid::CreateWnd() {
  TCustomControl::CreateWnd();
  UpdateScrollBar();
  UpdateEdit();
}

// ---- draw grid ---------------------------------------------------------------------

void TDrawGrid::DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {
  if (OnDrawCell) OnDrawCell(this, c, r, rect, state);
}

bool TDrawGrid::SelectCell(int c, int r) {
  bool can = true;
  if (OnSelectCell) OnSelectCell(this, c, r, can);
  return can;
}

AnsiString TDrawGrid::GetEditText(int c, int r) {
  AnsiString v;
  if (OnGetEditText) OnGetEditText(this, c, r, v);
  return v;
}

void TDrawGrid::SetEditText(int c, int r, const AnsiString& text) {
  if (OnSetEditText) OnSetEditText(this, c, r, text);
}

// ---- string grid -------------------------------------------------------------------

TStringGrid::TStringGrid(TComponent* owner) : TDrawGrid(owner) { SizeChanged(0, 0); }

void TStringGrid::SizeChanged(int, int) {
  cells_.resize(static_cast<size_t>(RowCount()));
  for (auto& row : cells_) row.resize(static_cast<size_t>(ColCount()));
}

AnsiString TStringGrid::Cells(int c, int r) const {
  if (r < 0 || r >= static_cast<int>(cells_.size()) || c < 0 || c >= static_cast<int>(cells_[r].size())) return {};
  return cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
}

void TStringGrid::SetCells(int c, int r, const AnsiString& s) {
  if (r < 0 || r >= RowCount() || c < 0 || c >= ColCount()) return;
  cells_[static_cast<size_t>(r)][static_cast<size_t>(c)] = s;
  InvalidateCell(c, r);
  if (c == Col() && r == Row() && InplaceEditor() && InplaceEditor()->EditVisible() && InplaceEditor()->Text() != s)
    InplaceEditor()->UpdateContents();
}

void TStringGrid::DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {
  if (OnDrawCell) {
    TDrawGrid::DrawCell(c, r, rect, state);
    return;
  }
  GridCanvas()->TextRect(rect, rect.left + 2, rect.top + 2, Cells(c, r));
}

void TStringGrid::ColumnMoved(int from, int to) {
  for (auto& row : cells_) {
    AnsiString moved = std::move(row[static_cast<size_t>(from)]);
    row.erase(row.begin() + from);
    row.insert(row.begin() + to, std::move(moved));
  }
}

void TStringGrid::RowMoved(int from, int to) {
  auto moved = std::move(cells_[static_cast<size_t>(from)]);
  cells_.erase(cells_.begin() + from);
  cells_.insert(cells_.begin() + to, std::move(moved));
}

AnsiString TStringGrid::GetEditText(int c, int r) {
  AnsiString v = Cells(c, r);
  if (OnGetEditText) OnGetEditText(this, c, r, v);
  return v;
}

void TStringGrid::SetEditText(int c, int r, const AnsiString& text) {
  if (r >= 0 && r < RowCount() && c >= 0 && c < ColCount()) {
    cells_[static_cast<size_t>(r)][static_cast<size_t>(c)] = text;
    InvalidateCell(c, r);
  }
  TDrawGrid::SetEditText(c, r, text);
}

}  // namespace vx
