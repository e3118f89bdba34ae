// Edits with a small button at their right end: the combo edit, whose button only fires
// an event, and the file-name and directory edits, whose button opens the file-open or
// the select-directory dialog and which take a file dropped from the shell.
//
// The edit window is a multi-line EDIT (so that a formatting rectangle keeps the text
// clear of the button) holding a plain child window, the button's container, with the
// flat button inside it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "framework/win/Dialogs.h"
#include "framework/win/Menus.h"
#include "framework/win/SelectDir.h"
#include "framework/win/StdCtrls.h"
#include "toolkit/FileUtil.h"
#include "toolkit/ZXCtrls.h"

namespace vx {

VX_EXCEPTION(EComboEditError, Exception);

enum TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };
const TTypeInfo* TypeInfoGlyphKind();

using TExecOpenDialogEvent = std::function<void(TObject* Sender, AnsiString& Name, bool& Action)>;

// String resources of the edits (toolkit/ToolEdit.rc).
constexpr UINT SDefaultFilter = 61263;    // "All files (*.*)|*.*"
constexpr UINT SBrowse = 61264;           // "Browse"
constexpr UINT SInvalidFilename = 61265;  // "Invalid file name - %s"

// The combo edits' default ClickKey: Alt+Down.
constexpr TShortCut DefaultClickKey = 32808;

// Where the button's container goes in an edit of W x H with a button w wide: new-style
// controls with and without a 3-D border, or old-style ones.
RECT ComboButtonRect(int editWidth, int editHeight, int buttonWidth, bool newStyle, bool ctl3D);
// The smallest height of an edit: the smaller of the two font heights plus four borders
// and one pixel.
int ComboEditMinHeight(int systemFontHeight, int editFontHeight, int borderHeight);
// The left edges of the ellipsis glyph's three 2 x 2 dots in a bitmap `width` wide.
std::array<int, 3> EllipsisDotLefts(int width);
// Whether the system draws new-style (Windows 4 and later) controls.
bool NewStyleControls();

class TCustomComboEdit;

// The button inside the edit; it draws its own left edge against the edit's text.
class TEditButton : public TZxSpeedButton {
 public:
  explicit TEditButton(TComponent* owner);
  const char* ClassName() const override { return "TEditButton"; }

 protected:
  void Paint() override;

 protected:
  ~TEditButton() override = default;
};

class TCustomComboEdit : public TCustomEdit {
 public:
  explicit TCustomComboEdit(TComponent* owner);
  const char* ClassName() const override { return "TCustomComboEdit"; }

  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  const AnsiString& ButtonHint() const { return button_->Hint(); }
  void SetButtonHint(const AnsiString& h) { button_->SetHint(h); }
  TShortCut ClickKey() const { return clickKey_; }
  void SetClickKey(TShortCut k) { clickKey_ = k; }
  bool DirectInput() const { return directInput_; }
  void SetDirectInput(bool v);
  TGlyphKind GlyphKind() const { return glyphKind_; }
  void SetGlyphKind(TGlyphKind k);
  TBitmap* Glyph() { return button_->Glyph(); }
  // Makes GlyphKind gkCustom.
  void SetGlyph(TBitmap* b);
  int ButtonWidth() const { return button_->Width(); }
  void SetButtonWidth(int w);
  int NumGlyphs() const { return button_->NumGlyphs(); }
  void SetNumGlyphs(int n);
  // The edit's own flag; the window is read-only also while DirectInput is off.
  bool ReadOnly() const { return GetReadOnly(); }
  void SetReadOnly(bool r);
  // Whether the text may be changed.
  bool EditCanModify() const { return !GetReadOnly(); }
  // The keyboard focus is in the edit.
  bool HasFocus() const { return focused_; }

  TEditButton* Button() const { return button_; }
  TWinControl* ButtonContainer() const { return btnControl_; }

  TNotifyEvent OnButtonClick;

  void WndProc(TMessage& m) override;

 protected:
  // The bitmap for gkDefault; destroyNeeded tells the caller to free it.
  virtual TBitmap* DefaultGlyph(bool& destroyNeeded);
  virtual bool CanAcceptPopupValue() { return true; }
  virtual bool GetReadOnly() const { return readOnly_; }
  // Fires OnButtonClick.
  virtual void ButtonClick();
  // A click of the button or the ClickKey: ButtonClick unless ReadOnly.
  void EditButtonClick();
  void RecreateGlyph();
  // Places the button's container and keeps the text clear of it.
  void UpdateButtonPlace();
  void SetEditRect();

  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void Resize() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void DoEnter() override;
  void FontChanged() override;
  void EnabledChanged() override;

 private:
  void ApplyReadOnly();
  TEditButton* button_;
  TWinControl* btnControl_;
  TShortCut clickKey_ = DefaultClickKey;
  bool readOnly_ = false;
  bool directInput_ = true;
  bool focused_ = false;
  TAlignment alignment_ = taLeftJustify;
  TGlyphKind glyphKind_ = gkCustom;

 protected:
  ~TCustomComboEdit() override;
};

class TComboEdit : public TCustomComboEdit {
 public:
  explicit TComboEdit(TComponent* owner) : TCustomComboEdit(owner) {}
  const char* ClassName() const override { return "TComboEdit"; }

 protected:
  ~TComboEdit() override = default;
};

// Base of the file-name and directory edits: shell drops, the dialog events and the
// shared default glyph.
class TFileDirEdit : public TCustomComboEdit {
 public:
  explicit TFileDirEdit(TComponent* owner);
  const char* ClassName() const override { return "TFileDirEdit"; }

  bool AcceptFiles() const { return acceptFiles_; }
  void SetAcceptFiles(bool v);

  TExecOpenDialogEvent OnBeforeDialog;
  TExecOpenDialogEvent OnAfterDialog;
  TNotifyEvent OnDropFiles;

  void WndProc(TMessage& m) override;

 protected:
  TBitmap* DefaultGlyph(bool& destroyNeeded) override;
  // Takes a name chosen or dropped.
  virtual void AcceptFileName(const AnsiString& name) = 0;
  virtual void DoBeforeDialog(AnsiString& name, bool& action);
  virtual void DoAfterDialog(AnsiString& name, bool& action);
  void CreateWnd() override;
  void DestroyWnd() override;

 private:
  void DropFiles(HDROP drop);
  bool acceptFiles_ = false;

 protected:
  ~TFileDirEdit() override = default;
};

class TFilenameEdit : public TFileDirEdit {
 public:
  explicit TFilenameEdit(TComponent* owner);
  const char* ClassName() const override { return "TFilenameEdit"; }

  // The first word of the text, split as a command line (quotes dropped).
  AnsiString FileName();
  // EComboEditError "Invalid file name - %s" for a name Windows cannot take; the text
  // then stays. An empty name empties the text.
  void SetFileName(const AnsiString& name);

  TOpenDialog* Dialog() const { return dialog_; }
  const AnsiString& DefaultExt() const { return dialog_->DefaultExt(); }
  void SetDefaultExt(const AnsiString& e) { dialog_->SetDefaultExt(e); }
  TFileEditStyle FileEditStyle() const { return dialog_->FileEditStyle(); }
  void SetFileEditStyle(TFileEditStyle s) { dialog_->SetFileEditStyle(s); }
  const AnsiString& Filter() const { return dialog_->Filter(); }
  void SetFilter(const AnsiString& f) { dialog_->SetFilter(f); }
  int FilterIndex() const { return dialog_->FilterIndex(); }
  void SetFilterIndex(int i) { dialog_->SetFilterIndex(i); }
  const AnsiString& InitialDir() const { return dialog_->InitialDir(); }
  void SetInitialDir(const AnsiString& d) { dialog_->SetInitialDir(d); }
  TStrings* HistoryList() { return dialog_->HistoryList(); }
  TOpenOptions DialogOptions() const { return dialog_->Options(); }
  void SetDialogOptions(TOpenOptions o) { dialog_->SetOptions(o); }
  const AnsiString& DialogTitle() const { return dialog_->Title(); }
  void SetDialogTitle(const AnsiString& t) { dialog_->SetTitle(t); }

 protected:
  void ButtonClick() override;
  void AcceptFileName(const AnsiString& name) override;

 private:
  TOpenDialog* dialog_;

 protected:
  ~TFilenameEdit() override = default;
};

class TDirectoryEdit : public TFileDirEdit {
 public:
  explicit TDirectoryEdit(TComponent* owner);
  const char* ClassName() const override { return "TDirectoryEdit"; }

  TSelectDirOpts DialogOptions() const { return dialogOptions_; }
  void SetDialogOptions(TSelectDirOpts o) { dialogOptions_ = o; }
  const AnsiString& InitialDir() const { return initialDir_; }
  void SetInitialDir(const AnsiString& d) { initialDir_ = d; }

 protected:
  void ButtonClick() override;
  void AcceptFileName(const AnsiString& name) override;

 private:
  TSelectDirOpts dialogOptions_;
  AnsiString initialDir_;

 protected:
  ~TDirectoryEdit() override = default;
};

}  // namespace vx
