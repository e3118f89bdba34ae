// The component against a recording stand-in of the "LEDIT32" class, registered by this
// program for its own module, so the messages and their order can be checked exactly.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editctl/LEDlp32.h"
#include "framework/win/Menus.h"

using namespace vx;

namespace {

struct Rec {
  UINT msg;
  WPARAM w;
  LPARAM l;
  std::string text;  // string arguments, copied at once
};

std::vector<Rec> g_log;
int g_undoLimit = 50;
DWORD g_packed = 0;
HMENU g_menu = nullptr;
int g_lineLen = 3, g_lineCount = 5;
std::string g_lastLine;  // what +20 writes

HMENU MakeMenu() {
  HMENU m = CreatePopupMenu();
  const char* names[] = {"&File", "&Edit", "&Search", "F&ont"};
  for (const char* n : names) {
    HMENU sub = CreatePopupMenu();
    if (n[1] == 'F') {
      AppendMenuA(sub, MF_STRING, LECMD_NEW, "&New");
      AppendMenuA(sub, MF_STRING, LECMD_OPEN, "&Open ...");
    }
    AppendMenuA(sub, MF_STRING, 1004, "&Save");
    AppendMenuA(m, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), n);
  }
  return m;
}

LRESULT CALLBACK FakeProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  if ((msg >= WM_USER && msg < WM_USER + 100) || msg == WM_CLEAR) {
    Rec r{msg, w, l, {}};
    if (msg == LEM_SETFILEMASK || msg == LEM_SETTEXT || msg == LEM_REPLACESEL || msg == LEM_SETSEARCHTEXT ||
        msg == LEM_LOADFILE)
      r.text = reinterpret_cast<const char*>(l);
    if (msg == LEM_SETSYNTAX && l) {
      auto* e = reinterpret_cast<const LESyntaxEntry*>(l);
      for (unsigned i = 0; i < (w & 0xFF); ++i) {
        r.text += static_cast<char>(e[i].First);
        r.text += static_cast<char>(e[i].Second ? e[i].Second : '_');
      }
    }
    if (msg == LEM_GETLINE) r.text = std::string(reinterpret_cast<const char*>(l), 4);
    g_log.push_back(r);
  }
  switch (msg) {
    case LEM_GETMAXUNDODEPTH: return g_undoLimit;
    case LEM_GETMENU:
      if (!g_menu) g_menu = MakeMenu();
      return reinterpret_cast<LRESULT>(g_menu);
    case LEM_GETSPACING: return static_cast<LRESULT>(g_packed);
    case LEM_SETSPACING: g_packed = static_cast<DWORD>(l); return 0;
    case LEM_GETFILENAME: reinterpret_cast<char*>(l)[0] = 0; return 0;
    case LEM_GETLINECOUNT: return g_lineCount;
    case LEM_GETLINELENGTH: return g_lineLen;
    case LEM_GETLINE:
      memcpy(reinterpret_cast<char*>(l), g_lastLine.data(), g_lastLine.size());
      return static_cast<LRESULT>(g_lastLine.size());
    case LEM_LOADFILE: return 7;
    case WM_DESTROY:
      if (g_menu) DestroyMenu(g_menu);
      g_menu = nullptr;
      return 0;
  }
  if (msg >= WM_USER && msg < WM_USER + 100) return 0;
  return DefWindowProcA(h, msg, w, l);
}

void RegisterFake() {
  static bool done = false;
  if (done) return;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FakeProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = LEDIT_CLASS;
  wc.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  ASSERT_TRUE(RegisterClassA(&wc));
  done = true;
}

std::vector<UINT> Sent() {
  std::vector<UINT> v;
  for (const Rec& r : g_log) v.push_back(r.msg - WM_USER);
  return v;
}

const Rec* Last(UINT msg) {
  for (auto it = g_log.rbegin(); it != g_log.rend(); ++it)
    if (it->msg == msg) return &*it;
  return nullptr;
}

struct FakeFixture : ::testing::Test {
  TForm* form = nullptr;
  TLEdit* ed = nullptr;
  void SetUp() override {
    RegisterFake();
    g_log.clear();
    g_undoLimit = 50;
    g_packed = 0;
    form = CreateForm<TForm>(Application);
    form->SetBounds(40, 40, 400, 300);
    ed = new TLEdit(form);
  }
  void TearDown() override {
    form->Free();
    Application->OnPopupMenu = nullptr;
  }
  void Create() {
    ed->SetParent(form);
    ed->HandleNeeded();
  }
};

TEST_F(FakeFixture, CreationOrderStartsWithInitAndEndsWithMenuAndHasFile) {
  ed->SetBookmarksMax(6);
  Create();
  std::vector<UINT> s = Sent();
  ASSERT_FALSE(s.empty());
  EXPECT_EQ(s.front(), 12u);
  EXPECT_EQ(g_log.front().w, 1000u);
  EXPECT_EQ(reinterpret_cast<HWND>(g_log.front().l), ed->Handle());
  // The menu request is last but for HasFile (+65 0).
  ASSERT_GE(s.size(), 2u);
  EXPECT_EQ(s[s.size() - 2], 13u);
  EXPECT_EQ(s.back(), 65u);
  EXPECT_EQ(g_log.back().w, 0u);
  // The "&File" popup was taken off the window's menu.
  char cap[32] = {};
  GetMenuStringA(g_menu, 0, cap, sizeof cap, MF_BYPOSITION);
  EXPECT_STREQ(cap, "&Edit");
  EXPECT_EQ(GetMenuItemCount(g_menu), 3);
  // A bookmark maximum set without a window arrives at creation.
  const Rec* bm = Last(LEM_SETBOOKMARKSMAX);
  ASSERT_NE(bm, nullptr);
  EXPECT_EQ(bm->w, 6u);
  // The style carries the settings that have no message.
  LONG style = GetWindowLongA(ed->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & LES_ALWAYS);
  EXPECT_TRUE(style & LES_CHANGEFILE);
  EXPECT_TRUE(style & LES_CHANGEFONT);
  EXPECT_FALSE(style & LES_HIGHLIGHT);
  EXPECT_TRUE(GetWindowLongA(ed->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST_F(FakeFixture, HasFileAtCreationKeepsFilePopupAndLaterTogglesIt) {
  Create();
  ed->SetHasFile(true);
  EXPECT_EQ(GetMenuItemCount(g_menu), 4);
  char cap[32] = {};
  GetMenuStringA(g_menu, 0, cap, sizeof cap, MF_BYPOSITION);
  EXPECT_STREQ(cap, "&File");
  ed->SetHasFile(false);
  EXPECT_EQ(GetMenuItemCount(g_menu), 3);
  // File submenu items follow CanChangeFile.
  ed->SetHasFile(true);
  HMENU file = GetSubMenu(g_menu, 0);
  int before = GetMenuItemCount(file);
  ed->SetCanChangeFile(false);
  EXPECT_EQ(GetMenuItemCount(file), before - 2);
  ed->SetCanChangeFile(true);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(LECMD_NEW));
  EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(LECMD_OPEN));
}

TEST_F(FakeFixture, MultiLineStringsWinsOverSingleLineStrings) {
  ed->SetSingleLineStrings(true);
  ed->SetMultiLineStrings(true);
  Create();
  EXPECT_TRUE(ed->MultiLineStrings());
  EXPECT_FALSE(ed->SingleLineStrings());
  const Rec* last = nullptr;
  for (const Rec& r : g_log)
    if (r.msg == LEM_SETOPTIONS && ((r.w | static_cast<WPARAM>(r.l)) & (LEO_SINGLELINESTRINGS | LEO_MULTILINESTRINGS)))
      last = &r;
  ASSERT_NE(last, nullptr);
  EXPECT_EQ(static_cast<unsigned>(last->l), static_cast<unsigned>(LEO_SINGLELINESTRINGS));  // single turned off last
  // With a window, turning single on turns multi off.
  g_log.clear();
  ed->SetSingleLineStrings(true);
  EXPECT_FALSE(ed->MultiLineStrings());
  ASSERT_EQ(g_log.size(), 2u);
  EXPECT_EQ(static_cast<unsigned>(g_log[0].l), static_cast<unsigned>(LEO_MULTILINESTRINGS));
  EXPECT_EQ(g_log[1].w, static_cast<WPARAM>(LEO_SINGLELINESTRINGS));
}

TEST_F(FakeFixture, UndoDepthIsClampedToTheWindowsLimit) {
  Create();  // the initial -1 goes as the limit
  EXPECT_EQ(ed->UndoDepth(), 50);
  EXPECT_EQ(Last(LEM_SETUNDODEPTH)->w, 50u);
  ed->SetUndoDepth(80);
  EXPECT_EQ(Last(LEM_SETUNDODEPTH)->w, 50u);
  ed->SetUndoDepth(20);
  EXPECT_EQ(Last(LEM_SETUNDODEPTH)->w, 20u);
  ed->SetUndoDepth(-1);
  EXPECT_EQ(ed->UndoDepth(), 50);
}

TEST_F(FakeFixture, UndoDepthSetWithoutWindowIsClampedAtCreation) {
  ed->SetUndoDepth(909);
  EXPECT_EQ(ed->UndoDepth(), 909);
  g_undoLimit = 32000;
  Create();
  EXPECT_EQ(Last(LEM_SETUNDODEPTH)->w, 909u);
}

TEST_F(FakeFixture, FileMaskRoundTripAndDefaultExt) {
  ed->SetDefaultExt("html");
  EXPECT_EQ(ed->DefaultExt(), "HTM");
  ed->SetDefaultExt("");
  EXPECT_EQ(ed->DefaultExt(), "TXT");
  ed->SetDefaultExt("txt");
  Create();
  ed->SetFileMask("Text|*.txt|All|*.*");
  EXPECT_EQ(Last(LEM_SETFILEMASK)->text, "TXT/Text/*.txt/All/*.*/");
  EXPECT_EQ(ed->FileMask(), "Text|*.txt|All|*.*");
  // The "/" form goes unchanged and is kept in the "|" form.
  g_log.clear();
  ed->SetFileMask("HTM/HTML/*.htm/");
  EXPECT_EQ(g_log.back().text, "HTM/HTML/*.htm/");
  EXPECT_EQ(ed->FileMask(), "HTML|*.htm");
  // Neither form: kept, not sent.
  g_log.clear();
  ed->SetFileMask("*.txt");
  EXPECT_TRUE(g_log.empty());
  EXPECT_EQ(ed->FileMask(), "*.txt");
  // Longer than the window's buffer: cut, never overrun.
  ed->SetFileMask(std::string(300, 'a') + "|*.a");
  EXPECT_EQ(Last(LEM_SETFILEMASK)->text.size(), 255u);
}

TEST_F(FakeFixture, SyntaxFlagsTravelInTheHighByte) {
  Create();
  ed->SetSyntax("xyz");  // no codes: a table of 0 entries, not nil
  EXPECT_EQ(Last(LEM_SETSYNTAX)->w & 0xFF, 0u);
  EXPECT_NE(Last(LEM_SETSYNTAX)->l, 0);
  ed->SetSyntax("");
  EXPECT_EQ(Last(LEM_SETSYNTAX)->l, 0);
  ed->SetSyntax("1<1>");
  ed->SetExtraComments(true);
  ed->SetItem2AsComment(true);
  EXPECT_EQ(Last(LEM_SETSYNTAX)->w, 2u | (3u << 8));
  EXPECT_EQ(Last(LEM_SETSYNTAX)->text, "<_>_");
}

TEST_F(FakeFixture, GroupNumberNegativeStoresZero) {
  ed->SetGroupNumber(-5);
  EXPECT_EQ(ed->GroupNumber(), 0);
  EXPECT_FALSE(ed->HandleAllocated());
}

TEST_F(FakeFixture, SpacingWordAndMargin) {
  Create();
  g_packed = MAKELONG(0x0000, 2);
  ed->SetExtraVertSpacing(slMedium);
  EXPECT_EQ(g_packed, static_cast<DWORD>(MAKELONG(0x0040, 2)));
  ed->SetWordWrapRMargin(0x1F);  // four bits only
  EXPECT_EQ(g_packed & 0xFFFF, 0x0F40u);
  EXPECT_EQ(ed->WordWrapRMargin(), 15);
  EXPECT_EQ(ed->ExtraVertSpacing(), slMedium);
  ed->SetScrollBars(lsBoth);
  EXPECT_EQ(HIWORD(g_packed), 3);
  EXPECT_EQ(LOWORD(g_packed), 0x0F40);
}

TEST_F(FakeFixture, InsertTextAtClampsLineAndColumn) {
  Create();
  g_lineLen = 3;
  g_lineCount = 5;
  g_log.clear();
  ed->InsertTextAt(0, 5, "ab");
  EXPECT_EQ(ed->StartLine(), 1);
  EXPECT_EQ(ed->StartPos(), 3);
  EXPECT_EQ(Last(LEM_REPLACESEL)->text, "ab");
  ed->InsertTextAt(99, 0, "c");
  EXPECT_EQ(ed->StartLine(), 5);
}

TEST_F(FakeFixture, GetLineStaysInsideTheCallersBuffer) {
  Create();
  g_lineLen = 10;
  g_lastLine = "0123456789";
  char buf[6];
  memset(buf, 'Z', sizeof buf);
  EXPECT_EQ(ed->GetLine(buf, 4, 2), 3);
  EXPECT_STREQ(buf, "012");
  EXPECT_EQ(buf[4], 'Z');
  // A line above 65535 travels in the buffer's first bytes with wParam 0.
  g_log.clear();
  char big[32];
  ed->GetLine(big, sizeof big, 70000);
  const Rec* r = Last(LEM_GETLINE);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->w, 0u);
  EXPECT_EQ(static_cast<unsigned char>(r->text[0]), 70000 & 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(r->text[1]), (70000 >> 8) & 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(r->text[2]), 1);
}

TEST_F(FakeFixture, LoadResultsAndSearchText) {
  EXPECT_EQ(ed->LoadFromFile("x.txt"), 1);  // no window
  Create();
  g_log.clear();
  EXPECT_EQ(ed->LoadFromFile("<<untitled>>"), 1);
  EXPECT_EQ(ed->LoadFromFile(""), 1);
  EXPECT_TRUE(g_log.empty());
  EXPECT_EQ(ed->LoadFromFile("x.txt"), 7);  // the window's own answer
  ed->SetSearchText(std::string(200, 'q'));
  EXPECT_EQ(Last(LEM_SETSEARCHTEXT)->text.size(), 125u);
}

TEST_F(FakeFixture, NotificationsDuringCreationFireNothing) {
  int changes = 0;
  ed->OnChange = [&](TObject*) { ++changes; };
  // Before the first creation ends the creating flag is on.
  TMessage m{CN_COMMAND, MAKEWPARAM(0, LEN_CHANGE), 0, 0};
  ed->WndProc(m);
  EXPECT_EQ(m.Result, 2);
  TMessage c{CN_COMMAND, MAKEWPARAM(0, LEN_GOINGTOCLOSE), 0, 0};
  ed->WndProc(c);
  EXPECT_EQ(c.Result, 0);
  EXPECT_EQ(changes, 0);
  Create();
  TMessage m2{CN_COMMAND, MAKEWPARAM(0, LEN_CHANGE), 0, 0};
  ed->WndProc(m2);
  EXPECT_EQ(m2.Result, 0);
  EXPECT_EQ(changes, 1);
  TMessage h{CN_COMMAND, MAKEWPARAM(0, LEN_VSCROLL), 0, 0};
  ed->WndProc(h);
  EXPECT_EQ(h.Result, 2);
  TMessage o{CN_COMMAND, MAKEWPARAM(0, LEN_OVERWRITEMODE), 0, 0};
  ed->WndProc(o);
  EXPECT_FALSE(ed->InsertMode());
}

TEST_F(FakeFixture, CallbackClampsAndWriteBack) {
  Create();
  HWND h = ed->Handle();
  // Word break: never below 1, never beyond the maximum.
  ed->OnWordBreak = [](TObject*, const char*, int16_t& p) { p = 0; };
  EXPECT_EQ(SendMessageA(h, LEM_WORDBREAK, 10, reinterpret_cast<LPARAM>("abc")), 1);
  ed->OnWordBreak = [](TObject*, const char*, int16_t& p) { p = 99; };
  EXPECT_EQ(SendMessageA(h, LEM_WORDBREAK, 10, reinterpret_cast<LPARAM>("abc")), 10);
  EXPECT_EQ(SendMessageA(h, LEM_WORDBREAK, 0, reinterpret_cast<LPARAM>("abc")), 1);
  // Find brace: type 7 with text comes back as a word; no answer gives 0.
  LEToken t{};
  t.Type = 7;
  t.Value = 4;
  strcpy(t.Text, "{");
  EXPECT_EQ(SendMessageA(h, LEM_FINDBRACE, 0, reinterpret_cast<LPARAM>(&t)), 0);
  EXPECT_EQ(t.Type, LET_WORD);
  ed->OnFindBrace = [](TObject*, uint16_t, int32_t, const AnsiString&, TLEBraceStyle& b) { b = brOpenBlock; };
  EXPECT_EQ(SendMessageA(h, LEM_FINDBRACE, 0, reinterpret_cast<LPARAM>(&t)), LEFB_OPENBLOCK);
  // Word click without a handler answers 0; a token text without terminator is cut.
  memset(t.Text, 'w', sizeof t.Text);
  EXPECT_EQ(SendMessageA(h, LEM_WORDCLICK, 0, reinterpret_cast<LPARAM>(&t)), 0);
  EXPECT_EQ(strlen(ed->TokenText()), 1023u);
  ed->OnWordClick = [](TObject*, uint16_t, int32_t, const AnsiString&, bool& handled) { handled = true; };
  EXPECT_EQ(SendMessageA(h, LEM_WORDCLICK, 0, reinterpret_cast<LPARAM>(&t)), 1);
  // Colours: a system colour from a handler reaches the DC as RGB.
  HDC dc = CreateCompatibleDC(nullptr);
  ed->OnControlHighlight = [](TObject*, uint16_t, int32_t, const AnsiString&, TColor& f, TColor& b) {
    f = clWindowText;
    b = clRed;
  };
  SendMessageA(h, LEM_HIGHLIGHT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(&t));
  EXPECT_EQ(GetTextColor(dc), GetSysColor(COLOR_WINDOWTEXT));
  EXPECT_EQ(GetBkColor(dc), RGB(255, 0, 0));
  SendMessageA(h, LEM_SELCOLORS, reinterpret_cast<WPARAM>(dc), 0);
  EXPECT_EQ(GetBkColor(dc), GetSysColor(COLOR_HIGHLIGHT));
  DeleteDC(dc);
  int32_t code = 0;
  ed->OnNotifyFound = [&](TObject*, int32_t c, int32_t& r) {
    code = c;
    r = 9;
  };
  EXPECT_EQ(SendMessageA(h, LEM_NOTIFYFOUND, 0, LENF_NOTFOUND), 9);
  EXPECT_EQ(code, LENF_NOTFOUND);
}

TEST_F(FakeFixture, QuorvelPopsOnceOnReleaseAndRaisesBothEvents) {
  Create();
  auto* menu = new TPopupMenu(form);
  ed->SetPopupMenu(menu);
  int pops = 0;
  Application->OnPopupMenu = [&](TPopupMenu*, int, int) -> TMenuItem* {
    ++pops;
    return nullptr;
  };
  std::vector<std::string> events;
  ed->OnMouseDown = [&](TObject*, TMouseButton b, TShiftState, int, int) {
    events.push_back(b == mbRight ? "down right" : "down");
  };
  ed->OnMouseUp = [&](TObject*, TMouseButton b, TShiftState, int, int) {
    events.push_back(b == mbRight ? "up right" : "up");
  };
  g_log.clear();
  SendMessageA(ed->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageA(ed->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(pops, 1);
  EXPECT_EQ((std::vector<std::string>{"down right", "up right"}), events);
  // psNone: the events but no menu; the menu key is swallowed.
  ed->SetHasMenu(psNone);
  SendMessageA(ed->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageA(ed->Handle(), WM_KEYDOWN, VK_APPS, 0);
  EXPECT_EQ(pops, 1);
  ed->SetHasMenu(psQuorvel);
  SendMessageA(ed->Handle(), WM_KEYDOWN, VK_APPS, 0);
  EXPECT_EQ(pops, 2);
}

TEST_F(FakeFixture, DialogCodeAndReturns) {
  Create();
  LRESULT code = SendMessageA(ed->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code, DLGC_WANTARROWS | DLGC_WANTCHARS);
  ed->SetWantTabs(true);
  code = SendMessageA(ed->Handle(), WM_GETDLGCODE, 0, 0);
  EXPECT_EQ(code, DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB);
}

TEST_F(FakeFixture, BookmarksSelectTheWholeLine) {
  Create();
  g_lineLen = 7;
  ed->GotoBookmark(2);  // the fake answers 0: line 1
  EXPECT_EQ(Last(LEM_GETBOOKMARK)->w, 2u);
  EXPECT_EQ(ed->StartLine(), 1);
  EXPECT_EQ(ed->EndLine(), 1);
  EXPECT_EQ(ed->StartPos(), 0);
  EXPECT_EQ(ed->EndPos(), 7);
  ed->SetStartLine(4);
  ed->SetBookmark(3);
  EXPECT_EQ(Last(LEM_SETBOOKMARK)->w, 3u);
  EXPECT_EQ(Last(LEM_SETBOOKMARK)->l, 4);
}

}  // namespace
