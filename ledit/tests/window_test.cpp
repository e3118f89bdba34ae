// LEDIT32 driven by its messages, as the editor control component drives it: an owner
// window records notifications and a subclass answers the call-backs.
#include <gtest/gtest.h>
#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <set>
#include <string>
#include <vector>

#include "framework/core/tests/TestFiles.h"
#include "framework/core/tests/UnixLinks.h"
#include "framework/core/tests/WholeFileWatch.h"
#include "ledit/include/LEditMessages.h"

using vx::Slurp;

namespace {

constexpr COLORREF kDefaultFg = RGB(10, 20, 30);
constexpr COLORREF kDefaultBg = RGB(250, 250, 240);
constexpr COLORREF kTagColor = RGB(0, 160, 0);
constexpr COLORREF kStringColor = RGB(0, 0, 200);
constexpr COLORREF kSymbolColor = RGB(200, 0, 200);
constexpr COLORREF kWordColor = RGB(200, 0, 0);

struct Recorder {
  std::vector<int> codes;
  std::vector<LEToken> clicks;
  std::vector<LESelRecord> selAtClick;
  std::vector<int> found;
  int highlightCalls = 0;
  LRESULT foundAnswer = 1;
  std::vector<std::string> braceTokens;
  bool paintBitmap = false;
  std::vector<std::string> breakAsks;
  int breakAnswer = 0;
  bool selColors = false;
  std::vector<std::string> tokenTexts;
  int paintCalls = 0;
  WNDPROC oldProc = nullptr;
  int Count(int code) const {
    int n = 0;
    for (int c : codes) n += c == code;
    return n;
  }
};
Recorder g_rec;
HBRUSH g_bgBrush = nullptr;

LRESULT CALLBACK OwnerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && lp) {
    g_rec.codes.push_back(HIWORD(wp));
    return 0;
  }
  if (msg == WM_CTLCOLOREDIT) {
    SetTextColor(reinterpret_cast<HDC>(wp), kDefaultFg);
    SetBkColor(reinterpret_cast<HDC>(wp), kDefaultBg);
    return reinterpret_cast<LRESULT>(g_bgBrush);
  }
  return DefWindowProcA(h, msg, wp, lp);
}

// The subclass answers the call-backs the way the component's handlers would.
LRESULT CALLBACK EditorSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case LEM_HIGHLIGHT: {
      ++g_rec.highlightCalls;
      auto* t = reinterpret_cast<LEToken*>(lp);
      g_rec.tokenTexts.push_back(t->Text);
      HDC dc = reinterpret_cast<HDC>(wp);
      if (t->Type == LET_WORD) SetTextColor(dc, t->Text[0] == '<' ? kTagColor : kWordColor);
      if (t->Type == LET_STRING || t->Type == LET_STRINGPIECE) SetTextColor(dc, kStringColor);
      if (t->Type == LET_SYMBOL) SetTextColor(dc, kSymbolColor);
      return 0;
    }
    case LEM_WORDCLICK: {
      g_rec.clicks.push_back(*reinterpret_cast<LEToken*>(lp));
      LESelRecord r{};
      SendMessageA(h, LEM_GETSELECTION, 0, reinterpret_cast<LPARAM>(&r));
      g_rec.selAtClick.push_back(r);
      return 1;
    }
    case LEM_FINDBRACE: {
      auto* t = reinterpret_cast<LEToken*>(lp);
      g_rec.braceTokens.push_back(t->Text);
      if (t->Text[0] == '<' && t->Text[1] == '/') return LEFB_CLOSE;
      if (t->Text[0] == '<') return LEFB_OPEN;
      return LEFB_DEFAULT;
    }
    case LEM_PAINT: {
      if (!g_rec.paintBitmap) return 0;
      HDC dc = reinterpret_cast<HDC>(wp);
      RECT rc;
      GetClientRect(h, &rc);
      HDC mem = CreateCompatibleDC(dc);
      HBITMAP b = CreateCompatibleBitmap(dc, rc.right, rc.bottom);
      HGDIOBJ o = SelectObject(mem, b);
      HBRUSH br = CreateSolidBrush(RGB(255, 255, 0));
      FillRect(mem, &rc, br);
      DeleteObject(br);
      SelectObject(mem, o);
      DeleteDC(mem);
      ++g_rec.paintCalls;
      return reinterpret_cast<LRESULT>(b);  // the window owns and frees it
    }
    case LEM_WORDBREAK:
      g_rec.breakAsks.push_back(reinterpret_cast<const char*>(lp));
      if (g_rec.breakAnswer) return g_rec.breakAnswer;
      return CallWindowProcA(g_rec.oldProc, h, msg, wp, lp);
    case LEM_SELCOLORS:
      if (g_rec.selColors) {
        SetTextColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
        SetBkColor(reinterpret_cast<HDC>(wp), RGB(120, 0, 0));
        return 0;
      }
      return CallWindowProcA(g_rec.oldProc, h, msg, wp, lp);
    case LEM_NOTIFYFOUND: g_rec.found.push_back(static_cast<int>(lp)); return g_rec.foundAnswer;
    default: return CallWindowProcA(g_rec.oldProc, h, msg, wp, lp);
  }
}

// Closes message boxes the window shows, remembering their text.
std::vector<std::string> g_boxes;
BOOL CALLBACK CollectText(HWND h, LPARAM lp) {
  char buf[512] = "";
  GetWindowTextA(h, buf, sizeof buf);
  *reinterpret_cast<std::string*>(lp) += buf;
  return TRUE;
}
BOOL CALLBACK CloseBoxes(HWND h, LPARAM) {
  char cls[16] = "";
  GetClassNameA(h, cls, sizeof cls);
  if (strcmp(cls, "#32770") == 0 && IsWindowVisible(h)) {
    std::string text;
    EnumChildWindows(h, CollectText, reinterpret_cast<LPARAM>(&text));
    g_boxes.push_back(text);
    PostMessageA(h, WM_COMMAND, IDOK, 0);
    PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  }
  return TRUE;
}
void CALLBACK BoxTimer(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseBoxes, 0); }

std::string TempDir() {
  char buf[MAX_PATH];
  GetTempPathA(MAX_PATH, buf);
  std::string d = std::string(buf) + "ledit_tests\\";
  CreateDirectoryA(d.c_str(), nullptr);
  return d;
}

void WriteFile(const std::string& path, const std::string& bytes) {
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream f(path, std::ios::binary);
  f << bytes;
}

class LEditWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(LEditInit(), 1);
    static bool registered = false;
    if (!registered) {
      WNDCLASSA wc{};
      wc.lpfnWndProc = OwnerProc;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = "LEditTestOwner";
      RegisterClassA(&wc);
      g_bgBrush = CreateSolidBrush(kDefaultBg);
      registered = true;
    }
    g_rec = Recorder{};
    g_boxes.clear();
    owner = CreateWindowExA(0, "LEditTestOwner", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 640, 480, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(owner);
    Create(LES_ALWAYS | LES_HIGHLIGHT | LES_CHANGEFILE | LES_CHANGEFONT);
    timer = SetTimer(nullptr, 0, 50, BoxTimer);
  }
  void Create(DWORD style) {
    if (ed) DestroyWindow(ed);
    ed = CreateWindowExA(0, LEDIT_CLASS, nullptr, WS_CHILD | WS_VISIBLE | style, 0, 0, 600, 400, owner,
                         reinterpret_cast<HMENU>(7), GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(ed);
    font = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
    SendMessageA(ed, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    g_rec.oldProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(ed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditorSubclass)));
    Send(LEM_INIT, 1000, reinterpret_cast<LPARAM>(ed));
    g_rec.codes.clear();
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    if (ed) DestroyWindow(ed);
    DestroyWindow(owner);
    DeleteObject(font);
  }
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) { return SendMessageA(ed, msg, wp, lp); }
  void SetText(const char* s) { Send(LEM_SETTEXT, 1, reinterpret_cast<LPARAM>(s)); }
  std::string Text() {
    LRESULT n = Send(LEM_GETTEXTLENGTH, 1);
    std::string s(static_cast<size_t>(n) + 1, '?');
    Send(LEM_GETTEXT, 1, reinterpret_cast<LPARAM>(s.data()));
    EXPECT_EQ(s[static_cast<size_t>(n)], '\0');
    s.resize(static_cast<size_t>(n));
    return s;
  }
  std::string SelText() {
    LRESULT n = Send(LEM_GETSELLENGTH);
    std::string s(static_cast<size_t>(n) + 1, '?');
    Send(LEM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
  }
  void Select(int sl, int sp, int el, int ep) {
    LESelRecord r{static_cast<short>(sp), static_cast<short>(ep), sl, el};
    Send(LEM_SETSELECTION, 0, reinterpret_cast<LPARAM>(&r));
  }
  LESelRecord Sel() {
    LESelRecord r{};
    Send(LEM_GETSELECTION, 0, reinterpret_cast<LPARAM>(&r));
    return r;
  }
  void Insert(const char* s) { Send(LEM_REPLACESEL, 0, reinterpret_cast<LPARAM>(s)); }
  void Type(const char* s) {
    for (; *s; ++s) Send(WM_CHAR, static_cast<unsigned char>(*s), 1);
  }
  void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
  // Column boundary x in the test font (fixed pitch).
  int CharWidth() {
    HDC dc = GetDC(ed);
    HGDIOBJ o = SelectObject(dc, font);
    SIZE s;
    GetTextExtentPoint32A(dc, "M", 1, &s);
    SelectObject(dc, o);
    ReleaseDC(ed, dc);
    return s.cx;
  }

  HWND owner = nullptr, ed = nullptr;
  HFONT font = nullptr;
  UINT_PTR timer = 0;
};

TEST_F(LEditWindow, SelectionRecordTextAndReplacement) {
  SetText("hello\r\nworld\nthird");
  EXPECT_EQ(Send(LEM_GETLINECOUNT), 3);
  EXPECT_EQ(Text(), "hello\r\nworld\r\nthird");
  EXPECT_EQ(Send(LEM_GETTEXTLENGTH, 1), 19);
  // Start is the anchor, end the caret; a backward selection keeps its direction.
  Select(2, 3, 1, 1);
  LESelRecord r = Sel();
  EXPECT_EQ(r.StartLine, 2);
  EXPECT_EQ(r.StartPos, 3);
  EXPECT_EQ(r.EndLine, 1);
  EXPECT_EQ(r.EndPos, 1);
  EXPECT_EQ(Send(LEM_GETSELLENGTH), 4 + 2 + 3);
  EXPECT_EQ(SelText(), "ello\r\nwor");
  // Out-of-range values are clamped.
  Select(0, 99, 9, 99);
  r = Sel();
  EXPECT_EQ(r.StartLine, 1);
  EXPECT_EQ(r.StartPos, 5);
  EXPECT_EQ(r.EndLine, 3);
  EXPECT_EQ(r.EndPos, 5);
  // Replacement takes any line end; the caret ends after the text with no selection.
  Select(1, 1, 2, 2);
  Insert("X\nY\rZ");
  EXPECT_EQ(Text(), "hX\r\nY\r\nZrld\r\nthird");
  r = Sel();
  EXPECT_EQ(r.StartLine, 3);
  EXPECT_EQ(r.EndLine, 3);
  EXPECT_EQ(r.StartPos, 1);
  EXPECT_EQ(r.EndPos, 1);
  EXPECT_EQ(Send(LEM_GETLINELENGTH, 0, 3), 4);
  EXPECT_EQ(Send(LEM_GETLINELENGTH, 0, 9), 0);
  // An empty insertion at an empty selection changes nothing.
  Insert("");
  EXPECT_EQ(Text(), "hX\r\nY\r\nZrld\r\nthird");
}

TEST_F(LEditWindow, GetLineCopiesBytesWithoutTerminator) {
  SetText("one\r\n\ttwo");
  char buf[16];
  memset(buf, '#', sizeof buf);
  EXPECT_EQ(Send(LEM_GETLINE, 2, reinterpret_cast<LPARAM>(buf)), 4);
  EXPECT_EQ(std::string(buf, 5), "\ttwo#");
  // With wParam 0 the line number travels in the buffer.
  int line = 1;
  memcpy(buf, &line, 4);
  EXPECT_EQ(Send(LEM_GETLINE, 0, reinterpret_cast<LPARAM>(buf)), 3);
  EXPECT_EQ(std::string(buf, 3), "one");
  EXPECT_EQ(Send(LEM_GETLINE, 7, reinterpret_cast<LPARAM>(buf)), 0);
}

TEST_F(LEditWindow, ChangeNotificationFollowsTextCaretAndSelection) {
  SetText("abc");
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 1);
  Select(1, 1, 1, 2);
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 2);
  Insert("Q");
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 3);
  Send(WM_KEYDOWN, VK_LEFT, 0);
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 4);
  Type("z");
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 5);
  // Queries never notify.
  Sel();
  Text();
  Send(LEM_GETMODIFIED, 0);
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 5);
}

TEST_F(LEditWindow, TypingUndoRedoAndModifiedBits) {
  EXPECT_EQ(Send(LEM_GETMAXUNDODEPTH), 32000);
  EXPECT_EQ(Send(LEM_GETMODIFIED, 0), 0);
  Type("hello");
  Send(WM_CHAR, '\r', 1);
  Type("x");
  EXPECT_EQ(Text(), "hello\r\nx");
  EXPECT_NE(Send(LEM_GETMODIFIED, 0), 0);
  Send(LEM_SETMODIFIED, 0, 3);
  EXPECT_EQ(Send(LEM_GETMODIFIED, 3), 0);
  EXPECT_NE(Send(LEM_GETMODIFIED, 0), 0);  // mask 0 tests every bit
  Send(LEM_SETMODIFIED, 0, 0);
  EXPECT_EQ(Send(LEM_GETMODIFIED, 0), 0);

  ASSERT_NE(Send(LEM_CANUNDO, 0), 0);
  EXPECT_EQ(Send(LEM_CANUNDO, 1), 0);
  Send(LEM_UNDO, 0);
  EXPECT_EQ(Text(), "hello\r\n");
  Send(LEM_UNDO, 0);
  EXPECT_EQ(Text(), "hello");
  Send(LEM_UNDO, 0);
  EXPECT_EQ(Text(), "");  // the typed word is one step
  EXPECT_EQ(Send(LEM_CANUNDO, 0), 0);
  EXPECT_NE(Send(LEM_GETMODIFIED, 1), 0);  // undo is an edit
  Send(LEM_UNDO, 1);
  EXPECT_EQ(Text(), "hello");
  EXPECT_EQ(Sel().EndPos, 5);

  // Backspace, overwrite mode, and depth 0.
  Send(WM_CHAR, 8, 1);
  EXPECT_EQ(Text(), "hell");
  Send(WM_KEYDOWN, VK_HOME, 0);
  Send(WM_KEYDOWN, VK_INSERT, 0);
  EXPECT_EQ(g_rec.Count(LEN_OVERWRITEMODE), 1);
  Type("J");
  EXPECT_EQ(Text(), "Jell");
  Send(LEM_SETINSERTMODE, 1);
  Type("!");
  EXPECT_EQ(Text(), "J!ell");
  Send(LEM_SETUNDODEPTH, 0);
  Type("x");
  EXPECT_EQ(Send(LEM_CANUNDO, 0), 0);
}

TEST_F(LEditWindow, KeyboardMovesAndExtendsTheSelection) {
  SetText("  first line\r\nab\r\nthird line here");
  auto shift = [](bool down) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_SHIFT] = down ? 0x80 : 0;
    SetKeyboardState(keys);
  };
  auto key = [&](WPARAM vk) { Send(WM_KEYDOWN, vk, 1); };
  Select(1, 8, 1, 8);
  key(VK_HOME);  // first to the text, then to the line start
  EXPECT_EQ(Sel().EndPos, 2);
  key(VK_HOME);
  EXPECT_EQ(Sel().EndPos, 0);
  key(VK_END);
  EXPECT_EQ(Sel().EndPos, 12);
  // Up and down keep the column they started from across a short line.
  Select(1, 10, 1, 10);
  key(VK_DOWN);
  EXPECT_EQ(Sel().EndLine, 2);
  EXPECT_EQ(Sel().EndPos, 2);
  key(VK_DOWN);
  EXPECT_EQ(Sel().EndLine, 3);
  EXPECT_EQ(Sel().EndPos, 10);
  // Shift extends from the anchor.
  shift(true);
  key(VK_LEFT);
  key(VK_LEFT);
  shift(false);
  LESelRecord r = Sel();
  EXPECT_EQ(r.StartPos, 10);
  EXPECT_EQ(r.EndPos, 8);
  EXPECT_EQ(SelText(), "ne");
  // Without WrapKeys the caret stops at the line start; with it, it crosses.
  Select(2, 0, 2, 0);
  key(VK_LEFT);
  EXPECT_EQ(Sel().EndLine, 2);
  Send(LEM_SETOPTIONS, LEO_WRAPKEYS, 0);
  key(VK_LEFT);
  EXPECT_EQ(Sel().EndLine, 1);
  EXPECT_EQ(Sel().EndPos, 12);
  // Delete joins lines; typing over a selection replaces it with default selection on.
  key(VK_DELETE);
  EXPECT_EQ(Text(), "  first lineab\r\nthird line here");
  Send(LEM_SETOPTIONS, LEO_DEFAULTSELECTION, 0);
  Select(1, 2, 1, 7);
  Type("1st");
  EXPECT_EQ(Text(), "  1st lineab\r\nthird line here");
}

TEST_F(LEditWindow, ReadOnlyBlocksTypingButNotMessages) {
  SetText("abc");
  Send(LEM_SETREADONLY, 1);
  Type("zz");
  Send(WM_CHAR, 8, 1);
  EXPECT_EQ(Text(), "abc");
  Insert("X");
  EXPECT_EQ(Text(), "Xabc");
  Send(LEM_SETREADONLY, 0);
  Type("y");
  EXPECT_EQ(Text(), "Xyabc");
}

TEST_F(LEditWindow, LoadAcceptsLineEndsAndSaveWritesTheChosenStyle) {
  std::string dir = TempDir();
  std::string in = dir + "in.txt", out = dir + "out.txt";
  WriteFile(in, "a\r\nb\nc\rd");
  EXPECT_EQ(Send(LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(in.c_str())), 0);
  EXPECT_EQ(Send(LEM_GETLINECOUNT), 4);
  EXPECT_EQ(Text(), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(Send(LEM_GETMODIFIED, 0), 0);
  EXPECT_EQ(Send(LEM_CANUNDO, 0), 0);
  char name[LE_FILENAME_BUF];
  Send(LEM_GETFILENAME, 0, reinterpret_cast<LPARAM>(name));
  EXPECT_EQ(std::string(name), in);
  EXPECT_GE(g_rec.Count(LEN_CHANGE), 1);

  Type("x");
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(out.c_str())), 0);
  EXPECT_EQ(Slurp(out), "xa\r\nb\r\nc\r\nd");
  EXPECT_NE(Send(LEM_GETMODIFIED, 0), 0);  // a save by message leaves the bits to the owner
  Send(LEM_SETOPTIONS, LEO_UNIXSTYLESAVE, 0);
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(out.c_str())), 0);
  EXPECT_EQ(Slurp(out), "xa\nb\nc\nd");
  Send(LEM_SETOPTIONS, LEO_MACSTYLESAVE, LEO_UNIXSTYLESAVE);
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(out.c_str())), 0);
  EXPECT_EQ(Slurp(out), "xa\rb\rc\rd");
  // A save over a file keeps the attributes the user gave it.
  SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Type("y");
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(out.c_str())), 0);
  EXPECT_NE(Slurp(out).find('y'), std::string::npos);
  EXPECT_TRUE(GetFileAttributesA(out.c_str()) & FILE_ATTRIBUTE_HIDDEN);
  SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 0);
}

TEST_F(LEditWindow, FileFailuresAreReportedAndLeaveFilesWhole) {
  std::string dir = TempDir();
  SetText("keep");
  std::string missing = dir + "no-such-file.txt";
  DeleteFileA(missing.c_str());
  EXPECT_NE(Send(LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(missing.c_str())), 0);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 1);
  EXPECT_EQ(Text(), "keep");

  std::string ro = dir + "readonly.txt";
  WriteFile(ro, "original");
  SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(ro.c_str())), 0);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 2);
  EXPECT_EQ(Slurp(ro), "original");
  SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_NORMAL);

  std::string badDir = dir + "no-such-dir\\x.txt";
  EXPECT_NE(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(badDir.c_str())), 0);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 3);

  // Save with no name of its own and no file: a failure, not a silent success.
  Send(LEM_SETHASFILE, 0);
  Send(WM_COMMAND, LECMD_SAVE, 0);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 4);
}

// A document reached through Linux links (Z: names under Wine): the save goes into the
// file at the end of the links, which stay links.
TEST_F(LEditWindow, SaveThroughLinuxLinksWritesTheFileTheyLeadTo) {
  std::string dir = TempDir() + "links\\";
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "real").c_str(), nullptr);
  const std::string target = dir + "real\\page.htm";
  for (const char* old : {"page.htm", "chain.htm", "full.htm", "gone.htm", "real\\gone.htm"})
    DeleteFileA((dir + old).c_str());
  WriteFile(target, "old");
  if (!vx::MakeUnixLink("real\\page.htm", dir + "page.htm")) GTEST_SKIP() << "no Linux links here";
  ASSERT_TRUE(vx::MakeUnixLink("page.htm", dir + "chain.htm"));
  ASSERT_TRUE(vx::MakeUnixLink(target, dir + "full.htm"));
  WriteFile(dir + "real\\gone.htm", "soon gone");
  ASSERT_TRUE(vx::MakeUnixLink("real\\gone.htm", dir + "gone.htm"));
  DeleteFileA((dir + "real\\gone.htm").c_str());
  for (const char* link : {"page.htm", "chain.htm", "full.htm"}) {
    SCOPED_TRACE(link);
    SetText(link);
    EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>((dir + link).c_str())), 0);
    EXPECT_EQ(Slurp(target), link) << "the file the link leads to kept its old text";
    WriteFile(target, "changed");
    EXPECT_EQ(Slurp(dir + link), "changed") << "the link became a file of its own";
  }
  // A link whose file is gone: the file comes back, the link leads to it.
  SetText("back");
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>((dir + "gone.htm").c_str())), 0);
  EXPECT_EQ(Slurp(dir + "real\\gone.htm"), "back");
  WriteFile(dir + "real\\gone.htm", "changed");
  EXPECT_EQ(Slurp(dir + "gone.htm"), "changed");
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 0);
  // A link into a folder that is not there: an error, and the link stays a link.
  for (const char* old : {"nowhere\\page.htm", "away.htm"}) DeleteFileA((dir + old).c_str());
  RemoveDirectoryA((dir + "nowhere").c_str());
  if (vx::UnixLinkTarget(dir + "away.htm").empty()) ASSERT_TRUE(vx::MakeUnixLink("nowhere\\page.htm", dir + "away.htm"));
  EXPECT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>((dir + "away.htm").c_str())), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 1);
  EXPECT_EQ(vx::UnixLinkTarget(dir + "away.htm"), "nowhere/page.htm");
  EXPECT_EQ(GetFileAttributesA((dir + "nowhere").c_str()), INVALID_FILE_ATTRIBUTES);
}

// Another program reading a large document again and again while it is saved finds it
// at every moment, with the whole old text or the whole new one.
TEST_F(LEditWindow, ADocumentBeingSavedIsAlwaysThereWhole) {
  const std::string name = TempDir() + "watched.htm";
  const std::vector<std::string> texts = vx::TwoLargeTexts();
  SetText(texts[0].c_str());
  ASSERT_EQ(Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(name.c_str())), 0);
  ASSERT_EQ(Slurp(name), texts[0]);
  int failed = 0;
  const vx::TWatchResult r = vx::SaveUnderWatch(name, texts, 3000, [&](size_t i) {
    SetText(texts[i].c_str());
    failed += Send(LEM_SAVEFILE, 0, reinterpret_cast<LPARAM>(name.c_str())) != 0;
  });
  EXPECT_EQ(r.missing, 0) << "no file at the name " << r.missing << " times in " << r.checks << " looks, " << r.saves
                          << " saves";
  EXPECT_EQ(r.torn, 0) << "a text not whole " << r.torn << " times in " << r.checks << " looks";
  EXPECT_EQ(failed, 0) << "of " << r.saves << " saves";
  EXPECT_EQ(g_rec.Count(LEN_FILEERROR), 0);
}

TEST_F(LEditWindow, OverlongLineIsRefusedWithMessage) {
  std::string dir = TempDir();
  std::string big = dir + "long.txt";
  WriteFile(big, "short\r\n" + std::string(40000, 'x') + "\r\n");
  SetText("before");
  Send(LEM_SETMODIFIED, 0, 0);
  EXPECT_NE(Send(LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(big.c_str())), 0);
  EXPECT_EQ(g_rec.Count(LEN_MAXLINE), 1);
  EXPECT_EQ(Text(), "before");
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].find("32767"), std::string::npos) << g_boxes[0];
  // Typing that would cross the limit is refused the same way.
  std::string line(32767, 'y');
  SetText(line.c_str());
  Type("z");
  EXPECT_EQ(Send(LEM_GETLINELENGTH, 0, 1), 32767);
  EXPECT_EQ(g_rec.Count(LEN_MAXLINE), 2);
  // Text put around the selection answers whether it went in.
  SetText("mid");
  Select(1, 0, 1, 3);
  EXPECT_NE(Send(LEM_SURROUNDSEL, reinterpret_cast<WPARAM>("<B>"), reinterpret_cast<LPARAM>("</B>")), 0);
  EXPECT_EQ(Text(), "<B>mid</B>");
  Select(1, 0, 1, 3);
  EXPECT_EQ(Send(LEM_SURROUNDSEL, reinterpret_cast<WPARAM>(line.c_str()), reinterpret_cast<LPARAM>("")), 0);
  EXPECT_EQ(Text(), "<B>mid</B>");
  EXPECT_EQ(g_rec.Count(LEN_MAXLINE), 3);
}

TEST_F(LEditWindow, FindNextSelectsMatchesAndReportsNotFound) {
  SetText("alpha beta\r\nBeta gamma beta");
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>("beta"));
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  LESelRecord r = Sel();
  EXPECT_EQ(r.StartLine, 1);
  EXPECT_EQ(r.StartPos, 6);
  EXPECT_EQ(r.EndPos, 10);
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  r = Sel();
  EXPECT_EQ(r.StartLine, 2);
  EXPECT_EQ(r.StartPos, 0);  // case does not matter by default
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  EXPECT_EQ(Sel().StartPos, 11);
  // Past the last match the search wraps to the start and says so.
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  EXPECT_EQ(Sel().StartLine, 1);
  EXPECT_EQ(g_rec.found, std::vector<int>{LENF_WRAPPED});
  // Not found: the owner hears of it; answering 0 lets the window show its message.
  std::string longText(200, 'q');
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>(longText.c_str()));
  SetText(std::string(130, 'q').c_str());
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);  // only the first 125 characters are kept
  EXPECT_EQ(Send(LEM_GETSELLENGTH), 125);
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>("zzz"));
  g_rec.found.clear();
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  EXPECT_EQ(g_rec.found, std::vector<int>{LENF_NOTFOUND});
  EXPECT_TRUE(g_boxes.empty());
  g_rec.foundAnswer = 0;
  Send(WM_COMMAND, LECMD_FINDNEXT, 0);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].find("zzz"), std::string::npos);
}

TEST_F(LEditWindow, FindDialogIsSeededAndItsFindSelectsTheMatch) {
  SetText("one two three two");
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>("two"));
  Send(WM_COMMAND, LECMD_FIND, 0);  // the test's timer presses the default button
  ASSERT_EQ(g_boxes.size(), 1u);
  LESelRecord r = Sel();
  EXPECT_EQ(r.StartPos, 4);
  EXPECT_EQ(r.EndPos, 7);
  // A selection on one line seeds the dialog instead.
  Select(1, 8, 1, 13);
  Send(WM_COMMAND, LECMD_FIND, 0);
  r = Sel();
  EXPECT_EQ(r.StartPos, 8);  // "three" again, found from the start after wrapping
  EXPECT_EQ(r.EndPos, 13);
  // The replace dialog closes with Cancel and changes nothing by itself.
  Send(WM_COMMAND, LECMD_REPLACE, 0);
  EXPECT_EQ(Text(), "one two three two");
}

TEST_F(LEditWindow, BookmarksFollowTheirLines) {
  SetText("a\r\nb\r\nc\r\nd");
  Send(LEM_SETBOOKMARKSMAX, 6);
  Send(LEM_SETBOOKMARK, 1, 3);
  Send(LEM_SETBOOKMARK, 5, 1);
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 1), 3);
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 2), 0);  // unset
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 6), 0);  // beyond the maximum
  Select(1, 0, 1, 0);
  Insert("new\r\n");
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 1), 4);
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 5), 2);
  Select(1, 0, 3, 0);
  Insert("");
  EXPECT_EQ(Send(LEM_GETBOOKMARK, 1), 2);
  char buf[8];
  EXPECT_EQ(Send(LEM_GETLINE, 2, reinterpret_cast<LPARAM>(buf)), 1);
  EXPECT_EQ(buf[0], 'c');
}

TEST_F(LEditWindow, SettingsReadBack) {
  Create(LES_ALWAYS | (2 << LES_HSPACE_SHIFT) | (1 << LES_VSPACE_SHIFT) | WS_VSCROLL);
  LRESULT w = Send(LEM_GETSPACING);
  EXPECT_EQ(LOWORD(w) & 15, 4);
  EXPECT_EQ((LOWORD(w) >> 4) & 15, 2);
  EXPECT_EQ(HIWORD(w), 2);
  Send(LEM_SETSPACING, 0, MAKELONG(6 | (0 << 4) | (3 << 8), 3));
  w = Send(LEM_GETSPACING);
  EXPECT_EQ(LOWORD(w), 6 | (3 << 8));
  EXPECT_EQ(HIWORD(w), 3);
  EXPECT_EQ(Send(WM_GETFONT), reinterpret_cast<LRESULT>(font));
  // Caption messages never touch the document.
  SetText("doc");
  SetWindowTextA(ed, "caption");
  EXPECT_EQ(Text(), "doc");
  // Top line and skip.
  std::string many;
  for (int i = 0; i < 100; ++i) many += "line\r\n";
  SetText(many.c_str());
  Send(LEM_SETTOPLINE, 0, 40);
  EXPECT_EQ(Send(LEM_GETFIRSTVISIBLELINE), 40);
  EXPECT_EQ(Send(LEM_GETSKIP), 0);
  EXPECT_GE(g_rec.Count(LEN_VSCROLL), 1);
}

TEST_F(LEditWindow, ContextMenuHasFileAndFontSubmenus) {
  HMENU m = reinterpret_cast<HMENU>(Send(LEM_GETMENU, 2));
  ASSERT_TRUE(m);
  char text[64];
  GetMenuStringA(m, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "&File");
  HMENU file = GetSubMenu(m, LEMENU_FILE);
  EXPECT_EQ(GetMenuItemID(file, 0), static_cast<UINT>(LECMD_NEW));
  EXPECT_EQ(GetMenuItemID(file, 1), static_cast<UINT>(LECMD_OPEN));
  HMENU fontMenu = GetSubMenu(m, LEMENU_FONT);
  EXPECT_EQ(GetMenuItemID(fontMenu, 0), static_cast<UINT>(LECMD_FONT));
  EXPECT_EQ(GetSubMenu(m, LEMENU_SEARCH) != nullptr, true);
  EXPECT_EQ(GetMenuItemID(GetSubMenu(m, LEMENU_SEARCH), 0), static_cast<UINT>(LECMD_FIND));
  // The owner may detach the File submenu; the window still frees it.
  RemoveMenu(m, 0, MF_BYPOSITION);
  EXPECT_EQ(Send(LEM_GETMENU, 2), reinterpret_cast<LRESULT>(m));
  Create(LES_ALWAYS);
  m = reinterpret_cast<HMENU>(Send(LEM_GETMENU, 2));
  EXPECT_NE(GetMenuItemID(GetSubMenu(m, 0), 0), static_cast<UINT>(LECMD_NEW));
  EXPECT_NE(GetMenuItemID(GetSubMenu(m, 3), 0), static_cast<UINT>(LECMD_FONT));
}

TEST_F(LEditWindow, GroupWindowAnswersProbeAndSharesSearchText) {
  HWND group = CreateWindowExA(0, LEDIT_GROUP_CLASS, nullptr, WS_CHILD, 0, 0, 0, 0, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(group);
  EXPECT_EQ(SendMessageA(group, LEM_GROUPPROBE, 0, LE_GROUP_PROBE), LE_GROUP_ANSWER);
  EXPECT_EQ(Send(LEM_GROUPPROBE, 0, LE_GROUP_PROBE), 0);  // an editor is no group
  HWND other = CreateWindowExA(0, LEDIT_CLASS, nullptr, WS_CHILD | LES_ALWAYS, 0, 0, 100, 100, owner, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  SendMessageA(group, LEM_GROUPJOIN, reinterpret_cast<WPARAM>(ed), 0);
  SendMessageA(group, LEM_GROUPJOIN, reinterpret_cast<WPARAM>(other), 0);
  SendMessageA(group, LEM_GROUPJOIN, reinterpret_cast<WPARAM>(other), 0);  // duplicates ignored
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>("needle"));
  SendMessageA(other, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>("hay needle"));
  SendMessageA(other, WM_COMMAND, LECMD_FINDNEXT, 0);
  LESelRecord r{};
  SendMessageA(other, LEM_GETSELECTION, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.StartPos, 4);
  // Joining another group leaves the first one.
  HWND group2 = CreateWindowExA(0, LEDIT_GROUP_CLASS, nullptr, WS_CHILD, 0, 0, 0, 0, owner, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  SendMessageA(group2, LEM_GROUPJOIN, reinterpret_cast<WPARAM>(other), 0);
  Send(LEM_SETSEARCHTEXT, 0, reinterpret_cast<LPARAM>("hay"));
  SendMessageA(other, WM_COMMAND, LECMD_FINDNEXT, 0);
  SendMessageA(other, LEM_GETSELECTION, 0, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(r.StartPos, 4);  // still "needle"
  DestroyWindow(other);
  DestroyWindow(group);
  DestroyWindow(group2);
}

// Renders through WM_PRINTCLIENT into a 32-bit DIB and reads colours per column.
class Render {
 public:
  Render(HWND ed, int w, int h) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    dc_ = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bmp_);
    SendMessageA(ed, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc_), PRF_CLIENT);
    GdiFlush();
  }
  ~Render() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  COLORREF At(int x, int y) const {
    uint32_t p = bits_[y * w_ + x];
    return RGB((p >> 16) & 255, (p >> 8) & 255, p & 255);
  }
  // Whether any pixel of the box has colour c.
  bool Has(int x0, int x1, int y0, int y1, COLORREF c) const {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (At(x, y) == c) return true;
    return false;
  }

 private:
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  uint32_t* bits_ = nullptr;
};

LESyntaxEntry kHtmlTable[] = {{'"', '"'}, {1, 1},     {1, 1},   {'!', '-'}, {'-', '>'},
                              {'>', 0},   {'<', '/'}, {'=', 0}, {';', 0},   {'&', 0}};

TEST_F(LEditWindow, HighlightingColoursEachTokenThroughTheCallBack) {
  Send(LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(kHtmlTable));
  const char* line = "<A HREF=\"x\">t</A> <!-- c --> ok";
  SetText(line);
  int cw = CharWidth();
  auto cols = [&](int c0, int c1) { return std::pair<int, int>{2 + c0 * cw, 2 + c1 * cw}; };
  {
    Render r(ed, 600, 40);
    int y1 = 16;
    auto has = [&](int c0, int c1, COLORREF c) {
      auto [x0, x1] = cols(c0, c1);
      return r.Has(x0, x1, 0, y1, c);
    };
    EXPECT_EQ(r.At(590, 5), kDefaultBg);
    EXPECT_TRUE(has(0, 2, kTagColor));      // "<A"
    EXPECT_TRUE(has(3, 7, kWordColor));     // HREF
    EXPECT_TRUE(has(7, 8, kSymbolColor));   // =
    EXPECT_TRUE(has(8, 11, kStringColor));  // "x"
    EXPECT_FALSE(has(8, 11, kWordColor));
    EXPECT_TRUE(has(13, 15, kSymbolColor));  // </
    EXPECT_TRUE(has(18, 28, kDefaultFg));    // the comment keeps the default colours
    EXPECT_FALSE(has(18, 28, kWordColor));
    EXPECT_FALSE(has(18, 28, kTagColor));
    EXPECT_TRUE(has(29, 31, kWordColor));
  }
  // With highlighting off there are no call-backs and all text is in the default colour.
  Send(LEM_SETHIGHLIGHT, 0);
  g_rec.highlightCalls = 0;
  {
    Render r(ed, 600, 40);
    auto [x0, x1] = cols(0, 31);
    EXPECT_TRUE(r.Has(x0, x1, 0, 16, kDefaultFg));
    EXPECT_FALSE(r.Has(x0, x1, 0, 16, kTagColor));
    EXPECT_FALSE(r.Has(x0, x1, 0, 16, kStringColor));
  }
  EXPECT_EQ(g_rec.highlightCalls, 0);
}

TEST_F(LEditWindow, MultiLineCommentsUseTheLineStateCache) {
  Send(LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(kHtmlTable));
  Send(LEM_SETOPTIONS, LEO_MULTILINEITEMS | LEO_MULTILINESTRINGS, 0);
  SetText("<B>x</B>\r\n<!-- open\r\n<B>in comment</B>\r\n-->\r\n<B>after</B>");
  int cw = CharWidth();
  int lh = 0;
  {
    TEXTMETRICA tm;
    HDC dc = GetDC(ed);
    HGDIOBJ o = SelectObject(dc, font);
    GetTextMetricsA(dc, &tm);
    SelectObject(dc, o);
    ReleaseDC(ed, dc);
    lh = tm.tmHeight;
  }
  auto row = [&](const Render& r, int line, COLORREF c) { return r.Has(2, 2 + 2 * cw, line * lh, (line + 1) * lh, c); };
  {
    Render r(ed, 600, 5 * lh);
    EXPECT_TRUE(row(r, 0, kTagColor));
    EXPECT_FALSE(row(r, 2, kTagColor));  // inside the comment
    EXPECT_TRUE(row(r, 4, kTagColor));
  }
  // Closing the comment early by typing re-colours the lines below.
  Select(3, 0, 3, 0);
  Insert("-->");
  {
    Render r(ed, 600, 5 * lh);
    EXPECT_FALSE(row(r, 2, kTagColor));
    EXPECT_TRUE(r.Has(2 + 3 * cw, 2 + 5 * cw, 2 * lh, 3 * lh, kTagColor));
  }
}

TEST_F(LEditWindow, PlainClickReportsTheWordWithTheCaretThere) {
  Send(LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(kHtmlTable));
  SetText("text\r\n  <IMG src=x.gif width=10>");
  int cw = CharWidth();
  TEXTMETRICA tm;
  HDC dc = GetDC(ed);
  HGDIOBJ o = SelectObject(dc, font);
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, o);
  ReleaseDC(ed, dc);
  int x = 2 + 4 * cw + cw / 4, y = tm.tmHeight + tm.tmHeight / 2;  // inside "IMG"
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ASSERT_EQ(g_rec.clicks.size(), 1u);
  EXPECT_EQ(g_rec.clicks[0].Type, LET_WORD);
  EXPECT_STREQ(g_rec.clicks[0].Text, "<IMG");
  EXPECT_EQ(g_rec.clicks[0].Value & 0xFFFF, 2);
  EXPECT_EQ(g_rec.selAtClick[0].EndLine, 2);
  EXPECT_EQ(g_rec.selAtClick[0].EndPos, 4);
  EXPECT_EQ(g_rec.selAtClick[0].StartPos, 4);
  // A drag or a shift-click is no word click.
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 3 * cw, y));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(x + 3 * cw, y));
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(x, y));
  Send(WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(x, y));
  EXPECT_EQ(g_rec.clicks.size(), 1u);
}

TEST_F(LEditWindow, ClipboardCopyCutPaste) {
  SetText("one two");
  Select(1, 0, 1, 3);
  Send(WM_CUT);
  EXPECT_EQ(Text(), " two");
  Select(1, 4, 1, 4);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), " twoone");
  Select(1, 0, 1, 4);
  Send(WM_COPY);
  Select(1, 7, 1, 7);
  Send(WM_PASTE);
  EXPECT_EQ(Text(), " twoone two");
  Send(WM_CLEAR, 1);
  EXPECT_EQ(Text(), "");
}

TEST_F(LEditWindow, WordWrapAsksTheOwnerAndBreaksAtSpaces) {
  int cw = CharWidth();
  Send(LEM_SETWORDWRAP, LEWW_ON | LEWW_WIDTH, 10);
  SetText("aaaa bbbb cccc");
  // Three rows: clicking on the second row at its start lands on column 5.
  TEXTMETRICA tm;
  HDC dc = GetDC(ed);
  HGDIOBJ o = SelectObject(dc, font);
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, o);
  ReleaseDC(ed, dc);
  (void)cw;
  Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, tm.tmHeight + 2));
  Send(WM_LBUTTONUP, 0, MAKELPARAM(3, tm.tmHeight + 2));
  EXPECT_EQ(Sel().EndPos, 10);
  Send(LEM_SETTOPLINE, 1, 1);
  EXPECT_EQ(Send(LEM_GETSKIP), 1);
}

TEST_F(LEditWindow, MatchingBraceAsksTheOwnerWhichWayATagOpens) {
  Send(LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(kHtmlTable));
  SetText("<TABLE><TR>\r\n<TABLE>x</TABLE>\r\n</TABLE> (a(b)c)");
  Select(1, 2, 1, 2);
  Send(WM_COMMAND, LECMD_MATCHBRACE, 0);
  ASSERT_EQ(g_rec.braceTokens.size(), 1u);
  EXPECT_EQ(g_rec.braceTokens[0], "<TABLE");
  LESelRecord r = Sel();  // the nested pair is skipped
  EXPECT_EQ(r.StartLine, 3);
  EXPECT_EQ(r.StartPos, 0);
  EXPECT_EQ(r.EndPos, 7);
  // Built-in pairs when the owner leaves it to the window.
  Select(3, 9, 3, 9);
  Send(WM_COMMAND, LECMD_MATCHBRACE, 0);
  r = Sel();
  EXPECT_EQ(r.StartPos, 15);
  EXPECT_EQ(r.EndPos, 16);
}

TEST_F(LEditWindow, WordBreakAnswerDecidesTheRows) {
  Send(LEM_SETWORDWRAP, LEWW_ON | LEWW_WIDTH, 10);
  g_rec.breakAnswer = 3;  // three characters on every row
  SetText("abcdefghijklmnop");
  Send(LEM_SETTOPLINE, 2, 1);
  EXPECT_EQ(Send(LEM_GETSKIP), 2);
  ASSERT_FALSE(g_rec.breakAsks.empty());
  EXPECT_EQ(g_rec.breakAsks[0], "abcdefghijklmnop");  // the rest of the line, terminated
  // An answer below 1 still moves on by one character, until the rest fits a row:
  // rows start at 0, 1, ... 6.
  g_rec.breakAnswer = -5;
  SetText("abcdefghijklmnop");
  Send(LEM_SETTOPLINE, 15, 1);
  EXPECT_EQ(Send(LEM_GETSKIP), 6);
}

TEST_F(LEditWindow, LongTokensReachTheOwnerInPiecesAndSelectionColoursApply) {
  Send(LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(kHtmlTable));
  std::string s = "x=\"" + std::string(3000, 'q') + "\"";
  SetText(s.c_str());
  Send(LEM_SETTOPLINE, 0, 1);
  Send(LEM_SETFIRSTVISIBLEPOS, 1500);
  { Render r(ed, 600, 40); }
  bool piece = false;
  for (auto& t : g_rec.tokenTexts) {
    EXPECT_LE(t.size(), 1023u);
    piece = piece || t.size() == 1023u;
  }
  EXPECT_TRUE(piece);
  // The owner's selection colours are used for selected text.
  g_rec.selColors = true;
  SetText("select me");
  Select(1, 0, 1, 6);
  Render r(ed, 600, 40);
  EXPECT_TRUE(r.Has(2, 2 + 6 * CharWidth(), 0, 16, RGB(120, 0, 0)));
  EXPECT_FALSE(r.Has(2 + 7 * CharWidth(), 2 + 9 * CharWidth(), 0, 16, RGB(120, 0, 0)));
}

// What the window shows after real paints (its back buffer), read from the screen: a
// window made larger shows its new area painted, not a buffer of the old size.
TEST_F(LEditWindow, APaintAfterGrowingFillsTheNewArea) {
  MoveWindow(ed, 0, 0, 200, 100, TRUE);
  std::string text;
  for (int i = 0; i < 30; ++i) text += std::string(70, 'W') + "\r\n";
  SetText(text.c_str());
  UpdateWindow(ed);
  MoveWindow(ed, 0, 0, 600, 400, TRUE);
  UpdateWindow(ed);
  GdiFlush();
  HDC wdc = GetDC(ed);
  // The colours of the area painted before growing, text and background.
  std::set<COLORREF> before, after;
  for (int y = 5; y < 95; ++y)
    for (int x = 5; x < 195; ++x) before.insert(GetPixel(wdc, x, y));
  int alien = 0;
  for (int y = 250; y < 390; y += 2)
    for (int x = 350; x < 590; x += 2) {
      COLORREF c = GetPixel(wdc, x, y);
      after.insert(c);
      if (!before.count(c)) ++alien;
    }
  ReleaseDC(ed, wdc);
  EXPECT_GE(before.size(), 2u);
  EXPECT_GE(after.size(), 2u) << "the grown area is blank";
  EXPECT_EQ(alien, 0) << "the grown area shows colours the text never had";
}

TEST_F(LEditWindow, AutoIndentCopiesLeadingWhitespace) {
  Send(LEM_SETOPTIONS, LEO_AUTOINDENT, 0);
  SetText("  \tindented");
  Select(1, 12, 1, 12);
  Send(WM_CHAR, '\r', 1);
  Type("x");
  EXPECT_EQ(Text(), "  \tindented\r\n  \tx");
  Send(LEM_SETOPTIONS, 0, LEO_AUTOINDENT);
  Send(WM_CHAR, '\r', 1);
  EXPECT_EQ(Text(), "  \tindented\r\n  \tx\r\n");
}

TEST_F(LEditWindow, PaintModeDrawsTextOverTheOwnersBitmap) {
  SetText("W");
  Send(LEM_SETHIGHLIGHT, 0);
  Send(LEM_SETPAINTMODE, 1);
  g_rec.paintBitmap = true;
  Render r(ed, 200, 40);
  EXPECT_EQ(g_rec.paintCalls, 1);
  EXPECT_EQ(r.At(150, 10), RGB(255, 255, 0));
  EXPECT_TRUE(r.Has(2, 2 + CharWidth(), 0, 16, kDefaultFg));
  Send(LEM_SETPAINTMODE, 0);
  Render r2(ed, 200, 40);
  EXPECT_EQ(g_rec.paintCalls, 1);
  EXPECT_EQ(r2.At(150, 10), kDefaultBg);
}

WNDPROC g_baseProc = nullptr;
LRESULT CALLBACK SuperProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LEM_WORDBREAK) return 2;
  return CallWindowProcA(g_baseProc, h, msg, wp, lp);
}

TEST_F(LEditWindow, WorksAsTheBaseOfAnotherClass) {
  // A component may register its own class from a copy of this one.
  WNDCLASSA wc{};
  ASSERT_TRUE(GetClassInfoA(nullptr, LEDIT_CLASS, &wc));
  EXPECT_TRUE(wc.style & CS_DBLCLKS);
  g_baseProc = wc.lpfnWndProc;
  wc.lpfnWndProc = SuperProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "LEditSuperTest";
  static ATOM atom = RegisterClassA(&wc);
  ASSERT_TRUE(atom);
  HWND h = CreateWindowExA(0, "LEditSuperTest", nullptr, WS_CHILD | WS_VISIBLE | LES_ALWAYS, 0, 0, 300, 100, owner,
                           nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(h);
  SendMessageA(h, LEM_INIT, 1000, reinterpret_cast<LPARAM>(h));
  SendMessageA(h, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>("abcdef"));
  SendMessageA(h, LEM_SETWORDWRAP, LEWW_ON | LEWW_WIDTH, 3);
  SendMessageA(h, LEM_SETTOPLINE, 9, 1);
  EXPECT_EQ(SendMessageA(h, LEM_GETSKIP, 0, 0), 2);  // rows of two, as the subclass answered
  EXPECT_EQ(SendMessageA(h, LEM_GETTEXTLENGTH, 1, 0), 6);
  DestroyWindow(h);
}

TEST_F(LEditWindow, NothingIsSentBeforeInitialisation) {
  HWND fresh = CreateWindowExA(0, LEDIT_CLASS, nullptr, WS_CHILD | WS_VISIBLE | LES_ALWAYS | LES_HIGHLIGHT, 0, 0, 200,
                               100, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
  g_rec.codes.clear();
  SendMessageA(fresh, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>("abc"));
  SendMessageA(fresh, WM_CHAR, 'x', 1);
  SendMessageA(fresh, LEM_LOADFILE, 0, reinterpret_cast<LPARAM>("C:\\no\\such\\file.txt"));
  EXPECT_TRUE(g_rec.codes.empty());
  SendMessageA(fresh, LEM_INIT, 1000, reinterpret_cast<LPARAM>(fresh));
  SendMessageA(fresh, WM_CHAR, 'y', 1);
  EXPECT_EQ(g_rec.Count(LEN_CHANGE), 1);
  DestroyWindow(fresh);
}

TEST_F(LEditWindow, PrintWithoutPrinterSaysSoAndKeepsTheText) {
  SetText("page text");
  Send(LEM_SETOPTIONS, LEO_NOPRINTDIALOG | LEO_NOPRINTPROGRESS, 0);
  PRINTDLGA pd{};
  pd.lStructSize = sizeof pd;
  pd.Flags = PD_RETURNDEFAULT;
  if (PrintDlgA(&pd)) GTEST_SKIP() << "this prefix has a printer";
  Send(WM_COMMAND, LECMD_PRINT, 0);
  ASSERT_EQ(g_boxes.size(), 1u);
  EXPECT_NE(g_boxes[0].find("No printer"), std::string::npos) << g_boxes[0];
  EXPECT_EQ(Text(), "page text");
}

}  // namespace
