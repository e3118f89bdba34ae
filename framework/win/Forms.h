// Forms (normal, MDI frame, MDI child, modal), the application object with its message
// loop and test seam, and the screen.
#pragma once

#include "framework/win/WinApi.h"

#include <functional>
#include <vector>

#include "framework/win/Controls.h"

namespace vx {

class TMainMenu;
class TMenuItem;
class TPopupMenu;
class TForm;

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = 8;

enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSet<TBorderIcon>;
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TTileMode { tbHorizontal, tbVertical };
const TTypeInfo* TypeInfoWindowState();
const TTypeInfo* TypeInfoBorderIcons();

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

class TForm : public TCustomControl {
 public:
  explicit TForm(TComponent* owner);
  const char* ClassName() const override { return "TForm"; }

  // Completes a form built in code: Loaded for every owned component and the form,
  // then OnCreate. Runs once; showing or making the window runs it when not yet done.
  void AfterConstruction();
  bool Constructed() const { return constructed_; }

  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle s);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle b);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons b);
  TWindowState WindowState();
  void SetWindowState(TWindowState s);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition p) { position_ = p; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool k) { keyPreview_ = k; }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* m);
  // The menu of an MDI frame that lists the children.
  TMenuItem* WindowMenu() const { return windowMenu_; }
  void SetWindowMenu(TMenuItem* m);
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult r) { modalResult_ = r; }
  bool Modal() const { return modal_; }
  bool Active() const { return active_; }
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* c);
  TTileMode TileMode() const { return tileMode_; }
  void SetTileMode(TTileMode t) { tileMode_ = t; }
  bool Floating() const { return formStyle_ != fsMDIChild; }
  // The window that owns this top-level form (default: the main form's).
  HWND OwnerWindow() const { return ownerWindow_; }
  void SetOwnerWindow(HWND h) {
    ownerWindow_ = h;
    RecreateWnd();
  }

  void Show();
  void Hide() { SetVisible(false); }
  // Runs a modal loop until ModalResult is set; returns it. Goes through the
  // application's test seam.
  virtual TModalResult ShowModal();
  // Asks (CloseQuery, OnClose) and then hides, frees or minimises the form.
  void Close();
  virtual bool CloseQuery();
  // Frees the form once the messages now queued have been handled.
  void Release();
  void SetFocus() override;
  void FocusControl(TWinControl* c);
  void DefocusControl(TWinControl* c, bool removing);
  // The focus moved to c (a window inside this form).
  void FocusChanged(TWinControl* c);
  // An Alt+letter (or a letter no control took): the control whose "&" letter it is acts.
  bool DialogChar(char ch);

  // MDI frame.
  HWND ClientHandle() const { return clientHandle_; }
  int MDIChildCount();
  TForm* MDIChildren(int i);
  TForm* ActiveMDIChild();
  void Tile();
  void Cascade();
  void ArrangeIcons();
  void Next();
  void Previous();

  TNotifyEvent OnCreate, OnShow, OnHide, OnDestroy, OnActivate, OnDeactivate, OnPaint;
  TCloseQueryEvent OnCloseQuery;
  TCloseEvent OnClose;

  void SetVisible(bool v) override;
  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  RECT ClientRect() override;

 protected:
  void BeforeDestruction() override;
  void CreateParams(TCreateParams& p) override;
  void CreateWindowHandle(const TCreateParams& p) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DestroyWindowHandle() override;
  void AlignControls(TControl* control, RECT& rect) override;
  void Paint() override;
  void Notification(TComponent* c, TOperation op) override;
  virtual void Activate();
  virtual void Deactivate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  void VisibleChanged() override;

 private:
  friend class TApplication;
  bool HandleDialogKey(WORD key);
  void MergeMenu(bool merge);
  TForm* MDIParent();
  void UpdateMenu();
  void RestoreFocus();
  void ShowMDIChild(TWindowState s);
  bool constructed_ = false;
  TFormStyle formStyle_ = fsNormal;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TWindowState windowState_ = wsNormal;
  TPosition position_ = poDesigned;
  bool keyPreview_ = false;
  TMainMenu* menu_ = nullptr;
  TMenuItem* windowMenu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool modal_ = false, active_ = false, shownOnce_ = false, closing_ = false;
  bool focusInChild_ = false;  // an MDI frame's focus was last in a child window
  TWinControl* activeControl_ = nullptr;
  TTileMode tileMode_ = tbHorizontal;
  HWND clientHandle_ = nullptr;
  HWND ownerWindow_ = nullptr;
  int refusedCloses_ = 0;
  // Ticks so far of the watch over the owned windows after a move of the focus: 15 ms,
  // then twice as long each time, six in all.
  int watchTicks_ = 0;
  static constexpr UINT_PTR kWatchOwnedTimer = 0x7E0B;
  static constexpr UINT kFirstWatchMs = 15;
  static constexpr int kWatchOwnedTicks = 6;
  void WatchOwned();
  void KeepMaximisedInView(WINDOWPOS& wp);
  static LRESULT CALLBACK FocusMoved(int code, WPARAM w, LPARAM l);

 protected:
  ~TForm() override;
};

// A window whose children scroll: their Left/Top are relative to the visible origin, and
// the scroll ranges cover the children (aligned ones excepted).
class TScrollBox : public TWinControl {
 public:
  explicit TScrollBox(TComponent* owner);
  const char* ClassName() const override { return "TScrollBox"; }
  int HorzPosition() const { return hPos_; }
  int VertPosition() const { return vPos_; }
  void SetHorzPosition(int p) { ScrollTo(p, vPos_); }
  void SetVertPosition(int p) { ScrollTo(hPos_, p); }
  void ScrollTo(int x, int y);
  void ScrollInView(TControl* c);
  bool AutoScroll() const { return autoScroll_; }
  void SetAutoScroll(bool a) {
    autoScroll_ = a;
    UpdateScrollBars();
  }
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle b) {
    borderStyle_ = b;
    RecreateWnd();
  }
  // Recomputes the ranges from the children.
  void UpdateScrollBars();
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void AlignControls(TControl* control, RECT& rect) override;

 private:
  void Scroll(int bar, int code);
  int hPos_ = 0, vPos_ = 0, hRange_ = 0, vRange_ = 0;
  bool autoScroll_ = true, updating_ = false;
  TFormBorderStyle borderStyle_ = bsSingle;

 protected:
  ~TScrollBox() override = default;
};

// The form a control stands on (the nearest form up its parents), or nullptr.
TForm* GetParentForm(TControl* c);

// Creates a form and completes it.
template <class T, class... A>
T* CreateForm(A&&... args) {
  T* f = new T(std::forward<A>(args)...);
  f->AfterConstruction();
  return f;
}

// A form made for one use, such as a modal dialog, freed however the use ends.
template <class T, class... A>
TComponentPtr<T> NewForm(A&&... args) {
  return TComponentPtr<T>(CreateForm<T>(std::forward<A>(args)...));
}

using TExceptionEvent = std::function<void(TObject* Sender, const std::exception& E)>;
using TMessageBoxHandler = std::function<int(const AnsiString& text, const AnsiString& caption, UINT flags)>;
using TModalFormHandler = std::function<void(TForm* form)>;
using TPopupMenuHandler = std::function<TMenuItem*(TPopupMenu* menu, int x, int y)>;
using THelpHandler = std::function<bool(UINT command, ULONG_PTR data)>;

class TApplication : public TComponent {
 public:
  TApplication();
  const char* ClassName() const override { return "TApplication"; }

  const AnsiString& Title() const { return title_; }
  void SetTitle(const AnsiString& t) { title_ = t; }
  const AnsiString& HelpFile() const { return helpFile_; }
  void SetHelpFile(const AnsiString& f) { helpFile_ = f; }
  // WinHelp calls (command HELP_CONTENTS 3, HELP_HELPONHELP 4, HELP_CONTEXT 1...).
  bool HelpCommand(UINT command, ULONG_PTR data);
  bool HelpContext(int context) { return HelpCommand(HELP_CONTEXT, static_cast<ULONG_PTR>(context)); }
  AnsiString ExeName() const;

  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* f) { mainForm_ = f; }
  // Creates a form owned by the application; the first becomes the main form.
  template <class T>
  T* CreateForm() {
    T* f = new T(this);
    if (!mainForm_) mainForm_ = f;
    f->AfterConstruction();
    return f;
  }
  // Shows the main form and runs the message loop until Terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles the queued messages and returns.
  void ProcessMessages();
  // Waits for one message and handles it.
  void HandleMessage();
  bool ProcessMessage(MSG& msg);
  // Menu short-cuts of the focused form (the modal form first), before dispatch.
  bool IsShortCut(const MSG& msg);
  bool Active() const;

  // The one place exceptions from entry points end up: a message box with the message.
  void HandleException(TObject* sender);
  void ShowException(const std::exception& e);
  TExceptionEvent OnException;

  // Message boxes go through the seam.
  int MessageBox(const AnsiString& text, const AnsiString& caption, UINT flags);
  // A form's modal run: the seam may fill it and set its ModalResult.
  void ModalStarted(TForm* form);

  // The test seam. When a handler is set it answers instead of the user. Unattended
  // (a test program) without a handler: message boxes take their cancel-most answer,
  // modal forms close with mrCancel, popup menus choose nothing, help is not started.
  TMessageBoxHandler OnMessageBox;
  TModalFormHandler OnModalForm;
  TPopupMenuHandler OnPopupMenu;
  THelpHandler OnHelp;
  bool Unattended() const { return unattended_; }
  void SetUnattended(bool u) { unattended_ = u; }
  // What unattended runs answered without a handler, for tests to inspect.
  std::vector<AnsiString> UnansweredLog;

  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& h);
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool s) { showHint_ = s; }
  TNotifyEvent OnHint, OnIdle;
  // The short hint pops up over a control that shows hints after HintPause ms.
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  void HintMouseEnter(TControl* c);
  void HintMouseLeave(TControl* c);
  void CancelHint();
  // The hint window while one is shown, else nullptr.
  TCustomControl* HintWindow() const { return hintShown_ ? hintWindow_ : nullptr; }
  void ActivateHint(POINT screen, const AnsiString& text);

  // A hidden window of the application (popup menu owner, posted work).
  HWND UtilityWindow();
  // Messages posted to the utility window run fn later on the GUI thread.
  void Post(std::function<void()> fn);

 private:
  // The hint timers of the utility window (Hints.cpp).
  void HintTimer(UINT_PTR id);
  void Idle();
  AnsiString title_, helpFile_, hint_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false, unattended_ = false, showHint_ = true;
  HWND utility_ = nullptr;
  std::vector<std::function<void()>> posted_;
  int hintPause_ = 500, hintHidePause_ = 2500;
  TControl* hintControl_ = nullptr;
  TCustomControl* hintWindow_ = nullptr;
  bool hintShown_ = false;

 protected:
  ~TApplication() override;
};

class TScreen : public TComponent {
 public:
  TScreen();
  const char* ClassName() const override { return "TScreen"; }
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int i) const { return forms_[i]; }
  TForm* ActiveForm() const { return activeForm_; }
  TWinControl* ActiveControl() const;
  HCURSOR Cursors(TCursor id);
  void SetCursors(TCursor id, HCURSOR c);
  // A cursor over every window of the program while not crDefault (hourglass).
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  int PixelsPerInch() const { return ScreenPixelsPerInch(); }
  int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
  int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
  RECT WorkAreaRect() const;
  // The screen's font families, sorted.
  TStrings* Fonts();

 private:
  friend class TForm;
  std::vector<TForm*> forms_;
  TForm* activeForm_ = nullptr;
  TCursor cursor_ = crDefault;
  std::vector<std::pair<TCursor, HCURSOR>> cursors_;
  std::unique_ptr<TStringList> fonts_;

 protected:
  ~TScreen() override;
};

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace vx
