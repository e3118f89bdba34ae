// Safe saves on Windows, with the Windows API alone (the edit control's DLL links them
// too): a read-only file is refused, never replaced behind the user's back; a save
// through a link replaces the file at its end; the new file takes its name in one rename.
#include <windows.h>

#include "framework/core/SafeSavePlatform.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {

// What the user can set on a file and the replacement keeps (read-only is refused).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                  FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE |
                                  FILE_ATTRIBUTE_TEMPORARY;
constexpr int kBusyAttempts = 200;

}  // namespace

bool TSaveFiles::Prepare(const AnsiString& fileName) {
  const AnsiString full = ExpandFileName(fileName);
  target_ = FinalFileName(full);
  if (target_.empty()) return false;  // a loop of links
  DWORD a = GetFileAttributesA(target_.c_str());
  if (a == INVALID_FILE_ATTRIBUTES) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) return false;
    // No file shows at the name, or a link whose file is gone: opening the name itself
    // makes the file where the system's own following of links puts it.
    HANDLE h = CreateFileA(full.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    // Wine says the file was there when a link led to it: an empty file is taken as made.
    LARGE_INTEGER size{};
    made_ = GetFileSizeEx(h, &size) && size.QuadPart == 0;
    CloseHandle(h);
    target_ = FinalFileName(full);
    a = target_.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(target_.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) {
      made_ = false;  // not found again: left alone rather than removed through a link
      return false;
    }
  }
  if (a & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  // Beside the target, so that the rename stays on one volume.
  const AnsiString dir = target_.substr(0, target_.find_last_of("\\/:") + 1);
  char temp[MAX_PATH];
  if (!GetTempFileNameA(dir.empty() ? "." : dir.c_str(), "~vx", 0, temp)) return false;
  temporary_ = temp;
  return true;
}

bool TSaveFiles::Replace() {
  const DWORD a = GetFileAttributesA(target_.c_str());
  const DWORD keep = a == INVALID_FILE_ATTRIBUTES ? 0 : a & kKeptAttributes;
  const DWORD now = GetFileAttributesA(temporary_.c_str());
  if (keep && (now == INVALID_FILE_ATTRIBUTES || (now & kKeptAttributes) != keep) &&
      !SetFileAttributesA(temporary_.c_str(), keep))
    return false;
  // A file that is open cannot be replaced (Wine refuses it whatever the sharing): a
  // reader that holds it for a moment is waited for, a little.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExA(temporary_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) break;
    const DWORD error = GetLastError();
    if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kBusyAttempts) return false;
    Sleep(1);
  }
  done_ = true;
  return true;
}

TSaveFiles::~TSaveFiles() {
  if (done_) return;
  // The failure's own error stays the one the caller reports.
  const DWORD error = GetLastError();
  if (!temporary_.empty()) ::DeleteFileA(temporary_.c_str());
  if (made_) ::DeleteFileA(target_.c_str());
  SetLastError(error);
}

}  // namespace vx
