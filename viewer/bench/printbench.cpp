// Speed of printing: a 100-page document printed from the viewer to the printer named by
// VORNIX_PRINTER (a CUPS queue writing PDF files, see scripts/print-queue), beside plain GDI
// programs printing the viewer's runs of text on the same queue with the same mapping: one
// in a single font, one in the viewer's four fonts each selected once a page with every
// character placed as the viewer places it (the same page drawn without the viewer). Round
// after round, interleaved: the time each took to hand the pages to the spooler and, given
// the queue's output folder, until its PDF file stood complete; and what each draws per
// page, counted in a metafile.
// Usage: print-queue start Q /tmp/out;
//        VORNIX_PRINTER=Q wine-exec printbench.exe Z:\tmp\out [PAGES [ROUNDS [more]]]
// more: also the one-font program placing every character, and four fonts unplaced.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

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

 public:
  static int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) {
    auto* c = reinterpret_cast<TRecordCount*>(data);
    if (r->iType == EMR_HEADER || r->iType == EMR_EOF) return 1;
    ++c->kinds[static_cast<int>(r->iType)];
    ++c->total;
    return 1;
  }

 private:
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

// The plain programs' pages: the viewer's runs of text (a heading, then twelve one-line
// paragraphs of five runs in three fonts), measured beforehand on an information context of
// the printer with the viewer's mapping, as the viewer lays its copy out before printing.
enum TFontRole { fHeading, fPlain, fBold, fItalic };
struct TPlainRun {
  int Font, X, Y;
  std::string Text;
  std::vector<INT> Dx;  // the advance of every character, as measured
};
using TPlainPage = std::vector<TPlainRun>;

// How a plain program draws: in one font (every run in the plain one, selected once a page,
// TextOut without positions), or in the viewer's four fonts with each selected once a page,
// the runs grouped by font; positions: every character placed where measuring put it.
struct TPlainKind {
  const char* Name;
  bool FourFonts, Positions;
};

void MapLikeTheViewer(HDC dc) {
  SetMapMode(dc, MM_ANISOTROPIC);
  SetWindowExtEx(dc, 96, 96, nullptr);
  SetViewportExtEx(dc, GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), nullptr);
}

struct TPlainFonts {
  HFONT F[4];
  TPlainFonts() {
    auto font = [](int size, int weight, bool italic) {
      return CreateFontA(-::MulDiv(size, 96, 72), 0, 0, 0, weight, italic, 0, 0, ANSI_CHARSET, 0, 0, 0, 0,
                         "Times New Roman");
    };
    F[fHeading] = font(18, FW_BOLD, false);
    F[fPlain] = font(12, FW_NORMAL, false);
    F[fBold] = font(12, FW_BOLD, false);
    F[fItalic] = font(12, FW_NORMAL, true);
  }
  ~TPlainFonts() {
    for (HFONT f : F) DeleteObject(f);
  }
};

std::vector<TPlainPage> MeasurePlainPages(HDC ic, const TPlainFonts& fonts, bool fourFonts) {
  std::vector<TPlainPage> pages(static_cast<size_t>(kPages));
  for (int p = 1; p <= kPages; ++p) {
    TPlainPage& page = pages[static_cast<size_t>(p - 1)];
    auto add = [&](int font, int y, const std::string& s) {
      page.push_back(TPlainRun{fourFonts ? font : fPlain, 10, y, s, {}});
    };
    add(fHeading, 20, "Page " + std::to_string(p));
    for (int i = 0; i < 12; ++i) {
      int y = 70 + i * 30;
      add(fPlain, y, ParagraphStart(i, p));
      add(fBold, y, "bold");
      add(fPlain, y, ", ");
      add(fItalic, y, "italic");
      add(fPlain, y, kParagraphEnd);
    }
  }
  MapLikeTheViewer(ic);
  HGDIOBJ old = SelectObject(ic, fonts.F[fPlain]);
  // Measured font by font, each font selected once.
  for (int font = fHeading; font <= fItalic; ++font) {
    SelectObject(ic, fonts.F[font]);
    for (TPlainPage& page : pages)
      for (TPlainRun& r : page) {
        if (r.Font != font) continue;
        r.Dx.resize(r.Text.size());
        SIZE sz{};
        GetTextExtentExPointA(ic, r.Text.c_str(), static_cast<int>(r.Text.size()), 0, nullptr, r.Dx.data(), &sz);
        for (size_t i = r.Dx.size(); i-- > 1;) r.Dx[i] -= r.Dx[i - 1];
      }
  }
  SelectObject(ic, old);
  // Each run after the one before it on its line; then the runs grouped by font.
  for (TPlainPage& page : pages) {
    for (size_t i = 1; i < page.size(); ++i)
      if (page[i].Y == page[i - 1].Y) {
        int w = 0;
        for (INT d : page[i - 1].Dx) w += d;
        page[i].X = page[i - 1].X + w;
      }
    std::stable_sort(page.begin(), page.end(), [](const TPlainRun& a, const TPlainRun& b) { return a.Font < b.Font; });
  }
  return pages;
}

void DrawPlainPage(HDC dc, const TPlainPage& page, const TPlainFonts& fonts, bool positions) {
  MapLikeTheViewer(dc);
  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  HGDIOBJ old = nullptr;
  int selected = -1;
  for (const TPlainRun& r : page) {
    if (r.Font != selected) {
      HGDIOBJ o = SelectObject(dc, fonts.F[r.Font]);
      if (!old) old = o;
      selected = r.Font;
    }
    ExtTextOutA(dc, r.X, r.Y, 0, nullptr, r.Text.c_str(), static_cast<UINT>(r.Text.size()),
                positions ? r.Dx.data() : nullptr);
  }
  if (old) SelectObject(dc, old);
}

// A plain GDI program's job on the queue: its pages measured, then drawn.
bool PlainGdiJob(const char* queue, const TPlainKind& kind) {
  TPlainFonts fonts;
  std::vector<TPlainPage> pages;
  {
    HDC ic = CreateICA("WINSPOOL", queue, nullptr, nullptr);
    if (!ic) return false;
    pages = MeasurePlainPages(ic, fonts, kind.FourFonts);
    DeleteDC(ic);
  }
  HDC dc = CreateDCA("WINSPOOL", queue, nullptr, nullptr);
  if (!dc) return false;
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = "plain";
  bool ok = StartDocA(dc, &di) > 0;
  for (int p = 1; ok && p <= kPages; ++p) {
    ok = StartPage(dc) > 0;
    if (ok) DrawPlainPage(dc, pages[static_cast<size_t>(p - 1)], fonts, kind.Positions);
    if (ok) ok = EndPage(dc) > 0;
  }
  if (ok)
    EndDoc(dc);
  else
    AbortDoc(dc);
  DeleteDC(dc);
  return ok;
}

// The calls a plain program makes on the context, counted in a metafile.
void CountPlainCalls(const char* queue, const TPlainKind& kind, TRecordCount& count) {
  TPlainFonts fonts;
  HDC ic = CreateICA("WINSPOOL", queue, nullptr, nullptr);
  if (!ic) return;
  std::vector<TPlainPage> pages = MeasurePlainPages(ic, fonts, kind.FourFonts);
  DeleteDC(ic);
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  for (const TPlainPage& page : pages) DrawPlainPage(dc, page, fonts, kind.Positions);
  HENHMETAFILE m = CloseEnhMetaFile(dc);
  if (m) EnumEnhMetaFile(nullptr, m, TMetafilePrinter::Record, &count, nullptr);
  DeleteEnhMetaFile(m);
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

// A job's times over the rounds.
struct TSeries {
  std::string Name;
  std::vector<double> Spooled, Pdf;
  long long Bytes = -1;
  TRecordCount Calls;
  void Add(const TJobTimes& t) {
    if (t.spooled > 0) Spooled.push_back(t.spooled);
    if (t.pdf > 0) Pdf.push_back(t.pdf);
    if (t.bytes > 0) Bytes = t.bytes;
  }
};

std::string MinMedMax(const std::vector<double>& v) {
  if (v.empty()) return "         -";
  char b[96];
  std::snprintf(b, sizeof b, "%7.0f / %7.0f / %7.0f", *std::min_element(v.begin(), v.end()), BenchMedian(v),
                *std::max_element(v.begin(), v.end()));
  return b;
}

void PrintCalls(const char* what, const TRecordCount& count) {
  std::printf("%-36s %6.1f  (", what, double(count.total) / kPages);
  bool first = true;
  for (auto& k : count.kinds)
    if (const char* n = RecordName(k.first)) {
      std::printf("%s%s %.1f", first ? "" : ", ", n, double(k.second) / kPages);
      first = false;
    }
  std::printf(")\n");
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
  int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  bool more = argc > 4 && std::string(argv[4]) == "more";
  TForm* form = nullptr;
  auto* v = ShowFilledForm<THTMLViewer>(form, 700, 500);
  v->LoadFromString(Document());

  // The anchors: a plain program in one font; one drawing the viewer's page as the viewer
  // does (its fonts each selected once, every character placed); with "more", also the
  // one-font program placing every character, and the four fonts without placing them.
  std::vector<TPlainKind> kinds = {{"plain, one font", false, false}, {"plain, 4 fonts, placed", true, true}};
  if (more) {
    kinds.push_back({"plain, one font, placed", false, true});
    kinds.push_back({"plain, 4 fonts", true, false});
  }
  std::vector<TSeries> series(kinds.size() + 1);
  for (size_t k = 0; k < kinds.size(); ++k) {
    series[k].Name = kinds[k].Name;
    CountPlainCalls(queue, kinds[k], series[k].Calls);
  }
  TSeries& viewer = series.back();
  viewer.Name = "the viewer";
  PrinterFactory() = [&viewer] { return std::make_unique<TMetafilePrinter>(&viewer.Calls); };
  std::vector<double> metafile;
  for (int r = 0; r < rounds; ++r) {
    if (r == 1) PrinterFactory() = [] { return std::make_unique<TMetafilePrinter>(nullptr); };
    double m0 = Now();
    v->Print(1, 9999);
    metafile.push_back(Now() - m0);
  }
  PrinterFactory() = nullptr;

  // Interleaved: every round prints each job once.
  for (int r = 0; r < rounds; ++r) {
    for (size_t k = 0; k < kinds.size(); ++k)
      series[k].Add(TimeJob(folder, [queue, &kinds, k] { return PlainGdiJob(queue, kinds[k]); }));
    viewer.Add(TimeJob(folder, [v] {
      v->Print(1, 9999);
      return true;
    }));
  }

  std::printf("printed %d pages to %s, %d rounds; times in ms, min / median / max\n", kPages, queue, rounds);
  std::printf("the viewer into a metafile (its own share): %s\n", MinMedMax(metafile).c_str());
  std::printf("calls on the context per page:\n");
  for (auto& s : series) PrintCalls(("  " + s.Name + ":").c_str(), s.Calls);
  std::printf("%-26s %-31s %-31s %s\n", "", "handed to the spooler", "PDF complete", "PDF bytes");
  for (auto& s : series)
    std::printf("%-26s %-31s %-31s %lld\n", s.Name.c_str(), MinMedMax(s.Spooled).c_str(), MinMedMax(s.Pdf).c_str(),
                s.Bytes);
  for (size_t k = 0; k < kinds.size(); ++k) {
    const TSeries& a = series[k];
    if (a.Spooled.empty() || viewer.Spooled.empty()) continue;
    std::printf("viewer / %-24s %.2f to the spooler", (a.Name + ":").c_str(),
                BenchMedian(viewer.Spooled) / BenchMedian(a.Spooled));
    if (!a.Pdf.empty() && !viewer.Pdf.empty())
      std::printf(", %.2f to the PDF", BenchMedian(viewer.Pdf) / BenchMedian(a.Pdf));
    std::printf("%s\n", k == 0 ? "   (target: at most 2)" : "");
  }
  std::fflush(stdout);
  form->Free();
  return 0;
}
