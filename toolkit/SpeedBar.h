// The speed bar: a panel whose buttons belong to non-visual items grouped in named
// sections. Every shown item stands at its own Left/Top (no flow, no wrapping); drops
// snap to a grid; the bar docks to a side and stores which buttons are shown, and where,
// through a form storage. An attached customisation window hears of changes by 0xB03C.
//
// Typical use on a form built in code:
//   bar = new TSpeedBar(form); bar->SetName("MainToolBar"); bar->SetParent(form);
//   int s = bar->AddSection("Main Toolbar");
//   item = new TSpeedItem(form); item->SetName("siNew"); item->SetCaption("New File");
//   bar->AddItem(s, item); item->SetLeft(3); item->SetTop(2); item->SetVisible(true);
// (AddItem unparents the button: the item is shown by setting Visible after it.)
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/win/ExtCtrls.h"
#include "toolkit/Placemnt.h"
#include "toolkit/ZXCtrls.h"

namespace vx {

// Sent (not posted) by a bar to its attached customisation window.
constexpr UINT CM_SPEEDBARCHANGED = 0xB03C;
enum : WPARAM {
  SBR_CHANGED = 0,         // the available items changed (lParam = the bar)
  SBR_DESTROYED = 1,       // the bar is being destroyed (lParam = the bar)
  SBR_BTNSELECT = 2,       // an item was placed by dragging its button (lParam = the item)
  SBR_BTNSIZECHANGED = 3,  // button size or orientation changed (lParam = the bar)
};

// Screen cursor number of the button-drag cursor (resource "SB_DRAG").
constexpr TCursor crDragHand = 14001;

enum TBarPosition { bpAuto, bpCustom };
enum TBarOrientation : uint8_t { boHorizontal, boVertical };
enum TSpeedbarOption { sbAllowDrag, sbAllowResize, sbFlatBtns, sbGrayedBtns, sbTransparentBtns, sbStretchBitmap };
using TSpeedbarOptions = TSet<TSpeedbarOption>;  // stored as the bits 1, 2, 4, 8, 16, 32

class TSpeedBar;
class TSpeedItem;

using TApplyAlignEvent = std::function<void(TObject* Sender, TAlign Align, bool& Apply)>;
using TForEachItemProc = std::function<void(TSpeedItem* Item, void* Data)>;

// The image of a button that follows the mouse while the button is dragged: a disabled
// top-most pop-up that never takes the activation.
class TBtnControl : public TCustomControl {
 public:
  explicit TBtnControl(TComponent* owner);
  const char* ClassName() const override { return "TBtnControl"; }
  TButtonImage* Image() { return &image_; }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout l) { layout_ = l; }
  int Margin() const { return margin_; }
  void SetMargin(int m) { margin_ = m; }
  int Spacing() const { return spacing_; }
  void SetSpacing(int s) { spacing_ = s; }
  // Takes glyph, caption and the other looks of an item, and the bar's button size.
  void InitFrom(TSpeedItem* item, TFont* font, int width, int height);
  // Shows the image with its top-left corner at a screen point.
  void ShowAt(POINT screen);
  void HideImage();

 protected:
  void CreateParams(TCreateParams& p) override;
  void Paint() override;
  void Resize() override;

 private:
  TButtonImage image_;
  TButtonLayout layout_ = blGlyphTop;
  int margin_ = -1, spacing_ = 1;

 protected:
  ~TBtnControl() override;
};

// The face of an item on the bar; owned by its item.
class TSpeedbarButton : public TZxSpeedButton {
 public:
  explicit TSpeedbarButton(TSpeedItem* item);
  const char* ClassName() const override { return "TSpeedbarButton"; }
  TSpeedItem* Item() const { return item_; }
  // On a bar a button never stands inside the offset across the bar.
  void SetBounds(int l, int t, int w, int h) override;
  // The image shown while the button is dragged in customise mode, else nullptr.
  TBtnControl* DragImage() const { return dragImage_; }

 protected:
  void Paint() override;
  // In customise mode a press drags the button (about the bar or off it).
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;

 private:
  // The dragged image's top-left corner in screen coordinates, from a button point.
  POINT ImageCorner(int x, int y);
  TSpeedItem* item_;
  TBtnControl* dragImage_ = nullptr;

 protected:
  ~TSpeedbarButton() override;
};

class TSpeedItem : public TComponent {
 public:
  explicit TSpeedItem(TComponent* owner);
  const char* ClassName() const override { return "TSpeedItem"; }

  // The item's name in lists and hints; the hint follows it (see SetCaption).
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& value);
  void SetName(const AnsiString& name) override;
  AnsiString BtnCaption() const { return button_->Caption(); }
  void SetBtnCaption(const AnsiString& v) { button_->SetCaption(v); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Editing() const { return editing_; }
  void SetEditing(bool v);

  bool AllowAllUp() const { return button_->AllowAllUp(); }
  void SetAllowAllUp(bool v) { button_->SetAllowAllUp(v); }
  int GroupIndex() const { return button_->GroupIndex(); }
  void SetGroupIndex(int v) { button_->SetGroupIndex(v); }
  bool Down() const { return button_->Down(); }
  void SetDown(bool v) { button_->SetDown(v); }
  TPopupMenu* DropDownMenu() const { return button_->DropDownMenu(); }
  void SetDropDownMenu(TPopupMenu* m) { button_->SetDropDownMenu(m); }
  TCursor Cursor() const { return button_->Cursor(); }
  void SetCursor(TCursor c) { button_->SetCursor(c); }
  TBitmap* Glyph() { return button_->Glyph(); }
  void SetGlyph(TBitmap* b) { button_->SetGlyph(b); }
  const AnsiString& Hint() const { return button_->Hint(); }
  void SetHint(const AnsiString& h) { button_->SetHint(h); }
  TButtonLayout Layout() const { return button_->Layout(); }
  void SetLayout(TButtonLayout v) { button_->SetLayout(v); }
  int Margin() const { return button_->Margin(); }
  void SetMargin(int v) { button_->SetMargin(v); }
  bool MarkDropDown() const { return button_->MarkDropDown(); }
  void SetMarkDropDown(bool v) { button_->SetMarkDropDown(v); }
  int NumGlyphs() const { return button_->NumGlyphs(); }
  void SetNumGlyphs(int v) { button_->SetNumGlyphs(v); }
  bool ParentShowHint() const { return button_->ParentShowHint(); }
  void SetParentShowHint(bool v) { button_->SetParentShowHint(v); }
  bool ShowHint() const { return button_->ShowHint(); }
  void SetShowHint(bool v) { button_->SetShowHint(v); }
  int Spacing() const { return button_->Spacing(); }
  void SetSpacing(int v) { button_->SetSpacing(v); }
  void SetTag(int t) {
    TComponent::SetTag(t);
    button_->SetTag(t);
  }
  int Left() const { return button_->Left(); }
  void SetLeft(int v);
  int Top() const { return button_->Top(); }
  void SetTop(int v);
  bool WordWrap() const { return button_->WordWrap(); }
  void SetWordWrap(bool v) { button_->SetWordWrap(v); }

  TSpeedbarButton* Button() const { return button_; }
  TSpeedBar* SpeedBar() const { return bar_; }
  int Section() const { return section_; }
  // A click of the button (fires OnClick).
  virtual void ButtonClick();

 private:
  friend class TSpeedBar;
  // The button comes first: the events below are its own.
  AnsiString caption_;
  bool editing_ = false;
  bool enabled_ = true;
  TSpeedbarButton* button_;
  bool visible_ = false;
  TSpeedBar* bar_ = nullptr;
  int section_ = -1;

 public:
  // The button's events, fired with the button as Sender.
  TNotifyEvent& OnClick;
  TNotifyEvent& OnDblClick;
  TMouseEvent& OnMouseDown;
  TMouseMoveEvent& OnMouseMove;
  TMouseEvent& OnMouseUp;

 protected:
  void BeforeDestruction() override;
  void UpdateButtonVisible();
  void UpdateButtonEnabled();

 protected:
  ~TSpeedItem() override;
};

class TSpeedBar : public TCustomPanel {
 public:
  explicit TSpeedBar(TComponent* owner);
  const char* ClassName() const override { return "TSpeedBar"; }

  // ---- sections and items ----
  // The index of the section of that name (ignoring case); a new one is appended.
  int AddSection(const AnsiString& name);
  void RemoveSection(int index);  // detaches and destroys its items
  void RemoveAllSections();
  int SectionCount() const { return static_cast<int>(sections_.size()); }
  AnsiString Sections(int index) const;
  void AddItem(int section, TSpeedItem* item);
  void RemoveItem(TSpeedItem* item);
  bool FindItem(TSpeedItem* item, int& section, int& index) const;
  TSpeedItem* Items(int section, int index) const;
  int ItemsCount(int section) const;
  TSpeedItem* FindItemByName(const AnsiString& name) const;
  void ForEachItem(const TForEachItemProc& proc, void* data) const;

  // ---- placement ----
  TBarOrientation Orientation() const;
  TBarPosition Position() const { return position_; }
  void SetPosition(TBarPosition p);
  void SetAlign(TAlign a);
  int BtnWidth() const { return btnWidth_; }
  void SetBtnWidth(int v) { SetButtonSize(v, btnHeight_); }
  int BtnHeight() const { return btnHeight_; }
  void SetBtnHeight(int v) { SetButtonSize(btnWidth_, v); }
  void SetButtonSize(int width, int height);
  int BtnOffsetHorz() const { return btnOffsetHorz_; }
  void SetBtnOffsetHorz(int v) { SetButtonOffset(v, true); }
  int BtnOffsetVert() const { return btnOffsetVert_; }
  void SetBtnOffsetVert(int v) { SetButtonOffset(v, false); }
  int MinButtonOffset() const;
  int GridStepX() const { return gridX_; }
  int GridStepY() const { return gridY_; }
  void UpdateGridSize();
  // Snaps an item dropped with its top-left at (x, y); true when it ends up shown.
  bool PlaceDroppedItem(TSpeedItem* item, int x, int y);

  TSpeedbarOptions Options() const { return options_; }
  void SetOptions(TSpeedbarOptions o);
  int Version() const { return version_; }
  void SetVersion(int v) { version_ = v; }
  TPicture* Wallpaper() { return &wallpaper_; }

  // ---- customise mode ----
  HWND SetupWindowHandle() const { return setupWindow_; }
  void SetSetupWindowHandle(HWND h);
  void Customize(int helpContext);
  // Sends 0xB03C to the attached window, when there is one.
  void NotifySetupWindow(WPARAM what, LPARAM param);

  // ---- stored layout ----
  TFormPlacement* IniStorage() const { return iniLink_->Storage(); }
  void SetIniStorage(TFormPlacement* p) { iniLink_->SetStorage(p); }
  void SaveLayout(TObject* store, const AnsiString& section);
  void RestoreLayout(TObject* store, const AnsiString& section);

  TApplyAlignEvent OnApplyAlign;
  TNotifyEvent OnPosChanged;
  virtual void PosChanged();

  // ---- dragging the bar to another side, resizing it by its inner edge ----
  // The side of the parent a screen point lies towards (the parent's two diagonals
  // divide it); OnApplyAlign may refuse it through apply.
  TAlign DockSideAt(POINT screen, bool& apply);
  // The screen frame the bar would take at the side DockSideAt gives; unchanged when
  // that side is refused.
  RECT DockFrameRect(POINT screen);
  bool BarDragging() const { return barDragging_; }
  bool Resizing() const { return resizing_; }
  // The bar's inner edge, where a press starts a resize (customise mode, sbAllowResize).
  bool InResizeArea(int x, int y);
  const RECT& DragFrame() const { return dragFrame_; }
  void WndProc(TMessage& m) override;

  void Loaded() override;

 protected:
  void BeforeDestruction() override;
  void SetOrientation(TBarOrientation o);
  void SetButtonOffset(int value, bool horizontal);
  void ApplyButtonSize();
  void AlignControls(TControl* control, RECT& rect) override;
  void Paint() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void StartBarDrag();
  void MoveBarDrag(POINT screen);
  void EndBarDrag(POINT screen);
  void ResizeTo(int x, int y);
  bool Loading() const { return ComponentState().Contains(csLoading); }

 private:
  friend class TSpeedItem;
  struct Section {
    AnsiString name;
    std::unique_ptr<std::vector<TSpeedItem*>> items;  // absent for an empty section
  };
  void ShiftButtons(int dx, int dy);
  void IniSave(TObject*);
  void IniLoad(TObject*);

  std::vector<Section> sections_;
  TBarPosition position_ = bpAuto;
  TBarOrientation orientation_ = boHorizontal;
  TAlign storedAlign_ = alTop;
  int btnWidth_ = 24, btnHeight_ = 23;
  int gridX_ = 8, gridY_ = 23;
  int btnOffsetHorz_ = 0, btnOffsetVert_ = 0;
  HWND setupWindow_ = nullptr;
  TSpeedbarOptions options_{sbAllowDrag, sbGrayedBtns};
  bool updating_ = false;
  int version_ = 0;
  TPicture wallpaper_;
  std::unique_ptr<TIniLink> iniLink_;
  bool oldAlign_ = false;
  RECT dragFrame_{};
  TAlign dragAlign_ = alTop;
  bool pressed_ = false, barDragging_ = false, resizing_ = false;
  POINT mouseDown_{0, 0};

 protected:
  ~TSpeedBar() override;
};

}  // namespace vx
