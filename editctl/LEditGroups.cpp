#include "editctl/LEditGroups.h"

#include <algorithm>
#include <vector>

#include "ledit/include/LEditMessages.h"

namespace vx {

namespace {

struct GroupEntry {
  int number;
  HWND window;
};

std::vector<GroupEntry>& Groups() {
  static std::vector<GroupEntry> g;
  return g;
}

// A handle may be stale and reused by any window: only a group window of this process is asked.
bool IsLiveGroupWindow(HWND h) {
  if (!IsWindow(h)) return false;
  char cls[32] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (lstrcmpiA(cls, LEDIT_GROUP_CLASS) != 0) return false;
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  if (pid != GetCurrentProcessId()) return false;
  return SendMessageA(h, LEM_GROUPPROBE, 0, LE_GROUP_PROBE) == LE_GROUP_ANSWER;
}

}  // namespace

HWND FindGroupWindow(int number) {
  auto& g = Groups();
  g.erase(std::remove_if(g.begin(), g.end(), [](const GroupEntry& e) { return !IsLiveGroupWindow(e.window); }),
          g.end());
  for (const GroupEntry& e : g)
    if (e.number == number) return e.window;
  return nullptr;
}

void AddGroupWindow(int number, HWND window) { Groups().insert(Groups().begin(), GroupEntry{number, window}); }

}  // namespace vx
