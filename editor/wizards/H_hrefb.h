// The link dialog: a URL composed from a scheme and its parts, shown read-only as the
// user types; the caller reads it after OK.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TForm_RefB : public TForm {
 public:
  explicit TForm_RefB(TComponent* owner);
  const char* ClassName() const override { return "TForm_RefB"; }

  TLabel* ResourceL;
  TComboBox* ResourceLB;
  TLabel *Label1, *FirstSepL;
  TEdit* hostE;
  TLabel *PathL, *SecondSepL;
  TEdit* PathE;
  TLabel *FileL, *ThirdSepL;
  TEdit* FileE;
  TLabel *TargetL, *fourthSepL;
  TEdit* targetE;
  TLabel* URLL;
  TEdit* URLE;
  TButton *OkBtn, *CancelBtn;

  // The chosen scheme ("" when none).
  AnsiString Scheme();
  void ResourceLBChange(TObject* Sender);
  void URLChange(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);

 protected:
  ~TForm_RefB() override = default;
};

}  // namespace vx
