// The frames wizard: a frameset page of two or three frames in one of five layouts,
// written line by line into an editor.
#pragma once

#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/Spin.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCustomLEdit;
class TZxSpeedButton;
struct TFrameRow;

class TForm_FrameWiz : public TForm {
 public:
  explicit TForm_FrameWiz(TComponent* owner);
  const char* ClassName() const override { return "TForm_FrameWiz"; }

  TGroupBox* GroupBox1;             // "&Frame Type"
  TZxSpeedButton* SpeedButtons[5];  // SpeedButton1..SpeedButton5, tags 1 to 5
  TGroupBox* GroupBox2;             // "Frame &1"
  TLabel* RowLabels[3];
  TLabel* ColumnLabels[8];
  // Row n (0 to 2) of each kind: SrcE1.., OPenFile1 / OpenFile2 / Openfile3, NameLB1..,
  // WidthE1.., HeightE1.., MarginWidthSE1.., MarginHeight1.., ScrollingLB1.., NoResizeCB1..
  TEdit* SrcE[3];
  TZxSpeedButton* OpenFile[3];
  TComboBox* NameLB[3];
  TEdit* WidthE[3];
  TEdit* HeightE[3];
  TSpinEdit* MarginWidthSE[3];
  TSpinEdit* MarginHeight[3];
  TComboBox* ScrollingLB[3];
  TCheckBox* NoResizeCB[3];
  TButton *OkBtn, *CancelBtn;
  TOpenDialog* OpenDialog1;

  // The document filter and extension of the options, for the file buttons.
  AnsiString DocFilter, DocExt;

  int Layout() const { return layout_; }
  // The row as the frame line writes it.
  TFrameRow Row(int n);
  void SpeedButton1Click(TObject* Sender);
  void OPenFile1Click(TObject* Sender);
  void WidthE1Exit(TObject* Sender);
  void InsertFrames(TCustomLEdit* editor);

 private:
  void FormCreate(TObject* Sender);
  void ShowLayout();
  int layout_ = 1;

 protected:
  ~TForm_FrameWiz() override = default;
};

}  // namespace vx
