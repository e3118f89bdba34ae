// Speed of big drop-down menus drawn by the program: filling a menu whose submenu already
// exists (custom tags rebuilt, custom tools at start-up under a shown menu bar) and opening
// it until it waits for the user. Prints its figures; not a test.
#include <windows.h>

#include <cstdio>

#include "framework/win/Forms.h"
#include "framework/win/MenuDraw.h"
#include "framework/win/Menus.h"
#include "bench/BenchClock.h"

using namespace vx;

namespace {

const double TargetMs = 1000;  // a drop-down of 10,000 items opens in under a second

double shownAt = 0;

// The owner of the opened menus: it measures and draws their items and closes a menu as
// soon as it is on the screen and idle.
HWND MenuOwner() {
  static HWND owner = AllocateHWnd([](TMessage& m) {
    if (MenuDrawMessage(m)) return;
    if (m.Msg == WM_ENTERIDLE && m.WParam == MSGF_MENU) {
      if (!shownAt) shownAt = BenchNow();
      EndMenu();
    }
    m.Result = DefWindowProcA(Application->UtilityWindow(), m.Msg, m.WParam, m.LParam);
  });
  return owner;
}

double OpenMs(HMENU menu) {
  shownAt = 0;
  HWND owner = MenuOwner();
  SetForegroundWindow(owner);
  double t0 = BenchNow();
  TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, 10, 10, 0, owner, nullptr);
  return shownAt ? shownAt - t0 : -1;
}

void Fill(TMenuItem* parent, int n, const char* prefix) {
  for (int i = 0; i < n; ++i) {
    auto* item = new TMenuItem(parent);
    item->SetCaption(prefix + std::to_string(i));
    parent->Add(item);
  }
}

void PopupCase(int n) {
  TComponentPtr<TPopupMenu> popup(new TPopupMenu(nullptr));
  TMenuItem* items = popup->Items();
  Fill(items, 2, "Edit ");
  HMENU handle = popup->Handle();  // shown once before: the submenu exists
  double t0 = BenchNow();
  Fill(items, n, "<CUSTOM");
  double fill = BenchNow() - t0;
  double open = OpenMs(handle);
  double again = OpenMs(handle);
  printf("popup of %5d items: fill %8.1f ms, open %8.1f ms, open again %8.1f ms  target open < %.0f ms (%.2fx)\n", n,
         fill, open, again, TargetMs, open / TargetMs);
}

// The platform's own menu of plain strings, filled and opened the same way: what the
// system itself takes for a menu that long.
void PlainCase(int n) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Edit 0");
  double t0 = BenchNow();
  for (int i = 0; i < n; ++i) AppendMenuA(menu, MF_STRING, 100 + i, ("<CUSTOM" + std::to_string(i)).c_str());
  double fill = BenchNow() - t0;
  double open = OpenMs(menu);
  printf("plain system popup of %5d items: fill %8.1f ms, open %8.1f ms\n", n, fill, open);
  DestroyMenu(menu);
}

void BarCase(int n) {
  TComponentPtr<TForm> frame(new TForm(nullptr));
  frame->SetFormStyle(fsMDIForm);
  auto* menu = new TMainMenu(frame.get());
  auto* tools = new TMenuItem(menu);
  tools->SetCaption("T&ools");
  menu->Items()->Add(tools);
  auto* window = new TMenuItem(menu);
  window->SetCaption("&Window");
  menu->Items()->Add(window);
  Fill(tools, 5, "Option ");
  frame->SetMenu(menu);
  frame->SetWindowMenu(window);
  frame->SetBounds(0, 0, 600, 400);
  frame->Show();
  Application->ProcessMessages();
  double t0 = BenchNow();
  Fill(tools, n, "Tool ");
  double fill = BenchNow() - t0;
  double open = OpenMs(tools->Handle());
  printf("bar menu of %5d items: fill %8.1f ms, open %8.1f ms  target open < %.0f ms (%.2fx)\n", n, fill, open,
         TargetMs, open / TargetMs);
  frame->Hide();
}

}  // namespace

int main(int argc, char** argv) {
  int largest = argc > 1 ? std::atoi(argv[1]) : 10000;
  for (int n : {1000, 3000, 10000})
    if (n <= largest) {
      PopupCase(n);
      PlainCase(n);
    }
  for (int n : {1000, 3000})
    if (n <= largest) BarCase(n);
  return 0;
}
