// The bridge to ILIB95HT.DLL, the outside image reader (imported by ordinal): one reader
// operation per file kind and the colour depth to ask for.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "framework/core/Object.h"
#include "imagelib/ILib95ht.h"

namespace vx {

class TBitmap;

using TImageProgressCallback = TILProgressCallback;

// The values the image unit hands to every read: the dither flag and the option word.
constexpr int ImageDitherFlag = 1;
constexpr uint16_t ImageOptionWord = 0;
// The reader takes names in a 256-byte buffer; longer names are refused, not cut.
constexpr size_t ImageNameBufferSize = 256;

// The depth to ask for from a device's bits per pixel: 4 or fewer give 4, below 16 give 8,
// 16 and more give 24.
int ColorDepthFromBits(int bitsPerPixel);
// The same for a device context (bits per pixel times planes).
int DisplayColorDepth(HDC dc);

// Reader operations. On entry `palette` is the viewer palette (or 0); on success the
// bitmap and the image's palette (owned by the caller from then on) are stored and the
// result is true. On failure both are left as they were.
bool ReadJpegImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, HBITMAP& bitmap,
                   HPALETTE& palette);
bool ReadGifImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, HBITMAP& bitmap,
                  HPALETTE& palette);
bool ReadBmpImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, HBITMAP& bitmap,
                  HPALETTE& palette);
bool ReadPngImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, HBITMAP& bitmap,
                  HPALETTE& palette);

// The same filling a TBitmap, which takes the bitmap and then the palette; the viewer
// palette is only lent. On failure the TBitmap is left untouched.
bool ReadJpegImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, TBitmap& bitmap,
                   HPALETTE viewerPalette = nullptr);
bool ReadGifImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, TBitmap& bitmap,
                  HPALETTE viewerPalette = nullptr);
bool ReadBmpImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, TBitmap& bitmap,
                  HPALETTE viewerPalette = nullptr);
bool ReadPngImage(const AnsiString& fileName, int depth, int dither, TImageProgressCallback callback, TBitmap& bitmap,
                  HPALETTE viewerPalette = nullptr);

// The GIF transparent colour is read by the image unit (ReadGifTransparentColor in
// viewer/HTMLImages.h), which every caller uses; the bridge has no copy of its own.

}  // namespace vx
