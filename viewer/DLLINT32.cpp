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

int DisplayColorDepth(HDC dc) {
  return ColorDepthFromBits(GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES));
}

namespace {

enum class TReader { Jpeg, Gif, Bmp, Png };

bool CallReader(TReader kind, const AnsiString& fileName, int depth, int dither,
                TImageProgressCallback callback, HBITMAP& bitmap, HPALETTE& palette) {
  if (fileName.size() >= ImageNameBufferSize) return false;
  char name[ImageNameBufferSize] = {};
  std::memcpy(name, fileName.c_str(), fileName.size());
  HBITMAP bmp = nullptr;
  HPALETTE pal = palette;
  BYTE d = BYTE(depth), di = BYTE(dither);
  int result = 0;
  switch (kind) {
    case TReader::Jpeg:
      result = ilReadJpeg(name, d, di, &bmp, &pal, callback, ImageOptionWord);
      break;
    case TReader::Gif:
      result = ilReadGif(name, d, di, &bmp, &pal, callback, ImageOptionWord, "lzw");
      break;
    case TReader::Bmp:
      result = ilReadBmp(name, d, di, &bmp, &pal, callback, ImageOptionWord);
      break;
    case TReader::Png:
      result = ilReadPng(name, d, di, &bmp, &pal, callback, ImageOptionWord);
      break;
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

bool ReadInto(TReader kind, const AnsiString& fileName, int depth, int dither,
              TImageProgressCallback callback, TBitmap& bitmap, HPALETTE viewerPalette) {
  HBITMAP bmp = nullptr;
  HPALETTE pal = viewerPalette;
  if (!CallReader(kind, fileName, depth, dither, callback, bmp, pal)) return false;
  if (pal && pal == viewerPalette) pal = CopyPalette(pal);
  bitmap.SetHandle(bmp);
  bitmap.SetPalette(pal);
  return true;
}

}  // namespace

bool ReadJpegImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                   HBITMAP& bitmap, HPALETTE& palette) {
  return CallReader(TReader::Jpeg, f, depth, dither, cb, bitmap, palette);
}
bool ReadGifImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  HBITMAP& bitmap, HPALETTE& palette) {
  return CallReader(TReader::Gif, f, depth, dither, cb, bitmap, palette);
}
bool ReadBmpImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  HBITMAP& bitmap, HPALETTE& palette) {
  return CallReader(TReader::Bmp, f, depth, dither, cb, bitmap, palette);
}
bool ReadPngImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  HBITMAP& bitmap, HPALETTE& palette) {
  return CallReader(TReader::Png, f, depth, dither, cb, bitmap, palette);
}

bool ReadJpegImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                   TBitmap& bitmap, HPALETTE viewerPalette) {
  return ReadInto(TReader::Jpeg, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadGifImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  TBitmap& bitmap, HPALETTE viewerPalette) {
  return ReadInto(TReader::Gif, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadBmpImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  TBitmap& bitmap, HPALETTE viewerPalette) {
  return ReadInto(TReader::Bmp, f, depth, dither, cb, bitmap, viewerPalette);
}
bool ReadPngImage(const AnsiString& f, int depth, int dither, TImageProgressCallback cb,
                  TBitmap& bitmap, HPALETTE viewerPalette) {
  return ReadInto(TReader::Png, f, depth, dither, cb, bitmap, viewerPalette);
}

bool GifHeaderTransparentColor(const uint8_t* d, size_t n, COLORREF& color) {
  // Header (6), screen descriptor (7), then the global table.
  if (n < 13 || std::memcmp(d, "GIF", 3) != 0 || d[4] != '9') return false;
  if (!(d[10] & 0x80)) return false;
  size_t entries = size_t(1) << ((d[10] & 7) + 1);
  size_t ext = 13 + 3 * entries;
  // 0x21, 0xF9, block size, packed byte, delay (2), colour index.
  if (ext + 7 > n) return false;
  if (d[ext] != 0x21 || d[ext + 1] != 0xF9 || !(d[ext + 3] & 1)) return false;
  size_t index = d[ext + 6];
  if (index >= entries) return false;
  const uint8_t* c = d + 13 + 3 * index;
  color = COLORREF(c[0]) + 256u * c[1] + 65536u * c[2];
  return true;
}

bool ReadGifTransparentColor(const AnsiString& fileName, COLORREF& color) {
  HANDLE f = CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  uint8_t buf[789];
  DWORD got = 0;
  BOOL ok = ReadFile(f, buf, sizeof(buf), &got, nullptr);
  CloseHandle(f);
  return ok && GifHeaderTransparentColor(buf, got, color);
}

}  // namespace vx
