#include "framework/win/ComCtrls.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"

namespace vx {

void InitCommonControlClasses() {
  static bool done = [] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    return true;
  }();
  (void)done;
}

VX_PUBLISH(TTabControl, TWinControl) {
  P.Int("TabIndex", &TTabControl::TabIndex, &TTabControl::SetTabIndex).Object("Tabs", &TTabControl::Tabs);
}

// ---- TTabControl -------------------------------------------------------------------

// The tab captions: the window's items while it exists.
class TTabStrings : public TStrings {
 public:
  explicit TTabStrings(TTabControl* t) : tabs_(t) {}
  const char* ClassName() const override { return "TTabStrings"; }

 protected:
  bool Live() const { return tabs_->HandleAllocated(); }
  HWND H() const { return const_cast<TTabControl*>(tabs_)->Handle(); }
  AnsiString Get(int i) const override {
    if (i < 0 || i >= GetCount()) IndexError(i);
    if (!Live()) return tabs_->saved_[i].first;
    char buf[256] = {0};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buf;
    item.cchTextMax = sizeof buf;
    SendMessageA(H(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    return buf;
  }
  TObject* GetObject(int i) const override {
    if (i < 0 || i >= GetCount()) IndexError(i);
    if (!Live()) return tabs_->saved_[i].second;
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    SendMessageA(H(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    return reinterpret_cast<TObject*>(item.lParam);
  }
  void PutObject(int i, TObject* o) override {
    if (i < 0 || i >= GetCount()) IndexError(i);
    if (!Live()) {
      tabs_->saved_[i].second = o;
      return;
    }
    TCITEMA item{};
    item.mask = TCIF_PARAM;
    item.lParam = reinterpret_cast<LPARAM>(o);
    SendMessageA(H(), TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  void Put(int i, const AnsiString& s) override {
    if (i < 0 || i >= GetCount()) IndexError(i);
    if (!Live()) {
      tabs_->saved_[i].first = s;
      return;
    }
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(s.c_str());
    SendMessageA(H(), TCM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    // A shorter caption narrows its tab and moves the ones after it; the control repaints
    // only the new tab, so the end of the old caption would stay drawn beside it.
    InvalidateRect(H(), nullptr, TRUE);
    tabs_->TabsChanged();
  }
  int GetCount() const override {
    return Live() ? static_cast<int>(SendMessageA(H(), TCM_GETITEMCOUNT, 0, 0))
                  : static_cast<int>(tabs_->saved_.size());
  }
  void InsertItem(int i, const AnsiString& s, TObject* o) override {
    if (!Live()) {
      tabs_->saved_.insert(tabs_->saved_.begin() + i, {s, o});
      return;
    }
    TCITEMA item{};
    item.mask = TCIF_TEXT | TCIF_PARAM;
    item.pszText = const_cast<char*>(s.c_str());
    item.lParam = reinterpret_cast<LPARAM>(o);
    SendMessageA(H(), TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    tabs_->TabsChanged();
  }
  void DeleteItem(int i) override {
    if (!Live()) {
      tabs_->saved_.erase(tabs_->saved_.begin() + i);
      return;
    }
    SendMessageA(H(), TCM_DELETEITEM, i, 0);
    tabs_->TabsChanged();
  }
  void ClearItems() override {
    if (!Live()) {
      tabs_->saved_.clear();
      return;
    }
    SendMessageA(H(), TCM_DELETEALLITEMS, 0, 0);
    tabs_->TabsChanged();
  }

 private:
  TTabControl* tabs_;
};

TTabControl::TTabControl(TComponent* owner) : TWinControl(owner), tabs_(std::make_unique<TTabStrings>(this)) {
  InitCommonControlClasses();
  StoreBounds(0, 0, 289, 193);
  SetTabStop(true);
  controlStyle_ = TControlStyle{csAcceptsControls, csDoubleClicks};
}

TTabControl::~TTabControl() = default;

void TTabControl::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, WC_TABCONTROLA);
  p.Style |= WS_CLIPCHILDREN | (multiLine_ ? TCS_MULTILINE : 0);
}

void TTabControl::CreateWnd() {
  auto items = std::move(saved_);
  saved_.clear();
  TWinControl::CreateWnd();
  for (size_t i = 0; i < items.size(); ++i) tabs_->InsertObject(static_cast<int>(i), items[i].first, items[i].second);
  if (tabIndex_ >= 0) SendMessageA(Handle(), TCM_SETCURSEL, tabIndex_, 0);
  Realign();
}

void TTabControl::DestroyWnd() {
  tabIndex_ = TabIndex();
  std::vector<std::pair<AnsiString, TObject*>> items;
  for (int i = 0; i < tabs_->Count(); ++i) items.emplace_back(tabs_->Strings(i), tabs_->Objects(i));
  TWinControl::DestroyWnd();
  saved_ = std::move(items);
}

int TTabControl::TabIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)) : tabIndex_;
}

void TTabControl::SetTabIndex(int i) {
  tabIndex_ = i;
  if (!HandleAllocated()) return;
  SendMessageA(Handle(), TCM_SETCURSEL, i, 0);
  RepaintScrollArrows();
}

void TTabControl::TabsChanged() {
  Realign();
  RepaintScrollArrows();
}

// Tabs that do not fit in one row get the control's scroll arrows, made and placed as the
// row changes but left unpainted: the screen kept showing the end of a tab caption there.
void TTabControl::RepaintScrollArrows() {
  if (!HandleAllocated()) return;
  if (HWND arrows = FindWindowExA(Handle(), nullptr, UPDOWN_CLASSA, nullptr))
    if (IsWindowVisible(arrows)) RedrawWindow(arrows, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

RECT TTabControl::DisplayRect() {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TTabControl::AdjustClientRect(RECT& r) { r = DisplayRect(); }

void TTabControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY) {
    auto* n = reinterpret_cast<NMHDR*>(m.LParam);
    if (n->code == TCN_SELCHANGING) {
      bool allow = true;
      if (OnChanging) OnChanging(this, allow);
      m.Result = allow ? FALSE : TRUE;
      return;
    }
    if (n->code == TCN_SELCHANGE) {
      tabIndex_ = TabIndex();
      RepaintScrollArrows();
      if (OnChange) OnChange(this);
      return;
    }
  }
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) TabsChanged();
  if (m.Msg == WM_HSCROLL) RepaintScrollArrows();
}

// ---- TStatusBar --------------------------------------------------------------------

// The status window centres text after one tab and right-aligns it after two.
static AnsiString PanelText(const TStatusPanel* p) {
  return (p->Alignment() == taCenter ? "\t" : p->Alignment() == taRightJustify ? "\t\t" : "") + p->Text();
}

void TStatusPanel::SetText(const AnsiString& t) {
  if (t == text_) return;
  int before = bar_->PanelWidth(Index());
  text_ = t;
  if (!bar_->HandleAllocated() || bar_->SimplePanel()) return;
  // A text wider than its panel widens it, so it is never cut off.
  if (bar_->PanelWidth(Index()) != before)
    bar_->UpdatePanels();
  else
    SendMessageA(bar_->Handle(), SB_SETTEXTA, Index(), reinterpret_cast<LPARAM>(PanelText(this).c_str()));
}

void TStatusPanel::SetWidth(int w) {
  width_ = w;
  bar_->UpdatePanels();
}

void TStatusPanel::SetAlignment(TAlignment a) {
  alignment_ = a;
  bar_->UpdatePanels();
}

int TStatusPanel::Index() const {
  auto& v = bar_->Panels()->items_;
  for (size_t i = 0; i < v.size(); ++i)
    if (v[i].get() == this) return static_cast<int>(i);
  return -1;
}

TStatusPanel* TStatusPanels::Items(int i) const {
  if (i < 0 || i >= Count()) throw EStringListError(Format("List index out of bounds (%d)", i));
  return items_[i].get();
}

TStatusPanel* TStatusPanels::Add() {
  items_.push_back(std::make_unique<TStatusPanel>(bar_));
  bar_->UpdatePanels();
  return items_.back().get();
}

void TStatusPanels::Delete(int i) {
  Items(i);
  items_.erase(items_.begin() + i);
  bar_->UpdatePanels();
}

void TStatusPanels::Clear() {
  items_.clear();
  bar_->UpdatePanels();
}

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner), panels_(this) {
  InitCommonControlClasses();
  StoreBounds(0, 0, 200, 19);
  SetAlign(alBottom);
  controlStyle_ = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque};
}

TStatusBar::~TStatusBar() = default;

void TStatusBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, STATUSCLASSNAMEA);
  p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY | (sizeGrip_ ? SBARS_SIZEGRIP : 0);
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  UpdatePanels();
}

void TStatusBar::SetSimplePanel(bool s) {
  simplePanel_ = s;
  UpdatePanels();
}

void TStatusBar::SetSimpleText(const AnsiString& t) {
  simpleText_ = t;
  if (HandleAllocated() && simplePanel_) SendMessageA(Handle(), SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(t.c_str()));
}

void TStatusBar::UpdatePanels() {
  if (!HandleAllocated()) return;
  HWND h = Handle();
  SendMessageA(h, SB_SIMPLE, simplePanel_, 0);
  if (simplePanel_) {
    SendMessageA(h, SB_SETTEXTA, 255, reinterpret_cast<LPARAM>(simpleText_.c_str()));
    return;
  }
  std::vector<int> edges;
  int x = 0;
  for (int i = 0; i < panels_.Count(); ++i) {
    x += std::max(panels_[i]->Width(), TextWidth(panels_[i]->Text()));
    edges.push_back(i == panels_.Count() - 1 ? -1 : x);
  }
  if (edges.empty()) edges.push_back(-1);
  SendMessageA(h, SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
  for (int i = 0; i < panels_.Count(); ++i)
    SendMessageA(h, SB_SETTEXTA, i, reinterpret_cast<LPARAM>(PanelText(panels_[i]).c_str()));
}

int TStatusBar::PanelWidth(int i) {
  return i >= 0 && i < panels_.Count() ? std::max(panels_[i]->Width(), TextWidth(panels_[i]->Text())) : 0;
}

// The room a panel needs for the text: the text in the bar's font, the borders and the
// margins the status window keeps around it.
int TStatusBar::TextWidth(const AnsiString& text) {
  if (text.empty() || !HandleAllocated()) return 0;
  TWindowDC dc(Handle());
  auto font = reinterpret_cast<HFONT>(SendMessageA(Handle(), WM_GETFONT, 0, 0));
  TSelected sel(dc, font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
  SIZE size{};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
  int borders[3] = {0, 0, 0};
  SendMessageA(Handle(), SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(borders));
  return size.cx + 2 * borders[2] + 8;
}

void TStatusBar::WndProc(TMessage& m) {
  TWinControl::WndProc(m);
  if (m.Msg == WM_SIZE) {
    UpdatePanels();
    // The size grip is drawn at the right edge: where the edge was, the control would
    // leave its marks standing in the last panel.
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

}  // namespace vx
