#include "framework/win/Printers.h"

#include <winspool.h>

#include <utility>
#include <vector>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"

namespace vx {

TPrinter* Printer() {
  static TPrinter p;
  return &p;
}

TPrinter::TPrinter() = default;

TPrinter::~TPrinter() {
  if (printing_) Abort();
  FreeDC();
  FreeDevMode();
}

void TPrinter::FreeDevMode() {
  if (devMode_) GlobalFree(devMode_);
  devMode_ = nullptr;
  devModeOf_.clear();
}

AnsiString TPrinter::DeviceName() {
  if (index_ >= 0) return Printers()->Strings(index_);
  char buf[512];
  DWORD n = sizeof buf;
  return GetDefaultPrinterA(buf, &n) ? AnsiString(buf) : AnsiString();
}

bool TPrinter::GetPrinter(AnsiString& device, AnsiString& driver, AnsiString& port, HGLOBAL& devMode) {
  device = DeviceName();
  driver.clear();
  port.clear();
  devMode = nullptr;
  if (device.empty()) return false;
  HANDLE h = nullptr;
  if (!OpenPrinterA(const_cast<char*>(device.c_str()), &h, nullptr)) return false;
  DWORD needed = 0;
  ::GetPrinterA(h, 2, nullptr, 0, &needed);
  std::vector<BYTE> buf(needed ? needed : 1);
  if (needed && ::GetPrinterA(h, 2, buf.data(), needed, &needed)) {
    auto* info = reinterpret_cast<PRINTER_INFO_2A*>(buf.data());
    if (info->pDriverName) driver = info->pDriverName;
    if (info->pPortName) port = info->pPortName;
  }
  if (!devMode_ || !SameText(devModeOf_, device)) {
    FreeDevMode();
    LONG size = DocumentPropertiesA(nullptr, h, const_cast<char*>(device.c_str()), nullptr, nullptr, 0);
    if (size > 0) {
      HGLOBAL g = GlobalAlloc(GHND, static_cast<SIZE_T>(size));
      auto* dm = g ? static_cast<DEVMODEA*>(GlobalLock(g)) : nullptr;
      if (dm && DocumentPropertiesA(nullptr, h, const_cast<char*>(device.c_str()), dm, nullptr, DM_OUT_BUFFER) >= 0) {
        GlobalUnlock(g);
        devMode_ = g;
        devModeOf_ = device;
      } else if (g) {
        if (dm) GlobalUnlock(g);
        GlobalFree(g);
      }
    }
  }
  ClosePrinter(h);
  devMode = devMode_;
  return true;
}

void TPrinter::SetPrinter(const AnsiString& device, HGLOBAL devMode) {
  // The block is ours from here: kept with the choice, freed however the choice is refused.
  auto freeRefused = OnScopeExit([&devMode] {
    if (devMode) GlobalFree(devMode);
  });
  if (printing_) throw EPrinter("Printing in progress");
  int i = Printers()->IndexOf(device);
  if (i < 0) {
    printers_.reset();  // a printer added since the list was read
    i = Printers()->IndexOf(device);
  }
  if (i < 0) throw EPrinter("Printer selected is not valid");
  index_ = i;
  FreeDC();
  FreeDevMode();
  if (devMode) {
    devMode_ = std::exchange(devMode, nullptr);
    devModeOf_ = device;
  }
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
      if (EnumPrintersA(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, buf.data(), needed, &needed,
                        &count)) {
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
  FreeDevMode();
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
