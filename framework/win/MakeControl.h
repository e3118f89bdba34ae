// Forms built in code make their dialog frame and each control the same way: owned by the
// form, named as its part of the form, on its parent at its place.
#pragma once

#include <utility>

#include "framework/win/Controls.h"
#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"

namespace vx {

// A fixed-size dialog in the middle of the screen with only the system menu; named unless
// the name is empty.
inline void MakeDialog(TForm* f, const char* name, const char* caption, int clientWidth, int clientHeight) {
  if (name && *name) f->SetName(name);
  f->SetCaption(caption);
  f->SetBorderStyle(bsDialog);
  f->SetBorderIcons(TBorderIcons{biSystemMenu});
  f->SetPosition(poScreenCenter);
  f->SetClientSize(clientWidth, clientHeight);
}

template <class T>
T* MakeControl(TComponent* owner, TWinControl* parent, const char* name, int left, int top, int width, int height) {
  T* c = new T(owner);
  if (name && *name) c->SetName(name);
  c->SetParent(parent);
  c->SetBounds(left, top, width, height);
  return c;
}

// A label at its place, taking the size of its caption, with the control its accelerator
// focuses.
inline TLabel* PlaceLabel(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                          int top, TWinControl* focus = nullptr) {
  auto* l = new TLabel(owner);
  if (name && *name) l->SetName(name);
  l->SetParent(parent);
  l->SetBounds(left, top, l->Width(), l->Height());
  l->SetCaption(caption);
  if (focus) l->SetFocusControl(focus);
  return l;
}

// A push button with its caption, of the usual size unless told otherwise.
inline TButton* PlaceButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption, int left,
                            int top, int width = 75, int height = 25) {
  TButton* b = MakeControl<TButton>(owner, parent, name, left, top, width, height);
  b->SetCaption(caption);
  return b;
}

// A page of a page control, after its other pages.
inline TTabSheet* AddSheet(TComponent* owner, TPageControl* pc, const char* name, const char* caption) {
  auto* sheet = new TTabSheet(owner);
  sheet->SetName(name);
  sheet->SetCaption(caption);
  sheet->SetPageControl(pc);
  return sheet;
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
  TButton* ok = PlaceButton(form, form, "btnOK", "OK", x, y);
  ok->SetDefault(true);
  if (okClosesItself) ok->SetModalResult(mrOk);
  TButton* cancel = PlaceButton(form, form, "btnCancel", "Cancel", x + 81, y);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  return {ok, cancel};
}

}  // namespace vx
