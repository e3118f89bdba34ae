// The image file dialog: pick an image file with a preview of it and its size; the
// result is the file's name, its name relative to the current directory and its size.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/FileCtrl.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TImgDlg_Form : public TForm {
 public:
  explicit TImgDlg_Form(TComponent* owner);
  const char* ClassName() const override { return "TImgDlg_Form"; }

  TLabel* Label1;  // "File &name:"
  TLabel* Label2;  // "&Folders:"
  TLabel* Label3;  // "Dri&ves:"
  TLabel* Label4;  // "List file of &type:"
  TLabel* Label5;  // "Dimension:"
  TLabel* DirLabel;
  TEdit* FileEdit;
  TFileListBox* FileListBox1;
  TDirectoryListBox* DirectoryListBox1;
  TDriveComboBox* DriveComboBox1;
  TFilterComboBox* FilterComboBox1;
  TCheckBox* PreviewCB;
  TScrollBox* ScrollBox1;
  TImage* Image1;
  TLabel* Dimension;
  TButton* Button1;  // "&OK"
  TButton* Button2;  // "&Cancel"

  // The file-type list's filter.
  void SetFilter(const AnsiString& filter);
  // The selected file with its full path ("" when none); a name typed into the name
  // field is looked up first.
  AnsiString SelectedFile();
  // Shows the file in the preview and records its size (0 x 0 when it is no image).
  void PreviewFile(const AnsiString& fileName);
  int ImageWidth() const { return imageWidth_; }
  int ImageHeight() const { return imageHeight_; }

  void FileListBox1Change(TObject* Sender);
  void PreviewCBClick(TObject* Sender);
  void Button1Click(TObject* Sender);
  void FileListBox1DblClick(TObject* Sender);

 private:
  void LoadSize(const AnsiString& fileName, bool show);
  AnsiString filter_;
  int imageWidth_ = 0, imageHeight_ = 0;

 protected:
  ~TImgDlg_Form() override = default;
};

class TImgDlg : public TComponent {
 public:
  explicit TImgDlg(TComponent* owner) : TComponent(owner) {}
  const char* ClassName() const override { return "TImgDlg"; }

  const AnsiString& filename() const { return fileName_; }
  void Setfilename(const AnsiString& s) { fileName_ = s; }
  const AnsiString& RelFileName() const { return relFileName_; }
  void SetRelFileName(const AnsiString& s) { relFileName_ = s; }
  int IWidth() const { return iWidth_; }
  void SetIWidth(int v) { iWidth_ = v; }
  int IHeight() const { return iHeight_; }
  void SetIHeight(int v) { iHeight_ = v; }
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& s) { filter_ = s; }

  // Shows the dialog; true on OK, and then the names and the size are set. The current
  // directory is the same afterwards, whatever folder the user browsed to.
  bool Execute();

 private:
  AnsiString fileName_, relFileName_, filter_;
  int iWidth_ = 0, iHeight_ = 0;

 protected:
  ~TImgDlg() override = default;
};

}  // namespace vx
