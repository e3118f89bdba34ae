// Paged containers: a notebook (pages without tabs, one shown at a time) and a tabbed
// notebook (a tab per page). Pages are selected by their captions.
#pragma once

#include <vector>

#include "framework/win/ComCtrls.h"

namespace vx {

class TNotebook;
class TTabbedNotebook;

// A page of a TNotebook. The system names it "TPage"; the viewer's page-break section has
// that C++ name already.
class TNotebookPage : public TCustomControl {
 public:
  explicit TNotebookPage(TNotebook* notebook);
  const char* ClassName() const override { return "TPage"; }
  TNotebook* Notebook() const { return notebook_; }

 private:
  TNotebook* notebook_;

 protected:
  ~TNotebookPage() override = default;
};

class TNotebook : public TCustomControl {
 public:
  explicit TNotebook(TComponent* owner);
  const char* ClassName() const override { return "TNotebook"; }
  TNotebookPage* AddPage(const AnsiString& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TNotebookPage* Pages(int i) const { return pages_[static_cast<size_t>(i)]; }
  int PageIndex() const { return pageIndex_; }
  void SetPageIndex(int i);
  // The caption of the page shown; setting it shows the first page of that caption.
  AnsiString ActivePage();
  void SetActivePage(const AnsiString& caption);

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  std::vector<TNotebookPage*> pages_;
  int pageIndex_ = -1;

 protected:
  ~TNotebook() override = default;
};

class TTabPage : public TCustomControl {
 public:
  explicit TTabPage(TTabbedNotebook* notebook);
  const char* ClassName() const override { return "TTabPage"; }
  TTabbedNotebook* Notebook() const { return notebook_; }

 private:
  TTabbedNotebook* notebook_;

 protected:
  ~TTabPage() override = default;
};

class TTabbedNotebook : public TTabControl {
 public:
  explicit TTabbedNotebook(TComponent* owner);
  const char* ClassName() const override { return "TTabbedNotebook"; }
  TTabPage* AddPage(const AnsiString& caption);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabPage* Pages(int i) const { return pages_[static_cast<size_t>(i)]; }
  int PageIndex() { return TabIndex(); }
  void SetPageIndex(int i);
  AnsiString ActivePage();
  void SetActivePage(const AnsiString& caption);
  void WndProc(TMessage& m) override;

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  void ShowPage(int i);
  std::vector<TTabPage*> pages_;

 protected:
  ~TTabbedNotebook() override = default;
};

}  // namespace vx
