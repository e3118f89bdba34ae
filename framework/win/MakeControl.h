// Forms built in code make each control the same way: owned by the form, named as its
// part of the form, on its parent at its place.
#pragma once

#include "framework/win/Controls.h"

namespace vx {

template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* c = new T(owner);
  if (name && *name) c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

}  // namespace vx
