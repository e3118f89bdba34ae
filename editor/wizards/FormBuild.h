// Small helpers for the wizards' forms, which are built in code: the dialog's frame, its
// pages, panels and preview, and the buttons that end it.
#pragma once

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/MakeControl.h"
#include "framework/win/PageControl.h"
#include "framework/win/StdCtrls.h"
#include "viewer/Htmlview.h"

namespace vx {

// A panel that only holds controls: no caption, no bevel.
inline TPanel* PlainPanel(TComponent* owner, TWinControl* parent, const char* name, TAlign align, int size) {
  auto* p = new TPanel(owner);
  p->SetName(name);
  p->SetParent(parent);
  p->SetCaption("");
  p->SetBevelOuter(bvNone);
  p->SetAlign(align);
  if (align == alTop || align == alBottom)
    p->SetHeight(size);
  else
    p->SetWidth(size);
  return p;
}

// The wizards' preview: a viewer filling its parent, without pictures or history, in
// the default fonts "Times New Roman" and "Courier New".
inline THTMLViewer* PlacePreview(TComponent* owner, TWinControl* parent, const char* name) {
  auto* v = new THTMLViewer(owner);
  v->SetName(name);
  v->SetParent(parent);
  v->SetAlign(alClient);
  v->SetViewImages(false);
  v->SetHistoryMaxCount(0);
  v->SetDefFontName("Times New Roman");
  v->SetDefPreFontName("Courier New");
  return v;
}

// A button that ends the dialog with its result (OK, Cancel).
inline TButton* PlaceDialogButton(TComponent* owner, TWinControl* parent, const char* name, const char* caption,
                                  int left, int top, int result, bool isDefault = false, bool isCancel = false) {
  TButton* b = PlaceButton(owner, parent, name, caption, left, top);
  b->SetModalResult(result);
  b->SetDefault(isDefault);
  b->SetCancel(isCancel);
  return b;
}

}  // namespace vx
