// The About box.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TSplashForm : public TForm {
 public:
  explicit TSplashForm(TComponent* owner);
  const char* ClassName() const override { return "TSplashForm"; }
  TLabel* VersionLabel;
  TButton* OkButton;

 protected:
  ~TSplashForm() override = default;
};

}  // namespace vx
