// Common controls: the tab control and the status bar with panels.
#pragma once

#include <memory>
#include <vector>

#include "framework/win/StdCtrls.h"

namespace vx {

// Loads the common-control classes once.
void InitCommonControlClasses();

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

// Tabs over a client area that holds the page's controls; the tabs are a string list.
class TTabControl : public TWinControl {
 public:
  explicit TTabControl(TComponent* owner);
  const char* ClassName() const override { return "TTabControl"; }
  TStrings* Tabs() { return tabs_.get(); }
  void SetTabs(const TStrings& s) { tabs_->Assign(s); }
  int TabIndex();
  void SetTabIndex(int i);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool m) {
    multiLine_ = m;
    RecreateWnd();
  }
  // The area inside the tabs and the border.
  RECT DisplayRect();
  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void AdjustClientRect(RECT& r) override;

 private:
  friend class TTabStrings;
  void TabsChanged();
  void RepaintScrollArrows();
  std::unique_ptr<TStrings> tabs_;
  std::vector<std::pair<AnsiString, TObject*>> saved_;
  bool multiLine_ = false;
  int tabIndex_ = -1;

 protected:
  ~TTabControl() override;
};

class TStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusPanel : public TObject {
 public:
  explicit TStatusPanel(TStatusBar* bar) : bar_(bar) {}
  const char* ClassName() const override { return "TStatusPanel"; }
  const AnsiString& Text() const { return text_; }
  void SetText(const AnsiString& t);
  int Width() const { return width_; }
  void SetWidth(int w);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  int Index() const;

 private:
  TStatusBar* bar_;
  AnsiString text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
};

class TStatusPanels : public TObject {
 public:
  explicit TStatusPanels(TStatusBar* bar) : bar_(bar) {}
  const char* ClassName() const override { return "TStatusPanels"; }
  int Count() const { return static_cast<int>(items_.size()); }
  TStatusPanel* Items(int i) const;
  TStatusPanel* operator[](int i) const { return Items(i); }
  TStatusPanel* Add();
  void Delete(int i);
  void Clear();

 private:
  friend class TStatusPanel;
  TStatusBar* bar_;
  std::vector<std::unique_ptr<TStatusPanel>> items_;
};

class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  const char* ClassName() const override { return "TStatusBar"; }
  TStatusPanels* Panels() { return &panels_; }
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool s);
  const AnsiString& SimpleText() const { return simpleText_; }
  void SetSimpleText(const AnsiString& t);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool s) {
    sizeGrip_ = s;
    RecreateWnd();
  }
  // Sends the panels to the window (after any change).
  void UpdatePanels();
  // A panel's width on the screen: its Width, or more where its text needs more.
  int PanelWidth(int i);
  int TextWidth(const AnsiString& text);
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;

 private:
  TStatusPanels panels_;
  bool simplePanel_ = false, sizeGrip_ = true;
  AnsiString simpleText_;

 protected:
  ~TStatusBar() override;
};

}  // namespace vx
