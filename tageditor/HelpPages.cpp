#include "tageditor/HelpPages.h"

#include <cstring>
#include <set>

#include "framework/core/SysUtils.h"

namespace vx {

namespace {

// Every character a Windows file name cannot hold.
bool NeedsReplacing(char c) { return static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c); }

// Upper case as Windows compares file names in the Western code page.
AnsiString FoldedName(const AnsiString& name) {
  AnsiString s = name;
  for (char& ch : s) {
    unsigned char c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) c -= 0x20;
    else if (c == 0x9A || c == 0x9C || c == 0x9E) c -= 0x10;
    else if (c == 0xFF) c = 0x9F;
    ch = static_cast<char>(c);
  }
  return s;
}

// CON, PRN, AUX, NUL, COM1-9, LPT1-9 (also with the superscript digits) before the first dot,
// blanks after the name ignored: Windows opens the device instead of a file.
bool IsDeviceName(const AnsiString& fileName) {
  AnsiString stem = FoldedName(fileName.substr(0, fileName.find('.')));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  if (stem.size() != 4 || (stem.compare(0, 3, "COM") != 0 && stem.compare(0, 3, "LPT") != 0)) return false;
  unsigned char d = static_cast<unsigned char>(stem[3]);
  return (d >= '1' && d <= '9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
}

}  // namespace

AnsiString HelpPageFileName(const AnsiString& groupName) {
  AnsiString name = LowerCase(groupName);
  for (char& c : name)
    if (NeedsReplacing(c)) c = '_';
  return name + ".htm";
}

std::vector<AnsiString> HelpPageFileNames(const TStringList& groups) {
  const int n = groups.Count();
  std::vector<AnsiString> files(n);
  std::vector<bool> placed(n, false);
  std::set<AnsiString> taken{FoldedName("index.htm")};
  // Safe names first, so that a renamed group never takes the page a safe one has now.
  for (int g = 0; g < n; ++g) {
    const AnsiString& name = groups[g];
    files[g] = HelpPageFileName(name);
    bool safe = true;
    for (char c : name)
      if (NeedsReplacing(c)) safe = false;
    if (safe && !IsDeviceName(files[g]) && taken.insert(FoldedName(files[g])).second) placed[g] = true;
  }
  for (int g = 0; g < n; ++g) {
    if (placed[g]) continue;
    AnsiString stem = files[g].substr(0, files[g].size() - 4);
    if (IsDeviceName(stem)) stem = "_" + stem;
    AnsiString file = stem + ".htm";
    for (int k = 2; !taken.insert(FoldedName(file)).second; ++k) file = stem + "_" + IntToStr(k) + ".htm";
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

void GenerateHelpPages(const THTMLGroup& set, const THelpPageSink& sink) {
  TStringList groups;
  groups.SetText(set.GroupNames());
  // The index has no <HTML> line of its own: browsers take it as it stands.
  const std::vector<AnsiString> files = HelpPageFileNames(groups);
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
