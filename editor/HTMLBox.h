// The tag palette: one button row per tag of the chosen group of the tag definition set.
#pragma once

#include "framework/win/Controls.h"

namespace vx {

class THTMLGroup;

class THTMLBox : public TGraphicControl {
 public:
  explicit THTMLBox(TComponent* owner);
  const char* ClassName() const override { return "THTMLBox"; }
  void SetTagGroup(THTMLGroup* g);
  int Group() const { return group_; }
  void SetGroup(int g);
  int BtnHeight() const { return btnHeight_; }
  // The names shown, top to bottom.
  int RowCount() const { return static_cast<int>(rows_.size()); }
  const AnsiString& RowName(int i) const { return rows_[static_cast<size_t>(i)]; }

 protected:
  void Paint() override;

 private:
  void Rebuild();
  THTMLGroup* tags_ = nullptr;
  int group_ = 0, btnHeight_ = 18;
  std::vector<AnsiString> rows_;
};

}  // namespace vx
