#include "editor/HTMLBox.h"

#include <algorithm>

#include "framework/win/GdiScoped.h"
#include "framework/win/Graphics.h"
#include "framework/win/StdCtrls.h"
#include "tagdefs/teTagType.h"

namespace vx {

THTMLBox::THTMLBox(TComponent* owner) : TGraphicControl(owner), rows_(std::make_unique<TStringList>()) { SetHeight(0); }

THTMLBox::~THTMLBox() = default;

void THTMLBox::SetGroup(int Value) {
  group_ = Value;
  SetTagGroup(tags_);
}

void THTMLBox::SetBtnHeight(int Value) {
  btnHeight_ = Value < 1 ? 1 : Value;
  SetTagGroup(tags_);
}

void THTMLBox::SetTagGroup(THTMLGroup* Set) {
  rows_->Clear();
  tags_ = Set;
  if (!Set) return;
  for (int i = 0; i < Set->Tags().Count(); ++i) {
    THTMLTagDef* t = Set->TagAt(i);
    // Tags without a group (-1) never show.
    if (t->GroupIndex() == group_) rows_->AddObject(t->Name(), t);
  }
  SetHeight(RowCount() * btnHeight_);
  Invalidate();
}

THTMLTagDef* THTMLBox::RowTag(int i) const {
  if (i < 0 || i >= RowCount()) return nullptr;
  return static_cast<THTMLTagDef*>(rows_->Objects(i));
}

THTMLTagDef* THTMLBox::SelectedTag() const { return RowTag(selectedRow_); }

void THTMLBox::Paint() {
  painting_ = true;
  for (int i = 0; i < RowCount(); ++i) DrawButton(i, false);
  painting_ = false;
}

void THTMLBox::DrawButton(int Index, bool Hot) {
  if (!Parent() || !Parent()->HandleAllocated() || !Showing()) return;
  TCanvas* c = Canvas();
  RECT r{0, Index * btnHeight_, Width(), Index * btnHeight_ + btnHeight_};
  InflateRect(&r, -1, -1);
  c->Font()->Assign(*Font());
  c->Brush()->SetStyle(bsSolid);
  c->Brush()->SetColor(Color());
  if (Hot) {
    Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
    c->Font()->SetStyle(TFontStyles{fsBold});
  } else {
    Frame3D(c, r, clBtnFace, clBtnFace, 1);
    c->Font()->SetStyle(TFontStyles{});
  }
  r.left += 2;
  r.right -= 2;
  r.top += 1;
  r.bottom -= 1;
  if (Index >= 0 && Index < RowCount()) c->TextRect(r, r.left, r.top, RowName(Index));
  // Outside a paint the canvas took a DC of its own: give it back.
  if (!painting_) static_cast<TControlCanvas*>(c)->FreeHandle();
}

void THTMLBox::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == CM_MOUSEENTER) {
    if (!hot_ && Enabled()) {
      hot_ = true;
      DrawButton(hotRow_, true);
    }
  } else if (m.Msg == CM_MOUSELEAVE) {
    if (hot_ && Enabled()) {
      hot_ = false;
      DrawButton(hotRow_, false);
    }
  }
}

void THTMLBox::MouseMove(TShiftState Shift, int X, int Y) {
  TGraphicControl::MouseMove(Shift, X, Y);
  int row = Y / btnHeight_;
  if (row != hotRow_) {
    DrawButton(hotRow_, false);
    hotRow_ = row;
    DrawButton(row, true);
  }
}

void THTMLBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  // The mouse is captured while a button is down: a release beside or above the box is
  // no choice of a row (Y / 18 would give row 0 for a release just above it).
  selectedRow_ = ContainsPoint(X, Y) ? Y / btnHeight_ : -1;
  TGraphicControl::MouseUp(Button, Shift, X, Y);
}

void FitGroupList(TComboBox* box) {
  TWindowDC dc(nullptr);
  TSelected font(dc, box->Font()->Handle());
  int widest = 0;
  for (int i = 0; i < box->Items()->Count(); ++i) {
    AnsiString name = box->Items()->Strings(i);
    SIZE size{0, 0};
    GetTextExtentPoint32A(dc, name.c_str(), static_cast<int>(name.size()), &size);
    widest = std::max<int>(widest, size.cx);
  }
  int width = widest + 2 * GetSystemMetrics(SM_CXEDGE) + 8;
  if (box->Items()->Count() > box->DropDownCount()) width += GetSystemMetrics(SM_CXVSCROLL);
  box->SetDropDownWidth(std::max(width, box->Width()));
}

void KeepDroppedListOnScreen(HWND combo) {
  if (!IsWindow(combo) || !SendMessageA(combo, CB_GETDROPPEDSTATE, 0, 0)) return;
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(combo, &info) || !info.hwndList) return;
  RECT r;
  GetWindowRect(info.hwndList, &r);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoA(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &mi)) return;
  // Wider than its box, the list opens to the right: at the screen's edge it goes left.
  int dx = r.right > mi.rcWork.right ? mi.rcWork.right - r.right : 0;
  if (r.left + dx < mi.rcWork.left) dx = mi.rcWork.left - r.left;
  if (dx != 0)
    SetWindowPos(info.hwndList, nullptr, r.left + dx, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace vx
