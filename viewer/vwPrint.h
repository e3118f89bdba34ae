// The viewer's printer: its own device context on the printer chosen in the program's
// printer object, with the document, page and abort calls of a print job; and the page
// loop that prints a document's print copy on it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/win/Graphics.h"
#include "framework/win/Printers.h"

namespace vx {

class TvwPrinter;
class TSectionList;

// A canvas on the printer's context; drawing objects may change only while a document is
// being printed.
class TPrinterCanvas : public TCanvas {
 public:
  explicit TPrinterCanvas(TvwPrinter* printer) : printer_(printer) {}
  const char* ClassName() const override { return "TPrinterCanvas"; }
  void ReleaseHandle() { ReleaseDC(); }

 protected:
  void CreateHandle() override;
  void RequireState(int state) override;

 private:
  TvwPrinter* printer_;
};

class TvwPrinter : public TObject {
 public:
  TvwPrinter();
  ~TvwPrinter() override;
  const char* ClassName() const override { return "TvwPrinter"; }

  // 0 no context, 1 an information context, 2 a device context. EPrinter "Printer
  // selected is not valid" when the context cannot be made.
  void SetState(int s);
  int State() const { return state_; }
  HDC Handle() const { return dc_; }
  // The job. Failures of the printer end the job and raise EPrinter; nothing is reported
  // as printed that was not.
  void BeginDoc();
  void NewPage();
  void EndDoc();
  void Abort();
  int PageWidth();
  int PageHeight();
  TPrinterCanvas* Canvas();
  bool Printing() const { return printing_; }
  bool Aborted() const { return aborted_; }
  int PageNumber() const { return page_; }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& t) { title_ = t; }

 protected:
  // The platform's side of a job, in one place each (tests print into a metafile).
  virtual HDC CreateContext(bool information, const AnsiString& driver, const AnsiString& device,
                            const AnsiString& port, const DEVMODEA* mode);
  virtual void DeleteContext(HDC dc);
  virtual bool StartDocument(const std::string& name);
  virtual bool StartPrinterPage();
  virtual bool EndPrinterPage();
  virtual bool EndDocument();
  virtual void AbortDocument();

 private:
  void FreeDevMode();
  void Finish();
  int state_ = 0;
  HDC dc_ = nullptr;
  HGLOBAL devMode_ = nullptr;
  DEVMODEA* devModePtr_ = nullptr;
  std::unique_ptr<TPrinterCanvas> canvas_;
  bool printing_ = false, aborted_ = false;
  int page_ = 0;
  std::string title_;
};

// The printer object the abort procedure consults; made on first use, freed at the end.
TvwPrinter* CurrentPrinter();
// Installs another printer object (nullptr: the one made on first use); returns the previous.
TvwPrinter* SetPrinter(TvwPrinter* p);
// How THTMLViewer.Print makes its printer object (tests print into metafiles).
std::function<std::unique_ptr<TvwPrinter>()>& PrinterFactory();

// The document width on paper, in screen pixels: the printable width less 20.
int PrintLayoutWidth(int horzRes, int logPixelsX, int screenPixelsPerInch);
// The height of one page in screen pixels.
int PrintPageHeight(int vertRes, int logPixelsY, int screenPixelsPerInch);

// Prints a print copy (laid out here for the paper) on a printer whose document has begun:
// pages FromPage to ToPage, counted from 1, the earlier ones laid out off the paper. Ends
// the document, or aborts it when no page reached FromPage. Returns the pages printed.
int PrintDocument(TSectionList& copy, TvwPrinter& printer, int FromPage, int ToPage);

}  // namespace vx
