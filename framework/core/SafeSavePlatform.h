// The platform's part of a safe save; one source per platform (SafeSaveWin32.cpp,
// SafeSavePosix.cpp), chosen by CMake.
#pragma once

#include "framework/core/Object.h"

namespace vx {

unsigned ProcessId();
// The file a save of fileName really replaces: fileName itself, or the file a symbolic
// link leads to, so that the link stays. Throws EFCreateError "Cannot create file %s"
// (with fileName) for a target that is read-only or a folder.
AnsiString SaveTarget(const AnsiString& fileName);
// Puts the written temporary file in place of target, keeping what the user had set on
// an existing target (attributes, permissions). False when the target is left as it was.
bool ReplaceWithTemporary(const AnsiString& tempName, const AnsiString& target);

}  // namespace vx
