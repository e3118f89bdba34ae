// The markup the insertion wizards write, and the reading of an image map taken back
// from a document, apart from any window: frames, tables, lists, composed links, the
// special characters and image maps.
#pragma once

#include <vector>

#include "framework/core/Classes.h"

namespace vx {

extern const char* const CRLF;

// The pieces one after the other, as one text.
AnsiString Joined(const std::vector<AnsiString>& pieces);

// ---- frames --------------------------------------------------------------------------

// One row of the frames wizard: the frame it writes.
struct TFrameRow {
  AnsiString Src, Name, Width = "*", Height = "*";
  int MarginWidth = 0, MarginHeight = 0;
  AnsiString Scrolling;  // "", or the chosen value other than "(none)"
  bool NoResize = false;
};

// The frameset of a layout (1 to 5) over the three rows, one line per item, each
// ending in CR LF.
std::vector<AnsiString> FramesetLines(int layout, const TFrameRow rows[3]);
// One FRAME line behind `indent` blanks.
AnsiString FrameLine(int indent, const TFrameRow& row);

// ---- tables --------------------------------------------------------------------------

struct TTableSpec {
  int CellSpacing = 0, CellPadding = 0;
  bool Border = true;
  AnsiString Caption, CaptionAlign = "Top";
  bool HeadingCol = false, HeadingRow = false;
  // The data cells, row by row.
  std::vector<std::vector<AnsiString>> Cells;
};

// The TABLE markup in the pieces it is written in, in order; the markup (never the
// texts) lower-cased when `lower`.
std::vector<AnsiString> TablePieces(const TTableSpec& spec, bool lower);

// ---- lists ---------------------------------------------------------------------------

// "<UL>" or "<OL>", one LI line per item (empty items too), and the closing tag.
std::vector<AnsiString> ListLines(const std::vector<AnsiString>& items, bool ordered);

// ---- links ---------------------------------------------------------------------------

// The URL of a scheme from its parts (host, path, file, target), as each scheme takes them.
AnsiString ComposeURL(const AnsiString& scheme, const AnsiString& host, const AnsiString& path, const AnsiString& file,
                      const AnsiString& target);

// ---- special characters --------------------------------------------------------------

constexpr int kCharpCell = 24, kCharpCols = 7, kCharpRows = 10, kCharpCells = 70;
// The cell (1 to 70) whose inside holds the point; 0 on a grid line or outside the grid.
int CharpCellAt(int x, int y);
// The cell's rectangle: left, top, right, bottom.
void CharpCellRect(int cell, int& left, int& top, int& right, int& bottom);
// The character a cell shows.
char CharpChar(int cell);
// The cell's entity, as written into documents.
AnsiString CharpEntity(int cell);
// What a click on the cell inserts: the character itself when raw (cells 7 to 70), the
// entity otherwise.
AnsiString CharpInsertText(int cell, bool raw);

// ---- image maps ----------------------------------------------------------------------

struct TMapArea {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  AnsiString HRef;
};

// The MAP element in the pieces it is written in; with an image also the IMG line that
// uses the map, `file` as its source.
std::vector<AnsiString> MapPieces(const AnsiString& name, const std::vector<TMapArea>& areas, bool withImage,
                                  const AnsiString& file);

// A selected MAP element in its parts: the MAP tag's text after its name, and each AREA
// tag's text after its name up to and including its ">".
struct TMapSelection {
  AnsiString MapTag;
  std::vector<AnsiString> Areas;
};
TMapSelection SplitMapSelection(const AnsiString& text);

// The map's name from the MAP tag's text: what follows the first "=", without quotes.
AnsiString MapNameFromTag(const AnsiString& text);

// What an AREA tag's text says. Attribute names are matched in any case; values keep
// theirs. A COORDS value of four numbers gives the rectangle (a value that is no whole
// number raises EConvertError, and so does a rectangle whose width or height is below 0
// or no whole number); any other COORDS value leaves HasCoords false.
struct TAreaFields {
  bool HasCoords = false;
  int Left = 0, Top = 0, Width = 0, Height = 0;
  AnsiString HRef, Shape;
};
TAreaFields ParseAreaText(const AnsiString& text);
// Whether the area is a rectangle (no SHAPE, or "rect" / "rectangle").
bool IsRectangleArea(const TAreaFields& area);

}  // namespace vx
