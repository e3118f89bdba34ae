// Form controls as the framework's controls, children of the viewer's paint panel.
#pragma once

#include <windows.h>

#include "viewer/HTMLForms.h"

namespace vx {

class TWinControl;

// Makes the platform controls of HTML forms inside a parent window (the paint panel, which
// should clip its children): edits, memos, list and combo boxes, check boxes and buttons of
// the framework. Each radio button sits alone in a small borderless panel, so the platform
// never groups radio buttons itself: the form groups them by NAME.
class TWinFormWidgets : public TFormWidgetFactory {
 public:
  // A parent that is a framework control takes the controls as its children; any other
  // window is watched for its children's notices, which it hands on to them.
  explicit TWinFormWidgets(HWND parent);
  explicit TWinFormWidgets(TWinControl* parent);
  ~TWinFormWidgets() override;
  std::unique_ptr<TFormWidget> Create(TFormControlObj& owner, const TWidgetInit& init) override;
  HWND Parent() const { return parent_; }

 private:
  HWND parent_;
  TWinControl* parentControl_ = nullptr;
  bool reflecting_ = false;
};

// The window of a widget made by TWinFormWidgets (the radio button itself for a radio).
HWND WidgetWindow(TFormWidget* w);
// Its framework control (the radio button for a radio), or nullptr.
TWinControl* WidgetControl(TFormWidget* w);

}  // namespace vx
