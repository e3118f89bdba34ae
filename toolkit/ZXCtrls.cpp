#include "toolkit/ZXCtrls.h"

#include <algorithm>
#include <cctype>

#include <windowsx.h>

#include "framework/core/Scoped.h"
#include "framework/win/Forms.h"
#include "toolkit/VCLUtils.h"

namespace vx {

// ---- TZxButtonGlyph -----------------------------------------------------------------

TZxButtonGlyph::TZxButtonGlyph() : original_(std::make_unique<TBitmap>()) {
  original_->OnChange = [this](TObject* s) { GlyphChanged(s); };
}

TZxButtonGlyph::~TZxButtonGlyph() {
  original_->OnChange = nullptr;
  Invalidate();
}

void TZxButtonGlyph::Invalidate() {
  images_.clear();
  for (int& i : indexes_) i = -1;
}

void TZxButtonGlyph::GlyphChanged(TObject*) {
  Invalidate();
  if (!original_->Empty()) transparentColor_ = original_->TransparentColor() & 0xFFFFFF;
  if (OnChange) OnChange(this);
}

void TZxButtonGlyph::SetGlyph(TBitmap* value) {
  Invalidate();
  if (value && !value->Empty()) {
    original_->Assign(*value);
  } else {
    original_->FreeImage();
  }
  if (!original_->Empty()) {
    transparentColor_ = original_->TransparentColor() & 0xFFFFFF;
    int w = original_->Width(), h = original_->Height();
    if (h > 0 && w % h == 0) {
      int n = w / h;
      numGlyphs_ = n >= 6 ? 1 : std::max(1, n);
    }
  }
  if (OnChange) OnChange(this);
}

void TZxButtonGlyph::SetNumGlyphs(int value) {
  value = std::clamp(value, 1, 5);
  if (value == numGlyphs_) return;
  numGlyphs_ = value;
  Invalidate();
  if (OnChange) OnChange(this);
}

namespace {

// The inactive look: black, white and the transparent colour stay, navy turns black,
// dark colours become the shadow and light ones the face.
COLORREF InactiveColour(COLORREF c, COLORREF transparent) {
  c &= 0xFFFFFF;
  if (c == 0 || c == 0xFFFFFF || c == transparent) return c;
  if (c == 0x800000) return 0;
  int sum = GetRValue(c) + GetGValue(c) + GetBValue(c);
  return ColorToRGB(sum <= 384 ? clBtnShadow : clBtnFace) & 0xFFFFFF;
}

}  // namespace

TBitmap* TZxButtonGlyph::StateImage(TButtonState state) {
  if (original_->Empty() || original_->Width() == 0 || original_->Height() == 0) return nullptr;
  if (state == bsDown && numGlyphs_ < 3) state = bsUp;
  int& slot = indexes_[state];
  if (slot >= 0 && slot < ImageCount()) return images_[slot].get();

  int gw = original_->Width() / numGlyphs_, gh = original_->Height();
  auto image = std::make_unique<TBitmap>();
  image->SetSize(gw, gh);
  TCanvas* c = image->Canvas();
  c->Brush()->SetColor(clBtnFace);
  RECT all{0, 0, gw, gh};
  c->FillRect(all);
  int index = state < numGlyphs_ ? state : 0;
  HDC src = original_->Canvas()->Handle();
  if (state == bsDisabled && numGlyphs_ == 1) {
    // The disabled picture is made from the glyph alone: its transparent area turns
    // white first, which the embossing treats as background.
    TBitmap plain;
    plain.SetSize(original_->Width(), gh);
    plain.Canvas()->Brush()->SetColor(clWhite);
    RECT pr{0, 0, original_->Width(), gh};
    plain.Canvas()->FillRect(pr);
    DrawBitmapTransparent(plain.Canvas(), 0, 0, transparentColor_, original_.get());
    std::unique_ptr<TBitmap> dis = CreateDisabledBitmap(&plain);
    BitBlt(c->Handle(), 0, 0, gw, gh, dis->Canvas()->Handle(), 0, 0, SRCCOPY);
    // Where the glyph was transparent the face stays; mark it transparent again so the
    // button draws it over its own background.
    HDC d = c->Handle();
    HDC o = original_->Canvas()->Handle();
    for (int y = 0; y < gh; ++y)
      for (int x = 0; x < gw; ++x)
        if ((GetPixel(o, x, y) & 0xFFFFFF) == static_cast<COLORREF>(transparentColor_) &&
            GetPixel(d, x, y) == (ColorToRGB(clBtnFace) & 0xFFFFFF))
          SetPixel(d, x, y, transparentColor_);
  } else if (state == bsInactive && numGlyphs_ < 5) {
    BitBlt(c->Handle(), 0, 0, gw, gh, src, 0, 0, SRCCOPY);
    HDC d = c->Handle();
    for (int y = 0; y < gh; ++y)
      for (int x = 0; x < gw; ++x) {
        COLORREF p = GetPixel(d, x, y);
        COLORREF q = InactiveColour(p, transparentColor_);
        if (q != (p & 0xFFFFFF)) SetPixel(d, x, y, q);
      }
  } else {
    BitBlt(c->Handle(), 0, 0, gw, gh, src, index * gw, 0, SRCCOPY);
  }
  image->Dormant();
  original_->Dormant();
  images_.push_back(std::move(image));
  slot = ImageCount() - 1;
  return images_[slot].get();
}

void TZxButtonGlyph::CalcLayout(TCanvas* canvas, const RECT& client, const AnsiString& caption, TButtonLayout layout,
                                int margin, int spacing, bool dropDownMark, POINT& glyphPos, RECT& textBounds) {
  int W = client.right - client.left, H = client.bottom - client.top;
  int gw = 0, gh = 0;
  if (!original_->Empty() && numGlyphs_ > 0) {
    gw = original_->Width() / numGlyphs_;
    gh = original_->Height();
  }
  int tw = 0, th = 0;
  if (!caption.empty()) {
    RECT t{0, 0, W, 0};
    UINT flags = DT_CALCRECT | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    canvas->DrawText(caption.substr(0, 255), t, flags);
    tw = t.right - t.left;
    th = t.bottom - t.top;
  }
  int textW = tw;  // the caption's own width; the mark's room comes after it
  if (dropDownMark) {
    if (gw == 0 || gh == 0 || layout == blGlyphLeft)
      tw += 9;
    else
      gw += 6;
  }
  POINT g{0, 0}, t{0, 0};
  bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
  if (horizontal) {
    g.y = H / 2 - gh / 2;
    t.y = H / 2 - th / 2;
  } else {
    g.x = W / 2 - gw / 2;
    t.x = W / 2 - tw / 2;
  }
  if (tw == 0 || gw == 0) spacing = 0;
  int L = horizontal ? W : H;
  int gs = horizontal ? gw : gh, ts = horizontal ? tw : th;
  if (margin == -1 && spacing == -1) {
    margin = spacing = (L - (gs + ts)) / 3;
  } else if (margin == -1) {
    margin = L / 2 - (gs + spacing + ts) / 2;
  } else if (spacing == -1) {
    spacing = (L - margin - gs) / 2 - ts / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      g.x = margin;
      t.x = g.x + gw + spacing;
      break;
    case blGlyphRight:
      g.x = W - margin - gw;
      t.x = g.x - spacing - tw;
      break;
    case blGlyphTop:
      g.y = margin;
      t.y = g.y + gh + spacing;
      break;
    case blGlyphBottom:
      g.y = H - margin - gh;
      t.y = g.y - spacing - th;
      break;
  }
  glyphPos = POINT{g.x + client.left, g.y + client.top};
  textBounds = RECT{t.x + client.left, t.y + client.top, t.x + client.left + textW, t.y + client.top + th};
}

RECT TZxButtonGlyph::Draw(TCanvas* canvas, const RECT& client, const AnsiString& caption, TButtonLayout layout,
                          int margin, int spacing, TButtonState state, bool dropDownMark) {
  POINT gp;
  RECT tr;
  CalcLayout(canvas, client, caption, layout, margin, spacing, dropDownMark, gp, tr);
  TBitmap* image = StateImage(state);
  int iw = 0, ih = 0;
  if (image) {
    iw = image->Width();
    ih = image->Height();
    DrawBitmapTransparent(canvas, gp.x, gp.y, transparentColor_, image);
  }
  HDC dc = canvas->Handle();
  if (!caption.empty()) {
    RECT r = tr;
    UINT flags = DT_CENTER | DT_VCENTER | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE);
    int oldMode = SetBkMode(dc, TRANSPARENT);
    AnsiString text = caption.substr(0, 255);
    if (state == bsDisabled) {
      OffsetRect(&r, 1, 1);
      canvas->Font()->SetColor(clWhite);
      canvas->DrawText(text, r, flags);
      OffsetRect(&r, -1, -1);
      canvas->Font()->SetColor(clGray);
      canvas->DrawText(text, r, flags);
    } else {
      canvas->DrawText(text, r, flags);
    }
    SetBkMode(canvas->Handle(), oldMode);
  }
  if (dropDownMark) {
    int x, y;
    if (image && iw > 0 && layout != blGlyphLeft) {
      x = gp.x + iw + 1;
      y = gp.y + ih / 2;
    } else {
      x = tr.right + 3;
      y = tr.top + (tr.bottom - tr.top) / 2;
    }
    auto mark = [&](int ox, int oy, TColor colour) {
      HBRUSH b = CreateSolidBrush(ColorToRGB(colour));
      for (int i = 0; i < 4; ++i) {
        RECT row{ox + i, oy - 1 + i, ox + 7 - i, oy + i};
        FillRect(canvas->Handle(), &row, b);
      }
      DeleteObject(b);
    };
    if (state == bsDisabled) {
      mark(x + 1, y + 1, clWhite);
      mark(x, y, clBtnShadow);
    } else {
      mark(x, y, clBtnText);
    }
  }
  return tr;
}

// ---- TZxSpeedButton -----------------------------------------------------------------

namespace {

// The exclusive look's pattern, shared by every button of the program.
int buttonCount = 0;
std::unique_ptr<TBitmap>& Pattern() {
  static std::unique_ptr<TBitmap> pattern;
  return pattern;
}

TBitmap* SharedPattern() {
  auto& p = Pattern();
  if (!p) p = CreateTwoColorsBrushPattern(clBtnFace, clWhite);
  return p.get();
}

}  // namespace

TZxSpeedButton::TZxSpeedButton(TComponent* owner)
    : TGraphicControl(owner), glyph_(std::make_unique<TZxButtonGlyph>()), drawImage_(std::make_unique<TBitmap>()) {
  ++buttonCount;
  StoreBounds(0, 0, 25, 25);
  controlStyle_ = TControlStyle{csCaptureMouse, csOpaque, csDoubleClicks};
  glyph_->OnChange = [this](TObject* s) { GlyphChanged(s); };
  SetParentFont(true);
  SetParentShowHint(false);
  SetShowHint(true);
}

TZxSpeedButton::~TZxSpeedButton() {
  glyph_->OnChange = nullptr;
  if (--buttonCount == 0) Pattern().reset();
}

void TZxSpeedButton::SetAllowAllUp(bool v) {
  if (v != allowAllUp_) {
    allowAllUp_ = v;
    UpdateExclusive();
  }
}

void TZxSpeedButton::SetGroupIndex(int v) {
  if (v != groupIndex_) {
    groupIndex_ = v;
    UpdateExclusive();
  }
}

void TZxSpeedButton::SetDown(bool v) {
  if (groupIndex_ == 0) v = false;
  if (v == down_) return;
  if (down_ && !allowAllUp_) return;
  down_ = v;
  state_ = v ? bsExclusive : bsUp;
  Invalidate();
  if (v) UpdateExclusive();
}

void TZxSpeedButton::UpdateExclusive() {
  if (groupIndex_ == 0 || !Parent()) return;
  TMessage m{CM_BUTTONGROUP, static_cast<WPARAM>(groupIndex_), reinterpret_cast<LPARAM>(static_cast<TObject*>(this)),
             0};
  Parent()->Broadcast(m);
}

void TZxSpeedButton::SetDropDownMenu(TPopupMenu* m) {
  if (m == dropDownMenu_) return;
  if (dropDownMenu_) dropDownMenu_->RemoveFreeNotification(this);
  dropDownMenu_ = m;
  if (m) m->FreeNotification(this);
  if (markDropDown_) Invalidate();
}

void TZxSpeedButton::Notification(TComponent* c, TOperation op) {
  TGraphicControl::Notification(c, op);
  if (op == opRemove && c == dropDownMenu_) {
    dropDownMenu_ = nullptr;
    if (markDropDown_) Invalidate();
  }
}

void TZxSpeedButton::SetFlat(bool v) {
  if (v != flat_) {
    flat_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetGlyph(TBitmap* b) {
  glyph_->SetGlyph(b);
  Invalidate();
}

void SetButtonPicture(TZxSpeedButton* b, const char* resource, const char* caption) {
  TBitmap glyph;
  try {
    glyph.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
    b->SetGlyph(&glyph);
  } catch (const Exception&) {
    b->SetCaption(caption);
  }
}
void TZxSpeedButton::SetGrayedInactive(bool v) {
  if (v != grayedInactive_) {
    grayedInactive_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetLayout(TButtonLayout v) {
  if (v != layout_) {
    layout_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetMargin(int v) {
  if (v < -1 || v == margin_) return;
  margin_ = v;
  Invalidate();
}
void TZxSpeedButton::SetMarkDropDown(bool v) {
  if (v != markDropDown_) {
    markDropDown_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetNumGlyphs(int v) {
  if (v > 5) v = 5;
  if (v < 1) v = 1;
  if (v != glyph_->NumGlyphs()) {
    glyph_->SetNumGlyphs(v);
    Invalidate();
  }
}
void TZxSpeedButton::SetSpacing(int v) {
  if (v != spacing_) {
    spacing_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetStyle(TButtonStyle v) {
  if (v != style_) {
    style_ = v;
    Invalidate();
  }
}
void TZxSpeedButton::SetTransparent(bool v) {
  if (v != transparent_) {
    transparent_ = v;
    controlStyle_ = v ? controlStyle_ - TControlStyle{csOpaque} : controlStyle_ + TControlStyle{csOpaque};
    Invalidate();
  }
}
void TZxSpeedButton::SetWordWrap(bool v) {
  if (v != glyph_->WordWrap()) {
    glyph_->SetWordWrap(v);
    Invalidate();
  }
}

void TZxSpeedButton::Click() { TGraphicControl::Click(); }

// Every system since the 3-D controls offers the new look.
bool TZxSpeedButton::NewLook() const { return style_ != bsWin31; }

void TZxSpeedButton::UpdateTracking() {
  bool in = false;
  if (Enabled()) {
    POINT p;
    GetCursorPos(&p);
    in = FindDragTarget(p, true) == this;
  }
  if (in != mouseInControl_) {
    mouseInControl_ = in;
    if (flat_) Invalidate();
  }
}

void TZxSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  if (b != mbLeft) {
    (b == mbRight ? rightPressed_ : middlePressed_) = true;
    TGraphicControl::MouseDown(b, s, x, y);
    return;
  }
  if (menuTracking_) return;
  TGraphicControl::MouseDown(b, s, x, y);
  if (!Enabled()) return;
  // A press with the flag off (no enter seen, as after a dialog closed) still presses.
  if (!mouseInControl_) {
    mouseInControl_ = true;
    Invalidate();
  }
  if (!down_) {
    state_ = bsDown;
    Invalidate();
  }
  dragging_ = true;
  // Whatever the menu's command throws (a save that failed), the button ends up released
  // and not tracking, or its menu would never open again.
  TSaved<bool> tracking(menuTracking_, true);
  if (dropDownMenu_ && dropDownMenu_->AutoPopup()) {
    SetMouseCapture(false);
    if (TForm* form = GetParentForm(this)) form->Perform(CM_CANCELMODE);
    dropDownMenu_->SetPopupComponent(this);
    POINT p = ClientToScreen(POINT{-1, Height()});
    Update();
    auto release = OnScopeExit([&] { MouseUp(mbLeft, s, -1, -1); });
    dropDownMenu_->Popup(p.x, p.y);
    release.Run();
    // The press that closed the menu over this button must not press it again.
    if (Parent() && Parent()->HandleAllocated()) {
      MSG msg;
      if (PeekMessageA(&msg, Parent()->Handle(), WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_NOREMOVE) &&
          (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK)) {
        int mx = GET_X_LPARAM(msg.lParam) - Left(), my = GET_Y_LPARAM(msg.lParam) - Top();
        if (InBounds(mx, my)) PeekMessageA(&msg, Parent()->Handle(), msg.message, msg.message, PM_REMOVE);
      }
    }
  }
}

void TZxSpeedButton::MouseMove(TShiftState s, int x, int y) {
  TGraphicControl::MouseMove(s, x, y);
  if (!dragging_) return;
  TButtonState ns = down_ ? bsExclusive : (InBounds(x, y) ? bsDown : bsUp);
  if (ns != state_) {
    state_ = ns;
    Invalidate();
  }
}

void TZxSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  // A release whose press went elsewhere (the second click of a double click in a dialog
  // that closed over the bar) is no click of this button: its mouse-up event stays silent.
  bool& pressed = b == mbLeft ? dragging_ : b == mbRight ? rightPressed_ : middlePressed_;
  if (!pressed) {
    UpdateTracking();
    return;
  }
  if (b != mbLeft) pressed = false;
  // Whatever the handlers throw, the tracking ends up right for where the mouse is.
  auto track = OnScopeExit([this] { UpdateTracking(); });
  {
    // A failing mouse-up handler still lets the button go up.
    auto release = OnScopeExit([this] {
      if (!dragging_) return;
      dragging_ = false;
      state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
      Invalidate();
    });
    TGraphicControl::MouseUp(b, s, x, y);
    release.Dismiss();
  }
  if (b == mbLeft && dragging_) {
    dragging_ = false;
    bool inside = InBounds(x, y);
    state_ = bsUp;
    if (groupIndex_ == 0) {
      Invalidate();
    } else if (inside) {
      SetDown(!down_);
      // A down button that may not be raised stays drawn down.
      if (down_) state_ = bsExclusive;
      Invalidate();
    } else {
      if (down_) state_ = bsExclusive;
      Invalidate();
    }
    if (inside && !menuTracking_) Click();
  }
}

void TZxSpeedButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_BUTTONGROUP: {
      auto* sender = dynamic_cast<TZxSpeedButton*>(reinterpret_cast<TObject*>(m.LParam));
      if (static_cast<int>(m.WParam) == groupIndex_ && Parent() && Parent()->HandleAllocated() && sender &&
          sender != this) {
        if (sender->down_ && down_) {
          // The raised button no longer counts as down either.
          down_ = false;
          state_ = bsUp;
          Invalidate();
        }
        allowAllUp_ = sender->allowAllUp_;
      }
      return;
    }
    case CM_DIALOGCHAR: {
      char key = static_cast<char>(std::toupper(static_cast<unsigned char>(m.WParam)));
      if (key && GetHotkey(Caption()) == key && Enabled() && Visible() && Parent() && Parent()->Showing()) {
        Click();
        m.Result = 1;
        return;
      }
      break;
    }
    case CM_MOUSEENTER:
      TGraphicControl::WndProc(m);
      if (Enabled() && !mouseInControl_) {
        mouseInControl_ = true;
        if (flat_) Invalidate();
      }
      return;
    case CM_MOUSELEAVE:
      TGraphicControl::WndProc(m);
      if (mouseInControl_) {
        mouseInControl_ = false;
        if (flat_) Invalidate();
      }
      return;
    case CM_ENABLEDCHANGED:
      UpdateTracking();
      Invalidate();
      return;
    case CM_FONTCHANGED:
    case CM_TEXTCHANGED: Invalidate(); return;
    case CM_SYSCOLORCHANGE:
      glyph_->Invalidate();
      Pattern().reset();
      Invalidate();
      return;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      TGraphicControl::WndProc(m);
      UpdateTracking();
      return;
    case WM_LBUTTONDBLCLK:
      if (menuTracking_) return;
      TGraphicControl::WndProc(m);
      if (down_ && OnDblClick) OnDblClick(this);
      return;
  }
  TGraphicControl::WndProc(m);
}

void TZxSpeedButton::PaintFace(TCanvas* c) {
  if (!Enabled()) {
    state_ = bsDisabled;
    dragging_ = false;
  } else if (state_ == bsDisabled) {
    state_ = down_ && groupIndex_ != 0 ? bsExclusive : bsUp;
  }
  TButtonState paintState = state_;
  if (flat_ && !mouseInControl_ && state_ != bsExclusive) paintState = bsInactive;

  RECT r{0, 0, Width(), Height()};
  c->SetFont(*Font());
  if (transparent_) {
    PaintParentBackground(this, c);
  } else {
    c->Brush()->SetColor(clBtnFace);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(r);
  }
  bool pressed = paintState == bsDown || paintState == bsExclusive;
  if (paintState != bsInactive) {
    bool nl = NewLook();
    if (pressed) {
      if (nl && !flat_) {
        Frame3D(c, r, clWindowFrame, clBtnHighlight, 1);
        Frame3D(c, r, clBtnShadow, clBtnFace, 1);
      } else if (nl || flat_) {
        Frame3D(c, r, clWindowFrame, clBtnHighlight, 1);
      } else {
        Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
        c->Pen()->SetColor(clBtnShadow);
        c->MoveTo(r.left, r.bottom - 1);
        c->LineTo(r.left, r.top);
        c->LineTo(r.right, r.top);
      }
    } else {
      if (nl && !flat_) {
        Frame3D(c, r, clBtnHighlight, clWindowFrame, 1);
        Frame3D(c, r, clBtnFace, clBtnShadow, 1);
      } else if (nl) {
        Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
      } else if (!flat_) {
        Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
        Frame3D(c, r, clBtnHighlight, clBtnShadow, 1);
      } else {
        Frame3D(c, r, clBtnHighlight, clWindowFrame, 1);
      }
    }
    InflateRect(&r, -1, -1);
  }
  if (pressed) OffsetRect(&r, 1, 1);
  if (state_ == bsExclusive && !flat_) {
    HBRUSH b = CreatePatternBrush(SharedPattern()->Handle());
    RECT pr{r.left, r.top, r.right - 1, r.bottom - 1};
    FillRect(c->Handle(), &pr, b);
    DeleteObject(b);
  }
  TButtonState glyphState = grayedInactive_ && state_ != bsDisabled ? paintState : state_;
  c->Font()->SetColor(Font()->Color());
  c->Brush()->SetStyle(bsClear);
  glyph_->Draw(c, r, Caption(), layout_, margin_, spacing_, glyphState, markDropDown_ && dropDownMenu_ != nullptr);
  c->Brush()->SetStyle(bsSolid);
}

void TZxSpeedButton::Paint() {
  if (Width() <= 0 || Height() <= 0) return;
  if (drawImage_->Width() != Width() || drawImage_->Height() != Height()) drawImage_->SetSize(Width(), Height());
  PaintFace(drawImage_->Canvas());
  BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), drawImage_->Canvas()->Handle(), 0, 0, SRCCOPY);
}

// ---- TButtonImage -------------------------------------------------------------------

TButtonImage::TButtonImage() : glyph_(std::make_unique<TZxButtonGlyph>()) {}
TButtonImage::~TButtonImage() = default;

void TButtonImage::Draw(TCanvas* canvas, int x, int y, TButtonLayout layout, int margin, int spacing, TFont* font) {
  TColor brush = canvas->Brush()->Color();
  TFont saved;
  saved.Assign(*canvas->Font());
  RECT r{x, y, x + size_.x, y + size_.y};
  canvas->Brush()->SetColor(clBtnFace);
  canvas->FillRect(r);
  Frame3D(canvas, r, clBtnShadow, clWindowFrame, 1);
  Frame3D(canvas, r, clBtnHighlight, clBtnShadow, 1);
  if (font) canvas->SetFont(*font);
  canvas->Brush()->SetStyle(bsClear);
  glyph_->Draw(canvas, r, caption_, layout, margin, spacing, bsUp, false);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(brush);
  canvas->SetFont(saved);
}

}  // namespace vx
