#include "framework/win/Notebooks.h"

#include <commctrl.h>

#include <algorithm>

namespace vx {

namespace {

// Shows page i and hides the others; the new page shows before the old one hides, so the
// area never flashes empty.
template <class Page>
void ShowOnly(const std::vector<Page*>& pages, int i) {
  pages[static_cast<size_t>(i)]->SetVisible(true);
  for (size_t k = 0; k < pages.size(); ++k)
    if (k != static_cast<size_t>(i)) pages[k]->SetVisible(false);
}

// The first page with the caption, -1 when none has it.
template <class Page>
int PageOfCaption(const std::vector<Page*>& pages, const AnsiString& caption) {
  for (size_t k = 0; k < pages.size(); ++k)
    if (pages[k]->Caption() == caption) return static_cast<int>(k);
  return -1;
}

}  // namespace

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
  ShowOnly(pages_, i);
}

AnsiString TNotebook::ActivePage() { return pageIndex_ >= 0 ? pages_[static_cast<size_t>(pageIndex_)]->Caption() : ""; }

void TNotebook::SetActivePage(const AnsiString& caption) { SetPageIndex(PageOfCaption(pages_, caption)); }

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
  if (i >= 0 && i < PageCount()) ShowOnly(pages_, i);
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

void TTabbedNotebook::SetActivePage(const AnsiString& caption) { SetPageIndex(PageOfCaption(pages_, caption)); }

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
