// The custom tool editor: the list of custom tools with Add, Properties and Remove.
#pragma once

#include "editor/CusListDlg.h"

namespace vx {

class TfrmCusTool : public TCusListDlg {
 public:
  explicit TfrmCusTool(TComponent* owner) : TCusListDlg(owner, "Custom Tool Editor", "Custom Tools") {}
  const char* ClassName() const override { return "TfrmCusTool"; }

 protected:
  bool AskName(AnsiString& name) override;
  std::unique_ptr<TPersistent> NewItem(const AnsiString& name) override;
  void EditItem(TPersistent* item) override;
};

}  // namespace vx
