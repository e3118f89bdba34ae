// Common dialogs and message dialogs. Every Execute passes through the application's
// test seam (Application->OnCommonDialog); unattended runs without a handler cancel.
#pragma once

#include <functional>
#include <memory>

#include "framework/win/Forms.h"

namespace vx {

class TCommonDialog : public TComponent {
 public:
  explicit TCommonDialog(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TCommonDialog"; }
  // True when the user (or the seam) accepted.
  bool Execute();
  int HelpContext() const { return helpContext_; }
  void SetHelpContext(int h) { helpContext_ = h; }
  TNotifyEvent OnShow, OnClose;

  // The seam: answers instead of the system dialog (fill the dialog's fields, return OK).
  static std::function<bool(TCommonDialog* dialog)>& Handler();

 protected:
  virtual bool Run(HWND owner) = 0;
  HWND OwnerWindow();

 private:
  int helpContext_ = 0;

 protected:
  ~TCommonDialog() override = default;
};

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks
};
using TOpenOptions = TSet<TOpenOption>;
enum TFileEditStyle { fsEdit, fsComboBox };

class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* owner);
  const char* ClassName() const override { return "TOpenDialog"; }
  const AnsiString& FileName() const { return fileName_; }
  void SetFileName(const AnsiString& f) { fileName_ = f; }
  // All chosen names (one, or several with ofAllowMultiSelect), full paths.
  TStrings* Files() { return &files_; }
  // "Text|*.txt|All Files (*.*)|*.*"
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& f) { filter_ = f; }
  int FilterIndex() const { return filterIndex_; }
  void SetFilterIndex(int i) { filterIndex_ = i; }
  const AnsiString& DefaultExt() const { return defaultExt_; }
  void SetDefaultExt(const AnsiString& e) { defaultExt_ = e; }
  const AnsiString& InitialDir() const { return initialDir_; }
  void SetInitialDir(const AnsiString& d) { initialDir_ = d; }
  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& t) { title_ = t; }
  TOpenOptions Options() const { return options_; }
  void SetOptions(TOpenOptions o) { options_ = o; }
  // Stored for the forms that set them; they change nothing here.
  TStrings* HistoryList() { return &history_; }
  TFileEditStyle FileEditStyle() const { return fileEditStyle_; }
  void SetFileEditStyle(TFileEditStyle s) { fileEditStyle_ = s; }

 protected:
  bool Run(HWND owner) override;
  virtual bool IsSave() const { return false; }

 private:
  AnsiString fileName_, filter_, defaultExt_, initialDir_, title_;
  int filterIndex_ = 1;
  TOpenOptions options_{ofHideReadOnly};
  TStringList files_, history_;
  TFileEditStyle fileEditStyle_ = fsEdit;

 protected:
  ~TOpenDialog() override = default;
};

class TSaveDialog : public TOpenDialog {
 public:
  explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}
  const char* ClassName() const override { return "TSaveDialog"; }

 protected:
  bool IsSave() const override { return true; }

 protected:
  ~TSaveDialog() override = default;
};

enum TFontDialogOption {
  fdAnsiOnly,
  fdTrueTypeOnly,
  fdEffects,
  fdFixedPitchOnly,
  fdForceFontExist,
  fdNoFaceSel,
  fdNoOEMFonts,
  fdNoSimulations,
  fdNoSizeSel,
  fdNoStyleSel,
  fdNoVectorFonts,
  fdShowHelp,
  fdWysiwyg,
  fdLimitSize,
  fdScalableOnly
};
using TFontDialogOptions = TSet<TFontDialogOption>;
enum TFontDialogDevice { fdScreen, fdPrinter, fdBoth };

class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner);
  const char* ClassName() const override { return "TFontDialog"; }
  TFont* Font() { return &font_; }
  void SetFont(const TFont& f) { font_.Assign(f); }
  TFontDialogOptions Options() const { return options_; }
  void SetOptions(TFontDialogOptions o) { options_ = o; }
  TFontDialogDevice Device() const { return device_; }
  void SetDevice(TFontDialogDevice d) { device_ = d; }

 protected:
  bool Run(HWND owner) override;

 private:
  TFont font_;
  TFontDialogOptions options_{fdEffects};
  TFontDialogDevice device_ = fdScreen;

 protected:
  ~TFontDialog() override = default;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* owner);
  const char* ClassName() const override { return "TColorDialog"; }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; }
  // Sixteen custom colours as lines "ColorA=808080" .. "ColorP=..." (hex, bbggrr).
  TStrings* CustomColors() { return &custom_; }
  TColorDialogOptions Options() const { return options_; }
  void SetOptions(TColorDialogOptions o) { options_ = o; }

 protected:
  bool Run(HWND owner) override;

 private:
  TColor color_ = clBlack;
  TStringList custom_;
  TColorDialogOptions options_;

 protected:
  ~TColorDialog() override = default;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poHelp, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;

class TPrintDialog : public TCommonDialog {
 public:
  explicit TPrintDialog(TComponent* owner) : TCommonDialog(owner) {}
  const char* ClassName() const override { return "TPrintDialog"; }
  int FromPage() const { return fromPage_; }
  void SetFromPage(int p) { fromPage_ = p; }
  int ToPage() const { return toPage_; }
  void SetToPage(int p) { toPage_ = p; }
  int MinPage() const { return minPage_; }
  void SetMinPage(int p) { minPage_ = p; }
  int MaxPage() const { return maxPage_; }
  void SetMaxPage(int p) { maxPage_ = p; }
  int Copies() const { return copies_; }
  void SetCopies(int c) { copies_ = c; }
  TPrintRange PrintRange() const { return range_; }
  void SetPrintRange(TPrintRange r) { range_ = r; }
  TPrintDialogOptions Options() const { return options_; }
  void SetOptions(TPrintDialogOptions o) { options_ = o; }
  // The printer DC the dialog chose (owned by the caller after a successful Execute).
  HDC PrinterDC() const { return dc_; }

 protected:
  bool Run(HWND owner) override;

 private:
  int fromPage_ = 0, toPage_ = 0, minPage_ = 0, maxPage_ = 0, copies_ = 1;
  TPrintRange range_ = prAllPages;
  TPrintDialogOptions options_;
  HDC dc_ = nullptr;

 protected:
  ~TPrintDialog() override = default;
};

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
const TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
const TMsgDlgButtons mbOKCancel{mbOK, mbCancel};

// A message box through the application's seam; returns mrOk, mrYes, ...
int MessageDlg(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext);
void ShowMessage(const AnsiString& msg);

}  // namespace vx
