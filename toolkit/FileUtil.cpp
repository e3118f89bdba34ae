#include "toolkit/FileUtil.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include "framework/core/SysUtils.h"

namespace vx {

bool DirExists(const AnsiString& name) {
  if (name.empty()) return false;
#ifdef _WIN32
  DWORD attr = GetFileAttributesA(name.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY) != 0;
#else
  struct stat st;
  return stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
#endif
}

bool HasAnyChar(const AnsiString& s, const AnsiString& chars) {
  return !chars.empty() && s.find_first_of(chars) != AnsiString::npos;
}

bool ValidFileName(const AnsiString& name) { return !name.empty() && !HasAnyChar(name, ";,=+<>\"[]|"); }

bool IsLegalFileName(const AnsiString& name) { return !name.empty() && !HasAnyChar(name, "<>\"|"); }

AnsiString QuoteFileNameIfBlank(const AnsiString& name) {
  return !name.empty() && name[0] == '"' ? name : QuotedIfBlank(name);
}

}  // namespace vx
