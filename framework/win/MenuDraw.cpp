#include "framework/win/MenuDraw.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"

namespace vx {

namespace {

TOwnedFont MenuFont(bool bold) {
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  LOGFONTA lf{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0))
    lf = ncm.lfMenuFont;
  else
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
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

TMenuItemLayout Measure(HDC dc, TMenuItem* item) {
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

// A check mark or a radio bullet in the symbol font the caption buttons use.
void DrawMark(HDC dc, const RECT& box, bool radio, COLORREF colour) {
  int size = std::min(box.right - box.left, box.bottom - box.top);
  TOwnedFont marlett(CreateFontA(size, 0, 0, 0, FW_NORMAL, 0, 0, 0, SYMBOL_CHARSET, 0, 0, 0, 0, "Marlett"));
  TSelected sel(dc, marlett);
  SetTextColor(dc, colour);
  RECT r = box;
  DrawTextA(dc, radio ? "h" : "a", 1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Draw(DRAWITEMSTRUCT* d, TMenuItem* item) {
  HDC dc = d->hDC;
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
