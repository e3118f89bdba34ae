// The select-directory dialog: a folder picked from the drive and folder lists or, when
// the caller allows it, typed by name; a folder that does not exist yet can be made,
// after asking. It runs as a modal form, so the application's test seam answers it.
#pragma once

#include "framework/win/FileCtrl.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

// sdAllowCreate: a name may be typed, also of a folder that does not exist;
// sdPerformCreate: such a folder is made on OK; sdPrompt: the user is asked first.
enum TSelectDirOpt { sdAllowCreate, sdPerformCreate, sdPrompt };
using TSelectDirOpts = TSet<TSelectDirOpt>;
const TTypeInfo* TypeInfoSelectDirOpts();

class TSelectDirDlg : public TForm {
 public:
  explicit TSelectDirDlg(TComponent* owner);
  const char* ClassName() const override { return "TSelectDirDlg"; }

  // The folder shown at the start; one that cannot be read leaves the lists where they are.
  void SetDirectory(const AnsiString& dir);
  // The folder chosen on OK (full path).
  const AnsiString& Directory() const { return directory_; }
  TSelectDirOpts Options() const { return options_; }
  void SetOptions(TSelectDirOpts o);

  TLabel* DirNameLabel;
  TEdit* DirEdit;
  TLabel* DirListLabel;
  TDirectoryListBox* DirList;
  TLabel* DriveLabel;
  TDriveComboBox* DriveList;
  TButton* OKButton;
  TButton* CancelButton;
  TButton* HelpButton;

  void OKButtonClick(TObject* Sender);
  void HelpButtonClick(TObject* Sender);
  void DirListChange(TObject* Sender);

 private:
  TSelectDirOpts options_;
  AnsiString directory_;

 protected:
  ~TSelectDirDlg() override = default;
};

// Runs the dialog on directory; true and the chosen folder in directory on OK. A help
// context other than 0 shows a Help button.
bool SelectDirectory(AnsiString& directory, TSelectDirOpts options, int helpContext);

}  // namespace vx
