// The dialogs that name a new tag (optionally copied from another, with chosen
// attributes) and a new attribute.
#pragma once

#include <vector>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"

namespace vx {

// Closes with 1 for OK, 6 for Copy, 2 for Cancel.
constexpr TModalResult mrCopyTag = 6;

class TfrmNewTag : public TForm {
 public:
  explicit TfrmNewTag(TComponent* owner);
  const char* ClassName() const override { return "TfrmNewTag"; }

  // Lists the set's tags; the first is chosen when there is one.
  void SetGroup(THTMLGroup* group);
  // The tag chosen to copy from, or nullptr.
  THTMLTagDef* SourceTag();
  // The attributes chosen in the attribute list, in list order.
  std::vector<const THTMLAttribDef*> SelectedAttribs();

  TGroupBox* GroupBox1;
  TLabel* Label1;
  TEdit* eTagName;
  TGroupBox* GroupBox2;
  TLabel* Label2;
  TListBox* cbTags;
  TLabel* Label3;
  TListBox* cbAttribs;
  TButton* btnOK;
  TButton* btnCancel;
  TButton* Button1;

  void cbTagsClick(TObject* Sender);
  void btnOKClick(TObject* Sender);
  void Button1Click(TObject* Sender);

 private:
  void CloseIfNew(TModalResult result);

 protected:
  ~TfrmNewTag() override = default;
};

class TfrmNewAttr : public TForm {
 public:
  explicit TfrmNewAttr(TComponent* owner);
  const char* ClassName() const override { return "TfrmNewAttr"; }

  // The tag's attributes, for the duplicate test (not owned).
  TStringList* AttrList = nullptr;

  TGroupBox* GroupBox1;
  TEdit* eAttrName;
  TButton* btnOK;
  TButton* btnCancel;

  void btnOKClick(TObject* Sender);

 protected:
  ~TfrmNewAttr() override = default;
};

}  // namespace vx
