// The two memo dialogs of the tag editor: a pick list (upper case, sortable) and the
// set's group names.
#pragma once

#include <string_view>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TfrmPickList : public TForm {
 public:
  explicit TfrmPickList(TComponent* owner);
  const char* ClassName() const override { return "TfrmPickList"; }

  // The text goes in upper-cased. (A string view and a const reader: these are not the
  // framework's virtual SetText and GetText, which stand for the caption.)
  void SetText(std::string_view text);
  AnsiString GetText() const;

  TGroupBox* GroupBox1;
  TMemo* Memo1;
  TButton* btnSort;
  TButton* btnAddFontList;
  TButton* btnOK;
  TButton* btnCancel;

  void FormCreate(TObject* Sender);
  void btnSortClick(TObject* Sender);

 protected:
  ~TfrmPickList() override = default;
};

class TfrmGroups : public TForm {
 public:
  explicit TfrmGroups(TComponent* owner);
  const char* ClassName() const override { return "TfrmGroups"; }

  // Put and taken unchanged (not the caption's SetText and GetText).
  void SetText(std::string_view text) { Memo1->SetText(AnsiString(text)); }
  AnsiString GetText() const { return Memo1->Text(); }

  TGroupBox* GroupBox1;
  TMemo* Memo1;
  TButton* btnOK;
  TButton* btnCancel;

 protected:
  ~TfrmGroups() override = default;
};

}  // namespace vx
