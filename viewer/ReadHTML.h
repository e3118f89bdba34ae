// The document builder: a recursive-descent parser over the scanner's symbols that fills a
// section list (paragraphs, list items, rules, spaces, tables, forms, maps) and an anchor
// list, and reads frame documents into frame sets. Every parse has its own state object, so
// one parse never sees another's.
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
constexpr int kMaxFrameSetNesting = 100;
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

// What a frame document is read into: the frame viewer's sets implement it.
class TFrameSetSink {
 public:
  virtual ~TFrameSetSink() = default;
  virtual void SetAttributes(const TAttributeList& a) = 0;  // ROWS, COLS of the FRAMESET
  virtual TFrameSetSink* AddFrameSet() = 0;                 // a child set of the same master
  virtual void AddFrame(const TAttributeList& a) = 0;
  virtual void FinishFrames() = 0;  // sizes and children arranged
};
// True when a FRAMESET was read into set; parse errors reach the caller.
bool ParseFramesetFile(TFrameSetSink& set, const std::string& fileName, THtmlDocInfo* info = nullptr);
// Whether a FRAMESET comes before any body content; false on a parse error.
bool IsFramesetDocument(const std::string& fileName);

// A colour from a document (name or hexadecimal RGB) as 0x00BBGGRR, marked palette-relative;
// false when the text is neither.
bool ReadColorValue(const std::string& text, THtColor& color);

}  // namespace vx
