#include "framework/win/Controls.h"

#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <unordered_map>

#include "framework/core/Scoped.h"
#include "framework/win/GdiScoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/MsgParams.h"

namespace vx {

namespace {

std::unordered_map<HWND, TWinControl*>& HandleTable() {
  // Never destroyed: forms freed at program end still unbind from it.
  static auto* table = new std::unordered_map<HWND, TWinControl*>;
  return *table;
}

TWinControl* creatingControl = nullptr;  // bound to the first message of a new window
TControl* captureControl = nullptr;
TControl* mouseControl = nullptr;  // the control the mouse is over (enter/leave)
TControl* dragSource = nullptr;

}  // namespace

VX_PUBLISH(TControl, TComponent) {
  P.Enum("Align", TypeInfoAlign(), &TControl::Align, &TControl::SetAlign)
      .Int("Color", &TControl::Color, &TControl::SetColor)
      .Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled)
      .Object("Font", &TControl::Font)
      .Int("Height", &TControl::Height, &TControl::SetHeight)
      .Int("HelpContext", &TControl::HelpContext, &TControl::SetHelpContext)
      .Str("Hint", &TControl::Hint, &TControl::SetHint)
      .Int("Left", &TControl::Left, &TControl::SetLeft)
      .Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
      .Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont)
      .Bool("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint)
      .Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint)
      .Int("Top", &TControl::Top, &TControl::SetTop)
      .Bool("Visible", &TControl::Visible, &TControl::SetVisible)
      .Int("Width", &TControl::Width, &TControl::SetWidth)
      .Method("OnClick")
      .Method("OnDblClick")
      .Method("OnResize");
}
VX_PUBLISH(TWinControl, TControl) {
  P.Bool("Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D)
      .Bool("ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D)
      .Int("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder)
      .Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop);
}
VX_PUBLISH(TGraphicControl, TControl) {}
VX_PUBLISH(TCustomControl, TWinControl) {}

const TTypeInfo* TypeInfoAlign() {
  return EnumTypeInfo("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
}

TShiftState KeysToShiftState(WPARAM keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s << ssShift;
  if (keys & MK_CONTROL) s << ssCtrl;
  if (keys & MK_LBUTTON) s << ssLeft;
  if (keys & MK_RBUTTON) s << ssRight;
  if (keys & MK_MBUTTON) s << ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s << ssAlt;
  return s;
}

TShiftState KeyboardShiftState() {
  TShiftState s;
  if (GetKeyState(VK_SHIFT) < 0) s << ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s << ssCtrl;
  if (GetKeyState(VK_MENU) < 0) s << ssAlt;
  return s;
}

AnsiString GetShortHint(const AnsiString& hint) {
  size_t p = hint.find('|');
  return p == AnsiString::npos ? hint : hint.substr(0, p);
}

AnsiString GetLongHint(const AnsiString& hint) {
  size_t p = hint.find('|');
  return p == AnsiString::npos ? hint : hint.substr(p + 1);
}

void GuardedCall(TObject* sender, const std::function<void()>& f) {
  try {
    f();
  } catch (...) {
    Application->HandleException(sender);
  }
}

TWinControl* FindControl(HWND h) {
  if (!h) return nullptr;
  auto& t = HandleTable();
  auto it = t.find(h);
  return it == t.end() ? nullptr : it->second;
}

TControl* GetCaptureControl() { return captureControl; }

void SetCaptureControl(TControl* c) {
  captureControl = c;
  if (!c) {
    ReleaseCapture();
    return;
  }
  TWinControl* w = dynamic_cast<TWinControl*>(c);
  if (!w) w = c->Parent();
  if (w && w->HandleAllocated()) SetCapture(w->Handle());
}

// ---- TControl ----------------------------------------------------------------------

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this](TObject*) {
    if (!updatingFont_) parentFont_ = false;
    FontChanged();
  };
}

TControl::~TControl() = default;

void TControl::BeforeDestruction() {
  // The globals let go of this control whatever path got here: a form or a popup has no
  // parent and is already marked destroying when its windowed base arrives here.
  if (captureControl == this) captureControl = nullptr;
  if (mouseControl == this) mouseControl = nullptr;
  if (dragSource == this) dragSource = nullptr;
  if (Destroying() && !parent_) {
    if (Application) Application->HintMouseLeave(this);
    return;
  }
  TComponent::BeforeDestruction();
  if (Application) Application->HintMouseLeave(this);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* p) {
  if (p == parent_) return;
  if (p == this) throw EInvalidOperation("A control cannot be its own parent");
  if (parent_) parent_->RemoveControl(this);
  if (p) p->InsertControl(this);
}

void TControl::SetBounds(int l, int t, int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (l == left_ && t == top_ && w == width_ && h == height_) return;
  bool sized = w != width_ || h != height_;
  Invalidate();
  left_ = l;
  top_ = t;
  width_ = w;
  height_ = h;
  Invalidate();
  RequestAlign();
  if (sized) Resize();
}

RECT TControl::ClientRect() { return RECT{0, 0, width_, height_}; }

void TControl::SetClientSize(int w, int h) {
  RECT r = ClientRect();
  SetBounds(left_, top_, width_ + w - (r.right - r.left), height_ + h - (r.bottom - r.top));
}

POINT TControl::ClientOrigin() {
  POINT p{left_, top_};
  if (parent_) {
    POINT o = parent_->ClientOrigin();
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) {
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) {
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::RequestAlign() {
  if (align_ != alNone && parent_) parent_->Realign();
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  TAlign old = align_;
  align_ = a;
  if (old != alNone || a != alNone) {
    if (parent_) parent_->Realign();
  }
}

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (!c->parent_) {
      auto* w = dynamic_cast<const TWinControl*>(c);
      return w && (w->ParentWindow() || dynamic_cast<const TForm*>(c));
    }
  }
  return true;
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, v);
  if (v) Invalidate();
  RequestAlign();
}

void TControl::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  EnabledChanged();
  Perform(CM_ENABLEDCHANGED);
}

AnsiString TControl::GetText() { return text_; }

void TControl::SetText(const AnsiString& s) {
  if (s == text_) return;
  text_ = s;
  TextChanged();
  Perform(CM_TEXTCHANGED);
}

void TControl::SetColor(TColor c) {
  if (c == color_) {
    parentColor_ = false;
    return;
  }
  color_ = c;
  parentColor_ = false;
  ColorChanged();
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) {
    color_ = parent_->Color();
    ColorChanged();
  }
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) {
    updatingFont_ = true;
    font_.Assign(*parent_->Font());
    updatingFont_ = false;
  }
}

void TControl::SetShowHint(bool v) {
  showHint_ = v;
  parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool v) {
  parentShowHint_ = v;
  if (v && parent_) showHint_ = parent_->ShowHint();
}

void TControl::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  Perform(CM_CURSORCHANGED);
}

void TControl::SetPopupMenu(TPopupMenu* m) {
  popupMenu_ = m;
  if (m) m->FreeNotification(this);
}

bool TControl::MouseCapture() const { return captureControl == this; }

void TControl::SetMouseCapture(bool v) {
  if (v == MouseCapture()) return;
  SetCaptureControl(v ? this : nullptr);
}

void TControl::FontChanged() { Invalidate(); }
void TControl::ColorChanged() { Invalidate(); }
void TControl::VisibleChanged() {}
void TControl::EnabledChanged() { Invalidate(); }
void TControl::TextChanged() { Invalidate(); }

LRESULT TControl::Perform(UINT msg, WPARAM w, LPARAM l) {
  TMessage m{msg, w, l, 0};
  WndProc(m);
  return m.Result;
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, !controlStyle_.Contains(csOpaque));
}

void TControl::Update() {
  if (parent_) parent_->Update();
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::BringToFront() {
  // A window's place among its siblings is its z-order: the list alone orders only the
  // windowless controls, and a window left below a sibling stays hidden behind it.
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!parent_) return;
  auto& v = parent_->controls_;
  v.erase(std::find(v.begin(), v.end(), this));
  v.push_back(this);
  Invalidate();
}

void TControl::SendToBack() {
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->HandleAllocated())
    SetWindowPos(w->Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  if (!parent_) return;
  auto& v = parent_->controls_;
  v.erase(std::find(v.begin(), v.end(), this));
  v.insert(v.begin(), this);
  Invalidate();
}

void TControl::Resize() {
  if (OnResize && !Destroying()) OnResize(this);
}

void TControl::Click() {
  if (OnClick && !Destroying()) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick && !Destroying()) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, b, s, x, y);
}

void TControl::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, b, s, x, y);
}

void TControl::MouseMove(TShiftState s, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, s, x, y);
}

void TControl::HandleMouse(TMessage& m) {
  int x = GET_X_LPARAM(m.LParam), y = GET_Y_LPARAM(m.LParam);
  TShiftState s = KeysToShiftState(m.WParam);
  if (m.Msg != WM_MOUSEMOVE) Application->CancelHint();
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (m.Msg == WM_LBUTTONDBLCLK) s << ssDouble;
      if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
      if (controlStyle_.Contains(csClickEvents)) controlState_ << csClicked;
      controlState_ << csLButtonDown;
      if (m.Msg == WM_LBUTTONDBLCLK && controlStyle_.Contains(csDoubleClicks)) DblClick();
      MouseDown(mbLeft, s, x, y);
      if (dragMode_ == dmAutomatic && m.Msg == WM_LBUTTONDOWN) {
        dragStart_ = ClientToScreen(POINT{x, y});
        dragStartSet_ = true;
        BeginDrag(false);
      }
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (m.Msg == WM_RBUTTONDBLCLK) s << ssDouble;
      MouseDown(mbRight, s, x, y);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, s, x, y); break;
    case WM_LBUTTONUP: {
      bool clicked = controlState_.Contains(csClicked);
      controlState_ = controlState_ - TControlState{csClicked, csLButtonDown};
      if (MouseCapture()) SetMouseCapture(false);
      if (clicked && ContainsPoint(x, y)) Click();
      MouseUp(mbLeft, s, x, y);
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(mbRight, s, x, y);
      if (popupMenu_ && popupMenu_->AutoPopup()) {
        POINT p = ClientToScreen(POINT{x, y});
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(p.x, p.y);
        m.Result = 1;
      }
      break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, s, x, y); break;
    case WM_MOUSEMOVE: MouseMove(s, x, y); break;
  }
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      HandleMouse(m);
      if (!m.Result) DefaultHandler(m);
      return;
    case CM_MOUSEENTER:
      controlState_ << csMouseInside;
      if (!hint_.empty()) Application->SetHint(GetLongHint(hint_));
      Application->HintMouseEnter(this);
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case CM_MOUSELEAVE:
      controlState_ >> csMouseInside;
      if (!hint_.empty()) Application->SetHint("");
      Application->HintMouseLeave(this);
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case CM_HITTEST: m.Result = 1; return;
    case CM_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        updatingFont_ = true;
        font_.Assign(*parent_->Font());
        updatingFont_ = false;
      }
      return;
    case CM_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        ColorChanged();
        Perform(CM_COLORCHANGED);
      }
      return;
    case CM_PARENTSHOWHINTCHANGED:
      if (parentShowHint_ && parent_) showHint_ = parent_->ShowHint();
      return;
  }
  DefaultHandler(m);
}

// ---- drag and drop -----------------------------------------------------------------

bool TControl::Dragging() const { return dragSource == this; }

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
  accept = false;
  if (OnDragOver) {
    accept = true;
    OnDragOver(this, source, x, y, state, accept);
  }
}

void TControl::DragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

TControl* FindDragTarget(POINT screen, bool allowDisabled) {
  HWND h = WindowFromPoint(screen);
  TWinControl* w = nullptr;
  while (h && !(w = FindControl(h))) h = GetParent(h);
  if (!w) return nullptr;
  POINT p = w->ScreenToClient(screen);
  TControl* c = w->ControlAtPos(p, allowDisabled);
  return c ? c : w;
}

// A local loop: the source keeps the mouse until the button comes up or Esc is pressed.
void TControl::BeginDrag(bool immediate) {
  if (dragSource) return;
  TWinControl* win = dynamic_cast<TWinControl*>(this);
  if (!win) win = parent_;
  if (!win || !win->HandleAllocated()) return;
  POINT start;
  GetCursorPos(&start);
  if (dragStartSet_) start = dragStart_;
  dragStartSet_ = false;
  bool started = immediate;
  dragSource = this;
  HWND capWnd = win->Handle();
  SetCapture(capWnd);
  captureControl = nullptr;
  TControl* target = nullptr;
  bool accepted = false;
  bool dropped = false;
  MSG msg;
  auto targetPoint = [](TControl* t, POINT s) { return t->ScreenToClient(s); };
  bool quit = false;
  while (dragSource == this) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // A test has no hand on the mouse: the drag ends with what is queued.
      if (Application->Unattended()) break;
      WaitMessage();
      continue;
    }
    if (msg.message == WM_QUIT) {
      quit = true;
      break;
    }
    if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
      POINT s{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
      ::ClientToScreen(msg.hwnd, &s);
      if (!started && (std::abs(s.x - start.x) >= 5 || std::abs(s.y - start.y) >= 5)) started = true;
      if (started) {
        TControl* t = FindDragTarget(s, false);
        if (t != target) {
          if (target) {
            bool dummy = false;
            POINT p = targetPoint(target, s);
            GuardedCall(target, [&] { target->DragOver(this, p.x, p.y, dsDragLeave, dummy); });
          }
          target = t;
          if (target) {
            target->FreeNotification(this);
            POINT p = targetPoint(target, s);
            GuardedCall(target, [&] { target->DragOver(this, p.x, p.y, dsDragEnter, accepted); });
          } else {
            accepted = false;
          }
        } else if (target) {
          POINT p = targetPoint(target, s);
          GuardedCall(target, [&] { target->DragOver(this, p.x, p.y, dsDragMove, accepted); });
        }
        ::SetCursor(Screen->Cursors(accepted ? dragCursor_ : crNoDrop));
      }
      if (msg.message == WM_LBUTTONUP) {
        if (started && target && accepted) {
          POINT p = targetPoint(target, s);
          GuardedCall(target, [&] { target->DragDrop(this, p.x, p.y); });
          dropped = true;
        }
        break;
      }
      continue;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) break;
    if (msg.message == WM_CANCELMODE || msg.message == WM_CAPTURECHANGED) break;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  if (quit) PostQuitMessage(static_cast<int>(msg.wParam));
  if (GetCapture() == capWnd) ReleaseCapture();
  dragSource = nullptr;
  controlState_ = controlState_ - TControlState{csClicked, csLButtonDown};
  if (started) {
    POINT s;
    GetCursorPos(&s);
    TControl* t = dropped ? target : nullptr;
    POINT p = t ? targetPoint(t, s) : ScreenToClient(s);
    GuardedCall(this, [&] { DoEndDrag(t, p.x, p.y); });
  }
}

// ---- TControlCanvas ----------------------------------------------------------------

TControlCanvas::~TControlCanvas() { FreeHandle(); }

void TControlCanvas::FreeHandle() {
  HDC dc = ownDC_;
  SetHandle(nullptr);
  if (dc) ::ReleaseDC(window_, dc);
  ownDC_ = nullptr;
  window_ = nullptr;
}

void TControlCanvas::CreateHandle() {
  auto* w = dynamic_cast<TWinControl*>(control_);
  TWinControl* host = w ? w : control_->Parent();
  if (!host) return;
  window_ = host->Handle();
  ownDC_ = GetDCEx(window_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS);
  if (!w) {
    // A windowless control draws at its place in the parent, clipped to its bounds.
    SetViewportOrgEx(ownDC_, control_->Left(), control_->Top(), nullptr);
    IntersectClipRect(ownDC_, 0, 0, control_->Width(), control_->Height());
  }
  SetHandle(ownDC_);
}

// ---- TWinControl -------------------------------------------------------------------

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() = default;

void TWinControl::BeforeDestruction() {
  if (Destroying() && !HandleAllocated() && controls_.empty() && !Parent()) return;
  // Owned components (a form's controls) go first, while this window still exists.
  TComponent::BeforeDestruction();
  if (TForm* f = GetParentForm(this))
    if (f != this) f->DefocusControl(this, true);
  // Children owned elsewhere are orphaned, not destroyed.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  if (HandleAllocated()) DestroyHandle();
  TControl::BeforeDestruction();
}

void TWinControl::InsertControl(TControl* c) {
  if (!c || ContainsControl(c)) return;
  controls_.push_back(c);
  c->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(c)) tabList_.push_back(w);
  if (c->parentFont_) {
    c->updatingFont_ = true;
    c->font_.Assign(font_);
    c->updatingFont_ = false;
  }
  if (c->parentColor_) c->color_ = Color();
  if (c->parentShowHint_) c->showHint_ = ShowHint();
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    if (HandleAllocated() && !Destroying() && !w->Destroying()) w->HandleNeeded();
  } else {
    c->Invalidate();
  }
  if (c->Align() != alNone) Realign();
  Perform(CM_CONTROLLISTCHANGE, AsWParam(c), 1);
}

// Looked for from the end: a parent of thousands of children frees them last-made first,
// and each is then found and taken out at once; the first one is not searched for either.
template <class T, class U>
static void EraseFromBack(std::vector<T*>& v, U* x) {
  if (!v.empty() && v.front() == x) {
    v.erase(v.begin());
    return;
  }
  auto it = std::find(v.rbegin(), v.rend(), x);
  if (it != v.rend()) v.erase(std::next(it).base());
}

void TWinControl::RemoveControl(TControl* c) {
  if (!ContainsControl(c)) return;
  if (captureControl == c) SetCaptureControl(nullptr);
  if (mouseControl == c) mouseControl = nullptr;
  c->Invalidate();
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    // The window cannot outlive its parent window: it goes now and comes back on demand.
    if (w->HandleAllocated()) w->DestroyHandle();
    EraseFromBack(tabList_, w);
  }
  EraseFromBack(controls_, c);
  c->parent_ = nullptr;
  if (c->Align() != alNone && !Destroying()) Realign();
  if (!Destroying()) Perform(CM_CONTROLLISTCHANGE, AsWParam(c), 0);
}

bool TWinControl::ContainsControl(const TControl* c) const {
  // A child is in the list exactly while it points here: no search.
  return c && c->parent_ == this;
}

void TWinControl::SetParent(TWinControl* p) {
  if (p == Parent()) return;
  if (HandleAllocated() && !parentWindow_) DestroyHandle();
  TControl::SetParent(p);
}

void TWinControl::SetParentWindow(HWND w) {
  if (w == parentWindow_) return;
  parentWindow_ = w;
  if (HandleAllocated() && !Parent()) {
    if (w)
      ::SetParent(handle_, w);
    else
      DestroyHandle();
  }
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!allowWinControls && dynamic_cast<TWinControl*>(c)) continue;
    if (!c->Visible() || (!allowDisabled && !c->Enabled())) continue;
    int x = p.x - c->Left(), y = p.y - c->Top();
    if (!c->ContainsPoint(x, y)) continue;
    if (c->Perform(CM_HITTEST, 0, MAKELPARAM(x, y)) == 0) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->WndProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  std::vector<TControl*> copy = controls_;
  for (TControl* c : copy) c->WndProc(m);
}

// -- window creation --

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (controlStyle_.Contains(csAcceptsControls)) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->Handle() : parentWindow_;
  p.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  p.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  p.WindowClass.hInstance = GetModuleHandleA(nullptr);
  p.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& p, const char* className) { p.WinClassName = className; }

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  handle_ = CreateWindowExA(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                            p.WndParent, nullptr, GetModuleHandleA(nullptr), p.Param);
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", Name().c_str()));
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc;
  bool found = GetClassInfoA(inst, p.WinClassName.c_str(), &wc) || GetClassInfoA(nullptr, p.WinClassName.c_str(), &wc);
  if (found) {
    ownClass_ = wc.lpfnWndProc == ControlWindowProc;
  } else {
    WNDCLASSA nc = p.WindowClass;
    nc.lpfnWndProc = ControlWindowProc;
    nc.lpszClassName = p.WinClassName.c_str();
    if (!nc.hInstance) nc.hInstance = inst;
    if (!RegisterClassA(&nc)) throw EOutOfResources(Format("Cannot register window class %s", p.WinClassName.c_str()));
    ownClass_ = true;
  }
  defWndProc_ = DefWindowProcA;
  handle_ = nullptr;
  {
    controlState_ << csCreating;
    auto created = OnScopeExit([&] { controlState_ >> csCreating; });
    TSaved<TWinControl*> creating(creatingControl, ownClass_ ? this : nullptr);
    CreateWindowHandle(p);
  }
  if (!handle_) throw EOutOfResources(Format("Error creating window of class %s", p.WinClassName.c_str()));
  if (!ownClass_) {
    // A system or library class: its procedure becomes the default, ours goes in front.
    HWND h = handle_;
    handle_ = nullptr;
    Bind(h);
    defWndProc_ =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ControlWindowProc)));
  } else if (FindControl(handle_) != this) {
    Bind(handle_);
  }
  SendMessageA(handle_, WM_SETFONT, AsWParam(font_.Handle()), 0);
  UpdateBoundsFromWindow();
  for (size_t i = 0; i < controls_.size(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(controls_[i])) w->HandleNeeded();
  // Children were made in creation order; put their windows in tab order.
  HWND after = HWND_TOP;
  for (TWinControl* w : tabList_) {
    if (!w->HandleAllocated()) continue;
    SetWindowPos(w->handle_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    after = w->handle_;
  }
  Realign();
}

void TWinControl::Bind(HWND h) {
  handle_ = h;
  HandleTable()[h] = this;
}

void TWinControl::Unbind() {
  if (!handle_) return;
  auto& t = HandleTable();
  auto it = t.find(handle_);
  if (it != t.end() && it->second == this) t.erase(it);
  handle_ = nullptr;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
}

void TWinControl::HandleNeeded() {
  if (handle_) return;
  if (Parent()) Parent()->HandleNeeded();
  if (!handle_) CreateHandle();
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::DestroyWnd() {
  // Keep what only the window held.
  if (handle_ && controlStyle_.Contains(csSetCaption)) {
    int n = GetWindowTextLengthA(handle_);
    std::string s(n + 1, '\0');
    GetWindowTextA(handle_, s.data(), n + 1);
    s.resize(n);
    text_ = s;
  }
}

void TWinControl::DestroyWindowHandle() {
  HWND h = handle_;
  if (!h) return;
  DestroyWindow(h);
  // A window that would not go is forgotten anyway: the object must not keep a dead handle.
  if (handle_ == h) Unbind();
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (w->HandleAllocated()) w->DestroyHandle();
  DestroyWnd();
  DestroyWindowHandle();
}

void TWinControl::RecreateWnd() {
  if (!handle_) return;
  DestroyHandle();
  HandleNeeded();
}

// -- bounds and alignment --

void TWinControl::SetBounds(int l, int t, int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (l == Left() && t == Top() && w == Width() && h == Height()) return;
  bool sized = w != Width() || h != Height();
  StoreBounds(l, t, w, h);
  if (handle_) {
    settingBounds_ = true;
    SetWindowPos(handle_, nullptr, l, t, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    settingBounds_ = false;
    UpdateBoundsFromWindow();
  }
  RequestAlign();
  if (sized) {
    Realign();
    Resize();
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  HWND parent = GetParent(handle_);
  if ((GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) && parent)
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  StoreBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

RECT TWinControl::ClientRect() {
  if (handle_) {
    RECT r;
    GetClientRect(handle_, &r);
    return r;
  }
  return TControl::ClientRect();
}

POINT TWinControl::ClientOrigin() {
  if (handle_) {
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

void TWinControl::DisableAlign() { ++alignDisabled_; }

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
  if (aligning_ || Destroying()) return;
  if (alignDisabled_ > 0) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  RECT r = ClientRect();
  AdjustClientRect(r);
  aligning_ = true;
  auto cleanup = OnScopeExit([&] { aligning_ = false; });
  AlignControls(nullptr, r);
}

void TWinControl::AlignControls(TControl*, RECT& rect) {
  static const TAlign order[] = {alTop, alBottom, alLeft, alRight, alClient};
  for (TAlign a : order) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == a && c->Visible()) list.push_back(c);
    // Placed in the order of their positions, so a splitter stays beside its neighbour.
    std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
      switch (a) {
        case alTop: return x->Top() < y->Top();
        case alBottom: return x->Top() + x->Height() > y->Top() + y->Height();
        case alLeft: return x->Left() < y->Left();
        case alRight: return x->Left() + x->Width() > y->Left() + y->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      int w = c->Width(), h = c->Height();
      int rw = std::max(0, int(rect.right - rect.left)), rh = std::max(0, int(rect.bottom - rect.top));
      switch (a) {
        case alTop:
          c->SetBounds(rect.left, rect.top, rw, h);
          rect.top += c->Height();
          break;
        case alBottom:
          c->SetBounds(rect.left, rect.bottom - h, rw, h);
          rect.bottom -= c->Height();
          break;
        case alLeft:
          c->SetBounds(rect.left, rect.top, w, rh);
          rect.left += c->Width();
          break;
        case alRight:
          c->SetBounds(rect.right - w, rect.top, w, rh);
          rect.right -= c->Width();
          break;
        default: c->SetBounds(rect.left, rect.top, rw, rh); break;
      }
    }
  }
}

// -- focus and tab order --

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  auto& v = Parent()->tabList_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (!Parent()) return;
  auto& v = Parent()->tabList_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  order = std::clamp(order, 0, static_cast<int>(v.size()));
  v.insert(v.begin() + order, this);
}

void TWinControl::SetTabStop(bool t) {
  if (t == tabStop_) return;
  tabStop_ = t;
  if (handle_) {
    LONG s = GetWindowLongA(handle_, GWL_STYLE);
    SetWindowLongA(handle_, GWL_STYLE, t ? (s | WS_TABSTOP) : (s & ~WS_TABSTOP));
  }
  Perform(CM_TABSTOPCHANGED);
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() {
  for (TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

void TWinControl::SetFocus() {
  if (TForm* f = GetParentForm(this)) {
    f->FocusControl(this);
    return;
  }
  ::SetFocus(Handle());
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop, bool checkParent) {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = static_cast<int>(std::find(list.begin(), list.end(), current) - list.begin());
  if (start >= n) start = forward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* w = list[i];
    if (w == current) break;
    if ((!checkTabStop || w->TabStop()) && (!checkParent || w->Parent() == this) && w->CanFocus()) return w;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* w = FindNextControl(current, forward, checkTabStop, !checkTabStop)) w->SetFocus();
}

void TWinControl::SetCtl3D(bool v) {
  ctl3D_ = v;
  parentCtl3D_ = false;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool v) {
  parentCtl3D_ = v;
  if (v && Parent()) ctl3D_ = Parent()->Ctl3D();
}

void TWinControl::DoEnter() {
  if (OnEnter && !Destroying()) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit && !Destroying()) OnExit(this);
}

// -- painting --

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, !controlStyle_.Contains(csOpaque));
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

bool TWinControl::EraseBackground(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  brush_.SetColor(Color());
  ::FillRect(dc, &r, brush_.Handle());
  return true;
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage m{WM_PAINT, AsWParam(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT b = c->BoundsRect();
    if (!RectVisible(dc, &b)) continue;
    int saved = SaveDC(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, AsWParam(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintHandler(TMessage& m) {
  bool hasGraphic =
      std::any_of(controls_.begin(), controls_.end(), [](TControl* c) { return !dynamic_cast<TWinControl*>(c); });
  if (!ownClass_ && !hasGraphic) {
    DefaultHandler(m);
    return;
  }
  HDC dc = ParamAs<HDC>(m.WParam);
  PAINTSTRUCT ps;
  if (!dc) dc = BeginPaint(handle_, &ps);
  auto endPaint = OnScopeExit([&] {
    if (!m.WParam) EndPaint(handle_, &ps);
  });
  {
    TSavedDC keep(dc);
    PaintWindow(dc);
  }
  PaintControls(dc, nullptr);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  int saved = SaveDC(dc);
  SetViewportOrgEx(dc, x, y, nullptr);
  IntersectClipRect(dc, 0, 0, Width(), Height());
  Perform(WM_ERASEBKGND, AsWParam(dc), 0);
  Perform(WM_PAINT, AsWParam(dc), 0);
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (w->Visible()) w->PaintTo(dc, x + w->Left(), y + w->Top());
  RestoreDC(dc, saved);
}

// -- property changes reach the window --

void TWinControl::FontChanged() {
  if (handle_) {
    SendMessageA(handle_, WM_SETFONT, AsWParam(font_.Handle()), TRUE);
    Invalidate();
  }
  NotifyControls(CM_PARENTFONTCHANGED);
  Perform(CM_FONTCHANGED);
}

void TWinControl::ColorChanged() {
  brush_.SetColor(Color());
  Invalidate();
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::VisibleChanged() {
  if (!handle_) {
    if (Visible() && Parent() && Parent()->HandleAllocated()) HandleNeeded();
    return;
  }
  if (!Visible() && Focused()) {
    if (TForm* f = GetParentForm(this)) f->DefocusControl(this, false);
  }
  ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

AnsiString TWinControl::GetText() {
  if (!handle_) return text_;
  int n = GetWindowTextLengthA(handle_);
  std::string s(n + 1, '\0');
  n = GetWindowTextA(handle_, s.data(), n + 1);
  s.resize(n);
  return s;
}

void TWinControl::SetText(const AnsiString& s) {
  if (handle_) {
    if (GetText() == s) return;
    SetWindowTextA(handle_, s.c_str());
    text_ = s;
    TextChanged();
    Perform(CM_TEXTCHANGED);
  } else {
    TControl::SetText(s);
  }
}

// -- keys --

bool TWinControl::DoKeyDown(WORD& key, TShiftState shift) {
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->OnKeyDown) {
    f->OnKeyDown(f, key, shift);
    if (key == 0) return true;
  }
  KeyDown(key, shift);
  return key == 0;
}

void TWinControl::KeyDown(WORD& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TWinControl::KeyUp(WORD& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TWinControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

void TWinControl::HandleKey(TMessage& m) {
  switch (m.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      WORD key = static_cast<WORD>(m.WParam);
      if (DoKeyDown(key, KeyboardShiftState())) {
        m.Result = 0;
        return;
      }
      m.WParam = key;
      if (m.Msg == WM_KEYDOWN && (key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE || key == VK_LEFT ||
                                  key == VK_RIGHT || key == VK_UP || key == VK_DOWN || key == VK_CANCEL)) {
        // A key the control does not want goes to its form (Tab, Enter, Esc, arrows).
        MSG msg{handle_, m.Msg, m.WParam, m.LParam, 0, {0, 0}};
        LRESULT code = Perform(WM_GETDLGCODE, key, AsLParam(&msg));
        bool wanted =
            (code & DLGC_WANTALLKEYS) || (code & DLGC_WANTMESSAGE) || (key == VK_TAB && (code & DLGC_WANTTAB)) ||
            ((key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) && (code & DLGC_WANTARROWS));
        if (!wanted) {
          TForm* f = GetParentForm(this);
          TControl* target = f ? static_cast<TControl*>(f) : this;
          if (target->Perform(CM_DIALOGKEY, key, m.LParam) != 0) {
            m.Result = 0;
            return;
          }
        }
      }
      DefaultHandler(m);
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      WORD key = static_cast<WORD>(m.WParam);
      KeyUp(key, KeyboardShiftState());
      if (key == 0) return;
      m.WParam = key;
      DefaultHandler(m);
      return;
    }
    case WM_CHAR: {
      char key = static_cast<char>(m.WParam);
      TForm* f = GetParentForm(this);
      if (f && f != this && f->KeyPreview() && f->OnKeyPress) f->OnKeyPress(f, key);
      if (key) KeyPress(key);
      if (key == 0) return;
      // Keys the form used as dialog keys make no character (no beep for Enter/Esc).
      if ((key == '\r' || key == 27 || key == '\t')) {
        MSG msg{handle_, m.Msg, m.WParam, m.LParam, 0, {0, 0}};
        LRESULT code = Perform(WM_GETDLGCODE, static_cast<WPARAM>(key), AsLParam(&msg));
        if (!(code & (DLGC_WANTALLKEYS | DLGC_WANTCHARS | DLGC_WANTMESSAGE)) && !(key == '\t' && (code & DLGC_WANTTAB)))
          return;
      }
      m.WParam = static_cast<unsigned char>(key);
      DefaultHandler(m);
      return;
    }
  }
}

void TWinControl::HandleSetCursor(TMessage& m) {
  if (ParamAs<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
    TCursor c = Screen->Cursor();
    if (c == crDefault) {
      POINT p;
      GetCursorPos(&p);
      p = ScreenToClient(p);
      TControl* ctl = ControlAtPos(p, false);
      c = ctl ? ctl->Cursor() : Cursor();
    }
    if (c != crDefault) {
      ::SetCursor(Screen->Cursors(c));
      m.Result = TRUE;
      return;
    }
  }
  DefaultHandler(m);
}

// -- messages --

bool TWinControl::ReflectNotification(TMessage& m) {
  HWND child = nullptr;
  switch (m.Msg) {
    case WM_COMMAND: child = ParamAs<HWND>(m.LParam); break;
    case WM_NOTIFY: child = ParamAs<NMHDR*>(m.LParam)->hwndFrom; break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG: child = ParamAs<HWND>(m.LParam); break;
    case WM_DRAWITEM: {
      // By the item's kind, not by wParam: our controls' windows all have the id 0.
      auto* di = ParamAs<DRAWITEMSTRUCT*>(m.LParam);
      if (di->CtlType != ODT_MENU) child = di->hwndItem;
      break;
    }
    case WM_MEASUREITEM:
      if (m.WParam) child = GetDlgItem(handle_, static_cast<int>(m.WParam));
      break;
    case WM_HSCROLL:
    case WM_VSCROLL: child = ParamAs<HWND>(m.LParam); break;
    default: return false;
  }
  if (!child || child == handle_) return false;
  TWinControl* c = FindControl(child);
  if (!c || c->Destroying()) return false;
  m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

bool TWinControl::RouteMouseToChild(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = nullptr;
  if (captureControl && captureControl->Parent() == this && !dynamic_cast<TWinControl*>(captureControl))
    target = captureControl;
  else if (!captureControl || captureControl == this)
    target = ControlAtPos(p, false);
  if (m.Msg == WM_MOUSEMOVE) {
    TControl* over = target ? target : this;
    if (over != mouseControl) {
      TControl* old = mouseControl;
      mouseControl = over;
      if (old) old->Perform(CM_MOUSELEAVE);
      if (mouseControl == over) over->Perform(CM_MOUSEENTER);
      TRACKMOUSEEVENT t{sizeof t, TME_LEAVE, handle_, 0};
      TrackMouseEvent(&t);
    }
  }
  if (!target) return false;
  m.Result = target->Perform(m.Msg, m.WParam, MAKELPARAM(p.x - target->Left(), p.y - target->Top()));
  return true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: PaintHandler(m); return;
    case WM_ERASEBKGND:
      if (ownClass_) {
        m.Result = controlStyle_.Contains(csOpaque) ? 1 : EraseBackground(ParamAs<HDC>(m.WParam));
        return;
      }
      break;
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORDLG:
      if (ReflectNotification(m)) return;
      break;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORBTN:
    case CN_CTLCOLORSCROLLBAR: {
      HDC dc = ParamAs<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(font_.Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      brush_.SetColor(Color());
      m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
      if (RouteMouseToChild(m)) return;
      if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
        // A click on a focusable window of ours takes the focus.
        if (ownClass_ && tabStop_ && CanFocus() && !Focused() && !dynamic_cast<TForm*>(this)) SetFocus();
      }
      break;
    case WM_MOUSELEAVE:
      if (mouseControl && (mouseControl == this || mouseControl->Parent() == this)) {
        TControl* old = mouseControl;
        mouseControl = nullptr;
        old->Perform(CM_MOUSELEAVE);
      }
      DefaultHandler(m);
      return;
    case WM_CAPTURECHANGED:
      if (captureControl && (captureControl == this || captureControl->Parent() == this) &&
          ParamAs<HWND>(m.LParam) != handle_)
        captureControl = nullptr;
      DefaultHandler(m);
      return;
    case WM_SETCURSOR: HandleSetCursor(m); return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR: HandleKey(m); return;
    case WM_SYSCHAR:
      if (TForm* f = GetParentForm(this))
        if (f->DialogChar(static_cast<char>(m.WParam))) return;
      DefaultHandler(m);
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      if (TForm* f = GetParentForm(this)) f->FocusChanged(this);
      return;
    case WM_WINDOWPOSCHANGED: {
      DefaultHandler(m);
      if (settingBounds_) return;
      auto* wp = ParamAs<WINDOWPOS*>(m.LParam);
      if (wp->flags & SWP_NOSIZE && wp->flags & SWP_NOMOVE) return;
      int ow = Width(), oh = Height();
      UpdateBoundsFromWindow();
      if (ow != Width() || oh != Height()) {
        Realign();
        Resize();
      }
      return;
    }
    case WM_NCDESTROY:
      DefaultHandler(m);
      Unbind();
      return;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED:
    case CM_TEXTCHANGED:
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_CURSORCHANGED:
    case CM_CTL3DCHANGED:
    case CM_TABSTOPCHANGED:
    case CM_CONTROLLISTCHANGE:
    case CM_SHOWHINTCHANGED: return;
    case CM_RECREATEWND: RecreateWnd(); return;
  }
  TControl::WndProc(m);
}

void TWinControl::DefaultHandler(TMessage& m) {
  // Framework notices and reflected notifications never reach a system window procedure.
  if ((m.Msg >= CM_BASE && m.Msg < CM_LAST_FRAMEWORK) || (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400)) return;
  if (!handle_) return;
  m.Result = CallWindowProcA(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
}

LRESULT CALLBACK ControlWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  TWinControl* c = FindControl(h);
  if (!c && creatingControl) {
    c = creatingControl;
    creatingControl = nullptr;
    c->Bind(h);
  }
  if (!c) return DefWindowProcA(h, msg, w, l);
  TMessage m{msg, w, l, 0};
  try {
    c->WndProc(m);
  } catch (...) {
    Application->HandleException(c);
  }
  return m.Result;
}

// ---- TGraphicControl, TCustomControl -------------------------------------------------

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    canvas_->Lock();
    canvas_->SetHandle(ParamAs<HDC>(m.WParam));
    auto release = OnScopeExit([&] {
      canvas_->SetHandle(nullptr);
      canvas_->Unlock();
    });
    Paint();
    return;
  }
  TControl::WndProc(m);
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(std::make_unique<TControlCanvas>(this)) {}

TCustomControl::~TCustomControl() = default;

void TCustomControl::PaintWindow(HDC dc) {
  canvas_->Lock();
  canvas_->SetHandle(dc);
  auto release = OnScopeExit([&] {
    canvas_->SetHandle(nullptr);
    canvas_->Unlock();
  });
  Paint();
}

}  // namespace vx
