// Any bytes as a tag definition set of hostile group names, tag and attribute names,
// descriptions and samples, through the help page making: every group gets one page of a
// name a Windows folder can hold, that is no device, not the index and not the name of
// another page as Windows compares names; a group whose name is such a name already keeps
// it; the index comes last, and every link of the index points at a page of the same run.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>

#include "framework/core/SysUtils.h"
#include "tageditor/HelpPages.h"

using namespace vx;

namespace {

// Fields of the input, each ended by a zero byte (or the end of the input).
struct Fields {
  const uint8_t* p;
  const uint8_t* end;
  bool More() const { return p < end; }
  AnsiString Next() {
    const uint8_t* start = p;
    while (p < end && *p != 0) ++p;
    AnsiString s(reinterpret_cast<const char*>(start), static_cast<size_t>(p - start));
    if (p < end) ++p;
    return s;
  }
  uint8_t Byte(const AnsiString& field, size_t i) const {
    return i < field.size() ? static_cast<uint8_t>(field[i]) : 0;
  }
};

// group names; then per tag: name, end tag, description, "kind group count"; then per
// attribute: name, description, "required".
void BuildSet(Fields& in, THTMLGroup& set) {
  set.SetGroupNames(in.Next());
  while (in.More() && set.Tags().Count() < 64) {
    auto* tag = new THTMLTagDef;
    set.Tags().AddObject("", tag);
    tag->SetName(in.Next());
    set.Tags().SetStrings(set.Tags().Count() - 1, tag->Name());
    tag->SetEndTag(in.Next());
    tag->SetDescription(in.Next());
    AnsiString meta = in.Next();
    tag->SetKind(static_cast<TTagKind>(in.Byte(meta, 0) % 3));
    tag->SetGroupIndex(static_cast<int8_t>(in.Byte(meta, 1)));
    for (int n = in.Byte(meta, 2) % 8; n > 0 && in.More(); --n) {
      auto* a = new THTMLAttribDef;
      tag->Attribs().AddObject("", a);
      a->SetName(in.Next());
      tag->Attribs().SetStrings(tag->Attribs().Count() - 1, a->Name());
      a->SetDescription(in.Next());
      a->SetRequired(static_cast<TAttribRequired>(in.Byte(in.Next(), 0) % 3));
    }
  }
}

// Names compared as the pages are made for (the Western code page).
std::u16string Upper(const AnsiString& s) { return WesternFold(s); }

bool WindowsCanHold(const AnsiString& name) {
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c)) return false;
  return true;
}

bool IsDevice(const AnsiString& file) {
  std::u16string stem = Upper(file.substr(0, file.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  static const std::set<std::u16string> devices{
      u"CON",  u"PRN",  u"AUX",  u"NUL",  u"CONIN$", u"CONOUT$", u"COM0",     u"COM1",     u"COM2",     u"COM3",
      u"COM4", u"COM5", u"COM6", u"COM7", u"COM8",   u"COM9",    u"LPT0",     u"LPT1",     u"LPT2",     u"LPT3",
      u"LPT4", u"LPT5", u"LPT6", u"LPT7", u"LPT8",   u"LPT9",    u"COM\u00B9", u"COM\u00B2", u"COM\u00B3", u"LPT\u00B9",
      u"LPT\u00B2", u"LPT\u00B3"};
  return devices.count(stem) != 0;
}

bool StartsWith(const AnsiString& s, const AnsiString& prefix) { return s.compare(0, prefix.size(), prefix) == 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Fields in{data, data + size};
  THTMLGroup set;
  BuildSet(in, set);
  TStringList groups;
  groups.SetText(set.GroupNames());

  std::set<AnsiString> pages;
  std::set<std::u16string> folded{u"INDEX.HTM"}, kept;
  THelpLines index;
  int calls = 0;
  GenerateHelpPages(set, [&](const AnsiString& file, const THelpLines& lines) {
    if (!index.empty()) std::abort();  // nothing after the index
    if (file == "index.htm" && calls == groups.Count()) {
      index = lines;
      return;
    }
    if (calls >= groups.Count()) std::abort();
    const AnsiString group = groups[calls++];
    if (file.size() < 4 || file.compare(file.size() - 4, 4, ".htm") != 0) std::abort();
    if (!WindowsCanHold(file) || IsDevice(file) || !folded.insert(Upper(file)).second) std::abort();
    // A name that is a fine page name and the first of its spelling stays as it is.
    const AnsiString own = LowerCase(group) + ".htm";
    if (WindowsCanHold(group) && !IsDevice(own) && Upper(own) != u"INDEX.HTM" && kept.insert(Upper(own)).second &&
        file != own)
      std::abort();
    pages.insert(file);
  });
  if (index.empty()) std::abort();

  int listed = 0, links = 0;
  for (int t = 0; t < set.Tags().Count(); ++t) {
    int g = set.TagAt(t)->GroupIndex();
    if (g >= 0 && g < groups.Count()) ++listed;
  }
  for (const AnsiString& line : index) {
    if (!StartsWith(line, "<A HREF=\"")) continue;
    ++links;
    bool known = false;
    for (const AnsiString& page : pages)
      if (StartsWith(line, "<A HREF=\"" + page + "#")) known = true;
    if (!known) std::abort();
  }
  if (links != listed) std::abort();
  return 0;
}
