// Watching and altering a windowed control's messages without deriving from it: the
// control's window procedure is replaced by one that offers each message to the hook
// components registered for it, before and after the control's own procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Component.h"
#include "framework/win/Controls.h"

namespace vx {

class TZxWindowHook;

// Private message posted to the hook list's hidden window: re-install the record in
// lParam on its control's new window.
constexpr UINT CM_RECREATEWINDOW = 0xB03E;

using THookMessageEvent = std::function<void(TObject* Sender, TMessage& Msg, bool& Handled)>;

// One per hooked control: the subclassing of its window, shared by every hook on it.
class TControlHook : public TObject {
 public:
  explicit TControlHook(TWinControl* control);
  ~TControlHook() override;
  const char* ClassName() const override { return "TControlHook"; }

  TWinControl* Control() const { return control_; }
  WNDPROC PreviousProc() const { return prevProc_; }
  HWND Window() const { return hwnd_; }
  const std::vector<TZxWindowHook*>& Hooks() const { return hooks_; }

  void HookControl();    // install our procedure (creating the window when needed)
  void UnhookControl();  // put the remembered procedure back
  void AddHook(TZxWindowHook* hook);
  void RemoveHook(TZxWindowHook* hook);
  bool Destroying() const { return destroying_; }

  // The window procedure all records share; the record is found through a window property.
  static LRESULT CALLBACK HookWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);

 private:
  LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  bool ControlDestroying() const;

  TWinControl* control_;
  WNDPROC prevProc_ = nullptr;
  HWND hwnd_ = nullptr;  // the window our procedure is installed on
  std::vector<TZxWindowHook*> hooks_;
  bool destroying_ = false;
  int busy_ = 0;              // nesting of our window procedure on this record
  bool freePending_ = false;  // released while busy: freed when the procedure returns
};

// Every record of the program and the hidden window that re-installs records after
// their window was re-created. Made on first use, freed at program end.
class THookList : public TObject {
 public:
  THookList();
  ~THookList() override;
  const char* ClassName() const override { return "THookList"; }

  static THookList* Instance(bool create);
  TControlHook* Find(TWinControl* control) const;
  TControlHook* FindOrAdd(TWinControl* control);
  bool Contains(const TControlHook* rec) const;
  void Remove(TControlHook* rec);  // forgets the record (it is not freed here)
  HWND Window() const { return wnd_; }
  int Count() const { return static_cast<int>(records_.size()); }

 private:
  static LRESULT CALLBACK HiddenWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  std::vector<TControlHook*> records_;  // owned
  HWND wnd_ = nullptr;
};

class TZxWindowHook : public TComponent {
 public:
  explicit TZxWindowHook(TComponent* owner);
  const char* ClassName() const override { return "TZxWindowHook"; }

  bool Active() const;
  void SetActive(bool value);
  TWinControl* WinControl() const;
  void SetWinControl(TWinControl* value);

  THookMessageEvent BeforeMessage;
  THookMessageEvent AfterMessage;

  void HookControl();
  void UnhookControl();

  virtual void DoBeforeMessage(TMessage& msg, bool& handled);
  virtual void DoAfterMessage(TMessage& msg, bool& handled);

 protected:
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TControlHook;
  TWinControl* control_ = nullptr;
  TControlHook* record_ = nullptr;
  bool active_ = true;

 protected:
  ~TZxWindowHook() override;
};

}  // namespace vx
