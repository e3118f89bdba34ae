// The special-character window: a small always-on-top tool window with a grid of 70
// characters; a click inserts the character's entity, or the character itself, at the
// caret of the current editor. Clicks never activate it, so the editor keeps the focus.
#pragma once

#include <functional>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCustomLEdit;
class TFormStorage;

class TForm_Charp : public TForm {
 public:
  explicit TForm_Charp(TComponent* owner);
  const char* ClassName() const override { return "TForm_Charp"; }

  TPaintBox* Panel1;
  TCheckBox* cbRaw;
  TFormStorage* FormStorage1;

  // The editor that clicks insert into (nullptr: none); the document window sets it.
  std::function<TCustomLEdit*()> CurrentEditor;

  // Shows the window without taking the activation from the editor's window.
  void ShowNoActivate();
  // The cell pressed last (0 before the first press).
  int LastCell() const { return lastCell_; }
  // The cell drawn pressed now (0 when none).
  int DownCell() const { return downCell_; }

  void FormPaint(TObject* Sender);
  void FormMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void WndProc(TMessage& m) override;

 protected:
  void BeforeDestruction() override;
  void VisibleChanged() override;

 private:
  void SetDownCell(int cell);
  bool pressed_ = false, noActivate_ = false, placed_ = false;
  POINT pressPoint_{0, 0};
  int lastCell_ = 0, downCell_ = 0;

 protected:
  ~TForm_Charp() override = default;
};

extern TForm_Charp* Form_Charp;

}  // namespace vx
