// A compact text dump of a built document, for golden comparisons: one line per section,
// cells indented under their table; font runs as {position:nominal size and styles}.
#pragma once

#include <string>

#include "viewer/ReadHTML.h"
#include "viewer/tests/model_fakes.h"

namespace vxt {

inline std::string Quoted(const std::string& s) {
  std::string r;
  for (char c : s) {
    if (c == 4)
      r += "[img]";
    else if (c == 2)
      r += "[ctl]";
    else
      r += c;
  }
  return "\"" + r + "\"";
}

inline std::string RunText(const TFontObj& f) {
  std::string r = "{" + std::to_string(f.Pos) + ":" + std::to_string(f.Font.NominalSize);
  if (f.Font.Style & htBold) r += "b";
  if (f.Font.Style & htItalic) r += "i";
  if (f.Font.Style & htUnderline) r += "u";
  if (f.Font.FixedPitch) r += "t";
  if (f.VShift) r += "^" + std::to_string(f.VShift);
  if (f.Link.HasUrl) r += ">" + f.Link.Url;
  return r + "}";
}

inline void DumpCell(const TCell& cell, std::string& out, const std::string& indent);

inline void DumpSection(const TSectionBase& s, std::string& out, const std::string& ind) {
  if (auto* t = dynamic_cast<const ThtmlTable*>(&s)) {
    out += ind + "Table" + (t->TopCaption ? "" : " captionBottom") + "\n";
    if (!t->Caption->Cell->Empty()) {
      out += ind + " caption\n";
      DumpCell(*t->Caption->Cell, out, ind + "  ");
    }
    for (auto& row : t->Rows) {
      out += ind + " row\n";
      for (auto& c : row->Cells) {
        out += ind + "  cell v" + std::to_string(c->VAlign) + "\n";
        DumpCell(*c->Cell, out, ind + "   ");
      }
    }
    return;
  }
  if (auto* h = dynamic_cast<const THeadingSpace*>(&s)) {
    out += ind + "HeadingSpace " + std::to_string(h->HeadingLevel) + "\n";
    return;
  }
  auto* sec = dynamic_cast<const TSection*>(&s);
  if (!sec) {
    std::string n = s.ClassName();
    out += ind + n.substr(1) + "\n";
    return;
  }
  std::string kind = sec->ClassName();
  out += ind + kind.substr(1) + " L" + std::to_string(sec->ListLevel) + " J" + std::to_string(sec->Justify);
  if (sec->ListType == ltNumbered) out += " #" + std::to_string(sec->ListNumber);
  if (sec->NoBullet) out += " plain";
  if (sec->ClearMode) out += " clear" + std::to_string(sec->ClearMode);
  out += " " + Quoted(sec->Buff) + " ";
  for (auto& f : sec->Fonts) out += RunText(f);
  out += "\n";
}

inline void DumpCell(const TCell& cell, std::string& out, const std::string& indent) {
  for (auto& s : cell.Sections) DumpSection(*s, out, indent);
}

// The document without the empty paragraph every parse starts with.
inline std::string Dump(const TSectionList& list) {
  std::string out;
  for (auto& s : list.Sections) {
    auto* sec = dynamic_cast<const TSection*>(s.get());
    if (sec && sec->Buff.empty() && std::string(sec->ClassName()) == "TSection") continue;
    DumpSection(*s, out, "");
  }
  return out;
}

// Parses a string as HTML into list (fake widgets and services) and returns the dump.
struct Built {
  FakeWidgets widgets;
  FakeServices services;
  TSectionList list;
  TStringList anchors;
  THtmlDocInfo info;
  Built() {
    anchors.SetSorted(true);
    list.Widgets = &widgets;
    list.ImageServices = &services;
  }
  std::string Html(const std::string& html) {
    ParseHtmlMemory(list, &anchors, html.data(), html.size(), &info);
    return Dump(list);
  }
};

inline std::string BuildDump(const std::string& html) {
  Built b;
  return b.Html(html);
}

}  // namespace vxt
