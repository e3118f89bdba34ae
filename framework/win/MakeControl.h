// Forms built in code make each control the same way: owned by the form, named as its
// part of the form, on its parent at its place.
#pragma once

#include <utility>

#include "framework/win/Controls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/StdCtrls.h"

namespace vx {

template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* c = new T(owner);
  if (name && *name) c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// A menu item the same way: owned by the form, named (unless the name is empty), with its
// caption, handler, short-cut and tag, at the end of its parent.
inline TMenuItem* MakeMenuItem(TComponent* owner, TMenuItem* parent, const char* name, const char* caption,
                               TNotifyEvent click = nullptr, TShortCut sc = 0, int tag = 0) {
  auto* i = new TMenuItem(owner);
  if (name && *name) i->SetName(name);
  i->SetCaption(caption);
  i->SetShortCut(sc);
  i->SetTag(tag);
  i->OnClick = std::move(click);
  parent->Add(i);
  return i;
}

// A dialog's "OK" (btnOK: default, closes with mrOk unless the form's handler decides) and
// "Cancel" (btnCancel: mrCancel) side by side on the form, OK at (x, y).
inline std::pair<TButton*, TButton*> PlaceOkCancel(TForm* form, int x, int y, bool okClosesItself = true) {
  auto button = [form](const char* name, const char* caption, int left, int top) {
    TButton* b = MakeControl<TButton>(form, form, name, left, top, 75, 25);
    b->SetCaption(caption);
    return b;
  };
  TButton* ok = button("btnOK", "OK", x, y);
  ok->SetDefault(true);
  if (okClosesItself) ok->SetModalResult(mrOk);
  TButton* cancel = button("btnCancel", "Cancel", x + 81, y);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  return {ok, cancel};
}

}  // namespace vx
