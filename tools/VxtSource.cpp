#include "tools/VxtSource.h"

#include <fstream>
#include <map>
#include <sstream>

namespace vx {

namespace {

const char* const kCrLf = "\r\n";

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i) out += kCrLf;
    out += lines[i];
  }
  return out;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string TrimBlanks(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> SplitWords(const std::string& s) {
  std::vector<std::string> words;
  std::istringstream in(s);
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

bool HasLowerCase(const std::string& s) {
  for (char c : s)
    if (c >= 'a' && c <= 'z') return true;
  return false;
}

// Tag names: letters, digits and the few marks that real tag names carry.
bool IsTagName(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '!' || c == '-')) return false;
  return true;
}

bool IsAttribName(const std::string& s) {
  if (s.empty() || !(s[0] >= 'A' && s[0] <= 'Z')) return false;
  for (char c : s)
    if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_')) return false;
  return true;
}

struct BrowserWord {
  const char* word;
  std::uint8_t bits;
};
const BrowserWord kBrowsers[] = {{"netscape", 1}, {"ie", 2}, {"mosaic", 4}, {"preview", 8}, {"all", 15}, {"none", 0}};

// An attribute while its tag is still open: its browser list may depend on the tag's.
struct PendingAttrib {
  TVxtAttribSource a;
  bool browsersGiven = false;
  bool browsersRelative = false;
  std::uint8_t add = 0, remove = 0;
  bool typeGiven = false, requiredGiven = false, filterGiven = false, descGiven = false;
  std::vector<std::string> pick;
  std::vector<std::string> desc;
  int requiredLine = 0;
  int pickLine = 0;
  int filterLine = 0;
};

struct AttribSet {
  std::vector<PendingAttrib> attribs;
  int line = 0;
};

class Parser {
 public:
  Parser(const std::string& text, const std::string& fileName) : text_(text), file_(fileName) {}

  TVxtSource Run() {
    std::istringstream in(text_);
    std::string raw;
    while (std::getline(in, raw)) {
      ++line_;
      if (!raw.empty() && raw.back() == '\r') raw.pop_back();
      for (unsigned char c : raw)
        if (c >= 0x80 || (c < 0x20 && c != '\t'))
          Fail("character outside 7-bit text; write it as an HTML character reference");
      std::string l = TrimBlanks(raw);
      if (l.empty() || l[0] == '#') continue;
      size_t sp = 0;
      while (sp < l.size() && !IsBlank(l[sp])) ++sp;
      std::string key = l.substr(0, sp);
      std::string value = TrimBlanks(l.substr(sp));
      Line(key, value);
    }
    CloseBlock();
    if (!specGiven_) FailAt(line_ ? line_ : 1, "the set has no 'spec' line");
    return std::move(out_);
  }

 private:
  enum class Block { None, Tag, Set };

  [[noreturn]] void Fail(const std::string& text) { FailAt(line_, text); }
  [[noreturn]] void FailAt(int line, const std::string& text) { throw EVxtSyntaxError(file_, line, text); }

  void NeedValue(const std::string& key, const std::string& value) {
    if (value.empty()) Fail("'" + key + "' needs a value");
  }
  void NoValue(const std::string& key, const std::string& value) {
    if (!value.empty()) Fail("'" + key + "' takes no value");
  }

  void Line(const std::string& key, const std::string& value) {
    if (key == "spec") {
      CloseBlock();
      NeedValue(key, value);
      if (specGiven_) Fail("'spec' given twice");
      specGiven_ = true;
      out_.Name = value;
    } else if (key == "groupname") {
      CloseBlock();
      NeedValue(key, value);
      for (const auto& g : out_.GroupNames)
        if (g == value) Fail("group '" + value + "' named twice");
      out_.GroupNames.push_back(value);
    } else if (key == "filterdef") {
      CloseBlock();
      auto words = SplitWords(value);
      if (words.size() < 2) Fail("'filterdef' needs a name and a filter");
      const std::string name = words[0];
      if (filters_.count(name)) Fail("filter '" + name + "' defined twice");
      filters_[name] = TrimBlanks(value.substr(value.find(name) + name.size()));
    } else if (key == "attrset") {
      CloseBlock();
      NeedValue(key, value);
      if (!IsAttribName(value)) Fail("attribute set name '" + value + "' is not an upper-case name");
      if (sets_.count(value)) Fail("attribute set '" + value + "' defined twice");
      block_ = Block::Set;
      setName_ = value;
      set_ = AttribSet();
      set_.line = line_;
    } else if (key == "tag") {
      CloseBlock();
      StartTag(value);
    } else if (key == "use") {
      if (block_ == Block::None) Fail("'use' outside a tag or attribute set");
      NeedValue(key, value);
      CloseAttrib();
      auto it = sets_.find(value);
      if (it == sets_.end()) Fail("unknown attribute set '" + value + "'");
      for (const auto& p : it->second.attribs) AddAttrib(p);
    } else if (key == "attr") {
      if (block_ == Block::None) Fail("'attr' outside a tag or attribute set");
      NeedValue(key, value);
      CloseAttrib();
      if (HasLowerCase(value)) Fail("attribute name '" + value + "' must be upper case");
      if (!IsAttribName(value)) Fail("'" + value + "' is not an attribute name");
      PendingAttrib p;
      p.a.Name = value;
      p.a.Line = line_;
      AddAttrib(p);
      inAttrib_ = true;
    } else if (inAttrib_) {
      AttribField(key, value);
    } else if (block_ == Block::Tag) {
      TagField(key, value);
    } else if (block_ == Block::Set) {
      Fail("'" + key + "' in an attribute set must follow an 'attr' line");
    } else if (IsTagFieldKey(key) || IsAttribFieldKey(key)) {
      Fail("'" + key + "' outside a tag");
    } else {
      Fail("unknown keyword '" + key + "'");
    }
  }

  static bool IsTagFieldKey(const std::string& k) {
    return k == "kind" || k == "end" || k == "group" || k == "browsers" || k == "desc";
  }
  static bool IsAttribFieldKey(const std::string& k) {
    return k == "type" || k == "pick" || k == "filter" || k == "required" || k == "flag" || k == "browsers" ||
           k == "desc";
  }

  std::vector<PendingAttrib>& Attribs() { return block_ == Block::Set ? set_.attribs : attribs_; }

  void AddAttrib(const PendingAttrib& p) {
    auto& list = Attribs();
    for (const auto& q : list)
      if (q.a.Name == p.a.Name)
        Fail("attribute " + p.a.Name + " given twice (first at line " + std::to_string(q.a.Line) + ")");
    list.push_back(p);
  }

  void StartTag(const std::string& name) {
    NeedValue("tag", name);
    if (HasLowerCase(name)) Fail("tag name '" + name + "' must be upper case");
    if (!IsTagName(name)) Fail("'" + name + "' is not a tag name");
    auto seen = tagLines_.find(name);
    if (seen != tagLines_.end())
      Fail("tag " + name + " defined twice (first at line " + std::to_string(seen->second) + ")");
    tagLines_[name] = line_;
    block_ = Block::Tag;
    tag_ = TVxtTagSource();
    tag_.Name = name;
    tag_.Line = line_;
    attribs_.clear();
    tagDesc_.clear();
    kindGiven_ = endGiven_ = groupGiven_ = browsersGiven_ = false;
  }

  void Once(bool& given, const std::string& key) {
    if (given) Fail("'" + key + "' given twice");
    given = true;
  }

  void TagField(const std::string& key, const std::string& value) {
    if (key == "kind") {
      Once(kindGiven_, key);
      if (value == "alone")
        tag_.Kind = 0;
      else if (value == "end")
        tag_.Kind = 1;
      else if (value == "either")
        tag_.Kind = 2;
      else
        Fail("kind must be alone, end or either, not '" + value + "'");
    } else if (key == "end") {
      Once(endGiven_, key);
      NeedValue(key, value);
      tag_.EndTag = value == "none" ? std::string() : value;
    } else if (key == "group") {
      Once(groupGiven_, key);
      NeedValue(key, value);
      if (value == "none") {
        tag_.GroupIndex = -1;
      } else {
        int found = -1;
        for (size_t i = 0; i < out_.GroupNames.size(); ++i)
          if (out_.GroupNames[i] == value) found = static_cast<int>(i);
        if (found < 0) Fail("unknown group '" + value + "' (declare it with 'groupname')");
        tag_.GroupIndex = found;
      }
    } else if (key == "browsers") {
      Once(browsersGiven_, key);
      bool relative = false;
      std::uint8_t add = 0, remove = 0;
      tag_.Browsers = ParseBrowsers(value, relative, add, remove);
      if (relative) Fail("a tag's browser list cannot be relative");
    } else if (key == "desc") {
      tagDesc_.push_back(value);
    } else if (IsAttribFieldKey(key)) {
      Fail("'" + key + "' must follow an 'attr' line");
    } else {
      Fail("unknown keyword '" + key + "'");
    }
  }

  void AttribField(const std::string& key, const std::string& value) {
    PendingAttrib& p = Attribs().back();
    if (key == "type") {
      Once(p.typeGiven, key);
      static const char* const types[] = {"text", "numeric", "color", "picklist", "file", "image"};
      int t = -1;
      for (int i = 0; i < 6; ++i)
        if (value == types[i]) t = i;
      if (t < 0) Fail("type must be text, numeric, color, picklist, file or image, not '" + value + "'");
      p.a.AttrType = static_cast<std::uint8_t>(t);
    } else if (key == "pick") {
      NeedValue(key, value);
      if (!p.pickLine) p.pickLine = line_;
      for (const auto& w : SplitWords(value)) {
        if (HasLowerCase(w)) Fail("pick-list value '" + w + "' must be upper case");
        for (const auto& q : p.pick)
          if (q == w) Fail("pick-list value '" + w + "' given twice");
        p.pick.push_back(w);
      }
    } else if (key == "filter") {
      Once(p.filterGiven, key);
      NeedValue(key, value);
      p.filterLine = line_;
      if (value[0] == '@') {
        auto it = filters_.find(value.substr(1));
        if (it == filters_.end()) Fail("unknown filter '" + value.substr(1) + "'");
        p.a.Filter = it->second;
      } else {
        p.a.Filter = value;
      }
      // An odd number of parts would pair a description with no mask.
      size_t bars = 0;
      for (char c : p.a.Filter) bars += c == '|';
      if (bars % 2 == 0) Fail("a filter is pairs of a description and a mask, joined by '|'");
    } else if (key == "required") {
      Once(p.requiredGiven, key);
      auto words = SplitWords(value);
      p.requiredLine = line_;
      if (words.size() == 1 && words[0] == "no") {
        p.a.Required = 0;
      } else if (words.size() == 1 && words[0] == "yes") {
        p.a.Required = 1;
      } else if (words.size() == 2 && words[0] == "unless") {
        if (words[1] == p.a.Name) Fail("an attribute cannot stand in for itself");
        p.a.Required = 2;
        p.a.OtherAttrib = words[1];
      } else {
        Fail("required must be no, yes or 'unless <ATTR>'");
      }
    } else if (key == "flag") {
      NoValue(key, value);
      if (p.a.IsFlag) Fail("'flag' given twice");
      p.a.IsFlag = true;
    } else if (key == "browsers") {
      Once(p.browsersGiven, key);
      p.a.Browsers = ParseBrowsers(value, p.browsersRelative, p.add, p.remove);
    } else if (key == "desc") {
      p.descGiven = true;
      p.desc.push_back(value);
    } else if (key == "kind" || key == "end" || key == "group") {
      Fail("'" + key + "' belongs before the tag's first attribute");
    } else {
      Fail("unknown keyword '" + key + "'");
    }
  }

  std::uint8_t ParseBrowsers(const std::string& value, bool& relative, std::uint8_t& add, std::uint8_t& remove) {
    NeedValue("browsers", value);
    auto words = SplitWords(value);
    std::uint8_t bits = 0;
    bool absolute = false;
    relative = false;
    add = remove = 0;
    for (const auto& w : words) {
      char sign = (w[0] == '+' || w[0] == '-') ? w[0] : 0;
      std::string name = sign ? w.substr(1) : w;
      int b = -1;
      for (const auto& bw : kBrowsers)
        if (name == bw.word) b = bw.bits;
      if (b < 0) Fail("unknown browser '" + name + "' (netscape, ie, mosaic, preview, all, none)");
      if (sign == '+')
        add |= b;
      else if (sign == '-')
        remove |= b;
      else
        bits |= b;
      (sign ? relative : absolute) = true;
    }
    if (relative && absolute) Fail("a browser list is either all '+'/'-' changes or a plain list");
    return bits;
  }

  void CloseAttrib() {
    if (!inAttrib_) return;
    inAttrib_ = false;
    PendingAttrib& p = Attribs().back();
    const bool pickType = p.a.AttrType == 3;
    if (pickType && p.pick.empty()) FailAt(p.a.Line, "pick-list attribute " + p.a.Name + " has no 'pick' values");
    if (!pickType && !p.pick.empty())
      FailAt(p.pickLine, "'pick' values given for " + p.a.Name + ", which is not of type picklist");
    if (p.a.IsFlag && pickType) FailAt(p.a.Line, "flag " + p.a.Name + " cannot be a pick list");
    if (p.filterGiven && p.a.AttrType != 4 && p.a.AttrType != 5)
      FailAt(p.filterLine, "'filter' is only for file and image attributes");
    p.a.PickList = JoinLines(p.pick);
    p.a.Description = JoinLines(p.desc);
    if (!p.descGiven) FailAt(p.a.Line, "attribute " + p.a.Name + " has no 'desc'");
  }

  void CloseBlock() {
    CloseAttrib();
    if (block_ == Block::Set) {
      sets_[setName_] = set_;
    } else if (block_ == Block::Tag) {
      FinishTag();
    }
    block_ = Block::None;
  }

  void FinishTag() {
    if (!kindGiven_) FailAt(tag_.Line, "tag " + tag_.Name + " has no 'kind'");
    if (tagDesc_.empty()) FailAt(tag_.Line, "tag " + tag_.Name + " has no 'desc'");
    if (!endGiven_ && tag_.Kind != 0) tag_.EndTag = "/" + tag_.Name;
    tag_.Description = JoinLines(tagDesc_);
    for (auto& p : attribs_) {
      if (p.a.Required == 2) {
        bool found = false;
        for (const auto& q : attribs_) found |= q.a.Name == p.a.OtherAttrib;
        if (!found)
          FailAt(p.requiredLine ? p.requiredLine : p.a.Line,
                 "'" + p.a.OtherAttrib + "' is not an attribute of tag " + tag_.Name);
      }
      if (!p.browsersGiven)
        p.a.Browsers = tag_.Browsers;
      else if (p.browsersRelative)
        p.a.Browsers = static_cast<std::uint8_t>((tag_.Browsers | p.add) & ~p.remove);
      tag_.Attribs.push_back(p.a);
    }
    out_.Tags.push_back(std::move(tag_));
  }

  const std::string& text_;
  std::string file_;
  int line_ = 0;
  TVxtSource out_;
  bool specGiven_ = false;
  Block block_ = Block::None;
  bool inAttrib_ = false;
  std::map<std::string, std::string> filters_;
  std::map<std::string, AttribSet> sets_;
  std::map<std::string, int> tagLines_;
  std::string setName_;
  AttribSet set_;
  TVxtTagSource tag_;
  std::vector<PendingAttrib> attribs_;
  std::vector<std::string> tagDesc_;
  bool kindGiven_ = false, endGiven_ = false, groupGiven_ = false, browsersGiven_ = false;
};

}  // namespace

std::string TVxtSource::GroupNamesText() const { return JoinLines(GroupNames); }

EVxtSyntaxError::EVxtSyntaxError(const std::string& fileName, int line, const std::string& text)
    : Exception(fileName + ":" + std::to_string(line) + ": " + text), fileName_(fileName), line_(line), text_(text) {}

TVxtSource ParseVxtSource(const std::string& text, const std::string& fileName) { return Parser(text, fileName).Run(); }

TVxtSource LoadVxtSource(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EFOpenError("Cannot open file " + fileName);
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) throw EReadError("Stream read error");
  return ParseVxtSource(s.str(), fileName);
}

}  // namespace vx
