// The tag editor's About box: the program, its version and the machine's memory.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TfrmAbout : public TForm {
 public:
  explicit TfrmAbout(TComponent* owner);
  const char* ClassName() const override { return "TfrmAbout"; }

  TImage* Image1;
  TLabel* lblProgram;
  TLabel* lblTitle;
  TLabel* lblMemory;
  TLabel* lblMemAvail;
  TLabel* lblVersion;
  TButton* btnOK;

  void FormCreate(TObject* Sender);

 protected:
  ~TfrmAbout() override = default;
};

}  // namespace vx
