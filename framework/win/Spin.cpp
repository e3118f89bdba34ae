#include "framework/win/Spin.h"

#include <commctrl.h>

#include "framework/core/SysUtils.h"
#include "framework/win/ComCtrls.h"

namespace vx {

VX_PUBLISH(TSpinEdit, TCustomEdit) {
  P.Int("MinValue", &TSpinEdit::MinValue, &TSpinEdit::SetMinValue)
      .Int("MaxValue", &TSpinEdit::MaxValue, &TSpinEdit::SetMaxValue)
      .Int("Increment", &TSpinEdit::Increment, &TSpinEdit::SetIncrement)
      .Int("Value", &TSpinEdit::Value, &TSpinEdit::SetValue);
}

TSpinEdit::TSpinEdit(TComponent* owner) : TCustomEdit(owner) {
  InitCommonControlClasses();
  SetText("0");
}

void TSpinEdit::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  // The arrows are a child of the edit: the edit must not paint over them.
  p.Style |= WS_CLIPCHILDREN;
}

void TSpinEdit::CreateWnd() {
  TCustomEdit::CreateWnd();
  button_ = CreateWindowExA(0, UPDOWN_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, Handle(), nullptr,
                            GetModuleHandleA(nullptr), nullptr);
  // A range around the middle, so both arrows always report a step.
  SendMessageA(button_, UDM_SETRANGE32, 0, 100);
  SendMessageA(button_, UDM_SETPOS32, 0, 50);
  PlaceButton();
}

void TSpinEdit::DestroyWnd() {
  button_ = nullptr;  // goes with the edit's window
  TCustomEdit::DestroyWnd();
}

void TSpinEdit::PlaceButton() {
  if (!button_) return;
  RECT r;
  GetClientRect(Handle(), &r);
  int w = GetSystemMetrics(SM_CXVSCROLL);
  MoveWindow(button_, r.right - w, 0, w, r.bottom, TRUE);
  SendMessageA(Handle(), EM_SETMARGINS, EC_RIGHTMARGIN, MAKELPARAM(0, w + 1));
}

int TSpinEdit::CheckValue(int v) const {
  if (maxValue_ == minValue_) return v;
  if (v < minValue_) return minValue_;
  if (v > maxValue_) return maxValue_;
  return v;
}

int TSpinEdit::Value() {
  int v;
  return TryStrToInt(Trim(Text()), v) ? v : minValue_;
}

void TSpinEdit::SetValue(int v) {
  AnsiString s = IntToStr(CheckValue(v));
  if (s != Text()) SetText(s);
}

void TSpinEdit::Step(int delta) {
  if (ReadOnly()) return;
  SetValue(Value() + delta);
  if (HandleAllocated() && Focused()) SelectAll();
}

void TSpinEdit::KeyDown(WORD& key, TShiftState shift) {
  TCustomEdit::KeyDown(key, shift);
  if (key == VK_UP) {
    Step(increment_);
    key = 0;
  } else if (key == VK_DOWN) {
    Step(-increment_);
    key = 0;
  }
}

void TSpinEdit::KeyPress(char& key) {
  TCustomEdit::KeyPress(key);
  // Digits and signs make numbers; control characters keep their editing meaning.
  unsigned char c = static_cast<unsigned char>(key);
  if (c >= 32 && !(key >= '0' && key <= '9') && key != '-' && key != '+') {
    key = 0;
    MessageBeep(0);
  }
}

void TSpinEdit::DoExit() {
  int v = Value();
  if (CheckValue(v) != v || Trim(Text()).empty()) SetValue(v);
  TCustomEdit::DoExit();
}

void TSpinEdit::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_NOTIFY: {
      auto* n = reinterpret_cast<NMHDR*>(m.LParam);
      if (button_ && n->hwndFrom == button_ && n->code == UDN_DELTAPOS) {
        int delta = reinterpret_cast<NMUPDOWN*>(m.LParam)->iDelta;
        Step(delta > 0 ? increment_ : -increment_);
        if (CanFocus() && !Focused()) SetFocus();
        m.Result = 1;  // the arrows keep their middle position
        return;
      }
      break;
    }
    case WM_VSCROLL:
      if (button_ && reinterpret_cast<HWND>(m.LParam) == button_) {
        m.Result = 0;
        return;
      }
      break;
    case WM_SIZE:
      TCustomEdit::WndProc(m);
      PlaceButton();
      return;
  }
  TCustomEdit::WndProc(m);
}

}  // namespace vx
