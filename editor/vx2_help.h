// The tag help window: the description of one tag, with OK and Cancel; the palette
// inserts a tag without attributes only after OK here.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class THTMLTagDef;
class THTMLViewer;
class TFormStorage;

class TfrmHelpView : public TForm {
 public:
  explicit TfrmHelpView(TComponent* owner);
  const char* ClassName() const override { return "TfrmHelpView"; }

  TPanel* Panel1;
  THTMLViewer* HTMLViewer1;
  TButton* btnOK;
  TButton* btnCancel;
  TPopupMenu* PopupMenu1;
  TMenuItem* cmdCopy;
  TMenuItem* cmdSelectAll;
  TFormStorage* FormStorage1;

  // Caption and description of the tag.
  void ShowTag(THTMLTagDef* Def);

  void FormResize(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);
  void cmdCopyClick(TObject* Sender);
  void cmdSelectAllClick(TObject* Sender);

 protected:
  ~TfrmHelpView() override = default;
};

}  // namespace vx
