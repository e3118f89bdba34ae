#include "editor/CusListDlg.h"

#include <unordered_map>

#include "framework/win/Dialogs.h"
#include "framework/win/MakeControl.h"

namespace vx {

TCusListDlg::TCusListDlg(TComponent* owner, const char* caption, const char* group) : TForm(owner) {
  SetCaption(caption);
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(362, 246);
  GroupBox1 = MakeControl<TGroupBox>(this, this, "GroupBox1", 8, 6, 254, 232);
  GroupBox1->SetCaption(group);
  lbTags = MakeControl<TListBox>(this, GroupBox1, "lbTags", 10, 20, 234, 202);
  auto button = [this](const char* name, const char* text, int top) {
    auto* b = MakeControl<TButton>(this, this, name, 274, top, 80, 25);
    b->SetCaption(text);
    return b;
  };
  btnAdd = button("btnAdd", "&Add...", 14);
  btnProperties = button("btnProperties", "&Properties...", 46);
  btnRemove = button("btnRemove", "&Remove", 78);
  btnOK = button("btnOK", "OK", 180);
  btnOK->SetModalResult(mrOk);
  btnOK->SetDefault(true);
  btnCancel = button("btnCancel", "Cancel", 212);
  btnCancel->SetModalResult(mrCancel);
  btnCancel->SetCancel(true);
  SetActiveControl(lbTags);

  lbTags->OnClick = [this](TObject*) { UpdateButtons(); };
  lbTags->OnDblClick = [this](TObject* s) { btnPropertiesClick(s); };
  btnAdd->OnClick = [this](TObject* s) { btnAddClick(s); };
  btnProperties->OnClick = [this](TObject* s) { btnPropertiesClick(s); };
  btnRemove->OnClick = [this](TObject* s) { btnRemoveClick(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

TCusListDlg::~TCusListDlg() = default;

void TCusListDlg::FormCreate(TObject*) {
  btnRemove->SetEnabled(false);
  btnProperties->SetEnabled(false);
}

void TCusListDlg::AddEntry(const AnsiString& name, std::unique_ptr<TPersistent> item) {
  lbTags->Items()->AddObject(name, item.get());
  store_.push_back(std::move(item));
}

std::vector<std::unique_ptr<TPersistent>> TCusListDlg::TakeEntries() {
  std::unordered_map<TObject*, size_t> where;
  where.reserve(store_.size());
  for (size_t i = 0; i < store_.size(); ++i) where.emplace(store_[i].get(), i);
  std::vector<std::unique_ptr<TPersistent>> out;
  TStrings* names = lbTags->Items();
  const int count = names->Count();
  out.reserve(count);
  for (int i = 0; i < count; ++i) {
    auto it = where.find(names->Objects(i));
    if (it != where.end() && store_[it->second]) out.push_back(std::move(store_[it->second]));
  }
  return out;
}

TPersistent* TCusListDlg::SelectedItem() {
  int i = lbTags->ItemIndex();
  if (i < 0 || i >= lbTags->Items()->Count()) return nullptr;
  return static_cast<TPersistent*>(lbTags->Items()->Objects(i));
}

void TCusListDlg::UpdateButtons() {
  bool any = lbTags->Items()->Count() > 0;
  btnRemove->SetEnabled(any);
  btnProperties->SetEnabled(any);
  if (any && lbTags->ItemIndex() < 0) lbTags->SetItemIndex(0);
}

void TCusListDlg::btnAddClick(TObject* Sender) {
  AnsiString name;
  if (!AskName(name)) return;
  AddEntry(name, NewItem(name));
  lbTags->SetItemIndex(lbTags->Items()->Count() - 1);
  UpdateButtons();
  btnPropertiesClick(Sender);
}

void TCusListDlg::btnPropertiesClick(TObject*) {
  if (TPersistent* item = SelectedItem()) EditItem(item);
}

void TCusListDlg::btnRemoveClick(TObject*) {
  int i = lbTags->ItemIndex();
  if (i < 0) return;
  if (MessageDlg("Delete selected custom tag", mtConfirmation, mbOKCancel, 0) != mrOk) return;
  // Only the entry goes; its copy stays in the store and goes with the dialog.
  lbTags->Items()->Delete(i);
  if (i > 0) lbTags->SetItemIndex(i - 1);
  UpdateButtons();
}

}  // namespace vx
