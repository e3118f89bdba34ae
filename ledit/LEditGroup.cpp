// "LEditGroup32": a hidden window linking editors of one group. An editor belongs to
// at most one group; what a group shares is the search text.
#include <algorithm>

#include "ledit/LEditInternal.h"

namespace ledit {

namespace {

struct Group {
  std::vector<HWND> members;
};

std::vector<HWND> g_groups;  // live group windows

Group* GroupOf(HWND h) { return reinterpret_cast<Group*>(GetWindowLongPtrA(h, 0)); }

bool IsEditor(HWND h) {
  if (!IsWindow(h)) return false;
  char cls[32] = "";
  GetClassNameA(h, cls, sizeof cls);
  return lstrcmpiA(cls, LEDIT_CLASS) == 0 && EditorOf(h) != nullptr;
}

void Prune(Group& g) {
  g.members.erase(std::remove_if(g.members.begin(), g.members.end(), [](HWND m) { return !IsEditor(m); }),
                  g.members.end());
}

LRESULT CALLBACK GroupProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    switch (msg) {
      case WM_NCCREATE:
        SetWindowLongPtrA(h, 0, reinterpret_cast<LONG_PTR>(new Group));
        g_groups.push_back(h);
        return DefWindowProcA(h, msg, wp, lp);
      case WM_NCDESTROY: {
        Group* g = GroupOf(h);
        if (g) {
          for (HWND m : g->members)
            if (IsEditor(m) && EditorOf(m)->group == h) EditorOf(m)->group = nullptr;
        }
        SetWindowLongPtrA(h, 0, 0);
        delete g;
        g_groups.erase(std::remove(g_groups.begin(), g_groups.end(), h), g_groups.end());
        return DefWindowProcA(h, msg, wp, lp);
      }
      case LEM_GROUPPROBE: return lp == LE_GROUP_PROBE ? LE_GROUP_ANSWER : 0;
      case LEM_GROUPJOIN: {
        HWND ed = reinterpret_cast<HWND>(wp);
        Group* g = GroupOf(h);
        if (!g || !IsEditor(ed)) return 0;
        LeaveGroup(ed);
        Prune(*g);
        if (std::find(g->members.begin(), g->members.end(), ed) == g->members.end()) g->members.push_back(ed);
        Editor* e = EditorOf(ed);
        e->group = h;
        // A newcomer takes the group's search text when it has none.
        if (e->searchText.empty()) {
          for (HWND m : g->members)
            if (m != ed && !EditorOf(m)->searchText.empty()) {
              e->searchText = EditorOf(m)->searchText;
              break;
            }
        }
        return 0;
      }
      default: return DefWindowProcA(h, msg, wp, lp);
    }
  } catch (...) {
    return 0;
  }
}

}  // namespace

bool RegisterGroupClass(HINSTANCE inst) {
  WNDCLASSA wc{};
  wc.style = CS_GLOBALCLASS;
  wc.lpfnWndProc = GroupProc;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hInstance = inst;
  wc.lpszClassName = LEDIT_GROUP_CLASS;
  return RegisterClassA(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void LeaveGroup(HWND editor) {
  for (HWND gw : g_groups) {
    Group* g = GroupOf(gw);
    if (!g) continue;
    g->members.erase(std::remove(g->members.begin(), g->members.end(), editor), g->members.end());
  }
  if (Editor* e = EditorOf(editor)) e->group = nullptr;
}

std::vector<HWND> GroupMembers(HWND group) {
  if (std::find(g_groups.begin(), g_groups.end(), group) == g_groups.end()) return {};
  Group* g = GroupOf(group);
  if (!g) return {};
  Prune(*g);
  return g->members;
}

}  // namespace ledit
