#include "tageditor/HelpPages.h"

#include <cstring>
#include <set>

#include "framework/core/SysUtils.h"

namespace vx {

namespace {

// Every character a Windows file name cannot hold.
bool NeedsReplacing(char c) { return static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c); }

}  // namespace

std::u16string WesternFold(const AnsiString& name) {
  // The characters of 0x80 to 0x9F; the five the code page leaves out stand for themselves.
  static const char16_t c1[32] = {0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                  0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x8D,   0x017D, 0x8F,
                                  0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                  0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
  std::u16string s;
  s.reserve(name.size());
  for (char ch : name) {
    unsigned char b = static_cast<unsigned char>(ch);
    char16_t c = b >= 0x80 && b < 0xA0 ? c1[b - 0x80] : b;
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    else if (c == 0x0161 || c == 0x0153 || c == 0x017E) --c;
    else if (c == 0xFF) c = 0x0178;
    s += c;
  }
  return s;
}

bool IsDeviceName(const AnsiString& fileName, const TNameFold& fold) {
  AnsiString stem = fileName.substr(0, fileName.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  const std::u16string key = fold(stem);
  for (const char16_t* device : {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"})
    if (key == device) return true;
  if (key.size() != 4 || (key.compare(0, 3, u"COM") != 0 && key.compare(0, 3, u"LPT") != 0)) return false;
  char16_t d = key[3];
  return (d >= '0' && d <= '9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
}

AnsiString HelpPageFileName(const AnsiString& groupName) {
  AnsiString name = LowerCase(groupName);
  for (char& c : name)
    if (NeedsReplacing(c)) c = '_';
  return name + ".htm";
}

std::vector<AnsiString> HelpPageFileNames(const TStringList& groups, const TNameFold& fold) {
  const int n = groups.Count();
  std::vector<AnsiString> files(n);
  std::vector<bool> placed(n, false);
  std::set<std::u16string> taken{fold("index.htm")};
  // Safe names first, so that a renamed group never takes the page a safe one has now.
  for (int g = 0; g < n; ++g) {
    const AnsiString& name = groups[g];
    files[g] = HelpPageFileName(name);
    bool safe = true;
    for (char c : name)
      if (NeedsReplacing(c)) safe = false;
    if (safe && !IsDeviceName(files[g], fold) && taken.insert(fold(files[g])).second) placed[g] = true;
  }
  for (int g = 0; g < n; ++g) {
    if (placed[g]) continue;
    AnsiString stem = files[g].substr(0, files[g].size() - 4);
    if (IsDeviceName(stem, fold)) stem = "_" + stem;
    AnsiString file = stem + ".htm";
    for (int k = 2; !taken.insert(fold(file)).second; ++k) file = stem + "_" + IntToStr(k) + ".htm";
    files[g] = file;
  }
  return files;
}

void AddTagHelp(THelpLines& page, const THTMLTagDef& tag) {
  const char* name = tag.Name().c_str();
  page.push_back(Format(
      "<TR><TH colspan=\"3\" align=\"left\" BgColor=\"Navy\"><FONT COLOR=\"WHITE\"><A NAME=%s>%s</A></FONT></TH></TR>",
      name, name));
  page.push_back("<TR><TD colspan=3>");
  page.push_back(tag.Description());
  page.push_back("</TD></TR>");
  page.push_back("<TR><TH colspan=\"3\" align=\"left\" BgColor=\"yellow\">Attributes</TH></TR>");
  if (tag.Attribs().Count() == 0) page.push_back("<TR><TD colspan=\"3\"><I>None</I></TD></TR>");
  for (int i = 0; i < tag.Attribs().Count(); ++i) {
    const THTMLAttribDef* a = tag.AttribAt(i);
    if (a->Required() == arRequired)
      page.push_back(Format("<TR><TH Align=\"Left\"><FONT Color=\"Red\">%s</FONT></TH><TD>[R]</TD><TD>%s</TD></TR>",
                            a->Name().c_str(), a->Description().c_str()));
    else
      page.push_back(Format("<TR><TH Align=\"Left\">%s</TH><TD></TD><TD colspan=3>%s</TD></TR>", a->Name().c_str(),
                            a->Description().c_str()));
  }
  page.push_back("<TR><TD colspan=\"3\"><HR></TD>");
}

void GenerateHelpPages(const THTMLGroup& set, const THelpPageSink& sink, const TNameFold& fold) {
  TStringList groups;
  groups.SetText(set.GroupNames());
  // The index has no <HTML> line of its own: browsers take it as it stands.
  const std::vector<AnsiString> files = HelpPageFileNames(groups, fold);
  THelpLines index{"<HEAD>", "<TITLE> HTML Help </TITLE>", "</HEAD>", "<BODY>", "<H2> HTML Help index </H2>"};
  for (int g = 0; g < groups.Count(); ++g) {
    const AnsiString group = groups[g];
    const AnsiString& file = files[g];
    const AnsiString link = file.substr(0, file.size() - 4);
    THelpLines page{"<HTML>",
                    "<HEAD>",
                    "<TITLE>" + group + "</TITLE>",
                    "</HEAD>",
                    "<BODY BGCOLOR=\"WHITE\">",
                    "<TABLE Width=\"100%\">"};
    index.push_back("<H3>" + group + "</H3>");
    for (int t = 0; t < set.Tags().Count(); ++t) {
      const THTMLTagDef* tag = set.TagAt(t);
      if (tag->GroupIndex() != g) continue;
      const char* name = tag->Name().c_str();
      if (tag->Kind() != tkStandAlone)
        index.push_back(Format("<A HREF=\"%s.htm#%s\">&lt;%s&gt;  ...  &lt;%s&gt;</A> <BR>", link.c_str(), name, name,
                               tag->EndTag().c_str()));
      else
        index.push_back(Format("<A HREF=\"%s.htm#%s\">&lt;%s&gt;</A> <BR>", link.c_str(), name, name));
      AddTagHelp(page, *tag);
    }
    page.insert(page.end(), {"</TABLE>", "</BODY>", "</HTML>"});
    sink(file, page);
  }
  index.insert(index.end(), {"</BODY>", "</HTML>"});
  sink("index.htm", index);
}

}  // namespace vx
