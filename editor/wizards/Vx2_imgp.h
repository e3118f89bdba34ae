// The properties of one hot spot of the image map wizard: its link, typed, picked from the
// files or composed in the link dialog.
#pragma once

#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TZxSpeedButton;

class TForm_Imgp : public TForm {
 public:
  explicit TForm_Imgp(TComponent* owner);
  const char* ClassName() const override { return "TForm_Imgp"; }

  TLabel* HRefL;
  TEdit* HRefE;
  TZxSpeedButton* SpeedButton1;
  TButton* Button1;
  TLabel* TargetL;
  TComboBox* targetE;
  TButton *OkBtn, *CancelBtn;
  TOpenDialog* OpenDialog1;

  void SpeedButton1Click(TObject* Sender);
  void Button1Click(TObject* Sender);

 protected:
  ~TForm_Imgp() override = default;
};

}  // namespace vx
