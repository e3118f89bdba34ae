#include "tageditor/TagDef.h"

#include <algorithm>

#include "framework/core/SysUtils.h"
#include "tageditor/AttrDef.h"
#include "tageditor/FormParts.h"
#include "tageditor/NewTag.h"
#include "tageditor/SampEd.h"
#include "tageditor/TagEdRules.h"

namespace vx {

TfrmTagDef::TfrmTagDef(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "HTML Tag Definition", 420, 330);

  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "Properties", 8, 6, 404, 118);
  rbSingle = PlaceRadio(this, GroupBox1, "rbSingle", "Tag is stand alone", 12, 18, 270, 0,
                        [this](TObject* s) { rbSingleClick(s); });
  rbPair = PlaceRadio(this, GroupBox1, "rbPair", "Tag has ending tag", 12, 38, 270, 0,
                      [this](TObject* s) { rbPairClick(s); });
  rbBoth = PlaceRadio(this, GroupBox1, "rbBoth", "Tag can be stand alone or have ending tag", 12, 58, 270, 0,
                      [this](TObject* s) { rbBothClick(s); });
  Button1 = PlaceButton(this, GroupBox1, "Button1", "&Description", 300, 18, 92);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  eEndTag = MakeControl<TEdit>(this, GroupBox1, "eEndTag", 82, 84, 118, 21);
  eEndTag->SetCharCase(ecUpperCase);
  lblEndTag = PlaceLabel(this, GroupBox1, "lblEndTag", "&Ending tag:", 12, 88, eEndTag);
  cbGroup = MakeControl<TComboBox>(this, GroupBox1, "cbGroup", 256, 84, 136, 21);
  cbGroup->SetStyle(csDropDownList);
  cbGroup->Items()->Add("(NONE)");
  lblGroup = PlaceLabel(this, GroupBox1, "lblGroup", "&Group:", 212, 88, cbGroup);

  GroupBox2 = PlaceGroup(this, this, "GroupBox2", "Supported Browsers", 8, 130, 404, 46);
  cbNS = PlaceCheck(this, GroupBox2, "cbNS", "Netscape 3.0", 12, 20, 90);
  cbIE = PlaceCheck(this, GroupBox2, "cbIE", "Internet Explorer 3", 104, 20, 122);
  cbMosaic = PlaceCheck(this, GroupBox2, "cbMosaic", "NCSA Mosaic", 228, 20, 90);
  cbIntBrowser = PlaceCheck(this, GroupBox2, "cbIntBrowser", "Int Browser", 322, 20, 78);

  GroupBox3 = PlaceGroup(this, this, "GroupBox3", "Attributes", 8, 182, 404, 108);
  lbAttributes = MakeControl<TListBox>(this, GroupBox3, "lbAttributes", 12, 18, 280, 82);
  lbAttributes->OnDblClick = [this](TObject* s) { btnPropertiesClick(s); };
  btnAdd = PlaceButton(this, GroupBox3, "btnAdd", "&Add...", 302, 18, 90);
  btnAdd->OnClick = [this](TObject* s) { btnAddClick(s); };
  btnProperties = PlaceButton(this, GroupBox3, "btnProperties", "&Properties", 302, 46, 90);
  btnProperties->SetEnabled(false);
  btnProperties->OnClick = [this](TObject* s) { btnPropertiesClick(s); };
  btnRemove = PlaceButton(this, GroupBox3, "btnRemove", "&Remove", 302, 74, 90);
  btnRemove->SetEnabled(false);
  btnRemove->OnClick = [this](TObject* s) { btnRemoveClick(s); };

  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 176, 298);
  btnHelp = PlaceButton(this, this, "btnHelp", "Help", 338, 298);
  rbPair->SetChecked(true);  // last: its click handler works on the end-tag edit
}

void TfrmTagDef::SetGroupNames(const AnsiString& names) {
  TStringList lines;
  lines.SetText(names);
  cbGroup->Items()->Assign(lines);
}

void TfrmTagDef::LoadTag(THTMLTagDef* tag) {
  tag_ = tag;
  SetCaption(Format("Editing HTML Tag <%s>", tag->Name().c_str()));
  eEndTag->SetText(tag->EndTag());
  Description = tag->Description();
  FillAttributes();
  int g = tag->GroupIndex();
  cbGroup->SetItemIndex(g >= 0 && g < cbGroup->Items()->Count() ? g : -1);
  SetBrowserBoxes({cbNS, cbIE, cbMosaic, cbIntBrowser}, tag->Browsers());
  if (lbAttributes->Items()->Count() > 0) lbAttributes->SetItemIndex(0);
  EnableAttributeButtons();
  if (tag->Kind() == tkStandAlone)
    rbSingle->SetChecked(true);
  else if (tag->Kind() == tkHasEndTag)
    rbPair->SetChecked(true);
  else if (tag->Kind() == tkEither)
    rbBoth->SetChecked(true);
}

void TfrmTagDef::StoreTag() {
  tag_->SetEndTag(eEndTag->Text());
  tag_->SetDescription(Description);
  tag_->SetGroupIndex(cbGroup->ItemIndex());
  tag_->SetBrowsers(GetBrowserBoxes({cbNS, cbIE, cbMosaic, cbIntBrowser}));
  tag_->SetKind(rbSingle->Checked() ? tkStandAlone : rbBoth->Checked() ? tkEither : tkHasEndTag);
}

void TfrmTagDef::FillAttributes() {
  lbAttributes->Items()->Clear();
  for (int i = 0; i < tag_->Attribs().Count(); ++i)
    lbAttributes->Items()->AddObject(tag_->Attribs()[i], tag_->AttribAt(i));
}

void TfrmTagDef::EnableAttributeButtons() {
  bool any = lbAttributes->Items()->Count() > 0;
  btnProperties->SetEnabled(any);
  btnRemove->SetEnabled(any);
}

void TfrmTagDef::EnsureEndTag() {
  // An empty end tag would make the editor insert "<>".
  if (tag_ && eEndTag->Text().empty()) eEndTag->SetText(DefaultEndTag(tag_->Name()));
  eEndTag->SetEnabled(true);
  lblEndTag->SetEnabled(true);
}

void TfrmTagDef::rbSingleClick(TObject*) {
  eEndTag->SetText("");
  eEndTag->SetEnabled(false);
  lblEndTag->SetEnabled(false);
}

void TfrmTagDef::rbPairClick(TObject*) {
  if (tag_) eEndTag->SetText(tag_->EndTag());
  EnsureEndTag();
}

void TfrmTagDef::rbBothClick(TObject*) { EnsureEndTag(); }

void TfrmTagDef::btnAddClick(TObject*) {
  if (!tag_) return;
  auto dlg = NewForm<TfrmNewAttr>(this);
  dlg->AttrList = &tag_->Attribs();
  if (dlg->ShowModal() != mrOk) return;
  auto* a = new THTMLAttribDef;
  a->SetName(dlg->eAttrName->Text());
  tag_->Attribs().AddObject(a->Name(), a);
  tag_->Attribs().Sort();
  attribsChanged_ = true;
  FillAttributes();
  lbAttributes->SetItemIndex(lbAttributes->Items()->IndexOfObject(a));
  EnableAttributeButtons();
  btnPropertiesClick(this);
}

void TfrmTagDef::btnRemoveClick(TObject*) {
  int i = lbAttributes->ItemIndex();
  if (!tag_ || i < 0) return;
  int at = tag_->Attribs().IndexOfObject(lbAttributes->Items()->Objects(i));
  if (at >= 0) tag_->Attribs().Delete(at);  // frees the attribute
  attribsChanged_ = true;
  FillAttributes();
  int n = lbAttributes->Items()->Count();
  if (n > 0) lbAttributes->SetItemIndex(i > 0 ? std::min(i - 1, n - 1) : 0);
  EnableAttributeButtons();
}

void TfrmTagDef::btnPropertiesClick(TObject*) {
  int i = lbAttributes->ItemIndex();
  if (!tag_ || i < 0) return;
  auto dlg = NewForm<TfrmAttrDef>(this);
  dlg->TagName = tag_->Name();
  dlg->LoadAttrib(static_cast<THTMLAttribDef*>(lbAttributes->Items()->Objects(i)));
  dlg->SetOtherAttribs(tag_->Attribs());
  if (dlg->ShowModal() != mrOk) return;
  dlg->StoreAttrib();
  attribsChanged_ = true;
}

void TfrmTagDef::Button1Click(TObject*) {
  auto dlg = NewForm<TfrmSampEd>(this);
  dlg->SetText(Description);
  if (dlg->ShowModal() == mrOk) Description = dlg->GetText();
}

}  // namespace vx
