// Form controls as the framework's controls, children of the viewer's paint panel.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "framework/win/GdiScoped.h"
#include "viewer/HTMLForms.h"

namespace vx {

class TFont;
class TWinControl;

// Makes the platform controls of HTML forms inside a parent window (the paint panel, which
// should clip its children): edits, memos, list and combo boxes, check boxes and buttons of
// the framework. Each radio button sits alone in a small borderless panel, so the platform
// never groups radio buttons itself: the form groups them by NAME.
//
// A page may hold thousands of controls and a window costs far more than the control
// object: text fields, buttons, check boxes and radio buttons get their windows only when
// first shown (their sizes come from their fonts alone); list boxes, drop-down lists and
// text areas, whose sizes the platform decides, get theirs at once.
class TWinFormWidgets : public TFormWidgetFactory {
 public:
  // A parent that is a framework control takes the controls as its children; any other
  // window is watched for its children's notices, which it hands on to them.
  explicit TWinFormWidgets(HWND parent);
  explicit TWinFormWidgets(TWinControl* parent);
  ~TWinFormWidgets() override;
  std::unique_ptr<TFormWidget> Create(TFormControlObj& owner, const TWidgetInit& init) override;
  HWND Parent() const { return parent_; }
  TWinControl* ParentControl() const { return parentControl_; }

  // For the widgets it made: puts a control on the parent, which makes its window, placed
  // in the tab order by creation, that is by the document, whatever order they show in;
  // and takes it off the list again.
  void Attach(long serial, TWinControl* control);
  void Detach(long serial);
  // The size of a text in a font, measured without a window.
  SIZE TextSize(const TFont& font, const std::string& text);

 private:
  HWND parent_;
  TWinControl* parentControl_ = nullptr;
  bool reflecting_ = false;
  long serial_ = 0;
  std::map<long, TWinControl*> attached_;
  TOwnedDC measure_;
  std::map<std::string, SIZE> sizes_;  // by font (its LOGFONT) and text
};

// The window of a widget made by TWinFormWidgets (the radio button itself for a radio);
// nullptr while it has none (a control not yet shown).
HWND WidgetWindow(TFormWidget* w);
// Its framework control (the radio button for a radio), or nullptr.
TWinControl* WidgetControl(TFormWidget* w);

}  // namespace vx
