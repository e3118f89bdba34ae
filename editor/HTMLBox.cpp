#include "editor/HTMLBox.h"

#include "tagdefs/teTagType.h"

namespace vx {

THTMLBox::THTMLBox(TComponent* owner) : TGraphicControl(owner) { SetHeight(btnHeight_); }

void THTMLBox::SetTagGroup(THTMLGroup* g) {
  tags_ = g;
  Rebuild();
}

void THTMLBox::SetGroup(int g) {
  group_ = g;
  Rebuild();
}

void THTMLBox::Rebuild() {
  rows_.clear();
  if (tags_)
    for (int i = 0; i < tags_->Tags().Count(); ++i)
      if (tags_->TagAt(i)->GroupIndex() == group_) rows_.push_back(tags_->TagAt(i)->Name());
  SetHeight(std::max<int>(1, RowCount()) * btnHeight_);
  Invalidate();
}

void THTMLBox::Paint() {
  TCanvas* c = Canvas();
  c->Font()->Assign(*Font());
  for (int i = 0; i < RowCount(); ++i) {
    RECT r{0, i * btnHeight_, Width(), (i + 1) * btnHeight_};
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    DrawEdge(c->Handle(), &r, EDGE_RAISED, BF_RECT);
    c->Brush()->SetStyle(bsClear);
    AnsiString text = "<" + RowName(i) + ">";
    RECT t{r.left + 4, r.top, r.right - 2, r.bottom};
    DrawTextA(c->Handle(), text.c_str(), static_cast<int>(text.size()), &t, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    c->Brush()->SetStyle(bsSolid);
  }
}

}  // namespace vx
