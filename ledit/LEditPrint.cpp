// Printing: the print dialog (unless turned off), a progress window with Cancel
// (unless turned off), and the owner's page call-back that reserves header and footer.
#include "ledit/LEditInternal.h"
#include <commdlg.h>

#include <algorithm>
#include <cstdio>


namespace ledit {

namespace {

bool g_abort = false;
HWND g_progress = nullptr;

BOOL CALLBACK AbortProc(HDC, int) try {
  MSG m;
  while (!g_abort && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    if (!g_progress || !IsDialogMessageA(g_progress, &m)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  return !g_abort;
} catch (...) {
  return FALSE;
}

LRESULT CALLBACK ProgressProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) {
    g_abort = true;
    return 0;
  }
  if (msg == WM_CLOSE) {
    g_abort = true;
    return 0;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

HWND MakeProgress(HWND owner) {
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ProgressProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.lpszClassName = "LEditPrintProgress";
    RegisterClassA(&wc);
    registered = true;
  }
  RECT r;
  GetWindowRect(owner, &r);
  HWND h = CreateWindowExA(WS_EX_DLGMODALFRAME, "LEditPrintProgress", "Printing", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                           r.left + 40, r.top + 40, 260, 110, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  CreateWindowExA(0, "STATIC", "Printing ...", WS_CHILD | WS_VISIBLE, 16, 12, 220, 18, h,
                  reinterpret_cast<HMENU>(100), nullptr, nullptr);
  CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 90, 42, 75, 24, h,
                  reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
  return h;
}

}  // namespace

void Print(Editor& e) {
  HWND self = e.hwnd;
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = self;
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
  if (e.options & LEO_NOPRINTDIALOG) pd.Flags |= PD_RETURNDEFAULT;
  if (!PrintDlgA(&pd)) {
    if (CommDlgExtendedError() != 0) MessageBoxOf(e, "No printer is installed.", "Print", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  HDC dc = pd.hDC;
  if (!dc) {
    MessageBoxOf(e, "No printer is installed.", "Print", MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  // The screen font scaled to the printer's resolution.
  LOGFONTA lf{};
  HFONT cur = e.ownFont ? e.ownFont : e.font;
  if (!cur) cur = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GetObjectA(cur, sizeof lf, &lf);
  HDC screen = GetDC(nullptr);
  int sy = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  lf.lfHeight = MulDiv(lf.lfHeight ? lf.lfHeight : -13, GetDeviceCaps(dc, LOGPIXELSY), sy ? sy : 96);
  HFONT pf = CreateFontIndirectA(&lf);
  HGDIOBJ oldFont = SelectObject(dc, pf);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  int widths[256];
  GetCharWidth32A(dc, 0, 255, widths);
  Layout lay;
  lay.SetCharWidths(widths);
  lay.SetTabColumns(e.layout.TabColumns());
  int lineH = std::max<int>(1, tm.tmHeight);
  int pageH = GetDeviceCaps(dc, VERTRES), pageW = GetDeviceCaps(dc, HORZRES);
  int margin = GetDeviceCaps(dc, LOGPIXELSX) / 2;

  g_abort = false;
  g_progress = (e.options & LEO_NOPRINTPROGRESS) ? nullptr : MakeProgress(self);
  // The abort procedure lets messages through: no typing into the text being printed.
  EnableWindow(self, FALSE);
  SetAbortProc(dc, AbortProc);
  DOCINFOA di{};
  di.cbSize = sizeof di;
  std::string title = e.fileName.empty() ? "Text" : e.fileName;
  di.lpszDocName = title.c_str();
  bool ok = StartDocA(dc, &di) > 0;
  int line = 0, page = 0;
  uint64_t version = e.doc.Version();
  while (ok && !g_abort && line < e.doc.LineCount()) {
    if (StartPage(dc) <= 0) {
      ok = false;
      break;
    }
    ++page;
    if (g_progress) {
      char buf[64];
      snprintf(buf, sizeof buf, "Printing page %d", page);
      SetDlgItemTextA(g_progress, 100, buf);
    }
    int header = 0, footer = 0;
    if (e.initialized && e.callback) {
      LRESULT r = SendMessageA(e.callback, LEM_PRINTPAGE, reinterpret_cast<WPARAM>(dc), MAKELONG(pageH, pageW));
      if (EditorOf(self) != &e || e.doc.Version() != version) {
        ok = false;  // the text changed under the print job
        EndPage(dc);
        break;
      }
      header = static_cast<short>(LOWORD(r));
      footer = static_cast<short>(HIWORD(r));
      SelectObject(dc, pf);
    }
    PageBody body = FitPage(pageH, lineH, header, footer);
    header = body.header;
    int rows = body.lines;
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < rows && line < e.doc.LineCount(); ++i, ++line) {
      const std::string& text = e.doc.Line(line);
      std::string out;
      std::vector<INT> dx;
      int x = 0;
      for (int c = 0; c < static_cast<int>(text.size()); ++c) {
        int a = lay.Advance(text, c, x);
        out += text[static_cast<size_t>(c)] == '\t' ? ' ' : text[static_cast<size_t>(c)];
        dx.push_back(a);
        x += a;
      }
      RECT clip{margin, header + i * lineH, pageW - margin, header + (i + 1) * lineH};
      ExtTextOutA(dc, margin, clip.top, ETO_CLIPPED, &clip, out.data(), static_cast<UINT>(out.size()), dx.data());
    }
    if (EndPage(dc) <= 0) ok = false;
    if (EditorOf(self) != &e) {
      // The window went away while the abort procedure let messages through.
      AbortDoc(dc);
      SelectObject(dc, oldFont);
      DeleteObject(pf);
      DeleteDC(dc);
      if (g_progress) DestroyWindow(g_progress);
      g_progress = nullptr;
      return;
    }
  }
  if (ok && !g_abort) EndDoc(dc);
  else AbortDoc(dc);
  SelectObject(dc, oldFont);
  DeleteObject(pf);
  DeleteDC(dc);
  EnableWindow(self, TRUE);
  if (g_progress) {
    DestroyWindow(g_progress);
    g_progress = nullptr;
  }
}

}  // namespace ledit
