// The attribute definition dialog: type, flag, required rule with the other attribute,
// browsers, and working copies of the description, pick list and filter that reach the
// attribute only on OK.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"

namespace vx {

class TfrmAttrDef : public TForm {
 public:
  explicit TfrmAttrDef(TComponent* owner);
  const char* ClassName() const override { return "TfrmAttrDef"; }

  // Set before LoadAttrib: the name of the attribute's tag, for the caption.
  AnsiString TagName;
  void LoadAttrib(THTMLAttribDef* attrib);
  // The other-attribute choices: the tag's attributes but this one.
  void SetOtherAttribs(const TStringList& attribs);
  void StoreAttrib();

  // The working copies.
  AnsiString Description, PickList, Filter;

  TGroupBox* GroupBox1;
  TRadioButton* rbText;
  TRadioButton* rbNumeric;
  TRadioButton* rbColor;
  TRadioButton* rbPickList;
  TRadioButton* rbFile;
  TRadioButton* rbImage;
  TCheckBox* cbIsFlag;
  TButton* btnFilter;
  TButton* btnPickList;
  TGroupBox* GroupBox2;
  TRadioButton* rbNone;
  TRadioButton* rbYes;
  TRadioButton* rbOther;
  TLabel* lblOther;
  TComboBox* cbOtherAttrib;
  TButton* Button4;
  TGroupBox* GroupBox3;
  TCheckBox* cbNS;
  TCheckBox* cbIE;
  TCheckBox* cbMosaic;
  TCheckBox* cbIntBrowser;
  TButton* btnOK;
  TButton* btnCancel;
  TButton* btnHelp;

  void rbTextClick(TObject* Sender);
  void rbNoneClick(TObject* Sender);
  void btnFilterClick(TObject* Sender);
  void btnPickListClick(TObject* Sender);
  void Button4Click(TObject* Sender);

 private:
  TRadioButton* TypeRadio(int type);
  THTMLAttribDef* attrib_ = nullptr;

 protected:
  ~TfrmAttrDef() override = default;
};

// The four browser boxes of a tag or attribute dialog, in bit order 1, 2, 4, 8.
void SetBrowserBoxes(TCheckBox* const (&boxes)[4], TBrowserFlags flags);
TBrowserFlags GetBrowserBoxes(TCheckBox* const (&boxes)[4]);

}  // namespace vx
