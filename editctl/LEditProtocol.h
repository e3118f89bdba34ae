// The editor control's settings in the forms the LEDIT32 window takes: the "/" form of the
// file mask, the syntax table, the default extension and the printed page's margins.
// Portable (no window), so it is tested natively.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Object.h"

namespace vx {

// One two-byte entry of the syntax table, laid out as the window reads it.
struct TSyntaxPair {
  uint8_t First;
  uint8_t Second;
};

// "|" filter form -> "/" form headed by the default extension: HTML|*.htm -> TXT/HTML/*.htm/
AnsiString FileMaskToSlashForm(const AnsiString& barForm, const AnsiString& defaultExt);
// "/" form -> "|" form: everything up to the first "/" dropped, items joined by "|".
AnsiString FileMaskFromSlashForm(const AnsiString& slashForm);
// The two-byte entry table of a syntax string (at most 254 entries).
std::vector<TSyntaxPair> BuildSyntaxTable(const AnsiString& syntax);
// Header and footer of a printed page of height v, leaving room for one line of lineHeight.
void ClampPrintMargins(int v, int lineHeight, int16_t& header, int16_t& footer);
// The "/" form's default extension: upper case, at most 3 characters, "TXT" when empty.
AnsiString NormalizeDefaultExt(const AnsiString& ext);

}  // namespace vx
