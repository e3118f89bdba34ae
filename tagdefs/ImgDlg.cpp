#include "tagdefs/ImgDlg.h"

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/tePaths.h"
#include "viewer/HTMLGdi.h"

namespace vx {

VX_PUBLISH(TImgDlg, TComponent) {
  P.Str("filename", &TImgDlg::filename, &TImgDlg::Setfilename)
      .Str("RelFileName", &TImgDlg::RelFileName, &TImgDlg::SetRelFileName)
      .Int("IWidth", &TImgDlg::IWidth, &TImgDlg::SetIWidth)
      .Int("IHeight", &TImgDlg::IHeight, &TImgDlg::SetIHeight)
      .Str("Filter", &TImgDlg::Filter, &TImgDlg::SetFilter);
}

TImgDlg_Form::TImgDlg_Form(TComponent* owner) : TForm(owner) {
  SetCaption("Select Image File");
  SetBorderStyle(bsDialog);
  SetBorderIcons(TBorderIcons{biSystemMenu});
  SetPosition(poScreenCenter);
  SetClientSize(600, 249);

  auto label = [this](const char* name, const char* text, int x, int y) {
    auto* l = new TLabel(this);
    l->SetName(name);
    l->SetParent(this);
    l->SetBounds(x, y, 140, 16);
    l->SetCaption(text);
    return l;
  };
  Label1 = label("Label1", "File &name:", 8, 6);
  FileEdit = new TEdit(this);
  FileEdit->SetName("FileEdit");
  FileEdit->SetParent(this);
  FileEdit->SetBounds(8, 24, 145, 21);
  FileEdit->SetText("*.gif");
  Label1->SetFocusControl(FileEdit);
  FileListBox1 = new TFileListBox(this);
  FileListBox1->SetName("FileListBox1");
  FileListBox1->SetParent(this);
  FileListBox1->SetBounds(8, 50, 145, 140);
  FileListBox1->SetMask("*.gif");
  FileListBox1->SetFileEdit(FileEdit);
  FileListBox1->OnChange = [this](TObject* s) { FileListBox1Change(s); };
  FileListBox1->OnDblClick = [this](TObject* s) { FileListBox1DblClick(s); };

  Label2 = label("Label2", "&Folders:", 164, 6);
  DirLabel = label("DirLabel", "", 164, 26);
  DirLabel->SetAutoSize(false);
  DirLabel->SetWidth(145);
  DirectoryListBox1 = new TDirectoryListBox(this);
  DirectoryListBox1->SetName("DirectoryListBox1");
  DirectoryListBox1->SetParent(this);
  DirectoryListBox1->SetBounds(164, 50, 145, 140);
  DirectoryListBox1->SetDirLabel(DirLabel);
  DirectoryListBox1->SetFileList(FileListBox1);
  Label2->SetFocusControl(DirectoryListBox1);

  Label4 = label("Label4", "List file of &type:", 8, 196);
  FilterComboBox1 = new TFilterComboBox(this);
  FilterComboBox1->SetName("FilterComboBox1");
  FilterComboBox1->SetParent(this);
  FilterComboBox1->SetBounds(8, 214, 145, 21);
  FilterComboBox1->SetFileList(FileListBox1);
  Label4->SetFocusControl(FilterComboBox1);

  Label3 = label("Label3", "Dri&ves:", 164, 196);
  DriveComboBox1 = new TDriveComboBox(this);
  DriveComboBox1->SetName("DriveComboBox1");
  DriveComboBox1->SetParent(this);
  DriveComboBox1->SetBounds(164, 214, 145, 21);
  DriveComboBox1->SetDirList(DirectoryListBox1);
  Label3->SetFocusControl(DriveComboBox1);

  PreviewCB = new TCheckBox(this);
  PreviewCB->SetName("PreviewCB");
  PreviewCB->SetParent(this);
  PreviewCB->SetBounds(320, 4, 120, 18);
  PreviewCB->SetCaption(" &Preview");
  PreviewCB->SetChecked(true);
  PreviewCB->OnClick = [this](TObject* s) { PreviewCBClick(s); };

  ScrollBox1 = new TScrollBox(this);
  ScrollBox1->SetName("ScrollBox1");
  ScrollBox1->SetParent(this);
  ScrollBox1->SetBounds(320, 24, 192, 192);
  ScrollBox1->SetColor(clWindow);
  Image1 = new TImage(this);
  Image1->SetName("Image1");
  Image1->SetParent(ScrollBox1);
  Image1->SetBounds(0, 0, 105, 105);
  Image1->SetVisible(false);

  Label5 = label("Label5", "Dimension:", 320, 224);
  Dimension = new TLabel(this);
  Dimension->SetName("Dimension");
  Dimension->SetParent(this);
  Dimension->SetAutoSize(false);
  Dimension->SetAlignment(taRightJustify);
  Dimension->SetBounds(392, 224, 120, 16);
  Dimension->SetCaption("0 x 0");

  Button1 = new TButton(this);
  Button1->SetName("Button1");
  Button1->SetParent(this);
  Button1->SetBounds(520, 8, 72, 25);
  Button1->SetCaption("&OK");
  Button1->SetDefault(true);
  Button1->SetModalResult(mrOk);
  Button1->OnClick = [this](TObject* s) { Button1Click(s); };
  Button2 = new TButton(this);
  Button2->SetName("Button2");
  Button2->SetParent(this);
  Button2->SetBounds(520, 40, 72, 25);
  Button2->SetCaption("&Cancel");
  Button2->SetCancel(true);
  Button2->SetModalResult(mrCancel);
  SetFilter("Gif Files (*.gif)|*.gif|JPeg Files (*.jpg)|*.jpg|All files (*.*)|*.*");
}

void TImgDlg_Form::SetFilter(const AnsiString& filter) {
  filter_ = filter;
  FilterComboBox1->SetFilter(filter);
}

AnsiString TImgDlg_Form::SelectedFile() {
  AnsiString file = FileListBox1->FileName();
  AnsiString typed = Trim(FileEdit->Text());
  if (!typed.empty() && typed.find_first_of("*?") == AnsiString::npos &&
      (file.empty() || CompareText(ExtractFileName(file), ExtractFileName(typed)) != 0)) {
    try {
      if (FileListBox1->ApplyFilePath(typed)) file = FileListBox1->FileName();
    } catch (const EInOutError&) {
      // A folder that cannot be read names no file.
    }
  }
  return file;
}

void TImgDlg_Form::LoadSize(const AnsiString& fileName, bool show) {
  std::unique_ptr<TBitmap> b;
  if (!fileName.empty() && FileExists(fileName)) b = LoadImageByExtension(fileName);
  if (b && !b->Empty()) {
    imageWidth_ = b->Width();
    imageHeight_ = b->Height();
    Dimension->SetCaption(Format("%d x %d", imageWidth_, imageHeight_));
    if (show) {
      Image1->SetBounds(0, 0, imageWidth_, imageHeight_);
      Image1->Picture()->SetGraphic(std::move(b));
      Image1->SetVisible(true);
      ScrollBox1->UpdateScrollBars();
    }
  } else {
    imageWidth_ = imageHeight_ = 0;
    Dimension->SetCaption("0 x 0");
    if (show) Image1->SetVisible(false);
  }
}

void TImgDlg_Form::PreviewFile(const AnsiString& fileName) { LoadSize(fileName, PreviewCB->Checked()); }

void TImgDlg_Form::FileListBox1Change(TObject*) { PreviewFile(SelectedFile()); }

void TImgDlg_Form::PreviewCBClick(TObject*) {
  ScrollBox1->SetVisible(PreviewCB->Checked());
  if (PreviewCB->Checked()) PreviewFile(SelectedFile());
}

void TImgDlg_Form::Button1Click(TObject*) { LoadSize(SelectedFile(), false); }

void TImgDlg_Form::FileListBox1DblClick(TObject* s) {
  Button1Click(s);
  SetModalResult(mrOk);
}

bool TImgDlg::Execute() {
  AnsiString saved = GetCurrentDir();
  bool ok = false;
  // The dialog browses folders: the current one comes back after the form has gone.
  auto restoreDir = OnScopeExit([&] { SetCurrentDir(saved); });
  TComponentPtr<TImgDlg_Form> form(CreateForm<TImgDlg_Form>(nullptr));
  if (!filter_.empty()) form->SetFilter(filter_);
  ok = form->ShowModal() == mrOk;
  AnsiString file = ok ? form->SelectedFile() : AnsiString();
  if (ok && !file.empty()) {
    fileName_ = LowerCase(file);
    relFileName_ =
        LowerCase(MRelativePath(IncludeTrailingBackslash(saved), ExtractFilePath(file)) + ExtractFileName(file));
    iWidth_ = form->ImageWidth();
    iHeight_ = form->ImageHeight();
  } else {
    ok = false;
  }
  return ok;
}

}  // namespace vx
