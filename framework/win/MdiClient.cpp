#include "framework/win/MdiClient.h"

#include <algorithm>
#include <map>
#include <set>

#include "framework/win/Forms.h"

namespace vx {

namespace {

// Children moved, sized, shown or gone: the client's scroll bars are set again once the
// moves are over (a cascade or a scroll moves every child in turn).
UINT ScrollCheckMessage() {
  static UINT m = RegisterWindowMessageA("VornixMdiClientScrollCheck");
  return m;
}

std::set<HWND>& PendingScrollChecks() {
  static auto* s = new std::set<HWND>;
  return *s;
}

}  // namespace

void RequestScrollCheck(HWND client) {
  if (client && IsWindow(client) && PendingScrollChecks().insert(client).second)
    PostMessageA(client, ScrollCheckMessage(), 0, 0);
}

namespace {

// Clients whose scroll bar is being used: the children move under it, the bars wait.
std::set<HWND>& Scrolling() {
  static auto* s = new std::set<HWND>;
  return *s;
}

// A bar shows while some child lies partly past that edge of the client; its range covers
// the children and the view, whose origin is position 0. A maximised child needs none.
void SetClientScrollBars(HWND client) {
  RECT all{0, 0, 0, 0};
  bool any = false, maximised = false;
  for (HWND c = GetWindow(client, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (!IsWindowVisible(c)) continue;
    maximised = maximised || IsZoomed(c);
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(nullptr, client, reinterpret_cast<POINT*>(&r), 2);
    if (any)
      UnionRect(&all, &all, &r);
    else
      all = r;
    any = true;
  }
  RECT view;
  GetClientRect(client, &view);
  LONG style = GetWindowLongA(client, GWL_STYLE);
  int cx = GetSystemMetrics(SM_CXVSCROLL), cy = GetSystemMetrics(SM_CYHSCROLL);
  if (style & WS_VSCROLL) view.right += cx;
  if (style & WS_HSCROLL) view.bottom += cy;
  // A bar takes room from the other direction and may bring the other bar with it; the
  // pages are what the view keeps once both are decided.
  bool horz = false, vert = false;
  for (int pass = 0; pass < 2 && any && !maximised; ++pass) {
    int w = view.right - (vert ? cx : 0), h = view.bottom - (horz ? cy : 0);
    horz = all.left < 0 || all.right > w;
    vert = all.top < 0 || all.bottom > h;
  }
  int width = view.right - (vert ? cx : 0), height = view.bottom - (horz ? cy : 0);
  auto set = [&](int bar, bool show, int low, int high, int page) {
    SCROLLINFO si{sizeof si, SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 0, 0, 0, 0};
    if (show) {
      si.nMin = std::min(low, 0);
      si.nMax = std::max(high, page) - 1;
      si.nPage = static_cast<UINT>(page);
    }
    SetScrollInfo(client, bar, &si, FALSE);
    ShowScrollBar(client, bar, show);
  };
  set(SB_HORZ, horz, all.left, all.right, width);
  set(SB_VERT, vert, all.top, all.bottom, height);
}

void ScrollClient(HWND client, UINT msg, WPARAM w) {
  int bar = msg == WM_VSCROLL ? SB_VERT : SB_HORZ;
  if (LOWORD(w) == SB_ENDSCROLL) {
    Scrolling().erase(client);
    RequestScrollCheck(client);
    return;
  }
  Scrolling().insert(client);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  if (!GetScrollInfo(client, bar, &si)) return;
  int page = std::max<int>(1, static_cast<int>(si.nPage)), line = std::max(1, page / 10), pos = si.nPos;
  switch (LOWORD(w)) {
    case SB_LINEUP: pos -= line; break;
    case SB_LINEDOWN: pos += line; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_TOP: pos = si.nMin; break;
    case SB_BOTTOM: pos = si.nMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = si.nTrackPos; break;
  }
  pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - page + 1));
  int delta = si.nPos - pos;
  if (!delta) return;
  SetScrollPos(client, bar, pos, TRUE);
  ScrollWindowEx(client, bar == SB_HORZ ? delta : 0, bar == SB_VERT ? delta : 0, nullptr, nullptr, nullptr, nullptr,
                 SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

// WM_MDICALCCHILDSCROLL, which the headers leave out: the client posts it to itself.
constexpr UINT CalcChildScrollMessage = 0x003F;

// The MDI client paints its background in the frame's colour.
std::map<HWND, WNDPROC>& ClientProcs() {
  static auto* m = new std::map<HWND, WNDPROC>;
  return *m;
}

LRESULT CALLBACK ClientWndProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  WNDPROC old = ClientProcs()[h];
  try {
    if (msg == ScrollCheckMessage()) {
      PendingScrollChecks().erase(h);
      if (!Scrolling().count(h)) SetClientScrollBars(h);
      return 0;
    }
    // The platform's client sets the bars too, with a model of its own; the two would undo
    // each other without end, so ours alone decides. Wine posts this only while its client's
    // update flag is clear, and clears the flag only in its own handler: swallowed, it comes
    // once in a client's life, and the checks follow the sizes and moves that the client and
    // its children report.
    if (msg == CalcChildScrollMessage) {
      RequestScrollCheck(h);
      return 0;
    }
    if (msg == WM_VSCROLL || msg == WM_HSCROLL) {
      ScrollClient(h, msg, w);
      return 0;
    }
    if (msg == WM_SIZE) RequestScrollCheck(h);
    if (msg == WM_ERASEBKGND) {
      if (auto* frame = dynamic_cast<TForm*>(FindControl(GetParent(h)))) {
        RECT r;
        GetClientRect(h, &r);
        HBRUSH b = CreateSolidBrush(ColorToRGB(frame->Color()));
        FillRect(reinterpret_cast<HDC>(w), &r, b);
        DeleteObject(b);
        return 1;
      }
    }
    if (msg == WM_NCDESTROY) {
      PendingScrollChecks().erase(h);
      Scrolling().erase(h);
      ClientProcs().erase(h);
      SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    }
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return CallWindowProcA(old, h, msg, w, l);
}

}  // namespace

void SubclassMdiClient(HWND client) {
  ClientProcs()[client] =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(client, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ClientWndProc)));
}

}  // namespace vx
