// A small program around one LEDIT32 window: shows an HTML document highlighted the
// way the HTML editor colours it. Usage: ledit_demo [file]
#include <windows.h>

#include <cstring>
#include <string>

#include "ledit/include/LEditMessages.h"

namespace {

HWND g_edit = nullptr;
WNDPROC g_editProc = nullptr;
HBRUSH g_bg = nullptr;

const COLORREF kFont = RGB(0, 0, 0);
const COLORREF kComment = RGB(128, 128, 128);
const COLORREF kQuoted = RGB(0, 0, 128);
const COLORREF kSyntax = RGB(0, 128, 0);
const COLORREF kBack = RGB(255, 255, 255);

const char* kTags =
    "|<HTML|<HEAD|<TITLE|<BODY|<H1|<H2|<P|<A|<IMG|<TABLE|<TR|<TD|<TH|<UL|<LI|<B|<I|<BR|<FONT|<META|<DIV|<SPAN|";

const char* kSample =
    "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n"
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "  <TITLE>Marrowby Garden Club</TITLE>\r\n"
    "  <META NAME=\"keywords\" CONTENT=\"garden, roses, club\">\r\n"
    "</HEAD>\r\n"
    "<!-- Page body: the club's welcome and the\r\n"
    "     table of meetings for this season -->\r\n"
    "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\">\r\n"
    "<H1 ALIGN=\"center\">Welcome to the Garden Club</H1>\r\n"
    "<P>We meet on the <B>first Tuesday</B> of each month &amp; share\r\n"
    "cuttings, seeds and advice. New members are <I>always</I> welcome.</P>\r\n"
    "<IMG SRC=\"images/roses.gif\" WIDTH=120 HEIGHT=80 ALT=\"Roses\">\r\n"
    "<TABLE BORDER=1 CELLPADDING=4>\r\n"
    "  <TR><TH>Date</TH><TH>Topic</TH></TR>\r\n"
    "  <TR><TD>4 March</TD><TD>Pruning roses</TD></TR>\r\n"
    "  <TR><TD>1 April</TD><TD>Spring bulbs &amp; borders</TD></TR>\r\n"
    "</TABLE>\r\n"
    "<UL>\r\n"
    "  <LI><A HREF=\"members.htm\">Members' pages</A>\r\n"
    "  <LI><A HREF=\"mailto:club@marrowby.example\">Write to us</A>\r\n"
    "</UL>\r\n"
    "<P><FONT SIZE=2>Last changed: 12 February</FONT><BR>\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

bool IsTag(const char* word) {
  char up[40];
  lstrcpynA(up, word, sizeof up - 2);
  CharUpperBuffA(up, lstrlenA(up));
  std::string key = std::string("|") + up + "|";
  return strstr(kTags, key.c_str()) != nullptr;
}

LRESULT CALLBACK EditSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LEM_HIGHLIGHT) {
    auto* t = reinterpret_cast<LEToken*>(lp);
    HDC dc = reinterpret_cast<HDC>(wp);
    switch (t->Type) {
      case LET_WORD:
        SetTextColor(dc, IsTag(t->Text) ? kSyntax : kFont);
        SetBkColor(dc, kBack);
        break;
      case LET_STRING:
      case LET_STRINGPIECE: SetTextColor(dc, kQuoted); break;
      case LET_SYMBOL: SetTextColor(dc, kSyntax); break;
      default: break;
    }
    return 0;
  }
  return CallWindowProcA(g_editProc, h, msg, wp, lp);
}

LRESULT CALLBACK MainProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (g_edit) MoveWindow(g_edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (g_edit) SetFocus(g_edit);
      return 0;
    case WM_CTLCOLOREDIT:
      SetTextColor(reinterpret_cast<HDC>(wp), kComment);
      SetBkColor(reinterpret_cast<HDC>(wp), kBack);
      return reinterpret_cast<LRESULT>(g_bg);
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(h, msg, wp, lp);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR cmd, int show) {
  LEditInit();
  g_bg = CreateSolidBrush(kBack);
  WNDCLASSA wc{};
  wc.lpfnWndProc = MainProc;
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.lpszClassName = "LEditDemo";
  RegisterClassA(&wc);
  HWND main = CreateWindowExA(0, "LEditDemo", "LEDIT32 - index.htm", WS_OVERLAPPEDWINDOW, 40, 30, 760, 520, nullptr,
                              nullptr, inst, nullptr);
  g_edit =
      CreateWindowExA(WS_EX_CLIENTEDGE, LEDIT_CLASS, nullptr,
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | LES_ALWAYS | LES_HIGHLIGHT | LES_CHANGEFILE | LES_CHANGEFONT,
                      0, 0, 100, 100, main, reinterpret_cast<HMENU>(1), inst, nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
  SendMessageA(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  g_editProc =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(g_edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclass)));
  ShowWindow(main, show ? show : SW_SHOW);
  UpdateWindow(main);
  SendMessageA(g_edit, LEM_INIT, 1000, reinterpret_cast<LPARAM>(g_edit));
  // The HTML editor's syntax: strings in quotes, <!- -> comments, symbols > </ = ; &.
  static const LESyntaxEntry table[] = {{'"', '"'}, {1, 1},     {1, 1},   {'!', '-'}, {'-', '>'},
                                        {'>', 0},   {'<', '/'}, {'=', 0}, {';', 0},   {'&', 0}};
  SendMessageA(g_edit, LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(table));
  SendMessageA(g_edit, LEM_SETOPTIONS,
               LEO_DEFAULTSELECTION | LEO_AUTOINDENT | LEO_MULTILINEITEMS | LEO_MULTILINESTRINGS, 0);
  SendMessageA(g_edit, LEM_SETTABSTOP, 2, 0);
  // "-wrap": proportional font and word wrap, as the tag editor's sample editor uses it.
  bool wrap = cmd && strncmp(cmd, "-wrap", 5) == 0;
  if (wrap) {
    cmd += 5;
    while (*cmd == ' ') ++cmd;
    HFONT sans = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, VARIABLE_PITCH, "MS Sans Serif");
    SendMessageA(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(sans), 1);
    SendMessageA(g_edit, LEM_SETWORDWRAP, LEWW_ON | LEWW_AUTO, 0);
  }
  if (cmd && *cmd) {
    std::string path = cmd;
    if (path.size() > 1 && path.front() == '"') path = path.substr(1, path.find('"', 1) - 1);
    SendMessageA(g_edit, LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(path.c_str()));
  } else {
    SendMessageA(g_edit, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>(kSample));
    SendMessageA(g_edit, LEM_SETMODIFIED, 0, 0);
  }
  // Show a selection and the caret on the image tag.
  LESelRecord sel{2, 5, 13, 13};
  SendMessageA(g_edit, LEM_SETSELECTION, 0, reinterpret_cast<LPARAM>(&sel));
  SetFocus(g_edit);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  DeleteObject(font);
  return 0;
}
