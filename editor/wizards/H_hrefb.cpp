#include "editor/wizards/H_hrefb.h"

#include "editor/wizards/FormBuild.h"
#include "editor/wizards/WizardText.h"

namespace vx {

TForm_RefB::TForm_RefB(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "Form_RefB", "HREF Builder", 560, 132);

  ResourceLB = MakeControl<TComboBox>(this, this, "ResourceLB", 8, 24, 80, 22);
  ResourceLB->SetStyle(csDropDownList);
  ResourceLB->SetSorted(true);
  for (const char* s : {"afs", "file", "ftp", "gopher", "http", "mailto", "news", "newsrc", "nntp", "telnet", "wais"})
    ResourceLB->Items()->Add(s);
  ResourceL = PlaceLabel(this, this, "ResourceL", "&Resource", 8, 8, ResourceLB);
  FirstSepL = PlaceLabel(this, this, "FirstSepL", "://", 92, 28);
  hostE = MakeControl<TEdit>(this, this, "hostE", 112, 24, 150, 21);
  Label1 = PlaceLabel(this, this, "Label1", "Host Address", 112, 8, hostE);
  SecondSepL = PlaceLabel(this, this, "SecondSepL", "/", 266, 28);
  PathE = MakeControl<TEdit>(this, this, "PathE", 276, 24, 100, 21);
  PathL = PlaceLabel(this, this, "PathL", "Path", 276, 8, PathE);
  ThirdSepL = PlaceLabel(this, this, "ThirdSepL", "/", 380, 28);
  FileE = MakeControl<TEdit>(this, this, "FileE", 390, 24, 90, 21);
  FileL = PlaceLabel(this, this, "FileL", "File", 390, 8, FileE);
  fourthSepL = PlaceLabel(this, this, "fourthSepL", "#", 484, 28);
  targetE = MakeControl<TEdit>(this, this, "targetE", 494, 24, 58, 21);
  TargetL = PlaceLabel(this, this, "TargetL", "Target", 494, 8, targetE);
  URLE = MakeControl<TEdit>(this, this, "URLE", 8, 72, 544, 21);
  URLE->SetReadOnly(true);
  URLL = PlaceLabel(this, this, "URLL", "&URL", 8, 56, URLE);
  OkBtn = PlaceDialogButton(this, this, "OkBtn", "&Ok", 396, 100, mrOk, true);
  CancelBtn = PlaceDialogButton(this, this, "CancelBtn", "&Cancel", 477, 100, mrCancel, false, true);
  SetActiveControl(ResourceLB);

  ResourceLB->OnChange = [this](TObject* s) { ResourceLBChange(s); };
  for (TEdit* e : {hostE, PathE, FileE, targetE}) e->OnChange = [this](TObject* s) { URLChange(s); };
  OnCreate = [this](TObject* s) { FormCreate(s); };
}

void TForm_RefB::FormCreate(TObject*) {
  ResourceLB->SetItemIndex(ResourceLB->Items()->IndexOf("file"));
  ResourceLBChange(this);
}

AnsiString TForm_RefB::Scheme() {
  int i = ResourceLB->ItemIndex();
  return i >= 0 ? ResourceLB->Items()->Strings(i) : AnsiString();
}

void TForm_RefB::ResourceLBChange(TObject*) {
  AnsiString s = Scheme();
  bool mail = s == "mailto", news = s == "news", telnet = s == "telnet", wais = s == "wais";
  bool short_ = mail || news;
  Label1->SetCaption(mail ? "E-Mail Address" : news ? "Newsgroup" : "Host Address");
  FirstSepL->SetCaption(short_ ? ":" : "://");
  PathL->SetCaption(telnet ? "Logon UserName" : "Path");
  FileL->SetCaption(telnet ? "Password" : "File");
  TargetL->SetCaption(wais ? "Type" : "Target");
  bool path = !short_, file = !short_ && !wais, target = !short_ && !telnet;
  PathL->SetVisible(path);
  PathE->SetVisible(path);
  FileL->SetVisible(file);
  FileE->SetVisible(file);
  TargetL->SetVisible(target);
  targetE->SetVisible(target);
  SecondSepL->SetVisible(!short_ && !telnet);
  ThirdSepL->SetVisible(!short_ && !telnet && !wais);
  fourthSepL->SetVisible(!short_ && !telnet && !wais);
  URLChange(this);
}

void TForm_RefB::URLChange(TObject*) {
  URLE->SetText(ComposeURL(Scheme(), hostE->Text(), PathE->Text(), FileE->Text(), targetE->Text()));
}

}  // namespace vx
