// The name dialogs of a new custom tag and a new custom tool.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

// A one-line name asked in a small centred dialog.
class TNameDlg : public TForm {
 public:
  TNameDlg(TComponent* owner, const char* caption, const char* label, const char* editName);
  const char* ClassName() const override { return "TNameDlg"; }
  TLabel* Label1;
  TEdit* NameEdit;
  TButton *btnOK, *btnCancel;

 protected:
  ~TNameDlg() override;
};

class TfrmNewTag : public TNameDlg {
 public:
  explicit TfrmNewTag(TComponent* owner);
  const char* ClassName() const override { return "TfrmNewTag"; }
  TEdit* newtagE;

 protected:
  ~TfrmNewTag() override = default;
};

}  // namespace vx
