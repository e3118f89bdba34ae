#include "tageditor/TextEditors.h"

#include "framework/core/SysUtils.h"
#include "tageditor/FormParts.h"
#include "tageditor/TagEdRules.h"

namespace vx {

// ---- TfrmPickList ------------------------------------------------------------------

TfrmPickList::TfrmPickList(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "PickList Editor", 292, 262);
  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "Picklist Items", 8, 6, 276, 214);
  Memo1 = MakeControl<TMemo>(this, GroupBox1, "Memo1", 12, 20, 160, 182);
  Memo1->SetScrollBars(ssVertical);
  Memo1->SetWordWrap(false);
  btnSort = PlaceButton(this, GroupBox1, "btnSort", "Sort", 182, 20, 84, 25);
  btnSort->OnClick = [this](TObject* s) { btnSortClick(s); };
  btnAddFontList = PlaceButton(this, GroupBox1, "btnAddFontList", "Add Font List", 182, 52, 84, 25);
  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 128, 230);
  btnOK->SetDefault(false);  // Enter belongs to the list being typed
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TfrmPickList::FormCreate(TObject*) { Memo1->SetCharCase(ecUpperCase); }

void TfrmPickList::SetText(std::string_view text) { Memo1->SetText(AnsiUpperCase(AnsiString(text))); }

AnsiString TfrmPickList::GetText() const { return Memo1->Text(); }

void TfrmPickList::btnSortClick(TObject*) { Memo1->SetText(SortPickList(Memo1->Text())); }

// ---- TfrmGroups --------------------------------------------------------------------

TfrmGroups::TfrmGroups(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "Group Name Editor", 292, 262);
  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "&Group Names", 8, 6, 276, 214);
  Memo1 = MakeControl<TMemo>(this, GroupBox1, "Memo1", 12, 20, 252, 182);
  Memo1->SetScrollBars(ssVertical);
  Memo1->SetWordWrap(false);
  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 128, 230);
}

}  // namespace vx
