#include "framework/win/Printers.h"

#include <winspool.h>

#include <vector>

namespace vx {

TPrinter* Printer() {
  static TPrinter p;
  return &p;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (printing_) Abort();
  FreeDC();
}

void TPrinter::FreeDC() {
  canvas_.SetHandle(nullptr);
  if (dc_ && ownDC_) DeleteDC(dc_);
  dc_ = nullptr;
  ownDC_ = false;
}

TStrings* TPrinter::Printers() {
  if (!printers_) {
    printers_ = std::make_unique<TStringList>();
    DWORD needed = 0, count = 0;
    EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed) {
      std::vector<BYTE> buf(needed);
      if (EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buf.data(), needed, &needed, &count)) {
        auto* info = reinterpret_cast<PRINTER_INFO_4A*>(buf.data());
        for (DWORD i = 0; i < count; ++i) printers_->Add(info[i].pPrinterName);
      }
    }
  }
  return printers_.get();
}

void TPrinter::SetPrinterIndex(int i) {
  if (printing_) throw EPrinter("Printing in progress");
  if (i < -1 || i >= Printers()->Count()) throw EPrinter("Printer selected is not valid");
  index_ = i;
  FreeDC();
}

void TPrinter::SetTargetDC(HDC dc) {
  if (printing_) throw EPrinter("Printing in progress");
  FreeDC();
  dc_ = dc;
  ownDC_ = false;
}

HDC TPrinter::Handle() {
  if (dc_) return dc_;
  AnsiString name;
  if (index_ >= 0) {
    name = Printers()->Strings(index_);
  } else {
    char buf[512];
    DWORD n = sizeof buf;
    if (!GetDefaultPrinterA(buf, &n)) throw EPrinter("There is no default printer currently selected");
    name = buf;
  }
  dc_ = CreateDCA("WINSPOOL", name.c_str(), nullptr, nullptr);
  if (!dc_) throw EPrinter("Printer selected is not valid");
  ownDC_ = true;
  return dc_;
}

void TPrinter::BeginDoc() {
  if (printing_) throw EPrinter("Printing in progress");
  HDC dc = Handle();
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = title_.c_str();
  // A borrowed target DC (a metafile) takes no document calls.
  if (ownDC_ && StartDocA(dc, &di) <= 0) throw EPrinter("Printing could not be started");
  if (ownDC_) StartPage(dc);
  printing_ = true;
  aborted_ = false;
  page_ = 1;
  canvas_.SetHandle(dc);
}

void TPrinter::NewPage() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  canvas_.Refresh();
  if (ownDC_) {
    EndPage(dc_);
    StartPage(dc_);
  }
  ++page_;
}

void TPrinter::EndDoc() {
  if (!printing_) throw EPrinter("Printer is not currently printing");
  canvas_.SetHandle(nullptr);
  if (ownDC_) {
    EndPage(dc_);
    if (!aborted_) ::EndDoc(dc_);
  }
  printing_ = false;
  page_ = 0;
}

void TPrinter::Abort() {
  if (!printing_) return;
  aborted_ = true;
  canvas_.SetHandle(nullptr);
  if (ownDC_) AbortDoc(dc_);
  printing_ = false;
}

int TPrinter::PageWidth() { return GetDeviceCaps(Handle(), HORZRES); }
int TPrinter::PageHeight() { return GetDeviceCaps(Handle(), VERTRES); }

}  // namespace vx
