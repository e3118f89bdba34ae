// The recent-files list: a bounded list of names, most recent first, each with a user
// value; shown as numbered items under a menu item and kept in the form storage.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Component.h"
#include "framework/win/Menus.h"
#include "toolkit/Placemnt.h"

namespace vx {

// A string list that keeps at most MaxSize entries, each name once (ignoring case);
// every added name goes to the top.
class TRecentStrings : public TStringList {
 public:
  TRecentStrings() = default;
  const char* ClassName() const override { return "TRecentStrings"; }
  int MaxSize() const { return maxSize_; }
  void SetMaxSize(int n);
  // Always 0: the name's place. An entry equal to it moves up, keeping its own text.
  int Add(const AnsiString& s) override;
  int AddObject(const AnsiString& s, TObject* o) override;
  // The first MaxSize entries of the source end up on top, in the source's order.
  void AddStrings(const TStrings& source) override;

 private:
  int AddEntry(const AnsiString& s, TObject* o, bool withObject);
  int maxSize_ = 10;
};

enum TAccelDelimiter { adTab, adSpace };

using TClickMenuEvent =
    std::function<void(TObject* Sender, const AnsiString& RecentName, const AnsiString& Caption, int UserData)>;
using TGetItemEvent = std::function<void(TObject* Sender, AnsiString& Caption, TShortCut& ShortCut, int UserData)>;
using TReadItemEvent = std::function<void(TObject* Sender, TObject* IniFile, const AnsiString& Section, int Index,
                                          AnsiString& RecentName, int& UserData)>;
using TWriteItemEvent = std::function<void(TObject* Sender, TObject* IniFile, const AnsiString& Section, int Index,
                                           const AnsiString& RecentName, int UserData)>;

class TMRUManager : public TComponent {
 public:
  explicit TMRUManager(TComponent* owner);
  const char* ClassName() const override { return "TMRUManager"; }

  TRecentStrings* Strings() const { return strings_.get(); }
  // Puts the name on top with this user value.
  void Add(const AnsiString& name, int userData);
  virtual void Click(TObject* sender);
  void UpdateRecentMenu();
  void ClearRecentMenu();
  void SaveToIni(TObject* store, const AnsiString& section);
  void LoadFromIni(TObject* store, const AnsiString& section);

  TAccelDelimiter AccelDelimiter() const { return accelDelimiter_; }
  void SetAccelDelimiter(TAccelDelimiter d);
  bool AutoEnable() const { return autoEnable_; }
  void SetAutoEnable(bool v);
  bool AutoUpdate() const { return autoUpdate_; }
  void SetAutoUpdate(bool v) { autoUpdate_ = v; }
  int Capacity() const { return strings_->MaxSize(); }
  void SetCapacity(int n) { strings_->SetMaxSize(n); }
  TFormPlacement* IniStorage() const { return iniLink_->Storage(); }
  void SetIniStorage(TFormPlacement* p) { iniLink_->SetStorage(p); }
  uint16_t SeparateSize() const { return separateSize_; }
  void SetSeparateSize(uint16_t n);
  TMenuItem* RecentMenu() const { return recentMenu_; }
  void SetRecentMenu(TMenuItem* m);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  unsigned StartAccel() const { return startAccel_; }
  void SetStartAccel(unsigned n);

  // The accelerator text of entry number k (StartAccel counted in).
  static AnsiString AccelText(unsigned k);

  TClickMenuEvent OnClick;
  TGetItemEvent OnGetItemData;
  TReadItemEvent OnReadItem;
  TWriteItemEvent OnWriteItem;

 protected:
  void Notification(TComponent* c, TOperation op) override;
  void BeforeDestruction() override;
  virtual void DoReadItem(TObject* store, const AnsiString& section, int index, AnsiString& name, int& userData);
  virtual void DoWriteItem(TObject* store, const AnsiString& section, int index, const AnsiString& name, int userData);
  virtual void DoGetItemData(AnsiString& caption, TShortCut& shortCut, int userData);

 private:
  void ListChanged(TObject*);
  void AddMenuItem(TMenuItem* item);
  void EnableRecentMenu();
  void IniSave(TObject*);
  void IniLoad(TObject*);

  std::unique_ptr<TRecentStrings> strings_;
  std::vector<TMenuItem*> items_;
  std::unique_ptr<TIniLink> iniLink_;
  TAccelDelimiter accelDelimiter_ = adTab;
  bool autoEnable_ = true, autoUpdate_ = true, showAccelChar_ = true;
  uint16_t separateSize_ = 0;
  TMenuItem* recentMenu_ = nullptr;
  unsigned startAccel_ = 1;

 protected:
  ~TMRUManager() override;
};

}  // namespace vx
