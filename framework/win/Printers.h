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
  std::unique_ptr<TStringList> printers_;
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
