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

// A name Windows can take, as the file and directory edits test it: not empty and free
// of < > " and |. Unlike ValidFileName it passes blanks, "+", ",", ";", "=" and brackets,
// which are legal in Windows names ("C++ notes.htm").
bool IsLegalFileName(const AnsiString& name);
// The name in double quotes when it holds a blank and does not start with a quote.
AnsiString QuoteFileNameIfBlank(const AnsiString& name);

}  // namespace vx
