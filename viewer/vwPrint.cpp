#include "viewer/vwPrint.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "viewer/HTMLGdi.h"
#include "viewer/HTMLSubs.h"
#include "viewer/PageCanvas.h"

namespace vx {

namespace {

TvwPrinter* current = nullptr;

TvwPrinter& DefaultPrinter() {
  static TvwPrinter p;
  return p;
}

// Lets the program go on while the spooler works; the job ends once its printer is aborted.
BOOL CALLBACK AbortProc(HDC, int) {
  try {
    if (Application) Application->ProcessMessages();
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return CurrentPrinter()->Aborted() ? FALSE : TRUE;
}

[[noreturn]] void NotPrinting() { throw EPrinter("Printer is not currently printing"); }

}  // namespace

TvwPrinter* CurrentPrinter() { return current ? current : &DefaultPrinter(); }

TvwPrinter* SetPrinter(TvwPrinter* p) {
  TvwPrinter* old = CurrentPrinter();
  current = p;
  return old;
}

std::function<std::unique_ptr<TvwPrinter>()>& PrinterFactory() {
  static std::function<std::unique_ptr<TvwPrinter>()> f;
  return f;
}

// ---------------------------------------------------------------- TPrinterCanvas
void TPrinterCanvas::CreateHandle() {
  if (printer_->State() == 0) printer_->SetState(1);
  SetHandle(printer_->Handle());
}

void TPrinterCanvas::RequireState(int state) {
  if ((state & (csFont | csPen | csBrush)) && !printer_->Printing()) NotPrinting();
  TCanvas::RequireState(state);
}

// ---------------------------------------------------------------- TvwPrinter
TvwPrinter::TvwPrinter() = default;

TvwPrinter::~TvwPrinter() {
  if (printing_) {
    try {
      EndDoc();
    } catch (...) {
      // A job that cannot end here is over anyway.
    }
  }
  try {
    SetState(0);
  } catch (...) {}
  FreeDevMode();
}

void TvwPrinter::FreeDevMode() {
  if (devMode_) {
    if (devModePtr_) GlobalUnlock(devMode_);
    GlobalFree(devMode_);
  }
  devMode_ = nullptr;
  devModePtr_ = nullptr;
}

HDC TvwPrinter::CreateContext(bool information, const AnsiString& driver, const AnsiString& device,
                              const AnsiString& port, const DEVMODEA* mode) {
  if (device.empty()) return nullptr;
  const char* drv = driver.empty() ? "WINSPOOL" : driver.c_str();
  const char* prt = port.empty() ? nullptr : port.c_str();
  return information ? CreateICA(drv, device.c_str(), prt, mode) : CreateDCA(drv, device.c_str(), prt, mode);
}

void TvwPrinter::DeleteContext(HDC dc) { DeleteDC(dc); }

bool TvwPrinter::StartDocument(const std::string& name) {
  SetAbortProc(dc_, AbortProc);
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = name.c_str();
  return StartDocA(dc_, &di) > 0;
}

bool TvwPrinter::StartPrinterPage() { return ::StartPage(dc_) > 0; }
bool TvwPrinter::EndPrinterPage() { return ::EndPage(dc_) > 0; }
bool TvwPrinter::EndDocument() { return ::EndDoc(dc_) > 0; }
void TvwPrinter::AbortDocument() { ::AbortDoc(dc_); }

void TvwPrinter::SetState(int s) {
  if (s == state_) return;
  if (s == 0) {
    if (canvas_) canvas_->ReleaseHandle();
    if (dc_) DeleteContext(dc_);
    dc_ = nullptr;
    state_ = 0;
    return;
  }
  if (s == 1 && state_ == 2) return;  // a device context serves as an information context
  if (dc_) {
    if (canvas_) canvas_->ReleaseHandle();
    DeleteContext(dc_);
    dc_ = nullptr;
    state_ = 0;
  }
  AnsiString device, driver, port;
  HGLOBAL mode = nullptr;
  Printer()->GetPrinter(device, driver, port, mode);
  FreeDevMode();
  // A private copy of the settings: the program's printer may change them meanwhile.
  if (mode) {
    SIZE_T size = GlobalSize(mode);
    if (const void* src = GlobalLock(mode)) {
      devMode_ = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
      devModePtr_ = devMode_ ? static_cast<DEVMODEA*>(GlobalLock(devMode_)) : nullptr;
      if (devModePtr_) std::memcpy(devModePtr_, src, size);
      GlobalUnlock(mode);
    }
  }
  dc_ = CreateContext(s == 1, driver, device, port, devModePtr_);
  if (!dc_) throw EPrinter("Printer selected is not valid");
  state_ = s;
}

TPrinterCanvas* TvwPrinter::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TPrinterCanvas>(this);
  return canvas_.get();
}

void TvwPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  SetState(2);
  Canvas()->Refresh();
  printing_ = true;
  aborted_ = false;
  page_ = 1;
  std::string name = title_.substr(0, 31);
  if (!StartDocument(name)) {
    printing_ = false;
    page_ = 0;
    throw EPrinter("Printing could not be started");
  }
  if (!StartPrinterPage()) {
    AbortDocument();
    Finish();
    throw EPrinter("Printing stopped: the printer did not take page 1");
  }
  Canvas()->SetHandle(dc_);
}

void TvwPrinter::NewPage() {
  if (!printing_) NotPrinting();
  Canvas()->Refresh();
  int failed = !EndPrinterPage() ? page_ : !StartPrinterPage() ? page_ + 1 : 0;
  if (failed) {
    AbortDocument();
    Finish();
    throw EPrinter(Format("Printing stopped: the printer did not take page %d", failed));
  }
  ++page_;
  Canvas()->SetHandle(dc_);
}

void TvwPrinter::Finish() {
  if (canvas_) canvas_->ReleaseHandle();
  printing_ = false;
  aborted_ = false;
  page_ = 0;
  FreeDevMode();
}

void TvwPrinter::EndDoc() {
  if (!printing_) NotPrinting();
  if (canvas_) canvas_->ReleaseHandle();
  bool ok = true;
  if (!aborted_) {
    ok = EndPrinterPage();
    if (ok)
      ok = EndDocument();
    else
      AbortDocument();
  }
  int page = page_;
  Finish();
  if (!ok) throw EPrinter(Format("Printing stopped: the printer did not take page %d", page));
}

void TvwPrinter::Abort() {
  if (!printing_) NotPrinting();
  AbortDocument();
  aborted_ = true;
  EndDoc();
}

int TvwPrinter::PageWidth() {
  if (state_ == 0) SetState(1);
  return GetDeviceCaps(dc_, HORZRES);
}

int TvwPrinter::PageHeight() {
  if (state_ == 0) SetState(1);
  return GetDeviceCaps(dc_, VERTRES);
}

// ---------------------------------------------------------------- the page loop
int PrintLayoutWidth(int horzRes, int logPixelsX, int screenPixelsPerInch) {
  return MulDivOr(horzRes, screenPixelsPerInch, logPixelsX, horzRes) - 20;
}

int PrintPageHeight(int vertRes, int logPixelsY, int screenPixelsPerInch) {
  return MulDivOr(vertRes, screenPixelsPerInch, logPixelsY, vertRes);
}

int PrintDocument(TSectionList& copy, TvwPrinter& printer, int FromPage, int ToPage) {
  int printed = 0;
  bool reached = false;
  // A job that fails half way is aborted, so nothing incomplete comes out as if whole.
  auto guard = OnScopeExit([&printer] {
    if (!printer.Printing()) return;
    try {
      printer.Abort();
    } catch (...) {}
  });
  HDC dc = printer.Canvas()->Handle();
  int lpx = GetDeviceCaps(dc, LOGPIXELSX), lpy = GetDeviceCaps(dc, LOGPIXELSY);
  int screen = ScreenPixelsPerInch();
  auto mapping = [&](HDC d) {
    // One screen pixel is drawn as one screen pixel's worth of paper.
    SetMapMode(d, MM_ANISOTROPIC);
    SetWindowExtEx(d, screen, screen, nullptr);
    SetViewportExtEx(d, lpx, lpy, nullptr);
  };
  mapping(dc);
  int w = PrintLayoutWidth(GetDeviceCaps(dc, HORZRES), lpx, screen);
  int h = PrintPageHeight(GetDeviceCaps(dc, VERTRES), lpy, screen);
  copy.Printing = true;
  copy.PageHeight = h;
  copy.SetScrollOffset(0);
  {
    TGdiViewCanvas measure(dc);
    int widest = 0;
    copy.DoLayout(measure, w, widest);
  }
  int y = 0;
  for (int i = 1; i <= ToPage; ++i) {
    dc = printer.Canvas()->Handle();
    mapping(dc);
    SetWindowOrgEx(dc, 0, y, nullptr);
    bool onPaper = i >= FromPage;
    {
      // A canvas per page: a printer may reset the context's objects at each new page.
      TGdiViewCanvas c(dc);
      TPageCanvas page(c);
      copy.Paint(page, THtRect{10, y, w, y + h}, 0, onPaper ? 10 : 3 * w + 10);
      page.Flush();
    }
    if (onPaper) {
      reached = true;
      ++printed;
    }
    // Every page moves on, even when a page break would land at or above its top.
    int next = copy.PageBottom > y ? copy.PageBottom : y + h;
    y = next;
    int top = 0;
    if (!copy.SectionAndLineAtY(y, top)) break;
    if (FromPage <= i && i < ToPage) printer.NewPage();
  }
  // A job that never reached its first page ends without paper.
  if (reached)
    printer.EndDoc();
  else
    printer.Abort();
  return printed;
}

}  // namespace vx
