// Hints: the application shows a control's short hint in a small popup after the mouse
// rested on it, and hides it after a while or when the mouse leaves.
#include "framework/win/Forms.h"

#include "framework/win/GdiScoped.h"

namespace vx {

namespace {

constexpr UINT_PTR kHintShowTimer = 1, kHintHideTimer = 2;

// A small yellow popup with the short hint ("\r" breaks lines).
class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner) : TCustomControl(owner) {
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
    SetVisibleFlag(false);
  }
  const char* ClassName() const override { return "THintWindow"; }
  void SetShown(bool v) { SetVisibleFlag(v); }
  AnsiString hint;

 protected:
  void CreateParams(TCreateParams& p) override {
    TCustomControl::CreateParams(p);
    p.Style = WS_POPUP | WS_BORDER;
    p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.WndParent = nullptr;
    p.WindowClass.style |= CS_SAVEBITS;
  }
  void Paint() override {
    RECT r{2, 2, Width(), Height()};
    Canvas()->SetFont(*Font());
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->DrawText(hint, r, DT_LEFT | DT_NOPREFIX);
  }

 public:
  void WndProc(TMessage& m) override {
    if (m.Msg == WM_NCHITTEST) {
      m.Result = HTTRANSPARENT;
      return;
    }
    TCustomControl::WndProc(m);
  }

 protected:
  ~THintWindow() override = default;
};

}  // namespace

void TApplication::HintTimer(UINT_PTR id) {
  if (id == kHintShowTimer && hintControl_) {
    POINT p;
    GetCursorPos(&p);
    ActivateHint(p, GetShortHint(hintControl_->Hint()));
  } else if (id == kHintHideTimer) {
    CancelHint();
  }
}

void TApplication::HintMouseEnter(TControl* c) {
  if (!showHint_ || !c->ShowHint() || GetShortHint(c->Hint()).empty()) return;
  CancelHint();
  hintControl_ = c;
  SetTimer(UtilityWindow(), kHintShowTimer, hintPause_, nullptr);
}

void TApplication::HintMouseLeave(TControl* c) {
  if (c == hintControl_) CancelHint();
}

void TApplication::CancelHint() {
  if (utility_) {
    KillTimer(utility_, kHintShowTimer);
    KillTimer(utility_, kHintHideTimer);
  }
  hintControl_ = nullptr;
  if (hintShown_ && hintWindow_) {
    static_cast<THintWindow*>(hintWindow_)->SetShown(false);
    if (hintWindow_->HandleAllocated()) ShowWindow(hintWindow_->Handle(), SW_HIDE);
  }
  hintShown_ = false;
}

void TApplication::ActivateHint(POINT screen, const AnsiString& text) {
  if (!hintWindow_) hintWindow_ = new THintWindow(this);
  auto* w = static_cast<THintWindow*>(hintWindow_);
  w->hint = text;
  TWindowDC dc(nullptr);
  TSelected selectFont(dc, w->Font()->Handle());
  RECT r{0, 0, 300, 0};
  DrawTextA(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_LEFT | DT_NOPREFIX);
  w->SetBounds(screen.x, screen.y + 20, r.right + 6, r.bottom + 4);
  SetWindowPos(w->Handle(), HWND_TOPMOST, screen.x, screen.y + 20, r.right + 6, r.bottom + 4,
               SWP_NOACTIVATE | SWP_SHOWWINDOW);
  w->SetShown(true);
  w->Invalidate();
  hintShown_ = true;
  SetTimer(UtilityWindow(), kHintHideTimer, hintHidePause_, nullptr);
}

}  // namespace vx
