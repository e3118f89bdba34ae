// Tests of what a person sees: input goes in as a person's would (SendInput), and the
// checks read the screen (the window under a point, the focus, captured pixels compared
// with text drawn in the same font, controls inside their form's client area).
// Every test program has a Wine desktop of its own, so the input and the screen are its own.
#pragma once

#include "framework/win/WinApi.h"

#include <functional>
#include <source_location>
#include <string>
#include <vector>

#include "cmake/test_awaiting.h"
#include "framework/win/Controls.h"
#include "framework/win/tests/ScreenShot.h"

namespace vx {

class TMenuItem;
class TForm;

namespace screen {

// ---- input -----------------------------------------------------------------------------

void MoveMouse(POINT p);
void Press(POINT p, TMouseButton b = mbLeft);
void Release(POINT p, TMouseButton b = mbLeft);
void Click(POINT p, TMouseButton b = mbLeft);
void DoubleClick(POINT p);
// Press at from, move in steps to to, release there: one batch of input, so that a modal
// loop the press starts (moving or sizing a window) reads all of it.
void Drag(POINT from, POINT to, int steps = 8);
// A key with the modifiers held around it (ssCtrl, ssShift, ssAlt).
void Key(WORD vk, TShiftState mods = {});
// Characters typed one by one, with Shift where the layout needs it.
void Type(const std::string& text);

// ---- waiting -----------------------------------------------------------------------------

// Every wait ends on the state it waits for. Its time is only a guard against a hang,
// kPatience times what a quiet machine needs, so that a busy or emulated machine gives the
// same verdict as a quiet one; a guard that is reached says what was awaited.
constexpr int kPatience = 10;

// Runs the program's messages until done() holds; false when the guard (ms on a quiet
// machine) was reached first.
bool WaitUntil(const std::function<bool()>& done, int ms = 5000,
               std::source_location at = std::source_location::current());
// Runs the program's messages for at least ms, then on until it rests (Idle) and no message
// came for a moment, in which its own short timers have run; with ms 0 only until it rests.
// False when it never rests: the same message to the same window keeps coming back
// (SpinReport says which), or the guard was reached.
bool Settle(int ms = 250, std::source_location at = std::source_location::current());
// Runs the program's messages for ms, as a person watching would: no verdict.
void RunFor(int ms);
// What the last Settle that returned false saw.
const std::string& SpinReport();
// Whether the program rests now: its queue holds nothing after a round trip through the
// X server and through the desktop's own process, so that whatever they still had on the
// way for this program has arrived.
bool Idle();

// Steps run from a timer, so they go on inside the modal loops of menus, dialogs and
// modal forms as a person's actions would. A step returns true when it is done; false
// runs it again on the next tick (a wait).
class TInputScript {
 public:
  TInputScript& Then(std::function<bool()> step, const char* what = "");
  TInputScript& Do(std::function<void()> action, const char* what = "");
  TInputScript& Pause(int ms);  // at least ms, then until the program rests
  // Runs the steps while handling the program's messages. When the guard (ms on a quiet
  // machine) is reached, the open menus and modal windows are closed, and false is
  // returned; FailedStep names the step.
  bool Run(int ms = 30000, std::source_location at = std::source_location::current());
  const std::string& FailedStep() const { return failed_; }

 private:
  friend void CALLBACK ScriptTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();
  struct Step {
    std::function<bool()> run;
    std::string what;
  };
  std::vector<Step> steps_;
  size_t next_ = 0;
  bool running_ = false, done_ = false, timedOut_ = false;
  DWORD deadline_ = 0;
  std::string failed_;
  vx::testing::TAwaiting* note_ = nullptr;  // while it runs
  std::string where_;
};

// Steps that open a menu item's way from the menu bar of owner (or a popup already open)
// and click it.
void AddMenuClick(TInputScript& s, HWND owner, TMenuItem* item);
// A step that clicks the item in its menu, once that menu shows.
void AddItemClick(TInputScript& s, TMenuItem* item);
// The visible drop-down or popup menu windows (class "#32768").
std::vector<HWND> MenuWindows();

// ---- the screen ------------------------------------------------------------------------------

HWND WindowAt(POINT p);
RECT WindowScreenRect(HWND h);
RECT ClientScreenRect(HWND h);
POINT Centre(const RECT& r);
bool Inside(const RECT& inner, const RECT& outer);
// The window with the keyboard focus in this program.
HWND FocusedWindow();
// A point of the window's frame where the platform reports this hit-test code (HTMAXBUTTON,
// HTBOTTOMRIGHT...), or (-1, -1).
POINT HitPoint(HWND h, int code);
// The visible top-level window of this thread with this caption, or nullptr.
HWND FindTopWindow(const std::string& caption);
// The form of this program of this class that is on the screen, or nullptr.
TForm* ShownForm(const char* className);

struct TShot {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
TShot Capture(const RECT& screenRect);
// The window's client area as it paints itself into a picture of its own (WM_PRINTCLIENT,
// or WM_PAINT for the program's controls that paint into the DC they are given), whatever
// lies over it on the screen.
TShot Painted(HWND h, UINT message = WM_PRINTCLIENT);
// Saves a shot as NAME.bmp where ScreenShot.h's SaveScreen puts the whole screen.
void SaveShot(const TShot& shot, const std::string& name);

// Whether a pixel differs visibly from the background.
bool Ink(COLORREF c, COLORREF background);
// Columns [from, to) of a band of rows that hold ink, as runs [start, end).
std::vector<std::pair<int, int>> InkRuns(const TShot& shot, int top, int bottom, COLORREF background, int minGap);
// How far the ink of rows [top, bottom) of the shot differs from the text drawn in the
// font: the share of ink pixels that do not match at the best alignment (0 = the same,
// 1 = nothing alike).
double TextMismatch(const TShot& shot, int top, int bottom, COLORREF background, const std::string& text, HFONT font);
inline bool ShowsText(const TShot& shot, int top, int bottom, COLORREF background, const std::string& text,
                      HFONT font) {
  return TextMismatch(shot, top, bottom, background, text, font) < 0.12;
}

// The names of the shown controls of a form (windowed or not, at every depth) that do
// not lie wholly inside the form's client area and their parent's.
std::vector<std::string> ControlsOutsideClient(TWinControl* form);

}  // namespace screen
}  // namespace vx
