// The tag editor's rules that need no window: new and copied tags, end tags, pick lists,
// the code sample's text conversion and highlighting words, and the memory figure.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tagdefs/teTagType.h"

namespace vx {

// The end tag a tag with an ending tag gets: "/" and its name.
AnsiString DefaultEndTag(const AnsiString& tagName);

// A new tag as "Add" makes it: end tag "/NAME", kind 1, group 0, nothing else.
std::unique_ptr<THTMLTagDef> MakeNewTag(const AnsiString& name);
// A tag copied from another: the new name and its end tag, the source's kind,
// description, group and browsers, and a full copy of each chosen attribute. Neither
// the end tag nor the extra text is copied.
std::unique_ptr<THTMLTagDef> MakeCopiedTag(const AnsiString& name, const THTMLTagDef& source,
                                           const std::vector<const THTMLAttribDef*>& attribs);

// Pick-list text upper-cased, its lines sorted without regard to case.
AnsiString SortPickList(const AnsiString& text);

// "<" and ">" written as "&lt;" and "&gt;", so a code sample shows as text.
AnsiString EscapeSampleText(const AnsiString& text);
// Whether a word of the code sample (with its "<") is one of the tags drawn in green.
bool IsSampleTagWord(const AnsiString& word);

// A number of bytes as whole kilobytes with thousands separators: "8,388,608 KB".
AnsiString FormatKilobytes(uint64_t bytes, char thousandsSeparator);

}  // namespace vx
