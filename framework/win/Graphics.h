// GDI objects as the controls and the viewer draw with them: colours, fonts shared by
// their LOGFONT, brushes, pens, a canvas over any DC, bitmaps and pictures.
#pragma once

#include "framework/win/WinApi.h"

#include <cstdint>
#include <memory>
#include <string>

#include "framework/core/Classes.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/TypInfo.h"

namespace vx {

VX_EXCEPTION(EInvalidGraphic, Exception);
VX_EXCEPTION(EInvalidGraphicOperation, Exception);
VX_EXCEPTION(EOutOfResources, Exception);
VX_EXCEPTION(EResNotFound, Exception);

// A colour: 0x00bbggrr, palette-relative 0x02bbggrr, or a system colour 0x80000000|index.
using TColor = int32_t;

constexpr TColor SysColor(int index) { return static_cast<TColor>(0x80000000u | static_cast<uint32_t>(index)); }
constexpr TColor clScrollBar = SysColor(COLOR_SCROLLBAR);
constexpr TColor clBackground = SysColor(COLOR_BACKGROUND);
constexpr TColor clActiveCaption = SysColor(COLOR_ACTIVECAPTION);
constexpr TColor clInactiveCaption = SysColor(COLOR_INACTIVECAPTION);
constexpr TColor clMenu = SysColor(COLOR_MENU);
constexpr TColor clWindow = SysColor(COLOR_WINDOW);
constexpr TColor clWindowFrame = SysColor(COLOR_WINDOWFRAME);
constexpr TColor clMenuText = SysColor(COLOR_MENUTEXT);
constexpr TColor clWindowText = SysColor(COLOR_WINDOWTEXT);
constexpr TColor clCaptionText = SysColor(COLOR_CAPTIONTEXT);
constexpr TColor clActiveBorder = SysColor(COLOR_ACTIVEBORDER);
constexpr TColor clInactiveBorder = SysColor(COLOR_INACTIVEBORDER);
constexpr TColor clAppWorkSpace = SysColor(COLOR_APPWORKSPACE);
constexpr TColor clHighlight = SysColor(COLOR_HIGHLIGHT);
constexpr TColor clHighlightText = SysColor(COLOR_HIGHLIGHTTEXT);
constexpr TColor clBtnFace = SysColor(COLOR_BTNFACE);
constexpr TColor clBtnShadow = SysColor(COLOR_BTNSHADOW);
constexpr TColor clGrayText = SysColor(COLOR_GRAYTEXT);
constexpr TColor clBtnText = SysColor(COLOR_BTNTEXT);
constexpr TColor clInactiveCaptionText = SysColor(COLOR_INACTIVECAPTIONTEXT);
constexpr TColor clBtnHighlight = SysColor(COLOR_BTNHIGHLIGHT);
constexpr TColor cl3DDkShadow = SysColor(COLOR_3DDKSHADOW);
constexpr TColor cl3DLight = SysColor(COLOR_3DLIGHT);
constexpr TColor clInfoText = SysColor(COLOR_INFOTEXT);
constexpr TColor clInfoBk = SysColor(COLOR_INFOBK);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value to give GDI: system colours through GetSysColor, others unchanged
// (palette-relative values keep their 0x02 flag).
COLORREF ColorToRGB(TColor c);

// Pixels per logical inch of the screen (vertical), read once.
int ScreenPixelsPerInch();
// The height of the font's characters on the screen (its text metrics' height).
int ScreenFontHeight(HFONT font);

// Base of fonts, brushes and pens: a change notice for their owner.
class TGraphicsObject : public TPersistent {
 public:
  TNotifyEvent OnChange;
  const char* ClassName() const override { return "TGraphicsObject"; }

 protected:
  virtual void Changed();
};

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = TSet<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = uint8_t;
const TTypeInfo* TypeInfoFontStyles();
const TTypeInfo* TypeInfoFontPitch();

// A font. Its HFONT is shared with every other font of the same LOGFONT and freed when
// the last of them lets it go. Size is in points, through the screen's pixels per inch.
class TFont : public TGraphicsObject {
 public:
  TFont();
  ~TFont() override;
  const char* ClassName() const override { return "TFont"; }

  void Assign(const TPersistent& src) override;
  AnsiString Name() const { return name_; }
  void SetName(const AnsiString& n);
  int Height() const { return height_; }  // negative: character height in pixels
  void SetHeight(int h);
  int Size() const;
  void SetSize(int points);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles s);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch p);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset c);
  int PixelsPerInch() const { return ppi_; }
  void SetPixelsPerInch(int ppi) { ppi_ = ppi > 0 ? ppi : ScreenPixelsPerInch(); }
  // The shared HFONT (made on first use). SetHandle takes the LOGFONT of a font.
  HFONT Handle() const;
  void SetHandle(HFONT f);
  LOGFONTA LogFont() const;
  bool operator==(const TFont& o) const;

 private:
  void Modified();
  void ReleaseHandle() const;
  AnsiString name_ = "MS Sans Serif";
  int height_;
  TColor color_ = clWindowText;
  TFontStyles style_;
  TFontPitch pitch_ = fpDefault;
  TFontCharset charset_ = DEFAULT_CHARSET;
  int ppi_;
  mutable HFONT handle_ = nullptr;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };
class TBitmap;

class TBrush : public TGraphicsObject {
 public:
  TBrush() = default;
  ~TBrush() override;
  const char* ClassName() const override { return "TBrush"; }
  void Assign(const TPersistent& src) override;
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle s);
  // A pattern bitmap (not owned); nullptr for none.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* b);
  HBRUSH Handle() const;

 private:
  void Modified();
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;
  mutable HBRUSH handle_ = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode {
  pmBlack,
  pmWhite,
  pmNop,
  pmNot,
  pmCopy,
  pmNotCopy,
  pmMergePenNot,
  pmMaskPenNot,
  pmMergeNotPen,
  pmMaskNotPen,
  pmMerge,
  pmNotMerge,
  pmMask,
  pmNotMask,
  pmXor,
  pmNotXor
};

class TPen : public TGraphicsObject {
 public:
  TPen() = default;
  ~TPen() override;
  const char* ClassName() const override { return "TPen"; }
  void Assign(const TPersistent& src) override;
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  int Width() const { return width_; }
  void SetWidth(int w);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle s);
  TPenMode Mode() const { return mode_; }
  void SetMode(TPenMode m);
  HPEN Handle() const;

 private:
  void Modified();
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  TPenMode mode_ = pmCopy;
  mutable HPEN handle_ = nullptr;
};

class TGraphic;

// Drawing on a device context. The DC is borrowed (SetHandle) or made by a subclass
// (CreateHandle); font, brush and pen are selected lazily and deselected before the
// DC is let go, so a borrowed DC is handed back as it was.
class TCanvas : public TObject {
 public:
  TCanvas();
  ~TCanvas() override;
  const char* ClassName() const override { return "TCanvas"; }

  HDC Handle();
  void SetHandle(HDC dc);
  bool HandleAllocated() const { return dc_ != nullptr; }
  TFont* Font() { return &font_; }
  TBrush* Brush() { return &brush_; }
  TPen* Pen() { return &pen_; }
  void SetFont(const TFont& f) { font_.Assign(f); }

  void TextOut(int x, int y, const AnsiString& text);
  void TextRect(const RECT& r, int x, int y, const AnsiString& text);
  // DrawText with the canvas's font (DT_ flags); returns the text height.
  int DrawText(const AnsiString& text, RECT& r, UINT flags);
  SIZE TextExtent(const AnsiString& text);
  int TextWidth(const AnsiString& text) { return TextExtent(text).cx; }
  int TextHeight(const AnsiString& text) { return TextExtent(text).cy; }
  void FillRect(const RECT& r);
  void FrameRect(const RECT& r);
  void DrawFocusRect(const RECT& r);
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int x3, int y3);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void Polygon(const POINT* pts, int count);
  void Polyline(const POINT* pts, int count);
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  POINT PenPos();
  void Draw(int x, int y, TGraphic* g);
  void StretchDraw(const RECT& r, TGraphic* g);
  void CopyRect(const RECT& dest, TCanvas* src, const RECT& source);
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD rop) { copyMode_ = rop; }
  TColor Pixels(int x, int y);
  void SetPixels(int x, int y, TColor c);
  RECT ClipRect();
  void Refresh();  // deselect everything so the next call selects afresh
  void Lock() { ++lock_; }
  void Unlock() {
    if (lock_ > 0) --lock_;
  }
  bool Locked() const { return lock_ > 0; }

 protected:
  virtual void CreateHandle() {}
  // Gives up the DC: objects are deselected first.
  void ReleaseDC();
  enum { csHandle = 1, csFont = 2, csPen = 4, csBrush = 8 };
  // Makes the DC and selects what a drawing call needs (a printer's canvas checks first).
  virtual void RequireState(int state);

 private:
  void DeselectAll();
  HDC dc_ = nullptr;
  int state_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldPen_ = nullptr, oldBrush_ = nullptr;
  TFont font_;
  TBrush brush_;
  TPen pen_;
  DWORD copyMode_ = SRCCOPY;
  int lock_ = 0;
};

// A picture of some kind that can draw itself on a canvas.
class TGraphic : public TPersistent {
 public:
  TNotifyEvent OnChange;
  const char* ClassName() const override { return "TGraphic"; }
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int w) = 0;
  virtual void SetHeight(int h) = 0;
  virtual bool Empty() const = 0;
  virtual void Draw(TCanvas* c, const RECT& r) = 0;
  virtual void LoadFromFile(const AnsiString& fileName) = 0;
  virtual void SaveToFile(const AnsiString& fileName) = 0;
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool t) {
    if (t != transparent_) {
      transparent_ = t;
      Changed();
    }
  }

 protected:
  virtual void Changed() {
    if (OnChange) OnChange(this);
  }

 private:
  bool transparent_ = false;
};

// The canvas of a bitmap: a memory DC compatible with the screen that holds it selected.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap* b) : bitmap_(b) {}
  ~TBitmapCanvas() override;
  const char* ClassName() const override { return "TBitmapCanvas"; }
  void FreeContext();

 protected:
  void CreateHandle() override;

 private:
  friend class TBitmap;
  TBitmap* bitmap_;
  HDC memDC_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  HGDIOBJ oldPalette_ = nullptr;
};

// A device-dependent bitmap with an optional palette; monochrome or of the screen's depth.
class TBitmap : public TGraphic {
 public:
  TBitmap();
  ~TBitmap() override;
  const char* ClassName() const override { return "TBitmap"; }

  void Assign(const TPersistent& src) override;
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetWidth(int w) override { SetSize(w, height_); }
  void SetHeight(int h) override { SetSize(width_, h); }
  void SetSize(int w, int h);
  bool Empty() const override { return handle_ == nullptr; }
  bool Monochrome() const { return monochrome_; }
  void SetMonochrome(bool m);
  HBITMAP Handle();
  // Takes ownership of the bitmap.
  void SetHandle(HBITMAP b);
  HPALETTE Palette() const { return palette_; }
  // Takes ownership of the palette.
  void SetPalette(HPALETTE p);
  TCanvas* Canvas();
  void LoadFromResourceID(HINSTANCE inst, int id);
  void LoadFromResourceName(HINSTANCE inst, const AnsiString& name);
  void LoadFromFile(const AnsiString& fileName) override;
  void SaveToFile(const AnsiString& fileName) override;
  void Draw(TCanvas* c, const RECT& r) override;
  void Dormant();           // lets the canvas's memory DC go; the image stays
  void FreeImage();         // forgets the image
  HBITMAP ReleaseHandle();  // hands the bitmap to the caller, who must delete it
  HPALETTE ReleasePalette();
  // The colour of the bottom-left pixel: the colour a glyph leaves out when drawn.
  TColor TransparentColor();
  void Changed() override;

 private:
  friend class TBitmapCanvas;
  void TakeBitmap(HBITMAP b);
  HBITMAP handle_ = nullptr;
  HPALETTE palette_ = nullptr;
  int width_ = 0, height_ = 0;
  bool monochrome_ = false;
  std::unique_ptr<TBitmapCanvas> canvas_;
};

// Holder of one graphic (a bitmap here); loading picks the kind by extension.
class TPicture : public TPersistent {
 public:
  TPicture() = default;
  ~TPicture() override = default;
  const char* ClassName() const override { return "TPicture"; }
  TNotifyEvent OnChange;
  TGraphic* Graphic() const { return graphic_.get(); }
  void SetGraphic(std::unique_ptr<TGraphic> g);
  // The graphic as a bitmap; when it holds none, an empty bitmap is made.
  TBitmap* Bitmap();
  void Assign(const TPersistent& src) override;
  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName);
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

 private:
  void Changed();
  std::unique_ptr<TGraphic> graphic_;
};

// Draws a 3-D frame of the given width inside r (top-left colour, bottom-right colour)
// and shrinks r by it.
void Frame3D(TCanvas* canvas, RECT& r, TColor topColor, TColor bottomColor, int width);

// A canvas on the whole screen.
class TScreenCanvas : public TCanvas {
 public:
  ~TScreenCanvas() override;
  const char* ClassName() const override { return "TScreenCanvas"; }

 protected:
  void CreateHandle() override;

 private:
  HDC screenDC_ = nullptr;
};

}  // namespace vx
