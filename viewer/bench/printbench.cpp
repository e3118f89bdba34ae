// Speed of printing: a 100-page document printed from the viewer to the printer named by
// VORNIX_PRINTER (a CUPS queue writing PDF files, see scripts/print-queue), beside two plain
// GDI programs printing the same words on the same queue with the same mapping: the first
// in one font, the second switching between the viewer's four fonts run by run. Prints the
// time each took to hand the pages to the spooler and, given the queue's output folder,
// the time until its PDF file stood complete; and what the viewer draws per page, counted
// in a metafile.
// Usage: print-queue start Q /tmp/out; VORNIX_PRINTER=Q wine-exec printbench.exe Z:\tmp\out [PAGES]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "framework/win/Forms.h"
#include "framework/win/Printers.h"
#include "viewer/Htmlview.h"
#include "viewer/vwPrint.h"
#include "bench/BenchClock.h"
#include "bench/BenchForm.h"

using namespace vx;

namespace {
double Now() { return BenchNow(); }

int kPages = 100;

std::string ParagraphStart(int i, int p) {
  return "Paragraph " + std::to_string(i) + " of page " + std::to_string(p) + " with ";
}
const char* const kParagraphEnd = " and ordinary words that fill a line or two of the paper.";

std::string Document() {
  std::string page;
  for (int p = 1; p <= kPages; ++p) {
    page += "<H2>Page " + std::to_string(p) + "</H2>";
    for (int i = 0; i < 12; ++i) page += "<P>" + ParagraphStart(i, p) + "<B>bold</B>, <I>italic</I>" + kParagraphEnd;
    if (p < kPages) page += "<PAGE>";
  }
  return page;
}

// The records of a metafile by kind, and the pages (marked by StartPage) they fell on.
struct TRecordCount {
  std::map<int, int> kinds;
  int total = 0;
};

// A printer drawing into a metafile of the screen: the viewer's own share of the work, and
// a record of every call it makes on the context.
class TMetafilePrinter : public TvwPrinter {
 public:
  explicit TMetafilePrinter(TRecordCount* count) : count_(count) {}
  ~TMetafilePrinter() override { SetState(0); }

 protected:
  HDC CreateContext(bool, const AnsiString&, const AnsiString&, const AnsiString&, const DEVMODEA*) override {
    return CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  }
  void DeleteContext(HDC dc) override {
    HENHMETAFILE m = CloseEnhMetaFile(dc);
    if (m && count_) EnumEnhMetaFile(nullptr, m, Record, count_, nullptr);
    DeleteEnhMetaFile(m);
  }
  bool StartDocument(const std::string&) override { return true; }
  bool StartPrinterPage() override { return true; }
  bool EndPrinterPage() override { return true; }
  bool EndDocument() override { return true; }
  void AbortDocument() override {}

 private:
  static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) {
    auto* c = reinterpret_cast<TRecordCount*>(data);
    if (r->iType == EMR_HEADER || r->iType == EMR_EOF) return 1;
    ++c->kinds[static_cast<int>(r->iType)];
    ++c->total;
    return 1;
  }
  TRecordCount* count_;
};

const char* RecordName(int kind) {
  switch (kind) {
    case EMR_EXTTEXTOUTA: return "ExtTextOutA";
    case EMR_EXTTEXTOUTW: return "ExtTextOutW";
    case EMR_SELECTOBJECT: return "SelectObject";
    case EMR_DELETEOBJECT: return "DeleteObject";
    case EMR_EXTCREATEFONTINDIRECTW: return "CreateFont";
    case EMR_SETTEXTALIGN: return "SetTextAlign";
    case EMR_SETTEXTCOLOR: return "SetTextColor";
    case EMR_SETBKMODE: return "SetBkMode";
    case EMR_SETBKCOLOR: return "SetBkColor";
    case EMR_SETMAPMODE: return "SetMapMode";
    case EMR_SETWINDOWEXTEX: return "SetWindowExtEx";
    case EMR_SETVIEWPORTEXTEX: return "SetViewportExtEx";
    case EMR_SETWINDOWORGEX: return "SetWindowOrgEx";
    case EMR_CREATEPEN: return "CreatePen";
    case EMR_CREATEBRUSHINDIRECT: return "CreateBrush";
    case EMR_ELLIPSE: return "Ellipse";
    case EMR_SELECTPALETTE: return "SelectPalette";
    default: return nullptr;
  }
}

// The size of the newest PDF file in the folder, -1 when there is none.
long long PdfSize(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return -1;
  long long size = -1;
  FILETIME newest{};
  do {
    if (CompareFileTime(&fd.ftLastWriteTime, &newest) >= 0) {
      newest = fd.ftLastWriteTime;
      size = (static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
    }
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  return size;
}

void EmptyFolder(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return;
  do DeleteFileA((folder + "\\" + fd.cFileName).c_str());
  while (FindNextFileA(h, &fd));
  FindClose(h);
}

// Milliseconds from t0 until a PDF file in the folder stops growing; -1 when none came.
double WaitForPdf(const std::string& folder, double t0, long long& size) {
  long long last = -1;
  int stable = 0;
  double done = -1;
  for (int i = 0; i < 1200 && stable < 10; ++i) {
    long long s = PdfSize(folder);
    stable = s > 0 && s == last ? stable + 1 : 0;
    if (stable == 0) done = -1;
    if (stable == 1) done = Now() - 100 - t0;  // it stood still since the last look
    last = s;
    Sleep(100);
  }
  size = last;
  return stable >= 10 ? done : -1;
}

// A plain GDI program's job: the same words, one TextOut per run of a font, on the same
// queue with the viewer's mapping (one screen pixel's worth of paper per unit); oneFont:
// every run in the plain font, selected once a page.
bool PlainGdiJob(const char* queue, bool oneFont) {
  HDC dc = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
  if (!dc) return false;
  int screen = 96, lpx = GetDeviceCaps(dc, LOGPIXELSX), lpy = GetDeviceCaps(dc, LOGPIXELSY);
  auto font = [](int size, int weight, bool italic) {
    return CreateFontA(-::MulDiv(size, 96, 72), 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                       "Times New Roman");
  };
  HFONT plain = font(12, FW_NORMAL, false), heading = oneFont ? plain : font(18, FW_BOLD, false),
        bold = oneFont ? plain : font(12, FW_BOLD, false), italic = oneFont ? plain : font(12, FW_NORMAL, true);
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = "plain";
  bool ok = StartDocA(dc, &di) > 0;
  for (int p = 1; ok && p <= kPages; ++p) {
    ok = StartPage(dc) > 0;
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, screen, screen, nullptr);
    SetViewportExtEx(dc, lpx, lpy, nullptr);
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ old = SelectObject(dc, heading);
    std::string h = "Page " + std::to_string(p);
    TextOutA(dc, 10, 20, h.c_str(), static_cast<int>(h.size()));
    for (int i = 0; i < 12; ++i) {
      int y = 70 + i * 60, x = 10;
      auto run = [&](HFONT f, const std::string& s) {
        if (!oneFont) SelectObject(dc, f);
        TextOutA(dc, x, y, s.c_str(), static_cast<int>(s.size()));
        SIZE sz{};
        GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &sz);
        x += sz.cx;
      };
      run(plain, ParagraphStart(i, p));
      run(bold, "bold");
      run(plain, ", ");
      run(italic, "italic");
      run(plain, " and ordinary words that fill a line");
      x = 10;
      y += 20;
      run(plain, "or two of the paper.");
    }
    SelectObject(dc, old);
    if (ok) ok = EndPage(dc) > 0;
  }
  if (ok)
    EndDoc(dc);
  else
    AbortDoc(dc);
  DeleteObject(plain);
  if (!oneFont)
    for (HFONT f : {heading, bold, italic}) DeleteObject(f);
  DeleteDC(dc);
  return ok;
}

struct TJobTimes {
  double spooled = -1, pdf = -1;
  long long bytes = -1;
};

template <class F>
TJobTimes TimeJob(const std::string& folder, F job) {
  TJobTimes t;
  if (!folder.empty()) EmptyFolder(folder);
  double t0 = Now();
  if (!job()) return t;
  t.spooled = Now() - t0;
  if (!folder.empty()) t.pdf = WaitForPdf(folder, t0, t.bytes);
  return t;
}

void Report(const char* what, const TJobTimes& t) {
  std::printf("%-30s handed to the spooler %8.1f ms", what, t.spooled);
  if (t.pdf > 0)
    std::printf(", PDF complete %8.1f ms (%lld bytes)\n", t.pdf, t.bytes);
  else
    std::printf("\n");
}
}  // namespace

int main(int argc, char** argv) {
  Application->SetUnattended(true);
  const char* queue = std::getenv("VORNIX_PRINTER");
  if (!queue || Printer()->Printers()->IndexOf(queue) < 0) {
    std::printf("printbench: VORNIX_PRINTER must name a printer Wine lists\n");
    return 1;
  }
  Printer()->SetPrinterIndex(Printer()->Printers()->IndexOf(queue));
  std::string folder = argc > 1 ? argv[1] : "";
  if (argc > 2) kPages = std::max(1, std::atoi(argv[2]));
  TForm* form = nullptr;
  auto* v = ShowFilledForm<THTMLViewer>(form, 700, 500);
  v->LoadFromString(Document());

  TRecordCount count;
  PrinterFactory() = [&count] { return std::make_unique<TMetafilePrinter>(&count); };
  double m0 = Now();
  v->Print(1, 9999);
  double metafile = Now() - m0;
  PrinterFactory() = nullptr;

  TJobTimes plain = TimeJob(folder, [queue] { return PlainGdiJob(queue, true); });
  TJobTimes fourFonts = TimeJob(folder, [queue] { return PlainGdiJob(queue, false); });
  TJobTimes viewer = TimeJob(folder, [v] {
    v->Print(1, 9999);
    return true;
  });

  std::printf("printed %d pages to %s\n", kPages, queue);
  std::printf("the viewer into a metafile:    %8.1f ms   (the viewer's own share)\n", metafile);
  std::printf("calls on the context per page: %6.1f  (", double(count.total) / kPages);
  bool first = true;
  for (auto& k : count.kinds)
    if (const char* n = RecordName(k.first)) {
      std::printf("%s%s %.1f", first ? "" : ", ", n, double(k.second) / kPages);
      first = false;
    }
  std::printf(")\n");
  Report("plain GDI program, one font:", plain);
  Report("plain GDI program, four fonts:", fourFonts);
  Report("the viewer:", viewer);
  auto ratio = [&viewer](const char* what, const TJobTimes& anchor, const char* target) {
    if (anchor.spooled <= 0 || viewer.spooled <= 0) return;
    std::printf("viewer / %s: %.2f to the spooler", what, viewer.spooled / anchor.spooled);
    if (anchor.pdf > 0 && viewer.pdf > 0) std::printf(", %.2f to the PDF", viewer.pdf / anchor.pdf);
    std::printf("%s\n", target);
  };
  ratio("plain GDI, one font", plain, "   (target: at most 2)");
  ratio("plain GDI, four fonts", fourFonts, "");
  std::fflush(stdout);
  form->Free();
  return 0;
}
