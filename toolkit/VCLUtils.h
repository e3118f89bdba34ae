// Window, bitmap and command-line helpers of the toolkit.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/core/Object.h"
#include "framework/win/Graphics.h"

namespace vx {

class TControl;

// ---- command lines ----
// Parameters are separated by blanks and control characters; double quotes protect
// blanks and are dropped; an empty pair of quotes is skipped.
int CommandLineParamCount(const AnsiString& cmdLine);
// Parameter number index, counting from 0; empty when there is none.
AnsiString CommandLineParam(const AnsiString& cmdLine, int index);
// Parameter 0, and the rest joined by blanks (each quoted again when it holds a blank).
void SplitCommandLine(const AnsiString& cmdLine, AnsiString& program, AnsiString& params);

// ---- rectangles ----
inline int RectWidth(const RECT& r) { return r.right - r.left; }
inline int RectHeight(const RECT& r) { return r.bottom - r.top; }
// Both edges included, unlike PtInRect.
inline bool PointInRect(const POINT& p, const RECT& r) {
  return p.x >= r.left && p.x <= r.right && p.y >= r.top && p.y <= r.bottom;
}

// ---- resources ----
// Raises EResNotFound "Resource %s not found" (the name, or a numeric identifier in decimal).
[[noreturn]] void ResourceNotFound(const char* resID);
// The program's string resource, or "" when it has none of that number.
AnsiString LoadStr(UINT ident);
// A new bitmap from the module's bitmap resource; nullptr when there is none.
std::unique_ptr<TBitmap> LoadResBitmap(HINSTANCE module, const char* resName);

// ---- bitmaps ----
// Draws the whole bitmap at (x, y), leaving out every pixel of transparentColor (clNone:
// a plain copy). Done in memory so the target never flickers.
void DrawBitmapTransparent(TCanvas* dest, int x, int y, TColor transparentColor, TBitmap* bitmap);
// The same into a target rectangle, stretching the bitmap to it.
void StretchBitmapTransparent(TCanvas* dest, const RECT& target, TColor transparentColor, TBitmap* bitmap);
// The embossed grey image of a disabled glyph.
std::unique_ptr<TBitmap> CreateDisabledBitmap(TBitmap* bitmap);
// 8 x 8 of color1, with color2 where x and y are both even or both odd.
std::unique_ptr<TBitmap> CreateTwoColorsBrushPattern(TColor color1, TColor color2);

// ---- painting ----
// Paints what lies behind a non-windowed control into canvas (the control's coordinates).
void PaintParentBackground(TControl* control, TCanvas* canvas);
// width nested focus rectangles on the screen; a second identical call erases them.
void InvertScreenFrame(const RECT& screenRect, int width);

enum TCellAlignment { caLeftJustify, caRightJustify, caCenter };
enum TVertAlignment { vaTopJustify, vaCenter, vaBottomJustify };
// Grid cell text (at most 255 characters) drawn on the grid's canvas.
void DrawCellText(TCanvas* gridCanvas, TCellAlignment alignment, TVertAlignment vertAlign, const RECT& cell,
                  const AnsiString& text);
// The same on a grid (anything with a Canvas()).
template <class Grid>
auto DrawCellText(Grid* grid, TCellAlignment alignment, TVertAlignment vertAlign, const RECT& cell,
                  const AnsiString& text) -> decltype(grid->Canvas(), void()) {
  DrawCellText(grid->Canvas(), alignment, vertAlign, cell, text);
}

}  // namespace vx
