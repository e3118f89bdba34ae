// Group boxes, radio buttons and check boxes as the tag editor's forms, built in code, place
// them (labels, buttons, and OK and Cancel come from the framework's helpers).
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

}  // namespace vx
