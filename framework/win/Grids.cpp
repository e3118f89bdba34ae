#include "framework/win/Grids.h"

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"

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
    case VK_UP: case VK_DOWN: case VK_PRIOR: case VK_NEXT:
      grid_->KeyDown(key, shift);
      break;
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
  p.Style |= WS_VSCROLL;
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
  UpdateScrollBar();
  Invalidate();
  UpdateEdit();
}

void TCustomGrid::SetColCount(int n) { ChangeSize(n, rowCount_); }
void TCustomGrid::SetRowCount(int n) { ChangeSize(colCount_, n); }

void TCustomGrid::SetFixedCols(int n) {
  if (n < 0 || n >= colCount_) throw EInvalidOperation("Fixed column count must be less than column count");
  fixedCols_ = n;
  ChangeSize(colCount_, rowCount_);
}

void TCustomGrid::SetFixedRows(int n) {
  if (n < 0 || n >= rowCount_) throw EInvalidOperation("Fixed row count must be less than row count");
  fixedRows_ = n;
  ChangeSize(colCount_, rowCount_);
}

void TCustomGrid::SetDefaultColWidth(int w) {
  defaultColWidth_ = w;
  std::fill(colWidths_.begin(), colWidths_.end(), w);
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

int TCustomGrid::VisibleRowCount() {
  int h = ClientHeight();
  for (int r = 0; r < fixedRows_; ++r) h -= RowHeights(r) + gridLineWidth_;
  int n = 0;
  for (int r = topRow_; r < rowCount_; ++r) {
    h -= RowHeights(r) + gridLineWidth_;
    if (h < 0) break;
    ++n;
  }
  return std::max(n, 1);
}

RECT TCustomGrid::CellRect(int c, int r) {
  RECT empty{0, 0, 0, 0};
  if (c < 0 || c >= colCount_ || r < 0 || r >= rowCount_) return empty;
  if (r >= fixedRows_ && r < topRow_) return empty;
  int x = 0;
  for (int i = 0; i < c; ++i) x += ColWidths(i) + gridLineWidth_;
  int y = 0;
  for (int i = 0; i < fixedRows_ && i < r; ++i) y += RowHeights(i) + gridLineWidth_;
  if (r >= fixedRows_)
    for (int i = topRow_; i < r; ++i) y += RowHeights(i) + gridLineWidth_;
  return RECT{x, y, x + ColWidths(c), y + RowHeights(r)};
}

bool TCustomGrid::MouseToCell(int x, int y, int& c, int& r) {
  c = r = -1;
  int cx = 0;
  for (int i = 0; i < colCount_; ++i) {
    int w = ColWidths(i) + gridLineWidth_;
    if (x >= cx && x < cx + w) {
      c = i;
      break;
    }
    cx += w;
  }
  int cy = 0;
  for (int i = 0; i < rowCount_ && r < 0; ++i) {
    if (i >= fixedRows_ && i < topRow_) continue;
    int h = RowHeights(i) + gridLineWidth_;
    if (y >= cy && y < cy + h) r = i;
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

void TCustomGrid::ScrollInView(int r) {
  if (r < fixedRows_) return;
  if (r < topRow_) {
    SetTopRow(r);
  } else {
    int visible = VisibleRowCount();
    if (r >= topRow_ + visible) SetTopRow(r - visible + 1);
  }
}

void TCustomGrid::FocusCell(int c, int r) {
  c = std::clamp(c, fixedCols_, colCount_ - 1);
  r = std::clamp(r, fixedRows_, rowCount_ - 1);
  if (c == col_ && r == row_) {
    ScrollInView(r);
    UpdateEdit();
    return;
  }
  if (!SelectCell(c, r)) return;
  InvalidateCell(col_, row_);
  col_ = c;
  row_ = r;
  ScrollInView(r);
  InvalidateCell(col_, row_);
  UpdateEdit();
}

bool TCustomGrid::CanEditShow() {
  return options_.Contains(goEditing) && (editorMode_ || options_.Contains(goAlwaysShowEditor)) &&
         row_ >= fixedRows_ && col_ >= fixedCols_ && !ComponentState().Contains(csDestroying);
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
    if (hadFocus) ::SetFocus(Handle());
    else editor_->SetFocus();
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
  std::vector<int> rows;
  for (int r = 0; r < fixedRows_; ++r) rows.push_back(r);
  for (int r = topRow_; r < rowCount_; ++r) rows.push_back(r);
  int y = 0;
  for (int r : rows) {
    if (y >= client.bottom) break;
    int h = RowHeights(r);
    int x = 0;
    for (int c = 0; c < colCount_; ++c) {
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
        cv->FillRect(cell);
        // The cell draws with the canvas's own objects, clipped to itself.
        cv->Refresh();
        int saved = SaveDC(dc);
        IntersectClipRect(dc, cell.left, cell.top, cell.right, cell.bottom);
        {
          auto cleanup = OnScopeExit([&] { cv->Refresh(); RestoreDC(dc, saved); });
          DrawCell(c, r, cell, st);
        }
        if (fixed && Ctl3D()) {
          RECT e = cell;
          DrawEdge(dc, &e, BDR_RAISEDINNER, BF_RECT);
        }
        if (st.Contains(gdFocused) && !editing && focused) {
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
      if (shift.Contains(ssCtrl)) FocusCell(col_, fixedRows_);
      else if (!editing) FocusCell(fixedCols_, row_);
      else return;
      break;
    case VK_END:
      if (shift.Contains(ssCtrl)) FocusCell(col_, rowCount_ - 1);
      else if (!editing) FocusCell(colCount_ - 1, row_);
      else return;
      break;
    case VK_TAB:
      if (!options_.Contains(goTabs)) return;
      if (shift.Contains(ssShift)) {
        if (col_ > fixedCols_) FocusCell(col_ - 1, row_);
        else if (row_ > fixedRows_) FocusCell(colCount_ - 1, row_ - 1);
      } else {
        if (col_ < colCount_ - 1) FocusCell(col_ + 1, row_);
        else if (row_ < rowCount_ - 1) FocusCell(fixedCols_, row_ + 1);
      }
      break;
    case VK_F2:
      SetEditorMode(true);
      break;
    default:
      return;
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

void TCustomGrid::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (b == mbLeft) {
    int c, r;
    if (MouseToCell(x, y, c, r) && c >= fixedCols_ && r >= fixedRows_) {
      if (c == col_ && r == row_ && options_.Contains(goEditing)) SetEditorMode(true);
      else FocusCell(c, r);
      if (editor_ && editor_->EditVisible() && CanFocus()) editor_->SetFocus();
    }
  }
  TCustomControl::MouseDown(b, s, x, y);
}

void TCustomGrid::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_GETDLGCODE:
      m.Result = DLGC_WANTARROWS | DLGC_WANTCHARS;
      if (options_.Contains(goTabs)) m.Result |= DLGC_WANTTAB;
      return;
    case WM_VSCROLL: {
      SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
      GetScrollInfo(Handle(), SB_VERT, &si);
      int top = topRow_;
      switch (LOWORD(m.WParam)) {
        case SB_LINEUP: --top; break;
        case SB_LINEDOWN: ++top; break;
        case SB_PAGEUP: top -= VisibleRowCount(); break;
        case SB_PAGEDOWN: top += VisibleRowCount(); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: top = fixedRows_ + si.nTrackPos; break;
        case SB_TOP: top = fixedRows_; break;
        case SB_BOTTOM: top = rowCount_; break;
      }
      SetTopRow(top);
      m.Result = 0;
      return;
    }
    case WM_MOUSEWHEEL:
      SetTopRow(topRow_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3);
      m.Result = 0;
      return;
    case WM_SETFOCUS:
      TCustomControl::WndProc(m);
      if (editor_ && editor_->EditVisible() && editor_->CanFocus()) editor_->SetFocus();
      else InvalidateCell(col_, row_);
      return;
    case WM_KILLFOCUS:
      TCustomControl::WndProc(m);
      InvalidateCell(col_, row_);
      return;
    case WM_SIZE:
      // The client area also changes when the scroll bar comes or goes.
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
  if (c == Col() && r == Row() && InplaceEditor() && InplaceEditor()->EditVisible() &&
      InplaceEditor()->Text() != s)
    InplaceEditor()->UpdateContents();
}

void TStringGrid::DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {
  if (OnDrawCell) {
    TDrawGrid::DrawCell(c, r, rect, state);
    return;
  }
  GridCanvas()->TextRect(rect, rect.left + 2, rect.top + 2, Cells(c, r));
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
