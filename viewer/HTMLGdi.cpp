#include "viewer/HTMLGdi.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "viewer/DLLINT32.h"

namespace vx {

COLORREF HtColorRef(THtColor c) {
  if (htc::IsSystem(c)) return GetSysColor(c & 0xFF) | (c & htc::PaletteRelative);
  return static_cast<COLORREF>(c);
}

TViewImagePtr WrapBitmap(std::unique_ptr<TBitmap> b) {
  if (!b || b->Empty()) return nullptr;
  return std::make_shared<TGdiImage>(std::move(b));
}

static TBitmap& BitmapOf(const TViewImage& img) { return *static_cast<const TGdiImage&>(img).Bitmap; }

// ---------------------------------------------------------------- device-independent copies
bool MakeDibCopy(TBitmap& bmp, TDibCopy& out) {
  bmp.Dormant();
  HBITMAP h = bmp.Handle();
  BITMAP bm{};
  if (!h || !GetObjectA(h, sizeof bm, &bm)) return false;
  int bits = DibBitsPerPixel(bm.bmPlanes, bm.bmBitsPixel);
  std::uint64_t size = 0;
  if (!DibImageSize(bm.bmWidth, bm.bmHeight, bits, size)) return false;
  // Room for the header and a full colour table: GetDIBits writes one for 8 bits and fewer.
  out.Info.assign(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD), 0);
  BITMAPINFOHEADER& hd = out.Header()->bmiHeader;
  hd.biSize = sizeof(BITMAPINFOHEADER);
  hd.biWidth = bm.bmWidth;
  hd.biHeight = bm.bmHeight;
  hd.biPlanes = 1;
  hd.biBitCount = static_cast<WORD>(bits);
  hd.biCompression = BI_RGB;
  hd.biSizeImage = static_cast<DWORD>(size);
  out.Bits.assign(static_cast<size_t>(size), 0);
  int rows = 0;
  {
    TOwnedDC mem(CreateCompatibleDC(nullptr));
    TSelectedPalette selectPal(mem, bmp.Palette(), false);
    if (bmp.Palette()) RealizePalette(mem);
    rows = GetDIBits(mem, h, 0, bm.bmHeight, out.Bits.data(), out.Header(), DIB_RGB_COLORS);
  }
  if (rows == 0) {
    out.Bits.clear();
    out.Bits.shrink_to_fit();
    throw Exception("Out of memory");
  }
  return true;
}

static void StretchDib(HDC dc, TBitmap& bmp, int x, int y, int w, int h, DWORD rop) {
  TDibCopy dib;
  if (!MakeDibCopy(bmp, dib)) return;
  TSelectedPalette selectPal(dc, bmp.Palette(), true);
  if (bmp.Palette()) RealizePalette(dc);
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, x, y, w, h, 0, 0, bmp.Width(), bmp.Height(), dib.Bits.data(), dib.Header(), DIB_RGB_COLORS, rop);
}

void DrawTransparentImage(HDC dc, TBitmap& image, TBitmap& mask, int h, int w, int y, int x) {
  if (GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) == 1) return;
  int bw = image.Width(), bh = image.Height();
  mask.Dormant();
  image.Dormant();
  TOwnedDC maskDC(CreateCompatibleDC(dc));
  TSelected selectMask(maskDC, mask.Handle());
  COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255)), oldText = SetTextColor(dc, RGB(0, 0, 0));
  int oldMode = SetStretchBltMode(dc, WHITEONBLACK);
  StretchBlt(dc, x, y, w, h, maskDC, 0, 0, bw, bh, SRCAND);
  SetStretchBltMode(dc, oldMode);
  SetBkColor(dc, oldBk);
  SetTextColor(dc, oldText);
  // A copy of the picture with its transparent parts black: the cached picture stays whole.
  HBITMAP copy = CreateCompatibleBitmap(TWindowDC(nullptr), bw, bh);
  if (copy) {
    {
      TOwnedDC imgDC(CreateCompatibleDC(dc)), copyDC(CreateCompatibleDC(dc));
      TSelected selectImg(imgDC, image.Handle()), selectCopy(copyDC, copy);
      BitBlt(copyDC, 0, 0, bw, bh, imgDC, 0, 0, SRCCOPY);
      BitBlt(copyDC, 0, 0, bw, bh, maskDC, 0, 0, 0x00220326);  // dest AND NOT mask
    }
    auto tmp = std::make_unique<TBitmap>();
    tmp->SetHandle(copy);
    StretchDib(dc, *tmp, x, y, w, h, SRCPAINT);
  }
}

std::unique_ptr<TBitmap> MakeTransparencyMask(TBitmap& bmp, bool fromColor, THtColor color) {
  try {
    int w = bmp.Width(), h = bmp.Height();
    if (w <= 0 || h <= 0) return nullptr;
    bmp.Dormant();
    HBITMAP mono = nullptr;
    {
      TOwnedDC src(CreateCompatibleDC(nullptr));
      TSelected selectSrc(src, bmp.Handle());
      TSelectedPalette selectPal(src, bmp.Palette(), false);
      if (bmp.Palette()) RealizePalette(src);
      COLORREF c = fromColor ? static_cast<COLORREF>(color) : GetPixel(src, 0, h - 1);
      mono = CreateBitmap(w, h, 1, 1, nullptr);
      if (mono) {
        TOwnedDC dst(CreateCompatibleDC(nullptr));
        TSelected selectDst(dst, mono);
        SetBkColor(src, c | htc::PaletteRelative);
        BitBlt(dst, 0, 0, w, h, src, 0, 0, SRCCOPY);
      }
    }
    if (!mono) return nullptr;
    auto m = std::make_unique<TBitmap>();
    m->SetHandle(mono);
    return m;
  } catch (...) {
    return nullptr;
  }
}

HPALETTE CreateViewerPalette(HDC dc) {
  std::vector<unsigned char> buf(sizeof(LOGPALETTE) + 256 * sizeof(PALETTEENTRY), 0);
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = 256;
  GetSystemPaletteEntries(dc, 0, 256, lp->palPalEntry);
  TPalEntry e[256];
  for (int i = 0; i < 256; ++i)
    e[i] = {lp->palPalEntry[i].peRed, lp->palPalEntry[i].peGreen, lp->palPalEntry[i].peBlue};
  BuildViewerPaletteEntries(e);
  for (int i = 0; i < 256; ++i) lp->palPalEntry[i] = {e[i].R, e[i].G, e[i].B, 0};
  return CreatePalette(lp);
}

// ---------------------------------------------------------------- the image unit
int DisplayDepthOf(HDC dc) {
  int bits = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES);
  return bits <= 4 ? 4 : bits < 16 ? 8 : 24;
}

static TViewImagePtr DrawnPlaceholder(int w, int h, COLORREF c) {
  auto b = std::make_unique<TBitmap>();
  b->SetSize(w, h);
  TCanvas* cv = b->Canvas();
  RECT r{0, 0, w, h};
  HBRUSH br = CreateSolidBrush(c);
  ::FillRect(cv->Handle(), &r, br);
  DeleteObject(br);
  b->Dormant();
  return WrapBitmap(std::move(b));
}

TImageUnit& ImageUnit() {
  static TImageUnit* unit = [] {
    auto* u = new TImageUnit;
    {
      TWindowDC dc(nullptr);
      u->ColorDepth = DisplayDepthOf(dc);
      if (u->ColorDepth == 8) u->Palette = CreateViewerPalette(dc);
    }
    HINSTANCE inst = GetModuleHandleA(nullptr);
    for (int id : {1001, 1002}) {
      TViewImagePtr img;
      try {
        auto b = std::make_unique<TBitmap>();
        b->LoadFromResourceID(inst, id);
        img = WrapBitmap(std::move(b));
      } catch (...) {}
      if (!img) img = DrawnPlaceholder(id == 1001 ? 16 : 20, id == 1001 ? 16 : 22, RGB(192, 192, 192));
      (id == 1001 ? u->ErrorImage : u->OffImage) = img;
    }
    u->LinkCursor = LoadCursorA(inst, MAKEINTRESOURCEA(1003));
    if (!u->LinkCursor) u->LinkCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));  // the system's hand
    if (Screen) Screen->SetCursors(1, u->LinkCursor);
    return u;
  }();
  return *unit;
}

int __stdcall ImageProgressCallback() {
  try {
    if (Application) {
      if (Application->Terminated()) return 0;
      Application->ProcessMessages();
      return Application->Terminated() ? 0 : 1;
    }
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));
        return 0;
      }
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    return 1;
  } catch (...) {
    return 0;
  }
}

// The outside image reader, asked for the screen's depth with the viewer palette.
static std::function<bool(const std::string&, TBitmap&)> Reader(bool (*f)(const AnsiString&, int, int,
                                                                          TImageProgressCallback, TBitmap&, HPALETTE)) {
  return [f](const std::string& file, TBitmap& out) {
    TImageUnit& u = ImageUnit();
    return f(file, u.ColorDepth, u.Dither, &ImageProgressCallback, out, u.Palette);
  };
}

TImageReaders& ImageReaders() {
  static TImageReaders r{Reader(&ReadJpegImage), Reader(&ReadGifImage), Reader(&ReadBmpImage), Reader(&ReadPngImage)};
  return r;
}

std::unique_ptr<TBitmap> LoadImageByExtension(const std::string& fileName) {
  try {
    std::string ext = HtLowerCase(ExtractFileExt(fileName)).substr(0, 5);
    auto b = std::make_unique<TBitmap>();
    TImageReaders& r = ImageReaders();
    auto viaReader = [&](const std::function<bool(const std::string&, TBitmap&)>& f) -> std::unique_ptr<TBitmap> {
      if (f && f(fileName, *b) && !b->Empty()) return std::move(b);
      return nullptr;
    };
    if (ext == ".gif") return viaReader(r.Gif);
    if (ext == ".png") return viaReader(r.Png);
    if (ext == ".jpg" || ext == ".jpeg") return viaReader(r.Jpeg);
    if (ext == ".bmp") {
      try {
        if (r.Bmp && r.Bmp(fileName, *b) && !b->Empty()) return b;
      } catch (...) {}
      b = std::make_unique<TBitmap>();
      b->LoadFromFile(fileName);
      return b->Empty() ? nullptr : std::move(b);
    }
    return nullptr;
  } catch (...) {
    return nullptr;
  }
}

std::unique_ptr<TBitmap> LoadImageWithMask(const std::string& fileName, int& transparency,
                                           std::unique_ptr<TBitmap>& mask) {
  mask.reset();
  try {
    if (!FileExists(fileName)) return nullptr;
    THtColor gifColor = 0;
    if (HtLowerCase(ExtractFileExt(fileName)) == ".gif" && ReadGifTransparentColor(fileName, gifColor))
      transparency = 2;
    if (transparency == 0) return LoadImageByExtension(fileName);
    // The mask is made from a copy decoded without the viewer palette.
    TImageUnit& u = ImageUnit();
    HPALETTE saved = u.Palette;
    u.Palette = nullptr;
    std::unique_ptr<TBitmap> first;
    try {
      first = LoadImageByExtension(fileName);
    } catch (...) {}
    u.Palette = saved;
    if (!first) return nullptr;
    mask = MakeTransparencyMask(*first, transparency == 2, gifColor);
    first.reset();
    if (!mask) return nullptr;
    return LoadImageByExtension(fileName);
  } catch (...) {
    mask.reset();
    return nullptr;
  }
}

TViewImagePtr TGdiImageServices::LoadImageWithMask(const std::string& file, int& transparency, TViewImagePtr& mask) {
  std::unique_ptr<TBitmap> m;
  auto b = vx::LoadImageWithMask(file, transparency, m);
  mask = WrapBitmap(std::move(m));
  return WrapBitmap(std::move(b));
}

TViewImagePtr TGdiImageServices::MakeTransparencyMask(const TViewImage& bmp, bool fromColor, THtColor color) {
  return WrapBitmap(vx::MakeTransparencyMask(BitmapOf(bmp), fromColor, color));
}

TGdiImageServices& GdiImageServices() {
  static TGdiImageServices s;
  return s;
}

// ---------------------------------------------------------------- the canvas
static std::string FontKey(const TMyFont& f) {
  return f.Name + "|" + std::to_string(f.Size) + "|" + std::to_string(f.Style);
}

// Fonts of the whole program, shared by their key; their handles are shared by LOGFONT.
static TFont& SharedFont(const TMyFont& f) {
  static std::map<std::string, std::unique_ptr<TFont>> fonts;
  auto& p = fonts[FontKey(f)];
  if (!p) {
    p = std::make_unique<TFont>();
    p->SetName(f.Name);
    p->SetSize(std::max(1, f.Size));
    TFontStyles s;
    if (f.Style & htBold) s.Include(fsBold);
    if (f.Style & htItalic) s.Include(fsItalic);
    if (f.Style & htUnderline) s.Include(fsUnderline);
    if (f.Style & htStrikeOut) s.Include(fsStrikeOut);
    p->SetStyle(s);
  }
  return *p;
}

TGdiViewCanvas::TGdiViewCanvas(HDC dc, bool palette) : dc_(dc) {
  if (palette && ImageUnit().Palette) {
    oldPalette_ = SelectPalette(dc_, ImageUnit().Palette, TRUE);
    RealizePalette(dc_);
  }
}

TGdiViewCanvas::~TGdiViewCanvas() {
  if (stateSaved_) {
    SetTextAlign(dc_, oldAlign_);
    SetBkMode(dc_, oldBkMode_);
  }
  if (oldFont_) SelectObject(dc_, oldFont_);
  if (oldPalette_) SelectPalette(dc_, oldPalette_, TRUE);
}

bool PutTextOnClipboard(const std::string& text, HWND owner) {
  if (!OpenClipboard(owner)) return false;
  bool ok = false;
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (g) {
    if (void* p = GlobalLock(g)) {
      memcpy(p, text.c_str(), text.size() + 1);
      GlobalUnlock(g);
      ok = SetClipboardData(CF_TEXT, g) != nullptr;
    }
    if (!ok) GlobalFree(g);
  }
  CloseClipboard();
  return ok;
}

void ShowProcessError(const std::string& message) {
  if (Application) {
    Application->MessageBox(message, "Error", MB_ICONERROR | MB_OK);
    return;
  }
  MessageBoxA(GetActiveWindow(), message.c_str(), "Error", MB_ICONERROR | MB_OK);
}

TGdiViewCanvas::TFontInfo& TGdiViewCanvas::Info(const TMyFont& f) {
  for (auto& r : recent_)
    if (r.Size == f.Size && r.Style == f.Style && r.Name == f.Name) return *r.Info;
  std::string key = FontKey(f);
  TFontInfo& fi = fonts_[key];
  if (fi.Key.empty()) fi.Key = key;
  if (recent_.size() >= 16) recent_.erase(recent_.begin());
  recent_.push_back(TRecent{f.Name, f.Size, f.Style, &fi});
  return fi;
}

void TGdiViewCanvas::Select(const TMyFont& f) {
  TFontInfo& fi = Info(f);
  if (fi.Key == selected_) return;
  HGDIOBJ old = SelectObject(dc_, SharedFont(f).Handle());
  if (!oldFont_) oldFont_ = old;
  selected_ = fi.Key;
}

THtMetrics TGdiViewCanvas::Metrics(const TMyFont& f) {
  TFontInfo& fi = Info(f);
  if (fi.HasMetrics) return fi.Metrics;
  Select(f);
  TEXTMETRICA tm{};
  GetTextMetricsA(dc_, &tm);
  THtMetrics& m = fi.Metrics;
  m.Height = tm.tmHeight;
  m.Ascent = tm.tmAscent;
  m.Descent = tm.tmDescent;
  m.ExternalLeading = tm.tmExternalLeading;
  m.Overhang = tm.tmOverhang;
  fi.HasMetrics = true;
  return m;
}

// Whether the system draws the face in black and white: without font smoothing, or with
// standard smoothing where the face's own table (gasp) asks for none at this size, as
// faces do for their small sizes.
static bool DrawnInBlackAndWhite(HDC dc, const TEXTMETRICA& tm) {
  BOOL smooth = FALSE;
  if (!SystemParametersInfoA(SPI_GETFONTSMOOTHING, 0, &smooth, 0) || !smooth) return true;
  UINT type = 0;
  if (SystemParametersInfoA(SPI_GETFONTSMOOTHINGTYPE, 0, &type, 0) && type == FE_FONTSMOOTHINGCLEARTYPE) return false;
  const DWORD gaspTag = 0x70736167;  // "gasp" as the file holds it
  DWORD size = GetFontData(dc, gaspTag, 0, nullptr, 0);
  if (size == GDI_ERROR || size < 4 || size > 4096) return false;
  std::vector<unsigned char> t(size);
  if (GetFontData(dc, gaspTag, 0, t.data(), size) != size) return false;
  int ppem = tm.tmHeight - tm.tmInternalLeading;
  int ranges = t[2] << 8 | t[3];
  for (int i = 0; i < ranges && 8 + 4 * static_cast<size_t>(i) <= size; ++i) {
    const unsigned char* r = &t[4 + 4 * static_cast<size_t>(i)];
    if (ppem <= (r[0] << 8 | r[1])) return (r[3] & 2) == 0;  // no grey at this size
  }
  return false;
}

// Layout measures the same fonts thousands of times; asking the system each time is the
// slowest part of it. Where the characters' widths add up to the text's (a scalable font on
// an unscaled surface) they are summed here; otherwise the system measures.
TGdiViewCanvas::TFontInfo& TGdiViewCanvas::Widths(const TMyFont& f) {
  TFontInfo& fi = Info(f);
  if (!fi.WidthsTried) {
    fi.WidthsTried = true;
    Select(f);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc_, &tm);
    if (GetMapMode(dc_) == MM_TEXT && tm.tmOverhang == 0 && (tm.tmPitchAndFamily & TMPF_TRUETYPE) &&
        GetCharWidth32A(dc_, 0, 255, fi.Widths)) {
      // Trust the table only when it agrees with the system on a sample.
      static const char kSample[] = "The quick brown fox, 0123456789; WAVE Ty.";
      int sum = 0;
      for (const char* p = kSample; *p; ++p) sum += fi.Widths[static_cast<unsigned char>(*p)];
      SIZE sz{};
      GetTextExtentPoint32A(dc_, kSample, static_cast<int>(sizeof kSample - 1), &sz);
      fi.HasWidths = sz.cx == sum;
      if (fi.HasWidths && DrawnInBlackAndWhite(dc_, tm)) DrawnWidths(fi);
    }
  }
  return fi;
}

// Drawn in black and white, a small face is hinted to other advances than the system
// reports for it (Wine at 8 pt: 'w' measured 8 pixels, drawn 11 wide on an advance of 10),
// so a wide glyph covers the blank after it and words run together. The widths are then
// those of the glyphs as drawn. Kept for the program: finding them asks for every glyph.
void TGdiViewCanvas::DrawnWidths(TFontInfo& fi) {
  static std::map<std::string, std::array<int, 256>> drawn;
  std::string key = fi.Key + "|" + std::to_string(GetDeviceCaps(dc_, LOGPIXELSY));
  auto it = drawn.find(key);
  if (it == drawn.end()) {
    std::array<int, 256> w;
    static const MAT2 identity{{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    for (int ch = 0; ch < 256; ++ch) {
      GLYPHMETRICS gm{};
      w[ch] = GetGlyphOutlineA(dc_, static_cast<UINT>(ch), GGO_BITMAP, &gm, 0, nullptr, &identity) == GDI_ERROR
                  ? fi.Widths[ch]
                  : gm.gmCellIncX;
    }
    it = drawn.emplace(key, w).first;
  }
  std::copy(it->second.begin(), it->second.end(), fi.Widths);
}

bool TGdiViewCanvas::Measured(const TFontInfo& fi, const char* s, int n) const {
  return measuredFont_ == &fi && static_cast<int>(measuredText_.size()) >= n && n > 0 &&
         measuredText_.compare(0, static_cast<size_t>(n), s, static_cast<size_t>(n)) == 0;
}

int TGdiViewCanvas::TextExtent(const TMyFont& f, const char* s, int n) {
  if (n <= 0) return 0;
  TFontInfo& fi = Widths(f);
  if (fi.HasWidths) {
    int w = 0;
    for (int i = 0; i < n; ++i) w += fi.Widths[static_cast<unsigned char>(s[i])];
    return w;
  }
  if (!Measured(fi, s, n)) {
    Select(f);
    measuredFont_ = nullptr;
    measuredPos_.resize(static_cast<size_t>(n));
    SIZE sz{};
    if (!GetTextExtentExPointA(dc_, s, n, 0, nullptr, measuredPos_.data(), &sz)) return 0;
    measuredFont_ = &fi;
    measuredText_.assign(s, static_cast<size_t>(n));
  }
  return measuredPos_[static_cast<size_t>(n) - 1];
}

// A line's worth of text is found in one call to the system where it measures: asked how
// much fits, it answers with the positions of what does.
int TGdiViewCanvas::TextFit(const TMyFont& f, const char* s, int n, int room) {
  if (n <= 0 || room < 0) return 0;
  TFontInfo& fi = Widths(f);
  if (fi.HasWidths) {
    int w = 0;
    for (int i = 0; i < n; ++i) {
      w += fi.Widths[static_cast<unsigned char>(s[i])];
      if (w > room) return i;
    }
    return n;
  }
  Select(f);
  // Growing bounds, so a long text is never measured whole for a short line.
  for (int m = std::min(n, 64);; m = std::min(n, m * 4)) {
    measuredFont_ = nullptr;
    measuredPos_.assign(static_cast<size_t>(m), 0);
    INT fit = 0;
    SIZE sz{};
    if (!GetTextExtentExPointA(dc_, s, m, room, &fit, measuredPos_.data(), &sz))
      return TViewCanvas::TextFit(f, s, n, room);
    fit = std::clamp<INT>(fit, 0, m);
    if (fit > 0) {
      // The positions hold for what fitted.
      measuredFont_ = &fi;
      measuredText_.assign(s, static_cast<size_t>(fit));
    }
    if (fit < m || m == n) return fit;
  }
}

void TGdiViewCanvas::TextState(THtColor color, THtColor back) {
  if (!stateSaved_) {
    oldAlign_ = SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
    oldBkMode_ = GetBkMode(dc_);
    bkMode_ = oldBkMode_;
    stateSaved_ = true;
  }
  COLORREF fg = HtColorRef(color);
  if (fg != textColor_) {
    SetTextColor(dc_, fg);
    textColor_ = fg;
  }
  int mode = back == htc::None ? TRANSPARENT : OPAQUE;
  if (mode != bkMode_) {
    SetBkMode(dc_, mode);
    bkMode_ = mode;
  }
  if (mode == OPAQUE) {
    COLORREF bk = HtColorRef(back);
    if (bk != bkColor_) {
      SetBkColor(dc_, bk);
      bkColor_ = bk;
    }
  }
}

void TGdiViewCanvas::TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
                             const THtRect* clip) {
  if (n <= 0) return;
  TFontInfo& fi = Widths(f);
  Select(f);
  TextState(color, back);
  RECT r{};
  if (clip) r = {clip->Left, clip->Top, clip->Right, clip->Bottom};
  // Each character goes where measuring put it: Wine can draw a scaled face narrower than
  // it measures, which would open gaps between runs and misplace selections.
  std::vector<INT> dx(static_cast<size_t>(n));
  bool placed = false;
  if (fi.HasWidths) {
    for (int i = 0; i < n; ++i) dx[i] = fi.Widths[static_cast<unsigned char>(s[i])];
    placed = true;
  } else {
    TextExtent(f, s, n);  // the positions, unless the system could not measure
    if (Measured(fi, s, n)) {
      for (int i = 0; i < n; ++i) dx[i] = measuredPos_[i];
      for (int i = n - 1; i > 0; --i) dx[i] -= dx[i - 1];
      placed = true;
    }
  }
  ExtTextOutA(dc_, x, baseline, clip ? ETO_CLIPPED : 0, clip ? &r : nullptr, s, static_cast<UINT>(n),
              placed ? dx.data() : nullptr);
}

void TGdiViewCanvas::FillRect(const THtRect& r, THtColor c) {
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  HBRUSH b = CreateSolidBrush(HtColorRef(c));
  ::FillRect(dc_, &rr, b);
  DeleteObject(b);
}

void TGdiViewCanvas::Line(int x1, int y1, int x2, int y2, THtColor c) {
  TOwnedPen p(CreatePen(PS_SOLID, 1, HtColorRef(c)));
  TSelected select(dc_, p);
  MoveToEx(dc_, x1, y1, nullptr);
  LineTo(dc_, x2, y2);
}

void TGdiViewCanvas::Ellipse(const THtRect& r, THtColor pen, THtColor back) {
  TOwnedPen p(CreatePen(PS_SOLID, 1, HtColorRef(pen)));
  TOwnedBrush own(back == htc::None ? nullptr : CreateSolidBrush(HtColorRef(back)));
  TSelected selectPen(dc_, p), selectBrush(dc_, own ? static_cast<HGDIOBJ>(own) : GetStockObject(NULL_BRUSH));
  ::Ellipse(dc_, r.Left, r.Top, r.Right, r.Bottom);
}

void TGdiViewCanvas::FrameRect(const THtRect& r, THtColor c) {
  RECT rr{r.Left, r.Top, r.Right, r.Bottom};
  HBRUSH b = CreateSolidBrush(HtColorRef(c));
  ::FrameRect(dc_, &rr, b);
  DeleteObject(b);
}

void TGdiViewCanvas::FillAreaMinus(const THtRect& a, const std::vector<THtRect>& holes, THtColor c) {
  HRGN rgn = CreateRectRgn(a.Left, a.Top, a.Right, a.Bottom);
  for (auto& h : holes) {
    HRGN hr = CreateRectRgn(h.Left, h.Top, h.Right, h.Bottom);
    CombineRgn(rgn, rgn, hr, RGN_DIFF);
    DeleteObject(hr);
  }
  HBRUSH b = CreateSolidBrush(HtColorRef(c));
  FillRgn(dc_, rgn, b);
  DeleteObject(b);
  DeleteObject(rgn);
}

void TGdiViewCanvas::DrawImage(const TViewImage& image, const TViewImage* mask, int x, int y, int w, int h,
                               bool printing) {
  try {
    TBitmap& bmp = BitmapOf(image);
    if (printing) {
      StretchDib(dc_, bmp, x, y, w, h, SRCCOPY);
      if (mask) StretchDib(dc_, BitmapOf(*mask), x, y, w, h, SRCPAINT);  // transparent parts white
    } else if (mask) {
      DrawTransparentImage(dc_, bmp, BitmapOf(*mask), h, w, y, x);
    } else {
      StretchDib(dc_, bmp, x, y, w, h, SRCCOPY);
    }
  } catch (...) {
    // Painting failures leave the place empty.
  }
}

}  // namespace vx
