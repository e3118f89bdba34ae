// The LEDIT32 window procedure: translates messages into calls on the document, the
// lexer and the layout, keeps the view in step and tells the owner about changes.
#include "ledit/LEditInternal.h"
#include "framework/win/MsgParams.h"
#include <windowsx.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace ledit {

namespace {
constexpr UINT_PTR kDragTimer = 1;
HINSTANCE g_instance = nullptr;
bool g_registered = false;

int ClientWidth(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  return r.right - r.left;
}
int ClientHeight(HWND h) {
  RECT r;
  GetClientRect(h, &r);
  return r.bottom - r.top;
}
bool KeyDown(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }
}  // namespace

Editor* EditorOf(HWND hwnd) { return reinterpret_cast<Editor*>(GetWindowLongPtrA(hwnd, 0)); }

void Notify(Editor& e, int code) {
  if (!e.initialized) return;
  HWND parent = GetParent(e.hwnd);
  if (!parent) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(e.hwnd), code), reinterpret_cast<LPARAM>(e.hwnd));
}

bool Wrapping(const Editor& e) { return e.view.Wrapping(); }

static int WrapWidthPx(Editor& e) {
  if ((e.wrapFlags & LEWW_WIDTH) && e.wrapWidth > 0 && !(e.wrapFlags & LEWW_AUTO))
    return e.wrapWidth * e.layout.AverageWidth();
  int w = ClientWidth(e.hwnd) - kLeftMargin - e.rightMargin * e.layout.AverageWidth();
  if ((e.wrapFlags & LEWW_WIDTH) && e.wrapWidth > 0) w = std::min(w, e.wrapWidth * e.layout.AverageWidth());
  return std::max(w, e.layout.AverageWidth());
}

std::vector<int> WrapRows(Editor& e, int line) {
  std::string text = e.doc.Line(line);  // a copy: the word-break call-back may edit
  Layout::Breaker breaker;
  if (e.initialized && e.callback) {
    breaker = [&e](std::string_view rest, int preferred) {
      std::string copy(rest);
      return static_cast<int>(static_cast<short>(SendMessageA(e.callback, LEM_WORDBREAK, static_cast<WPARAM>(preferred),
                                                              reinterpret_cast<LPARAM>(copy.c_str()))));
    };
  }
  return e.layout.Wrap(text, WrapWidthPx(e), breaker);
}

int WindowRows(const Editor& e) { return std::max(1, ClientHeight(e.hwnd) / std::max(1, e.lineHeight)); }

std::vector<int> Rows(Editor& e, int line) { return e.view.Rows(line); }
int RowCount(Editor& e, int line) { return e.view.RowCount(line); }
void ResetRows(Editor& e) { e.view.ResetRows(); }
int VisibleRows(Editor& e) { return e.view.VisibleRows(); }

static void ClampTop(Editor& e) {
  e.view.ClampTop();
  e.hscroll = std::max(0, e.hscroll);
}

void UpdateScrollBars(Editor& e) {
  if (!e.scrollCode) return;
  SCROLLINFO si{};
  si.cbSize = sizeof si;
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = 0;
  si.nMax = std::max(0, e.view.TotalRows() - 1);
  si.nPage = static_cast<UINT>(VisibleRows(e));
  si.nPos = e.view.TopRowIndex();
  // Setting a scroll bar redraws it, which is slow: only when something moved.
  if ((e.scrollCode & 2) && (si.nMax != e.vbar[0] || static_cast<int>(si.nPage) != e.vbar[1] || si.nPos != e.vbar[2])) {
    SetScrollInfo(e.hwnd, SB_VERT, &si, TRUE);
    e.vbar[0] = si.nMax;
    e.vbar[1] = static_cast<int>(si.nPage);
    e.vbar[2] = si.nPos;
  }
  if (!(e.scrollCode & 1)) return;
  si.nMax = std::max(e.hscroll + ClientWidth(e.hwnd), 4000);
  si.nPage = static_cast<UINT>(std::max(1, ClientWidth(e.hwnd)));
  si.nPos = e.hscroll;
  if (si.nMax != e.hbar[0] || static_cast<int>(si.nPage) != e.hbar[1] || si.nPos != e.hbar[2]) {
    SetScrollInfo(e.hwnd, SB_HORZ, &si, TRUE);
    e.hbar[0] = si.nMax;
    e.hbar[1] = static_cast<int>(si.nPage);
    e.hbar[2] = si.nPos;
  }
}

void UpdateCaret(Editor& e) {
  if (!e.hasFocus) return;
  Pos c = e.doc.Caret();
  auto rows = Rows(e, c.line);
  int r = View::RowOfCol(rows, c.col);
  int off = e.view.RowOffset(c.line, r);
  int x = kLeftMargin + e.layout.XOfColumn(e.doc.Line(c.line), rows[r], c.col) - e.hscroll;
  if (off < 0 || off > VisibleRows(e) + 1) {
    SetCaretPos(-1000, -1000);
    return;
  }
  SetCaretPos(x, off * e.lineHeight);
}

static void CreateOwnCaret(Editor& e) {
  int w = e.caretWidth > 0 ? e.caretWidth : std::max(1, GetSystemMetrics(SM_CXBORDER));
  if (!e.insertMode) w = std::max(w, e.layout.AverageWidth());
  CreateCaret(e.hwnd, nullptr, w, e.lineHeight);
  UpdateCaret(e);
  ShowCaret(e.hwnd);
}

void EnsureCaretVisible(Editor& e) {
  Pos c = e.doc.Caret();
  auto rows = Rows(e, c.line);
  int r = View::RowOfCol(rows, c.col);
  e.view.ScrollToRow(c.line, r);
  int x = e.layout.XOfColumn(e.doc.Line(c.line), rows[r], c.col);
  int w = ClientWidth(e.hwnd) - kLeftMargin;
  if (Wrapping(e)) {
    e.hscroll = 0;
  } else if (x < e.hscroll) {
    e.hscroll = std::max(0, x - w / 4);
  } else if (x > e.hscroll + w - 4) {
    e.hscroll = x - w * 3 / 4;
  }
}

static void InvalidateLines(Editor& e, int first, int last, bool toEnd) {
  // Several edits may have come and gone since the last repaint.
  first = std::clamp(first, 0, e.doc.LineCount() - 1);
  last = std::clamp(last, first, e.doc.LineCount() - 1);
  RECT r;
  GetClientRect(e.hwnd, &r);
  int vis = VisibleRows(e);
  int top = e.view.RowOffset(first, 0);
  if (top > vis + 1) return;
  top = std::max(top, 0);
  r.top = top * e.lineHeight;
  if (!toEnd) {
    int bottomRow = e.view.RowOffset(last, 0);
    if (bottomRow < 0) return;
    bottomRow = std::min(bottomRow + RowCount(e, std::min(last, e.doc.LineCount() - 1)), vis + 2);
    r.bottom = std::min<LONG>(r.bottom, bottomRow * e.lineHeight);
  }
  InvalidateRect(e.hwnd, &r, FALSE);
}

// Brings the window in step with the document after any message: repaints what
// changed, moves the caret, and tells the owner about text, caret and scroll changes.
void Sync(Editor& e) {
  ClampTop(e);
  bool textChanged = e.doc.Version() != e.seenVersion;
  bool selChanged = !(e.doc.Anchor() == e.seenAnchor) || !(e.doc.Caret() == e.seenCaret);
  bool scrolled = e.view.topLine != e.seenTop || e.view.topSkip != e.seenSkip || e.hscroll != e.seenH;
  if (scrolled) {
    InvalidateRect(e.hwnd, nullptr, FALSE);
  } else {
    if (e.dirtyFirst >= 0) InvalidateLines(e, e.dirtyFirst, e.dirtyLast, e.dirtyToEnd);
    Pos s = e.doc.SelStart(), t = e.doc.SelEnd();
    if (selChanged && (e.doc.HasSelection() || !(e.paintedSelStart == e.paintedSelEnd))) {
      int a = std::min(s.line, e.paintedSelStart.line), b = std::max(t.line, e.paintedSelEnd.line);
      InvalidateLines(e, a, std::min(b, e.doc.LineCount() - 1), false);
    }
  }
  e.paintedSelStart = e.doc.SelStart();
  e.paintedSelEnd = e.doc.SelEnd();
  e.dirtyFirst = e.dirtyLast = -1;
  e.dirtyToEnd = false;
  if (textChanged || scrolled) UpdateScrollBars(e);
  if (textChanged || selChanged || scrolled) UpdateCaret(e);
  bool vert = e.view.topLine != e.seenTop || e.view.topSkip != e.seenSkip;
  bool horz = e.hscroll != e.seenH;
  e.seenVersion = e.doc.Version();
  e.seenAnchor = e.doc.Anchor();
  e.seenCaret = e.doc.Caret();
  e.seenTop = e.view.topLine;
  e.seenSkip = e.view.topSkip;
  e.seenH = e.hscroll;
  if (textChanged || selChanged) Notify(e, LEN_CHANGE);
  if (horz) Notify(e, LEN_HSCROLL);
  if (vert) Notify(e, LEN_VSCROLL);
}

void ResetView(Editor& e) {
  e.lexCache.Reset(e.doc.LineCount());
  ResetRows(e);
  e.view.topLine = e.view.topSkip = e.hscroll = 0;
  InvalidateRect(e.hwnd, nullptr, FALSE);
}

bool EditAllowed(Editor& e) {
  if (e.readOnly) {
    MessageBeep(MB_OK);
    return false;
  }
  return true;
}

bool ReplaceSel(Editor& e, std::string_view text, EditKind kind) {
  if (!e.doc.ReplaceSelection(text, kind)) {
    MessageBeep(MB_ICONEXCLAMATION);
    Notify(e, LEN_MAXLINE);
    return false;
  }
  return true;
}

static void OnDocChange(Editor& e, int first, int removed, int inserted) {
  e.lexCache.LinesReplaced(first, removed, inserted);
  e.view.LinesReplaced(first, removed, inserted);
  bool shifts = removed != inserted || Wrapping(e);
  int last = first + inserted;
  if (e.dirtyFirst < 0) {
    e.dirtyFirst = first;
    e.dirtyLast = last;
  } else {
    e.dirtyFirst = std::min(e.dirtyFirst, first);
    e.dirtyLast = std::max(e.dirtyLast, last);
  }
  e.dirtyToEnd = e.dirtyToEnd || shifts;
}

// --- keyboard ---------------------------------------------------------------

static void MoveCaret(Editor& e, Pos p, bool extend, bool keepX = false) {
  if (!keepX) e.preferredX = -1;
  e.doc.SetSelection(extend ? e.doc.Anchor() : p, p);
  EnsureCaretVisible(e);
}

static void DeleteForward(Editor& e) {
  if (!EditAllowed(e)) return;
  if (e.doc.HasSelection()) {
    ReplaceSel(e, "");
    return;
  }
  Pos c = e.doc.Caret();
  Pos n = c.col < e.doc.LineLength(c.line) ? Pos{c.line, c.col + 1}
                                           : (c.line + 1 < e.doc.LineCount() ? Pos{c.line + 1, 0} : c);
  if (!(n == c) && !e.doc.Replace(c, n, "", EditKind::DeleteForward)) Notify(e, LEN_MAXLINE);
}

static void Backspace(Editor& e) {
  if (!EditAllowed(e)) return;
  if (e.doc.HasSelection()) {
    ReplaceSel(e, "");
    return;
  }
  Pos c = e.doc.Caret();
  Pos p = c.col > 0 ? Pos{c.line, c.col - 1} : (c.line > 0 ? Pos{c.line - 1, e.doc.LineLength(c.line - 1)} : c);
  if (!(p == c) && !e.doc.Replace(p, c, "", EditKind::DeleteBack)) Notify(e, LEN_MAXLINE);
}

static void SelectAll(Editor& e) {
  e.doc.SetSelection({0, 0}, e.doc.EndPos());
  EnsureCaretVisible(e);
}

static void KeyDownMsg(Editor& e, WPARAM vk) {
  bool shift = KeyDown(VK_SHIFT), ctrl = KeyDown(VK_CONTROL);
  Pos c = e.doc.Caret();
  bool wrapKeys = (e.options & LEO_WRAPKEYS) != 0;
  switch (vk) {
    case VK_LEFT: {
      Pos p = !shift && e.doc.HasSelection() && !ctrl ? e.doc.SelStart()
              : ctrl                                  ? e.view.WordLeft(c)
                                                      : e.view.Left(c, wrapKeys);
      MoveCaret(e, p, shift);
      break;
    }
    case VK_RIGHT: {
      Pos p = !shift && e.doc.HasSelection() && !ctrl ? e.doc.SelEnd()
              : ctrl                                  ? e.view.WordRight(c)
                                                      : e.view.Right(c, wrapKeys);
      MoveCaret(e, p, shift);
      break;
    }
    case VK_UP:
    case VK_DOWN:
      if (ctrl) {
        e.view.SetTopRowIndex(e.view.TopRowIndex() + (vk == VK_UP ? -1 : 1));
        break;
      }
      MoveCaret(e, e.view.VerticalMove(c, vk == VK_UP ? -1 : 1, e.layout, e.preferredX), shift, true);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      int page = std::max(1, VisibleRows(e) - 1);
      e.view.SetTopRowIndex(e.view.TopRowIndex() + (vk == VK_PRIOR ? -page : page));
      MoveCaret(e, e.view.VerticalMove(c, vk == VK_PRIOR ? -page : page, e.layout, e.preferredX), shift, true);
      break;
    }
    case VK_HOME: {
      if (ctrl) {
        MoveCaret(e, {0, 0}, shift);
        break;
      }
      MoveCaret(e, e.view.Home(c), shift);
      break;
    }
    case VK_END: {
      if (ctrl) {
        MoveCaret(e, e.doc.EndPos(), shift);
        break;
      }
      MoveCaret(e, e.view.End(c), shift);
      break;
    }
    case VK_DELETE:
      if (shift)
        CutSel(e);
      else
        DeleteForward(e);
      EnsureCaretVisible(e);
      break;
    case VK_INSERT:
      if (ctrl) {
        CopySel(e);
      } else if (shift) {
        Paste(e);
      } else {
        e.insertMode = !e.insertMode;
        if (e.hasFocus) {
          DestroyCaret();
          CreateOwnCaret(e);
        }
        Notify(e, e.insertMode ? LEN_INSERTMODE : LEN_OVERWRITEMODE);
      }
      break;
    default:
      if (ctrl && !KeyDown(VK_MENU)) {
        switch (vk) {
          case 'Z':
            // Ctrl+Shift+Z is redo, as in the programs' menus; never an undo.
            if (shift) {
              if (e.doc.CanRedo() && EditAllowed(e)) e.doc.Redo();
            } else if (e.doc.CanUndo() && EditAllowed(e)) {
              e.doc.Undo();
            }
            EnsureCaretVisible(e);
            break;
          case 'Y':
            if (e.doc.CanRedo() && EditAllowed(e)) e.doc.Redo();
            EnsureCaretVisible(e);
            break;
          case 'X': CutSel(e); break;
          case 'C': CopySel(e); break;
          case 'V': Paste(e); break;
          case 'A': SelectAll(e); break;
          default: break;
        }
      }
      break;
  }
}

static void CharMsg(Editor& e, WPARAM ch) {
  unsigned char c = static_cast<unsigned char>(ch);
  if (c == 8) {
    Backspace(e);
  } else if (c == '\r') {
    if (!EditAllowed(e)) return;
    std::string text = "\n";
    if (e.options & LEO_AUTOINDENT) {
      const std::string& l = e.doc.Line(e.doc.SelStart().line);
      int n = 0;
      while (n < static_cast<int>(l.size()) && n < e.doc.SelStart().col && (l[n] == ' ' || l[n] == '\t')) ++n;
      text += l.substr(0, n);
    }
    ReplaceSel(e, text, EditKind::Other);
  } else if (c == '\t' || c >= 32) {
    if (c == 127) return;
    if (!EditAllowed(e)) return;
    std::string text(1, static_cast<char>(c));
    if (e.doc.HasSelection() && !(e.options & LEO_DEFAULTSELECTION)) {
      // Without default selection typing goes in at the caret and leaves the text.
      Pos p = e.doc.Caret();
      e.doc.SetSelection(p, p);
    }
    if (!e.insertMode && !e.doc.HasSelection()) {
      Pos p = e.doc.Caret();
      if (p.col < e.doc.LineLength(p.line)) {
        if (!e.doc.Replace(p, {p.line, p.col + 1}, text, EditKind::Typing)) Notify(e, LEN_MAXLINE);
        EnsureCaretVisible(e);
        return;
      }
    }
    ReplaceSel(e, text, EditKind::Typing);
  } else {
    return;
  }
  e.preferredX = -1;
  EnsureCaretVisible(e);
}

// --- mouse ------------------------------------------------------------------

static Pos HitTest(Editor& e, int x, int y) {
  int offset = y < 0 ? -1 - (-y - 1) / e.lineHeight : y / e.lineHeight;
  int line = 0, r = 0;
  Pos stop;
  if (!e.view.RowAt(offset, line, r, stop)) return stop;
  auto rows = Rows(e, line);
  r = std::min(r, static_cast<int>(rows.size()) - 1);
  const std::string& l = e.doc.Line(line);
  int end = r + 1 < static_cast<int>(rows.size()) ? rows[r + 1] : static_cast<int>(l.size());
  int col = e.layout.ColumnAtX(l, rows[r], end, x - kLeftMargin + e.hscroll);
  if (r + 1 < static_cast<int>(rows.size()) && col == end && end > rows[r]) --col;
  return {line, col};
}

static void SelectWordAt(Editor& e, Pos p) {
  const std::string& l = e.doc.Line(p.line);
  int n = static_cast<int>(l.size());
  int a = p.col, b = p.col;
  auto word = [&](int i) { return i >= 0 && i < n && IsWordChar(static_cast<unsigned char>(l[i])); };
  if (!word(a) && word(a - 1)) --a, --b;
  if (word(a)) {
    while (a > 0 && word(a - 1)) --a;
    while (b < n && word(b)) ++b;
  } else if (a < n) {
    b = a + 1;
  }
  e.doc.SetSelection({p.line, a}, {p.line, b});
}

static void VScroll(Editor& e, int code) {
  int page = std::max(1, VisibleRows(e) - 1);
  int top = e.view.TopRowIndex();
  switch (code) {
    case SB_LINEUP: top -= 1; break;
    case SB_LINEDOWN: top += 1; break;
    case SB_PAGEUP: top -= page; break;
    case SB_PAGEDOWN: top += page; break;
    case SB_TOP: top = 0; break;
    case SB_BOTTOM: top = e.view.TotalRows() - 1; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(e.hwnd, SB_VERT, &si);
      top = si.nTrackPos;
      break;
    }
    default: return;
  }
  e.view.SetTopRowIndex(top);
}

static void HScroll(Editor& e, int code) {
  int w = ClientWidth(e.hwnd);
  switch (code) {
    case SB_LINELEFT: e.hscroll -= e.layout.AverageWidth() * 2; break;
    case SB_LINERIGHT: e.hscroll += e.layout.AverageWidth() * 2; break;
    case SB_PAGELEFT: e.hscroll -= w / 2; break;
    case SB_PAGERIGHT: e.hscroll += w / 2; break;
    case SB_LEFT: e.hscroll = 0; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
      SCROLLINFO si{};
      si.cbSize = sizeof si;
      si.fMask = SIF_TRACKPOS;
      GetScrollInfo(e.hwnd, SB_HORZ, &si);
      e.hscroll = si.nTrackPos;
      break;
    }
    default: return;
  }
  e.hscroll = std::max(0, e.hscroll);
}

static void ApplyScrollCode(Editor& e, int code) {
  e.scrollCode = code & 3;
  e.vbar[0] = e.hbar[0] = -1;
  ShowScrollBar(e.hwnd, SB_HORZ, (e.scrollCode & 1) != 0);
  ShowScrollBar(e.hwnd, SB_VERT, (e.scrollCode & 2) != 0);
  UpdateScrollBars(e);
}

static LRESULT SpacingWord(Editor& e) {
  int low = (e.hSpace * 2) | ((e.vSpace * 2) << 4) | ((e.rightMargin & 15) << 8);
  return MAKELONG(low, e.scrollCode);
}

// --- the messages of the protocol --------------------------------------------

static LRESULT ProtocolMessage(Editor& e, UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case LEM_GETSELECTION: {
      auto* rec = vx::ParamAs<LESelRecord*>(lp);
      if (!rec) return 0;
      rec->StartPos = static_cast<short>(e.doc.Anchor().col);
      rec->EndPos = static_cast<short>(e.doc.Caret().col);
      rec->StartLine = e.doc.Anchor().line + 1;
      rec->EndLine = e.doc.Caret().line + 1;
      return 0;
    }
    case LEM_SETSELECTION: {
      auto* rec = vx::ParamAs<const LESelRecord*>(lp);
      if (!rec) return 0;
      Pos a{rec->StartLine - 1, rec->StartPos}, c{rec->EndLine - 1, rec->EndPos};
      e.preferredX = -1;
      e.doc.SetSelection(a, c);
      EnsureCaretVisible(e);
      InvalidateRect(e.hwnd, nullptr, FALSE);
      // Re-applying the same selection still reports it.
      e.seenVersion = ~e.doc.Version();
      return 0;
    }
    case LEM_GETSELLENGTH: return static_cast<LRESULT>(e.doc.RangeLength(e.doc.SelStart(), e.doc.SelEnd()));
    case LEM_GETSELTEXT: {
      char* buf = vx::ParamAs<char*>(lp);
      if (!buf) return 0;
      std::string s = e.doc.TextRange(e.doc.SelStart(), e.doc.SelEnd());
      memcpy(buf, s.c_str(), s.size() + 1);
      return 0;
    }
    case LEM_LOADFILE: return static_cast<WORD>(lp ? LoadFile(e, vx::ParamAs<const char*>(lp)) : 1);
    case LEM_SAVEFILE: return static_cast<WORD>(lp ? SaveFile(e, vx::ParamAs<const char*>(lp)) : 1);
    case LEM_SETFILEMASK:
      e.fileMask = lp ? std::string(vx::ParamAs<const char*>(lp), strnlen(vx::ParamAs<const char*>(lp), 255)) : "";
      return 0;
    case LEM_SETINSERTMODE:
      e.insertMode = wp != 0;
      if (e.hasFocus) {
        DestroyCaret();
        CreateOwnCaret(e);
      }
      return 0;
    case LEM_GETMODIFIED: return e.doc.Modified(static_cast<uint8_t>(wp)) ? 1 : 0;
    case LEM_SETMODIFIED: e.doc.SetModified(wp != 0, static_cast<uint8_t>(lp)); return 0;
    case LEM_GETLINECOUNT: return e.doc.LineCount();
    case LEM_INIT:
      e.initialized = true;
      e.callback = lp ? vx::ParamAs<HWND>(lp) : e.hwnd;
      e.seenVersion = e.doc.Version();
      e.seenAnchor = e.doc.Anchor();
      e.seenCaret = e.doc.Caret();
      return 0;
    case LEM_GETMENU: return reinterpret_cast<LRESULT>(e.menu);
    case LEM_GETFIRSTVISIBLEPOS: return static_cast<WORD>(e.hscroll / e.layout.AverageWidth());
    case LEM_GETFILENAME: {
      char* buf = vx::ParamAs<char*>(lp);
      if (!buf) return 0;
      size_t n = std::min<size_t>(e.fileName.size(), LE_FILENAME_BUF - 1);
      memcpy(buf, e.fileName.data(), n);
      buf[n] = 0;
      return 0;
    }
    case LEM_GETLINELENGTH: {
      int line = static_cast<int>(lp);
      if (line < 1 || line > e.doc.LineCount()) return 0;
      return static_cast<WORD>(e.doc.LineLength(line - 1));
    }
    case LEM_REPLACESEL: {
      std::string text = lp ? vx::ParamAs<const char*>(lp) : "";
      ReplaceSel(e, text);
      e.doc.CloseUndoStep();
      e.preferredX = -1;
      EnsureCaretVisible(e);
      return 0;
    }
    case LEM_SURROUNDSEL: {
      std::string before = wp ? vx::ParamAs<const char*>(wp) : "";
      std::string after = lp ? vx::ParamAs<const char*>(lp) : "";
      bool done = e.doc.SurroundSelection(before, after);
      if (!done) {
        MessageBeep(MB_ICONEXCLAMATION);
        Notify(e, LEN_MAXLINE);
      }
      e.doc.CloseUndoStep();
      e.preferredX = -1;
      EnsureCaretVisible(e);
      return done ? 1 : 0;
    }
    case LEM_GETLINE: {
      char* buf = vx::ParamAs<char*>(lp);
      if (!buf) return 0;
      int line = static_cast<int>(wp);
      if (wp == 0) {
        unsigned char* b = reinterpret_cast<unsigned char*>(buf);
        line = static_cast<int>(b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<unsigned>(b[3]) << 24));
      }
      if (line < 1 || line > e.doc.LineCount()) return 0;
      const std::string& l = e.doc.Line(line - 1);
      memcpy(buf, l.data(), l.size());
      return static_cast<WORD>(l.size());
    }
    case LEM_CANUNDO: return wp ? e.doc.CanRedo() : e.doc.CanUndo();
    case LEM_UNDO:
      if (wp)
        e.doc.Redo();
      else
        e.doc.Undo();
      EnsureCaretVisible(e);
      return 0;
    case LEM_SETTABSTOP:
      e.layout.SetTabColumns(static_cast<int>(wp));
      ResetRows(e);
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    case LEM_SETSYNTAX:
      SetSyntax(e, static_cast<int>(wp & 0xFF), static_cast<int>((wp >> 8) & 0xFF),
                vx::ParamAs<const LESyntaxEntry*>(lp));
      return 0;
    case LEM_GETFIRSTVISIBLELINE: return e.view.topLine + 1;
    case LEM_SETREADONLY: e.readOnly = wp != 0; return 0;
    case LEM_SETUNDODEPTH: e.doc.SetUndoDepth(static_cast<short>(wp)); return 0;
    case LEM_GETMAXUNDODEPTH: return LE_MAX_UNDO;
    case LEM_BEGINSCAN: return 0;
    case LEM_GROUPPROBE: return 0;
    case LEM_SETOPTIONS:
      e.options = (e.options | static_cast<unsigned>(wp)) & ~static_cast<unsigned>(lp);
      ApplyLexOptions(e);
      return 0;
    case LEM_SETBOOKMARK:
      e.doc.SetBookmark(static_cast<int>(wp), static_cast<int>(lp) >= 1 ? static_cast<int>(lp) - 1 : -1);
      return 0;
    case LEM_GETBOOKMARK: {
      int l = e.doc.Bookmark(static_cast<int>(wp));
      return l < 0 ? 0 : l + 1;
    }
    case LEM_SETSPACING: {
      int low = LOWORD(lp);
      auto code = [](int c) { return (c == 2 || c == 4 || c == 6) ? c / 2 : 0; };
      e.hSpace = code(low & 15);
      e.vSpace = code((low >> 4) & 15);
      e.rightMargin = (low >> 8) & 15;
      Measure(e);
      ApplyScrollCode(e, HIWORD(lp));
      ResetRows(e);
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    }
    case LEM_GETSPACING: return SpacingWord(e);
    case LEM_SETHIGHLIGHT:
      e.highlight = wp != 0;
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    case LEM_SETPAINTMODE:
      e.paintMode = wp != 0;
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    case LEM_SETHASFILE: e.hasFile = wp != 0; return 0;
    case LEM_SETSEARCHTEXT:
      SetSearchText(e, lp ? std::string(vx::ParamAs<const char*>(lp), strnlen(vx::ParamAs<const char*>(lp), 125)) : "",
                    true);
      return 0;
    case LEM_SETTEXT: {
      std::string text = lp ? vx::ParamAs<const char*>(lp) : "";
      if (!e.doc.SetText(text)) {
        Notify(e, LEN_MAXLINE);
        return 0;
      }
      e.view.topLine = e.view.topSkip = e.hscroll = 0;
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    }
    case LEM_GETTEXT: {
      char* buf = vx::ParamAs<char*>(lp);
      if (!buf) return 0;
      char* p = buf;
      for (int i = 0; i < e.doc.LineCount(); ++i) {
        if (i) *p++ = '\r', *p++ = '\n';
        const std::string& l = e.doc.Line(i);
        memcpy(p, l.data(), l.size());
        p += l.size();
      }
      *p = 0;
      return 0;
    }
    case LEM_GETTEXTLENGTH: return static_cast<LRESULT>(e.doc.TextLength());
    case LEM_SETBOOKMARKSMAX: e.doc.SetBookmarkCount(static_cast<int>(wp)); return 0;
    case LEM_SETWORDWRAP:
      e.wrapFlags = static_cast<int>(wp) & 7;
      e.wrapWidth = static_cast<int>(lp);
      e.view.SetWrapping((e.wrapFlags & LEWW_ON) != 0);
      e.view.topSkip = 0;
      EnsureCaretVisible(e);
      InvalidateRect(e.hwnd, nullptr, FALSE);
      return 0;
    case LEM_SETCARETWIDTH:
      e.caretWidth = static_cast<int>(wp);
      if (e.hasFocus) {
        DestroyCaret();
        CreateOwnCaret(e);
      }
      return 0;
    case LEM_SETTOPLINE:
      e.view.topLine = std::clamp(static_cast<int>(lp) - 1, 0, e.doc.LineCount() - 1);
      e.view.topSkip = std::clamp(static_cast<int>(static_cast<short>(wp)), 0, RowCount(e, e.view.topLine) - 1);
      return 0;
    case LEM_SETFIRSTVISIBLEPOS:
      e.hscroll = std::max(0, static_cast<int>(static_cast<short>(wp))) * e.layout.AverageWidth();
      return 0;
    case LEM_GETSKIP: return static_cast<WORD>(e.view.topSkip);
    default: return 0;
  }
}

static LRESULT EditorProc(Editor& e, UINT msg, WPARAM wp, LPARAM lp) {
  HWND h = e.hwnd;
  switch (msg) {
    // Call-backs that nobody answered reach here: their defaults, and nothing else.
    case LEM_SELCOLORS:
    case LEM_HIGHLIGHT:
    case LEM_PAINT:
    case LEM_FINDBRACE:
    case LEM_WORDCLICK:
    case LEM_NOTIFYFOUND:
    case LEM_PRINTPAGE: return 0;
    case LEM_WORDBREAK: return static_cast<short>(LOWORD(wp));
    default: break;
  }
  if (msg >= WM_USER && msg <= WM_USER + 100) {
    LRESULT r = ProtocolMessage(e, msg, wp, lp);
    Sync(e);
    return r;
  }
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(h, &ps);
      Paint(e, dc, ps.rcPaint, true);
      EndPaint(h, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT r;
      GetClientRect(h, &r);
      Paint(e, vx::ParamAs<HDC>(wp), r, false);
      return 0;
    }
    case WM_ERASEBKGND: return 1;
    case WM_SIZE:
      if (Wrapping(e)) ResetRows(e);
      ClampTop(e);
      UpdateScrollBars(e);
      InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_SETFONT:
      e.font = vx::ParamAs<HFONT>(wp);
      Measure(e);
      ResetRows(e);
      if (e.hasFocus) {
        DestroyCaret();
        CreateOwnCaret(e);
      }
      if (LOWORD(lp)) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(e.ownFont ? e.ownFont : e.font);
    case WM_SETFOCUS:
      e.hasFocus = true;
      CreateOwnCaret(e);
      Notify(e, LEN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      e.hasFocus = false;
      HideCaret(h);
      DestroyCaret();
      Notify(e, LEN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_KEYDOWN:
      KeyDownMsg(e, wp);
      Sync(e);
      return 0;
    case WM_CHAR:
      CharMsg(e, wp);
      Sync(e);
      return 0;
    case WM_LBUTTONDOWN: {
      SetFocus(h);
      Pos p = HitTest(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      bool shift = (wp & MK_SHIFT) != 0;
      e.preferredX = -1;
      e.doc.SetSelection(shift ? e.doc.Anchor() : p, p);
      e.dragging = true;
      e.dragMoved = false;
      e.plainClick = !(wp & (MK_SHIFT | MK_CONTROL)) && !KeyDown(VK_MENU);
      SetCapture(h);
      EnsureCaretVisible(e);
      Sync(e);
      return 0;
    }
    case WM_TIMER:
      if (wp == kDragTimer) {
        // Dragging beyond the top or bottom edge keeps scrolling the selection on.
        POINT pt;
        GetCursorPos(&pt);
        ScreenToClient(h, &pt);
        int height = ClientHeight(h);
        if (!e.dragging || (pt.y >= 0 && pt.y < height)) {
          KillTimer(h, kDragTimer);
          return 0;
        }
        e.view.SetTopRowIndex(e.view.TopRowIndex() + (pt.y < 0 ? -1 : 1));
        ClampTop(e);
        Pos p = HitTest(e, pt.x, pt.y < 0 ? 0 : height - 1);
        e.dragMoved = true;
        e.doc.SetSelection(e.doc.Anchor(), p);
        Sync(e);
        return 0;
      }
      break;
    case WM_MOUSEMOVE:
      if (e.dragging) {
        int y = GET_Y_LPARAM(lp);
        if (y < 0 || y >= ClientHeight(h)) SetTimer(h, kDragTimer, 60, nullptr);
        Pos p = HitTest(e, GET_X_LPARAM(lp), y);
        if (!(p == e.doc.Caret())) {
          e.dragMoved = true;
          e.doc.SetSelection(e.doc.Anchor(), p);
          EnsureCaretVisible(e);
          Sync(e);
        }
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!e.dragging) return 0;
      e.dragging = false;
      KillTimer(h, kDragTimer);
      ReleaseCapture();
      bool click = e.plainClick && !e.dragMoved && !e.suppressClick;
      e.suppressClick = false;
      if (click && e.initialized && e.callback && !e.doc.HasSelection()) {
        LEToken tok;
        if (TokenAt(e, e.doc.Caret(), tok)) SendMessageA(e.callback, LEM_WORDCLICK, 0, reinterpret_cast<LPARAM>(&tok));
      }
      Sync(e);
      return 0;
    }
    case WM_LBUTTONDBLCLK: {
      Pos p = HitTest(e, GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      SelectWordAt(e, p);
      e.dragging = true;
      e.dragMoved = true;
      e.suppressClick = true;
      SetCapture(h);
      Sync(e);
      return 0;
    }
    case WM_CAPTURECHANGED: e.dragging = false; return 0;
    case WM_CONTEXTMENU: {
      int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
      if (x == -1 && y == -1) {
        POINT pt;
        GetCaretPos(&pt);
        ClientToScreen(h, &pt);
        x = pt.x;
        y = pt.y;
      }
      ShowContextMenu(e, x, y);
      Sync(e);
      return 0;
    }
    case WM_VSCROLL:
      VScroll(e, LOWORD(wp));
      Sync(e);
      return 0;
    case WM_HSCROLL:
      HScroll(e, LOWORD(wp));
      Sync(e);
      return 0;
    case WM_MOUSEWHEEL: {
      int d = static_cast<short>(HIWORD(wp));
      e.view.SetTopRowIndex(e.view.TopRowIndex() - d / WHEEL_DELTA * 3);
      Sync(e);
      return 0;
    }
    case WM_COMMAND:
      if (lp == 0) {
        Command(e, LOWORD(wp));
        Sync(e);
        return 0;
      }
      break;
    case WM_CLEAR:
      if (wp == 1) {
        e.doc.SetText("");
        e.view.topLine = e.view.topSkip = e.hscroll = 0;
      } else if (EditAllowed(e)) {
        ReplaceSel(e, "");
      }
      Sync(e);
      return 0;
    case WM_COPY: CopySel(e); return 0;
    case WM_CUT:
      CutSel(e);
      Sync(e);
      return 0;
    case WM_PASTE:
      Paste(e);
      Sync(e);
      return 0;
    case WM_CLOSE: Notify(e, LEN_GOINGTOCLOSE); break;
    default: break;
  }
  return DefWindowProcA(h, msg, wp, lp);
}

static LRESULT CALLBACK LEditWndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (msg == WM_NCCREATE) {
      auto* e = new Editor;
      e->hwnd = h;
      SetWindowLongPtrA(h, 0, reinterpret_cast<LONG_PTR>(e));
      auto* cs = vx::ParamAs<CREATESTRUCTA*>(lp);
      DWORD style = static_cast<DWORD>(cs->style);
      e->highlight = (style & LES_HIGHLIGHT) != 0;
      e->paintMode = (style & LES_PAINTMODE) != 0;
      e->readOnly = (style & LES_READONLY) != 0;
      e->hSpace = static_cast<int>((style >> LES_HSPACE_SHIFT) & 3);
      e->vSpace = static_cast<int>((style >> LES_VSPACE_SHIFT) & 3);
      e->scrollCode = ((style & WS_HSCROLL) ? 1 : 0) | ((style & WS_VSCROLL) ? 2 : 0);
      e->doc.SetChangeHandler([e](int f, int r, int i) { OnDocChange(*e, f, r, i); });
      e->lexCache.Reset(1);
      BuildMenu(*e, style);
      Measure(*e);
      return DefWindowProcA(h, msg, wp, lp);
    }
    Editor* e = EditorOf(h);
    if (!e) return DefWindowProcA(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
      SetWindowLongPtrA(h, 0, 0);
      LeaveGroup(h);
      DestroyMenus(*e);
      if (e->ownFont) DeleteObject(e->ownFont);
      delete e;
      return DefWindowProcA(h, msg, wp, lp);
    }
    if (msg == WM_DESTROY) {
      // No notifications from here on.
      e->initialized = false;
      return DefWindowProcA(h, msg, wp, lp);
    }
    return EditorProc(*e, msg, wp, lp);
  } catch (const std::bad_alloc&) {
    // Out of memory: the edit did not happen; the owner hears of it.
    try {
      if (Editor* e = EditorOf(h)) Notify(*e, LEN_SPACEERROR);
    } catch (...) {}
    return 0;
  } catch (...) {
    return 0;
  }
}

bool RegisterClasses(HINSTANCE inst) {
  if (g_registered) return true;
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS | CS_DBLCLKS;
  wc.lpfnWndProc = LEditWndProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = inst;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
  wc.lpszClassName = LEDIT_CLASS;
  if (!RegisterClassA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  if (!RegisterGroupClass(inst)) return false;
  g_registered = true;
  return true;
}

}  // namespace ledit

extern "C" BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    ledit::g_instance = inst;
    DisableThreadLibraryCalls(inst);
    try {
      ledit::RegisterClasses(inst);
    } catch (...) {}
  }
  return TRUE;
}

// Ordinal 100: makes sure both window classes are registered; programs import it so
// that the library is bound when they load.
extern "C" int WINAPI LEditInit() {
  try {
    return ledit::RegisterClasses(ledit::g_instance) ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
