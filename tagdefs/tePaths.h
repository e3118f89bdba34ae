// The program folder, and the relative, lower-case references written into HTML.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The running program's folder with a trailing separator.
AnsiString GetAppDir();
// The text from the second character after the first ":" (C:\WORK\A gives WORK\A; C:
// gives ""); a path without ":" unchanged.
AnsiString StripDrive(const AnsiString& path);
AnsiString MStripDrive(const AnsiString& path);
// The reference from the base folder to the target folder: "../" per base part beyond
// the common ones, then the target's further parts joined by "/" (a target with its
// trailing "\" gives "" or text ending in "/"). A base with a trailing "\" is that folder
// itself. Folders on different drives, or a UNC folder and any folder not on the same
// share, have no relative reference: the result is FileToURL of the target.
AnsiString RelativePath(const AnsiString& base, const AnsiString& target);
AnsiString MRelativePath(const AnsiString& base, const AnsiString& target);
// "file:///" and the path with ":" as "|" and "\" as "/".
AnsiString FileToURL(const AnsiString& path);
// From the current folder to the file: RelativePath to its folder and the name in lower
// case; FileToURL of the file when no relative reference exists.
AnsiString RelativeURL(const AnsiString& fileName);
// The text with A-Z lower-cased when the flag is set.
AnsiString LowerCaseIf(const AnsiString& s, bool lower);
void SwapInt(int& a, int& b);

}  // namespace vx
