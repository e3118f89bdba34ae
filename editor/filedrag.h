// Makes its owner window a target for files dragged from the shell.
#pragma once

#include "framework/win/Controls.h"

namespace vx {

class TFileDrag : public TComponent {
 public:
  explicit TFileDrag(TComponent* owner);
  const char* ClassName() const override { return "TFileDrag"; }

  // The names of the last drop, full paths, in the shell's order.
  TStrings* Files() { return &files_; }
  int FileCount() const { return fileCount_; }
  bool EnableDrop() const { return enableDrop_; }
  void SetEnableDrop(bool v);
  POINT DropPoint() const { return dropPoint_; }
  TNotifyEvent OnDrop;

 protected:
  void BeforeDestruction() override;

 private:
  void HookWindow();
  void UnhookWindow();
  void WndProc(TMessage& m);
  void CollectDroppedFiles(HDROP drop);
  TStringList files_;
  int fileCount_ = 0;
  bool enableDrop_ = false;
  HWND window_ = nullptr;
  WNDPROC oldProc_ = nullptr, newProc_ = nullptr;
  POINT dropPoint_{0, 0};

 protected:
  ~TFileDrag() override;
};

}  // namespace vx
