#include "tagdefs/tePaths.h"

#include "framework/core/SysUtils.h"
#include "tagdefs/teAwk.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace vx {

AnsiString GetAppDir() {
#ifdef _WIN32
  char buf[MAX_PATH + 1];
  DWORD n = GetModuleFileNameA(nullptr, buf, MAX_PATH);
  AnsiString exe(buf, n < MAX_PATH ? n : 0);
#else
  char buf[4096];
  ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
  AnsiString exe(buf, n > 0 ? static_cast<size_t>(n) : 0);
#endif
  return IncludeTrailingBackslash(ExtractFilePath(exe));
}

AnsiString StripDrive(const AnsiString& path) {
  size_t colon = path.find(':');
  if (colon == AnsiString::npos) return path;
  return colon + 2 < path.size() ? path.substr(colon + 2) : AnsiString();
}

AnsiString MStripDrive(const AnsiString& path) { return StripDrive(path); }

namespace {

bool IsUNC(const AnsiString& p) { return p.size() >= 2 && p[0] == '\\' && p[1] == '\\'; }

char DriveOf(const AnsiString& p) {
  if (p.size() < 2 || p[1] != ':') return 0;
  char d = p[0];
  if (d >= 'a' && d <= 'z') d = static_cast<char>(d - 32);
  return (d >= 'A' && d <= 'Z') ? d : 0;
}

// "\\server\share" of a UNC path, in upper case.
AnsiString ShareOf(const AnsiString& p) {
  size_t server = p.find('\\', 2);
  if (server == AnsiString::npos) return UpperCase(p);
  size_t share = p.find('\\', server + 1);
  return UpperCase(p.substr(0, share));
}

// True when no relative reference leads from base to target: the result of the
// splitting rules would climb out of one drive or share and into another by name.
bool NoRelativeReference(const AnsiString& base, const AnsiString& target) {
  const bool ub = IsUNC(base), ut = IsUNC(target);
  if (ub || ut) return !(ub && ut && ShareOf(base) == ShareOf(target));
  const char db = DriveOf(base), dt = DriveOf(target);
  return db != 0 && dt != 0 && db != dt;
}

AnsiString Slashes(AnsiString s) {
  for (auto& c : s)
    if (c == '/') c = '\\';
  return s;
}

}  // namespace

AnsiString RelativePath(const AnsiString& base, const AnsiString& target) {
  if (NoRelativeReference(base, target)) return FileToURL(target);
  AnsiString b = base;
  // "C:\WORK\" is the folder C:\WORK, not a folder with an empty name inside it.
  if (!b.empty() && b.back() == '\\') b.pop_back();
  TAwkParser from('\\', LowerCase(StripDrive(b)));
  TAwkParser to('\\', LowerCase(StripDrive(target)));
  const int nb = from.Count(), nt = to.Count();
  const int smaller = nb < nt ? nb : nt;
  int common = smaller;
  for (int i = 1; i <= smaller; ++i)
    if (from.GetField(static_cast<uint8_t>(i)) != to.GetField(static_cast<uint8_t>(i))) {
      common = i - 1;
      break;
    }
  AnsiString r;
  for (int i = common; i < nb; ++i) r += "../";
  for (int i = common + 1; i <= nt; ++i) {
    r += to.GetField(static_cast<uint8_t>(i));
    if (i < nt) r += '/';
  }
  return r;
}

AnsiString MRelativePath(const AnsiString& base, const AnsiString& target) { return RelativePath(base, target); }

AnsiString FileToURL(const AnsiString& path) {
  AnsiString r = "file:///";
  r.reserve(path.size() + 8);
  for (char c : path) r += c == ':' ? '|' : (c == '\\' ? '/' : c);
  return r;
}

AnsiString RelativeURL(const AnsiString& fileName) {
  const AnsiString file = Slashes(fileName);
  const AnsiString cwd = Slashes(GetCurrentDir());
  if (NoRelativeReference(cwd, file)) return FileToURL(file);
  return RelativePath(cwd, ExtractFilePath(file)) + LowerCase(ExtractFileName(file));
}

AnsiString LowerCaseIf(const AnsiString& s, bool lower) { return lower ? LowerCase(s) : s; }

void SwapInt(int& a, int& b) {
  int t = a;
  a = b;
  b = t;
}

}  // namespace vx
