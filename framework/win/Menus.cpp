#include "framework/win/Menus.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/MenuDraw.h"

namespace vx {

namespace {

std::map<UINT, TMenuItem*>& Commands() {
  static auto* m = new std::map<UINT, TMenuItem*>;  // outlives menus freed at program end
  return *m;
}

UINT NewCommand(TMenuItem* item) {
  static UINT next = 1;
  auto& m = Commands();
  // Numbers stay below 0xF000 (system commands) and 0xFF00 (MDI child windows).
  for (UINT tries = 0; tries < 0xEFFF; ++tries) {
    UINT id = next;
    next = next >= 0xEFFF ? 1 : next + 1;
    if (!m.count(id)) {
      m[id] = item;
      return id;
    }
  }
  throw EOutOfResources("Out of menu commands");
}

struct KeyName {
  WORD key;
  const char* name;
};
const KeyName keyNames[] = {
    {VK_BACK, "BkSp"},  {VK_TAB, "Tab"},     {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"}, {VK_SPACE, "Space"},
    {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},   {VK_END, "End"},      {VK_HOME, "Home"},  {VK_LEFT, "Left"},
    {VK_UP, "Up"},      {VK_RIGHT, "Right"}, {VK_DOWN, "Down"},    {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},
};

AnsiString KeyText(WORD key) {
  for (const KeyName& k : keyNames)
    if (k.key == key) return k.name;
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return AnsiString(1, static_cast<char>(key));
  char name[64];
  UINT scan = MapVirtualKeyA(key, 0);
  if (scan && GetKeyNameTextA(static_cast<LONG>(scan << 16), name, sizeof name) > 0) return name;
  return {};
}

}  // namespace

TShortCut ShortCut(WORD key, bool shift, bool ctrl, bool alt) {
  TShortCut s = key & 0xFF;
  if (shift) s |= scShift;
  if (ctrl) s |= scCtrl;
  if (alt) s |= scAlt;
  return s;
}

AnsiString ShortCutToText(TShortCut sc) {
  AnsiString name = KeyText(sc & 0xFF);
  if (name.empty()) return {};
  AnsiString s;
  if (sc & scShift) s += "Shift+";
  if (sc & scCtrl) s += "Ctrl+";
  if (sc & scAlt) s += "Alt+";
  return s + name;
}

TShortCut TextToShortCut(const AnsiString& text) {
  AnsiString t = text;
  TShortCut mods = 0;
  for (;;) {
    if (AnsiString(t, 0, 6) == "Shift+") {
      mods |= scShift;
      t.erase(0, 6);
    } else if (AnsiString(t, 0, 5) == "Ctrl+") {
      mods |= scCtrl;
      t.erase(0, 5);
    } else if (AnsiString(t, 0, 4) == "Alt+") {
      mods |= scAlt;
      t.erase(0, 4);
    } else
      break;
  }
  for (WORD k = 8; k < 255; ++k)
    if (!t.empty() && SameText(KeyText(k), t)) return mods | k;
  return 0;
}

char GetHotkey(const AnsiString& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

AnsiString StripHotkey(const AnsiString& caption) {
  AnsiString s;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    s += caption[i];
  }
  return s;
}

TMenuItem* FindMenuItemByCommand(UINT command) {
  auto& m = Commands();
  auto it = m.find(command);
  return it == m.end() ? nullptr : it->second;
}

TMenuItem* MenuItemOfEntry(UINT command, ULONG_PTR data) {
  TMenuItem* item = FindMenuItemByCommand(command);
  return item && reinterpret_cast<ULONG_PTR>(item) == data ? item : nullptr;
}

TMenuItem* MenuItemAt(HMENU m, int pos) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID | MIIM_DATA;
  return GetMenuItemInfoA(m, pos, TRUE, &info) ? MenuItemOfEntry(info.wID, info.dwItemData) : nullptr;
}

TMenuItem* FindMenuItemByHandle(HMENU submenu) {
  if (!submenu) return nullptr;
  for (auto& [id, item] : Commands())
    if (item->handle_ == submenu) return item;
  return nullptr;
}

// ---- TMenuItem ---------------------------------------------------------------------

VX_PUBLISH(TMenuItem, TComponent) {
  P.Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
      .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked)
      .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled)
      .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex)
      .Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
      .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut)
      .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible)
      .Method("OnClick");
}

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) { command_ = NewCommand(this); }

TMenuItem::~TMenuItem() = default;

void TMenuItem::BeforeDestruction() {
  if (Destroying()) return;
  TComponent::BeforeDestruction();
  if (parent_) parent_->Remove(this);
  Clear();
  Commands().erase(command_);
  if (handle_) {
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
    handle_ = nullptr;
  }
}

TMenuItem* TMenuItem::Items(int i) const {
  if (i < 0 || i >= Count()) throw EMenuError(Format("List index out of bounds (%d)", i));
  return items_[i];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

int TMenuItem::MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

// Our entries come first in a submenu, in item order; the MDI client appends its window
// list after them.
int TMenuItem::EntryIndex(const TMenuItem* item) const {
  // Filling and clearing a menu work at its end: answered there without counting from the
  // top, a fill of n items costs n steps, not n squared.
  if (!items_.empty() && items_.back() == item) return item->visible_ ? visibleItems_ - 1 : -1;
  int pos = 0;
  for (const TMenuItem* i : items_) {
    if (i == item) return pos;
    if (i->visible_) ++pos;
  }
  return -1;
}

// A sub-item added or removed changes its own entry only: rebuilding the whole submenu and
// the bar each time would make filling a menu of n items cost n squared.
void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->parent_) throw EMenuError("Menu inserted twice");
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  if (item->visible_) ++visibleItems_;
  if (handle_ && item->visible_) item->AppendTo(handle_, false, EntryIndex(item));
  SubItemsChanged(items_.size() == 1);
}

void TMenuItem::Remove(TMenuItem* item) {
  // From the end, where a menu is cleared.
  auto found = std::find(items_.rbegin(), items_.rend(), item);
  if (found == items_.rend()) return;
  int i = static_cast<int>(items_.rend() - found) - 1;
  bool stale = false;
  if (handle_ && item->visible_) {
    int pos = EntryIndex(item);
    if (MenuItemAt(handle_, pos) == item)
      RemoveMenu(handle_, pos, MF_BYPOSITION);
    else
      stale = true;
  }
  items_.erase(items_.begin() + i);
  item->parent_ = nullptr;
  if (item->visible_) --visibleItems_;
  if (stale) RebuildHandle();
  SubItemsChanged(items_.empty());
}

void TMenuItem::SubItemsChanged(bool submenuChanged) {
  if (Destroying()) return;
  measured_.reset();
  // The item's own entry holds its submenu: it changes when the first sub-item comes or
  // the last goes; otherwise the entries above (and the menu bar) stay as they are.
  if (!submenuChanged || !parent_) return;
  parent_->measured_.reset();
  if (parent_->handle_) parent_->RebuildHandle();
  if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, true);
}

void TMenuItem::SetMeasured(std::unique_ptr<TMenuMeasure> m) { measured_ = std::move(m); }

void TMenuItem::Delete(int index) {
  TMenuItem* item = Items(index);
  Remove(item);
}

void TMenuItem::Clear() {
  while (!items_.empty()) items_.back()->Free();
}

TMenuItem* TMenuItem::Find(const AnsiString& caption) const {
  AnsiString want = StripHotkey(caption);
  for (TMenuItem* i : items_)
    if (SameText(StripHotkey(i->caption_), want)) return i;
  return nullptr;
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

void TMenuItem::SetCaption(const AnsiString& c) {
  if (c != caption_) {
    caption_ = c;
    Changed(false);
  }
}
void TMenuItem::SetShortCut(TShortCut s) {
  if (s != shortCut_) {
    shortCut_ = s;
    Changed(false);
  }
}
void TMenuItem::SetEnabled(bool e) {
  if (e != enabled_) {
    enabled_ = e;
    Changed(false);
  }
}
void TMenuItem::SetVisible(bool v) {
  if (v != visible_) {
    visible_ = v;
    if (parent_) parent_->visibleItems_ += v ? 1 : -1;
    Changed(true);
  }
}
void TMenuItem::SetRadioItem(bool r) {
  if (r != radioItem_) {
    radioItem_ = r;
    Changed(false);
  }
}
void TMenuItem::SetDefault(bool d) {
  if (d != default_) {
    default_ = d;
    Changed(false);
  }
}
void TMenuItem::SetGroupIndex(uint8_t g) {
  if (g != groupIndex_) {
    groupIndex_ = g;
    Changed(true);
  }
}

void TMenuItem::SetChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  // A checked radio item unchecks the others of its group.
  if (c && radioItem_ && parent_)
    for (TMenuItem* s : parent_->items_)
      if (s != this && s->radioItem_ && s->groupIndex_ == groupIndex_ && s->checked_) {
        s->checked_ = false;
        s->Changed(false);
      }
  Changed(false);
}

void TMenuItem::Click() {
  if (OnClick && !Destroying()) OnClick(this);
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = CreatePopupMenu();
    RebuildHandle();
  }
  return handle_;
}

void TMenuItem::RebuildHandle() {
  if (!handle_) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  for (TMenuItem* i : items_) i->AppendTo(handle_, false);
}

int MenuEntryPosition(HMENU m, UINT command) {
  int n = GetMenuItemCount(m);
  for (int i = 0; i < n; ++i) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID;
    if (GetMenuItemInfoA(m, i, TRUE, &info) && info.wID == command) return i;
  }
  return -1;
}

AnsiString TMenuItem::EntryText() const {
  AnsiString text = caption_;
  if (shortCut_) text += "\t" + ShortCutToText(shortCut_);
  return text;
}

void TMenuItem::FillEntry(MENUITEMINFOA& mi, AnsiString& text, bool inBar) const {
  mi.cbSize = sizeof mi;
  mi.fMask |= MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA;
  mi.wID = command_;
  mi.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  if (IsLine()) {
    mi.fType = MFT_SEPARATOR;
  } else {
    mi.fMask |= MIIM_STRING;
    mi.fType = radioItem_ ? MFT_RADIOCHECK : 0;
    // Drop-down items draw themselves, so that captions and short-cuts keep their columns.
    if (!inBar) mi.fType |= MFT_OWNERDRAW;
  }
  mi.fState = (enabled_ ? MFS_ENABLED : MFS_GRAYED) | (checked_ ? MFS_CHECKED : 0) | (default_ ? MFS_DEFAULT : 0);
  text = EntryText();
  mi.dwTypeData = text.data();
}

void TMenuItem::AppendTo(HMENU m, bool inBar, int position) {
  if (!visible_) return;
  MENUITEMINFOA mi{};
  AnsiString text;
  mi.fMask = MIIM_SUBMENU;
  FillEntry(mi, text, inBar);
  mi.hSubMenu = items_.empty() ? nullptr : Handle();
  InsertMenuItemA(m, position < 0 ? GetMenuItemCount(m) : position, TRUE, &mi);
}

bool TMenuItem::UpdateEntry(HMENU m, bool inBar) {
  int pos = MenuEntryPosition(m, command_);
  if (pos < 0) return false;
  MENUITEMINFOA mi{};
  AnsiString text;
  FillEntry(mi, text, inBar);
  return SetMenuItemInfoA(m, pos, TRUE, &mi) != FALSE;
}

void TMenuItem::Changed(bool structure) {
  if (Destroying()) return;
  if (parent_) {
    parent_->measured_.reset();
    // A changed state or caption is set on the item's entry in place: rebuilt, a menu
    // that is open or being opened would lose what it shows, and the MDI client's own
    // entries (a maximised child's buttons, the child list) would go with it.
    if (parent_->handle_ && (structure || !UpdateEntry(parent_->handle_, false))) parent_->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(this, structure);
  }
  if (handle_ && structure) RebuildHandle();
}

// ---- TMenu -------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner) {
  items_ = new TMenuItem(this);
  items_->menu_ = this;
}

TMenu::~TMenu() = default;

void TMenu::BeforeDestruction() {
  if (Destroying()) return;
  window_ = nullptr;
  TComponent::BeforeDestruction();  // frees the root item and with it the tree
}

HMENU TMenu::Handle() { return items_->Handle(); }

void TMenu::MenuChanged(TMenuItem*, bool) {
  if (OnChange && !Destroying()) OnChange(this);
}

// The item with the short-cut, whatever its enabled state: a menu sets its items' states
// only when it opens, so the state is known only after its opening handler has run.
static TMenuItem* FindShortCut(TMenuItem* root, TShortCut sc) {
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* it = root->Items(i);
    if (!it->Visible()) continue;
    if (it->Count() > 0) {
      if (TMenuItem* f = FindShortCut(it, sc)) return f;
    } else if (it->ShortCut() == sc && it->OnClick) {
      return it;  // an item without an action leaves its key to the focused control
    }
  }
  return nullptr;
}

// Runs the opening handlers of the submenus from root down to the item, as when the
// user opens them, then clicks the item when it is enabled now; false when it is not.
static bool ClickShortCut(TMenuItem* root, TMenuItem* it) {
  std::vector<TMenuItem*> chain;
  for (TMenuItem* p = it->Parent(); p && p != root->Parent(); p = p->Parent()) chain.push_back(p);
  for (auto c = chain.rbegin(); c != chain.rend(); ++c)
    if ((*c)->Parent()) (*c)->InitiateAction();
  for (TMenuItem* p = it; p && p->Parent(); p = p->Parent())
    if (!p->Enabled() || !p->Visible()) return false;
  it->Click();
  return true;
}

bool TMenu::IsShortCut(TShortCut sc) {
  if (!sc) return false;
  TMenuItem* it = FindShortCut(items_, sc);
  if (!it) return false;
  return ClickShortCut(items_, it);
}

static bool InTree(TMenuItem* root, TMenuItem* item) {
  for (TMenuItem* p = item; p; p = p->Parent())
    if (p == root) return true;
  return false;
}

TMenuItem* TMenu::FindItem(UINT value, bool byCommand) {
  TMenuItem* it = byCommand ? FindMenuItemByCommand(value)
                            : FindMenuItemByHandle(reinterpret_cast<HMENU>(static_cast<uintptr_t>(value)));
  return it && InTree(items_, it) ? it : nullptr;
}

bool TMenu::DispatchCommand(UINT command) {
  TMenuItem* it = FindMenuItemByCommand(command);
  if (!it || !InTree(items_, it)) return false;
  it->Click();
  return true;
}

bool TMenu::DispatchPopup(HMENU submenu) {
  TMenuItem* it = FindMenuItemByHandle(submenu);
  if (!it || !InTree(items_, it)) return false;
  if (it != items_) it->InitiateAction();
  return true;
}

// ---- TMainMenu ---------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() = default;

void TMainMenu::BeforeDestruction() {
  if (Destroying()) return;
  if (merged_) merged_->mergedInto_ = nullptr;
  if (mergedInto_) mergedInto_->Merge(nullptr);
  if (bar_) {
    // The submenus belong to the items; only the bar itself goes here.
    while (GetMenuItemCount(bar_) > 0) RemoveMenu(bar_, 0, MF_BYPOSITION);
    if (window_ && IsWindow(window_) && GetMenu(window_) == bar_) ::SetMenu(window_, nullptr);
    DestroyMenu(bar_);
    bar_ = nullptr;
  }
  TMenu::BeforeDestruction();
}

bool TMainMenu::IsShortCut(TShortCut sc) {
  if (!sc) return false;
  for (TMenuItem* top : BarItems()) {
    if (!top->Enabled()) continue;
    TMenuItem* it = top->Count() > 0 ? FindShortCut(top, sc) : (top->ShortCut() == sc && top->OnClick ? top : nullptr);
    if (!it) continue;
    if (it == top) {
      it->Click();
      return true;
    }
    if (ClickShortCut(top, it)) return true;
  }
  return false;
}

std::vector<TMenuItem*> TMainMenu::BarItems() const {
  std::vector<TMenuItem*> bar;
  std::vector<uint8_t> replaced;
  if (merged_)
    for (int i = 0; i < merged_->items_->Count(); ++i)
      if (merged_->items_->Items(i)->Visible()) replaced.push_back(merged_->items_->Items(i)->GroupIndex());
  for (int i = 0; i < items_->Count(); ++i) {
    TMenuItem* it = items_->Items(i);
    if (!it->Visible()) continue;
    if (std::find(replaced.begin(), replaced.end(), it->GroupIndex()) != replaced.end()) continue;
    bar.push_back(it);
  }
  if (merged_) {
    for (int i = 0; i < merged_->items_->Count(); ++i) {
      TMenuItem* it = merged_->items_->Items(i);
      if (!it->Visible()) continue;
      // After the last item whose group is not greater.
      auto pos = bar.end();
      for (auto b = bar.begin(); b != bar.end(); ++b)
        if ((*b)->GroupIndex() > it->GroupIndex()) {
          pos = b;
          break;
        }
      bar.insert(pos, it);
    }
  }
  return bar;
}

void TMainMenu::RebuildBar() {
  if (!bar_) return;
  // The MDI client puts a maximised child's system menu first in the bar and its buttons
  // last: those entries are not ours and stay where they are.
  auto ours = [this](int i) { return MenuItemAt(bar_, i) != nullptr; };
  int lead = GetMenuItemCount(bar_) > 0 && !ours(0) && GetSubMenu(bar_, 0) ? 1 : 0;
  for (int i = GetMenuItemCount(bar_) - 1; i >= 0; --i)
    if (ours(i)) RemoveMenu(bar_, i, MF_BYPOSITION);
  int pos = lead;
  for (TMenuItem* it : BarItems()) {
    int before = GetMenuItemCount(bar_);
    it->AppendTo(bar_, true, pos);
    pos += GetMenuItemCount(bar_) - before;
  }
  if (window_) DrawMenuBar(window_);
}

HMENU TMainMenu::Handle() {
  if (!bar_) {
    bar_ = CreateMenu();
    RebuildBar();
  }
  return bar_;
}

void TMainMenu::MenuChanged(TMenuItem* item, bool structure) {
  // Only the bar's own entries show in the bar; a deeper item's entry is set already.
  bool barEntry = item && (item->Parent() == items_ || (merged_ && item->Parent() == merged_->items_));
  if (structure || !item)
    RebuildBar();
  else if (barEntry && bar_ && item->UpdateEntry(bar_, true) && window_)
    DrawMenuBar(window_);
  if (mergedInto_) mergedInto_->MenuChanged(item, structure);
  TMenu::MenuChanged(item, structure);
}

void TMainMenu::Merge(TMainMenu* menu) {
  if (menu == merged_ || menu == this) return;
  if (merged_) merged_->mergedInto_ = nullptr;
  merged_ = menu;
  if (menu) menu->mergedInto_ = this;
  RebuildBar();
  TMenu::MenuChanged(nullptr, true);
}

void TMainMenu::Unmerge(TMainMenu* menu) {
  if (menu && menu == merged_) Merge(nullptr);
}

// ---- TPopupMenu --------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

TPopupMenu::~TPopupMenu() = default;

HMENU TPopupMenu::Handle() { return items_->Handle(); }

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  TMenuItem* chosen = nullptr;
  if (Application->OnPopupMenu) {
    chosen = Application->OnPopupMenu(this, x, y);
  } else if (!Application->Unattended()) {
    UINT flags = TPM_RETURNCMD | TPM_RIGHTBUTTON |
                 (alignment_ == paRight    ? TPM_RIGHTALIGN
                  : alignment_ == paCenter ? TPM_CENTERALIGN
                                           : TPM_LEFTALIGN);
    HWND owner = Application->UtilityWindow();
    // The menu closes on a click elsewhere only while a window of this thread is in the
    // foreground. When none is, the hidden owner takes the foreground for the menu's time
    // and hands it back after, or the whole program would stay inactive until clicked.
    HWND active = GetActiveWindow(), foreground = GetForegroundWindow();
    bool ours = foreground && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
    if (!ours) SetForegroundWindow(owner);
    UINT cmd = TrackPopupMenu(Handle(), flags, x, y, 0, owner, nullptr);
    PostMessageA(owner, WM_NULL, 0, 0);
    if (!active && Application->MainForm() && Application->MainForm()->HandleAllocated())
      active = Application->MainForm()->Handle();
    if (GetForegroundWindow() == owner && active && IsWindow(active)) SetForegroundWindow(active);
    chosen = FindItem(cmd, true);
  }
  if (chosen && chosen->Enabled()) chosen->Click();
}

}  // namespace vx
