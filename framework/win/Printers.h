// The printer: a canvas on the chosen printer's DC, with documents and pages. A test
// can hand it any DC (an enhanced metafile DC) instead of a real printer.
#pragma once

#include <memory>

#include "framework/win/Graphics.h"

namespace vx {

VX_EXCEPTION(EPrinter, Exception);

enum TPrinterOrientation { poPortrait, poLandscape };

class TPrinter : public TObject {
 public:
  TPrinter();
  ~TPrinter() override;
  const char* ClassName() const override { return "TPrinter"; }
  // Names of the installed printers; PrinterIndex -1 is the default printer.
  TStrings* Printers();
  int PrinterIndex() const { return index_; }
  void SetPrinterIndex(int i);
  // An information DC of the printer (made on demand); EPrinter when there is none.
  HDC Handle();
  // The chosen printer's device, driver and port names and its device mode (a global block
  // that stays the printer object's); false when no printer is installed.
  bool GetPrinter(AnsiString& device, AnsiString& driver, AnsiString& port, HGLOBAL& devMode);
  // Chooses a printer by its device name with the settings a print dialog gave (the block
  // becomes the printer object's, also when the choice is refused; nullptr: the printer's
  // own settings).
  void SetPrinter(const AnsiString& device, HGLOBAL devMode);
  // Prints on dc (not owned) instead of a printer.
  void SetTargetDC(HDC dc);
  TCanvas* Canvas() { return &canvas_; }
  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& t) { title_ = t; }
  void BeginDoc();
  void EndDoc();
  void NewPage();
  void Abort();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  int PageNumber() const { return page_; }
  int PageWidth();
  int PageHeight();

 private:
  void FreeDC();
  void FreeDevMode();
  AnsiString DeviceName();
  std::unique_ptr<TStringList> printers_;
  HGLOBAL devMode_ = nullptr;
  AnsiString devModeOf_;  // the device the block describes
  int index_ = -1;
  HDC dc_ = nullptr;
  bool ownDC_ = false, printing_ = false, aborted_ = false;
  int page_ = 0;
  AnsiString title_;
  TCanvas canvas_;
};

// The program's printer (made on first use).
TPrinter* Printer();

}  // namespace vx
