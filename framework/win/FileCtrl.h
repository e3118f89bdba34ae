// The linked file-system controls: a drive combo box feeds a directory list, which feeds
// a file list (and a folder label); a filter combo box sets the file list's mask.
// Browsing leaves the process's current directory alone: only the controls move.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TDirectoryListBox;
class TFileListBox;

// A folder or drive that cannot be read (empty floppy, a network drive gone, a folder
// deleted) raises the framework's EInOutError.

// True when the file name matches one of the masks ("*.htm;*.html"), ignoring case.
// "*" and "?" are the wildcards; "*.*" and an empty mask match every name.
bool MatchesMask(const AnsiString& name, const AnsiString& masks);
// "Name|mask|Name|mask" as pairs; a name without its mask gets "*.*".
std::vector<std::pair<AnsiString, AnsiString>> SplitFilter(const AnsiString& filter);
// A path shortened with "..." in place of its middle folders until fits(text) says yes.
AnsiString MinimizeName(const AnsiString& path, const std::function<bool(const AnsiString&)>& fits);
// Whether the drive's root can be read now, without a system error box.
bool DriveReadable(char drive);

enum TDriveType { dtUnknown, dtNoDrive, dtFloppy, dtFixed, dtNetwork, dtCDROM, dtRAM };
TDriveType DriveTypeOf(char drive);

// The drives of the machine, each with a small drawn glyph of its kind.
class TDriveComboBox : public TComboBox {
 public:
  explicit TDriveComboBox(TComponent* owner);
  const char* ClassName() const override { return "TDriveComboBox"; }
  // The drive letter, lower case.
  char Drive() const { return drive_; }
  // Shows another drive and moves the linked directory list to that drive's current folder;
  // a drive that cannot be read raises EInOutError and changes nothing.
  void SetDrive(char d);
  TDirectoryListBox* DirList() const { return dirList_; }
  void SetDirList(TDirectoryListBox* d);
  // Reads the drive list again.
  void BuildList();
  // OnChange (inherited) fires when the drive changes.
  void WndProc(TMessage& m) override;

 protected:
  void CreateWnd() override;
  void DrawItem(int index, RECT r, TOwnerDrawState state) override;
  void Notification(TComponent* c, TOperation op) override;

 private:
  friend class TDirectoryListBox;
  void ShowDrive();
  // The user picked an item: switch, or explain and go back.
  void ApplySelection();
  // The linked directory list moved to another drive.
  void DirListDriveChanged(char d);
  char drive_ = 'c';
  std::vector<char> letters_;
  TDirectoryListBox* dirList_ = nullptr;

 protected:
  ~TDriveComboBox() override = default;
};

// The folders of the path down to the current directory, then its subfolders.
// A double click or Enter opens the selected folder.
class TDirectoryListBox : public TCustomListBox {
 public:
  explicit TDirectoryListBox(TComponent* owner);
  const char* ClassName() const override { return "TDirectoryListBox"; }
  // The current folder, full path without a trailing separator ("c:\" for a root).
  const AnsiString& Directory() const { return directory_; }
  // A relative name is taken from the current folder. A folder that cannot be read
  // raises EInOutError and changes nothing.
  void SetDirectory(const AnsiString& dir);
  char Drive() const;
  // The current folder of another drive (its root when that cannot be read).
  void SetDrive(char d);
  TFileListBox* FileList() const { return fileList_; }
  void SetFileList(TFileListBox* f);
  TLabel* DirLabel() const { return dirLabel_; }
  void SetDirLabel(TLabel* l);
  // The full path an item stands for.
  AnsiString GetItemPath(int index) const;
  // Opens the selected item as the current folder; an unreadable one is explained.
  void OpenCurrent();
  // Reads the folder again (to its nearest existing parent when it was removed).
  void Update() override;
  // OnChange fires when the folder changes.
  TNotifyEvent OnChange;
  void DblClick() override;

 protected:
  void CreateWnd() override;
  void DrawItem(int index, RECT r, TOwnerDrawState state) override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void Notification(TComponent* c, TOperation op) override;
  void FontChanged() override;

 private:
  friend class TDriveComboBox;
  friend class TFileListBox;
  struct Entry {
    AnsiString path;
    int level;
    bool open;  // on the path to the current folder (or the current one)
  };
  void ReadDirectory(const AnsiString& dir);
  void UpdateLabel();
  void UpdateItemHeight();
  AnsiString directory_;
  std::vector<Entry> entries_;
  TFileListBox* fileList_ = nullptr;
  TLabel* dirLabel_ = nullptr;
  TDriveComboBox* driveCombo_ = nullptr;  // set by the combo that feeds this list

 protected:
  ~TDirectoryListBox() override;
};

// The files of a folder that match a mask. FileName is the selected file's full path.
class TFileListBox : public TCustomListBox {
 public:
  explicit TFileListBox(TComponent* owner);
  const char* ClassName() const override { return "TFileListBox"; }
  const AnsiString& Directory() const { return directory_; }
  // A folder that cannot be read raises EInOutError and changes nothing.
  void SetDirectory(const AnsiString& dir);
  char Drive() const;
  void SetDrive(char d);
  // One or more masks separated by ";" ("*.htm;*.html"); empty means every file.
  const AnsiString& Mask() const { return mask_; }
  void SetMask(const AnsiString& m);
  // The selected file (in a multi-select list the one with the focus, when selected), or "".
  AnsiString FileName();
  // Selects a file; a name with a folder moves the list (and a linked directory list) there.
  void SetFileName(const AnsiString& name);
  // The full paths of every selected file, in list order.
  std::vector<AnsiString> SelectedFiles();
  TEdit* FileEdit() const { return fileEdit_; }
  // The edit shows the selected file's name, or the mask while nothing is selected.
  void SetFileEdit(TEdit* e);
  bool ShowGlyphs() const { return showGlyphs_; }
  void SetShowGlyphs(bool s);
  // Selection by code, reported through OnChange like a click.
  void SetItemIndex(int i) override;
  // Takes what the user typed: a folder opens it, a mask with wildcards becomes the
  // mask, a file name selects that file. Returns false when the text named nothing.
  bool ApplyFilePath(const AnsiString& path);
  // Reads the folder again, keeping the selected file when it is still there.
  void Update() override;
  // OnChange fires whenever FileName changes; OnClick and OnDblClick come from the user.
  TNotifyEvent OnChange;
  void Click() override;

 protected:
  void CreateWnd() override;
  void DrawItem(int index, RECT r, TOwnerDrawState state) override;
  void Notification(TComponent* c, TOperation op) override;
  void FontChanged() override;

 private:
  friend class TDirectoryListBox;
  void Fill(const std::vector<AnsiString>& names, const AnsiString& keepName);
  void SelectionChanged();
  void UpdateEdit();
  void UpdateItemHeight();
  AnsiString directory_, mask_{"*.*"}, lastFileName_;
  bool showGlyphs_ = false;
  TEdit* fileEdit_ = nullptr;
  TDirectoryListBox* dirList_ = nullptr;  // set by the directory list that feeds this one

 protected:
  ~TFileListBox() override;
};

// The entries of a file-dialog filter; the chosen entry's mask goes to the file list.
class TFilterComboBox : public TComboBox {
 public:
  explicit TFilterComboBox(TComponent* owner);
  const char* ClassName() const override { return "TFilterComboBox"; }
  const AnsiString& Filter() const { return filter_; }
  // Fills the list and chooses the first entry.
  void SetFilter(const AnsiString& f);
  // The chosen entry's mask ("*.*" when there is none).
  AnsiString Mask();
  TFileListBox* FileList() const { return fileList_; }
  void SetFileList(TFileListBox* f);
  void SetItemIndex(int i);
  // OnChange (inherited) fires when the chosen entry changes.
  void WndProc(TMessage& m) override;

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  void Apply();
  AnsiString filter_;
  std::vector<AnsiString> masks_;
  int applied_ = -1;
  TFileListBox* fileList_ = nullptr;

 protected:
  ~TFilterComboBox() override = default;
};

}  // namespace vx
