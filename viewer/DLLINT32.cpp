// Thin wrappers over the ordinals of ILIB95HT.DLL.
#include "viewer/DLLINT32.h"

#include <cstring>

#include "framework/win/Graphics.h"

namespace vx {

int ColorDepthFromBits(int bitsPerPixel) {
  if (bitsPerPixel <= 4) return 4;
  if (bitsPerPixel < 16) return 8;
  return 24;
}

int DisplayColorDepth(HDC dc) { return ColorDepthFromBits(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES)); }

namespace {

enum class TReader { Jpeg, Gif, Bmp, Png };

bool CallReader(TReader kind, const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback,
                HBITMAP& bitmap, HPALETTE& palette) {
  if (fileName.size() >= ImageNameBufferSize) return false;
  char name[ImageNameBufferSize] = {};
  std::memcpy(name, fileName.c_str(), fileName.size());
  HBITMAP bmp = nullptr;
  HPALETTE pal = palette;
  BYTE d = BYTE(depth), di = BYTE(dither);
  int result = 0;
  switch (kind) {
    case TReader::Jpeg: result = ilReadJpeg(name, d, di, &bmp, &pal, callback, ImageOptionWord); break;
    case TReader::Gif: result = ilReadGif(name, d, di, &bmp, &pal, callback, ImageOptionWord, "lzw"); break;
    case TReader::Bmp: result = ilReadBmp(name, d, di, &bmp, &pal, callback, ImageOptionWord); break;
    case TReader::Png: result = ilReadPng(name, d, di, &bmp, &pal, callback, ImageOptionWord); break;
  }
  if (result <= 0 || !bmp) {
    // A reader that failed but left objects behind must not leak them.
    if (bmp) DeleteObject(bmp);
    if (pal && pal != palette) DeleteObject(pal);
    return false;
  }
  bitmap = bmp;
  palette = pal;
  return true;
}

// A copy of a palette, so a TBitmap never owns the viewer's own one.
HPALETTE CopyPalette(HPALETTE p) {
  WORD count = 0;
  if (!p || !GetObjectA(p, sizeof(count), &count) || count == 0) return nullptr;
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } lp{};
  lp.version = 0x300;
  lp.count = count > 256 ? 256 : count;
  GetPaletteEntries(p, 0, lp.count, lp.entries);
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}

bool ReadInto(TReader kind, const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback,
              TBitmap& bitmap, HPALETTE viewerPalette) {
  HBITMAP bmp = nullptr;
  HPALETTE pal = viewerPalette;
  if (!CallReader(kind, fileName, depth, dither, callback, bmp, pal)) return false;
  if (pal && pal == viewerPalette) pal = CopyPalette(pal);
  bitmap.SetHandle(bmp);
  bitmap.SetPalette(pal);
  return true;
}

}  // namespace

bool ReadJpegImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, HBITMAP& bitmap,
                   HPALETTE& palette) {
  return CallReader(TReader::Jpeg, f, depth, dither, cb, bitmap, palette);
}
bool ReadGifImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, HBITMAP& bitmap,
                  HPALETTE& palette) {
  return CallReader(TReader::Gif, f, depth, dither, cb, bitmap, palette);
}
bool ReadBmpImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, HBITMAP& bitmap,
                  HPALETTE& palette) {
  return CallReader(TReader::Bmp, f, depth, dither, cb, bitmap, palette);
}
bool ReadPngImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, HBITMAP& bitmap,
                  HPALETTE& palette) {
  return CallReader(TReader::Png, f, depth, dither, cb, bitmap, palette);
}

bool ReadJpegImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, TBitmap& bitmap,
                   HPALETTE viewerPalette) {
  return ReadInto(TReader::Jpeg, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadGifImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, TBitmap& bitmap,
                  HPALETTE viewerPalette) {
  return ReadInto(TReader::Gif, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadBmpImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, TBitmap& bitmap,
                  HPALETTE viewerPalette) {
  return ReadInto(TReader::Bmp, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadPngImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb, TBitmap& bitmap,
                  HPALETTE viewerPalette) {
  return ReadInto(TReader::Png, f, depth, dither, cb, bitmap, viewerPalette);
}

}  // namespace vx
