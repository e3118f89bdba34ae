// The custom tag editor: the list of custom tags with Add, Properties and Remove.
#pragma once

#include "editor/CusListDlg.h"
#include "editor/CustTags.h"
#include "editor/VX2_CustE.h"
#include "editor/vx2_NCusT.h"

namespace vx {

class TfrmCustTag : public TCusListDlgOf<TCusTagItem, TfrmNewTag, TfrmCusTagE> {
 public:
  explicit TfrmCustTag(TComponent* owner) : TCusListDlgOf(owner, "Custom Tag Editor", "Custom Tags") {}
  const char* ClassName() const override { return "TfrmCustTag"; }

 protected:
  ~TfrmCustTag() override = default;
};

}  // namespace vx
