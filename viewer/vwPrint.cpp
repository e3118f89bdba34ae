#include "viewer/vwPrint.h"

#include <algorithm>
#include <cstring>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "viewer/HTMLGdi.h"
#include "viewer/HTMLSubs.h"

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

bool Overlap(const THtRect& a, const THtRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A page's text drawn grouped by font: a printer's driver sends the font again whenever
// text follows in another one, which costs more than all else on the page. Runs of text
// never overlap one another, so their order among themselves does not show; anything else
// drawn over a waiting run has the runs drawn first, so what lies on top stays on top.
class TPageCanvas : public TViewCanvas {
 public:
  explicit TPageCanvas(TViewCanvas& c) : c_(c) {}
  THtMetrics Metrics(const TMyFont& f) override { return c_.Metrics(f); }
  int TextExtent(const TMyFont& f, const char* s, int n) override { return c_.TextExtent(f, s, n); }
  int TextFit(const TMyFont& f, const char* s, int n, int room) override { return c_.TextFit(f, s, n, room); }
  void TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
               const THtRect* clip) override {
    if (n <= 0) return;
    THtMetrics m = c_.Metrics(f);
    TRun r{f, color, back, x, baseline, std::string(s, static_cast<size_t>(n)), clip != nullptr,
           clip ? *clip : THtRect{}, {}};
    r.Box = {x, baseline - m.Ascent, x + c_.TextExtent(f, s, n) + m.Overhang + 1, baseline + m.Descent + 1};
    runs_.push_back(std::move(r));
  }
  void FillRect(const THtRect& r, THtColor c) override {
    Before(r);
    c_.FillRect(r, c);
  }
  void Line(int x1, int y1, int x2, int y2, THtColor c) override {
    Before({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1});
    c_.Line(x1, y1, x2, y2, c);
  }
  void Ellipse(const THtRect& r, THtColor pen, THtColor back) override {
    Before(r);
    c_.Ellipse(r, pen, back);
  }
  void FrameRect(const THtRect& r, THtColor c) override {
    Before(r);
    c_.FrameRect(r, c);
  }
  void FillAreaMinus(const THtRect& area, const std::vector<THtRect>& holes, THtColor c) override {
    Before(area, &holes);
    c_.FillAreaMinus(area, holes, c);
  }
  void DrawImage(const TViewImage& image, const TViewImage* mask, int x, int y, int w, int h, bool printing) override {
    Before({x, y, x + w, y + h});
    c_.DrawImage(image, mask, x, y, w, h, printing);
  }
  // Draws the waiting runs, font by font in the order the fonts came.
  void Flush() {
    std::vector<TRun> runs;
    runs.swap(runs_);
    std::vector<bool> drawn(runs.size(), false);
    for (size_t i = 0; i < runs.size(); ++i) {
      if (drawn[i]) continue;
      for (size_t j = i; j < runs.size(); ++j) {
        if (drawn[j] || !runs[j].Font.SameFace(runs[i].Font)) continue;
        const TRun& r = runs[j];
        c_.TextOut(r.Font, r.Color, r.X, r.Baseline, r.Text.data(), static_cast<int>(r.Text.size()), r.Back,
                   r.Clipped ? &r.Clip : nullptr);
        drawn[j] = true;
      }
    }
  }

 private:
  struct TRun {
    TMyFont Font;
    THtColor Color, Back;
    int X, Baseline;
    std::string Text;
    bool Clipped;
    THtRect Clip, Box;
  };
  // Before drawing over the area (less the holes), the runs under it are drawn.
  void Before(const THtRect& area, const std::vector<THtRect>* holes = nullptr) {
    for (auto& r : runs_) {
      if (!Overlap(r.Box, area)) continue;
      bool inHole = false;
      if (holes)
        for (auto& h : *holes)
          if (r.Box.Left >= h.Left && r.Box.Right <= h.Right && r.Box.Top >= h.Top && r.Box.Bottom <= h.Bottom) {
            inHole = true;
            break;
          }
      if (!inHole) {
        Flush();
        return;
      }
    }
  }
  TViewCanvas& c_;
  std::vector<TRun> runs_;
};

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
