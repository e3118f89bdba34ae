// The main frame's preview commands: the preview copy, the internal preview window and the
// two external browsers, started by command line or driven by DDE.
#include "editor/Preview.h"

#include "editor/DocFiles.h"
#include "editor/Settings.h"
#include "editor/Vx2_html.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/win/DdeMan.h"
#include "framework/win/Programs.h"
#include "tagdefs/tePaths.h"

namespace vx {

const char* const PreviewFileName = "vornixtmp.htm";

AnsiString PreviewFilePath(const AnsiString& documentName, const AnsiString& currentDir) {
  AnsiString folder = ExtractFilePath(documentName);
  if (folder.empty()) folder = currentDir;
  return IncludeTrailingBackslash(folder) + PreviewFileName;
}

AnsiString ServiceNameOf(const AnsiString& browserPath) {
  AnsiString name = ExtractFileName(browserPath);
  size_t dot = name.find('.');
  return dot == AnsiString::npos ? AnsiString() : name.substr(0, dot);
}

AnsiString BrowserCommandLine(const AnsiString& browserPath, const AnsiString& file) {
  return QuotedIfBlank(browserPath) + " " + QuotedIfBlank(file);
}

AnsiString OpenUrlItem(const AnsiString& file) { return FileToURL(file) + ",,-1,1,,,"; }

// ---- the main frame's commands ---------------------------------------------------------

void TFrameForm::ReloadSBClick(TObject*) {
  TForm* active = ActiveChild();
  if (!active) return;
  if (active == frmEditWin) {
    if (!frmEditWin->CurrentEditor()) return;
    UpdateIntBrowser(WritePreviewFile());
  } else if (active == Form_HTMLView) {
    // A page reached by a link opens as a document; the preview copy, a picture or any
    // other file leads back to the document window.
    AnsiString name = Form_HTMLView->CurrentFileName();
    if (FileExists(name) && ExtractFileName(name) != PreviewFileName && settings_ &&
        IsDocumentFile(name, settings_->DocFilter()))
      OpenInEditor(name);
    else if (frmEditWin)
      frmEditWin->Show();  // a child window comes to the front by being shown
  }
}

void TFrameForm::UpdateIntBrowser(const AnsiString& Path) {
  if (!Form_HTMLView) Form_HTMLView = CreateForm<TForm_HTMLView>(Application);
  Form_HTMLView->ShowFile(Path);
}

void TFrameForm::BrowserBtnClick(TObject* Sender) {
  auto* c = dynamic_cast<TComponent*>(Sender);
  if (c && ActiveChild() && frmEditWin) UpdateBrowser(c->Tag());
}

void TFrameForm::UpdateBrowser(int n) {
  if ((n != 1 && n != 2) || !settings_) return;
  if (n == 1 ? settings_->UseDDE() : settings_->UseDDE2())
    PreviewByDde(n);
  else
    PreviewByExec(n);
}

AnsiString TFrameForm::GetBrowserPath(int n) {
  if ((n != 1 && n != 2) || !settings_) return AnsiString();
  AnsiString path = n == 1 ? settings_->Browser() : settings_->Browser2();
  if (path.empty() && OpenDialog1->Execute()) {
    path = OpenDialog1->FileName();
    if (n == 1)
      settings_->SetBrowser(path);
    else
      settings_->SetBrowser2(path);
  }
  return path;
}

AnsiString TFrameForm::BrowserServiceName(int n) { return ServiceNameOf(GetBrowserPath(n)); }

AnsiString TFrameForm::WritePreviewFile() {
  TxEdit* ed = frmEditWin ? frmEditWin->CurrentEditor() : nullptr;
  if (!ed) return AnsiString();
  AnsiString path = PreviewFilePath(ed->FileName(), GetCurrentDir());
  TMemoryStream text;
  ed->SaveToStream(text);
  text.SaveToFile(path);
  EnterDocumentFolder(ed);
  return path;
}

static void EnterFolderOf(const AnsiString& path) {
  AnsiString dir = ExtractFileDir(path);
  if (!SetCurrentDir(dir)) throw EInOutError(Format("Cannot change to folder %s", dir.c_str()));
}

void TFrameForm::PreviewByExec(int n) {
  AnsiString path = WritePreviewFile();
  if (path.empty()) return;
  EnterFolderOf(path);
  // Asked for once; without a browser nothing is started.
  AnsiString browser = GetBrowserPath(n);
  if (browser.empty()) return;
  // A browser that does not start is passed over, as the user chose it.
  StartProgram(BrowserCommandLine(browser, path), SW_SHOW);
}

void TFrameForm::PreviewByDde(int n) {
  AnsiString browser = GetBrowserPath(n);
  AnsiString service = ServiceNameOf(browser);
  DdeClientConv1->SetServiceApplication(browser);
  if (DdeClientConv1->SetLink(service, "WWW_OpenURL") && DdeClientConv1->OpenLink()) {
    AnsiString path = WritePreviewFile();
    EnterFolderOf(path);
    DdeClientConv1->RequestData(OpenUrlItem(path));
    DdeClientConv1->CloseLink();
  }
  if (DdeClientConv1->SetLink(service, "WWW_Activate") && DdeClientConv1->OpenLink()) {
    DdeClientConv1->RequestData("0xFFFFFFFF");
    DdeClientConv1->CloseLink();
  }
}

}  // namespace vx
