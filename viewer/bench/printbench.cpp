// Speed of printing: a 100-page document printed from the viewer to the printer named by
// VORNIX_PRINTER (a CUPS queue writing PDF files, see scripts/print-queue). Prints the time
// the viewer took to hand the pages to the spooler and, given the queue's output folder,
// the time until the PDF file stood complete.
// Usage: print-queue start Q /tmp/out; VORNIX_PRINTER=Q wine-exec printbench.exe Z:\tmp\out
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/win/Forms.h"
#include "framework/win/Printers.h"
#include "viewer/Htmlview.h"
#include "viewer/vwPrint.h"
#include "viewer/bench/BenchClock.h"

using namespace vx;

namespace {
double Now() { return BenchNow(); }

// A printer drawing into a metafile of the screen: the viewer's own share of the work.
class TMetafilePrinter : public TvwPrinter {
 protected:
  HDC CreateContext(bool, const AnsiString&, const AnsiString&, const AnsiString&, const DEVMODEA*) override {
    return CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  }
  void DeleteContext(HDC dc) override { DeleteEnhMetaFile(CloseEnhMetaFile(dc)); }
  bool StartDocument(const std::string&) override { return true; }
  bool StartPrinterPage() override { return true; }
  bool EndPrinterPage() override { return true; }
  bool EndDocument() override { return true; }
  void AbortDocument() override {}
};

// The size of the newest PDF file in the folder, -1 when there is none.
long long PdfSize(const std::string& folder) {
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((folder + "\\*.pdf").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return -1;
  long long size = (static_cast<long long>(fd.nFileSizeHigh) << 32) | fd.nFileSizeLow;
  FindClose(h);
  return size;
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
  const int pages = 100;
  std::string page;
  for (int p = 1; p <= pages; ++p) {
    page += "<H2>Page " + std::to_string(p) + "</H2>";
    for (int i = 0; i < 12; ++i)
      page += "<P>Paragraph " + std::to_string(i) + " of page " + std::to_string(p) +
              " with <B>bold</B>, <I>italic</I> and ordinary words that fill a line or two of the paper.";
    if (p < pages) page += "<PAGE>";
  }
  TForm* form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, 700, 500);
  auto* v = new THTMLViewer(form);
  v->SetParent(form);
  v->SetAlign(alClient);
  form->Show();
  Application->ProcessMessages();
  v->LoadFromString(page);
  PrinterFactory() = [] { return std::make_unique<TMetafilePrinter>(); };
  double m0 = Now();
  v->Print(1, 9999);
  double metafile = Now() - m0;
  PrinterFactory() = nullptr;
  double t0 = Now();
  v->Print(1, 9999);
  double spooled = Now() - t0;
  std::printf("printed %d pages to %s\n", pages, queue);
  std::printf("into a metafile:       %8.1f ms   %6.1f pages per second (the viewer's share)\n", metafile,
              pages * 1000.0 / metafile);
  std::printf("handed to the spooler: %8.1f ms   %6.1f pages per second\n", spooled, pages * 1000.0 / spooled);
  if (!folder.empty()) {
    long long last = -1;
    int stable = 0;
    double done = -1;
    for (int i = 0; i < 1200 && stable < 10; ++i) {
      long long s = PdfSize(folder);
      stable = s > 0 && s == last ? stable + 1 : 0;
      last = s;
      if (stable == 1) done = Now() - t0;
      Sleep(100);
    }
    if (done > 0)
      std::printf("PDF file complete:     %8.1f ms   %6.1f pages per second (%lld bytes)\n", done,
                  pages * 1000.0 / done, last);
    else
      std::printf("PDF file: none appeared in %s\n", folder.c_str());
  }
  std::fflush(stdout);
  form->Free();
  return 0;
}
