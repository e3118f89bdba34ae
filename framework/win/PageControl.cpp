#include "framework/win/PageControl.h"

#include <commctrl.h>

#include <algorithm>

namespace vx {

VX_PUBLISH(TPageControl, TTabControl) {
  P.Int("ActivePageIndex", &TPageControl::ActivePageIndex, &TPageControl::SetActivePageIndex);
}

// ---- TTabSheet ---------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {
  controlStyle_ = TControlStyle{csAcceptsControls};
  SetAlign(alClient);
  SetVisible(false);
}

TTabSheet::~TTabSheet() { BeforeDestruction(); }

void TTabSheet::BeforeDestruction() {
  if (pageControl_) pageControl_->RemovePage(this);
  TWinControl::BeforeDestruction();
}

void TTabSheet::SetPageControl(TPageControl* p) {
  if (p == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  if (p) p->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  auto& v = pageControl_->pages_;
  return static_cast<int>(std::find(v.begin(), v.end(), this) - v.begin());
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (pageControl_) pageControl_->UpdateTab(this);
}

// ---- TPageControl ------------------------------------------------------------------

TPageControl::TPageControl(TComponent* owner) : TTabControl(owner) {}

TPageControl::~TPageControl() { BeforeDestruction(); }

void TPageControl::InsertPage(TTabSheet* page) {
  page->pageControl_ = this;
  pages_.push_back(page);
  page->SetParent(this);
  Tabs()->AddObject(page->Caption(), page);
  if (!active_) SetActivePage(page);
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
    if (!Destroying() && !pages_.empty()) SetActivePage(pages_[std::min<size_t>(index, pages_.size() - 1)]);
  }
}

void TPageControl::UpdateTab(TTabSheet* page) {
  int i = page->PageIndex();
  if (i >= 0 && i < Tabs()->Count()) Tabs()->SetStrings(i, page->Caption());
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  active_ = page;
  SetTabIndex(page ? page->PageIndex() : -1);
  ShowActive();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) {
  SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)] : nullptr);
}

void TPageControl::ShowActive() {
  // The new page first, so the focus never falls back to the form in between.
  if (active_) {
    active_->SetVisible(true);
    active_->BringToFront();
  }
  for (TTabSheet* p : pages_)
    if (p != active_) p->SetVisible(false);
}

void TPageControl::CreateWnd() {
  TTabControl::CreateWnd();
  SetTabIndex(ActivePageIndex());
}

void TPageControl::WndProc(TMessage& m) {
  if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == TCN_SELCHANGE) {
    int i = TabIndex();
    active_ = i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)] : nullptr;
    ShowActive();
  }
  TTabControl::WndProc(m);
}

}  // namespace vx
