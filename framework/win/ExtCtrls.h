// Panels, bevels, images, paint boxes, splitters and timers.
#pragma once

#include "framework/win/StdCtrls.h"

namespace vx {

enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };

class TCustomPanel : public TCustomControl {
 public:
  explicit TCustomPanel(TComponent* owner);
  const char* ClassName() const override { return "TCustomPanel"; }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b) {
    bevelInner_ = b;
    Changed();
  }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b) {
    bevelOuter_ = b;
    Changed();
  }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w) {
    bevelWidth_ = w;
    Changed();
  }
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int w) {
    borderWidth_ = w;
    Changed();
  }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) {
    alignment_ = a;
    Invalidate();
  }
  bool Locked() const { return locked_; }
  void SetLocked(bool l) { locked_ = l; }
  bool FullRepaint() const { return fullRepaint_; }
  void SetFullRepaint(bool f) { fullRepaint_ = f; }

 protected:
  void Paint() override;
  void AdjustClientRect(RECT& r) override;
  void TextChanged() override { Invalidate(); }
  void Changed() {
    Realign();
    Invalidate();
  }

 private:
  TBevelCut bevelInner_ = bvNone, bevelOuter_ = bvRaised;
  int bevelWidth_ = 1, borderWidth_ = 0;
  TAlignment alignment_ = taCenter;
  bool locked_ = false, fullRepaint_ = true;

 protected:
  ~TCustomPanel() override = default;
};

class TPanel : public TCustomPanel {
 public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
  const char* ClassName() const override { return "TPanel"; }

 protected:
  ~TPanel() override = default;
};

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
 public:
  explicit TBevel(TComponent* owner);
  const char* ClassName() const override { return "TBevel"; }
  TBevelShape Shape() const { return shape_; }
  void SetShape(TBevelShape s) {
    shape_ = s;
    Invalidate();
  }
  TBevelStyle Style() const { return style_; }
  void SetStyle(TBevelStyle s) {
    style_ = s;
    Invalidate();
  }

 protected:
  void Paint() override;

 private:
  TBevelShape shape_ = bsBox;
  TBevelStyle style_ = bsLowered;

 protected:
  ~TBevel() override = default;
};

class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* owner);
  const char* ClassName() const override { return "TPaintBox"; }
  TNotifyEvent OnPaint;

 protected:
  void Paint() override;

 protected:
  ~TPaintBox() override = default;
};

// A picture on the form; drawing on its Canvas draws into its bitmap.
class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner);
  const char* ClassName() const override { return "TImage"; }
  TPicture* Picture() { return &picture_; }
  void SetPicture(const TPicture& p) { picture_.Assign(p); }
  TCanvas* Canvas();
  bool Stretch() const { return stretch_; }
  void SetStretch(bool s) {
    stretch_ = s;
    Invalidate();
  }
  bool Center() const { return center_; }
  void SetCenter(bool c) {
    center_ = c;
    Invalidate();
  }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool a);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) {
    transparent_ = t;
    Invalidate();
  }

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  TPicture picture_;
  bool stretch_ = false, center_ = false, autoSize_ = false, transparent_ = false;

 protected:
  ~TImage() override;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* owner);
  const char* ClassName() const override { return "TShape"; }
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType s) {
    shape_ = s;
    Invalidate();
  }
  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  TBrush brush_;
  TPen pen_;

 protected:
  ~TShape() override = default;
};

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  const char* ClassName() const override { return "TTimer"; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;

 protected:
  void BeforeDestruction() override;

 private:
  void Update();
  bool enabled_ = true;
  unsigned interval_ = 1000;
  HWND window_ = nullptr;

 protected:
  ~TTimer() override;
};

using TCanResizeEvent = std::function<void(TObject* Sender, int& NewSize, bool& Accept)>;

// Resizes the control beside it (the one it is aligned against) by dragging.
class TSplitter : public TGraphicControl {
 public:
  explicit TSplitter(TComponent* owner);
  const char* ClassName() const override { return "TSplitter"; }
  int MinSize() const { return minSize_; }
  void SetMinSize(int m) { minSize_ = m; }
  bool Beveled() const { return beveled_; }
  void SetBeveled(bool b) {
    beveled_ = b;
    Invalidate();
  }
  // The neighbour it resizes: the visible control aligned the same way just before it.
  TControl* FindControl();
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnMoved;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void UpdateCursor();

 private:
  int minSize_ = 30;
  bool beveled_ = false;
  TControl* target_ = nullptr;
  POINT down_{0, 0};
  int startSize_ = 0;

 protected:
  ~TSplitter() override = default;
};

}  // namespace vx
