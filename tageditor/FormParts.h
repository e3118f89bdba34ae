// Group boxes, radio buttons, check boxes and the OK and Cancel pair as the tag editor's forms, built in
// code, place them (labels and buttons through the framework's helpers).
#pragma once

#include <tuple>
#include <utility>

#include "framework/win/Forms.h"
#include "framework/win/MakeControl.h"
#include "framework/win/StdCtrls.h"

namespace vx {

inline TGroupBox* PlaceGroup(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                             int w, int h) {
  TGroupBox* g = MakeControl<TGroupBox>(form, parent, name, x, y, w, h);
  g->SetCaption(caption);
  return g;
}

inline TRadioButton* PlaceRadio(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                                int w, int tag, TNotifyEvent click) {
  TRadioButton* r = MakeControl<TRadioButton>(form, parent, name, x, y, w, 17);
  r->SetCaption(caption);
  r->SetTag(tag);
  r->OnClick = std::move(click);
  return r;
}

inline TCheckBox* PlaceCheck(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                             int w) {
  TCheckBox* c = MakeControl<TCheckBox>(form, parent, name, x, y, w, 17);
  c->SetCaption(caption);
  return c;
}

// OK (default, closes with mrOk unless the form's handler decides) and Cancel (mrCancel).
inline std::pair<TButton*, TButton*> PlaceOkCancel(TForm* form, int x, int y, bool okClosesItself = true) {
  TButton* ok = PlaceButton(form, form, "btnOK", "OK", x, y);
  ok->SetDefault(true);
  if (okClosesItself) ok->SetModalResult(mrOk);
  TButton* cancel = PlaceButton(form, form, "btnCancel", "Cancel", x + 81, y);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  return {ok, cancel};
}

}  // namespace vx
