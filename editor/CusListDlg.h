// The list editor shared by the custom tags and the custom tools: a list box of names
// with Add, Properties and Remove. It works on copies of the items, so Cancel drops
// every change made in it, the property dialogs' changes included; OK hands the copies,
// in the list box's order, to the list.
#pragma once

#include <memory>
#include <vector>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TCusListDlg : public TForm {
 public:
  // caption "Custom Tag Editor", group "Custom Tags" and so on.
  TCusListDlg(TComponent* owner, const char* caption, const char* group);
  const char* ClassName() const override { return "TCusListDlg"; }

  TGroupBox* GroupBox1;
  TListBox* lbTags;
  TButton *btnAdd, *btnProperties, *btnRemove, *btnOK, *btnCancel;

  // An entry at the end of the list box; the dialog owns the item.
  void AddEntry(const AnsiString& name, std::unique_ptr<TPersistent> item);
  // The list box's entries, in its order, handed over to the caller.
  std::vector<std::unique_ptr<TPersistent>> TakeEntries();
  // The item of the selected entry, or nullptr.
  TPersistent* SelectedItem();

  void FormCreate(TObject* Sender);
  void UpdateButtons();
  void btnAddClick(TObject* Sender);
  void btnPropertiesClick(TObject* Sender);
  void btnRemoveClick(TObject* Sender);

 protected:
  // Asks the name of a new entry (the name dialog); false on Cancel.
  virtual bool AskName(AnsiString& name) = 0;
  virtual std::unique_ptr<TPersistent> NewItem(const AnsiString& name) = 0;
  // The property dialog on an item; it changes the item only on OK.
  virtual void EditItem(TPersistent* item) = 0;

 private:
  std::vector<std::unique_ptr<TPersistent>> store_;

 protected:
  ~TCusListDlg() override;
};

// The list editor of one kind of item: its name dialog (a TNameDlg) and its property
// dialog (LoadItem, StoreItem).
template <class Item, class NameDlg, class PropDlg>
class TCusListDlgOf : public TCusListDlg {
 public:
  using TCusListDlg::TCusListDlg;

 protected:
  bool AskName(AnsiString& name) override {
    TComponentPtr<NameDlg> d(CreateForm<NameDlg>(this));
    if (d->ShowModal() != mrOk) return false;
    name = d->NameEdit->Text();
    return true;
  }
  std::unique_ptr<TPersistent> NewItem(const AnsiString& name) override {
    auto item = std::make_unique<Item>();
    item->SetName(name);
    return item;
  }
  void EditItem(TPersistent* item) override {
    auto* it = dynamic_cast<Item*>(item);
    if (!it) return;
    TComponentPtr<PropDlg> d(CreateForm<PropDlg>(this));
    d->LoadItem(*it);
    if (d->ShowModal() == mrOk) d->StoreItem(*it);
  }

 protected:
  ~TCusListDlgOf() override = default;
};

// Runs a list editor of class Dialog on a copy of list; on OK the list takes the result.
template <class Dialog, class List>
bool EditCustomList(List& list) {
  using Item = std::remove_pointer_t<decltype(list.Items(0))>;
  TComponentPtr<Dialog> d(CreateForm<Dialog>(nullptr));
  for (int i = 0; i < list.Count(); ++i) {
    auto copy = std::make_unique<Item>();
    copy->Assign(*list.Items(i));
    AnsiString name = copy->Name();
    d->AddEntry(name, std::move(copy));
  }
  if (d->ShowModal() != mrOk) return false;
  std::vector<std::unique_ptr<Item>> result;
  for (auto& p : d->TakeEntries()) result.emplace_back(static_cast<Item*>(p.release()));
  list.TakeFrom(result);
  return true;
}

}  // namespace vx
