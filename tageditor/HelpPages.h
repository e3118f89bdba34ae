// The help pages made from a tag definition set: one page per group with a table entry
// for each tag of the group, and an index that links to every tag by group.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tagdefs/teTagType.h"

namespace vx {

using THelpLines = std::vector<AnsiString>;
// Receives a finished page: its file name (without folder) and its lines.
using THelpPageSink = std::function<void(const AnsiString& fileName, const THelpLines& lines)>;

// The page file of a group: the name lower-cased with ".htm". Every character that a
// Windows file name cannot hold (\ / : * ? " < > | and control characters) becomes "_",
// so that every group gets a page inside the destination; the index links to the same name.
AnsiString HelpPageFileName(const AnsiString& groupName);

// How a system compares file names: a name read in its code page and upper-cased as it
// compares them, the same for names it takes for one another.
using TNameFold = std::function<std::u16string(const AnsiString&)>;
// Windows' rule in the Western code page (1252).
std::u16string WesternFold(const AnsiString& name);

// Whether Windows opens a device for the name: CON, PRN, AUX, NUL, CONIN$, CONOUT$, COM0-9
// and LPT0-9 (also with the superscript digits) before the first dot, blanks after them
// ignored, in any letter case.
bool IsDeviceName(const AnsiString& fileName, const TNameFold& fold);

// The page files of all groups, in group order. A name that is already safe and the first of
// its spelling is kept as HelpPageFileName gives it; any other (a device name such as "con" or
// "aux.txt", "index", a name that needed "_", one Windows takes for an earlier one) gets a
// "_" in front for a device name and "_2", "_3"... at the end until it is one of its own.
// Names are compared through the fold of the system the pages are written on.
std::vector<AnsiString> HelpPageFileNames(const TStringList& groups, const TNameFold& fold = WesternFold);

// The rows of one tag: its anchored heading, its description, its attributes.
void AddTagHelp(THelpLines& page, const THTMLTagDef& tag);

// Every group page in group order, then "index.htm", each handed to the sink as soon as
// it is complete; a sink that throws stops the run (later pages and the index unwritten).
void GenerateHelpPages(const THTMLGroup& set, const THelpPageSink& sink, const TNameFold& fold = WesternFold);

}  // namespace vx
