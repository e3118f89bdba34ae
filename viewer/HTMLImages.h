// Inline images, the image cache and client-side image maps.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "viewer/ViewCanvas.h"

namespace vx {

class TSectionList;

enum : std::uint8_t { iaTop = 0, iaMiddle = 1, iaBottom = 2, iaLeft = 3, iaRight = 4 };

// The IMG attributes an image is made from.
struct TImageParams {
  std::string Src, Alt;
  bool HasSrc = false, HasAlt = false;
  std::string Align;          // "TOP", "MIDDLE", "LEFT", "RIGHT", else bottom
  int Height = 0, Width = 0;  // HEIGHT, WIDTH (0 when absent)
  bool HasBorder = false;
  int Border = 0;
  bool Transp = false, IsMap = false;
  bool HasUseMap = false;
  std::string UseMap;
};

class TMapItem;

class TImageObj : public TObject {
 public:
  // What the image shows now: nothing asked yet, the switched-off placeholder, the error
  // placeholder, or the real picture. A missing file is not asked for again at every layout.
  enum TState : std::uint8_t { isNone, isOff, isError, isReal };

  TImageObj(int position, const TImageParams& p);
  TImageObj(const TImageObj& src);  // print copy
  const char* ClassName() const override { return "TImageObj"; }

  // Obtains the picture when needed and computes the box; font is the run it stands in.
  void Measure(TViewCanvas& canvas, TSectionList* list, const TMyFont& font, bool inLink);
  void Paint(TViewCanvas& canvas, int x, const TMyFont& font, int descent, int textHeight, int baseline, int lineTop);
  // Point in document coordinates: position of the hit, the offsets within the image.
  bool Contains(int x, int y, int& ox, int& oy) const;
  bool Floating() const { return Align == iaLeft || Align == iaRight; }
  // Forgets a placeholder or picture that does not match the image switch.
  void ResetForImageSwitch(bool viewImages);

  int Pos;
  int BoxHeight = 0, BoxWidth = 0;
  int SpecHeight = 0, SpecWidth = 0;
  int ImageHeight = 0, ImageWidth = 0;
  std::string Source, Alt;
  bool HasSource = false;
  std::uint8_t Align = iaBottom;
  bool NoBorder = false;
  TViewImagePtr Bitmap, Mask;
  TSectionList* List = nullptr;
  bool Transparent = false, ServerMap = false, ClientMap = false, Bordered = false;
  int DrawX = 0, FloatX = 0, DrawY = 0;
  std::string MapName;
  TState State = isNone;
};

// One cache entry: the cache owns its bitmap and mask through shared references.
struct TBitmapItem {
  int AccessCount = 0;
  std::uint8_t Transp = 0;  // 0 none, 1 lower-left pixel, 2 GIF transparent colour
  TViewImagePtr Bitmap, Mask;
};

// The image cache, keyed by upper-cased trimmed sources (by expanded file names for files).
class TStringBitmapList {
 public:
  void SetUsageLimit(int limit);
  int UsageLimit() const { return limit_; }
  // The item under the key with its access count reset, or nullptr.
  TBitmapItem* ImageAt(const std::string& key);
  TBitmapItem* Find(const std::string& key);
  bool Add(const std::string& key, std::unique_ptr<TBitmapItem> item);
  void AgeItems();
  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  std::vector<std::string> Keys() const;

 private:
  std::map<std::string, std::unique_ptr<TBitmapItem>> items_;
  int limit_ = 4;
};

// The AREA attributes.
struct TAreaParams {
  std::string Href, Shape, Coords, Target;
  bool HasHref = false, NoHref = false;
};

// One client-side image map; each area is a shape tested as the platform's regions are.
class TMapItem : public TObject {
 public:
  enum TShape { shRect, shCircle, shPoly };
  struct TArea {
    std::string Href, Target;
    TShape Shape = shRect;
    std::vector<int> Pts;  // rectangle (l, t, r, b) as a region, circle (x, y, r), polygon points
    bool Contains(int x, int y) const;
  };
  const char* ClassName() const override { return "TMapItem"; }
  void AddArea(const TAreaParams& p);
  // The link of the first area containing the point; an area without HREF ends the search.
  bool HitTest(int x, int y, TUrlTarget& out) const;
  std::string MapName;
  std::vector<TArea> Areas;
};

// COORDS read as the map does: pieces of at most 15 characters, up to 201 numbers,
// stopping at an empty piece; an unreadable piece counts 0.
std::vector<int> ReadCoords(const std::string& coords);

// Transparent colour of a GIF89a file (0x00BBGGRR); every offset is checked against the
// bytes read, and a file without a global colour table has none.
bool GifTransparentColor(const unsigned char* data, std::size_t n, THtColor& color);
bool ReadGifTransparentColor(const std::string& fileName, THtColor& color);

// Size of the pixel rows of a device-independent copy, in 64 bits: false for an empty or
// absurd picture (rows beyond kMaxDibBytes), which is then not copied at all.
constexpr std::uint64_t kMaxDibBytes = 256ull << 20;
bool DibImageSize(int width, int height, int bitsPerPixel, std::uint64_t& size);
// Bits per pixel of a copy: planes x bits, with 16 and 32 taken as 24.
int DibBitsPerPixel(int planes, int bitsPerPixel);

// The 256 entries of the viewer palette built over the system palette's entries.
struct TPalEntry {
  std::uint8_t R = 0, G = 0, B = 0;
};
void BuildViewerPaletteEntries(TPalEntry entries[256]);

}  // namespace vx
