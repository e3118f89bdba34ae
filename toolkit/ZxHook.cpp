#include "toolkit/ZxHook.h"

#include <algorithm>

#include "framework/win/Forms.h"

namespace vx {

namespace {

// Our record on a window, and the procedure to pass on to once the record is gone while
// another subclass still sits above ours.
const char kRecordProp[] = "VxZxHookRecord";
const char kPassProp[] = "VxZxHookPass";

std::unique_ptr<THookList>& HookListHolder() {
  static std::unique_ptr<THookList> list;
  return list;
}

bool IsDestroying(const TComponent* c) { return c && c->ComponentState().Contains(csDestroying); }

// Called inside a catch block: the application's handler shows the exception.
void ReportException(TObject* sender = nullptr) {
  if (Application) Application->HandleException(sender);
}

// Hides a record's memory release until its procedure has finished with it.
struct RecordGuard {
  TControlHook* rec;
  int* busy;
  explicit RecordGuard(TControlHook* r, int* b) : rec(r), busy(b) { ++*busy; }
  ~RecordGuard() { --*busy; }
};

}  // namespace

// ---- TControlHook -------------------------------------------------------------------

TControlHook::TControlHook(TWinControl* control) : control_(control) {}

TControlHook::~TControlHook() {
  destroying_ = true;
  UnhookControl();
  control_ = nullptr;
  for (TZxWindowHook* h : hooks_) h->record_ = nullptr;
  hooks_.clear();
  if (THookList* list = THookList::Instance(false)) list->Remove(this);
}

bool TControlHook::ControlDestroying() const { return IsDestroying(control_); }

void TControlHook::HookControl() {
  if (!control_ || destroying_ || ControlDestroying()) return;
  HWND w = control_->Handle();  // makes the window when it does not exist yet
  if (!w) return;
  if (hwnd_ == w && GetPropA(w, kRecordProp) == this) return;
  if (hwnd_ && hwnd_ != w) UnhookControl();
  if (GetPropA(w, kRecordProp)) return;  // another record: never chain twice
  if (HANDLE pass = GetPropA(w, kPassProp)) {
    // Our procedure is still in the chain, passing through: take it over.
    prevProc_ = reinterpret_cast<WNDPROC>(pass);
    RemovePropA(w, kPassProp);
    SetPropA(w, kRecordProp, this);
    hwnd_ = w;
    return;
  }
  WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
  if (current == &TControlHook::HookWndProc) return;
  prevProc_ = current;
  hwnd_ = w;
  SetPropA(w, kRecordProp, this);
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TControlHook::HookWndProc));
}

void TControlHook::UnhookControl() {
  HWND w = hwnd_;
  if (w && IsWindow(w) && GetPropA(w, kRecordProp) == this) {
    RemovePropA(w, kRecordProp);
    WNDPROC current = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(w, GWLP_WNDPROC));
    if (current == &TControlHook::HookWndProc) {
      SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prevProc_));
    } else if (prevProc_) {
      // Someone subclassed above us: putting ours back would cut them off, so our
      // procedure stays and only passes messages on.
      SetPropA(w, kPassProp, reinterpret_cast<HANDLE>(prevProc_));
    }
  }
  prevProc_ = nullptr;
  hwnd_ = nullptr;
}

void TControlHook::AddHook(TZxWindowHook* hook) {
  if (std::find(hooks_.begin(), hooks_.end(), hook) == hooks_.end()) hooks_.push_back(hook);
  hook->record_ = this;
  HookControl();
}

void TControlHook::RemoveHook(TZxWindowHook* hook) {
  hook->record_ = nullptr;
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
  if (hooks_.empty() && !destroying_) {
    UnhookControl();
    if (THookList* list = THookList::Instance(false)) list->Remove(this);
    destroying_ = true;
    if (busy_ > 0)
      freePending_ = true;  // the window procedure still runs on us
    else
      delete this;
  }
}

LRESULT CALLBACK TControlHook::HookWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* rec = static_cast<TControlHook*>(GetPropA(wnd, kRecordProp));
  if (rec) return rec->Dispatch(wnd, msg, wp, lp);
  auto pass = reinterpret_cast<WNDPROC>(GetPropA(wnd, kPassProp));
  if (pass) {
    if (msg == WM_NCDESTROY) RemovePropA(wnd, kPassProp);
    return CallWindowProcA(pass, wnd, msg, wp, lp);
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

LRESULT TControlHook::Dispatch(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{};
  m.Msg = msg;
  m.WParam = wp;
  m.LParam = lp;
  m.Result = 0;
  bool handled = false;
  WNDPROC prev = prevProc_;
  {
    RecordGuard guard(this, &busy_);
    auto pass = [&](bool before) {
      if (destroying_ || ControlDestroying()) return;
      std::vector<TZxWindowHook*> order(hooks_.rbegin(), hooks_.rend());
      for (TZxWindowHook* h : order) {
        if (std::find(hooks_.begin(), hooks_.end(), h) == hooks_.end()) continue;
        if (before)
          h->DoBeforeMessage(m, handled);
        else
          h->DoAfterMessage(m, handled);
        if (handled || destroying_) break;
      }
    };
    if (msg != WM_QUIT) pass(true);
    if (!handled || msg == WM_DESTROY) {
      try {
        m.Result = prev ? CallWindowProcA(prev, wnd, msg, wp, lp) : DefWindowProcA(wnd, msg, wp, lp);
      } catch (...) {
        ReportException();
      }
      pass(false);
    }
    if (msg == WM_DESTROY && !freePending_) {
      UnhookControl();
      THookList* list = THookList::Instance(false);
      if (list && control_ && !destroying_ && !ControlDestroying())
        PostMessageA(list->Window(), CM_RECREATEWINDOW, 0, reinterpret_cast<LPARAM>(this));
    }
  }
  LRESULT result = m.Result;
  if (freePending_ && busy_ == 0) delete this;
  return result;
}

// ---- THookList ----------------------------------------------------------------------

namespace {
const char kHiddenClass[] = "VxHookListWindow";
}

THookList::THookList() {
  HINSTANCE inst = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  if (!GetClassInfoA(inst, kHiddenClass, &wc)) {
    wc.lpfnWndProc = &THookList::HiddenWndProc;
    wc.hInstance = inst;
    wc.lpszClassName = kHiddenClass;
    RegisterClassA(&wc);
  }
  wnd_ = CreateWindowExA(0, kHiddenClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, inst, nullptr);
}

THookList::~THookList() {
  while (!records_.empty()) {
    TControlHook* rec = records_.back();
    records_.pop_back();
    delete rec;
  }
  if (wnd_) DestroyWindow(wnd_);
}

THookList* THookList::Instance(bool create) {
  auto& holder = HookListHolder();
  if (!holder && create) holder = std::make_unique<THookList>();
  return holder.get();
}

TControlHook* THookList::Find(TWinControl* control) const {
  for (TControlHook* r : records_)
    if (r->Control() == control) return r;
  return nullptr;
}

TControlHook* THookList::FindOrAdd(TWinControl* control) {
  if (TControlHook* r = Find(control)) return r;
  records_.push_back(new TControlHook(control));
  return records_.back();
}

bool THookList::Contains(const TControlHook* rec) const {
  return std::find(records_.begin(), records_.end(), rec) != records_.end();
}

void THookList::Remove(TControlHook* rec) {
  records_.erase(std::remove(records_.begin(), records_.end(), rec), records_.end());
}

LRESULT CALLBACK THookList::HiddenWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    if (msg == CM_RECREATEWINDOW) {
      THookList* list = Instance(false);
      auto* rec = reinterpret_cast<TControlHook*>(lp);
      if (list && list->Contains(rec)) rec->HookControl();
      return 0;
    }
  } catch (...) {
    ReportException();
    return 0;
  }
  return DefWindowProcA(wnd, msg, wp, lp);
}

// ---- TZxWindowHook ------------------------------------------------------------------

TZxWindowHook::TZxWindowHook(TComponent* owner) : TComponent(owner) {}

TZxWindowHook::~TZxWindowHook() {
  BeforeMessage = nullptr;
  AfterMessage = nullptr;
  SetWinControl(nullptr);
  UnhookControl();
}

bool TZxWindowHook::Active() const { return active_; }

void TZxWindowHook::SetActive(bool value) {
  if (value == active_) return;
  if (value)
    HookControl();
  else
    UnhookControl();
}

TWinControl* TZxWindowHook::WinControl() const { return record_ ? record_->Control() : control_; }

void TZxWindowHook::SetWinControl(TWinControl* value) {
  if (value == control_) return;
  bool wasActive = active_;
  UnhookControl();
  if (control_) control_->RemoveFreeNotification(this);
  control_ = value;
  if (value) value->FreeNotification(this);
  if (wasActive) HookControl();
}

void TZxWindowHook::HookControl() {
  if (control_ && !IsDestroying(this)) {
    THookList* list = THookList::Instance(true);
    TControlHook* rec = list->FindOrAdd(control_);
    if (record_ && record_ != rec) record_->RemoveHook(this);
    rec->AddHook(this);
  }
  active_ = true;
}

void TZxWindowHook::UnhookControl() {
  if (record_) record_->RemoveHook(this);
  record_ = nullptr;
  active_ = false;
}

void TZxWindowHook::DoBeforeMessage(TMessage& msg, bool& handled) {
  if (!WinControl() || !BeforeMessage) return;
  try {
    BeforeMessage(this, msg, handled);
  } catch (...) {
    ReportException(this);
  }
}

void TZxWindowHook::DoAfterMessage(TMessage& msg, bool& handled) {
  if (!WinControl() || !AfterMessage) return;
  try {
    AfterMessage(this, msg, handled);
  } catch (...) {
    ReportException(this);
  }
}

void TZxWindowHook::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == control_ && control_) {
    bool wasActive = active_;
    UnhookControl();
    control_ = nullptr;
    active_ = wasActive;
  }
}

VX_PUBLISH(TZxWindowHook, TComponent) {
  P.Bool("Active", &TZxWindowHook::Active, &TZxWindowHook::SetActive)
      .Object("WinControl", &TZxWindowHook::WinControl)
      .Method("BeforeMessage")
      .Method("AfterMessage");
}

}  // namespace vx
