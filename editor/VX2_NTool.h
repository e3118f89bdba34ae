// The name dialog of a new custom tool.
#pragma once

#include "editor/vx2_NCusT.h"

namespace vx {

class TfrmNewTool : public TNameDlg {
 public:
  explicit TfrmNewTool(TComponent* owner)
      : TNameDlg(owner, "New Tool", "&Tool Description", "newtoolE"), newtoolE(NameEdit) {}
  const char* ClassName() const override { return "TfrmNewTool"; }
  TEdit* newtoolE;

 protected:
  ~TfrmNewTool() override = default;
};

}  // namespace vx
