// The flat speed button: a windowless push button with a glyph and a caption that can be
// flat, transparent, grey while inactive, wrap its caption, drop down a menu and form
// exclusive groups. The glyph object cuts a strip into per-state images and caches them;
// TButtonImage paints the same face without a control (lists and drag images).
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/win/Controls.h"
#include "framework/win/Graphics.h"
#include "framework/win/Menus.h"

namespace vx {

// A button announces itself to its group: wParam = GroupIndex, lParam = the button.
constexpr UINT CM_BUTTONGROUP = 0xB03D;

enum TButtonState : uint8_t { bsUp, bsDisabled, bsDown, bsExclusive, bsInactive };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using TZxNumGlyphs = int;  // 1..5

class TZxButtonGlyph : public TObject {
 public:
  TZxButtonGlyph();
  ~TZxButtonGlyph() override;
  const char* ClassName() const override { return "TZxButtonGlyph"; }

  TBitmap* Glyph() { return original_.get(); }
  void SetGlyph(TBitmap* value);
  int NumGlyphs() const { return numGlyphs_; }
  void SetNumGlyphs(int value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; }
  TColor TransparentColor() const { return transparentColor_; }
  // Frees every image made so far.
  void Invalidate();
  // The image of a state, made on first need; nullptr without a glyph.
  TBitmap* StateImage(TButtonState state);
  // Glyph, caption and mark in the client rectangle; returns the text rectangle.
  RECT Draw(TCanvas* canvas, const RECT& client, const AnsiString& caption, TButtonLayout layout, int margin,
            int spacing, TButtonState state, bool dropDownMark);
  // The layout arithmetic alone: glyph position and text rectangle (caption measured
  // on the canvas).
  void CalcLayout(TCanvas* canvas, const RECT& client, const AnsiString& caption, TButtonLayout layout, int margin,
                  int spacing, bool dropDownMark, POINT& glyphPos, RECT& textBounds);

  TNotifyEvent OnChange;

 private:
  void GlyphChanged(TObject* sender);
  int ImageCount() const { return static_cast<int>(images_.size()); }
  std::unique_ptr<TBitmap> original_;
  std::vector<std::unique_ptr<TBitmap>> images_;
  int indexes_[5] = {-1, -1, -1, -1, -1};
  TColor transparentColor_ = 0xFF00FF;
  int numGlyphs_ = 1;
  bool wordWrap_ = false;
};

class TZxSpeedButton : public TGraphicControl {
 public:
  explicit TZxSpeedButton(TComponent* owner);
  const char* ClassName() const override { return "TZxSpeedButton"; }

  bool AllowAllUp() const { return allowAllUp_; }
  void SetAllowAllUp(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* m);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  TBitmap* Glyph() { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* b);
  bool GrayedInactive() const { return grayedInactive_; }
  void SetGrayedInactive(bool v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  int Margin() const { return margin_; }
  void SetMargin(int v);
  bool MarkDropDown() const { return markDropDown_; }
  void SetMarkDropDown(bool v);
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return glyph_->WordWrap(); }
  void SetWordWrap(bool v);

  TButtonState State() const { return state_; }
  bool MouseInControl() const { return mouseInControl_; }
  bool MenuTracking() const { return menuTracking_; }
  TZxButtonGlyph* ButtonGlyph() { return glyph_.get(); }
  // Draws the face into a canvas the size of the button (what Paint copies on screen).
  void PaintFace(TCanvas* canvas);

  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void Notification(TComponent* c, TOperation op) override;
  void UpdateTracking();
  void UpdateExclusive();
  bool Dragging() const { return dragging_; }
  void SetDraggingFlag(bool v) { dragging_ = v; }

 private:
  bool NewLook() const;
  void GlyphChanged(TObject*) { Invalidate(); }
  bool InBounds(int x, int y) const { return x >= 0 && x < Width() && y >= 0 && y <= Height(); }
  int groupIndex_ = 0;
  std::unique_ptr<TZxButtonGlyph> glyph_;
  TButtonStyle style_ = bsAutoDetect;
  std::unique_ptr<TBitmap> drawImage_;
  bool down_ = false, dragging_ = false, flat_ = false, mouseInControl_ = false;
  bool allowAllUp_ = false;
  TButtonLayout layout_ = blGlyphTop;
  int spacing_ = 1, margin_ = -1;
  bool transparent_ = false, markDropDown_ = true;
  TPopupMenu* dropDownMenu_ = nullptr;
  bool grayedInactive_ = true, menuTracking_ = false;
  bool rightPressed_ = false, middlePressed_ = false;  // presses seen, for their releases
  TButtonState state_ = bsUp;

 protected:
  ~TZxSpeedButton() override;
};

// The button shows the program's bitmap resource of that name, or the caption in a program
// built without the pictures.
void SetButtonPicture(TZxSpeedButton* b, const char* resource, const char* caption);

// A button face without a control.
class TButtonImage : public TObject {
 public:
  TButtonImage();
  ~TButtonImage() override;
  const char* ClassName() const override { return "TButtonImage"; }
  TBitmap* Glyph() { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* b) { glyph_->SetGlyph(b); }
  int NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int n) { glyph_->SetNumGlyphs(n); }
  bool WordWrap() const { return glyph_->WordWrap(); }
  void SetWordWrap(bool w) { glyph_->SetWordWrap(w); }
  POINT ButtonSize() const { return size_; }
  void SetButtonSize(POINT p) { size_ = p; }
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& c) { caption_ = c; }
  void Draw(TCanvas* canvas, int x, int y, TButtonLayout layout, int margin, int spacing, TFont* font);

 private:
  std::unique_ptr<TZxButtonGlyph> glyph_;
  POINT size_{24, 23};
  AnsiString caption_;
};

}  // namespace vx
