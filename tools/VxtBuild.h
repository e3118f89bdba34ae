// vxtbuild: turns the readable tag definition source into a tag definition file.
#pragma once

#include <ostream>
#include <string>

#include "tagdefs/teTagType.h"
#include "tools/VxtSource.h"

namespace vx {

// Fills the set from a parsed source: the set is cleared first and takes the source's
// specification name, group names and tags in source order.
void BuildTagGroup(const TVxtSource& source, THTMLGroup& group);

// The whole tool: "vxtbuild SOURCE OUTPUT". Parses and checks all of SOURCE before
// anything is written, then saves OUTPUT through THTMLGroup::SaveToFile, which replaces
// the old file only once the new one is complete. Returns the process exit code;
// messages go to out (progress) and err (mistakes, as "file:line: error: text").
int VxtBuildMain(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace vx
