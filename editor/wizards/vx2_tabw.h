// The table dialog: a table of up to 99 rows and columns laid out in a grid, with its
// headings, border, spacing, padding and caption, previewed and written as TABLE markup.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/Spin.h"
#include "framework/win/StdCtrls.h"
#include "framework/win/Ustrgrid.h"

namespace vx {

class TCustomLEdit;
class THTMLViewer;
struct TTableSpec;

class TTableDialog : public TForm {
 public:
  explicit TTableDialog(TComponent* owner);
  const char* ClassName() const override { return "TTableDialog"; }

  TPageControl* PageControl1;
  TTabSheet *TabSheet1, *TabSheet2;
  TPanel* Panel1;
  TLabel* Label1;  // "Capt&ion"
  TEdit* CaptionEdit;
  TLabel* Label2;  // "&Align"
  TComboBox* AlignCB;
  TGroupBox* GroupBox1;  // "&Headings"
  TCheckBox *HeadingCol, *HeadingRow;
  TGroupBox* GroupBox2;  // "&Table"
  TLabel *Label3, *Label4, *Label5, *Label6;
  TSpinEdit *RowsSE, *ColumnSE, *SpinEdit1, *SpinEdit2;
  TCheckBox* BorderCB;
  TXStrGrid* StringGrid1;
  THTMLViewer* HTMLViewer1;
  TButton *OkBtn, *CancelBtn;

  // The LowerCase option as it stands when the dialog runs; the caller sets it.
  bool LowerCase = false;

  // The table as the grid and the fields describe it.
  TTableSpec Spec();
  void RowsSEChange(TObject* Sender);
  void ColumnSEChange(TObject* Sender);
  void StringGrid1GetCellColor(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush,
                               TFont* AFont);
  void HeadingColClick(TObject* Sender);
  void PageControl1Change(TObject* Sender);
  void InsertTable(TCustomLEdit* editor);

 private:
  void FormCreate(TObject* Sender);

 protected:
  ~TTableDialog() override = default;
};

}  // namespace vx
