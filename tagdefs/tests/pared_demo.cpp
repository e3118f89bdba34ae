// The attribute editor on the shipped IMG tag, as VornixPro opens it for a tag-name click,
// to look at. It closes with OK or Cancel and prints the attribute text it would write.
#include <windows.h>

#include <cstdio>

#include "framework/win/Forms.h"
#include "tagdefs/ParEd.h"
#include "tagdefs/tePaths.h"

using namespace vx;

int main(int argc, char** argv) {
  const char* tag = argc > 1 ? argv[1] : "IMG";
  const char* text = argc > 2 ? argv[2] : "SRC=\"images/logo.gif\" WIDTH=120 HEIGHT=60 ALT=\"Our logo\" ISMAP";
  THTMLGroup set;
  set.LoadFromFile(GetAppDir() + "standard.vxt");
  THTMLTagDef* def = set.FindTag(tag);
  if (!def) return 2;
  Application->SetUnattended(false);
  auto* ed = CreateForm<TfrmParEd>(Application);
  ed->DocFilter = "HTML documents (*.htm;*.html)|*.htm;*.html";
  ed->ImgFilter = "Images (*.gif;*.jpg)|*.gif;*.jpg";
  ed->LoadTag(def);
  ed->ParseAttributes(text);
  int r = ed->ShowModal();
  if (r == mrOk) std::printf("<%s%s>\n", tag, ed->BuildAttributes().c_str());
  ed->Free();
  return r == mrOk ? 0 : 1;
}
