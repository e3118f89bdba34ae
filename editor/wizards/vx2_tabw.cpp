#include "editor/wizards/vx2_tabw.h"

#include "editctl/LEDlp32.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/WizardText.h"
#include "viewer/Htmlview.h"

namespace vx {

TTableDialog::TTableDialog(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "TableDialog", "Table Editor", 550, 400);
  SetHelpContext(99);

  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 6, 6, 538, 356);
  TabSheet1 = AddSheet(this, PageControl1, "TabSheet1", "Table Designer");
  TabSheet2 = AddSheet(this, PageControl1, "TabSheet2", "Preview");

  Panel1 = PlainPanel(this, TabSheet1, "Panel1", alTop, 88);
  CaptionEdit = MakeControl<TEdit>(this, Panel1, "CaptionEdit", 60, 6, 210, 21);
  Label1 = PlaceLabel(this, Panel1, "Label1", "Capt&ion", 8, 10, CaptionEdit);
  AlignCB = MakeControl<TComboBox>(this, Panel1, "AlignCB", 322, 6, 80, 22);
  AlignCB->SetStyle(csDropDownList);
  AlignCB->Items()->Add("Top");
  AlignCB->Items()->Add("Bottom");
  AlignCB->SetItemIndex(0);
  Label2 = PlaceLabel(this, Panel1, "Label2", "&Align", 286, 10, AlignCB);
  BorderCB = MakeControl<TCheckBox>(this, Panel1, "BorderCB", 424, 8, 80, 19);
  BorderCB->SetCaption("Border");
  BorderCB->SetChecked(true);

  GroupBox1 = MakeControl<TGroupBox>(this, Panel1, "GroupBox1", 6, 34, 122, 48);
  GroupBox1->SetCaption("&Headings");
  HeadingCol = MakeControl<TCheckBox>(this, GroupBox1, "HeadingCol", 8, 20, 58, 19);
  HeadingCol->SetCaption("Column");
  HeadingRow = MakeControl<TCheckBox>(this, GroupBox1, "HeadingRow", 68, 20, 48, 19);
  HeadingRow->SetCaption("Row");
  for (TCheckBox* c : {HeadingCol, HeadingRow}) c->OnClick = [this](TObject* s) { HeadingColClick(s); };

  GroupBox2 = MakeControl<TGroupBox>(this, Panel1, "GroupBox2", 134, 34, 390, 48);
  GroupBox2->SetCaption("&Table");
  RowsSE = MakeControl<TSpinEdit>(this, GroupBox2, "RowsSE", 40, 18, 42, 21);
  Label3 = PlaceLabel(this, GroupBox2, "Label3", "Rows", 8, 22, RowsSE);
  ColumnSE = MakeControl<TSpinEdit>(this, GroupBox2, "ColumnSE", 120, 18, 42, 21);
  Label4 = PlaceLabel(this, GroupBox2, "Label4", "Cols", 92, 22, ColumnSE);
  for (TSpinEdit* s : {RowsSE, ColumnSE}) {
    s->SetMinValue(1);
    s->SetMaxValue(99);
    s->SetMaxLength(2);
    s->SetValue(1);
  }
  SpinEdit1 = MakeControl<TSpinEdit>(this, GroupBox2, "SpinEdit1", 234, 18, 42, 21);
  Label5 = PlaceLabel(this, GroupBox2, "Label5", "CellSpacing", 172, 22, SpinEdit1);
  SpinEdit2 = MakeControl<TSpinEdit>(this, GroupBox2, "SpinEdit2", 342, 18, 42, 21);
  Label6 = PlaceLabel(this, GroupBox2, "Label6", "CellPadding", 282, 22, SpinEdit2);
  RowsSE->OnChange = [this](TObject* s) { RowsSEChange(s); };
  ColumnSE->OnChange = [this](TObject* s) { ColumnSEChange(s); };

  StringGrid1 = MakeControl<TXStrGrid>(this, TabSheet1, "StringGrid1", 0, 88, 100, 100);
  StringGrid1->SetAlign(alClient);
  StringGrid1->SetBorderStyle(bsNone);
  StringGrid1->SetColCount(2);
  StringGrid1->SetRowCount(2);
  StringGrid1->SetFixedCols(1);
  StringGrid1->SetFixedRows(1);
  StringGrid1->SetDefaultRowHeight(18);
  StringGrid1->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goTabs,
                                       goColSizing, goRowMoving, goColMoving});
  StringGrid1->SetGrid3D(true);
  StringGrid1->OnGetCellColor = [this](TObject* s, int r, int c, TGridDrawState st, TBrush* b, TFont* f) {
    StringGrid1GetCellColor(s, r, c, st, b, f);
  };

  HTMLViewer1 = PlacePreview(this, TabSheet2, "HTMLViewer1");
  PageControl1->OnChange = [this](TObject* s) { PageControl1Change(s); };

  OkBtn = PlaceDialogButton(this, this, "OkBtn", "OK", 388, 368, mrOk, true);
  CancelBtn = PlaceDialogButton(this, this, "CancelBtn", "Cancel", 469, 368, mrCancel, false, true);
  SetActiveControl(StringGrid1);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TTableDialog::FormCreate(TObject*) {
  // The fixed first column and row only frame the cells.
  StringGrid1->SetColWidths(0, 4);
  StringGrid1->SetRowHeights(0, 4);
}

void TTableDialog::RowsSEChange(TObject*) {
  int v = RowsSE->Value();
  if (v >= RowsSE->MinValue() && v <= RowsSE->MaxValue() && StringGrid1->RowCount() != v + 1)
    StringGrid1->SetRowCount(v + 1);
}

void TTableDialog::ColumnSEChange(TObject*) {
  int v = ColumnSE->Value();
  if (v >= ColumnSE->MinValue() && v <= ColumnSE->MaxValue() && StringGrid1->ColCount() != v + 1)
    StringGrid1->SetColCount(v + 1);
}

void TTableDialog::StringGrid1GetCellColor(TObject*, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush,
                                           TFont*) {
  if (AState.Contains(gdFixed)) return;
  if ((HeadingCol->Checked() && ARow == 1) || (HeadingRow->Checked() && ACol == 1)) ABrush->SetColor(clBtnFace);
}

void TTableDialog::HeadingColClick(TObject*) { StringGrid1->Repaint(); }

TTableSpec TTableDialog::Spec() {
  TTableSpec t;
  t.CellSpacing = SpinEdit1->Value();
  t.CellPadding = SpinEdit2->Value();
  t.Border = BorderCB->Checked();
  t.Caption = CaptionEdit->Text();
  t.CaptionAlign = AlignCB->Text();
  t.HeadingCol = HeadingCol->Checked();
  t.HeadingRow = HeadingRow->Checked();
  for (int r = 1; r < StringGrid1->RowCount(); ++r) {
    t.Cells.emplace_back();
    for (int c = 1; c < StringGrid1->ColCount(); ++c) t.Cells.back().push_back(StringGrid1->Cells(c, r));
  }
  return t;
}

void TTableDialog::PageControl1Change(TObject*) {
  if (PageControl1->ActivePage() != TabSheet2) return;
  // The preview is always in upper case, one piece per line.
  TStringList html;
  for (AnsiString piece : TablePieces(Spec(), false)) {
    while (!piece.empty() && (piece.back() == '\n' || piece.back() == '\r')) piece.pop_back();
    html.Add(piece);
  }
  HTMLViewer1->LoadFromStrings(html);
}

void TTableDialog::InsertTable(TCustomLEdit* editor) {
  if (!editor) return;
  // One insertion for the whole table: one Undo takes it away.
  editor->InsertText(Joined(TablePieces(Spec(), LowerCase)));
}

}  // namespace vx
