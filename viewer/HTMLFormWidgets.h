// Form controls as real child windows of the viewer's paint panel.
#pragma once

#include <windows.h>

#include "viewer/HTMLForms.h"

namespace vx {

// Makes the platform controls of HTML forms inside a parent window (the paint panel, which
// should clip its children). Each radio button sits alone in a small borderless panel, so
// the platform never groups radio buttons itself: the form groups them by NAME.
class TWinFormWidgets : public TFormWidgetFactory {
 public:
  explicit TWinFormWidgets(HWND parent) : parent_(parent) {}
  std::unique_ptr<TFormWidget> Create(TFormControlObj& owner, const TWidgetInit& init) override;
  HWND Parent() const { return parent_; }

 private:
  HWND parent_;
};

// The window of a widget made by TWinFormWidgets (the radio button itself for a radio).
HWND WidgetWindow(TFormWidget* w);

}  // namespace vx
