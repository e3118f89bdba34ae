// What lies behind a non-windowed control, painted into its canvas: the parent's own
// content, then the parent's other non-windowed children below it.
#include "framework/win/Controls.h"
#include "toolkit/VCLUtils.h"

namespace vx {

namespace {

// The parent's own content alone: its paint message would draw its windowless children
// as well, the control itself among them.
struct OwnPaint : TWinControl {
  static void Paint(TWinControl* c, HDC dc) {
    void (TWinControl::*paint)(HDC) = &OwnPaint::PaintWindow;
    (c->*paint)(dc);
  }
};

}  // namespace

void PaintParentBackground(TControl* control, TCanvas* canvas) {
  if (!control || !canvas) return;
  TWinControl* parent = control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  HDC dc = canvas->Handle();
  RECT self = control->BoundsRect();
  RECT client{};
  GetClientRect(parent->Handle(), &client);

  int saved = SaveDC(dc);
  SetWindowOrgEx(dc, self.left, self.top, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  OwnPaint::Paint(parent, dc);
  RestoreDC(dc, saved);

  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == control) break;
    if (!c || dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT b = c->BoundsRect(), common{};
    if (!IntersectRect(&common, &b, &self)) continue;
    saved = SaveDC(dc);
    SetWindowOrgEx(dc, self.left - b.left, self.top - b.top, nullptr);
    IntersectClipRect(dc, 0, 0, b.right - b.left, b.bottom - b.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
  canvas->Refresh();
}

}  // namespace vx
