#include "tageditor/HelpPages.h"

#include <cstring>

#include "framework/core/SysUtils.h"

namespace vx {

AnsiString HelpPageFileName(const AnsiString& groupName) {
  AnsiString name = LowerCase(groupName);
  // Every character a Windows file name cannot hold; the index links to the same name.
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 32 || std::strchr("\\/:*?\"<>|", c)) c = '_';
  return name + ".htm";
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
  THelpLines index{"<HEAD>", "<TITLE> HTML Help </TITLE>", "</HEAD>", "<BODY>", "<H2> HTML Help index </H2>"};
  for (int g = 0; g < groups.Count(); ++g) {
    const AnsiString group = groups[g];
    const AnsiString file = HelpPageFileName(group);
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
