#include "framework/win/Forms.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/MdiClient.h"
#include "framework/win/MenuDraw.h"
#include "framework/win/Menus.h"

namespace vx {

namespace {

void DialogKeyToDescendants(TWinControl* w, TMessage& m) {
  for (int i = 0; i < w->ControlCount() && m.Result == 0; ++i) {
    TControl* c = w->Controls(i);
    if (!c->Visible() || !c->Enabled()) continue;
    c->WndProc(m);
    if (m.Result == 0)
      if (auto* cw = dynamic_cast<TWinControl*>(c)) DialogKeyToDescendants(cw, m);
  }
}

}  // namespace

const TTypeInfo* TypeInfoWindowState() {
  return EnumTypeInfo("TWindowState", {"wsNormal", "wsMinimized", "wsMaximized"});
}
const TTypeInfo* TypeInfoBorderIcons() {
  return SetTypeInfo("TBorderIcons",
                     EnumTypeInfo("TBorderIcon", {"biSystemMenu", "biMinimize", "biMaximize", "biHelp"}));
}

VX_PUBLISH(TForm, TCustomControl) {
  P.Set("BorderIcons", TypeInfoBorderIcons(), &TForm::BorderIcons, &TForm::SetBorderIcons)
      .Bool("KeyPreview", &TForm::KeyPreview, &TForm::SetKeyPreview)
      .Enum("WindowState", TypeInfoWindowState(), &TForm::WindowState, &TForm::SetWindowState)
      .Method("OnCreate")
      .Method("OnShow")
      .Method("OnCloseQuery")
      .Method("OnClose")
      .Method("OnDestroy");
}

TForm* GetParentForm(TControl* c) {
  for (; c; c = c->Parent())
    if (auto* f = dynamic_cast<TForm*>(c)) return f;
  return nullptr;
}

// ---- TForm -------------------------------------------------------------------------

TForm::TForm(TComponent* owner) : TCustomControl(owner) {
  SetVisibleFlag(false);
  controlStyle_ = controlStyle_ + TControlStyle{csAcceptsControls};
  SetParentFont(false);
  StoreBounds(0, 0, 320, 240);
  Screen->forms_.push_back(this);
  static thread_local HHOOK focusMoves = SetWindowsHookExA(WH_CBT, FocusMoved, nullptr, GetCurrentThreadId());
  (void)focusMoves;
}

TForm::~TForm() = default;

void TForm::BeforeDestruction() {
  if (Destroying()) return;
  if (OnDestroy && constructed_) GuardedCall(this, [this] { OnDestroy(this); });
  if (formStyle_ == fsMDIChild) MergeMenu(false);
  if (modal_) modalResult_ = mrCancel;
  auto& forms = Screen->forms_;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  if (Screen->activeForm_ == this) Screen->activeForm_ = nullptr;
  if (Application && Application->MainForm() == this) Application->SetMainForm(nullptr);
  activeControl_ = nullptr;
  TCustomControl::BeforeDestruction();
}

void TForm::AfterConstruction() {
  if (constructed_) return;
  constructed_ = true;
  for (int i = 0; i < ComponentCount(); ++i) Components(i)->Loaded();
  Loaded();
  if (OnCreate) OnCreate(this);
  if (formStyle_ == fsMDIChild && !Visible()) SetVisible(true);
}

void TForm::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op != opRemove) return;
  if (c == menu_) menu_ = nullptr;
  if (c == windowMenu_) windowMenu_ = nullptr;
  if (c == activeControl_) activeControl_ = nullptr;
}

void TForm::SetFormStyle(TFormStyle s) {
  if (s == formStyle_) return;
  if (HandleAllocated()) throw EInvalidOperation("Cannot change the form style of a form with a window");
  formStyle_ = s;
  if (s == fsMDIChild) SetPosition(poDefault);
}

void TForm::SetBorderStyle(TFormBorderStyle b) {
  if (b == borderStyle_) return;
  borderStyle_ = b;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons b) {
  if (b == borderIcons_) return;
  borderIcons_ = b;
  // The window is made again with the new styles (window hooks see the re-creation).
  RecreateWnd();
}

TWindowState TForm::WindowState() {
  if (HandleAllocated() && Visible()) {
    if (IsIconic(Handle())) return wsMinimized;
    if (IsZoomed(Handle())) return wsMaximized;
    return wsNormal;
  }
  return windowState_;
}

void TForm::SetWindowState(TWindowState s) {
  windowState_ = s;
  if (!HandleAllocated() || !Visible()) return;
  if (formStyle_ == fsMDIChild && s != wsMinimized) {
    ShowMDIChild(s);
    return;
  }
  ShowWindow(Handle(), s == wsMinimized ? SW_MINIMIZE : s == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

// The MDI client sizes a maximised child to its own client area and hides the child's
// frame beyond its edges; the child's own maximise uses a stored position instead and
// leaves a window that runs past the frame while the menu bar shows it maximised.
void TForm::ShowMDIChild(TWindowState s) {
  HWND client = GetParent(Handle());
  if (s == wsMaximized) {
    if (!IsWindowVisible(Handle())) ShowWindow(Handle(), SW_SHOWNORMAL);
    SendMessageA(client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(Handle()), 0);
  } else if (IsZoomed(Handle()) || IsIconic(Handle())) {
    SendMessageA(client, WM_MDIRESTORE, reinterpret_cast<WPARAM>(Handle()), 0);
  } else if (!IsWindowVisible(Handle())) {
    ShowWindow(Handle(), SW_SHOWNORMAL);
  }
}

void TForm::SetMenu(TMainMenu* m) {
  if (m == menu_) return;
  if (menu_) menu_->OnChange = nullptr;
  menu_ = m;
  if (m) {
    m->FreeNotification(this);
    m->OnChange = [this](TObject*) { UpdateMenu(); };
  }
  if (!HandleAllocated()) return;
  if (formStyle_ == fsMDIChild) {
    MergeMenu(active_);
  } else {
    ::SetMenu(Handle(), m ? m->Handle() : nullptr);
    if (m) m->SetWindowHandle(Handle());
    UpdateMenu();
  }
}

void TForm::SetWindowMenu(TMenuItem* m) {
  windowMenu_ = m;
  if (m) m->FreeNotification(this);
  UpdateMenu();
}

// The frame's bar and its window menu after any change of the menus.
void TForm::UpdateMenu() {
  if (!HandleAllocated() || formStyle_ == fsMDIChild) return;
  if (menu_) {
    HMENU bar = menu_->Handle();
    if (GetMenu(Handle()) != bar) ::SetMenu(Handle(), bar);
    menu_->SetWindowHandle(Handle());
  }
  if (clientHandle_) {
    HMENU win = windowMenu_ ? windowMenu_->Handle() : nullptr;
    SendMessageA(clientHandle_, WM_MDISETMENU, reinterpret_cast<WPARAM>(menu_ ? menu_->Handle() : nullptr),
                 reinterpret_cast<LPARAM>(win));
    SendMessageA(clientHandle_, WM_MDIREFRESHMENU, 0, 0);
  }
  DrawMenuBar(Handle());
}

TForm* TForm::MDIParent() {
  if (Application->MainForm() && Application->MainForm()->formStyle_ == fsMDIForm) return Application->MainForm();
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->formStyle_ == fsMDIForm) return Screen->Forms(i);
  return nullptr;
}

void TForm::MergeMenu(bool merge) {
  TForm* frame = MDIParent();
  if (!frame || !frame->menu_ || !menu_) return;
  if (merge)
    frame->menu_->Merge(menu_);
  else
    frame->menu_->Unmerge(menu_);
  frame->UpdateMenu();
}

void TForm::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  p.WndParent = nullptr;
  TForm* main = Application->MainForm();
  if (formStyle_ == fsMDIChild) {
    TForm* frame = MDIParent();
    if (!frame) throw EInvalidOperation("Cannot create form. No MDI forms are currently active");
    frame->HandleNeeded();
    p.WndParent = frame->clientHandle_;
    p.ExStyle |= WS_EX_MDICHILD;
  } else if (ownerWindow_ && IsWindow(ownerWindow_)) {
    p.WndParent = ownerWindow_;
  } else if (main && main != this && main->HandleAllocated()) {
    p.WndParent = main->Handle();  // owned by the main form: stays above it, goes with it
  }
  switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      p.Style |= WS_CAPTION | WS_POPUP | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME;
      break;
    case bsToolWindow:
      p.Style |= WS_CAPTION | WS_POPUP;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case bsSizeToolWin:
      p.Style |= WS_CAPTION | WS_POPUP | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
  }
  if (borderStyle_ != bsNone) {
    if (borderIcons_.Contains(biSystemMenu)) p.Style |= WS_SYSMENU;
    bool frameKind = borderStyle_ == bsSingle || borderStyle_ == bsSizeable;
    if (frameKind && borderIcons_.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (frameKind && borderIcons_.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    if (borderIcons_.Contains(biHelp) && (!frameKind || !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (position_ == poDefault || position_ == poDefaultPosOnly) p.X = p.Y = CW_USEDEFAULT;
  if (position_ == poDefault || position_ == poDefaultSizeOnly) p.Width = p.Height = CW_USEDEFAULT;
  p.WindowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  p.WindowClass.style = CS_DBLCLKS;
}

void TForm::CreateWindowHandle(const TCreateParams& p) {
  if (formStyle_ != fsMDIChild) {
    TCustomControl::CreateWindowHandle(p);
    return;
  }
  MDICREATESTRUCTA mcs{};
  mcs.szClass = p.WinClassName.c_str();
  mcs.szTitle = p.Caption.c_str();
  mcs.hOwner = GetModuleHandleA(nullptr);
  mcs.x = p.X;
  mcs.y = p.Y;
  mcs.cx = p.Width;
  mcs.cy = p.Height;
  mcs.style = p.Style & ~(WS_POPUP | DS_MODALFRAME);
  mcs.lParam = reinterpret_cast<LPARAM>(p.Param);
  SendMessageA(p.WndParent, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs));
}

void TForm::CreateWnd() {
  if (!constructed_) AfterConstruction();
  TCustomControl::CreateWnd();
  if (formStyle_ == fsMDIForm && !clientHandle_) {
    CLIENTCREATESTRUCT ccs{windowMenu_ ? windowMenu_->Handle() : nullptr, 0xFF00};
    RECT r = ClientRect();
    clientHandle_ = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr,
                                    WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL | WS_HSCROLL,
                                    0, 0, r.right, r.bottom, Handle(), nullptr, GetModuleHandleA(nullptr), &ccs);
    if (!clientHandle_) throw EOutOfResources("Cannot create the MDI client window");
    SubclassMdiClient(clientHandle_);
    SetWindowPos(clientHandle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  if (menu_ && formStyle_ != fsMDIChild) {
    ::SetMenu(Handle(), menu_->Handle());
    menu_->SetWindowHandle(Handle());
  }
  UpdateMenu();
  Realign();
  // A visible form made again (new border styles) comes back on the screen.
  if (Visible() && shownOnce_) {
    if (formStyle_ == fsMDIChild && windowState_ != wsMinimized)
      ShowMDIChild(windowState_);
    else
      ShowWindow(Handle(), windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
                           : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                                         : SW_SHOWNORMAL);
    if (formStyle_ == fsMDIChild) MergeMenu(true);
  }
}

void TForm::DestroyWnd() {
  // The menu bar belongs to the menu object, not to the window.
  if (HandleAllocated() && formStyle_ != fsMDIChild) ::SetMenu(Handle(), nullptr);
  if (menu_) menu_->SetWindowHandle(nullptr);
  if (formStyle_ == fsMDIChild) MergeMenu(false);
  // MDI children go with the client window; their objects stay.
  if (clientHandle_) {
    for (int i = Screen->FormCount() - 1; i >= 0; --i) {
      TForm* f = Screen->Forms(i);
      if (f->formStyle_ == fsMDIChild && f->HandleAllocated() && GetParent(f->Handle()) == clientHandle_)
        f->DestroyHandle();
    }
  }
  TCustomControl::DestroyWnd();
}

void TForm::DestroyWindowHandle() {
  HWND h = HandleAllocated() ? Handle() : nullptr;
  if (h && formStyle_ == fsMDIChild && GetParent(h) && IsWindow(GetParent(h))) {
    HWND client = GetParent(h);
    SendMessageA(client, WM_MDIDESTROY, reinterpret_cast<WPARAM>(h), 0);
    RequestScrollCheck(client);
    if (HandleAllocated()) TCustomControl::DestroyWindowHandle();
  } else {
    TCustomControl::DestroyWindowHandle();
  }
  clientHandle_ = nullptr;
}

void TForm::AlignControls(TControl* control, RECT& rect) {
  TCustomControl::AlignControls(control, rect);
  if (clientHandle_)
    SetWindowPos(clientHandle_, nullptr, rect.left, rect.top, std::max(0L, rect.right - rect.left),
                 std::max(0L, rect.bottom - rect.top), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TForm::ClientRect() {
  if (HandleAllocated()) return TCustomControl::ClientRect();
  TCreateParams p;
  CreateParams(p);
  RECT r{0, 0, 0, 0};
  AdjustWindowRectEx(&r, p.Style, menu_ != nullptr && formStyle_ != fsMDIChild, p.ExStyle);
  return RECT{0, 0, std::max(0L, Width() - (r.right - r.left)), std::max(0L, Height() - (r.bottom - r.top))};
}

void TForm::Paint() {
  if (OnPaint) OnPaint(this);
}

void TForm::SetVisible(bool v) {
  if (v && !constructed_) AfterConstruction();
  TCustomControl::SetVisible(v);
}

void TForm::VisibleChanged() {
  if (Visible()) {
    DoShow();
    if (!Visible()) return;  // OnShow hid it again
    bool first = !shownOnce_;
    HandleNeeded();
    shownOnce_ = true;
    if (first) {
      if (position_ == poScreenCenter) {
        RECT wa = Screen->WorkAreaRect();
        SetBounds(wa.left + (wa.right - wa.left - Width()) / 2, wa.top + (wa.bottom - wa.top - Height()) / 2, Width(),
                  Height());
      }
      // The client area is known only now, and may differ from the one the form was laid
      // out for (other borders, a restored size): its resize handler lays it out again. A
      // failure there is reported as one from the window's own resize would be.
      GuardedCall(this, [this] { Resize(); });
    }
    int cmd = windowState_ == wsMaximized   ? SW_SHOWMAXIMIZED
              : windowState_ == wsMinimized ? SW_SHOWMINIMIZED
                                            : SW_SHOWNORMAL;
    if (formStyle_ == fsMDIChild && windowState_ != wsMinimized)
      ShowMDIChild(windowState_);
    else
      ShowWindow(Handle(), cmd);
    if (formStyle_ == fsMDIChild && GetParent(Handle()))
      SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    else
      SetForegroundWindow(Handle());
    UpdateWindow(Handle());
  } else {
    if (HandleAllocated()) {
      if (formStyle_ == fsMDIChild) MergeMenu(false);
      ShowWindow(Handle(), SW_HIDE);
    }
    DoHide();
  }
}

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated()) {
    if (formStyle_ == fsMDIChild)
      SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
    else
      SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  }
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}

void TForm::DoHide() {
  if (OnHide && !Destroying()) OnHide(this);
}

void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}

bool TForm::CloseQuery() {
  if (formStyle_ == fsMDIForm) {
    // Every child is asked before the frame's own handlers.
    for (int i = 0; i < MDIChildCount(); ++i)
      if (!MDIChildren(i)->CloseQuery()) return false;
  }
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TForm::Close() {
  if (closing_) return;
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = formStyle_ == fsMDIChild ? (borderIcons_.Contains(biMinimize) ? caMinimize : caNone) : caHide;
  {
    // Asking and the close handlers run once: a close from inside them is ignored.
    closing_ = true;
    auto notClosing = OnScopeExit([&] { closing_ = false; });
    if (!CloseQuery()) return;
    DoClose(action);
  }
  if (action == caNone) return;
  if (this == Application->MainForm()) {
    Application->Terminate();
    if (action == caFree) Release();
    return;
  }
  switch (action) {
    case caHide: Hide(); break;
    case caMinimize: SetWindowState(wsMinimized); break;
    case caFree: Release(); break;
    default: break;
  }
}

void TForm::Release() {
  if (Destroying()) return;
  PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

// The visible windows a form owns, top first, and those of them that lie under it.
struct TOwnedWindows {
  std::vector<HWND> all, covered;
};
static TOwnedWindows VisibleOwned(HWND owner) {
  TOwnedWindows owned;
  bool passedOwner = false;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    if (w == owner) {
      passedOwner = true;
    } else if (GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w)) {
      owned.all.push_back(w);
      if (passedOwner) owned.covered.push_back(w);
    }
  }
  return owned;
}

// The windows a form owns stay above it. Those that lie under it go back just above it, in
// their own order: under the nearest window above it that they overlap, so never over
// another program's, and at the top where nothing above it overlaps them, the one place
// where Wine's X driver restacks a window on the screen too. Each does the same for its own.
static bool KeepOwnedAbove(HWND owner) {
  if (GetWindowLongA(owner, GWL_STYLE) & WS_CHILD) return false;
  std::vector<HWND> covered = VisibleOwned(owner).covered;
  if (covered.empty()) return false;
  RECT area{}, r, common;
  for (HWND w : covered)
    if (GetWindowRect(w, &r)) UnionRect(&area, &area, &r);
  HWND after = HWND_TOP;
  for (HWND w = GetWindow(owner, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (IsWindowVisible(w) && !(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) && GetWindowRect(w, &r) &&
        IntersectRect(&common, &r, &area)) {
      after = w;
      break;
    }
  for (auto it = covered.rbegin(); it != covered.rend(); ++it)
    SetWindowPos(*it, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return true;
}

// In a Wine desktop the X driver brings a window to the top of the screen each time the
// focus moves into it, and the X server's report of what that uncovered then lifts it over
// its owned windows in Wine's own list, with no message to the program. A form with owned
// windows over it looks at them a moment after each move of the focus or the activation
// into it, at growing intervals, until it has put them back.
LRESULT CALLBACK TForm::FocusMoved(int code, WPARAM w, LPARAM l) {
  if ((code == HCBT_SETFOCUS || code == HCBT_ACTIVATE) && w) {
    try {
      if (auto* top = dynamic_cast<TForm*>(FindControl(GetAncestor(reinterpret_cast<HWND>(w), GA_ROOT))))
        top->WatchOwned();
    } catch (...) {
      Application->HandleException(nullptr);
    }
  }
  return CallNextHookEx(nullptr, code, w, l);
}

void TForm::WatchOwned() {
  if (!HandleAllocated() || (GetWindowLongA(Handle(), GWL_STYLE) & WS_CHILD)) return;
  RECT me, r, common;
  GetWindowRect(Handle(), &me);
  std::vector<HWND> owned = VisibleOwned(Handle()).all;
  if (std::none_of(owned.begin(), owned.end(),
                   [&](HWND w) { return GetWindowRect(w, &r) && IntersectRect(&common, &r, &me); }))
    return;
  watchTicks_ = 0;
  SetTimer(Handle(), kWatchOwnedTimer, kFirstWatchMs, nullptr);
}

// What the person sees of a maximised form, all but the sizing borders that the platform
// puts past the monitor's edges, lies in the work area: the platform's rectangle stays.
// Wine keeps the size where a window placement moves a maximised window to the screen's
// corner, which puts its right border and close box off the screen: such a rectangle is
// brought inside the work area, borders and all.
void TForm::KeepMaximisedInView(WINDOWPOS& wp) {
  if ((wp.flags & SWP_NOMOVE) && (wp.flags & SWP_NOSIZE)) return;
  RECT now;
  GetWindowRect(Handle(), &now);
  RECT r = now;
  if (!(wp.flags & SWP_NOMOVE)) OffsetRect(&r, wp.x - now.left, wp.y - now.top);
  if (!(wp.flags & SWP_NOSIZE)) r.right = r.left + wp.cx, r.bottom = r.top + wp.cy;
  LONG style = GetWindowLongA(Handle(), GWL_STYLE);
  if ((style & WS_CAPTION) == WS_CAPTION) style &= ~WS_BORDER;  // the borders without the caption
  RECT borders{0, 0, 0, 0};
  AdjustWindowRectEx(&borders, static_cast<DWORD>(style), FALSE,
                     static_cast<DWORD>(GetWindowLongA(Handle(), GWL_EXSTYLE)));
  RECT seen{r.left - borders.left, r.top - borders.top, r.right - borders.right, r.bottom - borders.bottom};
  MONITORINFO mi{sizeof mi, {}, {}, 0};
  if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) return;
  const RECT& work = mi.rcWork;
  if (seen.left >= work.left && seen.top >= work.top && seen.right <= work.right && seen.bottom <= work.bottom) return;
  wp.x = std::max(r.left, work.left);
  wp.y = std::max(r.top, work.top);
  wp.cx = std::min(r.right - r.left, work.right - wp.x);
  wp.cy = std::min(r.bottom - r.top, work.bottom - wp.y);
  wp.flags &= ~static_cast<UINT>(SWP_NOMOVE | SWP_NOSIZE);
}

static BOOL CALLBACK DisableOthers(HWND h, LPARAM l) {
  auto* v = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(l);
  if (h != v->first && IsWindowVisible(h) && IsWindowEnabled(h)) {
    EnableWindow(h, FALSE);
    v->second->push_back(h);
  }
  return TRUE;
}

TModalResult TForm::ShowModal() {
  if (Visible() || modal_ || !Enabled()) throw EInvalidOperation("Cannot make a visible window modal");
  if (!constructed_) AfterConstruction();
  if (GetCapture()) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  HWND before = GetActiveWindow();
  HandleNeeded();
  // Every other window of the program waits while this one runs.
  std::vector<HWND> disabled;
  std::pair<HWND, std::vector<HWND>*> enumState(Handle(), &disabled);
  EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&enumState));
  modal_ = true;
  modalResult_ = mrNone;
  refusedCloses_ = 0;
  bool ended = false;
  // The other windows come back however the loop ends, and the window that was active
  // before takes the activation while this one still shows: hidden first, with the others
  // still disabled, it would hand the activation to another program.
  auto giveBack = [&] {
    for (HWND h : disabled)
      if (IsWindow(h)) EnableWindow(h, TRUE);
    disabled.clear();
    HWND back = before;
    if (!back || back == Handle() || !IsWindow(back) || !IsWindowVisible(back) || !IsWindowEnabled(back))
      back = HandleAllocated() ? GetWindow(Handle(), GW_OWNER) : nullptr;
    if (!back || !IsWindowVisible(back) || !IsWindowEnabled(back)) return;
    HWND active = GetActiveWindow();
    if (active && active != Handle() && active != back) return;  // activated elsewhere meanwhile
    if (GetForegroundWindow() == Handle())
      SetForegroundWindow(back);
    else
      SetActiveWindow(back);
  };
  auto finish = OnScopeExit([&] {
    if (!ended) {
      giveBack();
      if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
      SetVisibleFlag(false);
    }
    modal_ = false;
  });
  {
    Show();
    Application->ModalStarted(this);
    for (;;) {
      if (modalResult_ == mrNone) {
        Application->HandleMessage();
        if (Application->Terminated()) modalResult_ = mrCancel;
      }
      if (modalResult_ == mrNone) continue;
      // Closing a modal form asks like any close; a refusal keeps it running.
      bool can = CloseQuery();
      TCloseAction action = caHide;
      if (can) DoClose(action);
      if (can && action != caNone) break;
      modalResult_ = mrNone;
      if (Application->Unattended() && ++refusedCloses_ <= 10)
        Application->ModalStarted(this);
      else if (Application->Unattended())
        break;  // a test must not hang on a form that never closes
    }
    TModalResult result = modalResult_ == mrNone ? mrCancel : modalResult_;
    giveBack();
    Hide();
    ended = true;
    finish.Run();
    modalResult_ = result;
    return result;
  }
}

void TForm::SetFocus() {
  if (!HandleAllocated() || !Visible()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  if (formStyle_ == fsMDIChild)
    SendMessageA(GetParent(Handle()), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(Handle()), 0);
  else
    SetActiveWindow(Handle());
  RestoreFocus();
}

void TForm::SetActiveControl(TWinControl* c) { FocusControl(c); }

void TForm::FocusControl(TWinControl* c) {
  if (!c || c == this) return;
  if (HandleAllocated() && Visible() && c->CanFocus()) {
    ::SetFocus(c->Handle());
    if (activeControl_ != c) FocusChanged(c);
  } else {
    activeControl_ = c;
  }
}

void TForm::DefocusControl(TWinControl* c, bool removing) {
  if (!activeControl_) return;
  for (TControl* p = activeControl_; p; p = p->Parent()) {
    if (p != c) continue;
    bool hadFocus = activeControl_->Focused();
    activeControl_ = removing ? nullptr : c->Parent() != this ? dynamic_cast<TWinControl*>(c->Parent()) : nullptr;
    if (hadFocus && HandleAllocated() && !Destroying()) ::SetFocus(Handle());
    return;
  }
}

void TForm::FocusChanged(TWinControl* c) {
  if (Destroying()) return;
  // The frame remembers whether its focus was last in a child window or in its own controls.
  if (formStyle_ == fsMDIChild) {
    if (TForm* frame = MDIParent()) frame->focusInChild_ = true;
  } else if (formStyle_ == fsMDIForm && c != this) {
    focusInChild_ = false;
  }
  if (c == this || c == activeControl_) return;
  TWinControl* old = activeControl_;
  activeControl_ = c;
  if (old && !old->Destroying()) {
    old->Perform(CM_EXIT);
    old->DoExit();
  }
  if (activeControl_ == c) {
    c->Perform(CM_ENTER);
    c->DoEnter();
  }
}

void TForm::RestoreFocus() {
  if (!HandleAllocated()) return;
  // Back from a dialog, a menu or another program, the focus goes where it was: into the
  // active child window when it was there, not to the frame's first control.
  if (formStyle_ == fsMDIForm && focusInChild_) {
    TForm* child = ActiveMDIChild();
    if (child && child->HandleAllocated() && IsWindowVisible(child->Handle()) && !IsIconic(child->Handle())) {
      child->RestoreFocus();
      return;
    }
  }
  TWinControl* c = activeControl_;
  if (!c || !c->CanFocus() || !c->HandleAllocated()) c = FindNextControl(nullptr, true, true, false);
  if (c && c->CanFocus()) {
    ::SetFocus(c->Handle());
    FocusChanged(c);
  }
}

void TForm::Activate() {
  active_ = true;
  Screen->activeForm_ = this;
  if (OnActivate && !Destroying()) OnActivate(this);
}

void TForm::Deactivate() {
  active_ = false;
  if (OnDeactivate && !Destroying()) OnDeactivate(this);
}

bool TForm::DialogChar(char ch) {
  TMessage m{CM_DIALOGCHAR, static_cast<unsigned char>(ch), 0, 0};
  DialogKeyToDescendants(this, m);
  return m.Result != 0;
}

bool TForm::HandleDialogKey(WORD key) {
  switch (key) {
    case VK_TAB:
      if (GetKeyState(VK_CONTROL) < 0) return false;
      SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
      return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
      if (activeControl_ && activeControl_->Parent()) {
        activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
        return true;
      }
      return false;
    case VK_RETURN:
    case VK_ESCAPE:
    case VK_CANCEL: {
      TMessage m{CM_DIALOGKEY, key, 0, 0};
      DialogKeyToDescendants(this, m);
      return m.Result != 0;
    }
  }
  return false;
}

void TForm::WndProc(TMessage& m) {
  if (m.Msg == WM_TIMER && m.WParam == kWatchOwnedTimer) {
    if (KeepOwnedAbove(Handle()) || ++watchTicks_ >= kWatchOwnedTicks)
      KillTimer(Handle(), kWatchOwnedTimer);
    else
      SetTimer(Handle(), kWatchOwnedTimer, kFirstWatchMs << watchTicks_, nullptr);
    return;
  }
  switch (m.Msg) {
    case WM_CLOSE: Close(); return;
    case WM_QUERYENDSESSION: m.Result = CloseQuery(); return;
    case WM_WINDOWPOSCHANGING:
      if (formStyle_ != fsMDIChild && IsZoomed(Handle())) KeepMaximisedInView(*reinterpret_cast<WINDOWPOS*>(m.LParam));
      break;
    case WM_ACTIVATE:
      DefaultHandler(m);
      if (LOWORD(m.WParam) == WA_INACTIVE) {
        Deactivate();
      } else {
        Activate();
        if (!HIWORD(m.WParam)) RestoreFocus();
      }
      return;
    case WM_MDIACTIVATE:
      DefaultHandler(m);
      if (reinterpret_cast<HWND>(m.WParam) == Handle()) {
        MergeMenu(false);
        Deactivate();
      }
      if (reinterpret_cast<HWND>(m.LParam) == Handle()) {
        MergeMenu(true);
        Activate();
        RestoreFocus();
      }
      return;
    case WM_SETFOCUS:
      DefaultHandler(m);
      RestoreFocus();
      return;
    case WM_COMMAND:
      if (m.LParam == 0 && HIWORD(m.WParam) <= 1) {
        UINT cmd = LOWORD(m.WParam);
        if (menu_ && (menu_->DispatchCommand(cmd) || (menu_->Merged() && menu_->Merged()->DispatchCommand(cmd))))
          return;
      }
      break;
    case WM_INITMENUPOPUP:
      if (menu_) {
        HMENU sub = reinterpret_cast<HMENU>(m.WParam);
        if (!menu_->DispatchPopup(sub) && menu_->Merged()) menu_->Merged()->DispatchPopup(sub);
      }
      DefaultHandler(m);
      return;
    case WM_SIZE:
      if (m.WParam == SIZE_MINIMIZED)
        windowState_ = wsMinimized;
      else if (m.WParam == SIZE_MAXIMIZED)
        windowState_ = wsMaximized;
      else if (m.WParam == SIZE_RESTORED)
        windowState_ = wsNormal;
      // The frame places its MDI client itself, beside the aligned controls.
      if (formStyle_ != fsMDIForm) DefaultHandler(m);
      Realign();
      return;
    case WM_WINDOWPOSCHANGED:
      TCustomControl::WndProc(m);
      if (formStyle_ == fsMDIChild) RequestScrollCheck(GetParent(Handle()));
      if (!(reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_NOZORDER)) KeepOwnedAbove(Handle());
      return;
    case CM_DIALOGKEY: m.Result = HandleDialogKey(static_cast<WORD>(m.WParam)) ? 1 : 0; return;
    case CM_RELEASE: Free(); return;
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
    case WM_MENUCHAR:
      if (MenuDrawMessage(m)) return;
      break;
  }
  TCustomControl::WndProc(m);
}

void TForm::DefaultHandler(TMessage& m) {
  if (!HandleAllocated() || (m.Msg >= CM_BASE && m.Msg < CM_LAST_FRAMEWORK) ||
      (m.Msg >= CN_BASE && m.Msg < CN_BASE + 0x400))
    return;
  if (formStyle_ == fsMDIForm)
    m.Result = DefFrameProcA(Handle(), clientHandle_, m.Msg, m.WParam, m.LParam);
  else if (formStyle_ == fsMDIChild)
    m.Result = DefMDIChildProcA(Handle(), m.Msg, m.WParam, m.LParam);
  else
    TCustomControl::DefaultHandler(m);
}

// -- MDI --

int TForm::MDIChildCount() {
  int n = 0;
  if (!clientHandle_) return 0;
  for (HWND h = GetWindow(clientHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (dynamic_cast<TForm*>(FindControl(h))) ++n;
  return n;
}

TForm* TForm::MDIChildren(int i) {
  if (!clientHandle_) return nullptr;
  for (HWND h = GetWindow(clientHandle_, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT))
    if (auto* f = dynamic_cast<TForm*>(FindControl(h)))
      if (i-- == 0) return f;
  return nullptr;
}

TForm* TForm::ActiveMDIChild() {
  if (!clientHandle_) return nullptr;
  return dynamic_cast<TForm*>(FindControl(reinterpret_cast<HWND>(SendMessageA(clientHandle_, WM_MDIGETACTIVE, 0, 0))));
}

void TForm::Tile() {
  if (clientHandle_)
    SendMessageA(clientHandle_, WM_MDITILE, tileMode_ == tbHorizontal ? MDITILE_HORIZONTAL : MDITILE_VERTICAL, 0);
}
void TForm::Cascade() {
  if (clientHandle_) SendMessageA(clientHandle_, WM_MDICASCADE, 0, 0);
}
void TForm::ArrangeIcons() {
  if (clientHandle_) SendMessageA(clientHandle_, WM_MDIICONARRANGE, 0, 0);
}
void TForm::Next() {
  if (clientHandle_) SendMessageA(clientHandle_, WM_MDINEXT, 0, 0);
}
void TForm::Previous() {
  if (clientHandle_) SendMessageA(clientHandle_, WM_MDINEXT, 0, 1);
}

// ---- TScrollBox -------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  StoreBounds(0, 0, 185, 41);
}

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style |= WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL;
  if (borderStyle_ != bsNone) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWnd() {
  TWinControl::CreateWnd();
  UpdateScrollBars();
}

void TScrollBox::AlignControls(TControl* control, RECT& rect) {
  TWinControl::AlignControls(control, rect);
  UpdateScrollBars();
}

void TScrollBox::UpdateScrollBars() {
  if (!HandleAllocated() || updating_) return;
  updating_ = true;
  int right = 0, bottom = 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (!c->Visible() || c->Align() != alNone) continue;
    right = std::max(right, c->Left() + c->Width() + hPos_);
    bottom = std::max(bottom, c->Top() + c->Height() + vPos_);
  }
  RECT cr;
  GetClientRect(Handle(), &cr);
  hRange_ = autoScroll_ ? right : 0;
  vRange_ = autoScroll_ ? bottom : 0;
  SCROLLINFO h{sizeof h, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(0, hRange_ - 1), static_cast<UINT>(cr.right), hPos_,
               0};
  SCROLLINFO v{
      sizeof v, SIF_ALL | SIF_DISABLENOSCROLL, 0, std::max(0, vRange_ - 1), static_cast<UINT>(cr.bottom), vPos_, 0};
  ShowScrollBar(Handle(), SB_HORZ, hRange_ > cr.right);
  ShowScrollBar(Handle(), SB_VERT, vRange_ > cr.bottom);
  SetScrollInfo(Handle(), SB_HORZ, &h, TRUE);
  SetScrollInfo(Handle(), SB_VERT, &v, TRUE);
  updating_ = false;
  // A range that shrank below the position pulls the view back.
  int maxX = std::max(0, hRange_ - int(cr.right)), maxY = std::max(0, vRange_ - int(cr.bottom));
  if (hPos_ > maxX || vPos_ > maxY) ScrollTo(std::min(hPos_, maxX), std::min(vPos_, maxY));
}

void TScrollBox::ScrollTo(int x, int y) {
  x = std::max(0, x);
  y = std::max(0, y);
  int dx = hPos_ - x, dy = vPos_ - y;
  if (!dx && !dy) return;
  hPos_ = x;
  vPos_ = y;
  DisableAlign();
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* c = Controls(i);
    if (c->Align() == alNone) c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
  }
  EnableAlign();
  if (HandleAllocated()) {
    SetScrollPos(Handle(), SB_HORZ, hPos_, TRUE);
    SetScrollPos(Handle(), SB_VERT, vPos_, TRUE);
    Invalidate();
  }
}

void TScrollBox::ScrollInView(TControl* c) {
  if (!c || c->Parent() != this) return;
  RECT cr = ClientRect();
  int x = hPos_, y = vPos_;
  if (c->Left() < 0)
    x += c->Left();
  else if (c->Left() + c->Width() > cr.right)
    x += c->Left() + c->Width() - cr.right;
  if (c->Top() < 0)
    y += c->Top();
  else if (c->Top() + c->Height() > cr.bottom)
    y += c->Top() + c->Height() - cr.bottom;
  ScrollTo(x, y);
}

void TScrollBox::Scroll(int bar, int code) {
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), bar, &si);
  int pos = si.nPos;
  int page = std::max<int>(1, si.nPage);
  switch (code) {
    case SB_LINEUP: pos -= 8; break;
    case SB_LINEDOWN: pos += 8; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = si.nMax; break;
    default: return;
  }
  pos = std::clamp(pos, 0, std::max(0, si.nMax - page + 1));
  if (bar == SB_HORZ)
    ScrollTo(pos, vPos_);
  else
    ScrollTo(hPos_, pos);
}

void TScrollBox::WndProc(TMessage& m) {
  if ((m.Msg == WM_HSCROLL || m.Msg == WM_VSCROLL) && m.LParam == 0) {
    Scroll(m.Msg == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.WParam));
    return;
  }
  if (m.Msg == WM_MOUSEWHEEL) {
    Scroll(SB_VERT, static_cast<short>(HIWORD(m.WParam)) > 0 ? SB_LINEUP : SB_LINEDOWN);
    return;
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) UpdateScrollBars();
}

}  // namespace vx
