// The attribute editor: a modal dialog with one grid row per attribute of a tag, its
// help, and the browser tabs that mark the attributes each browser supports. It turns
// existing attribute text into row values and the rows back into attribute text.
#pragma once

#include "framework/win/ComCtrls.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/ParAttribs.h"
#include "tagdefs/XGrid.h"
#include "tagdefs/teTagType.h"
#include "toolkit/Placemnt.h"
#include "viewer/Htmlview.h"

namespace vx {

// The help pane's Copy / Select All popup on a viewer; the tag help window has the same one.
void AddViewerPopup(TComponent* Owner, THTMLViewer* Viewer, TPopupMenu*& Menu, TMenuItem*& Copy, TMenuItem*& SelectAll,
                    TNotifyEvent OnCopy, TNotifyEvent OnSelectAll, TNotifyEvent OnPopup);

class TfrmParEd : public TForm {
 public:
  explicit TfrmParEd(TComponent* owner);
  const char* ClassName() const override { return "TfrmParEd"; }

  // Set before LoadTag.
  bool LowerCaseTags = false;
  AnsiString DocFilter;
  AnsiString ImgFilter;
  THTMLTagDef* TagDef = nullptr;  // not owned

  // Caption, help document and rows for the tag.
  void LoadTag(THTMLTagDef* tag);
  // Row values from attribute text (the text between a tag's name and its ">").
  void ParseAttributes(const AnsiString& text);
  // The attribute text of the rows: empty, or each attribute after one blank.
  AnsiString BuildAttributes();
  // The help document that LoadTag made.
  const AnsiString& HelpText() const { return helpText_; }

  TTabControl* TabControl1;
  TPanel* Panel5;
  TXGrid* XGrid1;
  TSplitter* Splitter1;
  TPanel* Panel6;
  THTMLViewer* HTMLViewer1;
  TPopupMenu* PopupMenu1;
  TMenuItem* cmdCopy;
  TMenuItem* cmdSelectAll;
  TCheckBox* cbHelp;
  TButton* btnOK;
  TButton* btnCancel;
  TFormStorage* FormStorage1;

  void btnOKClick(TObject* Sender);
  void FormResize(TObject* Sender);
  void TabControl1Change(TObject* Sender);
  void cbHelpClick(TObject* Sender);
  void XGrid1EditUpdateContents(TObject* Sender);
  void PopupMenu1Popup(TObject* Sender);
  void cmdCopyClick(TObject* Sender);
  void cmdSelectAllClick(TObject* Sender);
  void FormCreate(TObject* Sender);

 private:
  void RowsToAttributes();
  TParAttributes attrs_;
  AnsiString helpText_;

 protected:
  ~TfrmParEd() override = default;
};

}  // namespace vx
