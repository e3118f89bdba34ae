// Sizing handles: a see-through control laid over one other control, with eight grips
// that resize it and a body that moves it, by the mouse (snapped to a grid and kept inside
// the parent) or by the arrow keys.
#pragma once

#include <cstdint>

#include "framework/core/Exceptions.h"
#include "framework/win/Controls.h"

namespace vx {

VX_EXCEPTION(EBadChild, Exception);

using GridValues = uint8_t;

class TStretchHandle : public TCustomControl {
 public:
  explicit TStretchHandle(TComponent* owner);
  const char* ClassName() const override { return "TStretchHandle"; }

  // Color() is the grips' colour; SecondaryColor theirs while another attached handle
  // shares the parent.
  TColor SecondaryColor() const { return secondaryColor_; }
  void SetSecondaryColor(TColor c);
  bool Locked() const { return locked_; }
  void SetLocked(bool l) { locked_ = l; }
  GridValues GridX() const { return gridX_; }
  void SetGridX(GridValues v) { gridX_ = v; }
  GridValues GridY() const { return gridY_; }
  void SetGridY(GridValues v) { gridY_ = v; }
  bool SnapToGrid() const { return gridX_ > 1 || gridY_ > 1; }
  void SetSnapToGrid(bool s);

  // Lays the handles over the control (detaching them from any other first); a form
  // cannot take them (EBadChild); nullptr leaves them detached.
  void Attach(TControl* control);
  void Detach();
  TControl* AttachedControl() const { return attached_; }
  bool Attached() const { return attached_ != nullptr; }
  // The grip under the mouse last (0 the body, 1 to 4 the corners, 5 to 8 the edges).
  int Grip() const { return grip_; }
  TColor GripColor() const { return gripColor_; }
  bool DragActive() const { return dragging_; }

  // The handles' bounds; the attached control takes them less the grip margin.
  void SetBounds(int l, int t, int w, int h) override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void Paint() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void Notification(TComponent* c, TOperation op) override;

 private:
  TStretchHandle* OtherHandle() const;
  int GripAt(int x, int y) const;
  POINT Snap(int x, int y) const;
  POINT Clamp(POINT p) const;
  RECT NewRect(POINT p) const;
  void DrawFeedback(const RECT& r);
  void EraseFeedback();
  void MoveOthers(int dx, int dy);
  TControl* attached_ = nullptr;
  TColor secondaryColor_ = 0x808080, gripColor_ = 0;
  bool locked_ = false, dragging_ = false, feedbackShown_ = false;
  GridValues gridX_ = 1, gridY_ = 1;
  int grip_ = 0;
  POINT origin_{0, 0};
  RECT feedback_{0, 0, 0, 0};

 protected:
  ~TStretchHandle() override = default;
};

}  // namespace vx
