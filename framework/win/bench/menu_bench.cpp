// Speed of big drop-down menus drawn by the program: filling a menu whose submenu already
// exists (custom tags rebuilt, custom tools at start-up under a shown menu bar) and opening
// it until it waits for the user, beside the platform's own insertion of as many entries.
// Medians of several rounds of the wall clock. Prints its figures; not a test.
// menu_bench [LARGEST [ROUNDS]]
#include <windows.h>

#include <cstdio>
#include <vector>

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

struct TFigures {
  std::vector<double> fill, open, again;
};

void PopupRound(int n, TFigures& f) {
  TComponentPtr<TPopupMenu> popup(new TPopupMenu(nullptr));
  TMenuItem* items = popup->Items();
  Fill(items, 2, "Edit ");
  HMENU handle = popup->Handle();  // shown once before: the submenu exists
  double t0 = BenchNow();
  Fill(items, n, "<CUSTOM");
  f.fill.push_back(BenchNow() - t0);
  f.open.push_back(OpenMs(handle));
  f.again.push_back(OpenMs(handle));
}

// The platform's own insertion of the entries a drawn menu gets (owner-drawn, with their
// text and item data, each at the end), without any of the program's code.
void OwnerDrawRound(int n, TFigures& f) {
  HMENU menu = CreatePopupMenu();
  double t0 = BenchNow();
  for (int i = 0; i < n; ++i) {
    std::string text = "<CUSTOM" + std::to_string(i);
    MENUITEMINFOA mi{};
    mi.cbSize = sizeof mi;
    mi.fMask = MIIM_ID | MIIM_STATE | MIIM_FTYPE | MIIM_DATA | MIIM_STRING | MIIM_SUBMENU;
    mi.fType = MFT_OWNERDRAW;
    mi.wID = 100 + i;
    mi.dwItemData = static_cast<ULONG_PTR>(i);
    mi.dwTypeData = text.data();
    InsertMenuItemA(menu, GetMenuItemCount(menu), TRUE, &mi);
  }
  f.fill.push_back(BenchNow() - t0);
  DestroyMenu(menu);
}

// The platform's own menu of plain strings, filled and opened the same way: what the
// system itself takes for a menu that long.
void PlainRound(int n, TFigures& f) {
  HMENU menu = CreatePopupMenu();
  AppendMenuA(menu, MF_STRING, 1, "Edit 0");
  double t0 = BenchNow();
  for (int i = 0; i < n; ++i) AppendMenuA(menu, MF_STRING, 100 + i, ("<CUSTOM" + std::to_string(i)).c_str());
  f.fill.push_back(BenchNow() - t0);
  f.open.push_back(OpenMs(menu));
  DestroyMenu(menu);
}

void BarRound(int n, TFigures& f) {
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
  f.fill.push_back(BenchNow() - t0);
  f.open.push_back(OpenMs(tools->Handle()));
  frame->Hide();
}

}  // namespace

int main(int argc, char** argv) {
  int largest = argc > 1 ? std::atoi(argv[1]) : 10000;
  int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  printf("Medians of %d rounds, in ms; per item in microseconds.\n", rounds);
  for (int n : {1000, 3000, 10000}) {
    if (n > largest) continue;
    TFigures popup, ownerDraw, plain, bar;
    for (int r = 0; r < rounds; ++r) {
      PopupRound(n, popup);
      OwnerDrawRound(n, ownerDraw);
      PlainRound(n, plain);
      BarRound(n, bar);
    }
    auto fill = [n](const TFigures& f) { return BenchMedian(f.fill); };
    auto per = [n](double ms) { return ms * 1000.0 / n; };
    printf("%5d items:\n", n);
    printf("  popup menu:         fill %8.1f (%6.1f an item), open %7.1f, open again %7.1f  target open < %.0f (%.2fx)\n",
           fill(popup), per(fill(popup)), BenchMedian(popup.open), BenchMedian(popup.again), TargetMs,
           BenchMedian(popup.open) / TargetMs);
    printf("  bar menu:           fill %8.1f (%6.1f an item), open %7.1f  target open < %.0f (%.2fx)\n", fill(bar),
           per(fill(bar)), BenchMedian(bar.open), TargetMs, BenchMedian(bar.open) / TargetMs);
    printf("  platform, the same owner-drawn entries inserted alone: fill %8.1f (%6.1f an item)\n", fill(ownerDraw),
           per(fill(ownerDraw)));
    printf("  platform, plain strings appended:                      fill %8.1f (%6.1f an item), open %7.1f\n",
           fill(plain), per(fill(plain)), BenchMedian(plain.open));
  }
  return 0;
}
