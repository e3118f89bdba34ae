// The property dialog of a custom tool: its program, parameters and save-first flag.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCusToolItem;
class TFilenameEdit;

class TfrmCusToolE : public TForm {
 public:
  explicit TfrmCusToolE(TComponent* owner);
  const char* ClassName() const override { return "TfrmCusToolE"; }

  TLabel *Label1, *Label2, *Label3;
  TFilenameEdit* CmdE;
  TEdit* ParamE;
  TCheckBox* SaveCB;
  TButton *btnOK, *btnCancel;

  void LoadItem(const TCusToolItem& item);
  void StoreItem(TCusToolItem& item);

 protected:
  ~TfrmCusToolE() override;
};

}  // namespace vx
