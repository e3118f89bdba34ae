#include "editor/DocFiles.h"

#include <windows.h>

#include "framework/core/Exceptions.h"
#include "framework/core/SafeSave.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"

namespace vx {

namespace {
AnsiString& FolderOverride() {
  static AnsiString folder;
  return folder;
}
}  // namespace

AnsiString ProgramFolder() {
  if (!FolderOverride().empty()) return FolderOverride();
  return ExtractFilePath(Application->ExeName());
}

void SetProgramFolder(const AnsiString& folder) {
  FolderOverride() = folder.empty() ? folder : IncludeTrailingBackslash(folder);
}

bool IsDocumentFile(const AnsiString& fileName, const AnsiString& docFilter) {
  AnsiString ext = AnsiUpperCase(ExtractFileExt(fileName));
  if (ext.size() < 2) return false;
  AnsiString filter = AnsiUpperCase(docFilter);
  for (size_t at = filter.find(ext); at != AnsiString::npos; at = filter.find(ext, at + 1)) {
    size_t end = at + ext.size();
    if (end == filter.size()) return true;
    char next = filter[end];
    if (next == ';' || next == '|' || next == ')' || next == ',' || next == ' ') return true;
  }
  return false;
}

bool SameFileName(const AnsiString& a, const AnsiString& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  return AnsiSameText(ExpandFileName(a), ExpandFileName(b));
}

void MakeBackupFile(const AnsiString& fileName) {
  AnsiString bak = ChangeFileExt(fileName, ".Bak");
  if (SameFileName(bak, fileName) || !FileExists(fileName)) return;
  // The new copy is made aside and takes the old backup's place only when complete: a
  // copy that fails (a full disk, a locked file) leaves the previous backup whole.
  try {
    TFileStream source(fileName, fmOpenRead | fmShareDenyWrite);
    SaveFileSafely(bak, [&](TStream& s) { s.CopyFrom(source, 0); });
  } catch (const Exception&) {
    // No backup this time; the save goes on.
  }
}

}  // namespace vx
