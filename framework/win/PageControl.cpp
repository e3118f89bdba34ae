#include "framework/win/PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace vx {

VX_PUBLISH(TTabSheet, TWinControl) { P.Str("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption); }
VX_PUBLISH(TPageControl, TTabControl) {
  P.Int("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex);
}

// ---- TTabSheet ---------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TCustomControl(owner) {
  controlStyle_ = TControlStyle{csAcceptsControls, csClickEvents, csDoubleClicks, csSetCaption};
  SetVisible(false);
}

void TTabSheet::SetPageControl(TPageControl* pc) {
  if (pc == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  if (pc) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  auto& p = pageControl_->pages_;
  return static_cast<int>(std::find(p.begin(), p.end(), this) - p.begin());
}

void TTabSheet::BeforeDestruction() {
  if (pageControl_ && !pageControl_->Destroying()) pageControl_->RemovePage(this);
  TCustomControl::BeforeDestruction();
}

void TTabSheet::TextChanged() {
  TCustomControl::TextChanged();
  int i = PageIndex();
  if (i >= 0) pageControl_->Tabs()->SetStrings(i, Caption());
}

// ---- TPageControl ------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TTabControl(owner) {}

void TPageControl::InsertPage(TTabSheet* page) {
  page->pageControl_ = this;
  pages_.push_back(page);
  Tabs()->AddObject(page->Caption(), page);
  page->SetParent(this);
  if (!active_)
    SetActivePage(page);
  else
    page->SetVisible(false);
  Realign();
}

void TPageControl::RemovePage(TTabSheet* page) {
  auto it = std::find(pages_.begin(), pages_.end(), page);
  if (it == pages_.end()) return;
  int index = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  page->pageControl_ = nullptr;
  if (!Destroying()) Tabs()->Delete(index);
  if (active_ == page) {
    active_ = nullptr;
    if (!pages_.empty() && !Destroying()) SetActivePage(pages_[static_cast<size_t>(std::min(index, PageCount() - 1))]);
  }
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) {
  if (i >= 0 && i < PageCount()) SetActivePage(Pages(i));
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->pageControl_ != this) return;
  active_ = page;
  SetTabIndex(page ? page->PageIndex() : -1);
  ShowActive();
}

void TPageControl::ShowActive() {
  RECT r = DisplayRect();
  // The new page shows before the old one hides, so the area never flashes empty.
  if (active_) {
    active_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    active_->SetVisible(true);
    active_->BringToFront();
  }
  for (TTabSheet* p : pages_)
    if (p != active_) p->SetVisible(false);
}

void TPageControl::AlignControls(TControl* control, RECT& rect) {
  RECT r = DisplayRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  TTabControl::AlignControls(control, rect);
}

void TPageControl::CreateWnd() {
  TTabControl::CreateWnd();
  if (active_) SetTabIndex(active_->PageIndex());
  Realign();
}

void TPageControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == TCN_SELCHANGE) {
    int i = TabIndex();
    TTabSheet* old = active_;
    HWND focus = GetFocus();
    active_ = i >= 0 && i < PageCount() ? Pages(i) : nullptr;
    ShowActive();
    SetTabIndex(i);
    // The focus must not stay on a control of the page just hidden: the tabs take it.
    if (old && old != active_ && old->HandleAllocated() && focus && IsChild(old->Handle(), focus) && CanFocus())
      SetFocus();
    if (OnChange) OnChange(this);
    return;
  }
  TTabControl::WndProc(m);
}

}  // namespace vx
