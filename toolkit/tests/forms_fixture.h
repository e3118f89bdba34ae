// What the toolkit's form tests share: handling the waiting messages, the stores a test
// writes (a registry key and an INI file of the Windows folder), and a bar's buttons.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

#include "framework/win/IniFiles.h"
#include "toolkit/SpeedBar.h"

namespace vx {

inline void Pump() {
  MSG m;
  while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
}

// Where a relative INI file name ends up: the Windows folder.
inline std::string WindowsFolderFile(const std::string& name) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

// Removes both stores a test may have written, so each case starts from none.
inline void RemoveStores(const char* key, const char* ini) {
  TRegIniFile::DeleteUserKey(key);
  DeleteFileA(WindowsFolderFile(ini).c_str());
}

// Visible buttons of the given names in a row along the top of the bar's section.
inline void AddSpeedItems(TComponent* owner, TSpeedBar* bar, int section, std::initializer_list<const char*> names) {
  int x = 3;
  for (const char* n : names) {
    auto* item = new TSpeedItem(owner);
    item->SetName(n);
    bar->AddItem(section, item);
    item->SetLeft(x);
    item->SetTop(3);
    item->SetVisible(true);
    x += 24;
  }
}

}  // namespace vx
