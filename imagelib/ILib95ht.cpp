// ILIB95HT.DLL entries: read the file, decode, reduce to the depth asked for and hand back
// a bitmap compatible with the screen plus its palette. Nothing is thrown out of here.
#include "imagelib/ILib95ht.h"

#include <cstring>
#include <memory>
#include <vector>

#include "framework/win/GdiScoped.h"
#include "imagelib/Decode.h"
#include "imagelib/Quantize.h"

namespace {

using ilib::Image;
using ilib::Kind;
using ilib::Rgb;

constexpr DWORD kMaxFileSize = 128u * 1024 * 1024;
constexpr size_t kNameBufferSize = 256;

int ReadWholeFile(const char* name, std::vector<uint8_t>& bytes) {
  HANDLE f = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return ilFailed;
  DWORD high = 0;
  DWORD size = GetFileSize(f, &high);
  int result = ilOk;
  if (size == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) {
    result = ilFailed;
  } else if (high != 0 || size > kMaxFileSize) {
    result = ilTooLarge;
  } else {
    bytes.resize(size);
    DWORD got = 0;
    if (size > 0 && (!ReadFile(f, bytes.data(), size, &got, nullptr) || got != size)) result = ilFailed;
  }
  CloseHandle(f);
  return result;
}

std::vector<Rgb> PaletteColors(HPALETTE pal) {
  std::vector<Rgb> colors;
  if (!pal) return colors;
  WORD count = 0;
  if (!GetObjectA(pal, sizeof(count), &count) || count == 0) return colors;
  if (count > 256) count = 256;
  PALETTEENTRY entries[256];
  UINT got = GetPaletteEntries(pal, 0, count, entries);
  for (UINT i = 0; i < got; ++i) colors.push_back({entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
  return colors;
}

HPALETTE MakePalette(const std::vector<Rgb>& colors) {
  if (colors.empty() || colors.size() > 256) return nullptr;
  struct {
    WORD version, count;
    PALETTEENTRY entries[256];
  } lp{};
  lp.version = 0x300;
  lp.count = WORD(colors.size());
  for (size_t i = 0; i < colors.size(); ++i) lp.entries[i] = {colors[i].r, colors[i].g, colors[i].b, 0};
  return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}

// Fills a screen-compatible bitmap from a bottom-up DIB (8-bit indexes or 24-bit pixels).
HBITMAP MakeBitmap(int w, int h, int bits, const std::vector<uint8_t>& rows, const std::vector<Rgb>& colors,
                   HPALETTE pal) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD table[256];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = w;
  info.header.biHeight = h;
  info.header.biPlanes = 1;
  info.header.biBitCount = WORD(bits);
  info.header.biCompression = BI_RGB;
  if (bits == 8) {
    info.header.biClrUsed = DWORD(colors.size());
    for (size_t i = 0; i < colors.size() && i < 256; ++i) info.table[i] = {colors[i].b, colors[i].g, colors[i].r, 0};
  }
  vx::TWindowDC screen(nullptr);
  if (!screen) return nullptr;
  vx::TOwnedBitmap bmp(CreateCompatibleBitmap(screen, w, h));
  vx::TOwnedDC mem(bmp ? CreateCompatibleDC(screen) : nullptr);
  if (!mem) return nullptr;
  vx::TSelectedPalette selectPal(mem, pal, false);
  if (pal) RealizePalette(mem);
  if (SetDIBits(mem, bmp, 0, UINT(h), rows.data(), reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) != h)
    return nullptr;
  return bmp.Release();
}

int ReadImage(Kind kind, const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
              TILProgressCallback progress) {
  if (!fileName || !bitmap || !palette || depth == 0) return ilBadArguments;
  // The name must end inside its 256-byte buffer.
  if (::strnlen(fileName, kNameBufferSize) >= kNameBufferSize) return ilBadArguments;
  auto keepGoing = [progress]() { return !progress || progress() != 0; };

  std::vector<uint8_t> bytes;
  int r = ReadWholeFile(fileName, bytes);
  if (r != ilOk) return r;
  if (!keepGoing()) return ilCancelled;
  Image image;
  r = ilib::Decode(kind, bytes.data(), bytes.size(), image);
  if (r != ilOk) return r;
  std::vector<uint8_t>().swap(bytes);
  if (!keepGoing()) return ilCancelled;

  const int w = image.width, h = image.height;
  ilib::Dib dib;
  if (!ilib::BuildDib(image, depth, dither != 0, PaletteColors(*palette), dib, keepGoing)) return ilCancelled;
  const std::vector<Rgb>& colors = dib.colors;
  vx::TOwnedPalette outPal;
  std::vector<uint8_t>().swap(image.rgb);

  if (!colors.empty()) {
    outPal.Reset(MakePalette(colors));
    if (!outPal) return ilNoResources;
  }
  HBITMAP bmp = MakeBitmap(w, h, dib.bits, dib.rows, colors, outPal);
  if (!bmp) return ilNoResources;
  *bitmap = bmp;
  *palette = outPal.Release();
  return ilOk;
}

int GuardedRead(Kind kind, const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                TILProgressCallback progress) {
  try {
    return ReadImage(kind, fileName, depth, dither, bitmap, palette, progress);
  } catch (const std::bad_alloc&) {
    return ilNoResources;
  } catch (...) {
    return ilFailed;
  }
}

}  // namespace

extern "C" {

int __stdcall ilReadJpeg(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                         TILProgressCallback progress, uint16_t) {
  return GuardedRead(Kind::Jpeg, fileName, depth, dither, bitmap, palette, progress);
}

int __stdcall ilReadGif(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t, const char*) {
  return GuardedRead(Kind::Gif, fileName, depth, dither, bitmap, palette, progress);
}

int __stdcall ilReadBmp(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t) {
  return GuardedRead(Kind::Bmp, fileName, depth, dither, bitmap, palette, progress);
}

int __stdcall ilReadPng(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t) {
  return GuardedRead(Kind::Png, fileName, depth, dither, bitmap, palette, progress);
}

}  // extern "C"
