// Buttons with a picture: the push button (TBitBtn, drawn by its owner so that the picture
// sits beside the caption) and the windowless speed button.
#pragma once

#include <memory>

#include "framework/win/StdCtrls.h"

namespace vx {

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose };
// Draws a button face's content: the glyph (its bottom-left pixel's colour is
// transparent) left of the caption, the pair centred in r.
void DrawButtonContent(HDC dc, RECT r, TBitmap* glyph, const AnsiString& caption, HFONT font, int spacing,
                       bool enabled);
// A whole push button face in r: the dark rim of the button Enter presses, the raised or
// pressed frame, the content and the focus rectangle.
void DrawPushButton(HDC dc, RECT r, bool rim, bool pressed, bool focused, TBitmap* glyph, const AnsiString& caption,
                    HFONT font, int spacing, bool enabled);

class TBitBtn : public TButton {
 public:
  explicit TBitBtn(TComponent* owner);
  const char* ClassName() const override { return "TBitBtn"; }

  // The picture; an empty bitmap shows none.
  TBitmap* Glyph() { return glyph_.get(); }
  void SetGlyph(const TBitmap* b);
  TBitBtnKind Kind() const { return kind_; }
  // A kind other than bkCustom brings its caption, and its modal result or help.
  void SetKind(TBitBtnKind k);
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) {
    spacing_ = s;
    Invalidate();
  }
  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& di);
  std::unique_ptr<TBitmap> glyph_;
  TBitBtnKind kind_ = bkCustom;
  int spacing_ = 4;

 protected:
  ~TBitBtn() override;
};

class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TSpeedButton"; }
  TBitmap* Glyph() { return glyph_.get(); }
  void SetGlyph(const TBitmap* b);
  bool Flat() const { return flat_; }
  void SetFlat(bool f) {
    flat_ = f;
    Invalidate();
  }
  bool Pressed() const { return pressed_; }

 protected:
  void Paint() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void TextChanged() override { Invalidate(); }

 private:
  std::unique_ptr<TBitmap> glyph_;
  bool flat_ = false, pressed_ = false, tracking_ = false;

 protected:
  ~TSpeedButton() override;
};

}  // namespace vx
