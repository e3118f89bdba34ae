// The standard Windows controls as objects: label, buttons, check and radio boxes, edits,
// memo, list and combo boxes (their items as string lists backed by the window), group
// box and scroll bar.
#pragma once

#include <memory>

#include "framework/win/Controls.h"

namespace vx {

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout { tlTop, tlCenter, tlBottom };
const TTypeInfo* TypeInfoAlignment();

// A label: windowless, with an "&" accelerator that focuses FocusControl.
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  const char* ClassName() const override { return "TLabel"; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) {
    alignment_ = a;
    Invalidate();
  }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l) {
    layout_ = l;
    Invalidate();
  }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool a) {
    autoSize_ = a;
    AdjustBounds();
  }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool w) {
    wordWrap_ = w;
    AdjustBounds();
  }
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) {
    transparent_ = t;
    Invalidate();
  }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool s) {
    showAccelChar_ = s;
    Invalidate();
  }
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* c);
  void WndProc(TMessage& m) override;

 protected:
  void Paint() override;
  void TextChanged() override;
  void FontChanged() override;
  void Notification(TComponent* c, TOperation op) override;
  void AdjustBounds();
  UINT DrawFlags() const;

 private:
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool autoSize_ = true, wordWrap_ = false, transparent_ = false, showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;

 protected:
  ~TLabel() override = default;
};

class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);
  const char* ClassName() const override { return "TButtonControl"; }

 protected:
  ~TButtonControl() override = default;
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  const char* ClassName() const override { return "TButton"; }
  // Enter clicks the default button (unless another button has the focus); Esc the cancel one.
  bool Default() const { return default_; }
  void SetDefault(bool d);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool c) { cancel_ = c; }
  // Clicking sets the form's ModalResult to this value (when not mrNone).
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }
  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  bool PaintDisabledFace(TMessage& m);
  bool default_ = false, cancel_ = false;
  int modalResult_ = 0;

 protected:
  ~TButton() override = default;
};

enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  const char* ClassName() const override { return "TCheckBox"; }
  bool Checked() const { return state_ == cbChecked; }
  // Changing the state fires OnClick, as a click by the user does.
  void SetChecked(bool c) { SetState(c ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool a) { allowGrayed_ = a; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) {
    alignment_ = a;
    RecreateWnd();
  }
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;

 private:
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;

 protected:
  ~TCheckBox() override = default;
};

class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  const char* ClassName() const override { return "TRadioButton"; }
  bool Checked() const { return checked_; }
  // Checking one unchecks the other radio buttons of the same parent; fires OnClick.
  void SetChecked(bool c);
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;

 private:
  bool checked_ = false;

 protected:
  ~TRadioButton() override = default;
};

enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  const char* ClassName() const override { return "TCustomEdit"; }
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase c) {
    charCase_ = c;
    RecreateWnd();
  }
  char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(char c);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool a) { autoSelect_ = a; }
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool h) {
    hideSelection_ = h;
    RecreateWnd();
  }
  bool OEMConvert() const { return oemConvert_; }
  void SetOEMConvert(bool o) {
    oemConvert_ = o;
    RecreateWnd();
  }
  const AnsiString& EditMask() const { return editMask_; }  // kept, not applied
  void SetEditMask(const AnsiString& m) { editMask_ = m; }
  bool Modified();
  void SetModified(bool m);
  int SelStart();
  void SetSelStart(int s);
  int SelLength();
  void SetSelLength(int n);
  AnsiString SelText();
  void SetSelText(const AnsiString& s);
  void SelectAll();
  void ClearSelection() { SetSelText(""); }
  void Clear() { SetText(""); }
  void CopyToClipboard() { Perform(WM_COPY); }
  void CutToClipboard() { Perform(WM_CUT); }
  void PasteFromClipboard() { Perform(WM_PASTE); }
  TNotifyEvent OnChange;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  void DoEnter() override;

 private:
  bool readOnly_ = false, autoSelect_ = true, hideSelection_ = true, oemConvert_ = false, modified_ = false;
  int maxLength_ = 0;
  TEditCharCase charCase_ = ecNormal;
  char passwordChar_ = 0;
  AnsiString editMask_;
  int selStart_ = 0, selLength_ = 0;

 protected:
  ~TCustomEdit() override = default;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* owner);
  const char* ClassName() const override { return "TEdit"; }

 protected:
  ~TEdit() override = default;
};

enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  const char* ClassName() const override { return "TMemo"; }
  TStrings* Lines() { return lines_.get(); }
  void SetLines(const TStrings& s) { lines_->Assign(s); }
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s) {
    scrollBars_ = s;
    RecreateWnd();
  }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool w) {
    wordWrap_ = w;
    RecreateWnd();
  }
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool w) {
    wantReturns_ = w;
    RecreateWnd();
  }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool w) { wantTabs_ = w; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) {
    alignment_ = a;
    RecreateWnd();
  }
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;

 private:
  std::unique_ptr<TStrings> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true, wantReturns_ = true, wantTabs_ = false;
  TAlignment alignment_ = taLeftJustify;

 protected:
  ~TMemo() override;
};

// Message numbers of a list-like window (list box or combo box).
struct TListMessages {
  UINT getCount, getTextLen, getText, addString, insertString, deleteString, resetContent, getData, setData;
};

// Items of a list or combo box: the window's own list while it exists, a plain list
// otherwise (before creation and across re-creation).
class TWindowStrings : public TStrings {
 public:
  TWindowStrings(TWinControl* owner, const TListMessages& msgs);
  const char* ClassName() const override { return "TWindowStrings"; }
  // Moves the items into the new window / out of the old one.
  void WindowCreated();
  void WindowDestroying();
  bool Sorted() const { return sorted_; }
  void SetSorted(bool s) { sorted_ = s; }
  int IndexOf(const AnsiString& s) const override;

 protected:
  AnsiString Get(int index) const override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* o) override;
  int GetCount() const override;
  void InsertItem(int index, const AnsiString& s, TObject* o) override;
  void DeleteItem(int index) override;
  void ClearItems() override;
  void SetUpdateState(bool updating) override;

 private:
  bool Live() const;
  TWinControl* owner_;
  TListMessages m_;
  TStringList saved_;
  bool sorted_ = false, inWindow_ = false;
};

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
enum TOwnerDrawStateFlag { odSelected, odGrayed, odDisabled, odChecked, odFocused };
using TOwnerDrawState = TSet<TOwnerDrawStateFlag>;
using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, RECT Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

class TCustomListBox : public TWinControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  const char* ClassName() const override { return "TCustomListBox"; }
  TStrings* Items() { return items_.get(); }
  void SetItems(const TStrings& s) { items_->Assign(s); }
  int ItemIndex();
  virtual void SetItemIndex(int i);
  bool MultiSelect() const { return multiSelect_; }
  void SetMultiSelect(bool m) {
    multiSelect_ = m;
    RecreateWnd();
  }
  bool ExtendedSelect() const { return extendedSelect_; }
  void SetExtendedSelect(bool e) {
    extendedSelect_ = e;
    RecreateWnd();
  }
  int SelCount();
  bool Selected(int i);
  void SetSelected(int i, bool s);
  int TopIndex();
  void SetTopIndex(int i);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool s);
  TListBoxStyle Style() const { return style_; }
  void SetStyle(TListBoxStyle s) {
    style_ = s;
    RecreateWnd();
  }
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int h);
  int ItemAtPos(POINT p, bool existing);
  RECT ItemRect(int index);
  void Clear() { items_->Clear(); }
  TCanvas* Canvas() { return canvas_.get(); }
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void DrawItem(int index, RECT r, TOwnerDrawState state);

 private:
  std::unique_ptr<TWindowStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  bool multiSelect_ = false, extendedSelect_ = true, sorted_ = false;
  TListBoxStyle style_ = lbStandard;
  int itemHeight_ = 16, itemIndex_ = -1, topIndex_ = 0;
  int autoDragSelChanges_ = -1;  // counting selection notices during an automatic drag's press
  std::vector<int> savedSelection_;

 protected:
  ~TCustomListBox() override;
};

class TListBox : public TCustomListBox {
 public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
  const char* ClassName() const override { return "TListBox"; }

 protected:
  ~TListBox() override = default;
};

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const char* ClassName() const override { return "TComboBox"; }
  TStrings* Items() { return items_.get(); }
  void SetItems(const TStrings& s) { items_->Assign(s); }
  int ItemIndex();
  void SetItemIndex(int i);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s) {
    style_ = s;
    RecreateWnd();
  }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool s);
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n) { dropDownCount_ = n; }
  // The width of the dropped-down list; 0 for the combo box's own width.
  int DropDownWidth() const { return dropDownWidth_; }
  void SetDropDownWidth(int w);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int h) {
    itemHeight_ = h;
    RecreateWnd();
  }
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool DroppedDown();
  void SetDroppedDown(bool d);
  void Clear() {
    items_->Clear();
    SetText("");
  }
  TCanvas* Canvas() { return canvas_.get(); }
  TNotifyEvent OnChange, OnDropDown;
  TDrawItemEvent OnDrawItem;
  void WndProc(TMessage& m) override;
  void SetBounds(int l, int t, int w, int h) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();
  virtual void DrawItem(int index, RECT r, TOwnerDrawState state);

 private:
  std::unique_ptr<TWindowStrings> items_;
  std::unique_ptr<TControlCanvas> canvas_;
  TComboBoxStyle style_ = csDropDown;
  bool sorted_ = false;
  int dropDownCount_ = 8, itemHeight_ = 16, maxLength_ = 0, itemIndex_ = -1, dropDownWidth_ = 0;

 protected:
  ~TComboBox() override;
};

class TGroupBox : public TCustomControl {
 public:
  explicit TGroupBox(TComponent* owner);
  const char* ClassName() const override { return "TGroupBox"; }

 protected:
  void Paint() override;
  void AdjustClientRect(RECT& r) override;
  void TextChanged() override { Invalidate(); }

 protected:
  ~TGroupBox() override = default;
};

enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom, scEndScroll };
using TScrollEvent = std::function<void(TObject* Sender, TScrollCode Code, int& ScrollPos)>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  const char* ClassName() const override { return "TScrollBar"; }
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind k);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return pageSize_; }
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  void SetPageSize(int p);
  void SetParams(int position, int min, int max);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = v; }
  TScrollEvent OnScroll;
  TNotifyEvent OnChange;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;

 private:
  void Apply();
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;

 protected:
  ~TScrollBar() override = default;
};

}  // namespace vx
