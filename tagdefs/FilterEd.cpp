#include "tagdefs/FilterEd.h"

namespace vx {

TfrmFilter::TfrmFilter(TComponent* owner) : TForm(owner) {
  SetCaption("Filter Editor");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);

  StringGrid1 = new TStringGrid(this);
  StringGrid1->SetName("StringGrid1");
  StringGrid1->SetParent(this);
  StringGrid1->SetColCount(2);
  StringGrid1->SetRowCount(20);
  StringGrid1->SetFixedCols(0);
  StringGrid1->SetFixedRows(1);
  StringGrid1->SetDefaultRowHeight(16);
  StringGrid1->SetColWidths(0, 159);
  StringGrid1->SetColWidths(1, 165);
  StringGrid1->SetOptions(
      TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goEditing, goAlwaysShowEditor, goTabs});
  // Wide enough for both columns beside the vertical scroll bar: with no room to spare the
  // grid would scroll sideways and hide the name column.
  const int gridWidth = 159 + 165 + 2 * StringGrid1->GridLineWidth() + 2 * GetSystemMetrics(SM_CXEDGE) +
                        GetSystemMetrics(SM_CXVSCROLL);
  StringGrid1->SetBounds(8, 8, gridWidth, 322);
  SetClientSize(gridWidth + 16, 372);
  const int right = 8 + gridWidth;

  btnOK = new TButton(this);
  btnOK->SetName("btnOK");
  btnOK->SetParent(this);
  btnOK->SetBounds(right - 156, 338, 75, 25);
  btnOK->SetCaption("OK");
  btnOK->SetDefault(true);
  btnOK->SetModalResult(mrOk);
  btnCancel = new TButton(this);
  btnCancel->SetName("btnCancel");
  btnCancel->SetParent(this);
  btnCancel->SetBounds(right - 75, 338, 75, 25);
  btnCancel->SetCaption("Cancel");
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TfrmFilter::FormCreate(TObject*) {
  StringGrid1->SetCells(0, 0, "Filter Name");
  StringGrid1->SetCells(1, 0, "Filter");
}

void TfrmFilter::SetFilter(const AnsiString& filter) {
  for (int r = 1; r < StringGrid1->RowCount(); ++r) {
    StringGrid1->SetCells(0, r, "");
    StringGrid1->SetCells(1, r, "");
  }
  AnsiString rest = filter;
  int row = 1;
  size_t bar;
  while ((bar = rest.find('|')) != AnsiString::npos) {
    AnsiString name = rest.substr(0, bar);
    rest.erase(0, bar + 1);
    AnsiString mask;
    bar = rest.find('|');
    if (bar == AnsiString::npos) {
      mask = rest;
      rest.clear();
    } else {
      mask = rest.substr(0, bar);
      rest.erase(0, bar + 1);
    }
    // More pairs than rows: the table grows rather than lose them.
    if (row >= StringGrid1->RowCount()) StringGrid1->SetRowCount(row + 1);
    StringGrid1->SetCells(0, row, name);
    StringGrid1->SetCells(1, row, mask);
    ++row;
  }
}

AnsiString TfrmFilter::GetFilter() {
  AnsiString r;
  for (int row = 1; row < StringGrid1->RowCount(); ++row) {
    AnsiString name = StringGrid1->Cells(0, row), mask = StringGrid1->Cells(1, row);
    if (name.empty() && mask.empty()) continue;
    r += name + "|" + mask + "|";
  }
  if (!r.empty()) r.pop_back();
  return r;
}

}  // namespace vx
