#include "framework/win/Graphics.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/win/GdiScoped.h"

namespace vx {

COLORREF ColorToRGB(TColor c) {
  if (c < 0) return GetSysColor(c & 0xFF);
  return static_cast<COLORREF>(c);
}

int ScreenPixelsPerInch() {
  static int ppi = [] {
    HDC dc = GetDC(nullptr);
    int v = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return v > 0 ? v : 96;
  }();
  return ppi;
}

int ScreenFontHeight(HFONT font) {
  TWindowDC dc(nullptr);
  TSelected selectFont(dc, font);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  return tm.tmHeight;
}

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

const TTypeInfo* TypeInfoFontStyles() {
  static const TTypeInfo* t =
      SetTypeInfo("TFontStyles", EnumTypeInfo("TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}));
  return t;
}
const TTypeInfo* TypeInfoFontPitch() { return EnumTypeInfo("TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}); }

// ---- shared font handles ----------------------------------------------------------

namespace {

struct FontKey {
  LOGFONTA lf;
  bool operator<(const FontKey& o) const { return std::memcmp(&lf, &o.lf, sizeof lf) < 0; }
};
struct FontEntry {
  HFONT font;
  int refs;
};

std::map<FontKey, FontEntry>& FontCache() {
  static auto* cache = new std::map<FontKey, FontEntry>;  // outlives fonts freed at program end
  return *cache;
}

FontKey KeyOf(const LOGFONTA& lf) {
  FontKey k;
  std::memset(&k.lf, 0, sizeof k.lf);
  k.lf = lf;
  // Bytes after the name's terminator must not make equal fonts differ.
  size_t n = strnlen(lf.lfFaceName, LF_FACESIZE);
  std::memset(k.lf.lfFaceName + n, 0, LF_FACESIZE - n);
  return k;
}

HFONT AcquireFont(const LOGFONTA& lf) {
  FontKey k = KeyOf(lf);
  auto& cache = FontCache();
  auto it = cache.find(k);
  if (it != cache.end()) {
    ++it->second.refs;
    return it->second.font;
  }
  HFONT f = CreateFontIndirectA(&k.lf);
  if (!f) throw EOutOfResources("Out of Resources");
  cache[k] = FontEntry{f, 1};
  return f;
}

void ReleaseFont(HFONT f) {
  auto& cache = FontCache();
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->second.font != f) continue;
    if (--it->second.refs == 0) {
      DeleteObject(f);
      cache.erase(it);
    }
    return;
  }
}

}  // namespace

// ---- TFont --------------------------------------------------------------------------

TFont::TFont() : ppi_(ScreenPixelsPerInch()) { height_ = -MulDiv(8, ppi_, 72); }

TFont::~TFont() { ReleaseHandle(); }

void TFont::ReleaseHandle() const {
  if (handle_) {
    ReleaseFont(handle_);
    handle_ = nullptr;
  }
}

void TFont::Modified() {
  ReleaseHandle();
  Changed();
}

void TFont::Assign(const TPersistent& source) {
  auto* from = dynamic_cast<const TFont*>(&source);
  if (!from) return TPersistent::Assign(source);
  const TFont& src = *from;
  if (&src == this) return;
  if (*this == src && color_ == src.color_) return;
  name_ = src.name_;
  height_ = ppi_ == src.ppi_ ? src.height_ : -MulDiv(src.Size(), ppi_, 72);
  color_ = src.color_;
  style_ = src.style_;
  pitch_ = src.pitch_;
  charset_ = src.charset_;
  Modified();
}

bool TFont::operator==(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && style_ == o.style_ && pitch_ == o.pitch_ &&
         charset_ == o.charset_ && color_ == o.color_;
}

void TFont::SetName(const AnsiString& n) {
  if (n.empty() || n == name_) return;
  name_ = n.substr(0, LF_FACESIZE - 1);
  Modified();
}
void TFont::SetHeight(int h) {
  if (h == height_) return;
  height_ = h;
  Modified();
}
int TFont::Size() const { return -MulDiv(height_, 72, ppi_); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, ppi_, 72)); }
void TFont::SetColor(TColor c) {
  if (c == color_) return;
  color_ = c;
  Changed();  // the colour is no part of the HFONT
}
void TFont::SetStyle(TFontStyles s) {
  if (s == style_) return;
  style_ = s;
  Modified();
}
void TFont::SetPitch(TFontPitch p) {
  if (p == pitch_) return;
  pitch_ = p;
  Modified();
}
void TFont::SetCharset(TFontCharset c) {
  if (c == charset_) return;
  charset_ = c;
  Modified();
}

LOGFONTA TFont::LogFont() const {
  LOGFONTA lf;
  std::memset(&lf, 0, sizeof lf);
  lf.lfHeight = height_;
  lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style_.Contains(fsItalic);
  lf.lfUnderline = style_.Contains(fsUnderline);
  lf.lfStrikeOut = style_.Contains(fsStrikeOut);
  lf.lfCharSet = charset_;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
  std::strncpy(lf.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
  return lf;
}

HFONT TFont::Handle() const {
  if (!handle_) handle_ = AcquireFont(LogFont());
  return handle_;
}

void TFont::SetHandle(HFONT f) {
  LOGFONTA lf;
  if (!f || GetObjectA(f, sizeof lf, &lf) == 0) return;
  name_ = lf.lfFaceName;
  height_ = lf.lfHeight;
  TFontStyles s;
  if (lf.lfWeight >= FW_BOLD) s << fsBold;
  if (lf.lfItalic) s << fsItalic;
  if (lf.lfUnderline) s << fsUnderline;
  if (lf.lfStrikeOut) s << fsStrikeOut;
  style_ = s;
  charset_ = lf.lfCharSet;
  int pitch = lf.lfPitchAndFamily & 3;
  pitch_ = pitch == FIXED_PITCH ? fpFixed : pitch == VARIABLE_PITCH ? fpVariable : fpDefault;
  Modified();
}

VX_PUBLISH(TGraphicsObject, TObject) {}

VX_PUBLISH(TFont, TGraphicsObject) {
  P.Int("Charset", &TFont::Charset, &TFont::SetCharset)
      .Int("Color", &TFont::Color, &TFont::SetColor)
      .Int("Height", &TFont::Height, &TFont::SetHeight)
      .Str("Name", &TFont::Name, &TFont::SetName)
      .Enum("Pitch", TypeInfoFontPitch(), &TFont::Pitch, &TFont::SetPitch)
      .Int("Size", &TFont::Size, &TFont::SetSize)
      .Set("Style", TypeInfoFontStyles(), &TFont::Style, &TFont::SetStyle);
}

// ---- TBrush, TPen ------------------------------------------------------------------

TBrush::~TBrush() {
  if (handle_) DeleteObject(handle_);
}
void TBrush::Modified() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
  Changed();
}
void TBrush::Assign(const TPersistent& source) {
  auto* from = dynamic_cast<const TBrush*>(&source);
  if (!from) return TPersistent::Assign(source);
  const TBrush& src = *from;
  if (&src == this) return;
  color_ = src.color_;
  style_ = src.style_;
  bitmap_ = src.bitmap_;
  Modified();
}
void TBrush::SetColor(TColor c) {
  if (c == color_ && style_ != bsClear) return;
  color_ = c;
  if (style_ == bsClear) style_ = bsSolid;
  Modified();
}
void TBrush::SetStyle(TBrushStyle s) {
  if (s == style_) return;
  style_ = s;
  Modified();
}
void TBrush::SetBitmap(TBitmap* b) {
  bitmap_ = b;
  Modified();
}
HBRUSH TBrush::Handle() const {
  if (handle_) return handle_;
  LOGBRUSH lb{};
  lb.lbColor = ColorToRGB(color_);
  if (bitmap_ && !bitmap_->Empty()) {
    lb.lbStyle = BS_PATTERN;
    lb.lbHatch = reinterpret_cast<ULONG_PTR>(bitmap_->Handle());
  } else if (style_ == bsSolid) {
    lb.lbStyle = BS_SOLID;
  } else if (style_ == bsClear) {
    lb.lbStyle = BS_HOLLOW;
  } else {
    static const int hatch[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    lb.lbStyle = BS_HATCHED;
    lb.lbHatch = hatch[style_];
  }
  handle_ = CreateBrushIndirect(&lb);
  if (!handle_) throw EOutOfResources("Out of Resources");
  return handle_;
}

TPen::~TPen() {
  if (handle_) DeleteObject(handle_);
}
void TPen::Modified() {
  if (handle_) {
    DeleteObject(handle_);
    handle_ = nullptr;
  }
  Changed();
}
void TPen::Assign(const TPersistent& source) {
  auto* from = dynamic_cast<const TPen*>(&source);
  if (!from) return TPersistent::Assign(source);
  const TPen& src = *from;
  if (&src == this) return;
  color_ = src.color_;
  width_ = src.width_;
  style_ = src.style_;
  mode_ = src.mode_;
  Modified();
}
void TPen::SetColor(TColor c) {
  if (c != color_) {
    color_ = c;
    Modified();
  }
}
void TPen::SetWidth(int w) {
  if (w != width_) {
    width_ = w;
    Modified();
  }
}
void TPen::SetStyle(TPenStyle s) {
  if (s != style_) {
    style_ = s;
    Modified();
  }
}
void TPen::SetMode(TPenMode m) {
  if (m != mode_) {
    mode_ = m;
    Changed();
  }
}
HPEN TPen::Handle() const {
  if (handle_) return handle_;
  static const int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  handle_ = CreatePen(styles[style_], width_, ColorToRGB(color_));
  if (!handle_) throw EOutOfResources("Out of Resources");
  return handle_;
}

// ---- TCanvas -----------------------------------------------------------------------

TCanvas::TCanvas() {
  font_.OnChange = [this](TObject*) { state_ &= ~csFont; };
  brush_.OnChange = [this](TObject*) { state_ &= ~csBrush; };
  pen_.OnChange = [this](TObject*) { state_ &= ~csPen; };
}

TCanvas::~TCanvas() { SetHandle(nullptr); }

void TCanvas::DeselectAll() {
  if (!dc_) return;
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldPen_) SelectObject(dc_, oldPen_);
  if (oldBrush_) SelectObject(dc_, oldBrush_);
  oldFont_ = oldPen_ = oldBrush_ = nullptr;
  state_ &= csHandle;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  DeselectAll();
  dc_ = dc;
  state_ = dc ? csHandle : 0;
}

void TCanvas::ReleaseDC() { SetHandle(nullptr); }

HDC TCanvas::Handle() {
  RequireState(csHandle);
  return dc_;
}

void TCanvas::Refresh() { DeselectAll(); }

void TCanvas::RequireState(int need) {
  if (!dc_) {
    CreateHandle();
    if (!dc_) throw EInvalidOperation("Canvas does not allow drawing");
  }
  int missing = need & ~state_;
  if (missing & csFont) {
    HGDIOBJ old = SelectObject(dc_, font_.Handle());
    if (!oldFont_) oldFont_ = old;
    SetTextColor(dc_, ColorToRGB(font_.Color()));
  }
  if (missing & csPen) {
    HGDIOBJ old = SelectObject(dc_, pen_.Handle());
    if (!oldPen_) oldPen_ = old;
    static const int rop2[] = {R2_BLACK,       R2_WHITE,      R2_NOP,         R2_NOT,
                               R2_COPYPEN,     R2_NOTCOPYPEN, R2_MERGEPENNOT, R2_MASKPENNOT,
                               R2_MERGENOTPEN, R2_MASKNOTPEN, R2_MERGEPEN,    R2_NOTMERGEPEN,
                               R2_MASKPEN,     R2_NOTMASKPEN, R2_XORPEN,      R2_NOTXORPEN};
    SetROP2(dc_, rop2[pen_.Mode()]);
  }
  if (missing & csBrush) {
    HGDIOBJ old = SelectObject(dc_, brush_.Handle());
    if (!oldBrush_) oldBrush_ = old;
    SetBkColor(dc_, ColorToRGB(brush_.Color()));
    SetBkMode(dc_, brush_.Style() == bsSolid ? OPAQUE : TRANSPARENT);
  }
  state_ |= need | csHandle;
}

void TCanvas::TextOut(int x, int y, const AnsiString& text) {
  RequireState(csFont | csBrush);
  ::TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
  MoveToEx(dc_, x + TextExtent(text).cx, y, nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, const AnsiString& text) {
  RequireState(csFont | csBrush);
  UINT opts = ETO_CLIPPED;
  if (brush_.Style() != bsClear) opts |= ETO_OPAQUE;
  ExtTextOutA(dc_, x, y, opts, &r, text.data(), static_cast<UINT>(text.size()), nullptr);
}

int TCanvas::DrawText(const AnsiString& text, RECT& r, UINT flags) {
  RequireState(csFont | csBrush);
  return ::DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &r, flags);
}

SIZE TCanvas::TextExtent(const AnsiString& text) {
  RequireState(csFont);
  SIZE s{0, 0};
  GetTextExtentPoint32A(dc_, text.data(), static_cast<int>(text.size()), &s);
  return s;
}

void TCanvas::FillRect(const RECT& r) {
  RequireState(csBrush);
  ::FillRect(dc_, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  RequireState(csBrush);
  ::FrameRect(dc_, &r, brush_.Handle());
}

void TCanvas::DrawFocusRect(const RECT& r) {
  RequireState(csBrush);
  ::DrawFocusRect(dc_, &r);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  RequireState(csPen | csBrush);
  ::Rectangle(dc_, x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
  RequireState(csPen | csBrush);
  ::RoundRect(dc_, x1, y1, x2, y2, x3, y3);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  RequireState(csPen | csBrush);
  ::Ellipse(dc_, x1, y1, x2, y2);
}

void TCanvas::Polygon(const POINT* pts, int count) {
  RequireState(csPen | csBrush);
  ::Polygon(dc_, pts, count);
}

void TCanvas::Polyline(const POINT* pts, int count) {
  RequireState(csPen);
  ::Polyline(dc_, pts, count);
}

void TCanvas::MoveTo(int x, int y) {
  RequireState(csHandle);
  MoveToEx(dc_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
  RequireState(csPen | csBrush);
  ::LineTo(dc_, x, y);
}

POINT TCanvas::PenPos() {
  RequireState(csHandle);
  POINT p{0, 0};
  GetCurrentPositionEx(dc_, &p);
  return p;
}

void TCanvas::Draw(int x, int y, TGraphic* g) {
  if (!g || g->Empty()) return;
  RECT r{x, y, x + g->Width(), y + g->Height()};
  g->Draw(this, r);
}

void TCanvas::StretchDraw(const RECT& r, TGraphic* g) {
  if (!g || g->Empty()) return;
  g->Draw(this, r);
}

void TCanvas::CopyRect(const RECT& dest, TCanvas* src, const RECT& source) {
  RequireState(csBrush);
  HDC s = src->Handle();
  SetStretchBltMode(dc_, COLORONCOLOR);
  StretchBlt(dc_, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, s, source.left, source.top,
             source.right - source.left, source.bottom - source.top, copyMode_);
}

TColor TCanvas::Pixels(int x, int y) {
  RequireState(csHandle);
  return static_cast<TColor>(GetPixel(dc_, x, y));
}

void TCanvas::SetPixels(int x, int y, TColor c) {
  RequireState(csHandle);
  SetPixel(dc_, x, y, ColorToRGB(c));
}

RECT TCanvas::ClipRect() {
  RequireState(csHandle);
  RECT r{0, 0, 0, 0};
  GetClipBox(dc_, &r);
  return r;
}

void Frame3D(TCanvas* canvas, RECT& r, TColor topColor, TColor bottomColor, int width) {
  canvas->Pen()->SetWidth(1);
  canvas->Pen()->SetStyle(psSolid);
  --r.bottom;
  --r.right;
  for (int i = 0; i < width; ++i) {
    canvas->Pen()->SetColor(topColor);
    POINT tl[3] = {{r.left, r.bottom}, {r.left, r.top}, {r.right, r.top}};
    canvas->Polyline(tl, 3);
    canvas->Pen()->SetColor(bottomColor);
    POINT br[3] = {{r.right, r.top}, {r.right, r.bottom}, {r.left - 1, r.bottom}};
    canvas->Polyline(br, 3);
    InflateRect(&r, -1, -1);
  }
  ++r.bottom;
  ++r.right;
}

TScreenCanvas::~TScreenCanvas() {
  HDC dc = screenDC_;
  SetHandle(nullptr);
  if (dc) ::ReleaseDC(nullptr, dc);
}

void TScreenCanvas::CreateHandle() {
  if (!screenDC_) screenDC_ = GetDC(nullptr);
  SetHandle(screenDC_);
}

// ---- TBitmap -----------------------------------------------------------------------

TBitmapCanvas::~TBitmapCanvas() { FreeContext(); }

void TBitmapCanvas::FreeContext() {
  if (!memDC_) return;
  SetHandle(nullptr);
  if (oldBitmap_) SelectObject(memDC_, oldBitmap_);
  if (oldPalette_) SelectPalette(memDC_, static_cast<HPALETTE>(oldPalette_), TRUE);
  DeleteDC(memDC_);
  memDC_ = nullptr;
  oldBitmap_ = oldPalette_ = nullptr;
}

void TBitmapCanvas::CreateHandle() {
  if (memDC_) {
    SetHandle(memDC_);
    return;
  }
  // A canvas of an empty bitmap still draws: it gets a 1x1 image of its own.
  if (!bitmap_->handle_)
    bitmap_->SetSize(bitmap_->width_ > 0 ? bitmap_->width_ : 1, bitmap_->height_ > 0 ? bitmap_->height_ : 1);
  memDC_ = CreateCompatibleDC(nullptr);
  if (!memDC_) throw EOutOfResources("Out of Resources");
  oldBitmap_ = SelectObject(memDC_, bitmap_->handle_);
  if (bitmap_->palette_) {
    oldPalette_ = SelectPalette(memDC_, bitmap_->palette_, TRUE);
    RealizePalette(memDC_);
  }
  SetHandle(memDC_);
}

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
  if (handle_) DeleteObject(handle_);
  if (palette_) DeleteObject(palette_);
}

void TBitmap::Changed() { TGraphic::Changed(); }

TCanvas* TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(this);
  return canvas_.get();
}

void TBitmap::Dormant() {
  if (canvas_) canvas_->FreeContext();
}

HBITMAP TBitmap::Handle() { return handle_; }

void TBitmap::TakeBitmap(HBITMAP b) {
  Dormant();
  if (handle_ && handle_ != b) DeleteObject(handle_);
  handle_ = b;
  width_ = height_ = 0;
  monochrome_ = false;
  if (b) {
    BITMAP bm;
    if (GetObjectA(b, sizeof bm, &bm)) {
      width_ = bm.bmWidth;
      height_ = bm.bmHeight;
      monochrome_ = bm.bmPlanes == 1 && bm.bmBitsPixel == 1;
    }
  }
}

void TBitmap::SetHandle(HBITMAP b) {
  TakeBitmap(b);
  Changed();
}

void TBitmap::SetPalette(HPALETTE p) {
  if (p == palette_) return;
  Dormant();
  if (palette_) DeleteObject(palette_);
  palette_ = p;
  Changed();
}

HBITMAP TBitmap::ReleaseHandle() {
  Dormant();
  HBITMAP b = handle_;
  handle_ = nullptr;
  return b;
}

HPALETTE TBitmap::ReleasePalette() {
  Dormant();
  HPALETTE p = palette_;
  palette_ = nullptr;
  return p;
}

void TBitmap::FreeImage() {
  Dormant();
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  width_ = height_ = 0;
  Changed();
}

static HBITMAP MakeBitmap(int w, int h, bool mono) {
  if (w <= 0 || h <= 0) return nullptr;
  HBITMAP b;
  if (mono) {
    b = CreateBitmap(w, h, 1, 1, nullptr);
  } else {
    b = CreateCompatibleBitmap(TWindowDC(nullptr), w, h);
  }
  if (!b) throw EOutOfResources("Out of Resources");
  return b;
}

// Copies the old image into a new one of the given size and depth; new area is white.
void TBitmap::SetSize(int w, int h) {
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  if (w == width_ && h == height_ && handle_) return;
  Dormant();
  HBITMAP nb = MakeBitmap(w, h, monochrome_);
  if (nb) {
    TOwnedDC dst(CreateCompatibleDC(nullptr));
    TSelected selectNew(dst, nb);
    PatBlt(dst, 0, 0, w, h, WHITENESS);
    if (handle_) {
      TOwnedDC src(CreateCompatibleDC(nullptr));
      TSelected selectOld(src, handle_);
      BitBlt(dst, 0, 0, std::min(w, width_), std::min(h, height_), src, 0, 0, SRCCOPY);
    }
  }
  if (handle_) DeleteObject(handle_);
  handle_ = nb;
  width_ = w;
  height_ = h;
  Changed();
}

void TBitmap::SetMonochrome(bool m) {
  if (m == monochrome_) return;
  if (!handle_) {
    monochrome_ = m;
    return;
  }
  Dormant();
  HBITMAP nb = MakeBitmap(width_, height_, m);
  {
    TOwnedDC dst(CreateCompatibleDC(nullptr)), src(CreateCompatibleDC(nullptr));
    TSelected selectNew(dst, nb), selectOld(src, handle_);
    // To two colours: pixels of the background colour (white) become white, all others black.
    SetBkColor(src, RGB(255, 255, 255));
    SetTextColor(dst, RGB(0, 0, 0));
    SetBkColor(dst, RGB(255, 255, 255));
    BitBlt(dst, 0, 0, width_, height_, src, 0, 0, SRCCOPY);
  }
  DeleteObject(handle_);
  handle_ = nb;
  monochrome_ = m;
  Changed();
}

void TBitmap::Assign(const TPersistent& source) {
  auto* from = dynamic_cast<const TBitmap*>(&source);
  if (!from) return TPersistent::Assign(source);
  const TBitmap& src = *from;
  if (&src == this) return;
  Dormant();
  const_cast<TBitmap&>(src).Dormant();
  HBITMAP copy = src.handle_ ? static_cast<HBITMAP>(CopyImage(src.handle_, IMAGE_BITMAP, 0, 0, 0)) : nullptr;
  TakeBitmap(copy);
  if (!copy) {
    width_ = src.width_;
    height_ = src.height_;
    monochrome_ = src.monochrome_;
  }
  HPALETTE pal = nullptr;
  if (src.palette_) {
    WORD n = 0;
    GetObjectA(src.palette_, sizeof n, &n);
    std::string buf(sizeof(LOGPALETTE) + n * sizeof(PALETTEENTRY), '\0');
    auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = n;
    GetPaletteEntries(src.palette_, 0, n, lp->palPalEntry);
    pal = CreatePalette(lp);
  }
  if (palette_) DeleteObject(palette_);
  palette_ = pal;
  SetTransparent(src.Transparent());
  Changed();
}

void TBitmap::LoadFromResourceID(HINSTANCE inst, int id) {
  HBITMAP b = static_cast<HBITMAP>(LoadImageA(inst, MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, 0));
  if (!b) throw EResNotFound("Resource " + std::to_string(id) + " not found");
  SetHandle(b);
}

void TBitmap::LoadFromResourceName(HINSTANCE inst, const AnsiString& name) {
  HBITMAP b = static_cast<HBITMAP>(LoadImageA(inst, name.c_str(), IMAGE_BITMAP, 0, 0, 0));
  if (!b) throw EResNotFound("Resource " + name + " not found");
  SetHandle(b);
}

void TBitmap::LoadFromFile(const AnsiString& fileName) {
  HBITMAP b = static_cast<HBITMAP>(LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (!b) {
    if (GetFileAttributesA(fileName.c_str()) == INVALID_FILE_ATTRIBUTES)
      throw EFOpenError("Cannot open file " + fileName);
    throw EInvalidGraphic("Bitmap image is not valid");
  }
  SetHandle(b);
}

// Writes a bottom-up BMP of 24 bits (1 bit for a monochrome bitmap).
void TBitmap::SaveToFile(const AnsiString& fileName) {
  if (!handle_) throw EInvalidGraphicOperation("Cannot save an empty bitmap");
  Dormant();
  int bits = monochrome_ ? 1 : 24;
  int stride = ((width_ * bits + 31) / 32) * 4;
  std::string info(sizeof(BITMAPINFOHEADER) + 2 * sizeof(RGBQUAD), '\0');
  auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
  bi->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi->bmiHeader.biWidth = width_;
  bi->bmiHeader.biHeight = height_;
  bi->bmiHeader.biPlanes = 1;
  bi->bmiHeader.biBitCount = static_cast<WORD>(bits);
  bi->bmiHeader.biCompression = BI_RGB;
  std::string pixels(static_cast<size_t>(stride) * height_, '\0');
  GetDIBits(TWindowDC(nullptr), handle_, 0, height_, pixels.data(), bi, DIB_RGB_COLORS);
  int colors = monochrome_ ? 2 : 0;
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD);
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(pixels.size());
  HANDLE f = CreateFileA(fileName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) throw EFCreateError("Cannot create file " + fileName);
  DWORD n = 0;
  bool ok = WriteFile(f, &fh, sizeof fh, &n, nullptr) &&
            WriteFile(f, bi, sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD), &n, nullptr) &&
            WriteFile(f, pixels.data(), static_cast<DWORD>(pixels.size()), &n, nullptr);
  CloseHandle(f);
  if (!ok) throw EWriteError("Stream write error");
}

void TBitmap::Draw(TCanvas* c, const RECT& r) {
  if (!handle_) return;
  HDC dst = c->Handle();
  HDC src = Canvas()->Handle();
  if (palette_) {
    SelectPalette(dst, palette_, TRUE);
    RealizePalette(dst);
  }
  int w = r.right - r.left, h = r.bottom - r.top;
  if (monochrome_) {
    // Set bits in the destination's text colour, clear bits in its background colour.
    SetTextColor(dst, RGB(0, 0, 0));
    SetBkColor(dst, RGB(255, 255, 255));
  }
  SetStretchBltMode(dst, monochrome_ ? BLACKONWHITE : COLORONCOLOR);
  if (w == width_ && h == height_)
    BitBlt(dst, r.left, r.top, w, h, src, 0, 0, c->CopyMode());
  else
    StretchBlt(dst, r.left, r.top, w, h, src, 0, 0, width_, height_, c->CopyMode());
}

TColor TBitmap::TransparentColor() {
  if (!handle_ || height_ == 0) return clDefault;
  return static_cast<TColor>(GetPixel(Canvas()->Handle(), 0, height_ - 1));
}

// ---- TPicture ----------------------------------------------------------------------

void TPicture::Changed() {
  if (OnChange) OnChange(this);
}

void TPicture::SetGraphic(std::unique_ptr<TGraphic> g) {
  graphic_ = std::move(g);
  if (graphic_) graphic_->OnChange = [this](TObject*) { Changed(); };
  Changed();
}

TBitmap* TPicture::Bitmap() {
  auto* b = dynamic_cast<TBitmap*>(graphic_.get());
  if (!b) {
    SetGraphic(std::make_unique<TBitmap>());
    b = static_cast<TBitmap*>(graphic_.get());
  }
  return b;
}

void TPicture::Assign(const TPersistent& source) {
  auto* from = dynamic_cast<const TPicture*>(&source);
  if (!from) return TPersistent::Assign(source);
  const TPicture& src = *from;
  if (&src == this) return;
  if (auto* b = dynamic_cast<TBitmap*>(src.graphic_.get())) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*b);
    SetGraphic(std::move(copy));
  } else {
    SetGraphic(nullptr);
  }
}

void TPicture::LoadFromFile(const AnsiString& fileName) {
  auto b = std::make_unique<TBitmap>();
  b->LoadFromFile(fileName);
  SetGraphic(std::move(b));
}

void TPicture::SaveToFile(const AnsiString& fileName) {
  if (graphic_) graphic_->SaveToFile(fileName);
}

}  // namespace vx
