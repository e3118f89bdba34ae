#include "framework/win/Dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <utility>

#include "framework/core/SysUtils.h"
#include "framework/win/Printers.h"

namespace vx {

std::function<bool(TCommonDialog*)>& TCommonDialog::Handler() {
  static std::function<bool(TCommonDialog*)> h;
  return h;
}

HWND TCommonDialog::OwnerWindow() {
  HWND a = GetActiveWindow();
  if (a) return a;
  TForm* main = Application->MainForm();
  return main && main->HandleAllocated() ? main->Handle() : nullptr;
}

bool TCommonDialog::Execute() {
  if (OnShow) OnShow(this);
  bool ok;
  if (Handler()) {
    ok = Handler()(this);
  } else if (Application->Unattended()) {
    Application->UnansweredLog.push_back(AnsiString("dialog ") + ClassName());
    ok = false;
  } else {
    ok = Run(OwnerWindow());
  }
  if (OnClose) OnClose(this);
  return ok;
}

// ---- open and save -----------------------------------------------------------------

TOpenDialog::TOpenDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TOpenDialog::Run(HWND owner) {
  // "a|b|c|d" becomes "a\0b\0c\0d\0\0".
  std::string filter = filter_;
  for (char& ch : filter)
    if (ch == '|') ch = '\0';
  filter.append(2, '\0');
  std::string buffer(64 * 1024, '\0');
  std::strncpy(buffer.data(), fileName_.c_str(), buffer.size() - 1);
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = filter_.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = filterIndex_;
  ofn.lpstrFile = buffer.data();
  ofn.nMaxFile = static_cast<DWORD>(buffer.size());
  ofn.lpstrInitialDir = initialDir_.empty() ? nullptr : initialDir_.c_str();
  ofn.lpstrTitle = title_.empty() ? nullptr : title_.c_str();
  ofn.lpstrDefExt = defaultExt_.empty() ? nullptr : defaultExt_.c_str();
  static const DWORD flags[] = {OFN_READONLY,
                                OFN_OVERWRITEPROMPT,
                                OFN_HIDEREADONLY,
                                OFN_NOCHANGEDIR,
                                OFN_SHOWHELP,
                                OFN_NOVALIDATE,
                                OFN_ALLOWMULTISELECT,
                                OFN_EXTENSIONDIFFERENT,
                                OFN_PATHMUSTEXIST,
                                OFN_FILEMUSTEXIST,
                                OFN_CREATEPROMPT,
                                OFN_SHAREAWARE,
                                OFN_NOREADONLYRETURN,
                                OFN_NOTESTFILECREATE,
                                OFN_NONETWORKBUTTON,
                                OFN_NOLONGNAMES,
                                0,
                                OFN_NODEREFERENCELINKS};
  for (int i = 0; i <= ofNoDereferenceLinks; ++i)
    if (options_.Contains(static_cast<TOpenOption>(i))) ofn.Flags |= flags[i];
  ofn.Flags |= OFN_EXPLORER | OFN_ENABLESIZING;
  BOOL ok = IsSave() ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn);
  if (!ok) return false;
  filterIndex_ = static_cast<int>(ofn.nFilterIndex);
  files_.Clear();
  const char* p = buffer.c_str();
  AnsiString first = p;
  p += first.size() + 1;
  if ((ofn.Flags & OFN_ALLOWMULTISELECT) && *p) {
    // A folder followed by names.
    while (*p) {
      files_.Add(IncludeTrailingBackslash(first) + p);
      p += std::strlen(p) + 1;
    }
  } else {
    files_.Add(first);
  }
  fileName_ = files_[0];
  return true;
}

// ---- font --------------------------------------------------------------------------

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TFontDialog::Run(HWND owner) {
  LOGFONTA lf = font_.LogFont();
  CHOOSEFONTA cf{};
  cf.lStructSize = sizeof cf;
  cf.hwndOwner = owner;
  cf.lpLogFont = &lf;
  cf.rgbColors = ColorToRGB(font_.Color());
  cf.Flags = CF_INITTOLOGFONTSTRUCT | (device_ == fdPrinter ? CF_PRINTERFONTS
                                       : device_ == fdBoth  ? CF_BOTH
                                                            : CF_SCREENFONTS);
  if (options_.Contains(fdEffects)) cf.Flags |= CF_EFFECTS;
  if (options_.Contains(fdForceFontExist)) cf.Flags |= CF_FORCEFONTEXIST;
  if (options_.Contains(fdTrueTypeOnly)) cf.Flags |= CF_TTONLY;
  if (options_.Contains(fdFixedPitchOnly)) cf.Flags |= CF_FIXEDPITCHONLY;
  if (options_.Contains(fdAnsiOnly)) cf.Flags |= CF_SCRIPTSONLY;
  if (options_.Contains(fdNoVectorFonts)) cf.Flags |= CF_NOVECTORFONTS;
  if (options_.Contains(fdScalableOnly)) cf.Flags |= CF_SCALABLEONLY;
  if (device_ != fdScreen) cf.hDC = nullptr;
  if (!ChooseFontA(&cf)) return false;
  HFONT f = CreateFontIndirectA(&lf);
  font_.SetHandle(f);
  DeleteObject(f);
  font_.SetColor(static_cast<TColor>(cf.rgbColors));
  return true;
}

// ---- colour ------------------------------------------------------------------------

TColorDialog::TColorDialog(TComponent* owner) : TCommonDialog(owner) {}

bool TColorDialog::Run(HWND owner) {
  COLORREF custom[16];
  for (int i = 0; i < 16; ++i) {
    AnsiString v = custom_.Values(AnsiString("Color") + static_cast<char>('A' + i));
    custom[i] = v.empty() ? RGB(255, 255, 255) : static_cast<COLORREF>(StrToIntDef("$" + v, 0xFFFFFF));
  }
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = ColorToRGB(color_);
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | (options_.Contains(cdFullOpen) ? CC_FULLOPEN : 0) |
             (options_.Contains(cdPreventFullOpen) ? CC_PREVENTFULLOPEN : 0) |
             (options_.Contains(cdSolidColor) ? CC_SOLIDCOLOR : 0) | (options_.Contains(cdAnyColor) ? CC_ANYCOLOR : 0);
  if (!ChooseColorA(&cc)) return false;
  color_ = static_cast<TColor>(cc.rgbResult);
  custom_.Clear();
  for (int i = 0; i < 16; ++i)
    custom_.Add(Format("Color%c=%s", 'A' + i, IntToHex(static_cast<int>(custom[i]), 6).c_str()));
  return true;
}

// ---- print -------------------------------------------------------------------------

bool TPrintDialog::Run(HWND owner) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  pd.Flags = PD_RETURNDC | PD_USEDEVMODECOPIESANDCOLLATE;
  if (!options_.Contains(poPageNums)) pd.Flags |= PD_NOPAGENUMS;
  if (!options_.Contains(poSelection)) pd.Flags |= PD_NOSELECTION;
  if (!options_.Contains(poPrintToFile)) pd.Flags |= PD_HIDEPRINTTOFILE;
  if (range_ == prPageNums) pd.Flags |= PD_PAGENUMS;
  if (range_ == prSelection) pd.Flags |= PD_SELECTION;
  pd.nFromPage = static_cast<WORD>(fromPage_);
  pd.nToPage = static_cast<WORD>(toPage_);
  pd.nMinPage = static_cast<WORD>(minPage_);
  pd.nMaxPage = static_cast<WORD>(maxPage_);
  pd.nCopies = static_cast<WORD>(copies_);
  if (!PrintDlgA(&pd)) return false;
  fromPage_ = pd.nFromPage;
  toPage_ = pd.nToPage;
  copies_ = pd.nCopies;
  range_ = (pd.Flags & PD_PAGENUMS) ? prPageNums : (pd.Flags & PD_SELECTION) ? prSelection : prAllPages;
  dc_ = pd.hDC;
  // The printer and settings chosen become the program's printer.
  AnsiString device;
  if (pd.hDevNames) {
    if (auto* names = static_cast<DEVNAMES*>(GlobalLock(pd.hDevNames))) {
      device = reinterpret_cast<const char*>(names) + names->wDeviceOffset;
      GlobalUnlock(pd.hDevNames);
    }
    GlobalFree(pd.hDevNames);
  }
  if (!device.empty()) {
    try {
      // The settings become the printer object's, which frees them if it refuses the choice.
      Printer()->SetPrinter(device, std::exchange(pd.hDevMode, nullptr));
    } catch (const EPrinter&) {
      // A choice the printer object refuses leaves the program's printer as it was.
    }
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  return true;
}

// ---- message dialogs ---------------------------------------------------------------

int MessageDlg(const AnsiString& msg, TMsgDlgType type, TMsgDlgButtons buttons, int helpContext) {
  UINT flags = 0;
  switch (type) {
    case mtWarning: flags |= MB_ICONWARNING; break;
    case mtError: flags |= MB_ICONERROR; break;
    case mtInformation: flags |= MB_ICONINFORMATION; break;
    case mtConfirmation: flags |= MB_ICONQUESTION; break;
    case mtCustom: break;
  }
  if (buttons.Contains(mbYes) && buttons.Contains(mbNo))
    flags |= buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
  else if (buttons.Contains(mbAbort))
    flags |= MB_ABORTRETRYIGNORE;
  else if (buttons.Contains(mbRetry))
    flags |= MB_RETRYCANCEL;
  else if (buttons.Contains(mbCancel))
    flags |= MB_OKCANCEL;
  else
    flags |= MB_OK;
  if (buttons.Contains(mbHelp)) flags |= MB_HELP;
  static const char* captions[] = {"Warning", "Error", "Information", "Confirm", ""};
  AnsiString caption = type == mtCustom ? Application->Title() : captions[type];
  (void)helpContext;
  return Application->MessageBox(msg, caption, flags);
}

void ShowMessage(const AnsiString& msg) { Application->MessageBox(msg, Application->Title(), MB_OK); }

}  // namespace vx
