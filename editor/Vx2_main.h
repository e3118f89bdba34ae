// VornixPro's main frame: menus, speed bars, the explorer panel, the status bar and the
// dialogs; it makes the document window on demand and passes most commands to it.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/win/ComCtrls.h"
#include "framework/win/Dialogs.h"
#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"

namespace vx {

class TSettings;
class TCusTags;
class TCusTool;
class TFormStorage;
class TFileDrag;
class TSpeedBar;
class TSpeedItem;
class TMRUManager;
class TDriveComboBox;
class TDirectoryListBox;
class TFileListBox;
class TFilterComboBox;
class TDdeClientConv;
class TForm_HTMLView;

extern const char* const VornixTitle;

class TFrameForm : public TForm {
 public:
  explicit TFrameForm(TComponent* owner);
  const char* ClassName() const override { return "TFrameForm"; }
  void Loaded() override;

  TSettings* Settings() const { return settings_.get(); }
  TCusTags* CusTags() const { return cusTags_.get(); }
  TCusTool* CusTool() const { return cusTool_.get(); }

  TMainMenu* MainMenu1;
  TMenuItem *cmdFile, *cmdNew, *cmdNewFrame, *cmdOpen, *cmdReopen, *cmdCloseAll, *cmdClose, *cmdSave, *cmdSaveAs,
      *cmdSaveAll, *cmdPrint, *cmdPrintSetup, *cmdRefreshHTMLViewer, *cmdRefreshExtViewer, *cmdRefreshExtBrowser,
      *cmdExit;
  TMenuItem *Window1, *TileVertical1, *Tile1, *Cascade1, *cmdExplorer;
  TMenuItem *Tools1, *EnvironmentOptions1, *ConfigureMaintoolbar1, *ConfigureFormatToolbar1, *EditCustonTags1,
      *cmdEditCustomTools;
  TMenuItem *Help1, *Contents1, *HowtoUseHelp1, *About1;
  TPopupMenu *FormPopUp, *HnPopUp, *TblPopup, *FramesPopUp, *PopupImg, *WizardPopUp, *CustomPopUp;
  TPanel* CoolBar1;
  TSpeedBar *MainToolBar, *FormatToolBar;
  TMRUManager* MRUManager;
  TPanel* pnlExplore;
  TPanel *Panel3, *Panel2;
  TDriveComboBox* DriveComboBox1;
  TDirectoryListBox* DirectoryListBox1;
  TSplitter *Splitter2, *Splitter1;
  TFileListBox* FileListBox1;
  TFilterComboBox* FilterComboBox1;
  TStatusBar* StatusBar;
  TOpenDialog* OpenDialog1;
  TOpenDialog* OpenHTMLDialog;
  TSaveDialog* SaveFileDialog;
  TFormStorage* FormStorage1;
  TFileDrag* FileDrag1 = nullptr;
  TDdeClientConv* DdeClientConv1;

  void EnableEditTools(bool Enabled);
  // Whether a speed item is enabled (by its name).
  bool EditToolEnabled(const AnsiString& name);
  TSpeedItem* SpeedItem(const AnsiString& name);
  const AnsiString& ReloadHint() const { return reloadHint_; }
  void OpenInEditor(const AnsiString& FileName);
  void NewDoc(TObject* Sender);
  // Adds a closed document to the recent-files list, the most recent first.
  void AddRecentFile(const AnsiString& FileName);
  void MRUManagerClick(TObject* Sender, const AnsiString& RecentName);
  void FileListBox1DblClick(TObject* Sender);
  void FileDrag1Drop(TObject* Sender);
  void cmdFileClick(TObject* Sender);

  void cmdOpenClick(TObject* Sender);
  void cmdCloseAllClick(TObject* Sender);
  void cmdCloseClick(TObject* Sender);
  void cmdSaveClick(TObject* Sender);
  void cmdSaveAsClick(TObject* Sender);
  void cmdSaveAllClick(TObject* Sender);
  void cmdPrintClick(TObject* Sender);
  void cmdExitClick(TObject* Sender);
  void siCopyClick(TObject* Sender);
  void siCutClick(TObject* Sender);
  void siPasteClick(TObject* Sender);
  void siListClick(TObject* Sender);
  void MapWizardMIClick(TObject* Sender);
  void cmdTableWizardClick(TObject* Sender);
  void CharSBClick(TObject* Sender);
  void siSpellCheckClick(TObject* Sender);
  void ASBMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void IMGSBClick(TObject* Sender);
  void cmdCustomClick(TObject* Sender);
  void ReloadSBClick(TObject* Sender);
  void BrowserBtnClick(TObject* Sender);
  // The preview and the external browsers (Preview.cpp).
  void UpdateIntBrowser(const AnsiString& Path);
  void UpdateBrowser(int n);
  AnsiString GetBrowserPath(int n);
  AnsiString BrowserServiceName(int n);
  AnsiString WritePreviewFile();
  void PreviewByExec(int n);
  void PreviewByDde(int n);
  void FramesWizardMIClick(TObject* Sender);
  void Tile1Click(TObject* Sender);
  void Cascade1Click(TObject* Sender);
  void Window1Click(TObject* Sender);
  void cmdExplorerClick(TObject* Sender);
  void pnlExploreResize(TObject* Sender);
  void cmdPropertiesClick(TObject* Sender);
  void ConfigureMaintoolbar1Click(TObject* Sender);
  void ConfigureFormatToolbar1Click(TObject* Sender);
  void cmdNewItemClick(TObject* Sender);
  void cmdEditCustomToolsClick(TObject* Sender);
  void Contents1Click(TObject* Sender);
  void HowtoUseHelp1Click(TObject* Sender);
  void About1Click(TObject* Sender);
  void BuildCustomTagMenu();
  void BuildToolsMenu();
  void RunCustomTool(TObject* Sender);

 private:
  void FormCreate(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void CreateMenus();
  void CreatePopups();
  void CreateSpeedBars();
  void CreateExplorer();
  TSpeedBar* AddBar(const char* name, const char* section);
  TSpeedItem* AddSpeedItem(TSpeedBar* bar, int& left, const char* name, const char* caption, char kind,
                           TNotifyEvent click, TPopupMenu* menu, const char* hint, int tag);
  void CreateRecentList();
  void ShowExplorerFolder(const AnsiString& dir);
  void SetExplorerFilter(const AnsiString& filter);
  AnsiString ExplorerSelectedFile();
  void SetToolEnabled(const AnsiString& name, bool enabled);
  void SetToolHint(const AnsiString& name, const AnsiString& hint);
  // Opens a dropped or chosen file when its extension is a document's.
  void OpenIfDocument(const AnsiString& name);
  TMenuItem* AddItem(TMenuItem* parent, const char* name, const char* caption, TNotifyEvent click = nullptr,
                     TShortCut sc = 0, int tag = 0);
  void AddLine(TMenuItem* parent);
  TPopupMenu* AddPopup(const char* name);
  // Runs a step of FormCreate; a failure is shown and the remaining steps still run.
  void Step(const std::function<void()>& f);
  TForm* ActiveChild();

  std::unique_ptr<TSettings> settings_;
  std::unique_ptr<TCusTags> cusTags_;
  std::unique_ptr<TCusTool> cusTool_;
  AnsiString reloadHint_;
  // Work posted for later holds this weakly: a frame gone by then is not touched.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);

 protected:
  ~TFrameForm() override;
};

extern TFrameForm* FrameForm;

}  // namespace vx
