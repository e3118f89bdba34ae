// The definition set the help page tests are made from: two groups, tags in them, one
// outside every group and one beyond the group names.
#pragma once

#include "tagdefs/teTagType.h"

namespace vx {

inline THTMLAttribDef* AddSampleAttrib(THTMLTagDef* t, const char* name, TAttribRequired required, const char* desc) {
  auto* a = new THTMLAttribDef;
  a->SetName(name);
  a->SetRequired(required);
  a->SetDescription(desc);
  t->Attribs().AddObject(name, a);
  return a;
}

inline THTMLTagDef* AddSampleTag(THTMLGroup& g, const char* name, const char* end, TTagKind kind, int group,
                                 const char* desc) {
  auto* t = new THTMLTagDef;
  t->SetName(name);
  t->SetEndTag(end);
  t->SetKind(kind);
  t->SetGroupIndex(group);
  t->SetDescription(desc);
  g.Tags().AddObject(name, t);
  return t;
}

inline void FillSampleSet(THTMLGroup& g) {
  g.SetName("HTML 3.2");
  g.SetGroupNames("Text Formatting\r\nLists\r\n");
  AddSampleTag(g, "B", "/B", tkHasEndTag, 0, "Bold text.");
  AddSampleAttrib(AddSampleTag(g, "BR", "", tkStandAlone, 0, "Line break."), "CLEAR", arNotRequired,
                  "Floats to clear.");
  AddSampleTag(g, "HR", "", tkStandAlone, -1, "Rule.");
  THTMLTagDef* li = AddSampleTag(g, "LI", "/LI", tkEither, 1, "A list item.\r\nOn two lines.");
  AddSampleAttrib(li, "TYPE", arRequired, "Bullet type.");
  AddSampleAttrib(li, "VALUE", arUnlessOther, "Number.")->SetOtherAttrib("TYPE");
  AddSampleTag(g, "MARQUEE", "/MARQUEE", tkHasEndTag, 5, "Moving text.");
  AddSampleAttrib(AddSampleTag(g, "UL", "/UL", tkHasEndTag, 1, "Unordered list."), "COMPACT", arNotRequired,
                  "Compact spacing.");
}

}  // namespace vx
