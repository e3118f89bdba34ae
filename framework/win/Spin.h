// The spin edit: a number edit with up and down arrows at its right edge. Limits apply
// only when MinValue and MaxValue differ (0 and 0 mean none); a typed value outside them
// stays as typed until the edit loses the focus.
#pragma once

#include "framework/win/StdCtrls.h"

namespace vx {

class TSpinEdit : public TCustomEdit {
 public:
  explicit TSpinEdit(TComponent* owner);
  const char* ClassName() const override { return "TSpinEdit"; }

  int MinValue() const { return minValue_; }
  void SetMinValue(int v) { minValue_ = v; }
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int v) { maxValue_ = v; }
  int Increment() const { return increment_; }
  void SetIncrement(int v) { increment_ = v; }
  // The number in the text as typed; MinValue when the text is no number.
  int Value();
  // Sets the text to the value brought within the limits.
  void SetValue(int v);
  // The value brought within the limits (unchanged without limits).
  int CheckValue(int v) const;
  // The arrow window, while the edit has a window.
  HWND ButtonHandle() const { return button_; }
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoExit() override;
  void Step(int delta);

 private:
  void PlaceButton();
  int minValue_ = 0, maxValue_ = 0, increment_ = 1;
  HWND button_ = nullptr;

 protected:
  ~TSpinEdit() override = default;
};

}  // namespace vx
