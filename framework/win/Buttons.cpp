#include "framework/win/Buttons.h"

#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"

namespace vx {

namespace {

// A glyph's pixels in grey, for a disabled button: the shape stays readable.
void DrawGlyph(HDC dc, int x, int y, TBitmap* glyph, bool enabled) {
  int w = glyph->Width(), h = glyph->Height();
  HDC src = glyph->Canvas()->Handle();
  COLORREF transparent = GetPixel(src, 0, h - 1);
  if (enabled) {
    TransparentBlt(dc, x, y, w, h, src, 0, 0, w, h, transparent);
    return;
  }
  COLORREF light = GetSysColor(COLOR_3DHILIGHT), shadow = GetSysColor(COLOR_3DSHADOW);
  for (int pass = 0; pass < 2; ++pass)
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i)
        if (GetPixel(src, i, j) != transparent) SetPixel(dc, x + i + 1 - pass, y + j + 1 - pass, pass ? shadow : light);
}

// A copy of the picture, or an empty one for none.
void CopyGlyph(std::unique_ptr<TBitmap>& glyph, const TBitmap* b) {
  if (b)
    glyph->Assign(*b);
  else
    glyph = std::make_unique<TBitmap>();
}

}  // namespace

void DrawButtonContent(HDC dc, RECT r, TBitmap* glyph, const AnsiString& caption, HFONT font, int spacing,
                       bool enabled) {
  TSelected selFont(dc, font);
  bool hasGlyph = glyph && !glyph->Empty();
  RECT tr{0, 0, 0, 0};
  if (!caption.empty()) DrawTextA(dc, caption.c_str(), -1, &tr, DT_CALCRECT | DT_SINGLELINE);
  int gw = hasGlyph ? glyph->Width() : 0, gh = hasGlyph ? glyph->Height() : 0;
  int gap = hasGlyph && !caption.empty() ? spacing : 0;
  int total = gw + gap + (tr.right - tr.left);
  int x = r.left + ((r.right - r.left) - total) / 2;
  int cy = (r.top + r.bottom) / 2;
  if (hasGlyph) DrawGlyph(dc, x, cy - gh / 2, glyph, enabled);
  if (caption.empty()) return;
  RECT text{x + gw + gap, r.top, r.right, r.bottom};
  int mode = SetBkMode(dc, TRANSPARENT);
  UINT flags = DT_SINGLELINE | DT_VCENTER | DT_LEFT;
  if (enabled) {
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    DrawTextA(dc, caption.c_str(), -1, &text, flags);
    SetTextColor(dc, old);
  } else {
    OffsetRect(&text, 1, 1);
    COLORREF old = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    DrawTextA(dc, caption.c_str(), -1, &text, flags);
    OffsetRect(&text, -1, -1);
    SetTextColor(dc, GetSysColor(COLOR_3DSHADOW));
    DrawTextA(dc, caption.c_str(), -1, &text, flags);
    SetTextColor(dc, old);
  }
  SetBkMode(dc, mode);
}

// ---- TBitBtn ----------------------------------------------------------------------------

TBitBtn::TBitBtn(TComponent* owner) : TButton(owner), glyph_(std::make_unique<TBitmap>()) {}

TBitBtn::~TBitBtn() = default;

void TBitBtn::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  // The system draws no pictures on push buttons: the face is ours.
  p.Style = (p.Style & ~0xFu) | BS_OWNERDRAW;
}

void TBitBtn::SetGlyph(const TBitmap* b) {
  CopyGlyph(glyph_, b);
  Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind k) {
  kind_ = k;
  static const struct {
    const char* caption;
    int result;
  } kinds[] = {{nullptr, mrNone}, {"OK", mrOk},  {"Cancel", mrCancel}, {"&Help", mrNone},
               {"&Yes", mrYes},   {"&No", mrNo}, {"&Close", mrNone}};
  if (kinds[k].caption) SetCaption(kinds[k].caption);
  SetModalResult(kinds[k].result);
  if (k == bkCancel) SetCancel(true);
}

void TBitBtn::Click() {
  if (kind_ == bkHelp) {
    int ctx = 0;
    for (TControl* c = this; c && !ctx; c = c->Parent()) ctx = c->HelpContext();
    if (ctx) Application->HelpContext(ctx);
  }
  if (kind_ == bkClose)
    if (TForm* f = GetParentForm(this)) f->Close();
  TButton::Click();
}

void DrawPushButton(HDC dc, RECT r, bool rim, bool pressed, bool focused, TBitmap* glyph, const AnsiString& caption,
                    HFONT font, int spacing, bool enabled) {
  if (rim) {
    // The button Enter presses carries a dark rim, as system push buttons do.
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    InflateRect(&r, -1, -1);
  }
  DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
  RECT content = r;
  InflateRect(&content, -3, -3);
  if (pressed) OffsetRect(&content, 1, 1);
  DrawButtonContent(dc, content, glyph, caption, font, spacing, enabled);
  if (focused) {
    RECT f = r;
    InflateRect(&f, -4, -4);
    DrawFocusRect(dc, &f);
  }
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& di) {
  bool pressed = (di.itemState & ODS_SELECTED) != 0, focused = (di.itemState & ODS_FOCUS) != 0;
  DrawPushButton(di.hDC, di.rcItem, focused || Default(), pressed, focused, glyph_.get(), Caption(), Font()->Handle(),
                 spacing_, !(di.itemState & ODS_DISABLED));
}

void TBitBtn::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case WM_LBUTTONDBLCLK:
      // An owner-drawn button turns a quick second click into a double click: it is a click.
      m.Msg = WM_LBUTTONDOWN;
      break;
  }
  TButton::WndProc(m);
}

// ---- TSpeedButton -------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TBitmap>()) {
  StoreBounds(0, 0, 23, 22);
  controlStyle_ = TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csSetCaption};
}

TSpeedButton::~TSpeedButton() = default;

void TSpeedButton::SetGlyph(const TBitmap* b) {
  CopyGlyph(glyph_, b);
  Invalidate();
}

void TSpeedButton::Paint() {
  HDC dc = Canvas()->Handle();
  RECT r{0, 0, Width(), Height()};
  if (flat_ && !pressed_) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  } else {
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed_ ? DFCS_PUSHED : 0));
  }
  InflateRect(&r, -2, -2);
  if (pressed_) OffsetRect(&r, 1, 1);
  DrawButtonContent(dc, r, glyph_.get(), Caption(), Font()->Handle(), 4, Enabled());
}

void TSpeedButton::MouseDown(TMouseButton b, TShiftState s, int x, int y) {
  TGraphicControl::MouseDown(b, s, x, y);
  if (b != mbLeft || !Enabled()) return;
  tracking_ = pressed_ = true;
  Invalidate();
}

void TSpeedButton::MouseMove(TShiftState s, int x, int y) {
  TGraphicControl::MouseMove(s, x, y);
  if (!tracking_) return;
  bool inside = x >= 0 && y >= 0 && x < Width() && y < Height();
  if (inside != pressed_) {
    pressed_ = inside;
    Invalidate();
  }
}

void TSpeedButton::MouseUp(TMouseButton b, TShiftState s, int x, int y) {
  TGraphicControl::MouseUp(b, s, x, y);
  if (b != mbLeft || !tracking_) return;
  tracking_ = pressed_ = false;
  Invalidate();
}

}  // namespace vx
