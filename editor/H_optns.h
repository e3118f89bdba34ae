// The options dialog: VornixPro's options on four pages. It only changes the options in
// memory; they reach the registry when the program ends.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/PageControl.h"
#include "framework/win/Spin.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TSettings;
class TColorComboBox;
class TFontComboBox;
class TComboEdit;
class TFilenameEdit;
class TDirectoryEdit;
class TFormStorage;

class TFormOptions : public TForm {
 public:
  explicit TFormOptions(TComponent* owner);
  const char* ClassName() const override { return "TFormOptions"; }

  TPageControl* PageControl1;
  TTabSheet *EditorPage, *InternalBrowserPage, *ExternalBrowserPage, *OptionsPage;
  // "Editor"
  TGroupBox *EditorWindowGroup, *StylesGroup, *DefaultDirGroup;
  TColorComboBox *EditBGE, *EditFontColorE, *EditSyntaxE, *EditQuotedE, *EditCommentE;
  TFontComboBox* EditFontE;
  TSpinEdit *EditFontSizeE, *EditTabSize;
  TCheckBox *EditMacSave, *EditUnixSave, *EditSyntaxHighLight, *EditWordWrap, *EditAutoIndent;
  TDirectoryEdit* DefaultDirE;
  // "Internal Browser"
  TGroupBox *FontsGroup, *ColoursGroup;
  TFontComboBox *DefFontNameE, *DefPreFontNameE;
  TSpinEdit* DefFontSizeE;
  TColorComboBox *DefHotSpotColorE, *DefBackGroundE, *DefFontColorE;
  // "External Browser"
  TGroupBox *Browser1Group, *Browser2Group;
  TFilenameEdit *BrowserE, *BrowserE2;
  TCheckBox *UseDDECB, *UseDDECB2;
  // "Options"
  TGroupBox *MiscGroup, *DocumentGroup, *ImageGroup;
  TCheckBox *CreateBAKCB, *LowerCaseCB;
  TEdit *DocExtE, *ImgExtE;
  TComboEdit *DocFilterE, *ImgFilterE;
  TButton *btnOK, *btnCancel;
  TFormStorage* FormStorage1;

  void DocFilterEButtonClick(TObject* Sender);
  void ImgFilterEButtonClick(TObject* Sender);
  void btnOKClick(TObject* Sender);

 private:
  void EditFilter(TComboEdit* edit);

 protected:
  ~TFormOptions() override;
};

// The restart notice shown when the dialog ends with OK.
extern const char* const RestartNotice;

// Runs the options dialog on the settings; true when it ended with OK.
bool EditSettings(TSettings& settings);

}  // namespace vx
