// The file system calls of SysUtils on POSIX systems (the portable build and its tests).
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <string>

#include "framework/core/FileSystem.h"
#include "framework/core/SysUtils.h"

namespace vx {

AnsiString ExpandFileName(const AnsiString& name) {
  if (name.empty()) return GetCurrentDir();
  AnsiString full = IsPathDelimiter(name[0]) ? name : IncludeTrailingBackslash(GetCurrentDir()) + name;
  // Fold "." and ".." segments.
  std::string out;
  size_t i = 0;
  std::string seg;
  auto flush = [&]() {
    if (seg == "." || seg.empty()) {
    } else if (seg == "..") {
      size_t cut = out.find_last_of('/');
      out.erase(cut == std::string::npos ? 0 : cut);
    } else {
      out += '/';
      out += seg;
    }
    seg.clear();
  };
  for (; i < full.size(); ++i) {
    if (IsPathDelimiter(full[i]))
      flush();
    else
      seg += full[i];
  }
  flush();
  if (out.empty()) out = "/";
  if (IsPathDelimiter(name.back()) && out != "/") out += '/';
  return out;
}

bool FileExists(const AnsiString& name) {
  struct stat st;
  return stat(name.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

AnsiString FinalFileName(const AnsiString& name) {
  struct stat st;
  if (lstat(name.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return name;
  char real[PATH_MAX];
  if (realpath(name.c_str(), real)) return real;
  // A link whose file is gone: followed by hand to the name that file would have.
  AnsiString at = name;
  for (int hops = 0; hops < 40 && lstat(at.c_str(), &st) == 0 && S_ISLNK(st.st_mode); ++hops) {
    char link[PATH_MAX];
    ssize_t n = readlink(at.c_str(), link, sizeof link - 1);
    if (n <= 0) return name;
    AnsiString to(link, static_cast<size_t>(n));
    size_t slash = at.rfind('/');
    at = to[0] == '/' || slash == AnsiString::npos ? to : at.substr(0, slash + 1) + to;
  }
  // Still a link after the bound: a loop, which a save must not replace by a plain file.
  if (lstat(at.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    errno = ELOOP;
    return AnsiString();
  }
  return ExpandFileName(at);
}

bool DirectoryExists(const AnsiString& name) {
  struct stat st;
  return stat(name.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

AnsiString GetCurrentDir() {
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) return AnsiString();
  return buf;
}

bool SetCurrentDir(const AnsiString& dir) { return chdir(dir.c_str()) == 0; }
bool DeleteFile(const AnsiString& name) { return unlink(name.c_str()) == 0; }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName) {
  if (FileExists(newName) || DirectoryExists(newName)) return false;  // as MoveFileA: no overwrite
  return std::rename(oldName.c_str(), newName.c_str()) == 0;
}

int64_t FileAge(const AnsiString& name) {
  struct stat st;
  if (stat(name.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_mtime);
}

bool MakeDir(const AnsiString& d) { return mkdir(d.c_str(), 0777) == 0; }

}  // namespace vx
