#include "tageditor/NewTag.h"

#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "tageditor/FormParts.h"

namespace vx {

// ---- TfrmNewTag --------------------------------------------------------------------

TfrmNewTag::TfrmNewTag(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "Add HTML Tag", 346, 290);

  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "New HTML Tag", 8, 6, 330, 50);
  eTagName = MakeControl<TEdit>(this, GroupBox1, "eTagName", 60, 20, 150, 21);
  eTagName->SetCharCase(ecUpperCase);
  Label1 = PlaceLabel(this, GroupBox1, "Label1", "&Tag:", 12, 24, eTagName);

  GroupBox2 = PlaceGroup(this, this, "GroupBox2", "Copy From Tag", 8, 62, 330, 188);
  Label2 = PlaceLabel(this, GroupBox2, "Label2", "Tags", 12, 18);
  cbTags = MakeControl<TListBox>(this, GroupBox2, "cbTags", 12, 34, 148, 144);
  cbTags->OnClick = [this](TObject* s) { cbTagsClick(s); };
  Label2->SetFocusControl(cbTags);
  Label3 = PlaceLabel(this, GroupBox2, "Label3", "Attributes", 170, 18);
  cbAttribs = MakeControl<TListBox>(this, GroupBox2, "cbAttribs", 170, 34, 148, 144);
  cbAttribs->SetMultiSelect(true);
  Label3->SetFocusControl(cbAttribs);

  btnOK = PlaceButton(this, this, "btnOK", "OK", 102, 258);
  btnOK->SetDefault(true);
  btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
  btnCancel = PlaceButton(this, this, "btnCancel", "Cancel", 183, 258);
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
  Button1 = PlaceButton(this, this, "Button1", "Copy", 264, 258);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  // Nothing to copy from until a tag is chosen.
  Button1->SetEnabled(false);
}

void TfrmNewTag::SetGroup(THTMLGroup* group) {
  cbTags->Items()->Clear();
  for (int i = 0; i < group->Tags().Count(); ++i) cbTags->Items()->AddObject(group->Tags()[i], group->TagAt(i));
  if (cbTags->Items()->Count() > 0) {
    cbTags->SetItemIndex(0);
    cbTagsClick(cbTags);
  }
}

void TfrmNewTag::cbTagsClick(TObject*) {
  cbAttribs->Items()->Clear();
  THTMLTagDef* tag = SourceTag();
  Button1->SetEnabled(tag != nullptr);
  if (!tag) return;
  for (int i = 0; i < tag->Attribs().Count(); ++i) cbAttribs->Items()->AddObject(tag->Attribs()[i], tag->AttribAt(i));
}

THTMLTagDef* TfrmNewTag::SourceTag() {
  int i = cbTags->ItemIndex();
  return i >= 0 ? static_cast<THTMLTagDef*>(cbTags->Items()->Objects(i)) : nullptr;
}

std::vector<const THTMLAttribDef*> TfrmNewTag::SelectedAttribs() {
  std::vector<const THTMLAttribDef*> v;
  for (int i = 0; i < cbAttribs->Items()->Count(); ++i)
    if (cbAttribs->Selected(i)) v.push_back(static_cast<const THTMLAttribDef*>(cbAttribs->Items()->Objects(i)));
  return v;
}

void TfrmNewTag::CloseIfNew(TModalResult result) {
  AnsiString name = eTagName->Text();
  if (!name.empty() && cbTags->Items()->IndexOf(name) < 0)
    SetModalResult(result);
  else
    MessageDlg(Format("Tagname %s is already defined", name.c_str()), mtError, {mbOK}, 0);
}

void TfrmNewTag::btnOKClick(TObject*) { CloseIfNew(mrOk); }

void TfrmNewTag::Button1Click(TObject*) {
  if (SourceTag()) CloseIfNew(mrCopyTag);
}

// ---- TfrmNewAttr -------------------------------------------------------------------

TfrmNewAttr::TfrmNewAttr(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "New Attribute", 252, 98);
  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "&Attribute", 8, 6, 236, 52);
  eAttrName = MakeControl<TEdit>(this, GroupBox1, "eAttrName", 12, 20, 212, 21);
  eAttrName->SetCharCase(ecUpperCase);
  btnOK = PlaceButton(this, this, "btnOK", "OK", 88, 66);
  btnOK->SetDefault(true);
  btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
  btnCancel = PlaceButton(this, this, "btnCancel", "Cancel", 169, 66);
  btnCancel->SetCancel(true);
  btnCancel->SetModalResult(mrCancel);
}

void TfrmNewAttr::btnOKClick(TObject*) {
  AnsiString name = eAttrName->Text();
  // An empty name would be written as ` =""` by the attribute editor: refused like a duplicate.
  if (!name.empty() && (!AttrList || AttrList->IndexOf(name) < 0))
    SetModalResult(mrOk);
  else
    MessageDlg(Format("Attribute %s is already defined", name.c_str()), mtError, {mbOK}, 0);
}

}  // namespace vx
