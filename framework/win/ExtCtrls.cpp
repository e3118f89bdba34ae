#include "framework/win/ExtCtrls.h"

#include <algorithm>

#include "framework/win/Forms.h"

namespace vx {

VX_PUBLISH(TCustomPanel, TCustomControl) { P.Str("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption); }
VX_PUBLISH(TImage, TGraphicControl) {}
VX_PUBLISH(TSplitter, TGraphicControl) { P.Int("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize); }

// ---- TCustomPanel ------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 185, 41);
  controlStyle_ =
      TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque, csDoubleClicks};
}

void TCustomPanel::AdjustClientRect(RECT& r) {
  int w = borderWidth_ + (bevelOuter_ != bvNone ? bevelWidth_ : 0) + (bevelInner_ != bvNone ? bevelWidth_ : 0);
  InflateRect(&r, -w, -w);
}

static void Bevel(TCanvas* c, RECT& r, TBevelCut cut, int width) {
  if (cut == bvNone) return;
  if (cut == bvSpace) {
    InflateRect(&r, -width, -width);
    return;
  }
  TColor top = cut == bvLowered ? clBtnShadow : clBtnHighlight;
  TColor bottom = cut == bvLowered ? clBtnHighlight : clBtnShadow;
  Frame3D(c, r, top, bottom, width);
}

void TCustomPanel::Paint() {
  TCanvas* c = Canvas();
  RECT r{0, 0, Width(), Height()};
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  Bevel(c, r, bevelOuter_, bevelWidth_);
  InflateRect(&r, -borderWidth_, -borderWidth_);
  Bevel(c, r, bevelInner_, bevelWidth_);
  AnsiString t = Text();
  if (t.empty()) return;
  c->SetFont(*Font());
  c->Brush()->SetStyle(bsClear);
  UINT f = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
           (alignment_ == taCenter         ? DT_CENTER
            : alignment_ == taRightJustify ? DT_RIGHT
                                           : DT_LEFT);
  SetTextColor(c->Handle(), ColorToRGB(Font()->Color()));
  SetBkMode(c->Handle(), TRANSPARENT);
  c->DrawText(t, r, f);
}

// ---- TBevel, TPaintBox ---------------------------------------------------------------

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 50, 50);
  controlStyle_ = controlStyle_ + TControlStyle{csReplicatable};
}

void TBevel::Paint() {
  TCanvas* c = Canvas();
  TColor a = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor b = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  int w = Width(), h = Height();
  auto line = [&](TColor col, int x1, int y1, int x2, int y2) {
    c->Pen()->SetColor(col);
    c->MoveTo(x1, y1);
    c->LineTo(x2, y2);
  };
  switch (shape_) {
    case bsBox: {
      RECT r{0, 0, w, h};
      Frame3D(c, r, a, b, 1);
      break;
    }
    case bsFrame: {
      RECT r{0, 0, w - 1, h - 1};
      Frame3D(c, r, a, a, 1);
      RECT s{1, 1, w, h};
      Frame3D(c, s, b, b, 1);
      break;
    }
    case bsTopLine:
      line(a, 0, 0, w, 0);
      line(b, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(a, 0, h - 2, w, h - 2);
      line(b, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(a, 0, 0, 0, h);
      line(b, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(a, w - 2, 0, w - 2, h);
      line(b, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { StoreBounds(0, 0, 105, 105); }

void TPaintBox::Paint() {
  Canvas()->SetFont(*Font());
  Canvas()->Brush()->SetColor(Color());
  if (OnPaint) OnPaint(this);
}

// ---- TImage ------------------------------------------------------------------------

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 105, 105);
  picture_.OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() = default;

TCanvas* TImage::Canvas() {
  TBitmap* b = picture_.Bitmap();
  if (b->Empty()) b->SetSize(Width(), Height());
  return b->Canvas();
}

void TImage::SetAutoSize(bool a) {
  autoSize_ = a;
  PictureChanged();
}

void TImage::PictureChanged() {
  if (autoSize_ && picture_.Width() > 0 && picture_.Height() > 0)
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::Paint() {
  TGraphic* g = picture_.Graphic();
  TCanvas* c = TGraphicControl::Canvas();
  if (!g || g->Empty()) return;
  RECT r{0, 0, g->Width(), g->Height()};
  if (stretch_) {
    r = RECT{0, 0, Width(), Height()};
  } else if (center_) {
    OffsetRect(&r, (Width() - g->Width()) / 2, (Height() - g->Height()) / 2);
  }
  auto* b = dynamic_cast<TBitmap*>(g);
  if (transparent_ && b) {
    // Pixels of the bottom-left colour keep what lies behind.
    HDC dst = c->Handle();
    COLORREF key = static_cast<COLORREF>(b->TransparentColor());
    TransparentBlt(dst, r.left, r.top, r.right - r.left, r.bottom - r.top, b->Canvas()->Handle(), 0, 0, b->Width(),
                   b->Height(), key);
  } else {
    c->StretchDraw(r, g);
  }
}

// ---- TShape ------------------------------------------------------------------------

TShape::TShape(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 65, 65);
  brush_.OnChange = [this](TObject*) { Invalidate(); };
  pen_.OnChange = [this](TObject*) { Invalidate(); };
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(pen_);
  c->Brush()->Assign(brush_);
  int pw = pen_.Width() / 2;
  int x = pw, y = pw, w = Width() - pen_.Width() + 1, h = Height() - pen_.Width() + 1;
  if (pen_.Width() == 0) {
    w--;
    h--;
  }
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  switch (shape_) {
    case stRectangle:
    case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect:
    case stRoundSquare: c->RoundRect(x, y, x + w, y + h, std::min(w, h) / 4, std::min(w, h) / 4); break;
    case stEllipse:
    case stCircle: c->Ellipse(x, y, x + w, y + h); break;
  }
}

// ---- TTimer ------------------------------------------------------------------------

TTimer::TTimer(TComponent* owner) : TComponent(owner) {
  window_ = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == WM_TIMER) {
      if (OnTimer && enabled_) OnTimer(this);
    } else {
      m.Result = DefWindowProcA(window_, m.Msg, m.WParam, m.LParam);
    }
  });
  Update();
}

TTimer::~TTimer() = default;

void TTimer::BeforeDestruction() {
  if (window_) {
    KillTimer(window_, 1);
    DeallocateHWnd(window_);
    window_ = nullptr;
  }
  TComponent::BeforeDestruction();
}

void TTimer::Update() {
  if (!window_) return;
  KillTimer(window_, 1);
  if (enabled_ && interval_ > 0) SetTimer(window_, 1, interval_, nullptr);
}

void TTimer::SetEnabled(bool e) {
  if (e == enabled_) return;
  enabled_ = e;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

// ---- TSplitter ---------------------------------------------------------------------

TSplitter::TSplitter(TComponent* owner) : TGraphicControl(owner) {
  StoreBounds(0, 0, 3, 100);
  SetAlign(alLeft);
  SetCursor(crHSplit);
  SetParentColor(true);
}

TControl* TSplitter::FindControl() {
  if (!Parent()) return nullptr;
  TAlign a = Align();
  TControl* best = nullptr;
  for (int i = 0; i < Parent()->ControlCount(); ++i) {
    TControl* c = Parent()->Controls(i);
    if (c == this || !c->Visible() || c->Align() != a) continue;
    bool touches = false;
    switch (a) {
      case alLeft: touches = c->Left() + c->Width() == Left(); break;
      case alRight: touches = c->Left() == Left() + Width(); break;
      case alTop: touches = c->Top() + c->Height() == Top(); break;
      case alBottom: touches = c->Top() == Top() + Height(); break;
      default: break;
    }
    if (touches) best = c;
  }
  return best;
}

void TSplitter::UpdateCursor() { SetCursor(Align() == alTop || Align() == alBottom ? crVSplit : crHSplit); }

void TSplitter::Paint() {
  RECT r{0, 0, Width(), Height()};
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(r);
  if (beveled_) Frame3D(Canvas(), r, clBtnHighlight, clBtnShadow, 1);
}

void TSplitter::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TGraphicControl::MouseDown(b, s, x, y);
  if (b != mbLeft) return;
  UpdateCursor();
  target_ = FindControl();
  if (!target_) return;
  down_ = ClientToScreen(POINT{x, y});
  startSize_ = (Align() == alLeft || Align() == alRight) ? target_->Width() : target_->Height();
}

void TSplitter::MouseMove(TShiftState s, int x, int y) {
  TGraphicControl::MouseMove(s, x, y);
  if (!target_ || !s.Contains(ssLeft)) return;
  POINT p = ClientToScreen(POINT{x, y});
  int delta = 0;
  switch (Align()) {
    case alLeft: delta = p.x - down_.x; break;
    case alRight: delta = down_.x - p.x; break;
    case alTop: delta = p.y - down_.y; break;
    case alBottom: delta = down_.y - p.y; break;
    default: return;
  }
  int size = std::max(minSize_, startSize_ + delta);
  bool accept = true;
  if (OnCanResize) OnCanResize(this, size, accept);
  if (!accept) return;
  if (Align() == alLeft || Align() == alRight)
    target_->SetWidth(size);
  else
    target_->SetHeight(size);
  if (Parent()) Parent()->Update();
}

void TSplitter::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  TGraphicControl::MouseUp(b, s, x, y);
  if (target_ && OnMoved) OnMoved(this);
  target_ = nullptr;
}

}  // namespace vx
