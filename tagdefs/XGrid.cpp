#include "tagdefs/XGrid.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <string>

#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/GdiScoped.h"
#include "tagdefs/CustomClr.h"
#include "tagdefs/ImgDlg.h"
#include "tagdefs/tePaths.h"

namespace vx {

VX_PUBLISH(TXGrid, TWinControl) {
  P.Int("ColWidth", &TXGrid::ColWidth, &TXGrid::SetColWidth).Method("OnEditButtonClick").Method("OnEditUpdateContents");
}

HBITMAP XGridBitmap(const char* name) {
  static auto* cache = new std::map<std::string, HBITMAP>;
  auto it = cache->find(name);
  if (it != cache->end()) return it->second;
  HBITMAP b =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  (*cache)[name] = b;
  return b;
}

namespace {

// Copies a face bitmap with its bottom-left colour left out.
void DrawFace(HDC dc, const char* name, int x, int y) {
  HBITMAP b = XGridBitmap(name);
  if (!b) return;
  BITMAP bm;
  GetObjectA(b, sizeof bm, &bm);
  TOwnedDC mem(CreateCompatibleDC(dc));
  TSelected select(mem, b);
  COLORREF key = GetPixel(mem, 0, bm.bmHeight - 1);
  TransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mem, 0, 0, bm.bmWidth, bm.bmHeight, key);
}

}  // namespace

// ---- rows --------------------------------------------------------------------------

void TXGridRowItem::SetButtonStyle(TRowButtonStyle s) {
  if (s == buttonStyle_) return;
  buttonStyle_ = s;
  Changed(false);
}

void TXGridRowItem::SetCaption(const AnsiString& s) {
  caption_ = s;
  Changed(false);
}

void TXGridRowItem::SetValue(const AnsiString& s) {
  if (s == value_) return;
  value_ = s;
  Changed(false);
}

TStrings* TXGridRowItem::PickList() {
  if (!pickList_) pickList_ = std::make_unique<TStringList>();
  return pickList_.get();
}

void TXGridRowItem::SetPickList(const TStrings* s) {
  if (!s)
    pickList_.reset();
  else
    PickList()->Assign(*s);
  Changed(false);
}

void TXGridRowItem::SetReadOnly(bool r) {
  readOnly_ = r;
  Changed(false);
}

void TXGridRowItem::SetColor(TColor c) {
  color_ = c;
  Changed(false);
}

void TXGridRowItem::SetState(int s) {
  state_ = s;
  Changed(false);
}

TXGridRows::TXGridRows(TXGrid* grid)
    : TCollection([](TCollection* c) { return std::make_unique<TXGridRowItem>(c); }), grid_(grid) {}

void TXGridRows::Update(TCollectionItem* item) {
  if (grid_) grid_->RowsChanged(static_cast<TXGridRowItem*>(item));
}

// ---- drop-down list ----------------------------------------------------------------

TXPopupListbox::TXPopupListbox(TComponent* owner) : TCustomListBox(owner) {
  SetVisible(false);
  SetParentCtl3D(false);
  SetCtl3D(false);
  SetTabStop(false);
  SetItemHeight(11);
}

void TXPopupListbox::CreateParams(TCreateParams& p) {
  TCustomListBox::CreateParams(p);
  // A list box class that saves the screen under it, for a window that comes and goes.
  static const char* kClass = "TXPopupListbox";
  WNDCLASSA wc;
  HINSTANCE inst = GetModuleHandleA(nullptr);
  if (!GetClassInfoA(inst, kClass, &wc) && GetClassInfoA(nullptr, "LISTBOX", &wc)) {
    wc.style |= CS_SAVEBITS;
    wc.hInstance = inst;
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
  }
  p.WinClassName = kClass;
  p.Style = (p.Style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_BORDER;
  p.ExStyle = (p.ExStyle & ~static_cast<DWORD>(WS_EX_CLIENTEDGE)) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  // Owned by the editor's top-level window, not a child of it: it may pass the form's edge.
  auto* edit = dynamic_cast<TWinControl*>(Owner());
  p.WndParent = edit && edit->HandleAllocated() ? GetAncestor(edit->Handle(), GA_ROOT) : nullptr;
}

void TXPopupListbox::CreateWnd() {
  TCustomListBox::CreateWnd();
  // The list believes it has the focus, so it draws its selection as focused and never
  // takes the focus from the editor when clicked.
  CallWindowProcA(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TXPopupListbox::KeyPress(char& key) {
  TCustomListBox::KeyPress(key);
  if (key == 8 || key == 27) {
    searchText_.clear();
    return;
  }
  if (static_cast<unsigned char>(key) < 32) return;
  DWORD now = GetTickCount();
  if (now - searchTime_ > SearchResetMs) searchText_.clear();
  searchTime_ = now;
  if (searchText_.size() < 32) searchText_ += key;
  LRESULT i =
      SendMessageA(Handle(), LB_FINDSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(searchText_.c_str()));
  if (i != LB_ERR) SetItemIndex(static_cast<int>(i));
  key = 0;
}

void TXPopupListbox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_MOUSEACTIVATE: m.Result = MA_NOACTIVATE; return;
    case WM_LBUTTONUP: {
      TCustomListBox::WndProc(m);
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      RECT r = ClientRect();
      if (OnRelease) OnRelease(PtInRect(&r, p) != 0);
      return;
    }
  }
  TCustomListBox::WndProc(m);
}

// ---- value editor ------------------------------------------------------------------

TXGridInplaceEdit::TXGridInplaceEdit(TXGrid* grid)
    : TInplaceEdit(grid), xgrid_(grid), buttonWidth_(GetSystemMetrics(SM_CXVSCROLL) + 2) {}

RECT TXGridInplaceEdit::ButtonRect() {
  RECT c = ClientRect();
  return RECT{c.right - buttonWidth_, 0, c.right, c.bottom};
}

RECT TXGridInplaceEdit::EditRect() {
  RECT r = ClientRect();
  r.left += 2;
  r.top += 2;
  r.right -= 2;
  if (HasButton()) r.right -= buttonWidth_;
  return r;
}

void TXGridInplaceEdit::TakeUpRow() {
  TXGridRowItem* row = xgrid_->CurrentItem();
  TXEditStyle style = esSimple;
  if (row) {
    SetHint(row->Hint());
    switch (row->ButtonStyle()) {
      case rbsEllipsis: style = esEllipsis; break;
      case rbsFile: style = esFile; break;
      case rbsFont: style = esFont; break;
      case rbsImage: style = esImage; break;
      case rbsColor: style = esColor; break;
      case rbsPickList: style = row->HasPickList() ? esPickList : esSimple; break;
      default: break;
    }
    SetReadOnly(row->ReadOnly());
  }
  if (style != editStyle_) {
    if (listVisible_) CloseUp(false);
    editStyle_ = style;
    BoundsChanged();
  }
  Invalidate();
}

void TXGridInplaceEdit::UpdateContents() {
  if (listVisible_) CloseUp(false);
  StopTracking();
  TakeUpRow();
  TInplaceEdit::UpdateContents();
}

void TXGridInplaceEdit::PaintButton(HDC dc) {
  if (!HasButton()) return;
  RECT b = ButtonRect();
  if (editStyle_ == esPickList || editStyle_ == esFont) {
    UINT flags = DFCS_SCROLLCOMBOBOX;
    if (editStyle_ == esFont) flags |= DFCS_INACTIVE;
    if (pressed_) flags |= DFCS_PUSHED | DFCS_FLAT;
    DrawFrameControl(dc, &b, DFC_SCROLL, flags);
    return;
  }
  FillRect(dc, &b, GetSysColorBrush(COLOR_BTNFACE));
  RECT e = b;
  DrawEdge(dc, &e, pressed_ ? BDR_SUNKENOUTER : EDGE_RAISED, BF_RECT | (pressed_ ? BF_FLAT : 0));
  int c = buttonWidth_ / 2 - 1 + (pressed_ ? 1 : 0);
  int x = b.left + c, y = b.top + c;
  if (editStyle_ == esEllipsis) {
    int side = std::max(1, Height() / 8);
    HBRUSH black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    for (int dx : {-2 * side, 0, 2 * side}) {
      RECT sq{x + dx, y, x + dx + side, y + side};
      FillRect(dc, &sq, black);
    }
    return;
  }
  char name[8];
  wsprintfA(name, "BM%d", static_cast<int>(editStyle_));
  DrawFace(dc, name, x - 6, y - 5);
}

void TXGridInplaceEdit::TrackButton(int x, int y) {
  RECT b = ButtonRect();
  bool over = PtInRect(&b, POINT{x, y}) != 0;
  if (over != pressed_) {
    pressed_ = over;
    InvalidateRect(Handle(), &b, FALSE);
  }
}

void TXGridInplaceEdit::StopTracking() {
  if (!tracking_) return;
  tracking_ = false;
  if (HandleAllocated() && GetCapture() == Handle()) ReleaseCapture();
  if (pressed_) {
    pressed_ = false;
    if (HandleAllocated()) {
      RECT b = ButtonRect();
      InvalidateRect(Handle(), &b, FALSE);
    }
  }
}

void TXGridInplaceEdit::DoButtonAction() {
  switch (editStyle_) {
    case esEllipsis: xgrid_->EditButtonClick(); break;
    case esColor: xgrid_->ColorButtonClick(); break;
    case esFile: xgrid_->FileButtonClick(); break;
    case esImage: xgrid_->ImageButtonClick(); break;
    default: break;
  }
}

void TXGridInplaceEdit::DropDown() {
  TXGridRowItem* row = xgrid_->CurrentItem();
  if (listVisible_ || editStyle_ != esPickList || !row || !row->HasPickList()) return;
  if (!pickList_) {
    pickList_ = new TXPopupListbox(this);
    pickList_->OnRelease = [this](bool inside) { CloseUp(inside); };
  }
  pickList_->ClearSearch();  // each drop starts a new search
  pickList_->SetColor(Color());
  pickList_->SetFont(*Font());
  pickList_->Items()->Assign(*row->PickList());
  HWND lh = pickList_->Handle();
  int itemH = static_cast<int>(SendMessageA(lh, LB_GETITEMHEIGHT, 0, 0));
  int n = pickList_->Items()->Count();
  int h = std::min(n, 7) * itemH + 4;
  pickList_->SetItemIndex(pickList_->Items()->IndexOf(row->Value()));
  POINT p = ClientToScreen(POINT{0, 0});
  int y = p.y + Height();
  if (y + h > GetSystemMetrics(SM_CYSCREEN)) y = p.y - h;
  SetWindowPos(lh, HWND_TOPMOST, p.x, y, Width(), h, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  listVisible_ = true;
  RECT b = ButtonRect();
  InvalidateRect(Handle(), &b, FALSE);
}

void TXGridInplaceEdit::CloseUp(bool accept) {
  if (!listVisible_) return;
  if (GetCapture()) ReleaseCapture();
  tracking_ = false;
  pressed_ = false;
  int index = pickList_->ItemIndex();
  SetWindowPos(pickList_->Handle(), nullptr, 0, 0, 0, 0,
               SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  listVisible_ = false;
  if (HandleAllocated()) Invalidate();
  if (accept && index >= 0 && index < pickList_->Items()->Count() && xgrid_->Options().Contains(goEditing)) {
    AnsiString v = pickList_->Items()->Strings(index);
    xgrid_->SetCurrentValue(v);
    SetText(v);
    SelectAll();
  }
}

void TXGridInplaceEdit::KeyDown(WORD& key, TShiftState shift) {
  if (editStyle_ == esPickList) {
    if ((key == VK_RETURN || key == VK_ESCAPE) && !shift.Contains(ssAlt) && listVisible_) {
      CloseUp(key == VK_RETURN);
      key = 0;
      return;
    }
    if ((key == VK_UP || key == VK_DOWN) && shift.Contains(ssAlt)) {
      if (listVisible_)
        CloseUp(true);
      else
        DropDown();
      key = 0;
      return;
    }
    if (listVisible_) {
      SendMessageA(pickList_->Handle(), WM_KEYDOWN, key, 0);
      key = 0;
      return;
    }
  }
  if (editStyle_ == esEllipsis && key == VK_RETURN && shift.Contains(ssCtrl)) {
    key = 0;
    xgrid_->EditButtonClick();
    return;
  }
  // Ctrl+A selects the cell's text, so that what is typed next replaces it; the edit
  // control itself does not take the key.
  if (key == 'A' && shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    SelectAll();
    key = 0;
    return;
  }
  TInplaceEdit::KeyDown(key, shift);
}

void TXGridInplaceEdit::KeyPress(char& key) {
  if (listVisible_) {
    SendMessageA(pickList_->Handle(), WM_CHAR, static_cast<unsigned char>(key), 0);
    key = 0;
    return;
  }
  if (key == 1) {  // the character of Ctrl+A, which selected the text: not text itself
    key = 0;
    return;
  }
  TInplaceEdit::KeyPress(key);
}

void TXGridInplaceEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: {
      if (!HasButton()) break;
      // The edit paints around the button, then the button goes on top.
      PAINTSTRUCT ps;
      HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(Handle(), &ps);
      RECT b = ButtonRect();
      int saved = SaveDC(dc);
      ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
      CallWindowProcA(DefWndProc(), Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
      RestoreDC(dc, saved);
      PaintButton(dc);
      if (!m.WParam) EndPaint(Handle(), &ps);
      m.Result = 0;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      RECT b = ButtonRect();
      if (!HasButton() || !PtInRect(&b, p)) break;
      m.Result = 0;
      if (m.Msg == WM_LBUTTONDBLCLK) return;  // a double click on the button does nothing
      if (!Focused() && CanFocus()) SetFocus();
      if (listVisible_) {
        CloseUp(false);
        return;
      }
      SetCapture(Handle());
      tracking_ = true;
      TrackButton(p.x, p.y);
      if (editStyle_ == esPickList) DropDown();
      return;
    }
    case WM_MOUSEMOVE:
      if (!tracking_) break;
      TrackButton(GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam));
      if (listVisible_) {
        // Press on the arrow, drag into the list: the list takes over the press.
        POINT s = ClientToScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)});
        RECT lr;
        GetWindowRect(pickList_->Handle(), &lr);
        if (PtInRect(&lr, s)) {
          StopTracking();
          POINT lp = s;
          ::ScreenToClient(pickList_->Handle(), &lp);
          SendMessageA(pickList_->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(lp.x, lp.y));
        }
      }
      m.Result = 0;
      return;
    case WM_LBUTTONUP:
      if (!tracking_) break;
      {
        bool run = pressed_;
        StopTracking();
        m.Result = 0;
        if (run && editStyle_ != esPickList) DoButtonAction();
      }
      return;
    case WM_SETCURSOR: {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      RECT b = ButtonRect();
      if (HasButton() && PtInRect(&b, p)) {
        ::SetCursor(LoadCursorA(nullptr, IDC_ARROW));
        m.Result = TRUE;
        return;
      }
      break;
    }
    case WM_KILLFOCUS: CloseUp(false); break;
    case WM_SETFOCUS:
      TInplaceEdit::WndProc(m);
      if (xgrid_->OnEditUpdateContents) xgrid_->OnEditUpdateContents(xgrid_);
      return;
    case WM_CANCELMODE:
    case CM_CANCELMODE:
      StopTracking();
      CloseUp(false);
      break;
  }
  TInplaceEdit::WndProc(m);
}

// ---- the grid ----------------------------------------------------------------------

TXGrid::TXGrid(TComponent* owner) : TCustomGrid(owner), rows_(std::make_unique<TXGridRows>(this)) {
  SetDefaultRowHeight(18);
  SetDefaultColWidth(100);
  SetColCount(2);
  SetFixedCols(1);
  SetRowCount(1);
  SetFixedRows(0);
  SetColor(clBtnFace);
  SetBorderStyle(bsNone);
  SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor});
}

TXGrid::~TXGrid() { rows_.reset(); }

void TXGrid::SetColWidth(int w) {
  colWidth_ = w;
  SetColWidths(0, w);
  SetColWidths(1, Width() - 2 * GridLineWidth() - w);
}

void TXGrid::Resize() {
  SetColWidths(1, ClientWidth() - 2 * GridLineWidth() - colWidth_);
  TCustomGrid::Resize();
}

TXGridRowItem* TXGrid::CurrentItem() const {
  int r = Row();
  return rows_ && r >= 0 && r < rows_->Count() ? rows_->Items(r) : nullptr;
}

void TXGrid::RowsChanged(TXGridRowItem* item) {
  if (Destroying()) return;
  if (!item) {
    SetRowCount(std::max(1, rows_->Count()));
    Invalidate();
    if (auto* e = Editor()) e->UpdateContents();
    UpdateEdit();
    return;
  }
  int r = item->Index();
  InvalidateCell(0, r);
  InvalidateCell(1, r);
  if (r == Row())
    if (auto* e = Editor()) {
      e->TakeUpRow();
      if (e->Text() != item->Value()) e->TInplaceEdit::UpdateContents();
    }
}

bool TXGrid::CanEditShow() { return rows_ && rows_->Count() > 0 && TCustomGrid::CanEditShow(); }

TInplaceEdit* TXGrid::CreateEditor() { return new TXGridInplaceEdit(this); }

AnsiString TXGrid::GetEditText(int c, int r) {
  return r >= 0 && r < rows_->Count() ? rows_->Items(r)->Value() : AnsiString();
}

void TXGrid::SetEditText(int c, int r, const AnsiString& text) {
  if (r >= 0 && r < rows_->Count()) rows_->Items(r)->SetValue(text);
}

void TXGrid::SetCurrentValue(const AnsiString& v) {
  if (TXGridRowItem* row = CurrentItem()) row->SetValue(v);
  if (auto* e = Editor())
    if (e->EditVisible() && e->Text() != v) e->TInplaceEdit::UpdateContents();
}

void TXGrid::DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {
  RECT cell{rect.left + 2, rect.top + 1, rect.right - 2, rect.bottom - 1};
  if (r < 0 || r >= rows_->Count()) return;
  TXGridRowItem* row = rows_->Items(r);
  TCanvas* cv = Canvas();
  cv->Brush()->SetStyle(bsClear);
  if (c == 1) {
    cv->Font()->SetColor(clNavy);
    cv->TextRect(cell, cell.left, cell.top + 1, row->Value());
  } else {
    RECT cap{cell.left + 4, cell.top + 1, cell.right - 4, cell.bottom - 1};
    cv->Font()->SetColor(row->Color());
    cv->TextRect(cap, cap.left, cap.top, row->Caption());
    if (row->State() == 1)
      if (HBITMAP b = XGridBitmap("BMREQ")) {
        BITMAP bm;
        GetObjectA(b, sizeof bm, &bm);
        DrawFace(cv->Handle(), "BMREQ", cap.right - bm.bmWidth, cap.top);
      }
  }
  cv->Brush()->SetStyle(bsSolid);
}

// ---- button actions ----------------------------------------------------------------

void TXGrid::EditButtonClick() {
  if (OnEditButtonClick) OnEditButtonClick(this);
}

AnsiString TXGrid::ColorToHtml(TColor c) {
  COLORREF rgb = ColorToRGB(c);
  return "#" + IntToHex(GetRValue(rgb), 2) + IntToHex(GetGValue(rgb), 2) + IntToHex(GetBValue(rgb), 2);
}

TColor TXGrid::HtmlToColor(const AnsiString& text) {
  AnsiString digits;
  for (char ch : text)
    if (std::isxdigit(static_cast<unsigned char>(ch))) digits += ch;
  digits += "0000000";
  auto pair = [&](int i) {
    return static_cast<BYTE>(std::stoi(digits.substr(static_cast<size_t>(i), 2), nullptr, 16));
  };
  return static_cast<TColor>(RGB(pair(0), pair(2), pair(4)));
}

void TXGrid::ColorButtonClick() {
  TXGridRowItem* row = CurrentItem();
  if (!row) return;
  TComponentPtr<TColorDialog> dlg(new TColorDialog(nullptr));
  static const char* kFile = "custom.clr";
  if (FileExists(kFile)) {
    try {
      // Only well-formed colours reach the dialog, whatever the file holds.
      TStringList file;
      file.LoadFromFile(kFile);
      dlg->CustomColors()->SetText(CustomColorsText(ReadCustomColors(file.Text())));
    } catch (const std::exception&) {
      dlg->CustomColors()->Clear();  // an unreadable file: the dialog starts without
    }
  }
  dlg->SetColor(HtmlToColor(Editor() ? Editor()->Text() : row->Value()));
  if (!dlg->Execute()) return;  // a cancelled dialog changes nothing, the file included
  SetCurrentValue(ColorToHtml(dlg->Color()));
  try {
    dlg->CustomColors()->SaveToFile(kFile);
  } catch (const std::exception&) {
    // A folder that cannot be written keeps no custom colours; the value is set all the same.
  }
}

void TXGrid::FileButtonClick() {
  TXGridRowItem* row = CurrentItem();
  if (!row) return;
  TComponentPtr<TOpenDialog> dlg(new TOpenDialog(nullptr));
  dlg->SetOptions(TOpenOptions{ofHideReadOnly, ofNoChangeDir, ofPathMustExist, ofFileMustExist});
  AnsiString current = Editor() ? Editor()->Text() : row->Value();
  if (!current.empty() && FileExists(current)) dlg->SetFileName(current);
  dlg->SetFilter(row->Filter());
  if (dlg->Execute()) SetCurrentValue(RelativeURL(dlg->FileName()));
}

void TXGrid::ImageButtonClick() {
  TXGridRowItem* row = CurrentItem();
  if (!row) return;
  TComponentPtr<TImgDlg> dlg(new TImgDlg(nullptr));
  dlg->SetFilter(row->Filter());
  if (!dlg->Execute()) return;
  SetCurrentValue(RelativeURL(dlg->filename()));
  // An image whose size could not be read leaves the size rows as they were.
  if (dlg->IWidth() <= 0 || dlg->IHeight() <= 0) return;
  for (int i = 0; i < rows_->Count(); ++i) {
    TXGridRowItem* it = rows_->Items(i);
    if (it->Caption() == "WIDTH")
      it->SetValue(IntToStr(dlg->IWidth()));
    else if (it->Caption() == "HEIGHT")
      it->SetValue(IntToStr(dlg->IHeight()));
  }
}

}  // namespace vx
