#include "framework/win/StdCtrls.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Buttons.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Menus.h"

namespace vx {

const TTypeInfo* TypeInfoAlignment() {
  return EnumTypeInfo("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
}

VX_PUBLISH(TLabel, TGraphicControl) {
  P.Enum("Alignment", TypeInfoAlignment(), &TLabel::Alignment, &TLabel::SetAlignment)
      .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize)
      .Str("Caption", &TLabel::Caption, &TLabel::SetCaption)
      .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap);
}
VX_PUBLISH(TButton, TWinControl) {
  P.Str("Caption", &TButton::Caption, &TButton::SetCaption)
      .Bool("Default", &TButton::Default, &TButton::SetDefault)
      .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel)
      .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult);
}
VX_PUBLISH(TCheckBox, TWinControl) {
  P.Str("Caption", &TCheckBox::Caption, &TCheckBox::SetCaption)
      .Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked);
}
VX_PUBLISH(TRadioButton, TWinControl) {
  P.Str("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption)
      .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked);
}
VX_PUBLISH(TCustomEdit, TWinControl) {
  P.Int("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength)
      .Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly)
      .Str("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
      .Method("OnChange");
}
VX_PUBLISH(TMemo, TCustomEdit) { P.Object("Lines", &TMemo::Lines); }
VX_PUBLISH(TCustomListBox, TWinControl) {
  P.Object("Items", &TCustomListBox::Items).Int("ItemIndex", &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex);
}
VX_PUBLISH(TComboBox, TWinControl) {
  P.Object("Items", &TComboBox::Items)
      .Int("ItemIndex", &TComboBox::ItemIndex, &TComboBox::SetItemIndex)
      .Str("Text", &TComboBox::Text, &TComboBox::SetText);
}

// ---- TLabel ------------------------------------------------------------------------

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  controlStyle_ = TControlStyle{csSetCaption, csReplicatable, csClickEvents, csDoubleClicks, csCaptureMouse};
  StoreBounds(0, 0, 65, 17);
}

void TLabel::SetFocusControl(TWinControl* c) {
  focusControl_ = c;
  if (c) c->FreeNotification(this);
}

void TLabel::Notification(TComponent* c, TOperation op) {
  TGraphicControl::Notification(c, op);
  if (op == opRemove && c == focusControl_) focusControl_ = nullptr;
}

UINT TLabel::DrawFlags() const {
  UINT f = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | (showAccelChar_ ? 0 : DT_NOPREFIX);
  f |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  return f;
}

void TLabel::AdjustBounds() {
  if (!autoSize_ || Destroying()) return;
  TWindowDC dc(nullptr);
  TSelected selectFont(dc, Font()->Handle());
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  AnsiString t = text_.empty() ? " " : text_;
  DrawTextA(dc, t.c_str(), -1, &r, DrawFlags() | DT_CALCRECT);
  int l = Left();
  if (alignment_ == taRightJustify && !wordWrap_) l += Width() - r.right;
  SetBounds(l, Top(), r.right, r.bottom);
}

void TLabel::TextChanged() {
  TGraphicControl::TextChanged();
  AdjustBounds();
}

void TLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

void TLabel::Paint() {
  TCanvas* c = Canvas();
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) {
    c->Brush()->SetColor(Color());
    c->FillRect(r);
  }
  c->SetFont(*Font());
  c->Brush()->SetStyle(bsClear);
  c->TextWidth("");  // selects the font, so the colours below stay
  UINT f = DrawFlags();
  if (layout_ != tlTop) {
    RECT calc = r;
    c->DrawText(text_, calc, f | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    r.top = layout_ == tlCenter ? (Height() - h) / 2 : Height() - h;
  }
  if (!Enabled()) {
    OffsetRect(&r, 1, 1);
    SetTextColor(c->Handle(), ColorToRGB(clBtnHighlight));
    c->DrawText(text_, r, f);
    OffsetRect(&r, -1, -1);
    SetTextColor(c->Handle(), ColorToRGB(clBtnShadow));
  }
  c->DrawText(text_, r, f);
}

void TLabel::WndProc(TMessage& m) {
  if (m.Msg == CM_DIALOGCHAR) {
    char hot = GetHotkey(text_);
    if (showAccelChar_ && hot && std::toupper(static_cast<unsigned char>(m.WParam)) == hot && focusControl_ &&
        focusControl_->CanFocus()) {
      focusControl_->SetFocus();
      m.Result = 1;
    }
    return;
  }
  TGraphicControl::WndProc(m);
}

// ---- buttons -----------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetParentColor(true);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  StoreBounds(0, 0, 75, 25);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
}

void TButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool d) {
  if (d == default_) return;
  default_ = d;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, d ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_ != mrNone)
    if (TForm* f = GetParentForm(this)) f->SetModalResult(modalResult_);
  TButtonControl::Click();
}

static bool FocusIsOtherButton(TWinControl* self) {
  TWinControl* f = FindControl(GetFocus());
  return f && f != self && dynamic_cast<TButton*>(f);
}

void TButton::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == BN_CLICKED) Click();
      return;
    case CM_DIALOGKEY:
      if (((m.WParam == VK_RETURN && (Focused() || (default_ && !FocusIsOtherButton(this)))) ||
           (m.WParam == VK_ESCAPE && cancel_)) &&
          CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    case CM_DIALOGCHAR: {
      char hot = GetHotkey(Caption());
      if (hot && std::toupper(static_cast<unsigned char>(m.WParam)) == hot && CanFocus()) {
        Click();
        m.Result = 1;
      }
      return;
    }
    case WM_GETDLGCODE:
      TButtonControl::WndProc(m);
      // Enter is ours to decide (default button), not a plain key of the button.
      m.Result &= ~(DLGC_WANTALLKEYS);
      return;
    case WM_PAINT:
      if (PaintDisabledFace(m)) return;
      break;
  }
  TButtonControl::WndProc(m);
}

// Wine draws a disabled push button's caption in black and white into a box as wide as the
// caption measures smoothed; bold captions come out wider that way and lose their last
// letter. The face of a disabled push button is drawn here, its caption as measured.
bool TButton::PaintDisabledFace(TMessage& m) {
  HWND h = Handle();
  LONG style = GetWindowLongA(h, GWL_STYLE);
  if (IsWindowEnabled(h) || (style & BS_TYPEMASK) > BS_DEFPUSHBUTTON) return false;
  PAINTSTRUCT ps{};
  HDC dc = m.WParam ? reinterpret_cast<HDC>(m.WParam) : BeginPaint(h, &ps);
  RECT r;
  GetClientRect(h, &r);
  DrawPushButton(dc, r, (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON, false, false, nullptr, Caption(), Font()->Handle(),
                 0, false);
  if (!m.WParam) EndPaint(h, &ps);
  m.Result = 0;
  return true;
}

TCheckBox::TCheckBox(TComponent* owner) : TButtonControl(owner) {
  StoreBounds(0, 0, 97, 17);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
}

void TCheckBox::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= BS_3STATE | (alignment_ == taLeftJustify ? BS_LEFTTEXT : 0);
}

void TCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, state_, 0);
}

void TCheckBox::SetState(TCheckBoxState s) {
  if (s == state_) return;
  state_ = s;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, s, 0);
  Click();
}

void TCheckBox::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED) {
      // The user's click cycles the states (grayed only when allowed).
      TCheckBoxState next = state_ == cbUnchecked ? (allowGrayed_ ? cbGrayed : cbChecked)
                            : state_ == cbGrayed  ? cbChecked
                                                  : cbUnchecked;
      SetState(next);
    }
    return;
  }
  TButtonControl::WndProc(m);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) {
  // Only the checked button of a group is a tab stop: a button that takes the focus checks
  // itself, so an unchecked tab stop would change the choice when a form first focuses it.
  SetTabStop(false);
  StoreBounds(0, 0, 113, 17);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
}

void TRadioButton::CreateParams(TCreateParams& p) {
  TButtonControl::CreateParams(p);
  CreateSubClass(p, "BUTTON");
  p.Style |= BS_RADIOBUTTON;
}

void TRadioButton::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, checked_, 0);
}

void TRadioButton::SetChecked(bool c) {
  if (c == checked_) return;
  checked_ = c;
  SetTabStop(c);
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, c, 0);
  if (c) {
    if (Parent())
      for (int i = 0; i < Parent()->ControlCount(); ++i)
        if (auto* r = dynamic_cast<TRadioButton*>(Parent()->Controls(i)))
          if (r != this) r->SetChecked(false);
    Click();
  }
}

void TRadioButton::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == BN_CLICKED || HIWORD(m.WParam) == BN_DOUBLECLICKED) SetChecked(true);
    return;
  }
  if (m.Msg == WM_SETFOCUS) {
    TButtonControl::WndProc(m);
    // Arrow keys move the check with the focus within a group.
    if (GetKeyState(VK_LBUTTON) >= 0 && !checked_) SetChecked(true);
    return;
  }
  TButtonControl::WndProc(m);
}

// ---- edits -------------------------------------------------------------------------

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "EDIT");
  // A window title holds at most 65,535 characters: the text goes in once the window is there.
  p.Caption.clear();
  p.Style |= ES_AUTOHSCROLL | (readOnly_ ? ES_READONLY : 0) | (hideSelection_ ? 0 : ES_NOHIDESEL) |
             (oemConvert_ ? ES_OEMCONVERT : 0) | (charCase_ == ecUpperCase ? ES_UPPERCASE : 0) |
             (charCase_ == ecLowerCase ? ES_LOWERCASE : 0);
  if (Ctl3D())
    p.ExStyle |= WS_EX_CLIENTEDGE;
  else
    p.Style |= WS_BORDER;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  HWND h = Handle();
  SendMessageA(h, EM_LIMITTEXT, maxLength_, 0);
  if (!text_.empty()) SendMessageA(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()));
  if (passwordChar_) SendMessageA(h, EM_SETPASSWORDCHAR, static_cast<unsigned char>(passwordChar_), 0);
  SendMessageA(h, EM_SETMODIFY, modified_, 0);
  SendMessageA(h, EM_SETSEL, selStart_, selStart_ + selLength_);
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  selStart_ = SelStart();
  selLength_ = SelLength();
  TWinControl::DestroyWnd();
}

void TCustomEdit::SetReadOnly(bool r) {
  readOnly_ = r;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, r, 0);
}

void TCustomEdit::SetMaxLength(int n) {
  maxLength_ = n;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, n, 0);
}

void TCustomEdit::SetPasswordChar(char c) {
  passwordChar_ = c;
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(c), 0);
    Invalidate();
  }
}

bool TCustomEdit::Modified() { return HandleAllocated() ? SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0 : modified_; }

void TCustomEdit::SetModified(bool m) {
  modified_ = m;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETMODIFY, m, 0);
}

int TCustomEdit::SelStart() {
  if (!HandleAllocated()) return selStart_;
  DWORD s = 0, e = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return static_cast<int>(s);
}

int TCustomEdit::SelLength() {
  if (!HandleAllocated()) return selLength_;
  DWORD s = 0, e = 0;
  SendMessageA(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
  return static_cast<int>(e - s);
}

void TCustomEdit::SetSelStart(int s) {
  selStart_ = s;
  selLength_ = 0;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, s, s);
}

void TCustomEdit::SetSelLength(int n) {
  int s = SelStart();
  selLength_ = n;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, s, s + n);
}

AnsiString TCustomEdit::SelText() {
  AnsiString t = Text();
  int s = SelStart(), n = SelLength();
  if (s < 0 || s > static_cast<int>(t.size())) return {};
  return t.substr(s, n);
}

void TCustomEdit::SetSelText(const AnsiString& s) {
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(s.c_str()));
  } else {
    AnsiString t = Text();
    int st = std::min<int>(selStart_, t.size());
    t.replace(st, std::min<int>(selLength_, t.size() - st), s);
    SetText(t);
    selStart_ = st + static_cast<int>(s.size());
    selLength_ = 0;
  }
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated())
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
  else {
    selStart_ = 0;
    selLength_ = static_cast<int>(text_.size());
  }
}

void TCustomEdit::Change() {
  if (OnChange && !Destroying()) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (autoSelect_ && !(GetKeyState(VK_LBUTTON) < 0) && !dynamic_cast<TMemo*>(this)) SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == CN_COMMAND) {
    if (HIWORD(m.WParam) == EN_CHANGE && !ControlState().Contains(csCreating)) Change();
    return;
  }
  TWinControl::WndProc(m);
}

TEdit::TEdit(TComponent* owner) : TCustomEdit(owner) {}

// Lines of a memo: the window text split at CR LF; a change writes the text back.
namespace {
class TMemoStrings : public TStrings {
 public:
  explicit TMemoStrings(TMemo* m) : memo_(m) {}
  const char* ClassName() const override { return "TMemoStrings"; }
  AnsiString Text() const override { return memo_->Text(); }
  void SetText(const AnsiString& t) override { memo_->SetText(t); }

 protected:
  std::vector<AnsiString> Split() const {
    std::vector<AnsiString> v;
    AnsiString t = memo_->Text();
    size_t p = 0;
    while (p < t.size()) {
      size_t e = t.find("\r\n", p);
      if (e == AnsiString::npos) {
        v.push_back(t.substr(p));
        break;
      }
      v.push_back(t.substr(p, e - p));
      p = e + 2;
    }
    return v;
  }
  void Join(const std::vector<AnsiString>& v) {
    AnsiString t;
    for (size_t i = 0; i < v.size(); ++i) {
      if (i) t += "\r\n";
      t += v[i];
    }
    memo_->SetText(t);
  }
  AnsiString Get(int i) const override {
    auto v = Split();
    if (i < 0 || i >= static_cast<int>(v.size())) IndexError(i);
    return v[i];
  }
  int GetCount() const override { return static_cast<int>(Split().size()); }
  void InsertItem(int i, const AnsiString& s, TObject*) override {
    auto v = Split();
    v.insert(v.begin() + std::clamp(i, 0, static_cast<int>(v.size())), s);
    Join(v);
  }
  void DeleteItem(int i) override {
    auto v = Split();
    if (i < 0 || i >= static_cast<int>(v.size())) IndexError(i);
    v.erase(v.begin() + i);
    Join(v);
  }
  void ClearItems() override { memo_->SetText(""); }

 private:
  TMemo* memo_;
};
}  // namespace

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TMemoStrings>(this)) {
  StoreBounds(0, 0, 185, 89);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks};
}

TMemo::~TMemo() = default;

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style &= ~ES_AUTOHSCROLL;
  // ES_WANTRETURN: the framework asks the EDIT for its dialog codes as a dialog would,
  // and an EDIT that believes it is in a dialog drops Enter unless it wants returns.
  p.Style |= ES_MULTILINE | ES_AUTOVSCROLL | (wordWrap_ ? 0 : ES_AUTOHSCROLL) | (wantReturns_ ? ES_WANTRETURN : 0) |
             (alignment_ == taCenter         ? ES_CENTER
              : alignment_ == taRightJustify ? ES_RIGHT
                                             : ES_LEFT);
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
  if ((scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) && !wordWrap_) p.Style |= WS_HSCROLL;
}

void TMemo::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    TCustomEdit::WndProc(m);
    m.Result &= ~DLGC_WANTALLKEYS;
    if (wantReturns_) m.Result |= DLGC_WANTALLKEYS;  // Enter stays in the memo
    if (wantTabs_)
      m.Result |= DLGC_WANTTAB;
    else
      m.Result &= ~DLGC_WANTTAB;
    return;
  }
  TCustomEdit::WndProc(m);
}

// ---- window-backed item lists ------------------------------------------------------

TWindowStrings::TWindowStrings(TWinControl* owner, const TListMessages& msgs) : owner_(owner), m_(msgs) {}

bool TWindowStrings::Live() const { return inWindow_ && owner_->HandleAllocated(); }

void TWindowStrings::WindowCreated() {
  inWindow_ = true;
  HWND h = owner_->Handle();
  SendMessageA(h, WM_SETREDRAW, FALSE, 0);
  for (int i = 0; i < saved_.Count(); ++i) {
    LRESULT at = SendMessageA(h, sorted_ ? m_.addString : m_.insertString, sorted_ ? 0 : i,
                              reinterpret_cast<LPARAM>(saved_[i].c_str()));
    SendMessageA(h, m_.setData, at, reinterpret_cast<LPARAM>(saved_.Objects(i)));
  }
  SendMessageA(h, WM_SETREDRAW, TRUE, 0);
  saved_.Clear();
}

void TWindowStrings::WindowDestroying() {
  if (!Live()) return;
  saved_.Clear();
  int n = GetCount();
  for (int i = 0; i < n; ++i) saved_.AddObject(Get(i), GetObject(i));
  inWindow_ = false;
}

AnsiString TWindowStrings::Get(int index) const {
  if (!Live()) return saved_[index];
  if (index < 0 || index >= GetCount()) IndexError(index);
  HWND h = owner_->Handle();
  LRESULT len = SendMessageA(h, m_.getTextLen, index, 0);
  if (len < 0) return {};
  std::string s(len + 1, '\0');
  len = SendMessageA(h, m_.getText, index, reinterpret_cast<LPARAM>(s.data()));
  s.resize(len < 0 ? 0 : len);
  return s;
}

TObject* TWindowStrings::GetObject(int index) const {
  if (!Live()) return saved_.Objects(index);
  if (index < 0 || index >= GetCount()) IndexError(index);
  LRESULT d = SendMessageA(const_cast<TWinControl*>(owner_)->Handle(), m_.getData, index, 0);
  return d == -1 ? nullptr : reinterpret_cast<TObject*>(d);
}

void TWindowStrings::PutObject(int index, TObject* o) {
  if (!Live()) {
    saved_.SetObjects(index, o);
    return;
  }
  if (index < 0 || index >= GetCount()) IndexError(index);
  SendMessageA(owner_->Handle(), m_.setData, index, reinterpret_cast<LPARAM>(o));
}

int TWindowStrings::GetCount() const {
  if (!Live()) return saved_.Count();
  return static_cast<int>(SendMessageA(const_cast<TWinControl*>(owner_)->Handle(), m_.getCount, 0, 0));
}

void TWindowStrings::InsertItem(int index, const AnsiString& s, TObject* o) {
  if (!Live()) {
    if (sorted_) {
      int i = 0;
      while (i < saved_.Count() && AnsiCompareText(saved_[i], s) <= 0) ++i;
      index = i;
    }
    saved_.InsertObject(index, s, o);
    return;
  }
  HWND h = owner_->Handle();
  LRESULT at = sorted_ ? SendMessageA(h, m_.addString, 0, reinterpret_cast<LPARAM>(s.c_str()))
                       : SendMessageA(h, m_.insertString, index, reinterpret_cast<LPARAM>(s.c_str()));
  if (at < 0) throw EOutOfResources("Out of Resources");
  SendMessageA(h, m_.setData, at, reinterpret_cast<LPARAM>(o));
}

void TWindowStrings::DeleteItem(int index) {
  if (!Live()) {
    saved_.Delete(index);
    return;
  }
  SendMessageA(owner_->Handle(), m_.deleteString, index, 0);
}

void TWindowStrings::ClearItems() {
  if (!Live()) {
    saved_.Clear();
    return;
  }
  SendMessageA(owner_->Handle(), m_.resetContent, 0, 0);
}

void TWindowStrings::SetUpdateState(bool updating) {
  if (Live()) {
    SendMessageA(owner_->Handle(), WM_SETREDRAW, !updating, 0);
    if (!updating) InvalidateRect(owner_->Handle(), nullptr, TRUE);
  }
}

int TWindowStrings::IndexOf(const AnsiString& s) const {
  for (int i = 0; i < GetCount(); ++i)
    if (AnsiSameText(Get(i), s)) return i;
  return -1;
}

static const TListMessages listBoxMessages{LB_GETCOUNT,     LB_GETTEXTLEN,   LB_GETTEXT,
                                           LB_ADDSTRING,    LB_INSERTSTRING, LB_DELETESTRING,
                                           LB_RESETCONTENT, LB_GETITEMDATA,  LB_SETITEMDATA};
static const TListMessages comboMessages{CB_GETCOUNT,     CB_GETLBTEXTLEN, CB_GETLBTEXT,
                                         CB_ADDSTRING,    CB_INSERTSTRING, CB_DELETESTRING,
                                         CB_RESETCONTENT, CB_GETITEMDATA,  CB_SETITEMDATA};

static TOwnerDrawState DrawState(UINT s) {
  TOwnerDrawState st;
  if (s & ODS_SELECTED) st << odSelected;
  if (s & ODS_GRAYED) st << odGrayed;
  if (s & ODS_DISABLED) st << odDisabled;
  if (s & ODS_CHECKED) st << odChecked;
  if (s & ODS_FOCUS) st << odFocused;
  return st;
}

// ---- list box ----------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TWindowStrings>(this, listBoxMessages)),
      canvas_(std::make_unique<TControlCanvas>(this)) {
  StoreBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
  // Double clicks come once, as the list's own LBN_DBLCLK notice.
  controlStyle_ = TControlStyle{csSetCaption};
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "LISTBOX");
  p.Style |= LBS_NOTIFY | LBS_HASSTRINGS | WS_VSCROLL | LBS_NOINTEGRALHEIGHT;
  if (sorted_) p.Style |= LBS_SORT;
  if (multiSelect_) p.Style |= extendedSelect_ ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
  if (style_ == lbOwnerDrawFixed) p.Style |= LBS_OWNERDRAWFIXED;
  if (style_ == lbOwnerDrawVariable) p.Style |= LBS_OWNERDRAWVARIABLE;
  if (Ctl3D())
    p.ExStyle |= WS_EX_CLIENTEDGE;
  else
    p.Style |= WS_BORDER;
}

void TCustomListBox::CreateWnd() {
  TWinControl::CreateWnd();
  items_->WindowCreated();
  HWND h = Handle();
  if (style_ != lbStandard) SendMessageA(h, LB_SETITEMHEIGHT, 0, itemHeight_);
  if (multiSelect_) {
    for (int i : savedSelection_) SendMessageA(h, LB_SETSEL, TRUE, i);
    if (itemIndex_ >= 0) SendMessageA(h, LB_SETCARETINDEX, itemIndex_, FALSE);
  } else
    SendMessageA(h, LB_SETCURSEL, itemIndex_, 0);
  SendMessageA(h, LB_SETTOPINDEX, topIndex_, 0);
}

void TCustomListBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  topIndex_ = TopIndex();
  savedSelection_.clear();
  if (multiSelect_)
    for (int i = 0; i < items_->Count(); ++i)
      if (Selected(i)) savedSelection_.push_back(i);
  items_->WindowDestroying();
  TWinControl::DestroyWnd();
}

void TCustomListBox::SetSorted(bool s) {
  if (s == sorted_) return;
  sorted_ = s;
  items_->SetSorted(s);
  if (s && !HandleAllocated()) {
    TStringList copy;
    copy.Assign(*items_);
    items_->Clear();
    items_->AddStrings(copy);
  }
  RecreateWnd();
}

int TCustomListBox::ItemIndex() {
  if (!HandleAllocated()) return itemIndex_;
  if (multiSelect_) return static_cast<int>(SendMessageA(Handle(), LB_GETCARETINDEX, 0, 0));
  return static_cast<int>(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int i) {
  itemIndex_ = i;
  if (!HandleAllocated()) return;
  if (multiSelect_)
    SendMessageA(Handle(), LB_SETCARETINDEX, i, FALSE);
  else
    SendMessageA(Handle(), LB_SETCURSEL, i, 0);
}

int TCustomListBox::SelCount() {
  if (!multiSelect_) return ItemIndex() >= 0 ? 1 : 0;
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LB_GETSELCOUNT, 0, 0))
                           : static_cast<int>(savedSelection_.size());
}

bool TCustomListBox::Selected(int i) {
  if (i < 0 || i >= items_->Count()) throw EStringListError(Format("List index out of bounds (%d)", i));
  if (!HandleAllocated())
    return multiSelect_ ? std::count(savedSelection_.begin(), savedSelection_.end(), i) > 0 : i == itemIndex_;
  return SendMessageA(Handle(), LB_GETSEL, i, 0) > 0;
}

void TCustomListBox::SetSelected(int i, bool s) {
  if (!multiSelect_) {
    if (s)
      SetItemIndex(i);
    else if (ItemIndex() == i)
      SetItemIndex(-1);
    return;
  }
  if (HandleAllocated()) {
    // Only the selection changes: the list box moves its focus (our ItemIndex) to the item.
    HWND h = Handle();
    LRESULT caret = SendMessageA(h, LB_GETCARETINDEX, 0, 0);
    SendMessageA(h, LB_SETSEL, s, i);
    if (caret >= 0 && caret != i) SendMessageA(h, LB_SETCARETINDEX, caret, FALSE);
  } else {
    savedSelection_.erase(std::remove(savedSelection_.begin(), savedSelection_.end(), i), savedSelection_.end());
    if (s) savedSelection_.push_back(i);
  }
}

int TCustomListBox::TopIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), LB_GETTOPINDEX, 0, 0)) : topIndex_;
}

void TCustomListBox::SetTopIndex(int i) {
  topIndex_ = i;
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETTOPINDEX, i, 0);
}

void TCustomListBox::SetItemHeight(int h) {
  itemHeight_ = h;
  if (HandleAllocated() && style_ != lbStandard) {
    SendMessageA(Handle(), LB_SETITEMHEIGHT, 0, h);
    Invalidate();
  }
}

int TCustomListBox::ItemAtPos(POINT p, bool existing) {
  if (!HandleAllocated()) return -1;
  LRESULT r = SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
  int index = LOWORD(r);
  bool outside = HIWORD(r) != 0;
  if (outside && existing) return -1;
  if (outside) return items_->Count();
  return index;
}

RECT TCustomListBox::ItemRect(int index) {
  RECT r{0, 0, 0, 0};
  if (HandleAllocated()) SendMessageA(Handle(), LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TCustomListBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, r, state);
    return;
  }
  canvas_->FillRect(r);
  if (index >= 0 && index < items_->Count()) canvas_->TextOut(r.left + 2, r.top, items_->Strings(index));
}

void TCustomListBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      if (HIWORD(m.WParam) == LBN_SELCHANGE) {
        if (autoDragSelChanges_ >= 0)
          ++autoDragSelChanges_;
        else
          Click();
      } else if (HIWORD(m.WParam) == LBN_DBLCLK) {
        DblClick();
      }
      return;
    case CN_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      TOwnerDrawState st = DrawState(di->itemState);
      canvas_->SetHandle(di->hDC);
      canvas_->SetFont(*Font());
      canvas_->Brush()->SetColor(st.Contains(odSelected) ? clHighlight : Color());
      canvas_->Font()->SetColor(st.Contains(odSelected) ? clHighlightText : Font()->Color());
      {
        auto cleanup = OnScopeExit([&] { canvas_->SetHandle(nullptr); });
        DrawItem(static_cast<int>(static_cast<int16_t>(di->itemID)), di->rcItem, st);
        if (st.Contains(odFocused)) DrawFocusRect(di->hDC, &di->rcItem);
      }
      m.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM: {
      auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
      int h = itemHeight_;
      if (OnMeasureItem) OnMeasureItem(this, static_cast<int>(mi->itemID), h);
      mi->itemHeight = h;
      m.Result = TRUE;
      return;
    }
    case WM_LBUTTONDOWN:
      if (DragMode() == dmAutomatic) {
        // The list first selects the item under the mouse, then the drag loop runs; the
        // button-up that the loop swallowed is handed to the list so it lets go of the mouse.
        // Selection notices in between (on the press or the release, by platform) make one click.
        int start = ItemIndex();
        autoDragSelChanges_ = 0;
        SetDragMode(dmManual);
        {
          // A failure leaves the list dragging automatically and counting nothing.
          auto reset = OnScopeExit([&] {
            SetDragMode(dmAutomatic);
            autoDragSelChanges_ = -1;
          });
          TWinControl::WndProc(m);
          SetDragMode(dmAutomatic);
          SetDragStart(ClientToScreen(POINT{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)}));
          BeginDrag(false);
          if (HandleAllocated())
            CallWindowProcA(DefWndProc(), Handle(), WM_LBUTTONUP, m.WParam & ~static_cast<WPARAM>(MK_LBUTTON),
                            m.LParam);
          reset.Dismiss();
        }
        bool changed = autoDragSelChanges_ > 0 || ItemIndex() != start;
        autoDragSelChanges_ = -1;
        if (changed) Click();
        return;
      }
      break;
  }
  TWinControl::WndProc(m);
}

// ---- combo box ---------------------------------------------------------------------

TComboBox::TComboBox(TComponent* owner)
    : TWinControl(owner),
      items_(std::make_unique<TWindowStrings>(this, comboMessages)),
      canvas_(std::make_unique<TControlCanvas>(this)) {
  StoreBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  controlStyle_ = TControlStyle{csSetCaption, csDoubleClicks, csFixedHeight};
}

TComboBox::~TComboBox() = default;

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "COMBOBOX");
  static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                 CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
  p.Style |= styles[style_] | WS_VSCROLL | CBS_AUTOHSCROLL | (sorted_ ? CBS_SORT : 0);
  if (style_ >= csOwnerDrawFixed) p.Style |= CBS_HASSTRINGS;
  // The window's height includes the drop-down list.
  if (style_ != csSimple) p.Height = Height() + dropDownCount_ * std::max(itemHeight_, 16) + 4;
}

void TComboBox::CreateWnd() {
  AnsiString text = text_;
  TWinControl::CreateWnd();
  items_->WindowCreated();
  HWND h = Handle();
  if (style_ >= csOwnerDrawFixed) SendMessageA(h, CB_SETITEMHEIGHT, 0, itemHeight_);
  SendMessageA(h, CB_LIMITTEXT, maxLength_, 0);
  if (dropDownWidth_ > 0) SendMessageA(h, CB_SETDROPPEDWIDTH, dropDownWidth_, 0);
  if (itemIndex_ >= 0)
    SendMessageA(h, CB_SETCURSEL, itemIndex_, 0);
  else if (style_ == csDropDown || style_ == csSimple)
    SetWindowTextA(h, text.c_str());
  RECT r;
  GetWindowRect(h, &r);
  StoreBounds(Left(), Top(), Width(), r.bottom - r.top);
}

void TComboBox::SetDropDownWidth(int w) {
  dropDownWidth_ = std::max(0, w);
  if (HandleAllocated()) SendMessageA(Handle(), CB_SETDROPPEDWIDTH, dropDownWidth_, 0);
}

void TComboBox::DestroyWnd() {
  itemIndex_ = ItemIndex();
  items_->WindowDestroying();
  TWinControl::DestroyWnd();
}

void TComboBox::SetBounds(int l, int t, int w, int h) {
  if (!HandleAllocated()) {
    TWinControl::SetBounds(l, t, w, h);
    return;
  }
  // The edit part keeps its own height; the window is taller by the list.
  RECT r;
  GetWindowRect(Handle(), &r);
  int full = style_ == csSimple ? h : h + dropDownCount_ * std::max(itemHeight_, 16) + 4;
  if (l == Left() && t == Top() && w == Width()) return;
  StoreBounds(l, t, w, Height());
  SetWindowPos(Handle(), nullptr, l, t, w, full, SWP_NOZORDER | SWP_NOACTIVATE);
  StoreBounds(l, t, w, Height());
  Resize();
}

void TComboBox::SetSorted(bool s) {
  if (s == sorted_) return;
  sorted_ = s;
  items_->SetSorted(s);
  RecreateWnd();
}

void TComboBox::SetMaxLength(int n) {
  maxLength_ = n;
  if (HandleAllocated()) SendMessageA(Handle(), CB_LIMITTEXT, n, 0);
}

int TComboBox::ItemIndex() {
  return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : itemIndex_;
}

void TComboBox::SetItemIndex(int i) {
  itemIndex_ = i;
  if (HandleAllocated())
    SendMessageA(Handle(), CB_SETCURSEL, i, 0);
  else if (i >= 0 && i < items_->Count())
    text_ = items_->Strings(i);
}

bool TComboBox::DroppedDown() { return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0); }

void TComboBox::SetDroppedDown(bool d) {
  if (HandleAllocated()) SendMessageA(Handle(), CB_SHOWDROPDOWN, d, 0);
}

void TComboBox::Change() {
  if (OnChange && !Destroying()) OnChange(this);
}

void TComboBox::DrawItem(int index, RECT r, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, r, state);
    return;
  }
  canvas_->FillRect(r);
  if (index >= 0 && index < items_->Count()) canvas_->TextOut(r.left + 2, r.top, items_->Strings(index));
}

void TComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND:
      switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE:
          // The edit text follows the selection before OnChange sees it.
          if (ItemIndex() >= 0 && (style_ == csDropDown || style_ == csSimple))
            SetWindowTextA(Handle(), items_->Strings(ItemIndex()).c_str());
          Click();
          Change();
          break;
        case CBN_EDITCHANGE: Change(); break;
        case CBN_DROPDOWN:
          if (OnDropDown) OnDropDown(this);
          break;
        case CBN_DBLCLK: DblClick(); break;
      }
      return;
    case CN_DRAWITEM: {
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
      TOwnerDrawState st = DrawState(di->itemState);
      canvas_->SetHandle(di->hDC);
      canvas_->SetFont(*Font());
      canvas_->Brush()->SetColor(st.Contains(odSelected) ? clHighlight : Color());
      canvas_->Font()->SetColor(st.Contains(odSelected) ? clHighlightText : Font()->Color());
      {
        auto cleanup = OnScopeExit([&] { canvas_->SetHandle(nullptr); });
        DrawItem(static_cast<int>(static_cast<int16_t>(di->itemID)), di->rcItem, st);
      }
      m.Result = TRUE;
      return;
    }
    case CN_MEASUREITEM:
      reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = itemHeight_;
      m.Result = TRUE;
      return;
  }
  TWinControl::WndProc(m);
}

// ---- group box ---------------------------------------------------------------------

TGroupBox::TGroupBox(TComponent* owner) : TCustomControl(owner) {
  StoreBounds(0, 0, 185, 105);
  controlStyle_ = TControlStyle{csAcceptsControls, csSetCaption, csCaptureMouse, csClickEvents, csDoubleClicks};
  SetParentColor(true);
}

void TGroupBox::AdjustClientRect(RECT& r) {
  InflateRect(&r, -2, -2);
  r.top += ScreenFontHeight(Font()->Handle());
}

void TGroupBox::Paint() {
  TCanvas* c = Canvas();
  c->SetFont(*Font());
  int h = c->TextHeight("0");
  RECT r{0, h / 2, Width(), Height()};
  DrawEdge(c->Handle(), &r, EDGE_ETCHED, BF_RECT);
  AnsiString t = Text();
  if (!t.empty()) {
    c->Brush()->SetColor(Color());
    RECT tr{8, 0, 8, h};
    c->DrawText(t, tr, DT_CALCRECT | DT_SINGLELINE);
    InflateRect(&tr, 2, 0);
    c->FillRect(tr);
    InflateRect(&tr, -2, 0);
    SetBkMode(c->Handle(), TRANSPARENT);
    c->DrawText(t, tr, DT_SINGLELINE);
  }
}

// ---- scroll bar --------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  StoreBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
  SetTabStop(true);
  controlStyle_ = TControlStyle{csFramed, csDoubleClicks};
}

void TScrollBar::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  CreateSubClass(p, "SCROLLBAR");
  p.Style |= kind_ == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd() {
  TWinControl::CreateWnd();
  Apply();
}

void TScrollBar::SetKind(TScrollBarKind k) {
  if (k == kind_) return;
  kind_ = k;
  SetBounds(Left(), Top(), Height(), Width());
  RecreateWnd();
}

void TScrollBar::Apply() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{sizeof si, SIF_ALL, min_, max_, static_cast<UINT>(pageSize_), position_, 0};
  SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetPageSize(int p) {
  pageSize_ = std::clamp(p, 0, std::max(0, max_ - min_ + 1));
  Apply();
}

void TScrollBar::SetParams(int position, int min, int max) {
  if (max < min) throw EInvalidOperation("Scroll bar property out of range");
  position = std::clamp(position, min, max);
  bool changed = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  Apply();
  if (changed && OnChange) OnChange(this);
}

void TScrollBar::WndProc(TMessage& m) {
  if (m.Msg == CN_HSCROLL || m.Msg == CN_VSCROLL) {
    int code = LOWORD(m.WParam);
    int pos = position_;
    TScrollCode sc = scEndScroll;
    switch (code) {
      case SB_LINEUP:
        sc = scLineUp;
        pos -= smallChange_;
        break;
      case SB_LINEDOWN:
        sc = scLineDown;
        pos += smallChange_;
        break;
      case SB_PAGEUP:
        sc = scPageUp;
        pos -= largeChange_;
        break;
      case SB_PAGEDOWN:
        sc = scPageDown;
        pos += largeChange_;
        break;
      case SB_THUMBPOSITION:
      case SB_THUMBTRACK: {
        // The 32-bit position: HIWORD(wParam) would cut it to 16 bits.
        SCROLLINFO si{sizeof si, SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), SB_CTL, &si);
        pos = si.nTrackPos;
        sc = code == SB_THUMBTRACK ? scTrack : scPosition;
        break;
      }
      case SB_TOP:
        sc = scTop;
        pos = min_;
        break;
      case SB_BOTTOM:
        sc = scBottom;
        pos = max_;
        break;
      default: break;
    }
    pos = std::clamp(pos, min_, max_);
    if (OnScroll) OnScroll(this, sc, pos);
    SetPosition(pos);
    return;
  }
  TWinControl::WndProc(m);
}

}  // namespace vx
