// VxTagEd's main window in a test: message boxes, common dialogs and modal forms are
// answered by the test, input goes in as a person's would (SendInput, menu commands
// posted to the window), and a work folder holds a copy of the shipped standard.vxt.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/IniFiles.h"
#include "framework/win/tests/FileBytes.h"
#include "tagdefs/tests/TestDir.h"
#include "tageditor/TagEdMain.h"
#include "toolkit/tests/settle.h"

namespace vx {

inline void Pump() {
  for (int i = 0; i < 5; ++i) Application->ProcessMessages();
}

// A click at a screen point: the press and release go to the window under the point,
// as the system would send them, so a control hidden or covered there gets nothing.
inline void ClickScreen(POINT p) {
  SetCursorPos(p.x, p.y);  // buttons that track the mouse ask where it is
  HWND h = WindowFromPoint(p);
  if (!h) return;
  POINT c = p;
  ScreenToClient(h, &c);
  LPARAM at = MAKELPARAM(c.x, c.y);
  PostMessageA(h, WM_MOUSEMOVE, 0, at);
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(h, WM_LBUTTONUP, 0, at);
  Settle();
}

// A click at the centre of a control, windowed or not.
inline void ClickControl(TControl* c) {
  POINT p = c->ClientToScreen(POINT{c->Width() / 2, c->Height() / 2});
  if (auto* w = dynamic_cast<TWinControl*>(c)) {
    RECT r;
    GetWindowRect(w->Handle(), &r);
    p = POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  ClickScreen(p);
}

inline void SendKey(WORD vk, bool shift = false) {
  std::vector<INPUT> in;
  auto key = [&](WORD k, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = k;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    in.push_back(i);
  };
  if (shift) key(VK_SHIFT, false);
  key(vk, false);
  key(vk, true);
  if (shift) key(VK_SHIFT, true);
  SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
  Settle();
}

// Types the text into the focused window, key by key.
inline void TypeText(const std::string& text) {
  for (char ch : text) {
    SHORT vk = VkKeyScanA(ch);
    SendKey(LOBYTE(vk), (HIBYTE(vk) & 1) != 0);
  }
}

// Every visible windowed control lies inside its parent's client area.
inline void ExpectControlsInside(TWinControl* parent) {
  if (!parent->HandleAllocated() || !IsWindowVisible(parent->Handle())) return;
  RECT client;
  GetClientRect(parent->Handle(), &client);
  MapWindowPoints(parent->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  for (int i = 0; i < parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(parent->Controls(i));
    if (!w || !w->HandleAllocated() || !IsWindowVisible(w->Handle())) continue;
    RECT r;
    GetWindowRect(w->Handle(), &r);
    EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right && r.bottom <= client.bottom)
        << w->Name() << " (" << w->ClassName() << ") outside " << parent->Name() << " " << r.left << "," << r.top << ","
        << r.right << "," << r.bottom << " in " << client.left << "," << client.top << "," << client.right << ","
        << client.bottom;
    ExpectControlsInside(w);
  }
}

inline std::string SetBytes(const THTMLGroup& g) {
  TMemoryStream m;
  g.SaveToStream(m);
  return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

struct TagEdTest : ::testing::Test {
  TfrmMain* main = nullptr;
  std::vector<std::string> messages;
  std::deque<int> answers;  // message box answers in order; IDOK when none are left
  std::function<bool(TCommonDialog*)> dialog;
  std::deque<std::function<void(TForm*)>> modals;  // one per modal form, in order
  std::vector<std::string> modalClasses;
  std::unique_ptr<TestDir> work;
  std::string dir;  // the work folder (the current one) with a copy of standard.vxt, ending in "\\"

  void SetUp() override {
    TRegIniFile::DeleteUserKey("Software\\Marrowby\\Vornix");
    char win[MAX_PATH];
    GetWindowsDirectoryA(win, MAX_PATH);
    DeleteFileA((std::string(win) + "\\VxPro").c_str());
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT) {
      messages.push_back(text);
      if (answers.empty()) return IDOK;
      int a = answers.front();
      answers.pop_front();
      return a;
    };
    TCommonDialog::Handler() = [this](TCommonDialog* d) { return dialog ? dialog(d) : false; };
    Application->OnModalForm = [this](TForm* f) {
      modalClasses.push_back(f->ClassName());
      if (modals.empty()) return;  // left unanswered: the form is cancelled
      auto next = std::move(modals.front());
      modals.pop_front();
      next(f);
    };
    const std::string shipped = ExtractFilePath(Application->ExeName()) + "standard.vxt";
    work = std::make_unique<TestDir>();
    dir = work->Path() + "\\";
    CopyFileA(shipped.c_str(), (dir + "standard.vxt").c_str(), FALSE);
    Application->SetTitle(TagEdTitle);
    Application->SetMainForm(nullptr);
    main = Application->CreateForm<TfrmMain>();
    main->Show();
    SetForegroundWindow(main->Handle());
    Pump();
  }

  void TearDown() override {
    if (main) {
      answers.assign(5, IDNO);
      main->Hide();
      Pump();
      main->Free();
      main = nullptr;
    }
    Application->SetMainForm(nullptr);
    Application->OnMessageBox = nullptr;
    Application->OnModalForm = nullptr;
    TCommonDialog::Handler() = nullptr;
    work.reset();
    Pump();
  }

  // A menu command as the menu sends it.
  void Menu(TMenuItem* item) {
    PostMessageA(main->Handle(), WM_COMMAND, item->Command(), 0);
    Pump();
  }
  // Opening the File menu, which decides what it offers.
  void OpenFileMenu() {
    SendMessageA(main->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(main->cmdFile->Handle()), 0);
  }

  // The open dialog answers with the name; then the window shows the set.
  void Open(const std::string& name) {
    dialog = [name](TCommonDialog* d) {
      static_cast<TOpenDialog*>(d)->SetFileName(name);
      return true;
    };
    Menu(main->cmdOpen);
    dialog = nullptr;
  }

  // Expects the next modal form to be of class T and runs f on it; the layout of the
  // tag editor's own dialogs is checked on the screen first.
  template <class T>
  void Then(std::function<void(T*)> f, bool checkLayout = true) {
    modals.push_back([f, checkLayout](TForm* form) {
      T* t = dynamic_cast<T*>(form);
      ASSERT_NE(t, nullptr) << "a " << form->ClassName() << " came instead";
      if (checkLayout) ExpectControlsInside(t);
      f(t);
    });
  }

  int TagIndex(const char* name) { return main->Group()->Tags().IndexOf(name); }
  void SelectTag(const char* name) {
    main->lbTags->SetItemIndex(main->lbTags->Items()->IndexOf(name));
    main->lbTagsClick(main->lbTags);
  }
};

}  // namespace vx
