// Measuring the font and painting the visible rows token by token, asking the owner
// for each token's colours.
#include <algorithm>
#include <cstring>
#include <optional>

#include "framework/win/GdiScoped.h"

#include "ledit/LEditInternal.h"

namespace ledit {

static HFONT CurrentFont(const Editor& e) {
  if (e.ownFont) return e.ownFont;
  if (e.font) return e.font;
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Measure(Editor& e) {
  vx::TWindowDC dc(e.hwnd);
  vx::TSelected font(dc, CurrentFont(e));
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  int w[256];
  if (!GetCharWidth32A(dc, 0, 255, w)) {
    for (int i = 0; i < 256; ++i) {
      SIZE s{};
      char c = static_cast<char>(i);
      GetTextExtentPoint32A(dc, &c, 1, &s);
      w[i] = s.cx;
    }
  }
  for (int& x : w) x += e.hSpace * 2;
  int tab = e.layout.TabColumns();
  e.layout.SetCharWidths(w);
  e.layout.SetTabColumns(tab);
  e.lineHeight = std::max<int>(1, tm.tmHeight + e.vSpace * 2);
  e.ascent = tm.tmAscent;
}

namespace {

// Visible piece of one token (pieces are at most 1023 characters).
void FillToken(LEToken& t, const std::string& text, int col, int len, uint16_t type) {
  memset(&t, 0, sizeof t);
  t.Type = type;
  t.Value = col & 0xFFFF;
  int n = std::min(len, LE_TOKEN_TEXT - 1);
  memcpy(t.Text, text.data() + col, static_cast<size_t>(n));
  t.Text[n] = 0;
}

struct PaintCtx {
  Editor& e;
  HWND self;
  HDC dc;
  uint64_t version;
  COLORREF fg, bg, selFg, selBg;
  bool transparent;
  bool alive() const { return EditorOf(self) == &e && e.doc.Version() == version; }
};

// A rectangle in one colour, the quickest way GDI offers.
void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
  SetBkColor(dc, colour);
  ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

// The text of a row over its backgrounds: one text call per colour, each with only that
// colour's characters; what lies between them (other colours, blanks) is added to the
// advance of the character before. Text output costs per call and per character, and a
// highlighted line changes colour every few characters.
void DrawRowText(HDC dc, const std::string& text, const std::vector<int>& adv, const std::vector<COLORREF>& fg,
                 int rowStart, int c0, int c1, int xStart, int y, int lineHeight) {
  const int n = c1 - c0;
  if (n <= 0) return;
  auto blank = [&](int k) { return text[static_cast<size_t>(k)] == ' ' || text[static_cast<size_t>(k)] == '\t'; };
  std::vector<char> drawn(static_cast<size_t>(n), 0);
  for (int k = c0; k < c1; ++k) drawn[k - c0] = blank(k);
  int xEnd = xStart;
  for (int k = c0; k < c1; ++k) xEnd += adv[k - rowStart];
  const RECT rowRect{xStart, y, xEnd, y + lineHeight};
  SetBkMode(dc, TRANSPARENT);
  std::string buf;
  std::vector<INT> dx;
  int x = xStart;
  for (int k = c0; k < c1; x += adv[k - rowStart], ++k) {
    if (drawn[k - c0]) continue;
    const COLORREF colour = fg[k - c0];
    buf.clear();
    dx.clear();
    for (int j = k; j < c1; ++j) {
      int a = adv[j - rowStart];
      if (!drawn[j - c0] && fg[j - c0] == colour) {
        buf += text[static_cast<size_t>(j)];
        dx.push_back(a);
        drawn[j - c0] = 1;
      } else if (!dx.empty()) {
        dx.back() += a;
      }
    }
    SetTextColor(dc, colour);
    ExtTextOutA(dc, x, y, ETO_CLIPPED, &rowRect, buf.data(), static_cast<UINT>(buf.size()), dx.data());
  }
}

// Paints one row; false when a call-back changed the document (the paint is abandoned).
bool PaintRow(PaintCtx& c, const std::string& text, const std::vector<Token>& toks, int line, int rowStart, int rowEnd,
              bool lastRow, int y, const RECT& clip) {
  Editor& e = c.e;
  const int x0 = kLeftMargin - e.hscroll;
  // Column positions of the row, and the visible column range.
  int n = rowEnd - rowStart;
  std::vector<int> adv(static_cast<size_t>(n));
  int x = 0;
  int c0 = -1, c1 = rowStart;
  for (int i = 0; i < n; ++i) {
    adv[i] = e.layout.Advance(text, rowStart + i, x);
    if (c0 < 0 && x0 + x + adv[i] > clip.left) c0 = rowStart + i;
    x += adv[i];
    if (x0 + x - adv[i] < clip.right) c1 = rowStart + i + 1;
  }
  int rowWidth = x;
  if (c0 < 0) c0 = rowEnd;
  std::vector<COLORREF> fg(static_cast<size_t>(std::max(0, c1 - c0)), c.fg), bg(fg.size(), c.bg);
  if (e.highlight && e.initialized && e.callback) {
    for (const Token& t : toks) {
      int ts = t.col, te = t.col + t.len;
      if (te <= c0 || ts >= c1) continue;
      for (int ps = ts; ps < te; ps += LE_TOKEN_TEXT - 1) {
        int pe = std::min(te, ps + LE_TOKEN_TEXT - 1);
        if (pe <= c0 || ps >= c1) continue;
        LEToken tok;
        FillToken(tok, text, ps, pe - ps, t.type);
        SetTextColor(c.dc, c.fg);
        SetBkColor(c.dc, c.bg);
        SendMessageA(e.callback, LEM_HIGHLIGHT, reinterpret_cast<WPARAM>(c.dc), reinterpret_cast<LPARAM>(&tok));
        if (!c.alive()) return false;
        COLORREF f = GetTextColor(c.dc), b = GetBkColor(c.dc);
        for (int k = std::max(ps, c0); k < std::min(pe, c1); ++k) {
          fg[k - c0] = f;
          bg[k - c0] = b;
        }
      }
    }
  }
  Pos s = e.doc.SelStart(), t = e.doc.SelEnd();
  bool anySel = e.doc.HasSelection();
  if (anySel) {
    for (int k = c0; k < c1; ++k) {
      Pos p{line, k};
      if (s <= p && p < t) {
        fg[k - c0] = c.selFg;
        bg[k - c0] = c.selBg;
      }
    }
  }
  const int xStart = x0 + e.layout.XOfColumn(text, rowStart, c0);
  // Backgrounds other than the window's, run by run: the window's own is already there.
  for (int k = c0, bx = xStart; k < c1;) {
    int j = k, w = 0;
    while (j < c1 && bg[j - c0] == bg[k - c0]) w += adv[j++ - rowStart];
    if (bg[k - c0] != c.bg) FillSolid(c.dc, RECT{bx, y, bx + w, y + e.lineHeight}, bg[k - c0]);
    bx += w;
    k = j;
  }
  DrawRowText(c.dc, text, adv, fg, rowStart, c0, c1, xStart, y, e.lineHeight);
  // A selected line break shows as a block after the line's last row.
  if (anySel && lastRow) {
    Pos endOfLine{line, static_cast<int>(text.size())};
    if (s <= endOfLine && endOfLine < t) {
      FillSolid(c.dc, RECT{x0 + rowWidth, y, x0 + rowWidth + std::max(2, e.layout.CharWidth(' ')), y + e.lineHeight},
                c.selBg);
    }
  }
  return true;
}

// The window's back buffer for one paint: a bitmap of the client's size, kept between
// paints (making one costs as much as painting a page), selected into a memory DC.
class BackBuffer {
 public:
  BackBuffer(Editor& e, HDC target, int w, int h) : mem_(CreateCompatibleDC(target)) {
    if (!mem_) return;
    if (!e.backBuffer || e.backBufferW != w || e.backBufferH != h) {
      e.backBuffer.Reset(CreateCompatibleBitmap(target, w, h));
      e.backBufferW = w;
      e.backBufferH = h;
    }
    if (!e.backBuffer || e.backBufferW != w || e.backBufferH != h) {
      mem_.Reset();
      return;
    }
    selected_.emplace(mem_, e.backBuffer);
  }
  HDC DC() const { return mem_; }

 private:
  vx::TOwnedDC mem_;
  std::optional<vx::TSelected> selected_;
};

// Asks the owner for the window's default colours, the selection's and a background
// picture; false when a call-back changed the text (the paint is abandoned).
bool OwnerColours(PaintCtx& c, HDC dc, const RECT& clip) {
  Editor& e = c.e;
  // The owner's default colours, as for a standard edit control.
  if (HWND parent = GetParent(c.self)) {
    SetTextColor(dc, c.fg);
    SetBkColor(dc, c.bg);
    if (SendMessageA(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(c.self))) {
      c.fg = GetTextColor(dc);
      c.bg = GetBkColor(dc);
    }
    if (!c.alive()) return false;
  }
  if (e.initialized && e.callback && e.doc.HasSelection()) {
    SetTextColor(dc, c.selFg);
    SetBkColor(dc, c.selBg);
    SendMessageA(e.callback, LEM_SELCOLORS, reinterpret_cast<WPARAM>(dc), 0);
    if (!c.alive()) return false;
    c.selFg = GetTextColor(dc);
    c.selBg = GetBkColor(dc);
  }
  vx::TOwnedBitmap back;
  if (e.paintMode && e.initialized && e.callback) {
    back.Reset(reinterpret_cast<HBITMAP>(SendMessageA(e.callback, LEM_PAINT, reinterpret_cast<WPARAM>(dc), 0)));
    if (!c.alive()) return false;
  }
  if (back) {
    // The owner's picture is the background; text goes over it transparently.
    vx::TOwnedDC bdc(CreateCompatibleDC(dc));
    vx::TSelected picture(bdc, back);
    BitBlt(dc, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, bdc, clip.left, clip.top, SRCCOPY);
    c.transparent = true;
  } else {
    FillSolid(dc, clip, c.bg);
  }
  return true;
}

// The visible rows from the top line down to the bottom of clip; false when a call-back
// changed the text.
bool PaintRows(PaintCtx& c, const RECT& clip) {
  Editor& e = c.e;
  int y = 0;
  std::vector<Token> toks;
  for (int line = e.view.topLine; line < e.doc.LineCount() && y < clip.bottom; ++line) {
    std::string text = e.doc.Line(line);  // a copy: call-backs may change the document
    std::vector<int> rows = Rows(e, line);
    if (!c.alive()) return false;
    int first = line == e.view.topLine ? std::min<int>(e.view.topSkip, static_cast<int>(rows.size()) - 1) : 0;
    toks.clear();
    bool lexed = false;
    for (int r = first; r < static_cast<int>(rows.size()) && y < clip.bottom; ++r) {
      if (y + e.lineHeight > clip.top) {
        if (!lexed && e.highlight) {
          LexState st = e.lexCache.StateAt(line, e.doc, e.lexer);
          e.lexer.LexLine(text, st, &toks);
          lexed = true;
        }
        int end = r + 1 < static_cast<int>(rows.size()) ? rows[r + 1] : static_cast<int>(text.size());
        if (!PaintRow(c, text, toks, line, rows[r], end, r + 1 == static_cast<int>(rows.size()), y, clip)) return false;
      }
      y += e.lineHeight;
    }
  }
  return true;
}

}  // namespace

void Paint(Editor& e, HDC target, const RECT& clip, bool offscreen) {
  HWND self = e.hwnd;
  RECT client;
  GetClientRect(self, &client);
  int w = std::max<LONG>(1, client.right), h = std::max<LONG>(1, client.bottom);
  std::optional<BackBuffer> buffer;
  if (offscreen) buffer.emplace(e, target, w, h);
  HDC dc = buffer && buffer->DC() ? buffer->DC() : target;
  bool ok;
  {
    vx::TSavedDC keep(dc);
    SelectObject(dc, CurrentFont(e));  // undone with the rest of the DC's state
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    PaintCtx c{e,
               self,
               dc,
               e.doc.Version(),
               GetSysColor(COLOR_WINDOWTEXT),
               GetSysColor(COLOR_WINDOW),
               GetSysColor(COLOR_HIGHLIGHTTEXT),
               GetSysColor(COLOR_HIGHLIGHT),
               false};
    ok = OwnerColours(c, dc, clip) && PaintRows(c, clip);
  }
  if (dc != target)
    BitBlt(target, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top, dc, clip.left, clip.top,
           SRCCOPY);
  // A call-back changed the text under us: paint again with the new text.
  if (!ok && EditorOf(self) == &e) InvalidateRect(self, nullptr, FALSE);
}

bool TokenAt(Editor& e, Pos p, LEToken& tok) {
  if (p.line < 0 || p.line >= e.doc.LineCount()) return false;
  const std::string& text = e.doc.Line(p.line);
  std::vector<Token> toks;
  e.lexer.LexLine(text, e.lexCache.StateAt(p.line, e.doc, e.lexer), &toks);
  const Token* hit = nullptr;
  for (const Token& t : toks) {
    if (p.col >= t.col && p.col < t.col + t.len) {
      hit = &t;
      break;
    }
    if (p.col == t.col + t.len) hit = &t;  // just after a word, as a click on its right half gives
  }
  if (!hit) return false;
  int piece =
      hit->col + ((std::min(p.col, hit->col + hit->len - 1) - hit->col) / (LE_TOKEN_TEXT - 1)) * (LE_TOKEN_TEXT - 1);
  FillToken(tok, text, piece, std::min(hit->col + hit->len - piece, LE_TOKEN_TEXT - 1), hit->type);
  return true;
}

}  // namespace ledit
