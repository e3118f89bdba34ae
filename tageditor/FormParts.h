// Labels, buttons and group boxes as the tag editor's forms, built in code, place them
// (OK and Cancel come from the framework's PlaceOkCancel).
#pragma once

#include <tuple>
#include <utility>

#include "framework/win/Forms.h"
#include "framework/win/MakeControl.h"
#include "framework/win/StdCtrls.h"

namespace vx {

inline TLabel* PlaceLabel(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                          TWinControl* focus = nullptr) {
  TLabel* l = MakeControl<TLabel>(form, parent, name, x, y, 100, 13);
  l->SetCaption(caption);
  if (focus) l->SetFocusControl(focus);
  return l;
}

inline TButton* PlaceButton(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                            int w = 75, int h = 25) {
  TButton* b = MakeControl<TButton>(form, parent, name, x, y, w, h);
  b->SetCaption(caption);
  return b;
}

inline TGroupBox* PlaceGroup(TForm* form, TWinControl* parent, const char* name, const char* caption, int x, int y,
                             int w, int h) {
  TGroupBox* g = MakeControl<TGroupBox>(form, parent, name, x, y, w, h);
  g->SetCaption(caption);
  return g;
}

}  // namespace vx
