#include "toolkit/Placemnt.h"

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "toolkit/AppUtils.h"
#include "toolkit/ZXProps.h"

namespace vx {

namespace {

// Called inside a catch block: the application's handler shows the exception.
void ReportException(TObject* sender = nullptr) {
  if (Application) Application->HandleException(sender);
}

}  // namespace

const TTypeInfo* TypeInfoPlacementOptions() {
  static const TTypeInfo* t =
      SetTypeInfo("TPlacementOptions", EnumTypeInfo("TPlacementOption", {"fpState", "fpPosition", "fpActiveControl"}));
  return t;
}

// ---- TWinMinMaxInfo -----------------------------------------------------------------

LONG* TWinMinMaxInfo::Field(int index) {
  switch (index) {
    case 0: return &info_.ptMaxPosition.x;
    case 1: return &info_.ptMaxPosition.y;
    case 2: return &info_.ptMaxSize.y;
    case 3: return &info_.ptMaxSize.x;
    case 4: return &info_.ptMaxTrackSize.y;
    case 5: return &info_.ptMaxTrackSize.x;
    case 6: return &info_.ptMinTrackSize.y;
    case 7: return &info_.ptMinTrackSize.x;
    default: return nullptr;
  }
}

int TWinMinMaxInfo::GetMinMaxInfo(int index) const {
  LONG* f = const_cast<TWinMinMaxInfo*>(this)->Field(index);
  return f ? static_cast<int>(*f) : 0;
}

void TWinMinMaxInfo::SetMinMaxInfo(int index, int value) {
  LONG* f = Field(index);
  if (!f || *f == value) return;
  *f = value;
  if (owner_) owner_->MinMaxInfoModified();
}

void TWinMinMaxInfo::Assign(const TPersistent& source) {
  if (auto* src = dynamic_cast<const TWinMinMaxInfo*>(&source)) {
    info_ = src->info_;
    if (owner_) owner_->MinMaxInfoModified();
    return;
  }
  TPersistent::Assign(source);
}

bool TWinMinMaxInfo::DefaultMinMaxInfo() const {
  for (int i = 0; i < 8; ++i)
    if (GetMinMaxInfo(i) != 0) return false;
  return true;
}

// ---- TIniLink -----------------------------------------------------------------------

TIniLink::~TIniLink() {
  OnSave = nullptr;
  OnLoad = nullptr;
  SetStorage(nullptr);
}

void TIniLink::SetStorage(TFormPlacement* value) {
  if (value == storage_) return;
  if (storage_) storage_->RemoveLink(this);
  if (value) value->AddLink(this);
}

TCustomIniFile* TIniLink::CurrentStorage() const { return storage_ ? storage_->CurrentStorage() : nullptr; }

void TIniLink::SaveToIni() {
  if (OnSave) OnSave(this);
}

void TIniLink::LoadFromIni() {
  if (OnLoad) OnLoad(this);
}

// ---- TFormPlacement -----------------------------------------------------------------

TFormPlacement::TFormPlacement(TComponent* owner) : TComponent(owner) {
  winHook_ = MakeComponent<TZxWindowHook>(nullptr);
  winHook_->AfterMessage = [this](TObject* s, TMessage& m, bool& h) { WndMessage(s, m, h); };
  minMaxInfo_ = std::make_unique<TWinMinMaxInfo>(this);
  if (dynamic_cast<TForm*>(owner)) options_ = TPlacementOptions{fpState, fpPosition};
}

TFormPlacement::~TFormPlacement() {
  while (!links_.empty()) RemoveLink(links_.back());
  winHook_->AfterMessage = nullptr;
  winHook_->SetWinControl(nullptr);
  winHook_.reset();
  // A form being destroyed has run its handlers already and lets its components go.
  if (Form() && !Form()->Destroying()) UnchainFormEvents();
}

TForm* TFormPlacement::Form() const { return dynamic_cast<TForm*>(Owner()); }

// A form built in code is "loading" until it is complete: its window is not made early
// for the hook, and Loaded switches the hook once.
bool TFormPlacement::IsLoading() const {
  if (ComponentState().Contains(csLoading)) return true;
  TForm* form = Form();
  return form && !form->Constructed();
}

AnsiString TFormPlacement::GetIniFileName() const {
  if (!iniFileName_.empty()) return iniFileName_;
  return useRegistry_ ? DefaultRegistryKey() : DefaultIniFileName();
}

AnsiString TFormPlacement::GetIniSection() const {
  if (!iniSection_.empty()) return iniSection_;
  // Kept from while the form was whole: during its destruction it no longer knows its
  // own class name.
  TForm* form = Form();
  if (form && !form->Destroying()) defaultSection_ = DefaultStorageSection(form);
  return defaultSection_;
}

TCustomIniFile* TFormPlacement::CurrentStorage() const {
  if (useRegistry_) return regIniFile_.get();
  return iniFile_.get();
}

void TFormPlacement::AddLink(TIniLink* link) {
  if (!link) return;
  if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
  link->storage_ = this;
}

void TFormPlacement::RemoveLink(TIniLink* link) {
  if (!link) return;
  links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
  if (link->storage_ == this) link->storage_ = nullptr;
}

void TFormPlacement::Loaded() {
  TComponent::Loaded();
  if (!Form()) return;
  ChainFormEvents();
  UpdateWindowHook();
}

void TFormPlacement::ChainFormEvents() {
  TForm* form = Form();
  if (!form || chained_) return;
  saveFormShow_ = form->OnShow;
  saveFormCloseQuery_ = form->OnCloseQuery;
  saveFormDestroy_ = form->OnDestroy;
  form->OnShow = [this](TObject* s) { FormShow(s); };
  form->OnCloseQuery = [this](TObject* s, bool& can) { FormCloseQuery(s, can); };
  form->OnDestroy = [this](TObject* s) { FormDestroy(s); };
  chained_ = true;
  defMaximize_ = form->BorderIcons().Contains(biMaximize);
  if (preventResize_) ApplyPreventResize();
}

void TFormPlacement::UnchainFormEvents() {
  TForm* form = Form();
  if (!form || !chained_) return;
  form->OnShow = saveFormShow_;
  form->OnCloseQuery = saveFormCloseQuery_;
  form->OnDestroy = saveFormDestroy_;
  chained_ = false;
}

void TFormPlacement::FormShow(TObject* sender) {
  if (active_) {
    try {
      RestoreFromStorage();
    } catch (...) {
      ReportException(this);
    }
  }
  if (saveFormShow_) saveFormShow_(sender);
}

void TFormPlacement::FormCloseQuery(TObject* sender, bool& canClose) {
  if (saveFormCloseQuery_) saveFormCloseQuery_(sender, canClose);
  if (canClose && active_) {
    try {
      SaveToStorage();
    } catch (...) {
      ReportException(this);
    }
  }
}

void TFormPlacement::FormDestroy(TObject* sender) {
  if (active_ && !saved_) {
    try {
      SaveToStorage();
    } catch (...) {
      ReportException(this);
    }
  }
  if (saveFormDestroy_) saveFormDestroy_(sender);
}

void TFormPlacement::OpenStore() {
  if (useRegistry_)
    regIniFile_ = std::make_unique<TRegIniFile>(GetIniFileName());
  else
    iniFile_ = std::make_unique<TIniFile>(GetIniFileName());
}

void TFormPlacement::CloseStore() {
  regIniFile_.reset();
  iniFile_.reset();
}

void TFormPlacement::SaveToStorage() {
  // A form that was never restored must not overwrite what is stored.
  if (!restored_ && active_) return;
  auto cleanup = OnScopeExit([&] { CloseStore(); });
  OpenStore();
  SavePlacement();
  Save();
  // An INI file takes what was written when it is put in place: a failure is reported.
  if (iniFile_) iniFile_->UpdateFile();
  saved_ = true;
}

void TFormPlacement::RestoreFromStorage() {
  saved_ = false;
  {
    auto cleanup = OnScopeExit([&] { CloseStore(); });
    OpenStore();
    RestorePlacement();
    restored_ = true;
    Restore();
    TForm* form = Form();
    if (form && options_.Contains(fpActiveControl)) {
      AnsiString name = StorageReadString(CurrentStorage(), GetIniSection(), "ActiveControl", AnsiString());
      auto* control = dynamic_cast<TWinControl*>(form->FindComponent(name));
      if (!name.empty() && control && control->CanFocus()) form->SetActiveControl(control);
    }
  }
  UpdatePlacement();
}

void TFormPlacement::Save() {
  if (OnSavePlacement) OnSavePlacement(this);
}

void TFormPlacement::Restore() {
  if (OnRestorePlacement) OnRestorePlacement(this);
}

void TFormPlacement::SavePlacement() {
  TForm* form = Form();
  if (!form) return;
  AnsiString section = GetIniSection();
  SaveFormWindowState(form, CurrentStorage(), section);
  if (options_.Contains(fpActiveControl) && form->ActiveControl())
    StorageWriteString(CurrentStorage(), section, "ActiveControl", form->ActiveControl()->Name());
  std::vector<TIniLink*> links = links_;
  for (TIniLink* l : links) l->SaveToIni();
}

void TFormPlacement::RestorePlacement() {
  TForm* form = Form();
  if (!form) return;
  LoadFormWindowState(form, CurrentStorage(), GetIniSection(), options_.Contains(fpPosition),
                      options_.Contains(fpState));
  std::vector<TIniLink*> links = links_;
  for (TIniLink* l : links) l->LoadFromIni();
}

void TFormPlacement::UpdatePlacement() {
  TForm* form = Form();
  if (!form || !form->HandleAllocated() || IsLoading() || preventResize_ || !minMaxInfo_->DefaultMinMaxInfo()) return;
  // The MDI client places a maximised child itself, with its caption beyond the client's
  // top; re-applying the record with a position that leaves the caption in view would
  // maximise it again as a window that runs past the frame.
  if (form->FormStyle() == fsMDIChild) return;
  HWND wnd = form->Handle();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(wnd, &wp);
  if (!IsWindowVisible(wnd)) wp.showCmd = SW_HIDE;
  POINT pos{0, 0};
  switch (form->BorderStyle()) {
    case bsNone: break;
    case bsSingle:
    case bsToolWindow: pos = POINT{-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)}; break;
    case bsSizeable:
    case bsSizeToolWin: pos = POINT{-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)}; break;
    case bsDialog: pos = POINT{-GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME)}; break;
  }
  wp.ptMaxPosition = pos;
  SetWindowPlacement(wnd, &wp);
}

void TFormPlacement::UpdateWindowHook() {
  TForm* form = Form();
  if (!form) return;
  if (!minMaxInfo_->DefaultMinMaxInfo() || preventResize_) {
    winHook_->SetWinControl(form);
    winHook_->SetActive(true);
  } else {
    winHook_->SetActive(false);
  }
}

void TFormPlacement::MinMaxInfoModified() {
  UpdatePlacement();
  if (!IsLoading()) UpdateWindowHook();
}

void TFormPlacement::SetPreventResize(bool value) {
  if (!Form() || value == preventResize_) return;
  preventResize_ = value;
  UpdatePlacement();
  ApplyPreventResize();
}

void TFormPlacement::ApplyPreventResize() {
  TForm* form = Form();
  if (!form) return;
  if (preventResize_) defMaximize_ = form->BorderIcons().Contains(biMaximize);
  bool wasActive = active_;
  active_ = false;  // re-creating the window must not restore or save meanwhile
  {
    auto cleanup = OnScopeExit([&] { active_ = wasActive; });
    TBorderIcons icons = form->BorderIcons();
    if (!preventResize_ && defMaximize_ && form->BorderStyle() != bsDialog)
      icons.Include(biMaximize);
    else
      icons.Exclude(biMaximize);
    form->SetBorderIcons(icons);
  }
  if (!IsLoading()) UpdateWindowHook();
}

void TFormPlacement::WndMessage(TObject*, TMessage& msg, bool&) {
  TForm* form = Form();
  if (!form) return;
  if (preventResize_) {
    switch (msg.Msg) {
      case WM_GETMINMAXINFO: {
        auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.LParam);
        mmi->ptMinTrackSize = POINT{form->Width(), form->Height()};
        mmi->ptMaxTrackSize = POINT{form->Width(), form->Height()};
        msg.Result = 1;
        break;
      }
      case WM_NCHITTEST:
        if (msg.Result >= HTLEFT && msg.Result <= HTBOTTOMRIGHT) msg.Result = HTNOWHERE;
        break;
      case WM_INITMENUPOPUP:
        if (HIWORD(msg.LParam)) {
          HMENU menu = reinterpret_cast<HMENU>(msg.WParam);
          if (form->Menu()) form->Menu()->DispatchPopup(menu);
          EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
          EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
          msg.Result = 1;
        }
        break;
      default: break;
    }
    return;
  }
  if (msg.Msg != WM_GETMINMAXINFO) return;
  auto* mmi = reinterpret_cast<MINMAXINFO*>(msg.LParam);
  const TWinMinMaxInfo& mm = *minMaxInfo_;
  if (!mm.DefaultMinMaxInfo()) {
    if (mm.MinTrackWidth()) mmi->ptMinTrackSize.x = mm.MinTrackWidth();
    if (mm.MinTrackHeight()) mmi->ptMinTrackSize.y = mm.MinTrackHeight();
    if (mm.MaxTrackWidth()) mmi->ptMaxTrackSize.x = mm.MaxTrackWidth();
    if (mm.MaxTrackHeight()) mmi->ptMaxTrackSize.y = mm.MaxTrackHeight();
    if (mm.MaxSizeWidth()) mmi->ptMaxSize.x = mm.MaxSizeWidth();
    if (mm.MaxSizeHeight()) mmi->ptMaxSize.y = mm.MaxSizeHeight();
    if (mm.MaxPosLeft()) mmi->ptMaxPosition.x = mm.MaxPosLeft();
    if (mm.MaxPosTop()) mmi->ptMaxPosition.y = mm.MaxPosTop();
  } else {
    mmi->ptMaxPosition = POINT{0, 0};
  }
  msg.Result = 1;
}

// ---- TFormStorage -------------------------------------------------------------------

TFormStorage::TFormStorage(TComponent* owner) : TFormPlacement(owner), storedProps_(std::make_unique<TStringList>()) {}

TFormStorage::~TFormStorage() = default;

void TFormStorage::SetStoredProps(const TStrings& value) {
  storedProps_->Assign(value);
  WatchStoredComponents();
}

void TFormStorage::Loaded() {
  TFormPlacement::Loaded();
  UpdateStoredList(Form(), storedProps_.get(), suResolve);
  WatchStoredComponents();
}

// Removal notices for every component a line names, so its lines go with it.
void TFormStorage::WatchStoredComponents() {
  for (int i = 0; i < storedProps_->Count(); ++i)
    if (auto* c = dynamic_cast<TComponent*>(storedProps_->Objects(i))) c->FreeNotification(this);
}

void TFormStorage::Notification(TComponent* component, TOperation operation) {
  TFormPlacement::Notification(component, operation);
  if (operation != opRemove || !component || ComponentState().Contains(csDestroying) || !storedProps_) return;
  for (int i = storedProps_->Count() - 1; i >= 0; --i)
    if (storedProps_->Objects(i) == component) storedProps_->Delete(i);
}

// Lines added after the form was loaded have no component yet: find it by name.
void TFormStorage::AttachStoredComponents() {
  TForm* form = Form();
  if (!form) return;
  for (int i = storedProps_->Count() - 1; i >= 0; --i) {
    if (storedProps_->Objects(i)) continue;
    AnsiString comp, prop;
    if (!ParseStoredItem(storedProps_->Strings(i), comp, prop)) continue;
    for (int c = 0; c < form->ComponentCount(); ++c) {
      TComponent* k = form->Components(c);
      if (AnsiCompareText(k->Name(), comp) == 0) {
        storedProps_->SetObjects(i, k);
        k->FreeNotification(this);
        break;
      }
    }
  }
}

void TFormStorage::SavePlacement() {
  TFormPlacement::SavePlacement();
  AttachStoredComponents();
  TPropsStorage storage;
  storage.Section = GetIniSection();
  TCustomIniFile* store = CurrentStorage();
  storage.OnWriteString = [store](const AnsiString& s, const AnsiString& k, const AnsiString& v) {
    StorageWriteString(store, s, k, v);
  };
  storage.OnEraseSection = [store](const AnsiString& s) { StorageEraseSection(store, s); };
  storage.StoreProperties(Form(), storedProps_.get());
}

void TFormStorage::RestorePlacement() {
  TFormPlacement::RestorePlacement();
  restored_ = true;
  try {
    AttachStoredComponents();
    TPropsStorage storage;
    storage.Section = GetIniSection();
    TCustomIniFile* store = CurrentStorage();
    storage.OnReadString = [store](const AnsiString& s, const AnsiString& k, const AnsiString& d) {
      return StorageReadString(store, s, k, d);
    };
    storage.LoadProperties(Form(), storedProps_.get());
  } catch (...) {
    // Stored properties that cannot be read leave the form as it is.
  }
}

// Published properties, as the type information lists them.
VX_PUBLISH(TWinMinMaxInfo, TObject) {
  P.Int("MaxPosLeft", &TWinMinMaxInfo::MaxPosLeft, &TWinMinMaxInfo::SetMaxPosLeft)
      .Int("MaxPosTop", &TWinMinMaxInfo::MaxPosTop, &TWinMinMaxInfo::SetMaxPosTop)
      .Int("MaxSizeHeight", &TWinMinMaxInfo::MaxSizeHeight, &TWinMinMaxInfo::SetMaxSizeHeight)
      .Int("MaxSizeWidth", &TWinMinMaxInfo::MaxSizeWidth, &TWinMinMaxInfo::SetMaxSizeWidth)
      .Int("MaxTrackHeight", &TWinMinMaxInfo::MaxTrackHeight, &TWinMinMaxInfo::SetMaxTrackHeight)
      .Int("MaxTrackWidth", &TWinMinMaxInfo::MaxTrackWidth, &TWinMinMaxInfo::SetMaxTrackWidth)
      .Int("MinTrackHeight", &TWinMinMaxInfo::MinTrackHeight, &TWinMinMaxInfo::SetMinTrackHeight)
      .Int("MinTrackWidth", &TWinMinMaxInfo::MinTrackWidth, &TWinMinMaxInfo::SetMinTrackWidth);
}

VX_PUBLISH(TFormPlacement, TComponent) {
  P.Bool("Active", &TFormPlacement::Active, &TFormPlacement::SetActive)
      .Str("IniFileName", &TFormPlacement::IniFileName, &TFormPlacement::SetIniFileName)
      .Str("IniSection", &TFormPlacement::IniSection, &TFormPlacement::SetIniSection)
      .Object("MinMaxInfo", &TFormPlacement::MinMaxInfo)
      .Set("Options", TypeInfoPlacementOptions(), &TFormPlacement::Options, &TFormPlacement::SetOptions)
      .Bool("PreventResize", &TFormPlacement::PreventResize, &TFormPlacement::SetPreventResize)
      .Bool("UseRegistry", &TFormPlacement::UseRegistry, &TFormPlacement::SetUseRegistry)
      .Method("OnSavePlacement")
      .Method("OnRestorePlacement");
}

VX_PUBLISH(TFormStorage, TFormPlacement) { P.Object("StoredProps", &TFormStorage::StoredProps); }

}  // namespace vx
