// The symbols of the HTML reader, shared by the scanner, the document builder and the
// document model: tag start and end symbols, attribute symbols and the special symbols.
// An attribute keeps its symbol in a byte, so the whole numbering stays below 256.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "framework/core/Object.h"

namespace vx {

// clang-format off
enum THtmlSymbol : uint8_t {
  // Start tags, in the order of the tag table. The first 43 also have end symbols.
  HtmlTag, TitleTag, BodyTag, HeadTag, BTag, ITag, HTag, EmTag, StrongTag, UTag,
  CiteTag, VarTag, TTTag, CodeTag, KbdTag, SampTag, OLTag, ULTag, DirTag, MenuTag,
  DLTag, ATag, AddressTag, BlockQuoteTag, PreTag, CenterTag, TableTag, TDTag, THTag,
  CaptionTag, FormTag, TextAreaTag, SelectTag, OptionTag, FontTag, SubTag, SupTag,
  BigTag, SmallTag, PTag, MapTag, FrameSetTag, NoFramesTag,
  // Start tags without an end symbol: their end tags scan as UnknownTagSym.
  LITag, BRTag, HRTag, DDTag, DTTag, ImgTag, BaseTag, TRTag, ButtonTag, InputTag,
  SelectedTag, BaseFontTag, AreaTag, FrameTag, PageTag,

  // End tags, in the same order as their start tags.
  HtmlEndTag, TitleEndTag, BodyEndTag, HeadEndTag, BEndTag, IEndTag, HEndTag, EmEndTag,
  StrongEndTag, UEndTag, CiteEndTag, VarEndTag, TTEndTag, CodeEndTag, KbdEndTag,
  SampEndTag, OLEndTag, ULEndTag, DirEndTag, MenuEndTag, DLEndTag, AEndTag,
  AddressEndTag, BlockQuoteEndTag, PreEndTag, CenterEndTag, TableEndTag, TDEndTag,
  THEndTag, CaptionEndTag, FormEndTag, TextAreaEndTag, SelectEndTag, OptionEndTag,
  FontEndTag, SubEndTag, SupEndTag, BigEndTag, SmallEndTag, PEndTag, MapEndTag,
  FrameSetEndTag, NoFramesEndTag,

  // Attributes, in the order of the attribute table (VALUE, listed twice there, is one).
  HrefAttr, NameAttr, SrcAttr, AltAttr, AlignAttr, TextAttr, BgColorAttr, LinkAttr,
  BackgroundAttr, ColSpanAttr, RowSpanAttr, BorderAttr, CellPaddingAttr, CellSpacingAttr,
  VAlignAttr, WidthAttr, StartAttr, ValueAttr, TypeAttr, CheckBoxAttr, RadioAttr,
  MethodAttr, ActionAttr, CheckedAttr, SizeAttr, MaxLengthAttr, ColsAttr, RowsAttr,
  MultipleAttr, SelectedAttr, FaceAttr, ColorAttr, TranspAttr, ClearAttr, IsMapAttr,
  BorderColorAttr, UseMapAttr, ShapeAttr, CoordsAttr, NoHrefAttr, HeightAttr, PlainAttr,
  TargetAttr, NoResizeAttr, ScrollingAttr,
  UnknownAttr,

  // Special symbols.
  TextSym,        // a run of text or a decoded character reference
  SingleCharSym,  // one character no text run takes (a control character, a lone ">")
  UnknownTagSym,  // a tag of unknown name, or an end tag of a tag without end symbol
  EofSym,         // end of the source
  EolSym,         // a line end, only inside TEXTAREA

  SymbolCount
};
// clang-format on

static_assert(SymbolCount <= 256, "attribute symbols are stored in a byte");

constexpr int TagCount = 58;            // entries of the tag table
constexpr int EndTagCount = 43;         // tags from HTML to NOFRAMES have end symbols
constexpr int AttributeNameCount = 46;  // entries of the attribute table
constexpr int EntityCount = 71;         // entity slots; two of them have no name
constexpr int ColorNameCount = 16;

constexpr bool IsStartTag(THtmlSymbol s) { return s <= PageTag; }
constexpr bool IsEndTag(THtmlSymbol s) { return s >= HtmlEndTag && s <= NoFramesEndTag; }
constexpr bool IsAttribute(THtmlSymbol s) { return s >= HrefAttr && s <= UnknownAttr; }
constexpr bool HasEndSymbol(THtmlSymbol start) { return start <= NoFramesTag; }
// The end symbol of a start tag of the first 43 (UnknownTagSym for the others).
constexpr THtmlSymbol EndTagOf(THtmlSymbol start) {
  return HasEndSymbol(start) ? THtmlSymbol(start + (HtmlEndTag - HtmlTag)) : UnknownTagSym;
}
constexpr THtmlSymbol StartTagOf(THtmlSymbol end) {
  return IsEndTag(end) ? THtmlSymbol(end - (HtmlEndTag - HtmlTag)) : UnknownTagSym;
}

// Whether a start tag's attributes replace the scanner's attribute list.
bool TakesAttributes(THtmlSymbol s);

// Table look-ups. Names of tags and attributes are given upper-case; entity names are
// compared with case significant.
THtmlSymbol LookupTag(const AnsiString& upperName);        // UnknownTagSym when absent
THtmlSymbol LookupAttribute(const AnsiString& upperName);  // UnknownAttr when absent
int LookupEntity(const AnsiString& name);                  // character code, -1 when absent
// Colour names of documents ("RED"...), value as 0x00BBGGRR; false when absent.
bool LookupColorName(const AnsiString& upperName, int& color);

// The table name of a tag or attribute symbol ("TD", "HREF"); "" for special symbols.
const char* SymbolTableName(THtmlSymbol s);
// A readable form for dumps and messages: "<TD>", "</TD>", "HREF", "text", "eof"...
AnsiString SymbolDisplayName(THtmlSymbol s);

// One parsed attribute: its symbol, its integer value and its string value.
struct TAttribute {
  THtmlSymbol Which = UnknownAttr;
  int Value = 0;
  AnsiString Name;  // the value as text
};

// The attributes of one tag, in the order written. Clearing keeps the entries' room: a
// document's thousands of tags reuse a few value buffers instead of making one each.
class TAttributeList {
 public:
  void Clear() { count_ = 0; }
  void Add(TAttribute a) { Slot() = std::move(a), Keep(); }
  // The entry after the last, to be filled in place; Keep makes it part of the list.
  TAttribute& Slot() {
    if (count_ == items_.size()) items_.emplace_back();
    return items_[count_];
  }
  void Keep() { ++count_; }
  int Count() const { return int(count_); }
  const TAttribute& operator[](int i) const {
    if (i < 0 || size_t(i) >= count_) throw std::out_of_range("TAttributeList");
    return items_[size_t(i)];
  }
  // The first attribute with this symbol, or nullptr.
  const TAttribute* Find(THtmlSymbol s) const {
    for (const TAttribute& a : *this)
      if (a.Which == s) return &a;
    return nullptr;
  }
  std::vector<TAttribute>::const_iterator begin() const { return items_.begin(); }
  std::vector<TAttribute>::const_iterator end() const { return items_.begin() + std::ptrdiff_t(count_); }

 private:
  std::vector<TAttribute> items_;
  size_t count_ = 0;
};

}  // namespace vx
