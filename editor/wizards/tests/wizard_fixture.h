// What the wizards' tests share: a host window with an editor control to write into, the
// test seams answered, mouse and key input posted to the window under the point, a check
// that every control lies inside its parent, and screenshots for looking at.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "framework/win/tests/ScreenDriver.h"
#include "editctl/LEDlp32.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/tests/ScreenShot.h"

namespace vx {

struct WizardFixture : ::testing::Test {
  TForm* host = nullptr;
  TLEdit* ed = nullptr;
  std::vector<std::string> messages;

  void SetUp() override {
    host = CreateForm<TForm>(Application);
    host->SetCaption("Host");
    host->SetBounds(20, 20, 600, 400);
    ed = new TLEdit(host);
    ed->SetParent(host);
    ed->SetAlign(alClient);
    host->Show();
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      return IDOK;
    };
    Pump();
  }
  void TearDown() override {
    Application->OnModalForm = nullptr;
    Application->OnMessageBox = nullptr;
    TCommonDialog::Handler() = nullptr;
    host->Free();
    Pump();
  }

  static void Pump() {
    for (int i = 0; i < 3; ++i) Application->ProcessMessages();
  }

  // A mouse message as the system sends it: to the window under the point of the control
  // (or the one holding the capture), in that window's coordinates.
  static void Mouse(TControl* c, UINT msg, int x, int y, WPARAM keys = 0) {
    POINT p = c->ClientToScreen(POINT{x, y});
    HWND h = GetCapture() ? GetCapture() : WindowFromPoint(p);
    ScreenToClient(h, &p);
    PostMessageA(h, msg, keys, MAKELPARAM(p.x, p.y));
    Pump();
  }
  static void Click(TControl* c, int x, int y) {
    Mouse(c, WM_MOUSEMOVE, x, y);
    Mouse(c, WM_LBUTTONDOWN, x, y, MK_LBUTTON);
    Mouse(c, WM_LBUTTONUP, x, y);
  }
  static void Drag(TControl* c, int x1, int y1, int x2, int y2, int steps = 4) {
    Mouse(c, WM_MOUSEMOVE, x1, y1);
    Mouse(c, WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
    for (int i = 1; i <= steps; ++i)
      Mouse(c, WM_MOUSEMOVE, x1 + (x2 - x1) * i / steps, y1 + (y2 - y1) * i / steps, MK_LBUTTON);
    Mouse(c, WM_LBUTTONUP, x2, y2);
  }
  // Keys typed into the focused window through the message loop (short-cuts included).
  static void Key(WORD vk) {
    HWND f = GetFocus();
    PostMessageA(f, WM_KEYDOWN, vk, 1);
    PostMessageA(f, WM_KEYUP, vk, 0xC0000001);
    Pump();
  }
  // A key with a modifier held (Ctrl+E), through the system's input queue so that the
  // modifier's state is real.
  static void Chord(WORD modifier, WORD key) {
    INPUT in[4] = {};
    WORD keys[4] = {modifier, key, key, modifier};
    for (int i = 0; i < 4; ++i) {
      in[i].type = INPUT_KEYBOARD;
      in[i].ki.wVk = keys[i];
      in[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
    }
    SendInput(4, in, sizeof(INPUT));
    screen::Settle(0);
  }
  static void Type(HWND h, const std::string& text) {
    for (char ch : text) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(ch), 1);
  }
  // Each character to the window that has the focus when it is typed.
  static void TypeFocused(const std::string& text) {
    for (char ch : text) SendMessageA(GetFocus(), WM_CHAR, static_cast<unsigned char>(ch), 1);
  }

  // Every visible control lies inside the client area of its parent, down the tree.
  static void ExpectInside(TWinControl* parent) {
    RECT client = parent->ClientRect();
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (!c->Visible()) continue;
      RECT b = c->BoundsRect();
      EXPECT_TRUE(b.left >= client.left && b.top >= client.top && b.right <= client.right && b.bottom <= client.bottom)
          << c->Name() << " (" << b.left << "," << b.top << "," << b.right << "," << b.bottom << ") outside "
          << parent->Name() << " (" << client.right << " x " << client.bottom << ")";
      if (auto* w = dynamic_cast<TWinControl*>(c)) ExpectInside(w);
    }
  }

  // The screen as NAME.bmp for a person to look at (nothing unless VORNIX_SHOTS is set).
  static void Screenshot(const char* name) {
    Pump();
    SaveScreen(name);
  }

  std::string Text() { return ed->GetText(); }
};

}  // namespace vx
