// The help generator dialog: writes the help pages of the open set into a folder.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"
#include "tageditor/HelpPages.h"
#include "toolkit/ToolEdit.h"

namespace vx {

class TfrmGenHelp : public TForm {
 public:
  explicit TfrmGenHelp(TComponent* owner);
  const char* ClassName() const override { return "TfrmGenHelp"; }

  // The set the pages are made from (not owned).
  THTMLGroup* Group = nullptr;

  // Writes every page into the folder (a full path).
  void GenerateHelp(const AnsiString& folder);
  void AddTagHelp(THelpLines& page, THTMLTagDef* tag) { vx::AddTagHelp(page, *tag); }

  TGroupBox* GroupBox1;
  TDirectoryEdit* DirectoryEdit1;
  TGroupBox* GroupBox2;
  TButton* btnGenerateHelp;
  TButton* btnCancel;

  void btnGenerateHelpClick(TObject* Sender);

 protected:
  ~TfrmGenHelp() override = default;
};

}  // namespace vx
