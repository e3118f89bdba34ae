// Speed of LEDIT32 on a large HTML document, and a 1 MB load against RichEdit 2.0.
// Prints each figure; not a test. Usage: ledit_bench [megabytes]
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ledit/bench/BenchDocument.h"
#include "ledit/include/LEditMessages.h"

namespace {

WNDPROC g_editProc = nullptr;
long g_highlights = 0;

LRESULT CALLBACK EditSubclass(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == LEM_HIGHLIGHT) {
    // What the HTML editor does per token: a lookup and a colour.
    ++g_highlights;
    auto* t = reinterpret_cast<LEToken*>(lp);
    HDC dc = reinterpret_cast<HDC>(wp);
    if (t->Type == LET_WORD)
      SetTextColor(dc, t->Text[0] == '<' ? RGB(0, 128, 0) : RGB(0, 0, 0));
    else if (t->Type == LET_STRING || t->Type == LET_STRINGPIECE)
      SetTextColor(dc, RGB(0, 0, 128));
    else if (t->Type == LET_SYMBOL)
      SetTextColor(dc, RGB(0, 128, 0));
    return 0;
  }
  return CallWindowProcA(g_editProc, h, msg, wp, lp);
}

double Now() {
  static LARGE_INTEGER f = [] {
    LARGE_INTEGER x;
    QueryPerformanceFrequency(&x);
    return x;
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return static_cast<double>(c.QuadPart) * 1000.0 / static_cast<double>(f.QuadPart);
}

std::string MakeHtml(size_t bytes, int& lines) {
  std::string s;
  s.reserve(bytes + 200);
  s += ledit::kBenchHead;
  lines = 3;
  for (int i = 0; s.size() < bytes; ++i, ++lines) s += ledit::BenchLine(i) + "\r\n";
  s += ledit::kBenchTail;
  return s;
}

std::string WriteTemp(const char* name, const std::string& bytes) {
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  std::string path = std::string(dir) + name;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD w = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &w, nullptr);
  CloseHandle(f);
  return path;
}

void PaintNow(HWND h) { RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW); }

HWND MakeEditor(HWND parent) {
  HWND ed = CreateWindowExA(0, LEDIT_CLASS, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | LES_ALWAYS | LES_HIGHLIGHT, 0,
                            0, 900, 700, parent, reinterpret_cast<HMENU>(1), nullptr, nullptr);
  HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, FIXED_PITCH, "Courier New");
  SendMessageA(ed, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
  g_editProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(ed, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditSubclass)));
  SendMessageA(ed, LEM_INIT, 1000, reinterpret_cast<LPARAM>(ed));
  static const LESyntaxEntry table[] = {{'"', '"'}, {1, 1},     {1, 1},   {'!', '-'}, {'-', '>'},
                                        {'>', 0},   {'<', '/'}, {'=', 0}, {';', 0},   {'&', 0}};
  SendMessageA(ed, LEM_SETSYNTAX, 10, reinterpret_cast<LPARAM>(table));
  SendMessageA(ed, LEM_SETOPTIONS, LEO_MULTILINEITEMS | LEO_MULTILINESTRINGS | LEO_DEFAULTSELECTION, 0);
  return ed;
}

struct StreamSrc {
  const std::string* text;
  size_t pos;
};

DWORD CALLBACK StreamIn(DWORD_PTR cookie, LPBYTE buf, LONG cb, LONG* got) {
  auto* s = reinterpret_cast<StreamSrc*>(cookie);
  size_t n = std::min<size_t>(static_cast<size_t>(cb), s->text->size() - s->pos);
  memcpy(buf, s->text->data() + s->pos, n);
  s->pos += n;
  *got = static_cast<LONG>(n);
  return 0;
}

// Rows of a table, about `bytes` of them.
std::string TableRows(size_t bytes) {
  std::string s;
  for (int i = 0; s.size() < bytes; ++i) s += "<TR><TD>cell</TD><TD>cell</TD><TD>cell</TD></TR>\r\n";
  return s;
}

// Median milliseconds of replacing a text of `bytes` by one twice as long, the whole
// selected: the replace must not grow faster than the text.
double ReplaceByLonger(HWND parent, size_t bytes) {
  std::string rows = TableRows(bytes), text = rows + "</TABLE>\r\n", longer = rows + text;
  double runs[3];
  for (double& ms : runs) {
    HWND ed = MakeEditor(parent);
    SendMessageA(ed, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>(text.c_str()));
    double t0 = Now();
    SendMessageA(ed, LEM_SETTEXT, 1, reinterpret_cast<LPARAM>(longer.c_str()));
    ms = Now() - t0;
    DestroyWindow(ed);
  }
  std::sort(runs, runs + 3);
  return runs[1];
}

}  // namespace

int main(int argc, char** argv) {
  // The document's size in megabytes: 10 unless given (a smaller one checks the output fast).
  const int megabytes = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 10;
  LEditInit();
  WNDCLASSA wc{};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = "LEditBench";
  RegisterClassA(&wc);
  HWND main = CreateWindowExA(0, "LEditBench", "ledit_bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 920, 740, nullptr,
                              nullptr, wc.hInstance, nullptr);
  int lines = 0;
  std::string big = MakeHtml(static_cast<size_t>(megabytes) * 1024 * 1024, lines);
  std::string bigPath = WriteTemp("ledit_bench_10mb.htm", big);
  printf("document: %zu bytes, %d lines\n", big.size(), lines);

  HWND ed = MakeEditor(main);
  PaintNow(main);
  double t0 = Now();
  LRESULT r = SendMessageA(ed, LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(bigPath.c_str()));
  PaintNow(ed);
  double tLoad = Now() - t0;
  printf("%d MB load and first paint: %.1f ms (result %ld, %ld lines)  target < 1000 ms (10 MB)\n", megabytes, tLoad,
         static_cast<long>(r), static_cast<long>(SendMessageA(ed, LEM_GETLINECOUNT, 0, 0)));

  // Near the end: the first visit lexes down to there once, then typing is local.
  int target = lines - 200;
  t0 = Now();
  LESelRecord sel{10, 10, target, target};
  SendMessageA(ed, LEM_SETSELECTION, 0, reinterpret_cast<LPARAM>(&sel));
  PaintNow(ed);
  printf("jump to line %d and paint (lexes the text above once): %.1f ms\n", target, Now() - t0);
  double worst = 0, sum = 0;
  const int keys = 50;
  for (int i = 0; i < keys; ++i) {
    t0 = Now();
    SendMessageA(ed, WM_CHAR, 'x', 1);
    PaintNow(ed);
    double d = Now() - t0;
    sum += d;
    worst = std::max(worst, d);
  }
  printf("keystroke with highlighting near the end, repainted: mean %.2f ms, worst %.2f ms  target < 16 ms\n",
         sum / keys, worst);
  {
    double a = 0, b = 0;
    for (int i = 0; i < keys; ++i) {
      t0 = Now();
      SendMessageA(ed, WM_CHAR, 'y', 1);
      double t1 = Now();
      PaintNow(ed);
      a += t1 - t0;
      b += Now() - t1;
    }
    printf("  of which handling the key %.2f ms, painting %.2f ms\n", a / keys, b / keys);
  }

  g_highlights = 0;
  t0 = Now();
  InvalidateRect(ed, nullptr, FALSE);
  PaintNow(ed);
  printf("full page paint: %.2f ms with %ld highlight call-backs  target < 16 ms\n", Now() - t0, g_highlights);
  {
    // The same, many times over: the mean is steadier than one paint.
    const int paints = 100;
    t0 = Now();
    for (int i = 0; i < paints; ++i) {
      InvalidateRect(ed, nullptr, FALSE);
      PaintNow(ed);
    }
    printf("full page paint, mean of %d: %.2f ms\n", paints, (Now() - t0) / paints);
  }

  t0 = Now();
  LRESULT len = SendMessageA(ed, LEM_GETTEXTLENGTH, 1, 0);
  std::string all(static_cast<size_t>(len) + 1, '\0');
  SendMessageA(ed, LEM_GETTEXT, 1, reinterpret_cast<LPARAM>(all.data()));
  printf("LEM_GETTEXT of the whole text (%ld bytes): %.1f ms\n", static_cast<long>(len), Now() - t0);

  // 1 MB: our control against RichEdit 2.0.
  std::string mb = big.substr(0, 1024 * 1024);
  mb = mb.substr(0, mb.rfind('\n') + 1);
  std::string mbPath = WriteTemp("ledit_bench_1mb.htm", mb);
  DestroyWindow(ed);
  ed = MakeEditor(main);
  t0 = Now();
  SendMessageA(ed, LEM_LOADFILE, 0, reinterpret_cast<LPARAM>(mbPath.c_str()));
  PaintNow(ed);
  double ours = Now() - t0;
  printf("1 MB load and paint, LEDIT32: %.1f ms\n", ours);
  DestroyWindow(ed);

  if (LoadLibraryA("riched20.dll")) {
    HWND re = CreateWindowExA(0, RICHEDIT_CLASSA, nullptr, WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE, 0, 0, 900,
                              700, main, nullptr, nullptr, nullptr);
    SendMessageA(re, EM_EXLIMITTEXT, 0, 0x7FFFFFFE);
    StreamSrc src{&mb, 0};
    EDITSTREAM es{};
    es.dwCookie = reinterpret_cast<DWORD_PTR>(&src);
    es.pfnCallback = StreamIn;
    t0 = Now();
    SendMessageA(re, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
    PaintNow(re);
    double theirs = Now() - t0;
    printf("1 MB EM_STREAMIN and paint, RichEdit 2.0: %.1f ms (%ld characters)\n", theirs,
           static_cast<long>(SendMessageA(re, WM_GETTEXTLENGTH, 0, 0)));
    printf("ratio RichEdit / LEDIT32: %.1f  target >= 10\n", ours > 0 ? theirs / ours : 0.0);
    DestroyWindow(re);
  } else {
    printf("RichEdit 2.0 is not available\n");
  }
  {
    double one = ReplaceByLonger(main, 1024 * 1024), two = ReplaceByLonger(main, 2 * 1024 * 1024);
    printf("replacing table rows by twice as many: 1 MB %.1f ms, 2 MB %.1f ms, growth %.2fx  target <= 2.5x\n", one,
           two, one > 0 ? two / one : 0.0);
  }
  DestroyWindow(main);
  DeleteFileA(bigPath.c_str());
  DeleteFileA(mbPath.c_str());
  return 0;
}
