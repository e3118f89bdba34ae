// ILIB95HT.DLL, the image reader: the entry points, their ordinals and result codes,
// shared by the library and by its callers (who import by ordinal through ilib95ht_imp).
#pragma once

#include <windows.h>

#include <cstdint>

#include "imagelib/ILibResults.h"

// Ordinals of the exports (ilib95ht.def).
enum : int {
  ilOrdinalJpeg = 1,
  ilOrdinalGif = 2,
  ilOrdinalBmp = 3,
  ilOrdinalPng = 4,
};

// Called while decoding; an answer of 0 asks the reader to stop.
typedef int(__stdcall* TILProgressCallback)(void);

extern "C" {
// fileName: zero-terminated within a 256-byte buffer. depth: 4, 8 or 24. dither: 1 to
// diffuse the quantisation error. bitmap: receives a bitmap compatible with the screen.
// palette: on entry the palette to quantise against (or 0), on success a new palette the
// caller owns (or 0 at depth 24 without one). On failure neither is written.
int __stdcall ilReadJpeg(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                         TILProgressCallback progress, uint16_t options);
int __stdcall ilReadGif(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t options, const char* codec);
int __stdcall ilReadBmp(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t options);
int __stdcall ilReadPng(const char* fileName, uint8_t depth, uint8_t dither, HBITMAP* bitmap, HPALETTE* palette,
                        TILProgressCallback progress, uint16_t options);
}
