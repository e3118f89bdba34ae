#include "framework/win/tests/ScreenDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "cmake/test_awaiting.h"
#include "framework/core/Scoped.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"
#include "framework/win/tests/ScreenShot.h"

namespace vx::screen {

// ---- input -----------------------------------------------------------------------------

namespace {

INPUT MouseInput(DWORD flags, POINT p) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  if (flags & MOUSEEVENTF_ABSOLUTE) {
    // Absolute input runs 0..65535 over the screen; the middle of the pixel is aimed at.
    int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = static_cast<LONG>((p.x * 65536LL + 32768) / w);
    in.mi.dy = static_cast<LONG>((p.y * 65536LL + 32768) / h);
  }
  return in;
}

DWORD DownFlag(TMouseButton b) {
  return b == mbLeft ? MOUSEEVENTF_LEFTDOWN : b == mbRight ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_MIDDLEDOWN;
}
DWORD UpFlag(TMouseButton b) {
  return b == mbLeft ? MOUSEEVENTF_LEFTUP : b == mbRight ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_MIDDLEUP;
}

void Send(std::vector<INPUT> in) { SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT)); }

bool ExtendedKey(WORD vk) {
  switch (vk) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_INSERT:
    case VK_DELETE: return true;
    default: return false;
  }
}

INPUT KeyInput(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(vk, 0));
  in.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (ExtendedKey(vk) ? KEYEVENTF_EXTENDEDKEY : 0);
  return in;
}

void KeyStroke(std::vector<INPUT>& in, WORD vk, TShiftState mods) {
  if (mods.Contains(ssCtrl)) in.push_back(KeyInput(VK_CONTROL, false));
  if (mods.Contains(ssShift)) in.push_back(KeyInput(VK_SHIFT, false));
  if (mods.Contains(ssAlt)) in.push_back(KeyInput(VK_MENU, false));
  in.push_back(KeyInput(vk, false));
  in.push_back(KeyInput(vk, true));
  if (mods.Contains(ssAlt)) in.push_back(KeyInput(VK_MENU, true));
  if (mods.Contains(ssShift)) in.push_back(KeyInput(VK_SHIFT, true));
  if (mods.Contains(ssCtrl)) in.push_back(KeyInput(VK_CONTROL, true));
}

}  // namespace

// Every event carries its own absolute point: a button event without one takes whatever
// point the input system last had, which need not be where the pointer was sent.
void MoveMouse(POINT p) { Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p)}); }

void Press(POINT p, TMouseButton b) {
  Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p),
        MouseInput(DownFlag(b) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p)});
}

void Release(POINT p, TMouseButton b) {
  Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p),
        MouseInput(UpFlag(b) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p)});
}

void Click(POINT p, TMouseButton b) {
  Send({MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p),
        MouseInput(DownFlag(b) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p),
        MouseInput(UpFlag(b) | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, p)});
}

void DoubleClick(POINT p) {
  const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send({MouseInput(at, p), MouseInput(MOUSEEVENTF_LEFTDOWN | at, p), MouseInput(MOUSEEVENTF_LEFTUP | at, p),
        MouseInput(MOUSEEVENTF_LEFTDOWN | at, p), MouseInput(MOUSEEVENTF_LEFTUP | at, p)});
}

void Drag(POINT from, POINT to, int steps) {
  const DWORD at = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  std::vector<INPUT> in{MouseInput(at, from), MouseInput(MOUSEEVENTF_LEFTDOWN | at, from)};
  for (int i = 1; i <= steps; ++i) {
    POINT p{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps};
    in.push_back(MouseInput(at, p));
  }
  in.push_back(MouseInput(MOUSEEVENTF_LEFTUP | at, to));
  Send(in);
}

void Key(WORD vk, TShiftState mods) {
  std::vector<INPUT> in;
  KeyStroke(in, vk, mods);
  Send(in);
}

void Type(const std::string& text) {
  std::vector<INPUT> in;
  for (char ch : text) {
    if (ch == '\n' || ch == '\r') {
      KeyStroke(in, VK_RETURN, {});
      continue;
    }
    SHORT code = VkKeyScanA(ch);
    if (code == -1) continue;
    TShiftState mods;
    if (code & 0x100) mods << ssShift;
    if (code & 0x200) mods << ssCtrl;
    if (code & 0x400) mods << ssAlt;
    KeyStroke(in, static_cast<WORD>(code & 0xFF), mods);
  }
  Send(in);
}

// ---- waiting -------------------------------------------------------------------------------

namespace {

// True when a message was handled, false when the wait ended with none.
bool RunOneMessage(DWORD waitMs) {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    Application->ProcessMessage(msg);
    return true;
  }
  MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  return false;
}

TInputScript* runningScript = nullptr;

// What a script that ran out of time leaves open is closed, so that the test goes on.
BOOL CALLBACK CloseDialog(HWND h, LPARAM) {
  char cls[32] = {};
  GetClassNameA(h, cls, sizeof cls);
  if (IsWindowVisible(h) && std::string(cls) == "#32770") PostMessageA(h, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CloseModalWindows() {
  EndMenu();
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->Modal()) Screen->Forms(i)->SetModalResult(mrCancel);
  EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0);
}

std::string Where(const char* what, const std::source_location& at) {
  std::string file = at.file_name();
  size_t slash = file.find_last_of("/\\");
  if (slash != std::string::npos) file.erase(0, slash + 1);
  return std::string(what) + " at " + file + ":" + std::to_string(at.line());
}

// Milliseconds a guard allows on this machine for ms on a quiet one.
DWORD Guard(int ms) { return static_cast<DWORD>(std::max(ms, 0)) * kPatience; }

bool Expired(DWORD start, DWORD guard) { return GetTickCount() - start >= guard; }

// What keeps a program from resting: messages in its queue, not its own timers (a caret
// blinks for ever) nor a script's ticks.
constexpr UINT kWork = QS_INPUT | QS_PAINT | QS_POSTMESSAGE | QS_SENDMESSAGE;

std::string spinReport;

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int ms, std::source_location at) {
  vx::testing::TAwaiting note(Where("a state awaited", at));
  const DWORD start = GetTickCount(), guard = Guard(ms);
  while (!done()) {
    if (Expired(start, guard)) {
      if (done()) return true;
      std::fprintf(stderr, "vornix-test: %s did not come within the guard of %lu s\n",
                   Where("the state awaited", at).c_str(), static_cast<unsigned long>(guard / 1000));
      return false;
    }
    RunOneMessage(10);
  }
  return true;
}

void RunFor(int ms) {
  const DWORD start = GetTickCount();
  while (!Expired(start, static_cast<DWORD>(std::max(ms, 0)))) RunOneMessage(10);
}

bool Idle() {
  if (HIWORD(GetQueueStatus(kWork))) return false;
  // A pixel read from the screen is answered by the X server only after the requests this
  // program made before it, and with the events they caused already sent.
  {
    TWindowDC screen(nullptr);
    GetPixel(screen, 0, 0);
  }
  // The desktop's process answers once it has got round to this program's message.
  DWORD_PTR reply = 0;
  SendMessageTimeoutA(GetDesktopWindow(), WM_NULL, 0, 0, SMTO_NORMAL, Guard(5000), &reply);
  return !HIWORD(GetQueueStatus(kWork));
}

const std::string& SpinReport() { return spinReport; }

// At least ms; then on until the program rests. A program whose own timers are due within
// a moment has not rested yet, so no message must have come for a little while by the
// program's clock; a timer that goes on ticking with nothing else happening (a tab control
// tracking the pointer over it) is a program at rest. A program that never rests sends the
// same messages to the same window again and again: that count, not the time it took, is
// the verdict.
bool Settle(int ms, std::source_location at) {
  vx::testing::TAwaiting note(Where("the program to rest", at));
  constexpr int kSpin = 2000;
  const DWORD start = GetTickCount(), guard = Guard(ms + 5000);
  DWORD lastMessage = start, lastWork = start;
  std::map<std::pair<HWND, UINT>, int> seen;
  for (;;) {
    MSG msg;
    if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      // A thread timer is the test's own ticker (the program's timers belong to windows).
      const bool tests = msg.message == WM_TIMER && !msg.hwnd;
      if (!tests) lastMessage = GetTickCount();
      if (msg.message != WM_TIMER && msg.message != 0x0118 /* WM_SYSTIMER: the caret */) lastWork = lastMessage;
      const bool spun = !tests && ++seen[{msg.hwnd, msg.message}] >= kSpin;
      char cls[64] = "";
      if (spun && msg.hwnd) GetClassNameA(msg.hwnd, cls, sizeof cls);
      Application->ProcessMessage(msg);
      if (spun) {
        char text[160];
        std::snprintf(text, sizeof text, "message 0x%04X to a window of class '%s' came %d times", msg.message, cls,
                      kSpin);
        spinReport = std::string(text) + " and the program never rested";
        return false;
      }
      continue;
    }
    const DWORD now = GetTickCount();
    const bool quiet = ms <= 0 || now - lastMessage >= 120 || now - lastWork >= 1000;
    if (now - start >= static_cast<DWORD>(std::max(ms, 0)) && quiet && Idle()) return true;
    if (Expired(start, guard)) {
      spinReport = "no rest within the guard of " + std::to_string(guard / 1000) + " s";
      std::fprintf(stderr, "vornix-test: %s: %s\n", Where("the program never rested", at).c_str(), spinReport.c_str());
      return false;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD) {
  if (runningScript) runningScript->Tick();
}

TInputScript& TInputScript::Then(std::function<bool()> step, const char* what) {
  steps_.push_back({std::move(step), what});
  return *this;
}

TInputScript& TInputScript::Do(std::function<void()> action, const char* what) {
  return Then(
      [a = std::move(action)] {
        a();
        return true;
      },
      what);
}

// At least ms, and then until the program has taken in what the steps before gave it.
TInputScript& TInputScript::Pause(int ms) {
  auto until = std::make_shared<DWORD>(0);
  return Then(
      [until, ms] {
        if (!*until) *until = GetTickCount() + static_cast<DWORD>(ms);
        return static_cast<int>(GetTickCount() - *until) >= 0 && Idle();
      },
      "pause");
}

void TInputScript::Tick() {
  if (running_) return;  // a step that runs messages itself gets no nested tick
  TSaved<bool> busy(running_, true);
  if (static_cast<int>(GetTickCount() - deadline_) >= 0) {
    if (!timedOut_) {
      timedOut_ = true;
      if (failed_.empty()) failed_ = next_ < steps_.size() ? steps_[next_].what : "the end (a window stayed open)";
      done_ = true;
    }
    CloseModalWindows();
    return;
  }
  if (done_) return;
  try {
    if (next_ < steps_.size() && steps_[next_].run()) {
      ++next_;
      if (note_ && next_ < steps_.size())
        note_->Update(where_ + ", step " + std::to_string(next_ + 1) + ": " + steps_[next_].what);
    }
  } catch (...) {
    failed_ = "exception in " + steps_[next_].what;
    timedOut_ = true;
    done_ = true;
    CloseModalWindows();
    return;
  }
  if (next_ >= steps_.size()) done_ = true;
}

bool TInputScript::Run(int ms, std::source_location at) {
  next_ = 0;
  done_ = timedOut_ = false;
  failed_.clear();
  deadline_ = GetTickCount() + Guard(ms);
  where_ = Where("an input script", at);
  vx::testing::TAwaiting note(where_);
  note_ = &note;
  TInputScript* outer = runningScript;
  runningScript = this;
  UINT_PTR timer = SetTimer(nullptr, 0, 30, ScriptTick);
  // A script that ends inside a modal loop comes back here once that loop ends; the timer
  // goes on meanwhile and closes it when the time is up.
  while (!done_) RunOneMessage(30);
  if (timedOut_) {
    failed_ += " (the guard of " + std::to_string(Guard(ms) / 1000) + " s was reached)";
    CloseModalWindows();
    Settle(200);
  }
  KillTimer(nullptr, timer);
  runningScript = outer;
  note_ = nullptr;
  return !timedOut_;
}

void AddMenuClick(TInputScript& s, HWND owner, TMenuItem* item) {
  std::vector<TMenuItem*> path;  // from the bar item (or the popup's first level) down
  for (TMenuItem* p = item; p && p->Parent(); p = p->Parent()) path.insert(path.begin(), p);
  if (path.empty()) return;
  TMenuItem* root = path.front()->Parent();
  bool inBar = dynamic_cast<TMainMenu*>(root->GetParentMenu()) != nullptr;
  size_t first = 0;
  if (inBar) {
    TMenuItem* top = path.front();
    // Clicked until its drop-down shows: a click that arrives while the program is busy
    // may be taken before the bar is ready for it.
    auto last = std::make_shared<DWORD>(0);
    s.Then(
        [owner, top, last] {
          if (!MenuWindows().empty()) return true;
          if (*last && GetTickCount() - *last < 1000) return false;
          HMENU bar = GetMenu(owner);
          int pos = MenuEntryPosition(bar, top->Command());
          RECT r{};
          if (pos >= 0 && GetMenuItemRect(owner, bar, pos, &r)) Click(Centre(r));
          *last = GetTickCount();
          return false;
        },
        "open the menu from the bar");
    first = 1;
  }
  for (size_t i = first; i < path.size(); ++i) AddItemClick(s, path[i]);
}

void AddItemClick(TInputScript& s, TMenuItem* it) {
  s.Then(
      [it] {
        HMENU menu = it->Parent()->Handle();
        int pos = MenuEntryPosition(menu, it->Command());
        RECT r{};
        if (pos < 0 || !GetMenuItemRect(nullptr, menu, pos, &r) || r.right <= r.left) return false;
        Click(Centre(r));
        return true;
      },
      "click a menu item");
  s.Pause(150);
}

std::vector<HWND> MenuWindows() {
  std::vector<HWND> v;
  for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h; h = FindWindowExA(nullptr, h, "#32768", nullptr))
    if (IsWindowVisible(h)) v.push_back(h);
  return v;
}

// ---- the screen ------------------------------------------------------------------------------

HWND WindowAt(POINT p) { return WindowFromPoint(p); }

RECT WindowScreenRect(HWND h) {
  RECT r{};
  GetWindowRect(h, &r);
  return r;
}

RECT ClientScreenRect(HWND h) {
  RECT r{};
  GetClientRect(h, &r);
  POINT a{r.left, r.top}, b{r.right, r.bottom};
  ClientToScreen(h, &a);
  ClientToScreen(h, &b);
  return RECT{a.x, a.y, b.x, b.y};
}

POINT Centre(const RECT& r) { return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

bool Inside(const RECT& inner, const RECT& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

HWND FocusedWindow() { return GetFocus(); }

POINT HitPoint(HWND h, int code) {
  RECT r = WindowScreenRect(h);
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      LRESULT hit = SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y));
      if (hit == code) {
        // The middle of the zone, not its edge.
        int x2 = x, y2 = y;
        while (x2 + 1 < r.right && SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x2 + 1, y)) == code) ++x2;
        while (y2 + 1 < r.bottom && SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y2 + 1)) == code) ++y2;
        return POINT{(x + x2) / 2, (y + y2) / 2};
      }
    }
  return POINT{-1, -1};
}

namespace {
struct FindTop {
  std::string caption;
  HWND found = nullptr;
};
BOOL CALLBACK FindTopProc(HWND h, LPARAM l) {
  auto* f = reinterpret_cast<FindTop*>(l);
  char text[256] = {};
  GetWindowTextA(h, text, sizeof text);
  if (IsWindowVisible(h) && f->caption == text) {
    f->found = h;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND FindTopWindow(const std::string& caption) {
  FindTop f{caption};
  EnumThreadWindows(GetCurrentThreadId(), FindTopProc, reinterpret_cast<LPARAM>(&f));
  return f.found;
}

TForm* ShownForm(const char* className) {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TForm* f = Screen->Forms(i);
    if (std::string(f->ClassName()) == className && f->HandleAllocated() && IsWindowVisible(f->Handle())) return f;
  }
  return nullptr;
}

namespace {

// A memory DC holding a top-down 32-bit picture, read out as a shot once drawn into.
class TShotCanvas {
 public:
  TShotCanvas(int width, int height) : width_(std::max(0, width)), height_(std::max(0, height)) {
    if (!width_ || !height_) return;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width_;
    bi.bmiHeader.biHeight = -height_;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    TWindowDC screen(nullptr);
    dc_.Reset(CreateCompatibleDC(screen));
    bmp_.Reset(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (bmp_ && bits_) selected_ = std::make_unique<TSelected>(dc_, bmp_);
  }
  // Nothing to draw on when the size is empty or the picture could not be made.
  bool Ready() const { return selected_ != nullptr; }
  HDC DC() const { return dc_; }
  TShot Take() const {
    TShot shot;
    if (!Ready()) return shot;
    GdiFlush();
    shot.width = width_;
    shot.height = height_;
    const auto* px = static_cast<const DWORD*>(bits_);
    shot.pixels.resize(static_cast<size_t>(width_) * height_);
    for (size_t i = 0; i < shot.pixels.size(); ++i) {
      DWORD v = px[i];  // 0x00RRGGBB
      shot.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    return shot;
  }

 private:
  int width_, height_;
  void* bits_ = nullptr;
  TOwnedDC dc_;
  TOwnedBitmap bmp_;
  std::unique_ptr<TSelected> selected_;
};

}  // namespace

TShot Capture(const RECT& r) {
  TShotCanvas canvas(r.right - r.left, r.bottom - r.top);
  if (!canvas.Ready()) return {};
  TWindowDC screen(nullptr);
  BitBlt(canvas.DC(), 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  return canvas.Take();
}

TShot Painted(HWND h, UINT message) {
  RECT rc{};
  GetClientRect(h, &rc);
  TShotCanvas canvas(rc.right, rc.bottom);
  if (!canvas.Ready()) return {};
  SendMessageA(h, message, reinterpret_cast<WPARAM>(canvas.DC()), message == WM_PRINTCLIENT ? PRF_CLIENT : 0);
  return canvas.Take();
}

void SaveShot(const TShot& shot, const std::string& name) {
  std::string dir = ShotFolder();
  if (dir.empty() || !shot.width || !shot.height) return;
  int stride = (shot.width * 3 + 3) & ~3;
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = shot.width;
  ih.biHeight = shot.height;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  ih.biSizeImage = static_cast<DWORD>(stride * shot.height);
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + ih.biSizeImage;
  std::vector<unsigned char> data(ih.biSizeImage);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      COLORREF c = shot.At(x, shot.height - 1 - y);
      unsigned char* p = &data[static_cast<size_t>(y) * stride + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  std::string path = dir + name + ".bmp";
  if (FILE* f = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&fh, sizeof fh, 1, f);
    std::fwrite(&ih, sizeof ih, 1, f);
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
  }
}

bool Ink(COLORREF c, COLORREF bg) {
  int d = std::max({std::abs(GetRValue(c) - GetRValue(bg)), std::abs(GetGValue(c) - GetGValue(bg)),
                    std::abs(GetBValue(c) - GetBValue(bg))});
  return d > 80;
}

std::vector<std::pair<int, int>> InkRuns(const TShot& shot, int top, int bottom, COLORREF bg, int minGap) {
  std::vector<std::pair<int, int>> runs;
  top = std::max(0, top);
  bottom = std::min(shot.height, bottom);
  int gap = 0;
  for (int x = 0; x < shot.width; ++x) {
    bool ink = false;
    for (int y = top; y < bottom && !ink; ++y) ink = Ink(shot.At(x, y), bg);
    if (!ink) {
      ++gap;
      continue;
    }
    if (!runs.empty() && gap < minGap)
      runs.back().second = x + 1;
    else
      runs.emplace_back(x, x + 1);
    gap = 0;
  }
  return runs;
}

namespace {

struct TMask {
  int width = 0, height = 0;
  std::vector<char> ink;
  int count = 0;
  RECT box{0, 0, 0, 0};  // the ink's bounding box
  bool At(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height && ink[static_cast<size_t>(y) * width + x];
  }
};

TMask MaskOf(const TShot& shot, int top, int bottom, COLORREF bg) {
  TMask m;
  top = std::max(0, top);
  bottom = std::min(shot.height, bottom);
  m.width = shot.width;
  m.height = std::max(0, bottom - top);
  m.ink.assign(static_cast<size_t>(m.width) * m.height, 0);
  m.box = RECT{m.width, m.height, 0, 0};
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (Ink(shot.At(x, y + top), bg)) {
        m.ink[static_cast<size_t>(y) * m.width + x] = 1;
        ++m.count;
        m.box.left = std::min<LONG>(m.box.left, x);
        m.box.top = std::min<LONG>(m.box.top, y);
        m.box.right = std::max<LONG>(m.box.right, x + 1);
        m.box.bottom = std::max<LONG>(m.box.bottom, y + 1);
      }
  return m;
}

TShot DrawnText(const std::string& text, HFONT font) {
  TWindowDC screen(nullptr);
  SIZE size{0, 0};
  {
    TOwnedDC probe(CreateCompatibleDC(screen));
    TSelected f(probe, font);
    GetTextExtentPoint32A(probe, text.c_str(), static_cast<int>(text.size()), &size);
  }
  TShotCanvas canvas(size.cx + 8, size.cy + 8);
  if (!canvas.Ready()) return {};
  RECT r{0, 0, size.cx + 8, size.cy + 8};
  HDC mem = canvas.DC();
  TSelected f(mem, font);
  FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(mem, RGB(0, 0, 0));
  SetBkMode(mem, TRANSPARENT);
  TextOutA(mem, 4, 4, text.c_str(), static_cast<int>(text.size()));
  return canvas.Take();
}

}  // namespace

double TextMismatch(const TShot& shot, int top, int bottom, COLORREF bg, const std::string& text, HFONT font) {
  TShot drawn = DrawnText(text, font);
  TMask want = MaskOf(drawn, 0, drawn.height, RGB(255, 255, 255));
  TMask have = MaskOf(shot, top, bottom, bg);
  if (!want.count || !have.count) return want.count == have.count ? 0.0 : 1.0;
  double best = 1.0;
  // The two boxes' corners meet, give or take a few pixels (a caret, a clipped glyph).
  for (int dy = -3; dy <= 3; ++dy)
    for (int dx = -4; dx <= 4; ++dx) {
      int ox = have.box.left - want.box.left + dx, oy = have.box.top - want.box.top + dy;
      int differ = 0;
      int w = std::max(want.box.right - want.box.left, have.box.right - have.box.left) + 8;
      int h = std::max(want.box.bottom - want.box.top, have.box.bottom - have.box.top) + 6;
      for (int y = want.box.top - 3; y < want.box.top + h; ++y)
        for (int x = want.box.left - 4; x < want.box.left + w; ++x)
          if (want.At(x, y) != have.At(x + ox, y + oy)) ++differ;
      best = std::min(best, static_cast<double>(differ) / std::max(want.count, have.count));
    }
  return best;
}

namespace {

void CheckInside(TWinControl* parent, const RECT& formClient, std::vector<std::string>& out) {
  RECT parentClient = ClientScreenRect(parent->Handle());
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (!c->Visible()) continue;
    auto* w = dynamic_cast<TWinControl*>(c);
    RECT r;
    if (w && w->HandleAllocated()) {
      r = WindowScreenRect(w->Handle());
    } else {
      POINT a{c->Left(), c->Top()};
      ClientToScreen(parent->Handle(), &a);
      r = RECT{a.x, a.y, a.x + c->Width(), a.y + c->Height()};
    }
    if (!Inside(r, formClient) || !Inside(r, parentClient))
      out.push_back(c->Name().empty() ? c->ClassName() : c->Name());
    // What a scroll box holds may lie beyond its view by design.
    if (w && w->HandleAllocated() && !dynamic_cast<TScrollBox*>(w)) CheckInside(w, formClient, out);
  }
}

}  // namespace

std::vector<std::string> ControlsOutsideClient(TWinControl* form) {
  std::vector<std::string> out;
  if (!form || !form->HandleAllocated()) return {"(no window)"};
  CheckInside(form, ClientScreenRect(form->Handle()), out);
  return out;
}

}  // namespace vx::screen
