// The document model on Windows: a drawing surface over a device context, pictures held in
// bitmaps, image loading with transparency masks, the viewer palette and the resources.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/win/Graphics.h"
#include "viewer/HTMLSubs.h"

namespace vx {

// A picture of the model held in a framework bitmap (a mask is a monochrome one).
class TGdiImage : public TViewImage {
 public:
  explicit TGdiImage(std::unique_ptr<TBitmap> b) : Bitmap(std::move(b)) {}
  int Width() const override { return Bitmap->Width(); }
  int Height() const override { return Bitmap->Height(); }
  std::unique_ptr<TBitmap> Bitmap;
};
// Wraps a bitmap (say one an image request event returns) for the model; the model owns it.
TViewImagePtr WrapBitmap(std::unique_ptr<TBitmap> b);

// A device-independent copy of a bitmap: header with room for a full colour table, and rows.
struct TDibCopy {
  std::vector<unsigned char> Info;
  std::vector<unsigned char> Bits;
  BITMAPINFO* Header() { return reinterpret_cast<BITMAPINFO*>(Info.data()); }
};
// Raises EOutOfMemory-like Exception "Out of memory" when no rows can be had; false for an
// empty or absurd bitmap.
bool MakeDibCopy(TBitmap& bmp, TDibCopy& out);

// Draws the picture where the mask is black, leaving the rest of the destination as it was.
// The cached picture itself is never changed.
void DrawTransparentImage(HDC dc, TBitmap& image, TBitmap& mask, int h, int w, int y, int x);
// A monochrome mask: white where the picture has the colour (lower-left pixel's colour when
// fromColor is false), black elsewhere; nullptr when it cannot be made.
std::unique_ptr<TBitmap> MakeTransparencyMask(TBitmap& bmp, bool fromColor, THtColor color);

HPALETTE CreateViewerPalette(HDC dc);

// The state shared by every viewer: screen depth, dither, palette, placeholders, link cursor.
struct TImageUnit {
  int ColorDepth = 24;
  int Dither = 1;
  HPALETTE Palette = nullptr;
  TViewImagePtr ErrorImage, OffImage;
  HCURSOR LinkCursor = nullptr;
};
// Set up once, before the first viewer (and before an image dialog loads a picture).
TImageUnit& ImageUnit();
int DisplayDepthOf(HDC dc);
// Lets the application process its messages while a picture decodes; 0 once it is quitting.
int __stdcall ImageProgressCallback();

// The decoders of the outside image reader; a missing one counts as a failed decode.
struct TImageReaders {
  std::function<bool(const std::string&file, TBitmap&out)> Jpeg, Gif, Bmp, Png;
};
TImageReaders& ImageReaders();

// A new bitmap of the file by its extension (.bmp, .gif, .png, .jpg, .jpeg), or nullptr.
std::unique_ptr<TBitmap> LoadImageByExtension(const std::string& fileName);
std::unique_ptr<TBitmap> LoadImageWithMask(const std::string& fileName, int& transparency,
                                           std::unique_ptr<TBitmap>& mask);

class TGdiImageServices : public TImageServices {
 public:
  TViewImagePtr LoadImageWithMask(const std::string& file, int& transparency, TViewImagePtr& mask) override;
  TViewImagePtr MakeTransparencyMask(const TViewImage& bmp, bool fromColor, THtColor color) override;
  TViewImagePtr ErrorImage() override { return ImageUnit().ErrorImage; }
  TViewImagePtr OffImage() override { return ImageUnit().OffImage; }
};
TGdiImageServices& GdiImageServices();

// The model's drawing surface on a device context. Fonts are shared by the whole program.
class TGdiViewCanvas : public TViewCanvas {
 public:
  // palette: the viewer palette (when the screen has one) is selected as a background
  // palette and realised for the canvas's life, as painting the document wants.
  explicit TGdiViewCanvas(HDC dc, bool palette = false);
  ~TGdiViewCanvas() override;
  HDC Handle() const { return dc_; }
  THtMetrics Metrics(const TMyFont& f) override;
  int TextExtent(const TMyFont& f, const char* s, int n) override;
  int TextFit(const TMyFont& f, const char* s, int n, int room) override;
  void TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
               const THtRect* clip) override;
  void FillRect(const THtRect& r, THtColor c) override;
  void Line(int x1, int y1, int x2, int y2, THtColor c) override;
  void Ellipse(const THtRect& r, THtColor pen, THtColor back) override;
  void FrameRect(const THtRect& r, THtColor c) override;
  void FillAreaMinus(const THtRect& area, const std::vector<THtRect>& holes, THtColor c) override;
  void DrawImage(const TViewImage& image, const TViewImage* mask, int x, int y, int w, int h, bool printing) override;

 private:
  // What the canvas has learnt of one font: its metrics and, where a text's width is the
  // sum of its characters' widths, the width of every character.
  struct TFontInfo {
    std::string Key;
    bool HasMetrics = false, WidthsTried = false, HasWidths = false;
    THtMetrics Metrics;
    int Widths[256];
  };
  TFontInfo& Info(const TMyFont& f);
  // The font's information with its width table tried (HasWidths says whether it holds).
  TFontInfo& Widths(const TMyFont& f);
  void DrawnWidths(TFontInfo& fi);
  void Select(const TMyFont& f);
  // Where the system measures (a scaled surface: a printer), the characters' positions of
  // the text measured last: painting measures a piece and then writes it, and layout
  // measures a piece whole after finding that it fits; each is then one call, not two.
  bool Measured(const TFontInfo& fi, const char* s, int n) const;
  // The text attributes are set only when they change, and given back at the end: on a
  // printer every call is a command to the driver.
  void TextState(THtColor color, THtColor back);
  HDC dc_;
  HGDIOBJ oldFont_ = nullptr;
  HPALETTE oldPalette_ = nullptr;
  std::string selected_;
  std::map<std::string, TFontInfo> fonts_;
  // The fonts asked for lately, found without making a key: layout switches between a few
  // fonts thousands of times.
  struct TRecent {
    std::string Name;
    int Size = 0, Style = 0;
    TFontInfo* Info = nullptr;
  };
  std::vector<TRecent> recent_;
  const TFontInfo* measuredFont_ = nullptr;
  std::string measuredText_;
  std::vector<INT> measuredPos_;  // extent of the first i + 1 characters
  bool stateSaved_ = false;
  UINT oldAlign_ = 0;
  int oldBkMode_ = 0;
  int bkMode_ = 0;
  COLORREF textColor_ = CLR_INVALID, bkColor_ = CLR_INVALID;
};

// Puts the text on the clipboard as CF_TEXT (the section list's PutOnClipboard).
bool PutTextOnClipboard(const std::string& text, HWND owner = nullptr);
// The message box of a section that could not be laid out (the section list's ShowError).
void ShowProcessError(const std::string& message);

// The platform colour of a model colour (system colours resolved, palette flag kept).
COLORREF HtColorRef(THtColor c);

}  // namespace vx
