// Images: measuring and painting, the cache, ObtainImage, image maps, GIF colours, palette.
#include <algorithm>
#include <cmath>
#include <fstream>

#include "viewer/HTMLSubs.h"

namespace vx {

TImageObj::TImageObj(int position, const TImageParams& p) : Pos(position) {
  if (p.Height > 0 && p.Width > 0) {
    SpecHeight = p.Height;
    SpecWidth = p.Width;
  }
  Source = p.Src;
  HasSource = p.HasSrc;
  Alt = p.HasAlt ? p.Alt : std::string();
  std::string a = HtUpperCase(p.Align);
  Align = a == "TOP" ? iaTop : a == "MIDDLE" ? iaMiddle : a == "LEFT" ? iaLeft : a == "RIGHT" ? iaRight : iaBottom;
  NoBorder = p.HasBorder && p.Border == 0;
  Transparent = p.Transp;
  ServerMap = p.IsMap;
  ClientMap = p.HasUseMap;
  if (ClientMap) {
    MapName = HtUpperCase(TrimControlChars(p.UseMap));
    if (MapName.size() > 1 && MapName[0] == '#') MapName.erase(0, 1);
  }
}

TImageObj::TImageObj(const TImageObj& s)
    : TObject(),
      Pos(s.Pos),
      BoxHeight(s.BoxHeight),
      BoxWidth(s.BoxWidth),
      SpecHeight(s.SpecHeight),
      SpecWidth(s.SpecWidth),
      ImageHeight(s.ImageHeight),
      ImageWidth(s.ImageWidth),
      Source(s.Source),
      Alt(s.Alt),
      HasSource(s.HasSource),
      Align(s.Align),
      NoBorder(s.NoBorder),
      Bitmap(s.Bitmap),
      Mask(s.Mask),
      Transparent(s.Transparent),
      ServerMap(s.ServerMap),
      Bordered(s.Bordered),
      State(s.State) {}

void TImageObj::ResetForImageSwitch(bool viewImages) {
  if ((viewImages && State == isOff) || (!viewImages && State != isOff && State != isNone)) {
    State = isNone;
    Bitmap.reset();
    Mask.reset();
  }
}

void TImageObj::Measure(TViewCanvas& c, TSectionList* list, const TMyFont& font, bool inLink) {
  List = list;
  if (list) list->ImagesMeasured = true;
  TImageServices* svc = list ? list->ImageServices : nullptr;
  if (list && list->ShowImages) {
    if (State == isNone || State == isOff) {
      int t = Transparent ? 1 : 0;
      TViewImagePtr mask;
      TViewImagePtr bmp = HasSource ? list->ObtainImage(Source, t, mask) : nullptr;
      if (bmp) {
        Bitmap = bmp;
        Mask = mask;
        State = isReal;
      } else {
        Bitmap = svc ? svc->ErrorImage() : nullptr;
        Mask.reset();
        State = isError;
      }
    }
  } else if (State != isOff) {
    Bitmap = svc ? svc->OffImage() : nullptr;
    Mask.reset();
    State = isOff;
  }
  bool placeholder = State != isReal;
  if (placeholder || SpecHeight == 0) {
    ImageWidth = Bitmap ? Bitmap->Width() : 0;
    ImageHeight = Bitmap ? Bitmap->Height() : 0;
  } else {
    ImageWidth = SpecWidth;
    ImageHeight = SpecHeight;
  }
  bool shown = list && list->ShowImages;
  Bordered = (shown && inLink && !NoBorder) || (placeholder && (!Alt.empty() || inLink));
  BoxWidth = ImageWidth + (Bordered ? 2 : 0);
  BoxHeight = ImageHeight + (Bordered ? 2 : 0);
  if (placeholder && !Alt.empty()) {
    BoxWidth += c.TextExtent(font, Alt.data(), static_cast<int>(Alt.size())) + 4;
    BoxHeight = std::max(BoxHeight, c.Metrics(font).Height);
  }
}

void TImageObj::Paint(TViewCanvas& c, int x, const TMyFont& font, int descent, int textHeight, int baseline,
                      int lineTop) {
  try {
    int top;
    if (Align == iaMiddle)
      top = baseline + descent - textHeight / 2 - BoxHeight / 2;
    else if (Align == iaBottom)
      top = baseline - BoxHeight + 1;
    else
      top = lineTop;
    DrawX = x;
    DrawY = top;
    int so = List ? List->ScrollOffset : 0;
    bool printing = List && List->Printing;
    int ix = x + (Bordered ? 1 : 0), iy = top + (Bordered ? 1 : 0);
    if (Bitmap)
      c.DrawImage(*Bitmap, Transparent && Mask ? Mask.get() : nullptr, ix, iy - so, ImageWidth, ImageHeight, printing);
    if (State != isReal && !Alt.empty()) {
      THtMetrics m = c.Metrics(font);
      int ty = top + (BoxHeight - m.Height) / 2 + m.Ascent;
      c.TextOut(font, printing ? htc::Black : font.Color, ix + ImageWidth + 2, ty - so, Alt.data(),
                static_cast<int>(Alt.size()), htc::None, nullptr);
    }
    if (Bordered) c.FrameRect({x, top - so, x + BoxWidth, top + BoxHeight - so}, printing ? htc::Black : font.Color);
  } catch (...) {
    // A picture that cannot be drawn leaves its place empty.
  }
}

bool TImageObj::Contains(int x, int y, int& ox, int& oy) const {
  int b = Bordered ? 1 : 0;
  int l = DrawX + b, t = DrawY + b, r = DrawX + BoxWidth - b, bt = DrawY + BoxHeight - b;
  if (x < l || x >= r || y < t || y >= bt) return false;
  ox = x - l;
  oy = y - t;
  return true;
}

// ---------------------------------------------------------------- cache
void TStringBitmapList::SetUsageLimit(int limit) {
  for (auto it = items_.begin(); it != items_.end();)
    it = it->second->AccessCount > limit ? items_.erase(it) : std::next(it);
  limit_ = limit;
}

TBitmapItem* TStringBitmapList::Find(const std::string& key) {
  auto it = items_.find(key);
  return it == items_.end() ? nullptr : it->second.get();
}

TBitmapItem* TStringBitmapList::ImageAt(const std::string& key) {
  TBitmapItem* i = Find(key);
  if (i) i->AccessCount = 0;
  return i;
}

bool TStringBitmapList::Add(const std::string& key, std::unique_ptr<TBitmapItem> item) {
  return items_.emplace(key, std::move(item)).second;
}

void TStringBitmapList::AgeItems() {
  for (auto it = items_.begin(); it != items_.end();) {
    ++it->second->AccessCount;
    it = it->second->AccessCount > limit_ ? items_.erase(it) : std::next(it);
  }
}

std::vector<std::string> TStringBitmapList::Keys() const {
  std::vector<std::string> k;
  for (auto& p : items_) k.push_back(p.first);
  return k;
}

TViewImagePtr TSectionList::ObtainImage(const std::string& source, int& transparency, TViewImagePtr& mask) {
  mask.reset();
  std::string src = TrimControlChars(source);
  if (src.empty()) return nullptr;
  try {
    // A file is known by its expanded name, so one relative name in two folders is two images.
    std::string file, key;
    if (GetBitmap) {
      key = HtUpperCase(src);
    } else {
      file = ExpandSourceName ? ExpandSourceName(source) : src;
      key = HtUpperCase(file);
    }
    if (TBitmapItem* item = BitmapList.ImageAt(key)) {
      if (item->Transp == 2) {
        transparency = 2;
      } else if (transparency == 1) {
        if (!item->Mask && ImageServices && item->Bitmap)
          item->Mask = ImageServices->MakeTransparencyMask(*item->Bitmap, false, 0);
        if (item->Mask) item->Transp = 1;
      }
      mask = item->Mask;
      return item->Bitmap;
    }
    TViewImagePtr bmp;
    if (GetBitmap) {
      THtColor color = -1;
      GetBitmap(TheOwner, source, bmp, color);
      if (bmp && ImageServices) {
        if (color != -1) {
          mask = ImageServices->MakeTransparencyMask(*bmp, true, color);
          transparency = 2;
        } else if (transparency == 1) {
          mask = ImageServices->MakeTransparencyMask(*bmp, false, 0);
        }
      }
    } else if (ImageServices) {
      bmp = ImageServices->LoadImageWithMask(file, transparency, mask);
    }
    if (bmp) {
      auto item = std::make_unique<TBitmapItem>();
      item->Transp = mask ? static_cast<std::uint8_t>(transparency) : 0;
      item->Bitmap = bmp;
      item->Mask = mask;
      BitmapList.Add(key, std::move(item));
    }
    return bmp;
  } catch (...) {
    mask.reset();
    return nullptr;
  }
}

// ---------------------------------------------------------------- maps
std::vector<int> ReadCoords(const std::string& coords) {
  std::vector<int> r;
  size_t p = 0;
  while (r.size() < 201) {
    size_t q = coords.find(',', p);
    std::string piece = coords.substr(p, q == std::string::npos ? std::string::npos : q - p);
    if (piece.empty()) break;
    piece = TrimControlChars(piece.substr(0, 15));
    int v = 0;
    size_t i = 0;
    bool neg = false;
    if (i < piece.size() && (piece[i] == '-' || piece[i] == '+')) neg = piece[i++] == '-';
    bool ok = i < piece.size();
    long long acc = 0;
    for (; i < piece.size(); ++i) {
      if (piece[i] < '0' || piece[i] > '9') {
        ok = false;
        break;
      }
      acc = acc * 10 + (piece[i] - '0');
      if (acc > 2147483647LL) {
        ok = false;
        break;
      }
    }
    if (ok) v = static_cast<int>(neg ? -acc : acc);
    r.push_back(v);
    if (q == std::string::npos) break;
    p = q + 1;
  }
  return r;
}

void TMapItem::AddArea(const TAreaParams& p) {
  std::string shape = HtLowerCase(p.Shape.substr(0, 4));
  std::vector<int> n = ReadCoords(p.Coords);
  TArea a;
  a.Href = p.NoHref ? std::string() : p.Href;
  a.Target = p.Target;
  if (shape == "circ") {
    if (n.size() < 3) return;
    a.Shape = shCircle;
    a.Pts = {n[0], n[1], n[2]};
  } else if (shape == "poly") {
    if (n.size() < 6) return;
    a.Shape = shPoly;
    a.Pts.assign(n.begin(), n.begin() + (n.size() / 2) * 2);
  } else {
    if (n.size() < 4) return;
    a.Shape = shRect;
    a.Pts = {n[0], n[1], n[2] + 1, n[3] + 1};
  }
  Areas.push_back(std::move(a));
}

bool TMapItem::TArea::Contains(int x, int y) const {
  switch (Shape) {
    case shRect: {
      int l = std::min(Pts[0], Pts[2]), r = std::max(Pts[0], Pts[2]);
      int t = std::min(Pts[1], Pts[3]), b = std::max(Pts[1], Pts[3]);
      return x >= l && x < r && y >= t && y < b;
    }
    case shCircle: {
      long long dx = x - Pts[0], dy = y - Pts[1], d = 2LL * std::llabs(Pts[2]) + 1;
      return 4 * (dx * dx + dy * dy) <= d * d;
    }
    case shPoly: {
      // Non-zero winding around the pixel's centre.
      double px = x + 0.5, py = y + 0.5;
      int wn = 0;
      size_t n = Pts.size() / 2;
      for (size_t i = 0; i < n; ++i) {
        double x1 = Pts[2 * i], y1 = Pts[2 * i + 1];
        double x2 = Pts[2 * ((i + 1) % n)], y2 = Pts[2 * ((i + 1) % n) + 1];
        double cross = (x2 - x1) * (py - y1) - (px - x1) * (y2 - y1);
        if (y1 <= py) {
          if (y2 > py && cross > 0) ++wn;
        } else if (y2 <= py && cross < 0) {
          --wn;
        }
      }
      return wn != 0;
    }
  }
  return false;
}

bool TMapItem::HitTest(int x, int y, TUrlTarget& out) const {
  for (auto& a : Areas) {
    if (!a.Contains(x, y)) continue;
    if (a.Href.empty()) return false;
    out = TUrlTarget();
    out.Set(a.Href, a.Target);
    return true;
  }
  return false;
}

// ---------------------------------------------------------------- GIF and palette
bool GifTransparentColor(const unsigned char* p, std::size_t n, THtColor& color) {
  // Header "GIF89a" (6), screen descriptor (7), the global table, then 0x21 0xF9, block
  // size, packed byte (bit 0: transparency), delay (2), colour index.
  if (!p || n < 13 || p[0] != 'G' || p[1] != 'I' || p[2] != 'F' || p[4] != '9') return false;
  unsigned packed = p[10];
  if (!(packed & 0x80)) return false;
  std::size_t size = std::size_t(1) << ((packed & 7) + 1);
  std::size_t ext = 13 + 3 * size;
  if (ext + 7 > n) return false;
  if (p[ext] != 0x21 || p[ext + 1] != 0xF9 || !(p[ext + 3] & 1)) return false;
  std::size_t idx = p[ext + 6];
  if (idx >= size) return false;
  const unsigned char* e = p + 13 + 3 * idx;
  color = e[0] + 256 * e[1] + 65536 * e[2];
  return true;
}

bool ReadGifTransparentColor(const std::string& fileName, THtColor& color) {
  try {
    std::ifstream f(fileName, std::ios::binary);
    if (!f) return false;
    unsigned char buf[789];
    f.read(reinterpret_cast<char*>(buf), sizeof buf);
    return GifTransparentColor(buf, static_cast<std::size_t>(f.gcount()), color);
  } catch (...) {
    return false;
  }
}

bool DibImageSize(int width, int height, int bits, std::uint64_t& size) {
  if (width <= 0 || height <= 0 || bits <= 0 || bits > 32) return false;
  std::uint64_t stride = (static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bits) + 31) / 32 * 4;
  size = stride * static_cast<std::uint64_t>(height);
  return size <= kMaxDibBytes;
}

int DibBitsPerPixel(int planes, int bitsPerPixel) {
  int b = planes * bitsPerPixel;
  return b == 16 || b == 32 ? 24 : b;
}

void BuildViewerPaletteEntries(TPalEntry e[256]) {
  static const std::uint8_t lv[6] = {55, 115, 165, 205, 235, 255};
  for (int b = 0; b < 6; ++b)
    for (int g = 0; g < 6; ++g)
      for (int r = 0; r < 6; ++r) e[10 + 36 * b + 6 * g + r] = {lv[r], lv[g], lv[b]};
  for (int i = 0; i < 24; ++i) {
    std::uint8_t v = static_cast<std::uint8_t>(135 + 5 * i);
    e[226 + i] = {v, v, v};
  }
}

}  // namespace vx
