// The application object (message loop, exception handler, modal forms and message boxes
// through its test seam, posted work) and the screen (forms, cursors, fonts).
#include "framework/win/Forms.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/MenuDraw.h"
#include "framework/win/Menus.h"

namespace vx {

TApplication* Application = nullptr;
TScreen* Screen = nullptr;

namespace {

struct Globals {
  Globals() {
    Screen = new TScreen;
    Application = new TApplication;
  }
  ~Globals() {
    Application->Free();
    Application = nullptr;
    Screen->Free();
    Screen = nullptr;
  }
} globals;

// Private messages are registered by name, as every one of the program's is.
static UINT PostedCallsMessage() {
  static UINT m = RegisterWindowMessageA("VornixPostedCalls");
  return m;
}

}  // namespace

TApplication::TApplication() : TComponent(nullptr) {
  // Test programs run unattended: nothing may wait for a person.
  char name[MAX_PATH];
  GetModuleFileNameA(nullptr, name, MAX_PATH);
  title_ = ChangeFileExt(ExtractFileName(name), "");
  AnsiString lower = LowerCase(title_);
  unattended_ =
      std::strstr(GetCommandLineA(), "--gtest") != nullptr ||
      GetEnvironmentVariableA("VORNIX_UNATTENDED", nullptr, 0) > 0 ||
      (lower.size() > 5 && (lower.substr(lower.size() - 5) == "_test" || lower.substr(lower.size() - 6) == "_tests"));
}

TApplication::~TApplication() {
  if (utility_) DeallocateHWnd(utility_);
}

AnsiString TApplication::ExeName() const {
  char name[MAX_PATH];
  GetModuleFileNameA(nullptr, name, MAX_PATH);
  return name;
}

HWND TApplication::UtilityWindow() {
  if (!utility_) {
    utility_ = AllocateHWnd([this](TMessage& m) {
      if (m.Msg == PostedCallsMessage()) {
        auto work = std::move(posted_);
        posted_.clear();
        for (auto& f : work) GuardedCall(this, f);
      } else if (m.Msg == WM_TIMER) {
        KillTimer(utility_, m.WParam);
        HintTimer(m.WParam);
      } else if (m.Msg == WM_INITMENUPOPUP) {
        if (TMenuItem* it = FindMenuItemByHandle(reinterpret_cast<HMENU>(m.WParam)))
          if (it->Parent()) it->InitiateAction();
      } else if ((m.Msg == WM_MEASUREITEM || m.Msg == WM_DRAWITEM || m.Msg == WM_MENUCHAR) && MenuDrawMessage(m)) {
        // a popup menu's item, drawn by the program
      } else {
        m.Result = DefWindowProcA(utility_, m.Msg, m.WParam, m.LParam);
      }
    });
  }
  return utility_;
}

void TApplication::Post(std::function<void()> fn) {
  posted_.push_back(std::move(fn));
  PostMessageA(UtilityWindow(), PostedCallsMessage(), 0, 0);
}

bool TApplication::HelpCommand(UINT command, ULONG_PTR data) {
  if (OnHelp && OnHelp(command, data)) return true;
  if (unattended_) {
    UnansweredLog.push_back("help " + std::to_string(command) + " " + std::to_string(data));
    return false;
  }
  if (helpFile_.empty()) return false;
  HWND owner = mainForm_ && mainForm_->HandleAllocated() ? mainForm_->Handle() : UtilityWindow();
  return WinHelpA(owner, helpFile_.c_str(), command, data) != FALSE;
}

void TApplication::Run() {
  if (mainForm_ && !mainForm_->Visible()) {
    try {
      mainForm_->Show();
    } catch (...) {
      HandleException(mainForm_);
    }
  }
  while (!terminated_) HandleMessage();
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

bool TApplication::Active() const {
  HWND a = GetActiveWindow();
  return a && FindControl(a);
}

bool TApplication::IsShortCut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  WORD vk = static_cast<WORD>(msg.wParam);
  if (vk == VK_SHIFT || vk == VK_CONTROL || vk == VK_MENU) return false;
  bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0, shift = GetKeyState(VK_SHIFT) < 0;
  TShortCut sc = ShortCut(vk, shift, ctrl, alt);
  HWND focus = GetFocus();
  TWinControl* fc = nullptr;
  for (HWND h = focus; h && !fc; h = GetParent(h)) fc = FindControl(h);
  // Plain editing keys (Del, letters, arrows) stay with a control that takes characters.
  if (!ctrl && !alt && !(vk >= VK_F1 && vk <= VK_F24) && focus) {
    MSG copy = msg;
    LRESULT code = SendMessageA(focus, WM_GETDLGCODE, vk, reinterpret_cast<LPARAM>(&copy));
    if (code & (DLGC_WANTCHARS | DLGC_WANTALLKEYS | DLGC_HASSETSEL)) return false;
  }
  TForm* form = fc ? GetParentForm(fc) : Screen->ActiveForm();
  std::vector<TForm*> forms;
  TForm* modal = nullptr;
  for (int i = 0; i < Screen->FormCount(); ++i)
    if (Screen->Forms(i)->Modal()) modal = Screen->Forms(i);
  // The focused control's popup menu answers its short-cuts first (in a modal run, only a
  // control of the modal form).
  if (!modal || form == modal)
    for (TControl* c = fc; c; c = c->Parent())
      if (c->PopupMenu() && c->PopupMenu()->IsShortCut(sc)) return true;
  if (modal) {
    forms.push_back(modal);
  } else {
    if (form) forms.push_back(form);
    if (form && form->FormStyle() == fsMDIChild)
      if (TForm* frame = form->MDIParent()) forms.push_back(frame);
    if (forms.empty() && mainForm_) forms.push_back(mainForm_);
  }
  for (TForm* f : forms) {
    if (f->Menu() && f->FormStyle() != fsMDIChild && f->Menu()->IsShortCut(sc)) return true;
  }
  if (vk == VK_F1 && !ctrl && !alt && !shift) {
    int ctx = 0;
    for (TControl* c = fc; c && !ctx; c = c->Parent()) ctx = c->HelpContext();
    if (ctx) {
      HelpContext(ctx);
      return true;
    }
  }
  return false;
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  try {
    if (IsShortCut(msg)) return true;
    TForm* frame = nullptr;
    for (int i = 0; i < Screen->FormCount() && !frame; ++i)
      if (Screen->Forms(i)->FormStyle() == fsMDIForm && Screen->Forms(i)->ClientHandle()) frame = Screen->Forms(i);
    if (frame && TranslateMDISysAccel(frame->ClientHandle(), &msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  } catch (...) {
    HandleException(this);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // the outer loop must see it too
      break;
    }
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ProcessMessage(msg);
    return;
  }
  Idle();
  if (!terminated_) WaitMessage();
}

void TApplication::Idle() {
  if (OnIdle) GuardedCall(this, [this] { OnIdle(this); });
}

void TApplication::SetHint(const AnsiString& h) {
  if (h == hint_) return;
  hint_ = h;
  if (OnHint) GuardedCall(this, [this] { OnHint(this); });
}

void TApplication::HandleException(TObject* sender) {
  try {
    throw;
  } catch (const std::exception& e) {
    try {
      if (OnException)
        OnException(sender, e);
      else
        ShowException(e);
    } catch (...) {}
  } catch (...) {
    try {
      ShowException(Exception("Unknown exception"));
    } catch (...) {}
  }
}

void TApplication::ShowException(const std::exception& e) {
  AnsiString text;
  if (auto* ve = dynamic_cast<const Exception*>(&e))
    text = ve->Message();
  else
    text = e.what();
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags) {
  AnsiString cap = caption.empty() ? title_ : caption;
  if (OnMessageBox) return OnMessageBox(text, cap, flags);
  if (unattended_) {
    UnansweredLog.push_back(text);
    switch (flags & MB_TYPEMASK) {
      case MB_OKCANCEL:
      case MB_RETRYCANCEL:
      case MB_YESNOCANCEL: return IDCANCEL;
      case MB_YESNO: return IDNO;
      case MB_ABORTRETRYIGNORE: return IDABORT;
      default: return IDOK;
    }
  }
  HWND owner = GetActiveWindow();
  if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
  return ::MessageBoxA(owner, text.c_str(), cap.c_str(), flags | MB_TASKMODAL);
}

void TApplication::ModalStarted(TForm* form) {
  if (OnModalForm) {
    OnModalForm(form);
    if (form->ModalResult() == mrNone && unattended_) form->SetModalResult(mrCancel);
    return;
  }
  if (unattended_) {
    UnansweredLog.push_back("modal " + form->Name());
    form->SetModalResult(mrCancel);
  }
}

// ---- TScreen -----------------------------------------------------------------------

TScreen::TScreen() : TComponent(nullptr) {}

TScreen::~TScreen() = default;

TWinControl* TScreen::ActiveControl() const { return activeForm_ ? activeForm_->ActiveControl() : nullptr; }

HCURSOR TScreen::Cursors(TCursor id) {
  for (auto& [k, v] : cursors_)
    if (k == id) return v;
  const char* sys = IDC_ARROW;
  switch (id) {
    case crNone: return nullptr;
    case crIBeam: sys = IDC_IBEAM; break;
    case crCross: sys = IDC_CROSS; break;
    case crSizeNESW: sys = IDC_SIZENESW; break;
    case crSizeNS:
    case crVSplit: sys = IDC_SIZENS; break;
    case crSizeNWSE: sys = IDC_SIZENWSE; break;
    case crSizeWE:
    case crHSplit: sys = IDC_SIZEWE; break;
    case crUpArrow: sys = IDC_UPARROW; break;
    case crHourGlass: sys = IDC_WAIT; break;
    case crNoDrop:
    case crNo: sys = IDC_NO; break;
    case crAppStart: sys = IDC_APPSTARTING; break;
    case crHelp: sys = IDC_HELP; break;
    case crHandPoint: sys = IDC_HAND; break;
    case crSizeAll: sys = IDC_SIZEALL; break;
    default: break;
  }
  return LoadCursorA(nullptr, sys);
}

void TScreen::SetCursors(TCursor id, HCURSOR c) {
  for (auto& [k, v] : cursors_)
    if (k == id) {
      v = c;
      return;
    }
  cursors_.emplace_back(id, c);
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_) return;
  cursor_ = c;
  ::SetCursor(Cursors(c == crDefault ? crArrow : c));
}

RECT TScreen::WorkAreaRect() const {
  RECT r{0, 0, Width(), Height()};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &r, 0);
  return r;
}

static int CALLBACK AddFontFamily(const LOGFONTA* f, const TEXTMETRICA*, DWORD, LPARAM l) {
  if (f->lfFaceName[0] != '@') reinterpret_cast<TStringList*>(l)->Add(f->lfFaceName);
  return 1;
}

TStrings* TScreen::Fonts() {
  if (!fonts_) {
    fonts_ = std::make_unique<TStringList>();
    fonts_->SetSorted(true);
    fonts_->SetDuplicates(dupIgnore);
    HDC dc = GetDC(nullptr);
    LOGFONTA lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExA(dc, &lf, AddFontFamily, reinterpret_cast<LPARAM>(fonts_.get()), 0);
    ReleaseDC(nullptr, dc);
  }
  return fonts_.get();
}

}  // namespace vx
