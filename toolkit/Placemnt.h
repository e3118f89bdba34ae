// A form that comes back where the user left it: the placement component restores the
// window's placement, state and chosen properties when the form is shown and writes them
// when it may close (and when it is destroyed without a save since the last restore).
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Component.h"
#include "framework/core/TypInfo.h"
#include "framework/win/Forms.h"
#include "framework/win/IniFiles.h"
#include "toolkit/ZxHook.h"

namespace vx {

class TForm;
class TFormPlacement;

enum TPlacementOption { fpState, fpPosition, fpActiveControl };
using TPlacementOptions = TSet<TPlacementOption>;
const TTypeInfo* TypeInfoPlacementOptions();

// Tracking and maximised-size limits of a form; 0 means "not set".
class TWinMinMaxInfo : public TPersistent {
 public:
  explicit TWinMinMaxInfo(TFormPlacement* owner) : owner_(owner) {}
  const char* ClassName() const override { return "TWinMinMaxInfo"; }
  void Assign(const TPersistent& source) override;

  // By index: 0 MaxPosLeft, 1 MaxPosTop, 2 MaxSizeHeight, 3 MaxSizeWidth, 4 MaxTrackHeight,
  // 5 MaxTrackWidth, 6 MinTrackHeight, 7 MinTrackWidth.
  int GetMinMaxInfo(int index) const;
  void SetMinMaxInfo(int index, int value);

  int MaxPosLeft() const { return GetMinMaxInfo(0); }
  void SetMaxPosLeft(int v) { SetMinMaxInfo(0, v); }
  int MaxPosTop() const { return GetMinMaxInfo(1); }
  void SetMaxPosTop(int v) { SetMinMaxInfo(1, v); }
  int MaxSizeHeight() const { return GetMinMaxInfo(2); }
  void SetMaxSizeHeight(int v) { SetMinMaxInfo(2, v); }
  int MaxSizeWidth() const { return GetMinMaxInfo(3); }
  void SetMaxSizeWidth(int v) { SetMinMaxInfo(3, v); }
  int MaxTrackHeight() const { return GetMinMaxInfo(4); }
  void SetMaxTrackHeight(int v) { SetMinMaxInfo(4, v); }
  int MaxTrackWidth() const { return GetMinMaxInfo(5); }
  void SetMaxTrackWidth(int v) { SetMinMaxInfo(5, v); }
  int MinTrackHeight() const { return GetMinMaxInfo(6); }
  void SetMinTrackHeight(int v) { SetMinMaxInfo(6, v); }
  int MinTrackWidth() const { return GetMinMaxInfo(7); }
  void SetMinTrackWidth(int v) { SetMinMaxInfo(7, v); }

  bool DefaultMinMaxInfo() const;  // all eight values 0
  const MINMAXINFO& Info() const { return info_; }

 private:
  LONG* Field(int index);
  TFormPlacement* owner_;
  MINMAXINFO info_{};
};

// The link through which another component saves and loads its own values while a
// placement's store is open.
class TIniLink : public TPersistent {
 public:
  TIniLink() = default;
  ~TIniLink() override;
  const char* ClassName() const override { return "TIniLink"; }

  TFormPlacement* Storage() const { return storage_; }
  void SetStorage(TFormPlacement* value);
  // The placement's open store, or nullptr outside a save or restore.
  TCustomIniFile* CurrentStorage() const;

  TNotifyEvent OnSave;
  TNotifyEvent OnLoad;
  virtual void SaveToIni();
  virtual void LoadFromIni();

 private:
  friend class TFormPlacement;
  TFormPlacement* storage_ = nullptr;
};

class TFormPlacement : public TComponent {
 public:
  explicit TFormPlacement(TComponent* owner);
  const char* ClassName() const override { return "TFormPlacement"; }

  bool Active() const { return active_; }
  void SetActive(bool v) { active_ = v; }
  AnsiString IniFileName() const { return iniFileName_; }
  void SetIniFileName(const AnsiString& v) { iniFileName_ = v; }
  // The effective store name: IniFileName, or the program's default key or INI file.
  AnsiString GetIniFileName() const;
  AnsiString IniSection() const { return iniSection_; }
  void SetIniSection(const AnsiString& v) { iniSection_ = v; }
  // The effective section: IniSection, or the owner form's default section.
  AnsiString GetIniSection() const;
  TWinMinMaxInfo* MinMaxInfo() const { return minMaxInfo_.get(); }
  void SetMinMaxInfo(const TWinMinMaxInfo& v) { minMaxInfo_->Assign(v); }
  TPlacementOptions Options() const { return options_; }
  void SetOptions(TPlacementOptions v) { options_ = v; }
  bool PreventResize() const { return preventResize_; }
  void SetPreventResize(bool v);
  bool UseRegistry() const { return useRegistry_; }
  void SetUseRegistry(bool v) { useRegistry_ = v; }

  TNotifyEvent OnSavePlacement;
  TNotifyEvent OnRestorePlacement;

  void SaveToStorage();
  void RestoreFromStorage();
  // The open registry store with UseRegistry, else the open INI store; nullptr outside
  // a save or restore.
  TCustomIniFile* CurrentStorage() const;
  void AddLink(TIniLink* link);
  void RemoveLink(TIniLink* link);

  void UpdatePlacement();
  void MinMaxInfoModified();
  bool Saved() const { return saved_; }
  bool Restored() const { return restored_; }
  TZxWindowHook* WindowHook() const { return winHook_.get(); }
  TForm* Form() const;

  void Loaded() override;

 protected:
  virtual void SavePlacement();
  virtual void RestorePlacement();
  virtual void Save();
  virtual void Restore();
  void ChainFormEvents();
  void UnchainFormEvents();
  void UpdateWindowHook();
  void ApplyPreventResize();
  bool IsLoading() const;

  bool restored_ = false;

 private:
  void FormShow(TObject* sender);
  void FormCloseQuery(TObject* sender, bool& canClose);
  void FormDestroy(TObject* sender);
  void WndMessage(TObject* sender, TMessage& msg, bool& handled);
  void OpenStore();
  void CloseStore();

  bool active_ = true;
  AnsiString iniFileName_;
  AnsiString iniSection_;
  mutable AnsiString defaultSection_;
  std::unique_ptr<TIniFile> iniFile_;
  bool useRegistry_ = false;
  std::unique_ptr<TRegIniFile> regIniFile_;
  std::vector<TIniLink*> links_;
  TPlacementOptions options_;
  bool saved_ = false;
  bool preventResize_ = false;
  std::unique_ptr<TWinMinMaxInfo> minMaxInfo_;
  bool defMaximize_ = false;
  TComponentPtr<TZxWindowHook> winHook_;
  bool chained_ = false;
  TNotifyEvent saveFormShow_;
  TCloseQueryEvent saveFormCloseQuery_;
  TNotifyEvent saveFormDestroy_;

 protected:
  ~TFormPlacement() override;
};

// A placement that also keeps chosen published properties of the form's components:
// one line per property, "Component.Property".
class TFormStorage : public TFormPlacement {
 public:
  explicit TFormStorage(TComponent* owner);
  const char* ClassName() const override { return "TFormStorage"; }

  TStrings* StoredProps() const { return storedProps_.get(); }
  void SetStoredProps(const TStrings& value);

  void Loaded() override;

 protected:
  void Notification(TComponent* component, TOperation operation) override;
  void SavePlacement() override;
  void RestorePlacement() override;

 private:
  void AttachStoredComponents();
  void WatchStoredComponents();
  std::unique_ptr<TStringList> storedProps_;

 protected:
  ~TFormStorage() override;
};

}  // namespace vx
