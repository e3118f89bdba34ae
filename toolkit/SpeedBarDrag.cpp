// The speed bar under the mouse: in customise mode its buttons are dragged about the bar
// or off it behind an image that follows the pointer, and its inner edge resizes it by
// whole rows; with sbAllowDrag the whole bar is dragged to another side of its parent.
#include <algorithm>
#include <cstdlib>

#include "framework/core/Scoped.h"
#include "framework/win/Forms.h"
#include "toolkit/SpeedBar.h"
#include "toolkit/VCLUtils.h"

namespace vx {

namespace {

bool IsSide(TAlign a) { return a == alTop || a == alBottom || a == alLeft || a == alRight; }

bool InClient(TControl* c, POINT p) {
  RECT r = c->ClientRect();
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

void ShowDragCursor() { ::SetCursor(Screen->Cursors(crDragHand)); }

}  // namespace

// ---- TBtnControl ---------------------------------------------------------------------

TBtnControl::TBtnControl(TComponent* owner) : TCustomControl(owner) {
  SetVisibleFlag(false);
  SetEnabled(false);
  SetCursor(crDragHand);
}

TBtnControl::~TBtnControl() = default;

void TBtnControl::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_DISABLED;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.WndParent = nullptr;
  // The image moves over other windows often: they keep what it covered.
  p.WindowClass.style |= CS_SAVEBITS;
}

void TBtnControl::InitFrom(TSpeedItem* item, TFont* font, int width, int height) {
  image_.SetGlyph(item->Glyph());
  image_.SetNumGlyphs(item->NumGlyphs());
  image_.SetCaption(item->BtnCaption());
  image_.SetWordWrap(item->WordWrap());
  spacing_ = item->Spacing();
  margin_ = item->Margin();
  layout_ = item->Layout();
  if (font) Font()->Assign(*font);
  SetBounds(Left(), Top(), width, height);
}

void TBtnControl::Resize() {
  image_.SetButtonSize(POINT{ClientWidth(), ClientHeight()});
  TCustomControl::Resize();
}

void TBtnControl::Paint() { image_.Draw(Canvas(), 0, 0, layout_, margin_, spacing_, Font()); }

void TBtnControl::ShowAt(POINT screen) {
  bool placed = Left() == screen.x && Top() == screen.y && Visible();
  StoreBounds(screen.x, screen.y, Width(), Height());
  SetVisibleFlag(true);
  if (placed) return;
  SetWindowPos(Handle(), HWND_TOPMOST, screen.x, screen.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
  // Wine may size a fresh pop-up its own way: the image is exactly one button.
  RECT r;
  GetWindowRect(Handle(), &r);
  if (r.right - r.left != Width() || r.bottom - r.top != Height())
    SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TBtnControl::HideImage() {
  SetVisibleFlag(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

// ---- TSpeedbarButton: dragging in customise mode ---------------------------------------

POINT TSpeedbarButton::ImageCorner(int x, int y) {
  POINT p = ClientToScreen(POINT{x, y});
  return POINT{p.x - dragImage_->Width(), p.y - dragImage_->Height()};
}

void TSpeedbarButton::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TSpeedBar* bar = item_ ? item_->SpeedBar() : nullptr;
  if (b != mbLeft || !bar || !item_->Editing() || !item_->Visible()) {
    TZxSpeedButton::MouseDown(b, s, x, y);
    return;
  }
  if (dragImage_) return;
  // The pointer goes to the button's bottom-right corner: the image hangs above-left
  // of it, exactly over the button.
  POINT corner = ClientToScreen(POINT{bar->BtnWidth(), bar->BtnHeight()});
  SetCursorPos(corner.x, corner.y);
  dragImage_ = new TBtnControl(this);
  dragImage_->InitFrom(item_, Font(), bar->BtnWidth(), bar->BtnHeight());
}

void TSpeedbarButton::MouseMove(TShiftState s, int x, int y) {
  if (!dragImage_) {
    TZxSpeedButton::MouseMove(s, x, y);
    return;
  }
  TSpeedBar* bar = item_->SpeedBar();
  POINT corner = ImageCorner(x, y);
  SetVisible(false);
  if (bar && InClient(bar, bar->ScreenToClient(corner))) {
    dragImage_->ShowAt(corner);
    ShowDragCursor();
  } else {
    dragImage_->HideImage();
  }
}

void TSpeedbarButton::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (!dragImage_) {
    TZxSpeedButton::MouseUp(b, s, x, y);
    return;
  }
  if (b != mbLeft) return;
  POINT corner = ImageCorner(x, y);
  TBtnControl* image = dragImage_;
  dragImage_ = nullptr;
  image->Free();
  TSpeedBar* bar = item_->SpeedBar();
  if (!bar) return;
  POINT at = bar->ScreenToClient(corner);
  if (InClient(bar, at)) {
    if (bar->PlaceDroppedItem(item_, at.x, at.y)) {
      bar->NotifySetupWindow(SBR_BTNSELECT, reinterpret_cast<LPARAM>(item_));
      Invalidate();
      return;
    }
  } else {
    item_->SetVisible(false);
  }
  bar->NotifySetupWindow(SBR_CHANGED, reinterpret_cast<LPARAM>(bar));
}

// ---- TSpeedBar: the side and the frame of a bar drag -----------------------------------

TAlign TSpeedBar::DockSideAt(POINT screen, bool& apply) {
  TWinControl* parent = Parent();
  TAlign side = Align();
  if (parent) {
    POINT p = parent->ScreenToClient(screen);
    double x = p.x, y = p.y, W = parent->ClientWidth(), H = parent->ClientHeight();
    if (W > 0 && H > 0) {
      bool d1 = y > (H / W) * x;
      bool d2 = y < H * (1 - x / W);
      side = d1 ? (d2 ? alLeft : alBottom) : (d2 ? alTop : alRight);
    }
  }
  if (OnApplyAlign) OnApplyAlign(this, side, apply);
  return side;
}

RECT TSpeedBar::DockFrameRect(POINT screen) {
  bool apply = true;
  TAlign side = DockSideAt(screen, apply);
  TWinControl* parent = Parent();
  if (!apply || !parent) return dragFrame_;
  dragAlign_ = side;
  RECT r = parent->ClientRect();
  RECT me = BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || !IsSide(c->Align())) continue;
    RECT b = c->BoundsRect();
    bool outside = false;
    switch (side) {
      case alTop: outside = b.top < me.top; break;
      case alBottom: outside = b.bottom > me.bottom; break;
      case alLeft: outside = b.left < me.left; break;
      default: outside = b.right > me.right; break;
    }
    if (c->Align() > side || (c->Align() == side && !outside)) continue;
    switch (c->Align()) {
      case alTop: r.top += c->Height(); break;
      case alBottom: r.bottom -= c->Height(); break;
      case alLeft: r.left += c->Width(); break;
      default: r.right -= c->Width(); break;
    }
  }
  int thickness = Orientation() == boHorizontal ? Height() : Width();
  switch (side) {
    case alTop: r.bottom = r.top + thickness; break;
    case alBottom: r.top = r.bottom - thickness; break;
    case alLeft: r.right = r.left + thickness; break;
    default: r.left = r.right - thickness; break;
  }
  POINT tl = parent->ClientToScreen(POINT{r.left, r.top});
  return RECT{tl.x, tl.y, tl.x + (r.right - r.left), tl.y + (r.bottom - r.top)};
}

void TSpeedBar::StartBarDrag() {
  barDragging_ = true;
  POINT tl = ClientToScreen(POINT{0, 0});
  dragFrame_ = RECT{tl.x, tl.y, tl.x + Width(), tl.y + Height()};
  dragAlign_ = Align();
  InvertScreenFrame(dragFrame_, 3);
  ShowDragCursor();
}

void TSpeedBar::MoveBarDrag(POINT screen) {
  RECT r = DockFrameRect(screen);
  if (EqualRect(&r, &dragFrame_)) return;
  InvertScreenFrame(dragFrame_, 3);
  ShowDragCursor();
  dragFrame_ = r;
  InvertScreenFrame(dragFrame_, 3);
}

void TSpeedBar::EndBarDrag(POINT screen) {
  InvertScreenFrame(dragFrame_, 3);
  ::SetCursor(Screen->Cursors(Cursor()));
  barDragging_ = false;
  if (IsSide(Align())) {
    bool apply = true;
    TAlign side = DockSideAt(screen, apply);
    TWinControl* parent = Parent();
    if (parent) parent->DisableAlign();
    auto enable = OnScopeExit([parent] {
      if (parent) parent->EnableAlign();
    });
    SetAlign(apply ? side : dragAlign_);
  }
  PosChanged();
}

// ---- TSpeedBar: resizing by the inner edge ----------------------------------------------

bool TSpeedBar::InResizeArea(int x, int y) {
  if (!setupWindow_ || !options_.Contains(sbAllowResize) || barDragging_) return false;
  int w = ClientWidth(), h = ClientHeight();
  switch (Align()) {
    case alTop: return x > 0 && x <= w && y > h - 4 && y <= h + 4;
    case alBottom: return x > 0 && x <= w && y >= -3 && y <= 4;
    case alLeft: return y > 0 && y <= h && x > w - 4 && x <= w + 4;
    case alRight: return y > 0 && y <= h && x >= -3 && x <= 4;
    default: return false;
  }
}

void TSpeedBar::ResizeTo(int x, int y) {
  TWinControl* parent = Parent();
  if (!parent || !InClient(parent, parent->ScreenToClient(ClientToScreen(POINT{x, y})))) return;
  int n = 0;
  switch (Align()) {
    case alTop: n = std::abs(y - 2 * btnOffsetVert_) / btnHeight_; break;
    case alBottom: n = std::abs(ClientHeight() - 2 * btnOffsetVert_ - y) / btnHeight_; break;
    case alLeft: n = std::abs(x - 2 * btnOffsetHorz_) / btnWidth_; break;
    case alRight: n = std::abs(ClientWidth() - 2 * btnOffsetHorz_ - x) / btnWidth_; break;
    default: return;
  }
  n = std::max(n, 1);
  if (Align() == alTop || Align() == alBottom)
    SetHeight(std::min(btnHeight_ * n + 2 * btnOffsetVert_, parent->ClientHeight()));
  else
    SetWidth(std::min(btnWidth_ * n + 2 * btnOffsetHorz_, parent->ClientWidth()));
}

// ---- TSpeedBar: the mouse --------------------------------------------------------------

void TSpeedBar::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TCustomPanel::MouseDown(b, s, x, y);
  if (b != mbLeft || !Parent()) return;
  if (InResizeArea(x, y)) {
    resizing_ = true;
    SetMouseCapture(true);
    return;
  }
  if (options_.Contains(sbAllowDrag) && IsSide(Align())) {
    SetMouseCapture(true);
    pressed_ = true;
    mouseDown_ = POINT{x, y};
  }
}

void TSpeedBar::MouseMove(TShiftState s, int x, int y) {
  TCustomPanel::MouseMove(s, x, y);
  if (resizing_) {
    if (s.Contains(ssLeft)) ResizeTo(x, y);
    return;
  }
  if (pressed_ && s.Contains(ssLeft) && MouseCapture()) {
    if (!barDragging_ && (std::abs(x - mouseDown_.x) > 4 || std::abs(y - mouseDown_.y) > 4)) StartBarDrag();
    if (barDragging_) MoveBarDrag(ClientToScreen(POINT{x, y}));
    return;
  }
  if (InResizeArea(x, y)) ::SetCursor(Screen->Cursors(Align() == alTop || Align() == alBottom ? crSizeNS : crSizeWE));
}

void TSpeedBar::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  // The resize or drag ends even when the bar's mouse-up handler fails: no frame may stay
  // on the screen, no press stay half-held.
  auto end = OnScopeExit([&] {
    if (b != mbLeft) return;
    if (resizing_) {
      resizing_ = false;
      ::SetCursor(Screen->Cursors(Cursor()));
      return;
    }
    pressed_ = false;
    if (barDragging_) EndBarDrag(ClientToScreen(POINT{x, y}));
  });
  TCustomPanel::MouseUp(b, s, x, y);
}

void TSpeedBar::WndProc(TMessage& m) {
  // Over the resize edge the sizing cursor wins over the bar's own.
  if (m.Msg == WM_SETCURSOR && reinterpret_cast<HWND>(m.WParam) == Handle() && LOWORD(m.LParam) == HTCLIENT &&
      setupWindow_ && options_.Contains(sbAllowResize)) {
    POINT p;
    GetCursorPos(&p);
    p = ScreenToClient(p);
    if (InResizeArea(p.x, p.y)) {
      ::SetCursor(Screen->Cursors(Align() == alTop || Align() == alBottom ? crSizeNS : crSizeWE));
      m.Result = TRUE;
      return;
    }
  }
  if (m.Msg == WM_CANCELMODE) {
    // A window that pops up mid-drag ends it: the frame on the screen must not stay behind.
    if (barDragging_) {
      InvertScreenFrame(dragFrame_, 3);
      barDragging_ = false;
    }
    pressed_ = resizing_ = false;
  }
  TCustomPanel::WndProc(m);
}

}  // namespace vx
