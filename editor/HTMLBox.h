// The tag palette: one button-like row per tag of the chosen group of the tag definition
// set. It has no window of its own; it stands in the document window's scroll box.
#pragma once

#include <memory>

#include "framework/core/Classes.h"
#include "framework/win/Controls.h"

namespace vx {

class THTMLGroup;
class THTMLTagDef;

class THTMLBox : public TGraphicControl {
 public:
  explicit THTMLBox(TComponent* owner);
  const char* ClassName() const override { return "THTMLBox"; }

  // The group index shown.
  int Group() const { return group_; }
  void SetGroup(int Value);
  // Row height in pixels.
  int BtnHeight() const { return btnHeight_; }
  void SetBtnHeight(int Value);
  // The set whose tags the rows show (not owned); nullptr empties the palette.
  void SetTagGroup(THTMLGroup* Set);
  // The tag of the row of the last mouse-up; nullptr when that was no row.
  THTMLTagDef* SelectedTag() const;

  int RowCount() const { return rows_->Count(); }
  AnsiString RowName(int i) const { return rows_->Strings(i); }
  THTMLTagDef* RowTag(int i) const;
  bool Hot() const { return hot_; }
  int HotRow() const { return hotRow_; }
  int SelectedRow() const { return selectedRow_; }

  void WndProc(TMessage& m) override;

 protected:
  void Paint() override;
  void DrawButton(int Index, bool Hot);
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  THTMLGroup* tags_ = nullptr;
  std::unique_ptr<TStringList> rows_;
  int group_ = 0, btnHeight_ = 18;
  bool hot_ = false, painting_ = false;
  int hotRow_ = 0, selectedRow_ = -1;

 protected:
  ~THTMLBox() override;
};

class TComboBox;

// Makes the group selector's drop-down list as wide as its longest group name: the
// palette's panel leaves the box itself narrower than most names.
void FitGroupList(TComboBox* box);
// Moves a combo box's dropped list back inside the work area of its screen.
void KeepDroppedListOnScreen(HWND combo);

}  // namespace vx
