// File-name rules of VornixPro's documents.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The folder of the running program, with its trailing separator (tests may point it
// elsewhere to stand for an installation).
AnsiString ProgramFolder();
void SetProgramFolder(const AnsiString& folder);

// True when the name's extension is one of the filter's: ".HTM" matches "*.htm" but not
// "*.html", and a name without an extension matches nothing.
bool IsDocumentFile(const AnsiString& fileName, const AnsiString& docFilter);

// One file under two spellings: full paths compared without regard to case.
bool SameFileName(const AnsiString& a, const AnsiString& b);

// Copies name to name with ".Bak" in place of its extension, replacing an older copy
// only once the new one is complete; failures are ignored. The original stays, so a
// failed save still finds it.
void MakeBackupFile(const AnsiString& fileName);

}  // namespace vx
