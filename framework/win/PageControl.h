// A page control: tabs over pages (tab sheets) of controls, one page shown at a time.
// Each sheet's caption is its tab; the tab control's OnChange fires after the chosen
// page is shown.
#pragma once

#include <vector>

#include "framework/win/ComCtrls.h"

namespace vx {

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* owner);
  ~TTabSheet() override;
  const char* ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const { return pageControl_; }
  // Moves the sheet onto a page control (as its last page), or off it with nullptr.
  void SetPageControl(TPageControl* p);
  int PageIndex() const;

 protected:
  void BeforeDestruction() override;
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
};

class TPageControl : public TTabControl {
 public:
  explicit TPageControl(TComponent* owner);
  ~TPageControl() override;
  const char* ClassName() const override { return "TPageControl"; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const { return active_; }
  // Shows the page and selects its tab; OnChange does not fire.
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);
  void WndProc(TMessage& m) override;

 protected:
  void CreateWnd() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void UpdateTab(TTabSheet* page);
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
};

}  // namespace vx
