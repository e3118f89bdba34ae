// The property dialog of a custom tag: the text before and after the selection, each
// typed in or taken from a file.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCusTagItem;
class TFilenameEdit;

class TfrmCusTagE : public TForm {
 public:
  explicit TfrmCusTagE(TComponent* owner);
  const char* ClassName() const override { return "TfrmCusTagE"; }

  TGroupBox *GroupBox1, *GroupBox2;
  TMemo *BeforeE, *AfterE;
  TLabel *Label1, *Label2;
  TFilenameEdit *beforeFileE, *AfterFileE;
  TButton *btnOK, *btnCancel;

  void LoadItem(const TCusTagItem& item);
  void StoreItem(TCusTagItem& item);

 protected:
  ~TfrmCusTagE() override;
};

}  // namespace vx
