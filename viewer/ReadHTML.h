// The document builder: a recursive-descent parser over the scanner's symbols that fills a
// section list (paragraphs, list items, rules, spaces, tables, forms, maps) and an anchor
// list. Every parse has its own state object, so one parse never sees another's.
#pragma once

#include <string>

#include "framework/core/Classes.h"
#include "viewer/HTMLScanner.h"
#include "viewer/HTMLSubs.h"

namespace vx {

// The three strings a parse leaves for its caller.
struct THtmlDocInfo {
  std::string Title, BaseHref, BaseTarget;
};

// Nesting beyond these is skipped: deeper openers are read past as unknown tags, so no
// document can exhaust the stack (tables also cost about twice per level in layout).
constexpr int kMaxListNesting = 100;
constexpr int kMaxTableNesting = 8;
constexpr int kMaxFontStack = 25;

// The HTML parse entries. Each fills a section list the caller made and cleared; anchors
// (upper-cased names with the section holding each) go into the caller's list, the first of
// equal names winning. info, when given, receives the title, base href and base target.
// Parse errors (a comment open at the end) reach the caller from memory and strings, and are
// swallowed from files, keeping what was built. A file that cannot be opened raises EFOpenError.
void ParseHtmlMemory(TSectionList& list, TStrings* anchors, const char* buffer, size_t length,
                     THtmlDocInfo* info = nullptr);
void ParseHtmlStrings(TSectionList& list, TStrings* anchors, const TStrings& strings, THtmlDocInfo* info = nullptr);
void ParseHtmlFile(TSectionList& list, TStrings* anchors, const std::string& fileName, THtmlDocInfo* info = nullptr);
// Plain text: preformatted lines, no tags and no entities (comments still vanish).
void ParseTextFile(TSectionList& list, TStrings* anchors, const std::string& fileName);
void ParseTextStrings(TSectionList& list, TStrings* anchors, const TStrings& strings);

// A colour from a document (name or hexadecimal RGB) as 0x00BBGGRR, marked palette-relative;
// false when the text is neither.
bool ReadColorValue(const std::string& text, THtColor& color);

}  // namespace vx
