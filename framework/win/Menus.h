// Menus: a tree of items built into HMENUs, main menus merged by group index into an
// MDI frame, popup menus, and short-cuts with their text ("Ctrl+N", "F5").
#pragma once

#include "framework/win/WinApi.h"

#include <memory>
#include <vector>

#include "framework/core/Component.h"

namespace vx {

VX_EXCEPTION(EMenuError, Exception);

// A short-cut: virtual key plus scShift/scCtrl/scAlt.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
TShortCut ShortCut(WORD key, bool shift, bool ctrl, bool alt);
AnsiString ShortCutToText(TShortCut sc);
TShortCut TextToShortCut(const AnsiString& text);
// The "&" accelerator of a caption, upper-cased; 0 when none.
char GetHotkey(const AnsiString& caption);
AnsiString StripHotkey(const AnsiString& caption);

class TMenu;
struct TMenuMeasure;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  const char* ClassName() const override { return "TMenuItem"; }

  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& c);
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut s);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool e);
  bool Checked() const { return checked_; }
  void SetChecked(bool c);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool r);
  bool Default() const { return default_; }
  void SetDefault(bool d);
  uint8_t GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(uint8_t g);
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& h) { hint_ = h; }
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int h) { helpContext_ = h; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int i) const;
  TMenuItem* operator[](int i) const { return Items(i); }
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const;
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  void Delete(int index);
  void Clear();  // frees every sub-item
  TMenuItem* Find(const AnsiString& caption) const;

  // The command number of the item in WM_COMMAND.
  UINT Command() const { return command_; }
  // The submenu of an item with sub-items (made on demand, kept while the item lives).
  HMENU Handle();
  // The menu this item belongs to (through its parents), or nullptr.
  TMenu* GetParentMenu() const;
  virtual void Click();
  // The text of the item's entry: the caption, then a tab and the short-cut's text.
  AnsiString EntryText() const;
  // Runs when the item's submenu opens (WM_INITMENUPOPUP): its OnClick.
  void InitiateAction() { Click(); }
  TNotifyEvent OnClick;
  // The measured columns of the item's drop-down (MenuDraw.h), dropped when a sub-item changes.
  TMenuMeasure* Measured() const { return measured_.get(); }
  void SetMeasured(std::unique_ptr<TMenuMeasure> m);

 protected:
  void BeforeDestruction() override;

 private:
  friend class TMenu;
  friend class TMainMenu;
  friend TMenuItem* FindMenuItemByHandle(HMENU);
  void Changed(bool structure);
  void SubItemsChanged(bool submenuChanged);
  void RebuildHandle();
  // The position of a visible sub-item's entry in the submenu.
  int EntryIndex(const TMenuItem* item) const;
  // Drop-down items are drawn by the program (MenuDraw.h); bar items by the platform.
  void AppendTo(HMENU m, bool inBar, int position = -1);
  // Sets the entry's state and text in place; false when the menu holds no entry of it.
  bool UpdateEntry(HMENU m, bool inBar);
  void FillEntry(MENUITEMINFOA& mi, AnsiString& text, bool inBar) const;
  AnsiString caption_;
  TShortCut shortCut_ = 0;
  bool enabled_ = true, checked_ = false, visible_ = true, radioItem_ = false, default_ = false;
  uint8_t groupIndex_ = 0;
  AnsiString hint_;
  int helpContext_ = 0;
  std::vector<TMenuItem*> items_;
  int visibleItems_ = 0;  // of items_, so that the last one's entry is found without a count
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  UINT command_ = 0;
  HMENU handle_ = nullptr;
  std::unique_ptr<TMenuMeasure> measured_;

 protected:
  ~TMenuItem() override;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  const char* ClassName() const override { return "TMenu"; }
  TMenuItem* Items() const { return items_; }
  virtual HMENU Handle();
  // Finds an enabled, visible item with the short-cut and clicks it.
  virtual bool IsShortCut(TShortCut sc);
  TMenuItem* FindItem(UINT value, bool byCommand);  // by command or by submenu handle
  // Dispatches WM_COMMAND / WM_INITMENUPOPUP for this menu's items.
  bool DispatchCommand(UINT command);
  bool DispatchPopup(HMENU submenu);
  // A window whose menu bar needs redrawing when items change.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND h) { window_ = h; }
  virtual void MenuChanged(TMenuItem* item, bool structure);
  TNotifyEvent OnChange;  // any item changed (the form redraws its bar)

 protected:
  void BeforeDestruction() override;
  TMenuItem* items_;
  HWND window_ = nullptr;

 protected:
  ~TMenu() override;
};

class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner);
  const char* ClassName() const override { return "TMainMenu"; }
  // The menu bar: own top items, and those of a merged menu: a merged item of a group
  // hides the own items of that group; the bar is ordered by group index.
  HMENU Handle() override;
  void Merge(TMainMenu* menu);
  void Unmerge(TMainMenu* menu);
  TMainMenu* Merged() const { return merged_; }
  bool AutoMerge() const { return autoMerge_; }
  void SetAutoMerge(bool v) { autoMerge_ = v; }
  void MenuChanged(TMenuItem* item, bool structure) override;
  // Short-cuts of the bar's items: own ones and the merged menu's.
  bool IsShortCut(TShortCut sc) override;
  // The visible top items in bar order.
  std::vector<TMenuItem*> BarItems() const;

 private:
  void RebuildBar();
  void BeforeDestruction() override;
  HMENU bar_ = nullptr;
  TMainMenu* merged_ = nullptr;
  TMainMenu* mergedInto_ = nullptr;
  bool autoMerge_ = false;

 protected:
  ~TMainMenu() override;
};

enum TPopupAlignment { paLeft, paRight, paCenter };

class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  const char* ClassName() const override { return "TPopupMenu"; }
  HMENU Handle() override;
  // Shows the menu at a screen point and clicks the chosen item (the application's
  // test seam can choose instead of the user).
  virtual void Popup(int x, int y);
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment a) { alignment_ = a; }
  TNotifyEvent OnPopup;

 private:
  TComponent* popupComponent_ = nullptr;
  bool autoPopup_ = true;
  TPopupAlignment alignment_ = paLeft;

 protected:
  ~TPopupMenu() override;
};

// The position of the entry with this command in a platform menu, -1 when none.
int MenuEntryPosition(HMENU m, UINT command);
// The item of any live menu with this command number.
TMenuItem* FindMenuItemByCommand(UINT command);
// The item behind a platform menu entry, known by its command and item data; nullptr for an
// entry that is not one of ours (the MDI client puts its own into the menu bar).
TMenuItem* MenuItemOfEntry(UINT command, ULONG_PTR data);
// The same for the entry at a position of a platform menu.
TMenuItem* MenuItemAt(HMENU m, int pos);
// The item of any live menu whose submenu is this HMENU.
TMenuItem* FindMenuItemByHandle(HMENU submenu);

}  // namespace vx
