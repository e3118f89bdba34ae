#include "framework/win/Notebooks.h"

#include <commctrl.h>

#include <algorithm>

namespace vx {

// ---- TNotebook ----------------------------------------------------------------------------

TNotebookPage::TNotebookPage(TNotebook* notebook) : TCustomControl(notebook), notebook_(notebook) {
  SetAlign(alClient);
  SetVisible(false);
  controlStyle_ << csAcceptsControls;
}

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 150, 150);
  controlStyle_ << csAcceptsControls;
}

TNotebookPage* TNotebook::AddPage(const AnsiString& caption) {
  auto* page = new TNotebookPage(this);
  page->SetCaption(caption);
  page->SetParent(this);
  page->FreeNotification(this);
  pages_.push_back(page);
  if (pageIndex_ < 0) SetPageIndex(0);
  return page;
}

void TNotebook::SetPageIndex(int i) {
  if (i < 0 || i >= PageCount()) return;
  pageIndex_ = i;
  // The new page shows before the old one hides, so the area never flashes empty.
  pages_[static_cast<size_t>(i)]->SetVisible(true);
  for (int k = 0; k < PageCount(); ++k)
    if (k != i) pages_[static_cast<size_t>(k)]->SetVisible(false);
}

AnsiString TNotebook::ActivePage() { return pageIndex_ >= 0 ? pages_[static_cast<size_t>(pageIndex_)]->Caption() : ""; }

void TNotebook::SetActivePage(const AnsiString& caption) {
  for (int k = 0; k < PageCount(); ++k)
    if (pages_[static_cast<size_t>(k)]->Caption() == caption) {
      SetPageIndex(k);
      return;
    }
}

void TNotebook::Notification(TComponent* c, TOperation op) {
  TCustomControl::Notification(c, op);
  if (op != opRemove) return;
  auto it = std::find(pages_.begin(), pages_.end(), c);
  if (it == pages_.end()) return;
  pages_.erase(it);
  if (pageIndex_ >= PageCount()) pageIndex_ = PageCount() - 1;
}

// ---- TTabbedNotebook -------------------------------------------------------------------------

TTabPage::TTabPage(TTabbedNotebook* notebook) : TCustomControl(notebook), notebook_(notebook) {
  SetAlign(alClient);
  SetVisible(false);
  controlStyle_ << csAcceptsControls;
}

TTabbedNotebook::TTabbedNotebook(TComponent* owner) : TTabControl(owner) {}

TTabPage* TTabbedNotebook::AddPage(const AnsiString& caption) {
  auto* page = new TTabPage(this);
  page->SetCaption(caption);
  page->SetParent(this);
  page->FreeNotification(this);
  pages_.push_back(page);
  Tabs()->Add(caption);
  if (PageCount() == 1) SetPageIndex(0);
  return page;
}

void TTabbedNotebook::ShowPage(int i) {
  if (i < 0 || i >= PageCount()) return;
  pages_[static_cast<size_t>(i)]->SetVisible(true);
  for (int k = 0; k < PageCount(); ++k)
    if (k != i) pages_[static_cast<size_t>(k)]->SetVisible(false);
}

void TTabbedNotebook::SetPageIndex(int i) {
  if (i < 0 || i >= PageCount()) return;
  SetTabIndex(i);
  ShowPage(i);
}

AnsiString TTabbedNotebook::ActivePage() {
  int i = TabIndex();
  return i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)]->Caption() : "";
}

void TTabbedNotebook::SetActivePage(const AnsiString& caption) {
  for (int k = 0; k < PageCount(); ++k)
    if (pages_[static_cast<size_t>(k)]->Caption() == caption) {
      SetPageIndex(k);
      return;
    }
}

void TTabbedNotebook::WndProc(TMessage& m) {
  TTabControl::WndProc(m);
  // A tab the user picked shows its page.
  if (m.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(m.LParam)->code == TCN_SELCHANGE) ShowPage(TabIndex());
}

void TTabbedNotebook::Notification(TComponent* c, TOperation op) {
  TTabControl::Notification(c, op);
  if (op != opRemove) return;
  auto it = std::find(pages_.begin(), pages_.end(), c);
  if (it == pages_.end()) return;
  int k = static_cast<int>(it - pages_.begin());
  pages_.erase(it);
  if (!Destroying() && k < Tabs()->Count()) Tabs()->Delete(k);
}

}  // namespace vx
