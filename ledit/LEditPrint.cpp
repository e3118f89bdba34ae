// Printing: the print dialog (unless turned off), a progress window with Cancel
// (unless turned off), and the owner's page call-back that reserves header and footer.
#include "ledit/LEditInternal.h"
#include <commdlg.h>

#include <algorithm>

#include "framework/win/GdiScoped.h"
#include "ledit/PrintJob.h"

namespace ledit {

namespace {

// The printer the user chose (or the default one); an empty DC when there is none.
vx::TOwnedDC AskForPrinter(Editor& e) {
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = e.hwnd;
  pd.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS;
  if (e.options & LEO_NOPRINTDIALOG) pd.Flags |= PD_RETURNDEFAULT;
  if (!PrintDlgA(&pd)) {
    if (CommDlgExtendedError() != 0) MessageBoxOf(e, "No printer is installed.", "Print", MB_OK | MB_ICONEXCLAMATION);
    return {};
  }
  if (pd.hDevMode) GlobalFree(pd.hDevMode);
  if (pd.hDevNames) GlobalFree(pd.hDevNames);
  if (!pd.hDC) MessageBoxOf(e, "No printer is installed.", "Print", MB_OK | MB_ICONEXCLAMATION);
  return vx::TOwnedDC(pd.hDC);
}

// The screen font scaled to the printer's resolution.
vx::TOwnedFont PrinterFont(const Editor& e, HDC dc) {
  LOGFONTA lf{};
  HFONT cur = e.ownFont ? e.ownFont : e.font;
  if (!cur) cur = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  GetObjectA(cur, sizeof lf, &lf);
  int sy = GetDeviceCaps(vx::TWindowDC(nullptr), LOGPIXELSY);
  lf.lfHeight = MulDiv(lf.lfHeight ? lf.lfHeight : -13, GetDeviceCaps(dc, LOGPIXELSY), sy ? sy : 96);
  return vx::TOwnedFont(CreateFontIndirectA(&lf));
}

// The measures of a page in the printer font (selected into dc): the text keeps half an
// inch from every edge of the printable area.
struct PageSetup {
  Layout layout;
  int lineHeight = 1, height = 0, width = 0, marginX = 0, marginY = 0;
  int TextWidth() const { return std::max(1, width - 2 * marginX); }
};

PageSetup MeasurePage(const Editor& e, HDC dc) {
  PageSetup p;
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  int widths[256];
  GetCharWidth32A(dc, 0, 255, widths);
  p.layout.SetCharWidths(widths);
  p.layout.SetTabColumns(e.layout.TabColumns());
  p.lineHeight = std::max<int>(1, tm.tmHeight);
  p.height = GetDeviceCaps(dc, VERTRES);
  p.width = GetDeviceCaps(dc, HORZRES);
  p.marginX = GetDeviceCaps(dc, LOGPIXELSX) / 2;
  p.marginY = GetDeviceCaps(dc, LOGPIXELSY) / 2;
  // A page too small for its margins and one line prints without them.
  if (p.height - 2 * p.marginY < p.lineHeight) p.marginY = 0;
  if (p.width - 2 * p.marginX < p.lineHeight) p.marginX = 0;
  return p;
}

// Columns [from, to) of a line as one printed row.
void PrintRow(HDC dc, const PageSetup& p, std::string_view text, int from, int to, int top) {
  std::string out;
  std::vector<INT> dx;
  int x = 0;
  for (int c = from; c < to; ++c) {
    int a = p.layout.Advance(text, c, x);
    out += text[static_cast<size_t>(c)] == '\t' ? ' ' : text[static_cast<size_t>(c)];
    dx.push_back(a);
    x += a;
  }
  RECT clip{p.marginX, top, p.marginX + p.TextWidth(), top + p.lineHeight};
  ExtTextOutA(dc, p.marginX, top, ETO_CLIPPED, &clip, out.data(), static_cast<UINT>(out.size()), dx.data());
}

// Where printing stands: a line, and the row of it that comes next (a line wider than the
// page goes on in the rows below it, across a page end too).
struct PrintCursor {
  int line = 0;
  size_t row = 0;
  std::vector<int> rows;  // start columns of the line's rows; empty until measured
};

// One page from the cursor on, which it advances; false ends the job (a failed page, the
// text changed by the page call-back, or the window gone while the abort procedure ran).
bool PrintPage(Editor& e, HDC dc, HFONT font, const PageSetup& p, PrintJob& job, PrintCursor& at, uint64_t version) {
  HWND self = e.hwnd;
  if (StartPage(dc) <= 0) return false;
  job.NextPage();
  int header = 0, footer = 0;
  if (e.initialized && e.callback) {
    LRESULT r = SendMessageA(e.callback, LEM_PRINTPAGE, reinterpret_cast<WPARAM>(dc), MAKELONG(p.height, p.width));
    if (EditorOf(self) != &e) job.OwnerGone();
    if (EditorOf(self) != &e || e.doc.Version() != version) {
      EndPage(dc);
      return false;
    }
    header = static_cast<short>(LOWORD(r));
    footer = static_cast<short>(HIWORD(r));
    SelectObject(dc, font);  // the owner may have drawn its header in a font of its own
  }
  PageBody body = FitPage(p.height - 2 * p.marginY, p.lineHeight, header, footer);
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  for (int i = 0; i < body.lines && at.line < e.doc.LineCount(); ++i) {
    const std::string& text = e.doc.Line(at.line);
    if (at.rows.empty()) at.rows = p.layout.Wrap(text, p.TextWidth());
    int from = at.rows[at.row];
    int to = at.row + 1 < at.rows.size() ? at.rows[at.row + 1] : static_cast<int>(text.size());
    PrintRow(dc, p, text, from, to, p.marginY + body.header + i * p.lineHeight);
    if (++at.row >= at.rows.size()) {
      ++at.line;
      at.row = 0;
      at.rows.clear();
    }
  }
  bool ok = EndPage(dc) > 0;
  if (EditorOf(self) != &e) {
    job.OwnerGone();
    return false;
  }
  return ok;
}

}  // namespace

void Print(Editor& e) {
  vx::TOwnedDC dc = AskForPrinter(e);
  if (!dc) return;
  vx::TOwnedFont font = PrinterFont(e, dc);
  vx::TSelected selectFont(dc, font);
  PageSetup page = MeasurePage(e, dc);
  PrintJob job(e.hwnd, dc, !(e.options & LEO_NOPRINTPROGRESS));
  if (!job.Start(e.fileName.empty() ? "Text" : e.fileName)) return;
  PrintCursor at;
  const uint64_t version = e.doc.Version();
  while (!job.Cancelled() && at.line < e.doc.LineCount())
    if (!PrintPage(e, dc, font, page, job, at, version)) return;
  if (!job.Cancelled()) job.Finish();
}

}  // namespace ledit
