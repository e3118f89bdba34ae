#include "tagdefs/ParAttribs.h"

#include "tagdefs/tePaths.h"

namespace vx {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

// One enclosing pair of quotes off (an unclosed opening quote alone).
AnsiString Unquote(const AnsiString& v) {
  if (v.empty() || !IsQuote(v[0])) return v;
  if (v.size() >= 2 && v.back() == v[0]) return v.substr(1, v.size() - 2);
  return v.substr(1);
}

AnsiString QuoteEscaped(const AnsiString& v) {
  AnsiString r;
  r.reserve(v.size());
  for (char c : v) {
    if (c == '"')
      r += "&quot;";
    else
      r += c;
  }
  return r;
}

}  // namespace

std::vector<AnsiString> TParAttributes::SplitAttributes(const AnsiString& text) {
  std::vector<AnsiString> fields;
  AnsiString cur;
  char quote = 0;
  bool valueStart = false, hasEq = false;
  auto flush = [&] {
    if (!cur.empty()) fields.push_back(cur);
    cur.clear();
    valueStart = hasEq = false;
  };
  const size_t n = text.size();
  for (size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (quote) {
      cur += c;
      if (c == quote) quote = 0;
      continue;
    }
    if (IsBlank(c)) {
      size_t j = i;
      while (j < n && IsBlank(text[j])) ++j;
      // Blanks before the "=" of a name, or after it, join the pair.
      if ((!cur.empty() && !hasEq && j < n && text[j] == '=') || valueStart) {
        i = j - 1;
        continue;
      }
      flush();
      i = j - 1;
      continue;
    }
    if (c == '=' && !hasEq) {
      cur += c;
      hasEq = true;
      valueStart = true;
      continue;
    }
    // A quote opens a quoted run only where a value (or a field) begins.
    if (IsQuote(c) && (valueStart || cur.empty())) quote = c;
    cur += c;
    valueStart = false;
  }
  flush();
  return fields;
}

void TParAttributes::LoadTag(const THTMLTagDef& tag) {
  tag_ = &tag;
  rows_.clear();
  unknown_.clear();
  for (int i = 0, n = tag.Attribs().Count(); i < n; ++i) {
    TParRow r;
    r.Caption = tag.AttribAt(i)->Name();
    r.IsFlag = tag.AttribAt(i)->IsFlag();
    rows_.push_back(r);
  }
}

void TParAttributes::ParseAttributes(const AnsiString& text) {
  unknown_.clear();
  for (const AnsiString& f : SplitAttributes(text)) {
    size_t eq = f.find('=');
    AnsiString name = eq == AnsiString::npos ? f : f.substr(0, eq);
    AnsiString value = eq == AnsiString::npos ? AnsiString() : Unquote(f.substr(eq + 1));
    if (value.empty()) value = LowerCaseIf("TRUE", LowerCaseTags);
    int index = tag_ && !name.empty() ? tag_->Attribs().IndexOf(name) : -1;
    if (index >= 0 && index < static_cast<int>(rows_.size()))
      rows_[static_cast<size_t>(index)].Value = value;
    else
      unknown_.push_back(f);
  }
}

AnsiString TParAttributes::BuildAttributes() const {
  AnsiString r;
  const AnsiString trueText = LowerCaseIf("TRUE", LowerCaseTags);
  for (const TParRow& row : rows_) {
    if (row.IsFlag && row.Value == trueText) {
      r += " " + LowerCaseIf(row.Caption, LowerCaseTags);
    } else if (!row.Value.empty()) {
      r += " " + LowerCaseIf(row.Caption, LowerCaseTags) + "=\"" + QuoteEscaped(LowerCaseIf(row.Value, LowerCaseTags)) +
           "\"";
    }
  }
  for (const AnsiString& u : unknown_) r += " " + u;
  return r;
}

}  // namespace vx
