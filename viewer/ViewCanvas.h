// What the document model needs from a drawing surface: font metrics, text extents and a
// few drawing primitives. The Windows viewer implements it on a device context; the
// model itself stays free of the platform, so layout is tested natively.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "viewer/HTMLUn2.h"

namespace vx {

struct THtRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

enum : std::uint8_t { htBold = 1, htItalic = 2, htUnderline = 4, htStrikeOut = 8 };

// A font as the model keeps it; nominal size is the size at a base font size of 12.
class TMyFont {
 public:
  std::string Name = "Times New Roman";
  int Size = 12;  // points
  THtColor Color = htc::BtnText;
  std::uint8_t Style = 0;
  int NominalSize = 12;
  bool FixedPitch = false;

  void SetNominalSize(int nominal, int baseSize) {
    NominalSize = nominal;
    Size = MulDiv(baseSize, nominal, 12);
  }
  bool SameFace(const TMyFont& o) const { return Name == o.Name && Size == o.Size && Style == o.Style; }
};

struct THtMetrics {
  int Height = 0, Ascent = 0, Descent = 0, ExternalLeading = 0, Overhang = 0;
};

// A decoded picture (bitmap or monochrome mask) of the platform.
class TViewImage {
 public:
  virtual ~TViewImage() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
};
// Bitmaps are shared by reference count between the cache, the images of a document and
// the print copy, so nothing one of them draws can be freed under it.
using TViewImagePtr = std::shared_ptr<TViewImage>;

class TViewCanvas {
 public:
  virtual ~TViewCanvas() = default;
  virtual THtMetrics Metrics(const TMyFont& f) = 0;
  // Extent of n characters, overhang included.
  virtual int TextExtent(const TMyFont& f, const char* s, int n) = 0;
  // The most characters of s, at most n, whose extent is no more than room (0 when not even
  // one fits). This one searches with TextExtent; a surface may answer in fewer calls.
  virtual int TextFit(const TMyFont& f, const char* s, int n, int room);
  // Text on its baseline; back = htc::None draws transparently, else opaque on it.
  virtual void TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
                       const THtRect* clip) = 0;
  virtual void FillRect(const THtRect& r, THtColor c) = 0;
  // A one-pixel line from (x1, y1) up to but not including (x2, y2).
  virtual void Line(int x1, int y1, int x2, int y2, THtColor c) = 0;
  // back = htc::None: hollow.
  virtual void Ellipse(const THtRect& r, THtColor pen, THtColor back) = 0;
  virtual void FrameRect(const THtRect& r, THtColor c) = 0;
  // Fills the area less the holes (the border colour of a table around its cells).
  virtual void FillAreaMinus(const THtRect& area, const std::vector<THtRect>& holes, THtColor c) = 0;
  // Draws a picture stretched to w x h; a mask makes the white parts transparent on screen,
  // and white on paper.
  virtual void DrawImage(const TViewImage& image, const TViewImage* mask, int x, int y, int w, int h,
                         bool printing) = 0;
};

}  // namespace vx
