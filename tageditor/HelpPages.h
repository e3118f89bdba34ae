// The help pages made from a tag definition set: one page per group with a table entry
// for each tag of the group, and an index that links to every tag by group.
#pragma once

#include <functional>
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

// The page files of all groups, in group order. A name that is already safe and the first of
// its spelling is kept as HelpPageFileName gives it; any other (a device name such as "con" or
// "aux.txt", "index", a name that needed "_", one Windows takes for an earlier one) gets a
// "_" in front for a device name and "_2", "_3"... at the end until it is one of its own.
std::vector<AnsiString> HelpPageFileNames(const TStringList& groups);

// The rows of one tag: its anchored heading, its description, its attributes.
void AddTagHelp(THelpLines& page, const THTMLTagDef& tag);

// Every group page in group order, then "index.htm", each handed to the sink as soon as
// it is complete; a sink that throws stops the run (later pages and the index unwritten).
void GenerateHelpPages(const THTMLGroup& set, const THelpPageSink& sink);

}  // namespace vx
