// The page control: tabs over a stack of pages, only the chosen page shown. Each page is
// a TTabSheet whose controls are built on it; the tab shows the sheet's caption.
#pragma once

#include <vector>

#include "framework/win/ComCtrls.h"

namespace vx {

class TPageControl;

class TTabSheet : public TCustomControl {
 public:
  explicit TTabSheet(TComponent* owner);
  const char* ClassName() const override { return "TTabSheet"; }
  TPageControl* PageControl() const { return pageControl_; }
  // Adds the sheet as the last page of pc (nullptr takes it out of its control).
  void SetPageControl(TPageControl* pc);
  int PageIndex() const;

 protected:
  void BeforeDestruction() override;
  void TextChanged() override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;

 protected:
  ~TTabSheet() override = default;
};

class TPageControl : public TTabControl {
 public:
  explicit TPageControl(TComponent* owner);
  const char* ClassName() const override { return "TPageControl"; }

  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const { return active_; }
  // Shows the page and its tab; OnChange is not fired (it is for the user's choices).
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);
  void WndProc(TMessage& m) override;

 protected:
  void AlignControls(TControl* control, RECT& rect) override;
  void CreateWnd() override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void ShowActive();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;

 protected:
  ~TPageControl() override = default;
};

}  // namespace vx
