#include "framework/win/MenuDraw.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"

namespace vx {

namespace {

LOGFONTA MenuLogFont() {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTA lf{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    lf = ncm.lfMenuFont;
  else
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
  return lf;
}

TOwnedFont MenuFont(bool bold) {
  LOGFONTA lf = MenuLogFont();
  if (bold) lf.lfWeight = FW_BOLD;
  return TOwnedFont(CreateFontIndirectA(&lf));
}

int TextWidth(HDC dc, const AnsiString& s, UINT flags) {
  if (s.empty()) return 0;
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, s.c_str(), static_cast<int>(s.size()), &r, flags | DT_CALCRECT | DT_SINGLELINE);
  return r.right - r.left;
}

// The two columns of an item's text: before its first tab (the caption) and after it
// (the short-cut, or the name after a recent file's number), as the platform splits it.
struct TColumns {
  AnsiString left, right;
};
TColumns Columns(const TMenuItem* item) {
  AnsiString text = item->EntryText();
  size_t tab = text.find('\t');
  if (tab == AnsiString::npos) return {text, {}};
  AnsiString right = text.substr(tab + 1);
  for (char& c : right)
    if (c == '\t') c = ' ';
  return {text.substr(0, tab), right};
}

// The items that share the item's drop-down, in the order they stand there.
std::vector<TMenuItem*> Siblings(TMenuItem* item) {
  std::vector<TMenuItem*> v;
  if (TMenuItem* p = item->Parent()) {
    for (int i = 0; i < p->Count(); ++i)
      if (p->Items(i)->Visible() && !p->Items(i)->IsLine()) v.push_back(p->Items(i));
  } else {
    v.push_back(item);
  }
  return v;
}

TMenuItemLayout MeasureAll(HDC dc, TMenuItem* item) {
  TMenuItemLayout l;
  TOwnedFont font = MenuFont(false), bold = MenuFont(true);
  TSelected sel(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  bool anySub = false;
  for (TMenuItem* s : Siblings(item)) {
    TColumns cols = Columns(s);
    TSelected b(dc, s->Default() ? bold.Get() : nullptr);
    l.captionWidth = std::max(l.captionWidth, TextWidth(dc, cols.left, 0));
    l.shortCutWidth = std::max(l.shortCutWidth, TextWidth(dc, cols.right, DT_NOPREFIX));
    anySub = anySub || s->Count() > 0;
  }
  int mark = std::max<int>(GetSystemMetrics(SM_CXMENUCHECK), tm.tmHeight);
  l.checkWidth = mark + 6;
  l.gap = l.shortCutWidth ? std::max<int>(tm.tmAveCharWidth * 4, 16) : 0;
  l.arrowWidth = anySub ? mark + 4 : 8;
  l.width = l.ShortCutLeft() + l.shortCutWidth + l.arrowWidth;
  l.height = std::max<int>(tm.tmHeight + 5, GetSystemMetrics(SM_CYMENUCHECK) + 2);
  return l;
}

bool SameFont(const LOGFONTA& a, const LOGFONTA& b) {
  return a.lfHeight == b.lfHeight && a.lfWeight == b.lfWeight && std::strcmp(a.lfFaceName, b.lfFaceName) == 0;
}

// The platform measures and draws each item of a drop-down on its own, while the columns
// depend on all of them: they are measured once per drop-down and kept by its parent item
// until a sub-item changes (or the menu font, which drawing checks).
const TMenuItemLayout* Kept(TMenuItem* item) {
  TMenuItem* parent = item->Parent();
  TMenuMeasure* m = parent ? parent->Measured() : nullptr;
  return m ? &m->layout : nullptr;
}

TMenuItemLayout Measure(HDC dc, TMenuItem* item) {
  if (const TMenuItemLayout* kept = Kept(item)) return *kept;
  TMenuItem* parent = item->Parent();
  if (!parent) return MeasureAll(dc, item);
  auto m = std::make_unique<TMenuMeasure>();
  m->layout = MeasureAll(dc, item);
  m->font = MenuLogFont();
  TMenuItemLayout l = m->layout;
  parent->SetMeasured(std::move(m));
  return l;
}

// A check mark (a tick) or a radio bullet, drawn with lines and a filled circle: a symbol
// font may be missing, and another face's letter would stand in for the mark.
void DrawMark(HDC dc, const RECT& box, bool radio, COLORREF colour) {
  int w = box.right - box.left, h = box.bottom - box.top;
  int size = std::min({w, h, 16});
  int x = box.left + (w - size) / 2, y = box.top + (h - size) / 2;
  TOwnedBrush brush(CreateSolidBrush(colour));
  TOwnedPen pen(CreatePen(PS_SOLID, 1, colour));
  TSelected b(dc, brush), p(dc, pen);
  if (radio) {
    int d = std::max(4, size / 2), o = (size - d) / 2;
    Ellipse(dc, x + o, y + o, x + o + d, y + o + d);
    return;
  }
  // A short stroke down to the right, then a long one up to the right, each thickness
  // rows deep.
  int thick = std::max(2, size / 6);
  POINT a{x + size / 5, y + size / 2 - thick / 2};
  POINT v{x + size * 2 / 5, y + size * 7 / 10 - thick / 2};
  POINT c{x + size * 4 / 5, y + size / 4 - thick / 2};
  for (int i = 0; i < thick; ++i) {
    POINT line[3] = {{a.x, a.y + i}, {v.x, v.y + i}, {c.x, c.y + i}};
    Polyline(dc, line, 3);
  }
}

void Draw(DRAWITEMSTRUCT* d, TMenuItem* item) {
  HDC dc = d->hDC;
  // A long drop-down is drawn whole, most of it outside the screen.
  RECT clip{}, common{};
  int kind = GetClipBox(dc, &clip);
  if ((kind == SIMPLEREGION || kind == COMPLEXREGION) && !IntersectRect(&common, &clip, &d->rcItem)) return;
  if (TMenuMeasure* m = item->Parent() ? item->Parent()->Measured() : nullptr) {
    LOGFONTA font = MenuLogFont();
    if (!SameFont(m->font, font)) item->Parent()->SetMeasured(nullptr);
  }
  TSavedDC saved(dc);
  TMenuItemLayout l = Measure(dc, item);
  RECT rc = d->rcItem;
  bool selected = (d->itemState & ODS_SELECTED) != 0;
  bool grayed = (d->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0 || !item->Enabled();
  COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  TOwnedBrush brush(CreateSolidBrush(back));
  FillRect(dc, &rc, brush);
  SetBkMode(dc, TRANSPARENT);
  COLORREF fore = grayed ? GetSysColor(COLOR_GRAYTEXT) : GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);

  if (item->Checked()) {
    RECT box{rc.left + 2, rc.top + 1, rc.left + l.checkWidth - 2, rc.bottom - 1};
    DrawMark(dc, box, item->RadioItem(), fore);
  }
  TOwnedFont font = MenuFont(item->Default());
  TSelected sel(dc, font);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (d->itemState & ODS_NOACCEL) flags |= DT_HIDEPREFIX;
  RECT caption{rc.left + l.checkWidth, rc.top, rc.left + l.checkWidth + l.captionWidth + 1, rc.bottom};
  RECT keys{rc.left + l.ShortCutLeft(), rc.top, rc.right, rc.bottom};
  TColumns cols = Columns(item);
  auto text = [&](int dx, COLORREF c) {
    SetTextColor(dc, c);
    RECT a = caption, b = keys;
    OffsetRect(&a, dx, dx);
    OffsetRect(&b, dx, dx);
    DrawTextA(dc, cols.left.c_str(), -1, &a, flags);
    if (!cols.right.empty()) DrawTextA(dc, cols.right.c_str(), -1, &b, flags | DT_NOPREFIX);
  };
  // A disabled item stands engraved, as the platform draws it, unless it is highlighted.
  if (grayed && !selected) text(1, GetSysColor(COLOR_3DHILIGHT));
  text(0, fore);
}

}  // namespace

TMenuItemLayout MenuItemLayout(TMenuItem* item) {
  if (const TMenuItemLayout* kept = Kept(item)) return *kept;
  TWindowDC dc(nullptr);
  return Measure(dc, item);
}

bool MenuDrawMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      if (!mi || mi->CtlType != ODT_MENU) return false;
      TMenuItem* item = MenuItemOfEntry(mi->itemID, mi->itemData);
      if (!item) return false;
      TMenuItemLayout l = MenuItemLayout(item);
      mi->itemWidth = static_cast<UINT>(l.width);
      mi->itemHeight = static_cast<UINT>(l.height);
      m.Result = TRUE;
      return true;
    }
    case WM_DRAWITEM: {
      auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      if (!d || d->CtlType != ODT_MENU) return false;
      TMenuItem* item = MenuItemOfEntry(d->itemID, d->itemData);
      if (!item) return false;
      Draw(d, item);
      m.Result = TRUE;
      return true;
    }
    case WM_MENUCHAR: {
      // Drawn items carry no text the menu could search: their "&" letter is found here.
      auto menu = reinterpret_cast<HMENU>(m.LParam);
      char key = static_cast<char>(std::toupper(static_cast<unsigned char>(LOWORD(m.WParam))));
      int n = GetMenuItemCount(menu);
      bool ours = false;
      for (int pos = 0; pos < n; ++pos) {
        TMenuItem* item = MenuItemAt(menu, pos);
        if (!item) continue;
        ours = true;
        if (key && GetHotkey(item->Caption()) == key && item->Enabled()) {
          m.Result = MAKELRESULT(pos, MNC_EXECUTE);
          return true;
        }
      }
      if (!ours) return false;
      m.Result = MAKELRESULT(0, MNC_IGNORE);
      return true;
    }
  }
  return false;
}

}  // namespace vx
