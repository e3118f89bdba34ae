// A fresh folder under the temporary folder, made the current directory for one test and
// removed with what is in it afterwards.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/SysUtils.h"

namespace vx {

class TestDir {
 public:
  TestDir() {
    saved_ = GetCurrentDir();
    char tmp[MAX_PATH];
    GetTempPathA(MAX_PATH, tmp);
    path_ = Format("%svxtest%lu_%lu", tmp, GetCurrentProcessId(), counter()++);
    CreateDirectoryA(path_.c_str(), nullptr);
    SetCurrentDir(path_);
  }
  ~TestDir() {
    SetCurrentDir(saved_);
    Remove(path_);
  }
  const std::string& Path() const { return path_; }

 private:
  static unsigned long& counter() {
    static unsigned long n = 0;
    return n;
  }
  static void Remove(const std::string& dir) {
    WIN32_FIND_DATAA fd;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &fd);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        std::string n = fd.cFileName;
        if (n == "." || n == "..") continue;
        std::string p = dir + "\\" + n;
        if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(p);
        else
          DeleteFileA(p.c_str());
      } while (FindNextFileA(h, &fd));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }
  std::string saved_, path_;
};

}  // namespace vx
