#include "editor/wizards/Handles.h"

#include <algorithm>

#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"

namespace vx {

VX_PUBLISH(TStretchHandle, TCustomControl) {
  P.Int("SecondaryColor", &TStretchHandle::SecondaryColor, &TStretchHandle::SetSecondaryColor)
      .Bool("Locked", &TStretchHandle::Locked, &TStretchHandle::SetLocked)
      .Int("GridX", &TStretchHandle::GridX, &TStretchHandle::SetGridX)
      .Int("GridY", &TStretchHandle::GridY, &TStretchHandle::SetGridY)
      .Bool("SnapToGrid", &TStretchHandle::SnapToGrid, &TStretchHandle::SetSnapToGrid);
}

namespace {
constexpr int kGrip = 5;  // the grip squares' size, and the reach of a corner grip
constexpr int kMid = 3;   // the reach of an edge grip along its edge
}  // namespace

TStretchHandle::TStretchHandle(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 24, 24);
  controlStyle_ = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks};
  SetColor(clBlack);
  gripColor_ = clBlack;
  SetEnabled(false);
  SetVisible(false);
}

void TStretchHandle::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.ExStyle |= WS_EX_TRANSPARENT;
}

void TStretchHandle::SetSecondaryColor(TColor c) {
  secondaryColor_ = c;
  Invalidate();
}

void TStretchHandle::SetSnapToGrid(bool s) { gridX_ = gridY_ = s ? 8 : 1; }

TStretchHandle* TStretchHandle::OtherHandle() const {
  TWinControl* p = Parent();
  if (!p) return nullptr;
  for (int i = 0; i < p->ControlCount(); ++i)
    if (auto* h = dynamic_cast<TStretchHandle*>(p->Controls(i)); h && h != this && h->Attached()) return h;
  return nullptr;
}

void TStretchHandle::Attach(TControl* control) {
  if (dynamic_cast<TForm*>(control)) throw EBadChild("Handles can not be attached to this component");
  if (attached_) Detach();
  if (!control) return;
  attached_ = control;
  control->FreeNotification(this);
  SetParent(control->Parent());
  if (TStretchHandle* other = OtherHandle()) {
    gripColor_ = secondaryColor_;
    other->gripColor_ = other->secondaryColor_;
    other->Invalidate();
  } else {
    gripColor_ = Color();
  }
  feedbackShown_ = false;
  TCustomControl::SetBounds(control->Left() - 2, control->Top() - 2, control->Width() + 5, control->Height() + 5);
  SetEnabled(true);
  SetVisible(true);
  if (!ComponentState().Contains(csDesigning)) {
    BringToFront();
    if (HandleAllocated()) SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (CanFocus()) SetFocus();
  }
  Invalidate();
}

void TStretchHandle::Detach() {
  if (attached_) attached_->RemoveFreeNotification(this);
  attached_ = nullptr;
  locked_ = false;
  dragging_ = false;
  feedbackShown_ = false;
  SetEnabled(false);
  SetVisible(false);
  SetParent(nullptr);
}

void TStretchHandle::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op == opRemove && c == attached_) {
    attached_ = nullptr;
    if (!Destroying()) Detach();
  }
}

void TStretchHandle::SetBounds(int l, int t, int w, int h) {
  if (ComponentState().Contains(csDesigning)) {
    SetVisible(false);
    TCustomControl::SetBounds(l, t, 24, 24);
    return;
  }
  if (locked_) return;
  if (attached_) attached_->SetBounds(l + 2, t + 2, w - 5, h - 5);
  TCustomControl::SetBounds(l, t, w, h);
  // The picture under the handles moved with them: no bits are copied, all is drawn anew.
  Invalidate();
}

// ---- painting ------------------------------------------------------------------------

void TStretchHandle::Paint() {
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  RECT client = ClientRect();
  // See-through: what the parent draws under the handles (its own colour and its
  // windowless controls), then the grips.
  if (TWinControl* p = Parent()) {
    c->Brush()->SetColor(p->Color());
    c->FillRect(client);
    c->Refresh();
    for (int i = 0; i < p->ControlCount(); ++i) {
      TControl* ctl = p->Controls(i);
      if (dynamic_cast<TWinControl*>(ctl) || !ctl->Visible()) continue;
      RECT b = ctl->BoundsRect(), mine = BoundsRect(), both;
      if (!IntersectRect(&both, &b, &mine)) continue;
      TSavedDC saved(dc);
      POINT org;
      GetViewportOrgEx(dc, &org);
      SetViewportOrgEx(dc, org.x + ctl->Left() - Left(), org.y + ctl->Top() - Top(), nullptr);
      IntersectClipRect(dc, 0, 0, ctl->Width(), ctl->Height());
      ctl->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
  }
  c->Refresh();
  c->Brush()->SetColor(gripColor_);
  c->Brush()->SetStyle(bsSolid);
  int w = Width(), h = Height();
  const int xs[3] = {0, (w - kGrip) / 2, w - kGrip}, ys[3] = {0, (h - kGrip) / 2, h - kGrip};
  for (int iy = 0; iy < 3; ++iy)
    for (int ix = 0; ix < 3; ++ix)
      if (ix != 1 || iy != 1) c->FillRect(RECT{xs[ix], ys[iy], xs[ix] + kGrip, ys[iy] + kGrip});
}

void TStretchHandle::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_ERASEBKGND:
      m.Result = 1;  // painted whole in Paint, so nothing flickers
      return;
    case WM_GETDLGCODE: m.Result = DLGC_WANTARROWS; return;
    case WM_CANCELMODE:
      if (dragging_) {
        EraseFeedback();
        dragging_ = false;
      }
      break;
  }
  TCustomControl::WndProc(m);
}

// ---- mouse and keys ------------------------------------------------------------------

int TStretchHandle::GripAt(int x, int y) const {
  int r = Width() - 1, b = Height() - 1, mx = Width() / 2, my = Height() / 2;
  auto within = [](int a, int edge, int reach) { return std::abs(a - edge) < reach; };
  int g = 0;
  // Tested in this order; a later match wins.
  if (within(x, 0, kGrip) && within(y, 0, kGrip)) g = 1;
  if (within(x, r, kGrip) && within(y, b, kGrip)) g = 4;
  if (within(x, r, kGrip) && within(y, 0, kGrip)) g = 2;
  if (within(x, 0, kGrip) && within(y, b, kGrip)) g = 3;
  if (within(x, mx, kMid) && within(y, 0, kGrip)) g = 5;
  if (within(x, mx, kMid) && within(y, b, kGrip)) g = 7;
  if (within(y, my, kMid) && within(x, 0, kGrip)) g = 6;
  if (within(y, my, kMid) && within(x, r, kGrip)) g = 8;
  return g;
}

POINT TStretchHandle::Snap(int x, int y) const {
  // The grip margin of 2 keeps the held control itself on the grid.
  if (gridX_ > 1) x = x / gridX_ * gridX_ - 2;
  if (gridY_ > 1) y = y / gridY_ * gridY_ - 2;
  return POINT{x, y};
}

POINT TStretchHandle::Clamp(POINT p) const {
  TWinControl* parent = Parent();
  if (!parent) return p;
  p.x = std::clamp(static_cast<int>(p.x), -Left(), parent->Width() - Left());
  p.y = std::clamp(static_cast<int>(p.y), -Top(), parent->Height() - Top());
  return p;
}

RECT TStretchHandle::NewRect(POINT p) const {
  int dx = p.x - origin_.x, dy = p.y - origin_.y;
  int l = Left(), t = Top(), r = l + Width(), b = t + Height();
  bool left = grip_ == 0 || grip_ == 1 || grip_ == 3 || grip_ == 6;
  bool right = grip_ == 0 || grip_ == 2 || grip_ == 4 || grip_ == 8;
  bool top = grip_ == 0 || grip_ == 1 || grip_ == 2 || grip_ == 5;
  bool bottom = grip_ == 0 || grip_ == 3 || grip_ == 4 || grip_ == 7;
  if (left) l += dx;
  if (right) r += dx;
  if (top) t += dy;
  if (bottom) b += dy;
  // Never smaller than the grips: the edge being dragged stops, the other stays.
  if (r - l < kGrip) {
    if (left && !right)
      l = r - kGrip;
    else
      r = l + kGrip;
  }
  if (b - t < kGrip) {
    if (top && !bottom)
      t = b - kGrip;
    else
      b = t + kGrip;
  }
  return RECT{l, t, r, b};
}

void TStretchHandle::DrawFeedback(const RECT& r) {
  EraseFeedback();
  TWinControl* parent = Parent();
  if (!parent) return;
  POINT o = parent->ClientToScreen(POINT{0, 0});
  RECT s{r.left + 2 + o.x, r.top + 2 + o.y, r.right - 3 + o.x, r.bottom - 3 + o.y};
  HDC dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  DrawFocusRect(dc, &s);
  ReleaseDC(GetDesktopWindow(), dc);
  feedback_ = s;
  feedbackShown_ = true;
}

void TStretchHandle::EraseFeedback() {
  if (!feedbackShown_) return;
  // A focus rectangle is an inversion: drawing the same one again takes it away.
  HDC dc = GetDCEx(GetDesktopWindow(), nullptr, DCX_CACHE | DCX_LOCKWINDOWUPDATE);
  DrawFocusRect(dc, &feedback_);
  ReleaseDC(GetDesktopWindow(), dc);
  feedbackShown_ = false;
}

void TStretchHandle::MoveOthers(int dx, int dy) {
  TWinControl* p = Parent();
  if (!p || (!dx && !dy)) return;
  for (int i = 0; i < p->ControlCount(); ++i)
    if (auto* h = dynamic_cast<TStretchHandle*>(p->Controls(i)); h && h != this && h->Attached())
      h->SetBounds(h->Left() + dx, h->Top() + dy, h->Width(), h->Height());
}

void TStretchHandle::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (b == mbLeft && !locked_ && attached_) {
    origin_ = Snap(x, y);
    dragging_ = true;
    DrawFeedback(NewRect(origin_));
  }
  TCustomControl::MouseDown(b, s, x, y);
}

void TStretchHandle::MouseMove(TShiftState s, int x, int y) {
  if (dragging_) {
    DrawFeedback(NewRect(Clamp(Snap(x, y))));
  } else {
    TCursor c;
    if (locked_) {
      c = crNoDrop;
    } else if (OtherHandle()) {
      grip_ = 0;  // several handles in one parent only move together
      c = DragCursor();
    } else {
      grip_ = GripAt(x, y);
      static const TCursor cursors[9] = {0,        crSizeNWSE, crSizeNESW, crSizeNESW, crSizeNWSE,
                                         crSizeNS, crSizeWE,   crSizeNS,   crSizeWE};
      c = grip_ ? cursors[grip_] : DragCursor();
    }
    if (c != Cursor()) {
      SetCursor(c);
      ::SetCursor(Screen->Cursors(c));
    }
  }
  TCustomControl::MouseMove(s, x, y);
}

void TStretchHandle::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (b == mbLeft && dragging_) {
    RECT r = NewRect(Clamp(Snap(x, y)));
    EraseFeedback();
    bool moved = r.left != Left() || r.top != Top() || r.right - r.left != Width() || r.bottom - r.top != Height();
    if (grip_ == 0) MoveOthers(r.left - Left(), r.top - Top());
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    if (moved) Invalidate();
    dragging_ = false;
    if (CanFocus()) SetFocus();
  }
  TCustomControl::MouseUp(b, s, x, y);
}

void TStretchHandle::KeyDown(WORD& key, TShiftState shift) {
  if (!locked_ && attached_) {
    int dx = key == VK_LEFT ? -1 : key == VK_RIGHT ? 1 : 0, dy = key == VK_UP ? -1 : key == VK_DOWN ? 1 : 0;
    if (dx || dy) {
      MoveOthers(dx, dy);
      SetBounds(Left() + dx, Top() + dy, Width(), Height());
    }
  }
  TCustomControl::KeyDown(key, shift);
}

}  // namespace vx
