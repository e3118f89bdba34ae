// A form with an editor control and the spell-check component as the document window
// places it, a dialog answered the way a person would (clicks posted to the window under
// the button's middle), message boxes answered by the test.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editctl/LEDlp32.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/tests/FileBytes.h"
#include "spell/Dictionary.h"
#include "spell/SpellDlg.h"
#include "framework/win/tests/ScreenShot.h"

namespace vx::spellwin {

inline std::string ProgramDir() { return ExtractFilePath(Application->ExeName()); }

inline void WriteText(const std::string& name, const std::string& text) {
  HANDLE f = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD n = 0;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &n, nullptr);
  CloseHandle(f);
}

inline void Pump(int n = 3) {
  for (int i = 0; i < n; ++i) Application->ProcessMessages();
}

// The window a person would hit at the control's middle, and a click posted to it there.
inline HWND WindowAtMiddle(TControl* c, POINT* at = nullptr) {
  POINT p = c->ClientToScreen(POINT{c->Width() / 2, c->Height() / 2});
  if (at) *at = p;
  return WindowFromPoint(p);
}

inline void PostClick(TControl* c, bool twice = false) {
  POINT p;
  HWND h = WindowAtMiddle(c, &p);
  ScreenToClient(h, &p);
  LPARAM at = MAKELPARAM(p.x, p.y);
  PostMessageA(h, WM_MOUSEMOVE, 0, at);
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(h, WM_LBUTTONUP, 0, at);
  if (twice) {
    PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(h, WM_LBUTTONUP, 0, at);
  }
}

// A click (or a double click) on a list item, where the item is drawn.
inline void PostClickItem(TCustomListBox* list, int index, bool twice = false) {
  RECT r{};
  SendMessageA(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
  LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  HWND h = list->Handle();
  PostMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, at);
  PostMessageA(h, WM_LBUTTONUP, 0, at);
  if (twice) {
    PostMessageA(h, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageA(h, WM_LBUTTONUP, 0, at);
  }
}

// Keys as the keyboard gives them, to the window that has the focus.
inline void Keys(std::initializer_list<std::pair<WORD, bool>> strokes) {
  for (auto [vk, down] : strokes) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
  }
}
inline void Press(WORD vk) { Keys({{vk, true}, {vk, false}}); }

// Every control of the form lies inside its parent's client area.
inline void ExpectInsideParents(TWinControl* w) {
  for (int i = 0; i < w->ControlCount(); ++i) {
    TControl* c = w->Controls(i);
    if (!c->Visible()) continue;
    RECT r = w->ClientRect();
    EXPECT_GE(c->Left(), r.left) << c->Name();
    EXPECT_GE(c->Top(), r.top) << c->Name();
    EXPECT_LE(c->Left() + c->Width(), r.right) << c->Name();
    EXPECT_LE(c->Top() + c->Height(), r.bottom) << c->Name();
    if (auto* cw = dynamic_cast<TWinControl*>(c)) ExpectInsideParents(cw);
  }
}

inline BOOL CALLBACK RedrawNow(HWND w, LPARAM) {
  RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return TRUE;
}

// The screen as NAME.bmp (with VORNIX_SHOTS set), everything drawn first so the picture
// is what a person sees now.
inline void Shot(const char* leaf) {
  if (!std::getenv("VORNIX_SHOTS")) return;
  EnumThreadWindows(GetCurrentThreadId(), RedrawNow, 0);
  GdiFlush();
  Sleep(300);
  SaveScreen(leaf);
}

// Runs a function every few milliseconds while messages are handled: a person's
// reactions. A timer, not a posted message, so a loop that drains the queue still ends.
class TTicker {
 public:
  explicit TTicker(std::function<void()> f) : f_(std::move(f)) {
    current_ = this;
    id_ = SetTimer(nullptr, 0, 15, &TTicker::Tick);
  }
  ~TTicker() {
    KillTimer(nullptr, id_);
    if (current_ == this) current_ = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (current_ && !current_->busy_) {
      current_->busy_ = true;
      current_->f_();
      if (current_) current_->busy_ = false;
    }
  }
  static inline TTicker* current_ = nullptr;
  std::function<void()> f_;
  UINT_PTR id_;
  bool busy_ = false;
};

struct SpellFixture : ::testing::Test {
  TForm* form = nullptr;
  TLEdit* ed = nullptr;
  TLEditSpellDlg* spell = nullptr;
  std::vector<std::string> messages;
  std::deque<int> answers;         // message box answers in order; OK (or No) when none left
  std::vector<std::string> asked;  // the word selected in the document at each question
  // What the person does when the dialog asks; nothing means the check waits on.
  std::function<void(TAbsSpellDialog*, const std::string& word)> onAsk;
  bool polling = false;
  int actedWait = 0;
  std::unique_ptr<TTicker> ticker;

  void SetUp() override {
    Application->OnMessageBox = [this](const AnsiString& text, const AnsiString&, UINT flags) {
      messages.push_back(text);
      if (!answers.empty()) {
        int a = answers.front();
        answers.pop_front();
        return a;
      }
      return (flags & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    };
    DeleteFileA((ProgramDir() + "CUSTOM.DIC").c_str());
    form = CreateForm<TForm>(Application);
    form->SetCaption("Document");
    form->SetBounds(20, 20, 560, 320);
    ed = new TLEdit(form);
    ed->SetParent(form);
    ed->SetAlign(alClient);
    form->Show();
    spell = new TLEditSpellDlg(form);
    spell->SetName("LEditSpellDlg1");
    spell->SetDialogStyle(dtMSWord);
    spell->SetSupportHTML(true);
    Pump();
  }

  void TearDown() override {
    polling = false;
    ticker.reset();
    if (form) form->Free();
    form = nullptr;
    Pump();
    Application->OnMessageBox = nullptr;
    DeleteFileA((ProgramDir() + "CUSTOM.DIC").c_str());
  }

  TAbsSpellDialog* Dlg() { return spell ? spell->Dialog() : nullptr; }

  void Poll() {
    if (!polling) return;
    if (spell && spell->WaitingForChoice() && spell->Waits() != actedWait && Dlg() &&
        Dlg()->ResultCode() == srWaiting) {
      actedWait = spell->Waits();
      std::string word = ed ? ed->GetSelText() : "";
      asked.push_back(word);
      if (onAsk) onAsk(Dlg(), word);
    }
  }
  void StartPolling() {
    polling = true;
    actedWait = -1;
    ticker = std::make_unique<TTicker>([this] { Poll(); });
  }
  void StopPolling() {
    polling = false;
    ticker.reset();
  }

  int Check(TControl* what = nullptr) {
    StartPolling();
    int r = spell->SpellCheck(what ? what : ed);
    StopPolling();
    Pump();
    return r;
  }

  void SetDocument(const std::string& text) {
    ed->SetText(text);
    ed->SetModified(false);
  }

  // The replacement box gets this text, then the button is clicked.
  static void Answer(TAbsSpellDialog* d, const char* replacement, TControl* button) {
    if (replacement) d->edtWord->SetText(replacement);
    PostClick(button);
  }
};

}  // namespace vx::spellwin
