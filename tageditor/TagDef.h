// The tag definition dialog: kind, end tag, group, browsers and the description (kept as
// a working copy until OK), and the tag's attributes, which are added, removed and
// edited on the tag at once.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"

namespace vx {

class TfrmTagDef : public TForm {
 public:
  explicit TfrmTagDef(TComponent* owner);
  const char* ClassName() const override { return "TfrmTagDef"; }

  // The group choices: one per line of the set's group-name text.
  void SetGroupNames(const AnsiString& names);
  void LoadTag(THTMLTagDef* tag);
  void StoreTag();
  // The tag's attributes were added, removed or edited here (they stay, even on Cancel).
  bool AttribsChanged() const { return attribsChanged_; }

  // The working copy of the description.
  AnsiString Description;

  TGroupBox* GroupBox1;
  TRadioButton* rbSingle;
  TRadioButton* rbPair;
  TRadioButton* rbBoth;
  TButton* Button1;
  TLabel* lblEndTag;
  TEdit* eEndTag;
  TLabel* lblGroup;
  TComboBox* cbGroup;
  TGroupBox* GroupBox2;
  TCheckBox* cbNS;
  TCheckBox* cbIE;
  TCheckBox* cbMosaic;
  TCheckBox* cbIntBrowser;
  TGroupBox* GroupBox3;
  TListBox* lbAttributes;
  TButton* btnAdd;
  TButton* btnProperties;
  TButton* btnRemove;
  TButton* btnOK;
  TButton* btnCancel;
  TButton* btnHelp;

  void rbSingleClick(TObject* Sender);
  void rbPairClick(TObject* Sender);
  void rbBothClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnRemoveClick(TObject* Sender);
  void btnPropertiesClick(TObject* Sender);
  void Button1Click(TObject* Sender);

 private:
  void FillAttributes();
  void EnableAttributeButtons();
  // An end tag for a tag that has one: never left empty.
  void EnsureEndTag();
  THTMLTagDef* tag_ = nullptr;
  bool attribsChanged_ = false;

 protected:
  ~TfrmTagDef() override = default;
};

}  // namespace vx
