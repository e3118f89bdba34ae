// The attribute text of one tag, without any window: existing text such as the part of
// a tag between its name and its ">" becomes one value per defined attribute, and the
// values become attribute text again. The attribute editor keeps its grid rows in step
// with an object of this class.
#pragma once

#include <vector>

#include "tagdefs/teTagType.h"

namespace vx {

struct TParRow {
  AnsiString Caption;  // the attribute's name as defined
  AnsiString Value;
  bool IsFlag = false;
};

class TParAttributes {
 public:
  // The LowerCase option: names, values and pick-list entries produced in lower case.
  bool LowerCaseTags = false;

  // One row per attribute of the tag, in its list's order, all values empty.
  void LoadTag(const THTMLTagDef& tag);
  std::vector<TParRow>& Rows() { return rows_; }
  const std::vector<TParRow>& Rows() const { return rows_; }

  // Sets the values of the attributes the text names. A bare name, or one with an empty
  // value, means TRUE. Attributes the tag does not define are kept as written, to be
  // written back after the built text.
  void ParseAttributes(const AnsiString& text);
  // Each attribute with a value, preceded by one blank: a flag that is TRUE as its bare
  // name, any other as name="value" (a double quote in the value as &quot;); then the
  // kept unknown attributes.
  AnsiString BuildAttributes() const;
  const std::vector<AnsiString>& Unknown() const { return unknown_; }

  // The text split into attributes: blank separated, quotes of either kind protect
  // blanks, blanks around "=" outside quotes do not separate.
  static std::vector<AnsiString> SplitAttributes(const AnsiString& text);

 private:
  const THTMLTagDef* tag_ = nullptr;
  std::vector<TParRow> rows_;
  std::vector<AnsiString> unknown_;
};

}  // namespace vx
