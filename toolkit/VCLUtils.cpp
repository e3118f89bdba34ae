#include "toolkit/VCLUtils.h"

#include <algorithm>
#include <string>

#include "framework/win/GdiScoped.h"

namespace vx {

// ---- resources ----------------------------------------------------------------------

void ResourceNotFound(const char* resID) {
  std::string name = IS_INTRESOURCE(resID) ? std::to_string(reinterpret_cast<uintptr_t>(resID) & 0xFFFF)
                                           : std::string(resID ? resID : "");
  throw EResNotFound("Resource " + name + " not found");
}

AnsiString LoadStr(UINT ident) {
  char buf[1024];
  int n = LoadStringA(GetModuleHandleA(nullptr), ident, buf, sizeof buf);
  return AnsiString(buf, n > 0 ? n : 0);
}

std::unique_ptr<TBitmap> LoadResBitmap(HINSTANCE module, const char* resName) {
  HBITMAP h = LoadBitmapA(module, resName);
  if (!h) return nullptr;
  auto b = std::make_unique<TBitmap>();
  b->SetHandle(h);
  return b;
}

// ---- bitmaps ------------------------------------------------------------------------

namespace {

// A memory DC holding a bitmap for the duration of one drawing step.
struct MemDC {
  TOwnedDC dc;
  TSelected selected;
  MemDC(HDC like, HBITMAP bmp) : dc(CreateCompatibleDC(like)), selected(dc, bmp) {}
};

void TransparentBlt(HDC dest, int x, int y, int w, int h, HBITMAP src, int sw, int sh, COLORREF transparent,
                    bool plain) {
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
  MemDC source(dest, src);
  if (plain) {
    if (w == sw && h == sh)
      BitBlt(dest, x, y, w, h, source.dc, 0, 0, SRCCOPY);
    else
      StretchBlt(dest, x, y, w, h, source.dc, 0, 0, sw, sh, SRCCOPY);
    return;
  }
  // The source at the target size, and its mask: 1 where the transparent colour is.
  HBITMAP sized = CreateCompatibleBitmap(dest, w, h);
  HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP work = CreateCompatibleBitmap(dest, w, h);
  {
    MemDC s(dest, sized), m(dest, mask), k(dest, work);
    SetStretchBltMode(s.dc, COLORONCOLOR);
    StretchBlt(s.dc, 0, 0, w, h, source.dc, 0, 0, sw, sh, SRCCOPY);
    SetBkColor(s.dc, transparent);
    BitBlt(m.dc, 0, 0, w, h, s.dc, 0, 0, SRCCOPY);
    // Background, then background ^ source, masked, ^ source: the background stays where
    // the mask is set and the source shows everywhere else.
    BitBlt(k.dc, 0, 0, w, h, dest, x, y, SRCCOPY);
    SetTextColor(k.dc, RGB(0, 0, 0));
    SetBkColor(k.dc, RGB(255, 255, 255));
    BitBlt(k.dc, 0, 0, w, h, s.dc, 0, 0, SRCINVERT);
    BitBlt(k.dc, 0, 0, w, h, m.dc, 0, 0, SRCAND);
    BitBlt(k.dc, 0, 0, w, h, s.dc, 0, 0, SRCINVERT);
    BitBlt(dest, x, y, w, h, k.dc, 0, 0, SRCCOPY);
  }
  DeleteObject(work);
  DeleteObject(mask);
  DeleteObject(sized);
}

constexpr DWORD ROP_DSPDxax = 0x00E20746;

}  // namespace

void DrawBitmapTransparent(TCanvas* dest, int x, int y, TColor transparentColor, TBitmap* bitmap) {
  if (!dest || !bitmap || bitmap->Empty()) return;
  RECT r{x, y, x + bitmap->Width(), y + bitmap->Height()};
  StretchBitmapTransparent(dest, r, transparentColor, bitmap);
}

void StretchBitmapTransparent(TCanvas* dest, const RECT& target, TColor transparentColor, TBitmap* bitmap) {
  if (!dest || !bitmap || bitmap->Empty()) return;
  HBITMAP h = bitmap->Handle();
  int sw = bitmap->Width(), sh = bitmap->Height();
  bitmap->Dormant();  // the bitmap may not stay selected into its own canvas meanwhile
  TransparentBlt(dest->Handle(), target.left, target.top, RectWidth(target), RectHeight(target), h, sw, sh,
                 ColorToRGB(transparentColor) & 0xFFFFFF, transparentColor == clNone);
}

std::unique_ptr<TBitmap> CreateDisabledBitmap(TBitmap* bitmap) {
  auto result = std::make_unique<TBitmap>();
  if (!bitmap || bitmap->Empty()) return result;
  int w = bitmap->Width(), h = bitmap->Height();
  HDC screen = GetDC(nullptr);
  HBITMAP out = CreateCompatibleBitmap(screen, w, h);
  HBITMAP mono = CreateBitmap(w, h, 1, 1, nullptr);
  HBITMAP src = bitmap->Handle();
  bitmap->Dormant();
  {
    MemDC s(screen, src), m(screen, mono), o(screen, out);
    // The two-colour copy: white stays set, every other colour is the glyph.
    SetBkColor(s.dc, RGB(255, 255, 255));
    BitBlt(m.dc, 0, 0, w, h, s.dc, 0, 0, SRCCOPY);
    RECT all{0, 0, w, h};
    FillRect(o.dc, &all, TOwnedBrush(CreateSolidBrush(ColorToRGB(clBtnFace))));
    // Brush where the glyph is, destination elsewhere: highlight one pixel down and
    // right, then shadow in place.
    SetTextColor(o.dc, RGB(255, 255, 255));
    SetBkColor(o.dc, RGB(0, 0, 0));
    TOwnedBrush hi(CreateSolidBrush(ColorToRGB(clBtnHighlight)));
    TOwnedBrush sh(CreateSolidBrush(ColorToRGB(clBtnShadow)));
    {
      TSelected brush(o.dc, hi);
      BitBlt(o.dc, 1, 1, w, h, m.dc, 0, 0, ROP_DSPDxax);
    }
    TSelected brush(o.dc, sh);
    BitBlt(o.dc, 0, 0, w, h, m.dc, 0, 0, ROP_DSPDxax);
  }
  DeleteObject(mono);
  ReleaseDC(nullptr, screen);
  result->SetHandle(out);
  return result;
}

std::unique_ptr<TBitmap> CreateTwoColorsBrushPattern(TColor color1, TColor color2) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(8, 8);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(color1);
  RECT r{0, 0, 8, 8};
  c->FillRect(r);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      if ((x % 2) == (y % 2)) c->SetPixels(x, y, color2);
  return b;
}

// ---- painting -----------------------------------------------------------------------

void InvertScreenFrame(const RECT& screenRect, int width) {
  HDC dc = GetDC(nullptr);
  RECT r = screenRect;
  for (int i = 0; i < width; ++i) {
    DrawFocusRect(dc, &r);
    InflateRect(&r, -1, -1);
  }
  ReleaseDC(nullptr, dc);
}

namespace {

// The monochrome work bitmap of centred cell text, kept for the whole run. Plain GDI, so
// its release at program end does not depend on the framework's own statics.
struct CellWorkBitmap {
  HBITMAP bmp = nullptr;
  int width = 0, height = 0;
  ~CellWorkBitmap() {
    if (bmp) DeleteObject(bmp);
  }
  void Ensure(int w, int h) {
    if (bmp && width >= w && height >= h) return;
    if (bmp) DeleteObject(bmp);
    width = std::max(width, w);
    height = std::max(height, h);
    bmp = CreateBitmap(width, height, 1, 1, nullptr);
  }
};

CellWorkBitmap& CellBitmap() {
  static CellWorkBitmap work;
  return work;
}

}  // namespace

void DrawCellText(TCanvas* canvas, TCellAlignment alignment, TVertAlignment vertAlign, const RECT& cell,
                  const AnsiString& fullText) {
  if (!canvas) return;
  AnsiString text = fullText.substr(0, 255);
  int cellW = RectWidth(cell), cellH = RectHeight(cell);
  int offset = 2;
  if (vertAlign == vaCenter)
    offset = (cellH - canvas->TextHeight("W")) / 2;
  else if (vertAlign == vaBottomJustify)
    offset = cellH - canvas->TextHeight("W");

  if (alignment == caLeftJustify) {
    canvas->TextRect(cell, cell.left + 2, cell.top + offset, text);
    return;
  }
  if (alignment == caRightJustify) {
    canvas->TextRect(cell, cell.right - canvas->TextWidth(text) - 3, cell.top + offset, text);
    return;
  }
  if (cellW <= 0 || cellH <= 0) return;
  CellWorkBitmap& work = CellBitmap();
  work.Ensure(cellW, cellH);
  HDC dc = canvas->Handle();
  TOwnedDC wdc(CreateCompatibleDC(dc));
  TSelected selectBmp(wdc, work.bmp), selectFont(wdc, canvas->Font()->Handle());
  RECT all{0, 0, work.width, work.height};
  FillRect(wdc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(wdc, RGB(0, 0, 0));
  SetBkMode(wdc, TRANSPARENT);
  RECT tr{2, offset, cellW - 1, cellH - 1};
  DrawTextA(wdc, text.c_str(), static_cast<int>(text.size()), &tr,
            DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
  // Mono to colour: the text takes the grid's font colour, the rest its brush colour.
  COLORREF oldText = SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
  COLORREF oldBk = SetBkColor(dc, ColorToRGB(canvas->Brush()->Color()));
  BitBlt(dc, cell.left, cell.top, cellW, cellH, wdc, 0, 0, SRCCOPY);
  SetTextColor(dc, oldText);
  SetBkColor(dc, oldBk);
}

}  // namespace vx
