#include "ledit/PrintJob.h"

#include <cstdio>

namespace ledit {

namespace {

// One job at a time: the owner is disabled and the abort procedure has no argument of its own.
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
  if ((msg == WM_COMMAND && LOWORD(wp) == IDCANCEL) || msg == WM_CLOSE) {
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
  CreateWindowExA(0, "STATIC", "Printing ...", WS_CHILD | WS_VISIBLE, 16, 12, 220, 18, h, reinterpret_cast<HMENU>(100),
                  nullptr, nullptr);
  CreateWindowExA(0, "BUTTON", "Cancel", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 90, 42, 75, 24, h,
                  reinterpret_cast<HMENU>(IDCANCEL), nullptr, nullptr);
  return h;
}

}  // namespace

PrintJob::PrintJob(HWND owner, HDC dc, bool showProgress) : owner_(owner), dc_(dc) {
  g_abort = false;
  g_progress = showProgress ? MakeProgress(owner) : nullptr;
  // The abort procedure lets messages through: no typing into the text being printed.
  EnableWindow(owner_, FALSE);
  SetAbortProc(dc_, AbortProc);
}

PrintJob::~PrintJob() {
  if (!finished_) AbortDoc(dc_);
  if (g_progress) DestroyWindow(g_progress);
  g_progress = nullptr;
  if (!ownerGone_) EnableWindow(owner_, TRUE);
}

bool PrintJob::Start(const std::string& title) {
  DOCINFOA di{};
  di.cbSize = sizeof di;
  di.lpszDocName = title.c_str();
  return StartDocA(dc_, &di) > 0;
}

void PrintJob::NextPage() {
  ++page_;
  if (!g_progress) return;
  char buf[64];
  snprintf(buf, sizeof buf, "Printing page %d", page_);
  SetDlgItemTextA(g_progress, 100, buf);
}

bool PrintJob::Cancelled() const { return g_abort; }

void PrintJob::Finish() {
  EndDoc(dc_);
  finished_ = true;
}

}  // namespace ledit
