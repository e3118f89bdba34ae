// Values read back from a registry key or an INI file, converted from their stored text.
// The text may be anything a user or another program put there: of any size, no number,
// a number far out of range. Whatever it is, a value that does not fit gives the default,
// so that reading stored settings never faults; well-formed values read as always.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The longest text taken back: what an INI file gives back at most (a registry value may
// be far longer).
constexpr int kMaxStoredText = 1023;
// Window coordinates and sizes stay within what the window system keeps in 16 bits.
constexpr int kMaxStoredExtent = 32767;

// Text as it was stored; deflt when it is longer than kMaxStoredText.
AnsiString StoredText(const AnsiString& text, const AnsiString& deflt);
// An integer as the stores read one (decimal, or hexadecimal after "0x"); deflt for an
// empty text or one that is no 32-bit number.
int StoredInt(const AnsiString& text, int deflt);
// An integer kept within lo..hi; deflt when it is no number.
int StoredIntIn(const AnsiString& text, int deflt, int lo, int hi);
// A flag: any number other than 0 is true; deflt when it is no number.
bool StoredBool(const AnsiString& text, bool deflt);
// A colour: a red-green-blue value, one relative to the palette, or a system colour
// number; deflt for any other number.
int StoredColor(const AnsiString& text, int deflt);

// A placement value ("MinMaxPos", "NormPos"): words 1 to 4, split at blanks and commas,
// each replacing values[i] when it is a coordinate; others keep the default given there.
void StoredPlacementWords(const AnsiString& text, int values[4]);
// The window placement's "Flags": only the flags a placement record knows.
int StoredPlacementFlags(const AnsiString& text, int deflt);

// A speed bar's "Position": an align from alNone (0) to alClient (5); 1 (alTop) for any
// other text.
int StoredBarAlign(const AnsiString& text);
// A speed bar's "Width" (its thickness): a size from 1 to kMaxStoredExtent, else deflt.
int StoredBarWidth(const AnsiString& text, int deflt);
// A count of stored entries: 0 for none or no number, at most limit.
int StoredCount(const AnsiString& text, int limit);
// A speed bar "Button" value, "%s,%d,%d": the item's name (empty for an overlong value),
// and its left and top, each replacing the value given when it is a coordinate.
AnsiString StoredButtonName(const AnsiString& text);
void StoredButtonPlace(const AnsiString& text, int& left, int& top);

// A recent-files entry: empty (not taken) for a name no file can have: one longer than a
// path may be, or with control characters in it.
AnsiString StoredRecentName(const AnsiString& text);

}  // namespace vx
