// The readable source form of a tag definition set (data/standard.vxd) and its parser.
//
// The source is a list of keyword lines; a '#' line is a comment, blank lines and
// indentation carry no meaning. Top-level lines:
//   spec <text>                      the set's specification name
//   groupname <text>                 the next group name (group indexes count from 0)
//   filterdef <NAME> <filter>        a named file filter, used as "filter @NAME"
//   attrset <NAME>                   a reusable run of attributes (attr blocks follow)
//   tag <NAME>                       a tag; its fields and attr blocks follow
// Tag fields, before the tag's first attribute:
//   kind alone|end|either            required
//   end <text>|none                  default "/NAME" (none for a stand-alone tag)
//   group <group name>|none          default none
//   browsers <list>                  netscape ie mosaic preview, or all / none
//   desc <html>                      repeated lines are joined with CR LF
// Anywhere in a tag or an attribute set:
//   use <SET>                        appends the set's attributes
//   attr <NAME>                      starts an attribute; its fields follow
// Attribute fields:
//   type text|numeric|color|picklist|file|image      default text
//   pick <VALUE> ...                 pick-list values, blank separated, upper case
//   filter <filter>|@NAME            file filter of a file or image attribute
//   required no|yes|unless <ATTR>    default no
//   flag                             the attribute takes no value
//   browsers <list>                  default the tag's; "+x -y" adjusts the tag's list
//   desc <html>
// Texts are 7-bit: other characters are written as HTML character references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"

namespace vx {

// One parsed attribute, with the values the tag definition file stores.
struct TVxtAttribSource {
  std::string Name;
  std::string PickList;  // values joined with CR LF
  std::string Filter;
  std::string OtherAttrib;
  std::string Description;  // lines joined with CR LF
  std::uint8_t AttrType = 0;
  std::uint8_t Required = 0;
  bool IsFlag = false;
  std::uint8_t Browsers = 0;
  int Line = 0;  // where the attribute's block starts
};

struct TVxtTagSource {
  std::string Name;
  std::string EndTag;
  std::string Description;
  std::uint8_t Kind = 0;
  int GroupIndex = -1;
  std::uint8_t Browsers = 0;
  std::vector<TVxtAttribSource> Attribs;
  int Line = 0;
};

struct TVxtSource {
  std::string Name;
  std::vector<std::string> GroupNames;
  std::vector<TVxtTagSource> Tags;

  // The group names as the file stores them: one per line, CR LF between lines.
  std::string GroupNamesText() const;
};

// A mistake in the source: the file name and line travel with it, and the message
// reads "file:line: text" so that editors and build logs can jump to it.
class EVxtSyntaxError : public Exception {
 public:
  EVxtSyntaxError(const std::string& fileName, int line, const std::string& text);
  const char* ClassName() const override { return "EVxtSyntaxError"; }
  const std::string& FileName() const { return fileName_; }
  int Line() const { return line_; }
  const std::string& Text() const { return text_; }

 private:
  std::string fileName_;
  int line_;
  std::string text_;
};

// Parses a whole source text; fileName is only used in error messages. Throws
// EVxtSyntaxError at the first mistake.
TVxtSource ParseVxtSource(const std::string& text, const std::string& fileName);

// Reads and parses a source file (EFOpenError when it cannot be read).
TVxtSource LoadVxtSource(const std::string& fileName);

}  // namespace vx
