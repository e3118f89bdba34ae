#include "tageditor/AttrDef.h"

#include "framework/core/SysUtils.h"
#include "tageditor/FormParts.h"
#include "tageditor/SampEd.h"
#include "tageditor/TextEditors.h"
#include "tagdefs/FilterEd.h"

namespace vx {

void SetBrowserBoxes(TCheckBox* const (&boxes)[4], TBrowserFlags flags) {
  for (int i = 0; i < 4; ++i) boxes[i]->SetChecked((flags & BrowserFlagBits[i]) != 0);
}

TBrowserFlags GetBrowserBoxes(TCheckBox* const (&boxes)[4]) {
  TBrowserFlags f = 0;
  for (int i = 0; i < 4; ++i)
    if (boxes[i]->Checked()) f |= BrowserFlagBits[i];
  return f;
}

TfrmAttrDef::TfrmAttrDef(TComponent* owner) : TForm(owner) {
  MakeDialog(this, "", "Attribute Definition", 484, 282);

  TNotifyEvent typeClick = [this](TObject* s) { rbTextClick(s); };
  GroupBox1 = PlaceGroup(this, this, "GroupBox1", "&Attribute Type", 8, 6, 200, 234);
  rbText = PlaceRadio(this, GroupBox1, "rbText", "Text", 12, 20, 120, 0, typeClick);
  rbNumeric = PlaceRadio(this, GroupBox1, "rbNumeric", "Numeric", 12, 40, 120, 1, typeClick);
  rbColor = PlaceRadio(this, GroupBox1, "rbColor", "Color", 12, 60, 120, 2, typeClick);
  rbPickList = PlaceRadio(this, GroupBox1, "rbPickList", "Pick List", 12, 80, 120, 3, typeClick);
  rbFile = PlaceRadio(this, GroupBox1, "rbFile", "File", 12, 100, 120, 4, typeClick);
  rbImage = PlaceRadio(this, GroupBox1, "rbImage", "Image", 12, 120, 120, 5, typeClick);
  cbIsFlag = PlaceCheck(this, GroupBox1, "cbIsFlag", "Flag (Takes no value)", 12, 150, 176);
  btnFilter = PlaceButton(this, GroupBox1, "btnFilter", "&Filter", 12, 190, 84);
  btnFilter->SetEnabled(false);
  btnFilter->OnClick = [this](TObject* s) { btnFilterClick(s); };
  btnPickList = PlaceButton(this, GroupBox1, "btnPickList", "&Pick List", 104, 190, 84);
  btnPickList->SetEnabled(false);
  btnPickList->OnClick = [this](TObject* s) { btnPickListClick(s); };

  TNotifyEvent requiredClick = [this](TObject* s) { rbNoneClick(s); };
  GroupBox2 = PlaceGroup(this, this, "GroupBox2", "&Required Attribute", 216, 6, 260, 156);
  rbNone = PlaceRadio(this, GroupBox2, "rbNone", "Not required by tag", 12, 20, 240, 1, requiredClick);
  rbYes = PlaceRadio(this, GroupBox2, "rbYes", "Required by tag", 12, 40, 240, 2, requiredClick);
  rbOther = PlaceRadio(this, GroupBox2, "rbOther", "Requred by tag unless other attribute present", 12, 60, 244, 3,
                       requiredClick);
  cbOtherAttrib = MakeControl<TComboBox>(this, GroupBox2, "cbOtherAttrib", 12, 104, 140, 21);
  cbOtherAttrib->SetStyle(csDropDown);
  cbOtherAttrib->SetEnabled(false);
  lblOther = PlaceLabel(this, GroupBox2, "lblOther", "&Other Attribute:", 12, 86, cbOtherAttrib);
  lblOther->SetEnabled(false);
  Button4 = PlaceButton(this, GroupBox2, "Button4", "&Description", 164, 102, 84);
  Button4->OnClick = [this](TObject* s) { Button4Click(s); };

  GroupBox3 = PlaceGroup(this, this, "GroupBox3", "Supported Browsers", 216, 168, 260, 72);
  cbNS = PlaceCheck(this, GroupBox3, "cbNS", "Netscape 3.0", 12, 20, 116);
  cbIE = PlaceCheck(this, GroupBox3, "cbIE", "Internet Explorer 3", 130, 20, 124);
  cbMosaic = PlaceCheck(this, GroupBox3, "cbMosaic", "NCSA Mosaic", 12, 44, 116);
  cbIntBrowser = PlaceCheck(this, GroupBox3, "cbIntBrowser", "Int Browser", 130, 44, 116);

  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 236, 250);
  btnHelp = PlaceButton(this, this, "btnHelp", "Help", 398, 250);
  // Last: their click handlers work on the buttons and the combo made above.
  rbText->SetChecked(true);
  rbNone->SetChecked(true);
}

TRadioButton* TfrmAttrDef::TypeRadio(int type) {
  TRadioButton* radios[] = {rbText, rbNumeric, rbColor, rbPickList, rbFile, rbImage};
  return type >= 0 && type < 6 ? radios[type] : nullptr;
}

void TfrmAttrDef::LoadAttrib(THTMLAttribDef* attrib) {
  attrib_ = attrib;
  SetCaption(Format("Editing <%s> Attribute %s", TagName.c_str(), attrib->Name().c_str()));
  Description = attrib->Description();
  PickList = attrib->PickList();
  Filter = attrib->Filter();
  cbIsFlag->SetChecked(attrib->IsFlag());
  SetBrowserBoxes({cbNS, cbIE, cbMosaic, cbIntBrowser}, attrib->Browsers());
  btnFilter->SetEnabled(false);
  btnPickList->SetEnabled(false);
  lblOther->SetEnabled(false);
  cbOtherAttrib->SetEnabled(false);
  if (TRadioButton* r = TypeRadio(attrib->AttrType())) {
    r->SetChecked(true);
    rbTextClick(r);
  }
  TRadioButton* required = attrib->Required() == arRequired      ? rbYes
                           : attrib->Required() == arUnlessOther ? rbOther
                                                                 : rbNone;
  required->SetChecked(true);
  rbNoneClick(required);
  if (attrib->Required() == arUnlessOther) cbOtherAttrib->SetText(attrib->OtherAttrib());
}

void TfrmAttrDef::SetOtherAttribs(const TStringList& attribs) {
  cbOtherAttrib->Items()->Clear();
  for (int i = 0; i < attribs.Count(); ++i)
    if (!attrib_ || !SameText(attribs[i], attrib_->Name())) cbOtherAttrib->Items()->Add(attribs[i]);
}

void TfrmAttrDef::rbTextClick(TObject* Sender) {
  int tag = static_cast<TComponent*>(Sender)->Tag();
  btnFilter->SetEnabled(tag == 4 || tag == 5);
  btnPickList->SetEnabled(tag == 3);
}

void TfrmAttrDef::rbNoneClick(TObject* Sender) {
  lblOther->SetEnabled(static_cast<TComponent*>(Sender)->Tag() == 3);
  cbOtherAttrib->SetEnabled(lblOther->Enabled());
}

void TfrmAttrDef::btnFilterClick(TObject*) {
  auto dlg = NewForm<TfrmFilter>(this);
  dlg->SetFilter(Filter);
  if (dlg->ShowModal() == mrOk) Filter = dlg->GetFilter();
}

void TfrmAttrDef::btnPickListClick(TObject*) {
  auto dlg = NewForm<TfrmPickList>(this);
  dlg->SetText(PickList);
  if (dlg->ShowModal() == mrOk) PickList = dlg->GetText();
}

void TfrmAttrDef::Button4Click(TObject*) {
  auto dlg = NewForm<TfrmSampEd>(this);
  dlg->SetText(Description);
  if (dlg->ShowModal() == mrOk) Description = dlg->GetText();
}

void TfrmAttrDef::StoreAttrib() {
  attrib_->SetDescription(Description);
  attrib_->SetPickList(PickList);
  attrib_->SetFilter(Filter);
  attrib_->SetIsFlag(cbIsFlag->Checked());
  // A flag's only value is its presence: the attribute editor offers just TRUE.
  if (cbIsFlag->Checked()) attrib_->SetPickList("TRUE");
  for (int t = 0; t < 6; ++t)
    if (TypeRadio(t)->Checked()) {
      attrib_->SetAttrType(static_cast<TAttribType>(t));
      break;
    }
  attrib_->SetBrowsers(GetBrowserBoxes({cbNS, cbIE, cbMosaic, cbIntBrowser}));
  if (rbYes->Checked()) {
    attrib_->SetRequired(arRequired);
  } else if (rbOther->Checked()) {
    attrib_->SetRequired(arUnlessOther);
    attrib_->SetOtherAttrib(cbOtherAttrib->Text());
  } else {
    attrib_->SetRequired(arNotRequired);
  }
}

}  // namespace vx
