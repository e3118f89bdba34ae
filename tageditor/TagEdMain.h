// VxTagEd's main window: one tag definition set, its tags and the chosen tag's attributes
// with their descriptions, the dialogs that edit them, saving, a test of a tag in the
// attribute editor and the help page generator.
#pragma once

#include <memory>

#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"
#include "toolkit/Placemnt.h"
#include "toolkit/SpeedBar.h"
#include "viewer/Htmlview.h"

namespace vx {

extern const char* const TagEdTitle;     // "Vornix Pro HTML Tag Editor"
extern const char* const TagEdHelpFile;  // "vxprotag.hlp"

class TfrmMain : public TForm {
 public:
  explicit TfrmMain(TComponent* owner);
  const char* ClassName() const override { return "TfrmMain"; }

  THTMLGroup* Group() const { return group_.get(); }
  bool Modified() const { return modified_; }
  const AnsiString& FileName() const { return fileName_; }

  void ShowTagDescription(const AnsiString& text);
  void ShowAttrDescription(const AnsiString& text);
  void SetModified(bool value);
  void SetFileName(const AnsiString& name);
  // The tag chosen in the list, or nullptr.
  THTMLTagDef* SelectedTag();
  THTMLAttribDef* SelectedAttrib();

  TLabel* Label1;
  TEdit* eHTMLSpec;
  TPageControl* PageControl1;
  TTabSheet* TabSheet1;
  TGroupBox* GroupBox1;
  TListBox* lbTags;
  TButton* btnAdd;
  TButton* btnProperties;
  TButton* btnRemove;
  TButton* btnGroup;
  TZxSpeedButton* btnTest;
  TGroupBox* GroupBox2;
  TListBox* lbAttributes;
  TButton* btnAttrProperties;
  TGroupBox* GroupBox3;
  THTMLViewer* TagViewer;
  TGroupBox* GroupBox4;
  THTMLViewer* AttrViewer;
  TSpeedBar* SpeedBar1;
  TSpeedItem* siNew;
  TSpeedItem* siOpen;
  TSpeedItem* siSave;
  TSpeedItem* siSaveAs;
  TSpeedItem* siHelp;
  TMainMenu* MainMenu1;
  TMenuItem* cmdFile;
  TMenuItem* cmdNew;
  TMenuItem* cmdOpen;
  TMenuItem* cmdSave;
  TMenuItem* cmdSaveAs;
  TMenuItem* cmdGenerateHelp;
  TMenuItem* cmdExit;
  TMenuItem* cmdHelp;
  TMenuItem* cmdContents;
  TMenuItem* cmdAbout;
  TOpenDialog* OpenDialog1;
  TSaveDialog* SaveDialog1;
  TFormStorage* FormStorage1;

  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormCloseQuery(TObject* Sender, bool& CanClose);
  void cmdNewClick(TObject* Sender);
  void cmdOpenClick(TObject* Sender);
  void cmdSaveClick(TObject* Sender);
  void cmdSaveAsClick(TObject* Sender);
  void cmdFileClick(TObject* Sender);
  void cmdGenerateHelpClick(TObject* Sender);
  void cmdExitClick(TObject* Sender);
  void cmdAboutClick(TObject* Sender);
  void eHTMLSpecChange(TObject* Sender);
  void lbTagsDrawItem(TWinControl* Control, int Index, RECT Rect, TOwnerDrawState State);
  void lbTagsClick(TObject* Sender);
  void lbAttributesClick(TObject* Sender);
  void btnAddClick(TObject* Sender);
  void btnPropertiesClick(TObject* Sender);
  void btnRemoveClick(TObject* Sender);
  void btnAttrPropertiesClick(TObject* Sender);
  void btnGroupClick(TObject* Sender);
  void btnTestClick(TObject* Sender);

 private:
  void CreateMenus();
  void CreateSpeedBar();
  void CreatePage();
  // Lists the set's tags again, keeping nothing that may have been freed.
  void FillTags();
  // Shows the set after a load (or a load that failed half way).
  void ShowLoadedSet();
  void EnableTagButtons(bool enabled);
  // Saves before New, Open or the end: where the set came from, or else under a new
  // name. True when the set is saved.
  bool SaveBeforeLeaving();
  // The question before New and Open; true when the caller may go on.
  bool AskToSave(const AnsiString& question);
  std::unique_ptr<THTMLGroup> group_;
  bool modified_ = false;
  AnsiString fileName_;

 protected:
  ~TfrmMain() override;
};

}  // namespace vx
