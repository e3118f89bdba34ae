// The custom tool editor: the list of custom tools with Add, Properties and Remove.
#pragma once

#include "editor/CusListDlg.h"
#include "editor/CusTool.h"
#include "editor/VX2_NTool.h"
#include "editor/VX2_ToolE.h"

namespace vx {

class TfrmCusTool : public TCusListDlgOf<TCusToolItem, TfrmNewTool, TfrmCusToolE> {
 public:
  explicit TfrmCusTool(TComponent* owner) : TCusListDlgOf(owner, "Custom Tool Editor", "Custom Tools") {}
  const char* ClassName() const override { return "TfrmCusTool"; }

 protected:
  ~TfrmCusTool() override = default;
};

}  // namespace vx
