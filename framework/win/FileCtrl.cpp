#include "framework/win/FileCtrl.h"

#include <algorithm>

#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/GdiScoped.h"

namespace vx {

VX_PUBLISH(TDriveComboBox, TComboBox) {}
VX_PUBLISH(TDirectoryListBox, TCustomListBox) {
  P.Str("Directory", &TDirectoryListBox::Directory, &TDirectoryListBox::SetDirectory);
}
VX_PUBLISH(TFileListBox, TCustomListBox) { P.Str("Mask", &TFileListBox::Mask, &TFileListBox::SetMask); }
VX_PUBLISH(TFilterComboBox, TComboBox) { P.Str("Filter", &TFilterComboBox::Filter, &TFilterComboBox::SetFilter); }

namespace {

// No "insert a disk" box from the system while we look at drives.
struct QuietErrors {
  UINT old = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  ~QuietErrors() { SetErrorMode(old); }
};

char LowerDrive(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// The full form of a folder name: absolute, ".." folded, no trailing separator except
// after a drive, the drive letter in lower case.
AnsiString FullDir(const AnsiString& name, const AnsiString& base) {
  AnsiString t = name;
  for (char& c : t)
    if (c == '/') c = '\\';
  bool unc = t.size() >= 2 && t[0] == '\\' && t[1] == '\\';
  bool drive = t.size() >= 2 && t[1] == ':';
  if (!unc && !drive && !base.empty()) {
    if (!t.empty() && t[0] == '\\')
      t = (base.size() >= 2 && base[1] == ':' ? base.substr(0, 2) : AnsiString()) + t;
    else
      t = IncludeTrailingBackslash(base) + t;
  }
  if (t.size() == 2 && t[1] == ':') t += '\\';  // "d:" alone is that drive's own current folder elsewhere
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(t.c_str(), sizeof buf, buf, nullptr);
  AnsiString full = (n == 0 || n >= sizeof buf) ? t : AnsiString(buf, n);
  if (full.size() > 3 && IsPathDelimiter(full.back())) full.pop_back();
  if (full.size() >= 2 && full[1] == ':') full[0] = LowerDrive(full[0]);
  return full;
}

bool IsFolder(const AnsiString& path) {
  QuietErrors q;
  DWORD a = GetFileAttributesA(IncludeTrailingBackslash(path).c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

AnsiString FolderError(const AnsiString& path) {
  if (path.size() >= 2 && path[1] == ':' && !DriveReadable(path[0]))
    return Format("Drive %c: is not ready or cannot be read.", AnsiUpperChar(path[0]));
  return Format("The folder %s cannot be read.", path.c_str());
}

// The names in a folder: folders or files (hidden and system ones left out), sorted.
// Raises EInOutError when the folder cannot be read.
std::vector<AnsiString> ReadFolder(const AnsiString& dir, bool folders, const AnsiString& mask) {
  QuietErrors q;
  std::vector<AnsiString> names;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((IncludeTrailingBackslash(dir) + "*").c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) {
    // An empty root has no "." entry and reports no file at all.
    if (GetLastError() == ERROR_FILE_NOT_FOUND && IsFolder(dir)) return names;
    throw EInOutError(FolderError(dir));
  }
  do {
    AnsiString n = fd.cFileName;
    if (n == "." || n == "..") continue;
    if (fd.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    bool isDir = (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (isDir != folders) continue;
    if (!folders && !MatchesMask(n, mask)) continue;
    names.push_back(n);
  } while (FindNextFileA(h, &fd));
  FindClose(h);
  std::sort(names.begin(), names.end(),
            [](const AnsiString& a, const AnsiString& b) { return AnsiCompareText(a, b) < 0; });
  return names;
}

// The current folder of a drive, or its root when that folder is gone.
AnsiString DriveFolder(char d) {
  char spec[3] = {d, ':', 0};
  char buf[MAX_PATH * 2];
  DWORD n = GetFullPathNameA(spec, sizeof buf, buf, nullptr);
  AnsiString dir = (n == 0 || n >= sizeof buf) ? AnsiString() : FullDir(AnsiString(buf, n), "");
  if (dir.empty() || !IsFolder(dir)) dir = FullDir(AnsiString(1, d) + ":\\", "");
  return dir;
}

bool WildMatch(const char* n, const char* p) {
  // Iterative glob with one back-track point: "*" any run, "?" one character.
  const char *star = nullptr, *mark = nullptr;
  while (*n) {
    if (*p == '?' || *p == *n) {
      ++n;
      ++p;
    } else if (*p == '*') {
      star = p++;
      mark = n;
    } else if (star) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (*p == '*') ++p;
  return *p == 0;
}

// ---- glyphs: small drawings in a 16 x 16 box ------------------------------------------

struct Gdi {
  HDC dc;
  int x, y;
  void Shape(const POINT* pts, int n, COLORREF fill, COLORREF line) {
    std::vector<POINT> p(pts, pts + n);
    for (auto& q : p) q.x += x, q.y += y;
    TOwnedBrush b(CreateSolidBrush(fill));
    TOwnedPen pen(CreatePen(PS_SOLID, 1, line));
    TSelected selectBrush(dc, b), selectPen(dc, pen);
    ::Polygon(dc, p.data(), n);
  }
  void Box(int l, int t, int r, int b, COLORREF fill, COLORREF line) {
    POINT p[] = {{l, t}, {r, t}, {r, b}, {l, b}};
    Shape(p, 4, fill, line);
  }
  void Line(int x1, int y1, int x2, int y2, COLORREF c) {
    TOwnedPen pen(CreatePen(PS_SOLID, 1, c));
    TSelected selectPen(dc, pen);
    MoveToEx(dc, x + x1, y + y1, nullptr);
    ::LineTo(dc, x + x2, y + y2);
  }
};

constexpr COLORREF kDark = RGB(64, 64, 64), kFolder = RGB(240, 208, 96), kFolderLight = RGB(255, 236, 150);

void DrawFolderGlyph(HDC dc, int x, int y, bool open) {
  Gdi g{dc, x, y};
  POINT back[] = {{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}};
  g.Shape(back, 6, kFolder, kDark);
  if (open) {
    POINT front[] = {{3, 7}, {15, 7}, {13, 13}, {1, 13}};
    g.Shape(front, 4, kFolderLight, kDark);
  }
}

void DrawFileGlyph(HDC dc, int x, int y) {
  Gdi g{dc, x, y};
  POINT page[] = {{3, 1}, {10, 1}, {13, 4}, {13, 14}, {3, 14}};
  g.Shape(page, 5, RGB(255, 255, 255), kDark);
  g.Line(10, 1, 10, 4, kDark);
  g.Line(10, 4, 13, 4, kDark);
  for (int ly = 6; ly <= 12; ly += 2) g.Line(5, ly, 11, ly, RGB(128, 128, 128));
}

void DrawDriveGlyph(HDC dc, int x, int y, TDriveType t) {
  Gdi g{dc, x, y};
  switch (t) {
    case dtFloppy:
      g.Box(2, 2, 13, 13, RGB(40, 40, 90), kDark);
      g.Box(5, 2, 10, 6, RGB(200, 200, 200), kDark);
      g.Box(4, 8, 11, 13, RGB(255, 255, 255), kDark);
      break;
    case dtCDROM: {
      TOwnedBrush b(CreateSolidBrush(RGB(220, 220, 235)));
      TOwnedPen pen(CreatePen(PS_SOLID, 1, kDark));
      TSelected selectBrush(dc, b), selectPen(dc, pen);
      ::Ellipse(dc, x + 1, y + 1, x + 15, y + 15);
      TSelected hole(dc, GetStockObject(WHITE_BRUSH));
      ::Ellipse(dc, x + 6, y + 6, x + 10, y + 10);
      break;
    }
    case dtNetwork:
      g.Box(1, 3, 14, 9, RGB(192, 192, 192), kDark);
      g.Box(10, 5, 12, 7, RGB(0, 192, 0), RGB(0, 128, 0));
      g.Line(7, 9, 7, 13, kDark);
      g.Line(2, 13, 13, 13, kDark);
      break;
    case dtRAM:
      g.Box(2, 4, 13, 11, RGB(0, 96, 0), kDark);
      for (int px = 3; px <= 12; px += 3) {
        g.Line(px, 2, px, 4, kDark);
        g.Line(px, 11, px, 13, kDark);
      }
      break;
    default:
      g.Box(1, 5, 14, 11, RGB(192, 192, 192), kDark);
      g.Box(10, 7, 12, 9, RGB(0, 192, 0), RGB(0, 128, 0));
      break;
  }
}

// The item's colours are set by the list; glyph, then text, centred vertically.
void DrawGlyphItem(TCanvas* c, RECT r, int indent, const AnsiString& text, int glyphKind, bool open) {
  c->FillRect(r);
  int gx = r.left + 2 + indent, gy = r.top + (r.bottom - r.top - 16) / 2;
  HDC dc = c->Handle();
  if (glyphKind == 0)
    DrawFolderGlyph(dc, gx, gy, open);
  else if (glyphKind == 1)
    DrawFileGlyph(dc, gx, gy);
  else
    DrawDriveGlyph(dc, gx, gy, static_cast<TDriveType>(glyphKind - 2));
  int th = c->TextHeight("Wg");
  c->TextRect(RECT{gx + 18, r.top, r.right, r.bottom}, gx + 20, r.top + (r.bottom - r.top - th) / 2, text);
}

}  // namespace

// ---- helpers -------------------------------------------------------------------------

bool MatchesMask(const AnsiString& name, const AnsiString& masks) {
  AnsiString n = AnsiUpperCase(name);
  bool any = false;
  size_t start = 0;
  while (start <= masks.size()) {
    size_t end = masks.find(';', start);
    if (end == AnsiString::npos) end = masks.size();
    AnsiString m = AnsiUpperCase(Trim(masks.substr(start, end - start)));
    start = end + 1;
    if (m.empty()) continue;
    any = true;
    if (m == "*.*" || m == "*") return true;
    if (WildMatch(n.c_str(), m.c_str())) return true;
    // "name.*" also takes a name without any extension, as the system's own lists do.
    if (m.size() >= 2 && m.compare(m.size() - 2, 2, ".*") == 0 && n.find('.') == AnsiString::npos &&
        WildMatch(n.c_str(), m.substr(0, m.size() - 2).c_str()))
      return true;
  }
  return !any;
}

std::vector<std::pair<AnsiString, AnsiString>> SplitFilter(const AnsiString& filter) {
  std::vector<std::pair<AnsiString, AnsiString>> out;
  size_t i = 0;
  while (i < filter.size()) {
    size_t bar = filter.find('|', i);
    AnsiString name = filter.substr(i, bar == AnsiString::npos ? AnsiString::npos : bar - i);
    AnsiString mask;
    if (bar == AnsiString::npos) {
      i = filter.size();
    } else {
      size_t bar2 = filter.find('|', bar + 1);
      mask = filter.substr(bar + 1, bar2 == AnsiString::npos ? AnsiString::npos : bar2 - bar - 1);
      i = bar2 == AnsiString::npos ? filter.size() : bar2 + 1;
    }
    if (Trim(mask).empty()) mask = "*.*";
    if (!name.empty() || bar != AnsiString::npos) out.emplace_back(name, mask);
  }
  return out;
}

AnsiString MinimizeName(const AnsiString& path, const std::function<bool(const AnsiString&)>& fits) {
  if (fits(path)) return path;
  // The root: "c:" or "\\server\share".
  size_t rootEnd = 0;
  if (path.size() >= 2 && path[1] == ':') {
    rootEnd = 2;
  } else if (path.size() >= 2 && IsPathDelimiter(path[0]) && IsPathDelimiter(path[1])) {
    size_t s = path.find_first_of("\\/", 2);
    s = s == AnsiString::npos ? path.size() : path.find_first_of("\\/", s + 1);
    rootEnd = s == AnsiString::npos ? path.size() : s;
  }
  AnsiString root = path.substr(0, rootEnd);
  std::vector<AnsiString> parts;
  size_t i = rootEnd;
  while (i < path.size()) {
    size_t j = path.find_first_of("\\/", i);
    if (j == AnsiString::npos) j = path.size();
    if (j > i) parts.push_back(path.substr(i, j - i));
    i = j + 1;
  }
  for (size_t k = 1; k < parts.size(); ++k) {
    AnsiString s = root + "\\...";
    for (size_t m = k; m < parts.size(); ++m) s += "\\" + parts[m];
    if (fits(s)) return s;
  }
  if (parts.empty()) return path;
  AnsiString s = "...\\" + parts.back();
  return fits(s) ? s : parts.back();
}

bool DriveReadable(char drive) {
  QuietErrors q;
  char root[4] = {drive, ':', '\\', 0};
  DWORD a = GetFileAttributesA(root);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

TDriveType DriveTypeOf(char drive) {
  char root[4] = {drive, ':', '\\', 0};
  switch (GetDriveTypeA(root)) {
    case DRIVE_REMOVABLE: return dtFloppy;
    case DRIVE_FIXED: return dtFixed;
    case DRIVE_REMOTE: return dtNetwork;
    case DRIVE_CDROM: return dtCDROM;
    case DRIVE_RAMDISK: return dtRAM;
    case DRIVE_NO_ROOT_DIR: return dtNoDrive;
    default: return dtUnknown;
  }
}

// ---- drive combo box -----------------------------------------------------------------

TDriveComboBox::TDriveComboBox(TComponent* owner) : TComboBox(owner) {
  SetStyle(csOwnerDrawFixed);
  SetItemHeight(std::max(16, ScreenFontHeight(Font()->Handle()) + 2));
  AnsiString cwd = GetCurrentDir();
  if (cwd.size() >= 2 && cwd[1] == ':') drive_ = LowerDrive(cwd[0]);
  BuildList();
}

void TDriveComboBox::BuildList() {
  letters_.clear();
  Items()->BeginUpdate();
  Items()->Clear();
  DWORD mask = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    char d = static_cast<char>('a' + i);
    AnsiString text = AnsiString(1, d) + ":";
    TDriveType t = DriveTypeOf(d);
    // Only fixed drives are asked for a label: the others may be slow or empty.
    if (t == dtFixed || t == dtRAM) {
      QuietErrors q;
      char root[4] = {d, ':', '\\', 0};
      char label[MAX_PATH + 1] = "";
      if (GetVolumeInformationA(root, label, sizeof label, nullptr, nullptr, nullptr, nullptr, 0) && label[0])
        text += " [" + AnsiString(label) + "]";
    }
    letters_.push_back(d);
    Items()->Add(text);
  }
  if (std::find(letters_.begin(), letters_.end(), drive_) == letters_.end()) {
    // The shown drive is not a logical drive (a UNC folder): keep it listed.
    letters_.push_back(drive_);
    Items()->Add(AnsiString(1, drive_) + ":");
  }
  Items()->EndUpdate();
  ShowDrive();
}

void TDriveComboBox::CreateWnd() {
  TComboBox::CreateWnd();
  ShowDrive();
}

void TDriveComboBox::ShowDrive() {
  auto it = std::find(letters_.begin(), letters_.end(), drive_);
  TComboBox::SetItemIndex(it == letters_.end() ? -1 : static_cast<int>(it - letters_.begin()));
}

void TDriveComboBox::SetDrive(char d) {
  d = LowerDrive(d);
  if (d == drive_) return;
  if (!DriveReadable(d)) throw EInOutError(Format("Drive %c: is not ready or cannot be read.", AnsiUpperChar(d)));
  if (dirList_) dirList_->SetDrive(d);  // reports back through DirListDriveChanged
  DirListDriveChanged(d);
}

void TDriveComboBox::DirListDriveChanged(char d) {
  if (!d || d == drive_) return;
  drive_ = d;
  if (std::find(letters_.begin(), letters_.end(), d) == letters_.end()) BuildList();
  ShowDrive();
  Change();
}

void TDriveComboBox::SetDirList(TDirectoryListBox* d) {
  if (dirList_ == d) return;
  if (dirList_ && dirList_->driveCombo_ == this) dirList_->driveCombo_ = nullptr;
  dirList_ = d;
  if (!d) return;
  FreeNotification(d);
  d->driveCombo_ = this;
  DirListDriveChanged(d->Drive());
}

void TDriveComboBox::ApplySelection() {
  int i = ItemIndex();
  if (i < 0 || i >= static_cast<int>(letters_.size()) || letters_[i] == drive_) {
    ShowDrive();
    return;
  }
  try {
    SetDrive(letters_[i]);
  } catch (const EInOutError& e) {
    // Stay on the drive we had, then say why.
    ShowDrive();
    MessageDlg(e.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
  }
}

void TDriveComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    switch (HIWORD(m.WParam)) {
      case CBN_SELCHANGE:
      case CBN_SELENDOK:
      case CBN_CLOSEUP:
        // Acted on once the combo box has finished: arrows in the open list only browse it,
        // and a refused drive is not offered again by a late notice.
        if (HIWORD(m.WParam) == CBN_SELCHANGE) Click();
        PostMessageA(Handle(), CM_DEFERREDAPPLY, 0, 0);
        return;
      case CBN_SELENDCANCEL: ShowDrive(); return;
    }
  } else if (m.Msg == CM_DEFERREDAPPLY) {
    MSG pending;
    while (PeekMessageA(&pending, Handle(), CM_DEFERREDAPPLY, CM_DEFERREDAPPLY, PM_REMOVE)) {}
    if (!DroppedDown()) ApplySelection();
    return;
  }
  TComboBox::WndProc(m);
}

void TDriveComboBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  if (OnDrawItem) {
    TComboBox::DrawItem(index, r, state);
    return;
  }
  if (index < 0 || index >= Items()->Count() || index >= static_cast<int>(letters_.size())) {
    Canvas()->FillRect(r);
    return;
  }
  DrawGlyphItem(Canvas(), r, 0, Items()->Strings(index), 2 + DriveTypeOf(letters_[index]), false);
}

void TDriveComboBox::Notification(TComponent* c, TOperation op) {
  TComboBox::Notification(c, op);
  if (op == opRemove && c == dirList_) dirList_ = nullptr;
}

// ---- directory list ------------------------------------------------------------------

TDirectoryListBox::TDirectoryListBox(TComponent* owner) : TCustomListBox(owner) {
  SetStyle(lbOwnerDrawFixed);
  UpdateItemHeight();
  try {
    ReadDirectory(FullDir(GetCurrentDir(), ""));
  } catch (const EInOutError&) {
    // An unreadable start folder leaves the list empty until one is set.
  }
}

TDirectoryListBox::~TDirectoryListBox() = default;

void TDirectoryListBox::UpdateItemHeight() { SetItemHeight(std::max(16, ScreenFontHeight(Font()->Handle()) + 2)); }

void TDirectoryListBox::FontChanged() {
  TCustomListBox::FontChanged();
  UpdateItemHeight();
}

void TDirectoryListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  int cur = -1;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (entries_[i].open) cur = static_cast<int>(i);
  SetItemIndex(cur);
}

// Builds the whole list first, so a folder that cannot be read changes nothing.
void TDirectoryListBox::ReadDirectory(const AnsiString& dir) {
  std::vector<AnsiString> subs = ReadFolder(dir, true, "");
  std::vector<Entry> entries;
  TStringList texts;
  size_t rootEnd;
  if (dir.size() >= 2 && dir[1] == ':') {
    rootEnd = 3;
  } else {  // "\\server\share"
    size_t s = dir.find('\\', 2);
    s = s == AnsiString::npos ? dir.size() : dir.find('\\', s + 1);
    rootEnd = s == AnsiString::npos ? dir.size() : s;
  }
  AnsiString root = dir.substr(0, std::min(rootEnd, dir.size()));
  entries.push_back(Entry{root, 0, true});
  texts.Add(root);
  size_t i = rootEnd;
  while (i < dir.size()) {
    size_t j = dir.find('\\', i);
    if (j == AnsiString::npos) j = dir.size();
    if (j > i) {
      entries.push_back(Entry{dir.substr(0, j), static_cast<int>(entries.size()), true});
      texts.Add(dir.substr(i, j - i));
    }
    i = j + 1;
  }
  int level = static_cast<int>(entries.size());
  for (const auto& s : subs) {
    entries.push_back(Entry{IncludeTrailingBackslash(dir) + s, level, false});
    texts.Add(s);
  }
  entries_ = std::move(entries);
  directory_ = dir;
  Items()->BeginUpdate();
  Items()->Assign(texts);
  Items()->EndUpdate();
  SetItemIndex(level - 1);
}

void TDirectoryListBox::SetDirectory(const AnsiString& dir) {
  AnsiString full = FullDir(dir, directory_.empty() ? GetCurrentDir() : directory_);
  if (SameText(full, directory_) && !entries_.empty()) {
    // The same folder: only the selection goes back to it.
    int cur = 0;
    while (cur + 1 < static_cast<int>(entries_.size()) && entries_[cur + 1].open) ++cur;
    SetItemIndex(cur);
    return;
  }
  char oldDrive = Drive();
  ReadDirectory(full);
  UpdateLabel();
  if (fileList_) fileList_->SetDirectory(directory_);
  if (driveCombo_ && Drive() != oldDrive) driveCombo_->DirListDriveChanged(Drive());
  if (OnChange) OnChange(this);
}

char TDirectoryListBox::Drive() const { return directory_.size() >= 2 && directory_[1] == ':' ? directory_[0] : 0; }

void TDirectoryListBox::SetDrive(char d) {
  d = LowerDrive(d);
  if (d == Drive()) return;
  if (!DriveReadable(d)) throw EInOutError(Format("Drive %c: is not ready or cannot be read.", AnsiUpperChar(d)));
  SetDirectory(DriveFolder(d));
}

void TDirectoryListBox::SetFileList(TFileListBox* f) {
  if (fileList_ == f) return;
  if (fileList_ && fileList_->dirList_ == this) fileList_->dirList_ = nullptr;
  fileList_ = f;
  if (!f) return;
  FreeNotification(f);
  f->dirList_ = this;
  if (!directory_.empty()) f->SetDirectory(directory_);
}

void TDirectoryListBox::SetDirLabel(TLabel* l) {
  dirLabel_ = l;
  if (!l) return;
  FreeNotification(l);
  l->SetShowAccelChar(false);  // a folder named "A&B" shows its "&"
  UpdateLabel();
}

void TDirectoryListBox::UpdateLabel() {
  if (!dirLabel_) return;
  if (dirLabel_->AutoSize() || dirLabel_->Width() <= 0) {
    dirLabel_->SetCaption(directory_);
    return;
  }
  TWindowDC dc(nullptr);
  TSelected selectFont(dc, dirLabel_->Font()->Handle());
  int width = dirLabel_->Width();
  AnsiString text = MinimizeName(directory_, [&](const AnsiString& s) {
    SIZE sz;
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    return sz.cx <= width;
  });
  dirLabel_->SetCaption(text);
}

AnsiString TDirectoryListBox::GetItemPath(int index) const {
  if (index < 0 || index >= static_cast<int>(entries_.size()))
    throw EStringListError(Format("List index out of bounds (%d)", index));
  return entries_[index].path;
}

void TDirectoryListBox::OpenCurrent() {
  int i = ItemIndex();
  if (i < 0 || i >= static_cast<int>(entries_.size())) return;
  try {
    SetDirectory(entries_[i].path);
  } catch (const EInOutError& e) {
    SetDirectory(directory_);  // the selection goes back to the current folder
    MessageDlg(e.Message(), mtError, TMsgDlgButtons{mbOK}, 0);
  }
}

void TDirectoryListBox::Update() {
  // A removed folder gives way to its nearest parent that still exists.
  AnsiString dir = directory_;
  while (!dir.empty() && !IsFolder(dir)) {
    AnsiString up = ExtractFileDir(dir);
    if (up == dir || up.empty()) break;
    dir = FullDir(up, "");
  }
  if (!dir.empty()) {
    try {
      char oldDrive = Drive();
      bool moved = !SameText(dir, directory_);
      ReadDirectory(dir);
      UpdateLabel();
      if (fileList_) {
        if (moved)
          fileList_->SetDirectory(directory_);
        else
          fileList_->Update();
      }
      if (moved && driveCombo_ && Drive() != oldDrive) driveCombo_->DirListDriveChanged(Drive());
      if (moved && OnChange) OnChange(this);
    } catch (const EInOutError&) {
      // Nothing readable is left there: keep what is shown.
    }
  }
  TCustomListBox::Update();
}

void TDirectoryListBox::DblClick() {
  OpenCurrent();
  TCustomListBox::DblClick();
}

void TDirectoryListBox::KeyDown(WORD& key, TShiftState shift) {
  TCustomListBox::KeyDown(key, shift);
  if (key == VK_RETURN) {
    OpenCurrent();
    key = 0;
  }
}

void TDirectoryListBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  if (OnDrawItem || index < 0 || index >= static_cast<int>(entries_.size()) || index >= Items()->Count()) {
    TCustomListBox::DrawItem(index, r, state);
    return;
  }
  const Entry& e = entries_[index];
  DrawGlyphItem(Canvas(), r, e.level * 8, Items()->Strings(index), 0, e.open);
}

void TDirectoryListBox::Notification(TComponent* c, TOperation op) {
  TCustomListBox::Notification(c, op);
  if (op != opRemove) return;
  if (c == fileList_) fileList_ = nullptr;
  if (c == dirLabel_) dirLabel_ = nullptr;
  if (c == driveCombo_) driveCombo_ = nullptr;
}

// ---- file list -----------------------------------------------------------------------

TFileListBox::TFileListBox(TComponent* owner) : TCustomListBox(owner) {
  UpdateItemHeight();
  try {
    SetDirectory(GetCurrentDir());
  } catch (const EInOutError&) {}
}

TFileListBox::~TFileListBox() = default;

void TFileListBox::UpdateItemHeight() { SetItemHeight(std::max(16, ScreenFontHeight(Font()->Handle()) + 2)); }

void TFileListBox::FontChanged() {
  TCustomListBox::FontChanged();
  UpdateItemHeight();
}

void TFileListBox::CreateWnd() {
  TCustomListBox::CreateWnd();
  lastFileName_ = FileName();
}

void TFileListBox::Fill(const std::vector<AnsiString>& names, const AnsiString& keepName) {
  Items()->BeginUpdate();
  Items()->Clear();
  for (const auto& n : names) Items()->Add(n);
  Items()->EndUpdate();
  int keep = keepName.empty() ? -1 : Items()->IndexOf(keepName);
  TCustomListBox::SetItemIndex(keep);
  if (MultiSelect() && keep >= 0) SetSelected(keep, true);
}

void TFileListBox::SetDirectory(const AnsiString& dir) {
  AnsiString full = FullDir(dir, directory_.empty() ? GetCurrentDir() : directory_);
  std::vector<AnsiString> names = ReadFolder(full, false, mask_);  // raises before anything moves
  directory_ = full;
  Fill(names, "");
  SelectionChanged();
}

char TFileListBox::Drive() const { return directory_.size() >= 2 && directory_[1] == ':' ? directory_[0] : 0; }

void TFileListBox::SetDrive(char d) {
  d = LowerDrive(d);
  if (d == Drive()) return;
  if (!DriveReadable(d)) throw EInOutError(Format("Drive %c: is not ready or cannot be read.", AnsiUpperChar(d)));
  if (dirList_)
    dirList_->SetDrive(d);
  else
    SetDirectory(DriveFolder(d));
}

void TFileListBox::SetMask(const AnsiString& m) {
  if (m == mask_) return;
  AnsiString keep = ExtractFileName(FileName());
  std::vector<AnsiString> names;
  if (!directory_.empty()) names = ReadFolder(directory_, false, m);
  mask_ = m;
  Fill(names, keep);
  SelectionChanged();
}

AnsiString TFileListBox::FileName() {
  int i = ItemIndex();
  if (i < 0 || i >= Items()->Count()) return AnsiString();
  if (MultiSelect() && !Selected(i)) return AnsiString();
  return IncludeTrailingBackslash(directory_) + Items()->Strings(i);
}

void TFileListBox::SetFileName(const AnsiString& name) {
  AnsiString n = name;
  for (char& c : n)
    if (c == '/') c = '\\';
  if (n.find_first_of("\\:") != AnsiString::npos) {
    AnsiString full = FullDir(n, directory_.empty() ? GetCurrentDir() : directory_);
    AnsiString dir = ExtractFileDir(full);
    if (dir.size() == 2 && dir[1] == ':') dir += '\\';
    dir = FullDir(dir, "");
    if (!SameText(dir, directory_)) {
      if (dirList_)
        dirList_->SetDirectory(dir);
      else
        SetDirectory(dir);
    }
    n = ExtractFileName(full);
  }
  SetItemIndex(n.empty() ? -1 : Items()->IndexOf(n));
}

std::vector<AnsiString> TFileListBox::SelectedFiles() {
  std::vector<AnsiString> out;
  for (int i = 0; i < Items()->Count(); ++i)
    if (Selected(i)) out.push_back(IncludeTrailingBackslash(directory_) + Items()->Strings(i));
  return out;
}

void TFileListBox::SetFileEdit(TEdit* e) {
  fileEdit_ = e;
  if (!e) return;
  FreeNotification(e);
  UpdateEdit();
}

void TFileListBox::SetShowGlyphs(bool s) {
  if (s == showGlyphs_) return;
  showGlyphs_ = s;
  SetStyle(s ? lbOwnerDrawFixed : lbStandard);
}

void TFileListBox::SetItemIndex(int i) {
  if (i >= Items()->Count()) i = -1;
  if (MultiSelect()) {
    for (int k = 0; k < Items()->Count(); ++k) SetSelected(k, k == i);
  }
  TCustomListBox::SetItemIndex(i);
  SelectionChanged();
}

bool TFileListBox::ApplyFilePath(const AnsiString& path) {
  AnsiString t = Trim(path);
  if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
  if (t.empty()) return false;
  for (char& c : t)
    if (c == '/') c = '\\';
  AnsiString base = directory_.empty() ? GetCurrentDir() : directory_;
  bool wild = t.find_first_of("*?") != AnsiString::npos;
  AnsiString full = FullDir(t, base);
  auto moveTo = [this](const AnsiString& dir) {
    if (SameText(dir, directory_)) return;
    if (dirList_)
      dirList_->SetDirectory(dir);
    else
      SetDirectory(dir);
  };
  if (!wild && IsFolder(full)) {
    moveTo(full);
    return true;
  }
  size_t cut = t.find_last_of("\\:");
  AnsiString name = cut == AnsiString::npos ? t : t.substr(cut + 1);
  if (cut != AnsiString::npos) {
    AnsiString dirPart = t.substr(0, cut + 1);
    AnsiString dir = FullDir(dirPart, base);
    if (!IsFolder(dir)) return false;
    moveTo(dir);
  }
  if (name.empty()) return true;
  if (wild) {
    SetMask(name);
    return true;
  }
  int i = Items()->IndexOf(name);
  if (i < 0 && FileExists(IncludeTrailingBackslash(directory_) + name)) {
    // There, but hidden by the mask: show every file so it can be chosen.
    SetMask("*.*");
    i = Items()->IndexOf(name);
  }
  SetItemIndex(i);
  return i >= 0;
}

void TFileListBox::Update() {
  AnsiString keep = ExtractFileName(FileName());
  std::vector<AnsiString> names;
  try {
    if (!directory_.empty()) names = ReadFolder(directory_, false, mask_);
  } catch (const EInOutError&) {
    // The folder is gone: nothing in it can be chosen.
  }
  Fill(names, keep);
  SelectionChanged();
  TCustomListBox::Update();
}

void TFileListBox::UpdateEdit() {
  if (!fileEdit_) return;
  AnsiString f = FileName();
  AnsiString text = f.empty() ? mask_ : ExtractFileName(f);
  if (fileEdit_->Text() != text) fileEdit_->SetText(text);
}

void TFileListBox::SelectionChanged() {
  UpdateEdit();
  AnsiString f = FileName();
  if (f == lastFileName_) return;
  lastFileName_ = f;
  if (OnChange && !Destroying()) OnChange(this);
}

void TFileListBox::Click() {
  SelectionChanged();
  TCustomListBox::Click();
}

void TFileListBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  if (OnDrawItem || index < 0 || index >= Items()->Count()) {
    TCustomListBox::DrawItem(index, r, state);
    return;
  }
  DrawGlyphItem(Canvas(), r, 0, Items()->Strings(index), 1, false);
}

void TFileListBox::Notification(TComponent* c, TOperation op) {
  TCustomListBox::Notification(c, op);
  if (op != opRemove) return;
  if (c == fileEdit_) fileEdit_ = nullptr;
  if (c == dirList_) dirList_ = nullptr;
}

// ---- filter combo box ----------------------------------------------------------------

TFilterComboBox::TFilterComboBox(TComponent* owner) : TComboBox(owner) {
  SetStyle(csDropDownList);
  SetFilter("All files (*.*)|*.*");
}

void TFilterComboBox::SetFilter(const AnsiString& f) {
  filter_ = f;
  masks_.clear();
  Items()->BeginUpdate();
  Items()->Clear();
  for (const auto& [name, mask] : SplitFilter(f)) {
    Items()->Add(name);
    masks_.push_back(mask);
  }
  Items()->EndUpdate();
  applied_ = -2;  // the new first entry always applies
  SetItemIndex(masks_.empty() ? -1 : 0);
}

AnsiString TFilterComboBox::Mask() {
  int i = ItemIndex();
  return i >= 0 && i < static_cast<int>(masks_.size()) ? masks_[i] : AnsiString("*.*");
}

void TFilterComboBox::SetFileList(TFileListBox* f) {
  fileList_ = f;
  if (!f) return;
  FreeNotification(f);
  f->SetMask(Mask());
}

void TFilterComboBox::SetItemIndex(int i) {
  if (i >= static_cast<int>(masks_.size())) i = -1;
  TComboBox::SetItemIndex(i);
  Apply();
}

void TFilterComboBox::Apply() {
  int i = ItemIndex();
  if (i == applied_) return;
  applied_ = i;
  if (fileList_) fileList_->SetMask(Mask());
  Change();
}

void TFilterComboBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND && HIWORD(m.WParam) == CBN_SELCHANGE) {
    Click();
    Apply();
    return;
  }
  TComboBox::WndProc(m);
}

void TFilterComboBox::Notification(TComponent* c, TOperation op) {
  TComboBox::Notification(c, op);
  if (op == opRemove && c == fileList_) fileList_ = nullptr;
}

}  // namespace vx
