// File-name tests of the toolkit.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The name exists and is a directory.
bool DirExists(const AnsiString& name);
// Some character of chars occurs in s.
bool HasAnyChar(const AnsiString& s, const AnsiString& chars);
// Not empty and free of ; , = + < > " [ ] and |; folders are not looked at.
bool ValidFileName(const AnsiString& name);

}  // namespace vx
