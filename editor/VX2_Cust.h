// The custom tag editor: the list of custom tags with Add, Properties and Remove.
#pragma once

#include "editor/CusListDlg.h"

namespace vx {

class TfrmCustTag : public TCusListDlg {
 public:
  explicit TfrmCustTag(TComponent* owner) : TCusListDlg(owner, "Custom Tag Editor", "Custom Tags") {}
  const char* ClassName() const override { return "TfrmCustTag"; }

 protected:
  bool AskName(AnsiString& name) override;
  std::unique_ptr<TPersistent> NewItem(const AnsiString& name) override;
  void EditItem(TPersistent* item) override;
};

}  // namespace vx
