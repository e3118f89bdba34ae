// The preview window: a child window of the main frame around a frame viewer, with its
// "&Browser" menu (open, images, back to editing, back and forward, the last six pages),
// a popup, printing and the results of submitted forms.
#pragma once

#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "viewer/FramView.h"

namespace vx {

class TFormStorage;

class TForm_HTMLView : public TForm {
 public:
  explicit TForm_HTMLView(TComponent* owner);
  const char* ClassName() const override { return "TForm_HTMLView"; }

  TFrameViewer* Viewer;
  TMainMenu* MainMenu;
  TMenuItem *HistoryMenuItem, *Open1, *ShowImages, *EditDocument1, *BackButton, *FwdButton;
  TMenuItem* HistoryItems[6] = {};
  TPopupMenu* PopupMenu1;
  TMenuItem *BackButton1, *FwdButton1, *EditDocument2;
  TPrintDialog* PrintDialog;
  TOpenDialog* OpenDialog1;
  TFormStorage* FormStorage1;

  // Shows the file (a name with an optional "#" part); without a name asks for one.
  void ShowFile(const AnsiString& FileName);
  // The file of the page in the viewer's active frame (of the whole set without one).
  AnsiString CurrentFileName();

  void Open1Click(TObject* Sender);
  void ShowImagesClick(TObject* Sender);
  void FwdBackClick(TObject* Sender);
  void HistoryChange(TObject* Sender);
  void HistoryClick(TObject* Sender);
  void ProcessingHandler(TObject* Sender, bool ProcessingOn);
  void ViewerHotSpotTargetCovered(TObject* Sender, const std::string& Target, const std::string& URL);
  void SubmitEvent(TObject* Sender, const std::string& Action, const std::string& Method,
                   std::unique_ptr<TStringList> Results);
  void Print1Click(TObject* Sender);
  void EditDocumentClick(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);
  void FormActivate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void EnableFwdBack();

 protected:
  ~TForm_HTMLView() override;
};

// The preview window while it exists.
extern TForm_HTMLView* Form_HTMLView;

}  // namespace vx
