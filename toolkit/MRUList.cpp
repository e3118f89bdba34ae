#include "toolkit/MRUList.h"

#include <algorithm>
#include <cstdint>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "toolkit/AppUtils.h"
#include "toolkit/StoredValues.h"

namespace vx {

namespace {

TObject* AsObject(int v) { return reinterpret_cast<TObject*>(static_cast<intptr_t>(v)); }
int AsInt(TObject* o) { return static_cast<int>(reinterpret_cast<intptr_t>(o)); }

}  // namespace

// ---- TRecentStrings -----------------------------------------------------------------

void TRecentStrings::SetMaxSize(int n) {
  if (n == maxSize_) return;
  maxSize_ = std::max(1, n);
  if (Count() <= maxSize_) return;
  BeginUpdate();
  while (Count() > maxSize_) Delete(Count() - 1);
  EndUpdate();
}

int TRecentStrings::AddEntry(const AnsiString& s, TObject* o, bool withObject) {
  BeginUpdate();
  {
    auto cleanup = OnScopeExit([&] { EndUpdate(); });
    int i = IndexOf(s);
    if (i >= 0) {
      Move(i, 0);
      if (withObject) SetObjects(0, o);
    } else {
      InsertObject(0, s, o);
      if (Count() > 1)
        while (Count() > maxSize_) Delete(Count() - 1);
    }
  }
  return 0;
}

int TRecentStrings::Add(const AnsiString& s) { return AddEntry(s, nullptr, false); }

int TRecentStrings::AddObject(const AnsiString& s, TObject* o) { return AddEntry(s, o, true); }

void TRecentStrings::AddStrings(const TStrings& source) {
  BeginUpdate();
  auto cleanup = OnScopeExit([&] { EndUpdate(); });
  for (int n = std::min(source.Count(), maxSize_) - 1; n >= 0; --n) AddObject(source.Strings(n), source.Objects(n));
}

// ---- TMRUManager ----------------------------------------------------------------------

TMRUManager::TMRUManager(TComponent* owner)
    : TComponent(owner), strings_(std::make_unique<TRecentStrings>()), iniLink_(std::make_unique<TIniLink>()) {
  strings_->OnChange = [this](TObject* s) { ListChanged(s); };
  iniLink_->OnSave = [this](TObject* s) { IniSave(s); };
  iniLink_->OnLoad = [this](TObject* s) { IniLoad(s); };
}

TMRUManager::~TMRUManager() = default;

void TMRUManager::BeforeDestruction() {
  if (!Destroying()) {
    ClearRecentMenu();
    if (recentMenu_) recentMenu_->RemoveFreeNotification(this);
    recentMenu_ = nullptr;
    iniLink_->OnSave = nullptr;
    iniLink_->OnLoad = nullptr;
    iniLink_->SetStorage(nullptr);
    strings_->OnChange = nullptr;
  }
  TComponent::BeforeDestruction();
}

void TMRUManager::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op != opRemove) return;
  if (c == recentMenu_) recentMenu_ = nullptr;
  // A made item freed by someone else (its menu went) is forgotten, never touched again.
  items_.erase(std::remove(items_.begin(), items_.end(), c), items_.end());
}

void TMRUManager::Add(const AnsiString& name, int userData) { strings_->AddObject(name, AsObject(userData)); }

void TMRUManager::ListChanged(TObject*) {
  if (autoUpdate_) UpdateRecentMenu();
}

AnsiString TMRUManager::AccelText(unsigned k) {
  if (k <= 9) return AnsiString("&") + static_cast<char>('0' + k);
  if (k <= 100) return AnsiString("&") + static_cast<char>(55 + k);
  return " ";
}

void TMRUManager::AddMenuItem(TMenuItem* item) {
  item->FreeNotification(this);
  recentMenu_->Add(item);
  items_.push_back(item);
}

void TMRUManager::EnableRecentMenu() {
  if (autoEnable_ && recentMenu_) recentMenu_->SetEnabled(recentMenu_->Count() > 0);
}

void TMRUManager::UpdateRecentMenu() {
  ClearRecentMenu();
  if (!recentMenu_) return;
  if (strings_->Count() > 0 && recentMenu_->Count() > 0) {
    auto* line = new TMenuItem(nullptr);
    line->SetCaption("-");
    AddMenuItem(line);
  }
  for (int i = 0; i < strings_->Count(); ++i) {
    if (separateSize_ != 0 && i > 0 && i % separateSize_ == 0) {
      auto* line = new TMenuItem(nullptr);
      line->SetCaption("-");
      AddMenuItem(line);
    }
    AnsiString caption = strings_->Strings(i);
    TShortCut shortCut = scNone;
    int userData = AsInt(strings_->Objects(i));
    DoGetItemData(caption, shortCut, userData);
    if (showAccelChar_) {
      unsigned k = static_cast<unsigned>(i) + startAccel_;
      caption = AccelText(k) + (accelDelimiter_ == adTab ? '\t' : ' ') + caption;
    }
    auto* item = new TMenuItem(nullptr);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->SetEnabled(true);
    item->SetChecked(false);
    item->SetHelpContext(0);
    item->OnClick = [this](TObject* s) { Click(s); };
    item->SetTag(i);
    AddMenuItem(item);
  }
  EnableRecentMenu();
}

void TMRUManager::ClearRecentMenu() {
  // Membership is tested by pointer in the menu's own list: an item not found there
  // is not ours to touch.
  for (auto it = items_.rbegin(); it != items_.rend(); ++it) {
    TMenuItem* item = *it;
    if (recentMenu_ && recentMenu_->IndexOf(item) >= 0) {
      item->RemoveFreeNotification(this);
      item->Free();
    } else {
      // Alive (free notices drop dead ones), but no longer under our menu.
      item->RemoveFreeNotification(this);
    }
  }
  items_.clear();
  EnableRecentMenu();
}

void TMRUManager::Click(TObject* sender) {
  auto* item = dynamic_cast<TMenuItem*>(sender);
  if (!item || !OnClick) return;
  int i = item->Tag();
  if (i >= 0 && i < strings_->Count())
    OnClick(this, strings_->Strings(i), item->Caption(), AsInt(strings_->Objects(i)));
}

void TMRUManager::SetRecentMenu(TMenuItem* m) {
  if (m == recentMenu_) return;
  ClearRecentMenu();
  if (recentMenu_) recentMenu_->RemoveFreeNotification(this);
  recentMenu_ = m;
  if (m) m->FreeNotification(this);
  UpdateRecentMenu();
}

void TMRUManager::SetAccelDelimiter(TAccelDelimiter d) {
  if (d == accelDelimiter_) return;
  accelDelimiter_ = d;
  if (autoUpdate_ && showAccelChar_) UpdateRecentMenu();
}

void TMRUManager::SetAutoEnable(bool v) {
  if (v == autoEnable_) return;
  autoEnable_ = v;
  if (v) EnableRecentMenu();
}

void TMRUManager::SetSeparateSize(uint16_t n) {
  if (n == separateSize_) return;
  separateSize_ = n;
  if (autoUpdate_) UpdateRecentMenu();
}

void TMRUManager::SetShowAccelChar(bool v) {
  if (v == showAccelChar_) return;
  showAccelChar_ = v;
  if (autoUpdate_) UpdateRecentMenu();
}

void TMRUManager::SetStartAccel(unsigned n) {
  if (n == startAccel_) return;
  startAccel_ = n;
  if (autoUpdate_) UpdateRecentMenu();
}

void TMRUManager::DoGetItemData(AnsiString& caption, TShortCut& shortCut, int userData) {
  if (OnGetItemData) OnGetItemData(this, caption, shortCut, userData);
}

void TMRUManager::DoReadItem(TObject* store, const AnsiString& section, int index, AnsiString& name, int& userData) {
  if (OnReadItem)
    OnReadItem(this, store, section, index, name, userData);
  else
    name = StoredRecentName(StorageReadString(store, section, Format("Item_%d", index), AnsiString()));
}

void TMRUManager::DoWriteItem(TObject* store, const AnsiString& section, int index, const AnsiString& name,
                              int userData) {
  if (OnWriteItem)
    OnWriteItem(this, store, section, index, name, userData);
  else
    StorageWriteString(store, section, Format("Item_%d", index), name);
}

void TMRUManager::SaveToIni(TObject* store, const AnsiString& section) {
  StorageEraseSection(store, section);
  for (int i = 0; i < strings_->Count(); ++i)
    DoWriteItem(store, section, i, strings_->Strings(i), AsInt(strings_->Objects(i)));
}

void TMRUManager::LoadFromIni(TObject* store, const AnsiString& section) {
  strings_->BeginUpdate();
  auto cleanup = OnScopeExit([&] { strings_->EndUpdate(); });
  strings_->Clear();
  for (int n = strings_->MaxSize() - 1; n >= 0; --n) {
    AnsiString name;
    int userData = 0;
    DoReadItem(store, section, n, name, userData);
    if (!name.empty()) strings_->AddObject(name, AsObject(userData));
  }
}

void TMRUManager::IniSave(TObject*) {
  TCustomIniFile* store = iniLink_->CurrentStorage();
  if (Name().empty() || !store) return;
  SaveToIni(store, DefaultStorageSection(this));
}

void TMRUManager::IniLoad(TObject*) {
  TCustomIniFile* store = iniLink_->CurrentStorage();
  if (Name().empty() || !store) return;
  LoadFromIni(store, DefaultStorageSection(this));
}

}  // namespace vx
