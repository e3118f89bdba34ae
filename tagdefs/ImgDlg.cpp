#include "tagdefs/ImgDlg.h"

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

  Label2 = label("Label2", "&Folders:", 164, 6);
  DirLabel = label("DirLabel", "", 164, 26);
  DirLabel->SetAutoSize(false);
  DirLabel->SetWidth(145);
  DirLabel->SetCaption(GetCurrentDir());

  Label4 = label("Label4", "List file of &type:", 8, 196);
  Label3 = label("Label3", "Dri&ves:", 164, 196);

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

void TImgDlg_Form::SetFilter(const AnsiString& filter) { filter_ = filter; }

AnsiString TImgDlg_Form::SelectedFile() {
  AnsiString name = Trim(FileEdit->Text());
  if (name.empty() || name.find_first_of("*?") != AnsiString::npos) return {};
  if (name.find(':') == AnsiString::npos && (name.empty() || name[0] != '\\')) name = IncludeTrailingBackslash(GetCurrentDir()) + name;
  return name;
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
  TImgDlg_Form* form = CreateForm<TImgDlg_Form>(nullptr);
  try {
    if (!filter_.empty()) form->SetFilter(filter_);
    ok = form->ShowModal() == mrOk;
    AnsiString file = ok ? form->SelectedFile() : AnsiString();
    if (ok && !file.empty()) {
      fileName_ = LowerCase(file);
      relFileName_ = LowerCase(MRelativePath(IncludeTrailingBackslash(saved), ExtractFilePath(file)) + ExtractFileName(file));
      iWidth_ = form->ImageWidth();
      iHeight_ = form->ImageHeight();
    } else {
      ok = false;
    }
  } catch (...) {
    form->Free();
    SetCurrentDir(saved);
    throw;
  }
  form->Free();
  SetCurrentDir(saved);
  return ok;
}

}  // namespace vx
