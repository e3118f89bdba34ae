#include "editor/filedrag.h"

#include <shellapi.h>

#include <vector>

#include "framework/win/Forms.h"

namespace vx {

TFileDrag::TFileDrag(TComponent* owner) : TComponent(owner) {
  HookWindow();
  SetEnableDrop(true);
}

TFileDrag::~TFileDrag() = default;

void TFileDrag::BeforeDestruction() {
  SetEnableDrop(false);  // while the window is still known
  UnhookWindow();
  TComponent::BeforeDestruction();
}

void TFileDrag::HookWindow() {
  auto* owner = dynamic_cast<TWinControl*>(Owner());
  if (!owner) {
    enableDrop_ = false;
    return;
  }
  window_ = owner->Handle();
  newProc_ = MakeObjectInstance([this](TMessage& m) { WndProc(m); });
  oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(newProc_)));
}

void TFileDrag::UnhookWindow() {
  if (!window_) return;
  if (IsWindow(window_)) SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
  FreeObjectInstance(newProc_);
  newProc_ = nullptr;
  window_ = nullptr;
}

void TFileDrag::SetEnableDrop(bool v) {
  enableDrop_ = v;
  if (window_ && IsWindow(window_)) DragAcceptFiles(window_, v ? TRUE : FALSE);
}

void TFileDrag::WndProc(TMessage& m) {
  if (m.Msg == WM_DROPFILES) {
    HDROP drop = reinterpret_cast<HDROP>(m.WParam);
    try {
      CollectDroppedFiles(drop);
    } catch (...) {
      Application->HandleException(this);
    }
    m.Result = 0;
    return;
  }
  m.Result = CallWindowProcA(oldProc_, window_, m.Msg, m.WParam, m.LParam);
}

void TFileDrag::CollectDroppedFiles(HDROP drop) {
  // The drop handle is released whatever happens while the names are read.
  struct Finish {
    HDROP h;
    ~Finish() { DragFinish(h); }
  } finish{drop};
  files_.Clear();
  fileCount_ = static_cast<int>(DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0));
  DragQueryPoint(drop, &dropPoint_);
  std::vector<char> buf(128);
  for (int i = 0; i < fileCount_; ++i) {
    UINT len = DragQueryFileA(drop, static_cast<UINT>(i), nullptr, 0);
    if (len + 1 > buf.size()) buf.resize(len + 1);
    DragQueryFileA(drop, static_cast<UINT>(i), buf.data(), static_cast<UINT>(buf.size()));
    files_.Add(AnsiString(buf.data()));
  }
  if (OnDrop) OnDrop(this);
}

}  // namespace vx
