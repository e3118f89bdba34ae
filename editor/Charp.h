// The special-character window: made once by the document window, shown on demand, and
// writing into the document window's current editor.
#pragma once

#include "framework/win/Forms.h"

namespace vx {

class TfrmEditWin;

class TForm_Charp : public TForm {
 public:
  explicit TForm_Charp(TComponent* owner);
  const char* ClassName() const override { return "TForm_Charp"; }
  TfrmEditWin* Target() const { return target_; }
  void SetTarget(TfrmEditWin* w) { target_ = w; }

 private:
  TfrmEditWin* target_ = nullptr;

 protected:
  ~TForm_Charp() override;
};

extern TForm_Charp* Form_Charp;

}  // namespace vx
