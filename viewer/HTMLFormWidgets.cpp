#include "viewer/HTMLFormWidgets.h"

#include <map>

#include "framework/win/Graphics.h"

namespace vx {

namespace {

const char* kRadioPanelClass = "VxHtmlRadioPanel";

HFONT PreFont(const std::string& name, int size) {
  static std::map<std::string, std::unique_ptr<TFont>> fonts;
  auto& f = fonts[name + "|" + std::to_string(size)];
  if (!f) {
    f = std::make_unique<TFont>();
    f->SetName(name);
    f->SetSize(size);
  }
  return f->Handle();
}

class TWinWidget : public TFormWidget {
 public:
  TWinWidget(TFormControlObj& owner, const TWidgetInit& init, HWND parent) : owner_(owner), init_(init) {
    DWORD style = WS_CHILD | WS_TABSTOP, ex = 0;
    const char* cls = "EDIT";
    switch (init.Kind) {
      case TWidgetKind::Edit:
        style |= ES_AUTOHSCROLL | (init.Password ? ES_PASSWORD : 0);
        ex = WS_EX_CLIENTEDGE;
        break;
      case TWidgetKind::Button: cls = "BUTTON"; style |= BS_PUSHBUTTON; break;
      case TWidgetKind::CheckBox: cls = "BUTTON"; style |= BS_CHECKBOX; break;
      case TWidgetKind::Radio: cls = "BUTTON"; style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON; break;
      case TWidgetKind::ListBox:
        cls = "LISTBOX";
        style |= LBS_NOTIFY | WS_VSCROLL | LBS_NOINTEGRALHEIGHT | (init.MultiSelect ? LBS_EXTENDEDSEL : 0);
        ex = WS_EX_CLIENTEDGE;
        break;
      case TWidgetKind::Combo: cls = "COMBOBOX"; style |= CBS_DROPDOWNLIST | WS_VSCROLL; break;
      case TWidgetKind::Memo:
        style |= ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | ES_WANTRETURN;
        ex = WS_EX_CLIENTEDGE;
        break;
    }
    style_ = style;
    ex_ = ex;
    w_ = init.Width;
    h_ = init.Height;
    HWND host = parent;
    if (init.Kind == TWidgetKind::Radio) {
      RegisterPanel();
      panel_ = CreateWindowExA(0, kRadioPanelClass, "", WS_CHILD | WS_CLIPCHILDREN, 0, -400, 13, 14, parent,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
      host = panel_;
    }
    hwnd_ = CreateWindowExA(ex, cls, init.Kind == TWidgetKind::Memo ? "" : init.Text.c_str(), style, 0,
                            init.Kind == TWidgetKind::Radio ? 0 : -400, w_, HeightFor(h_), host, nullptr,
                            GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) return;
    HFONT font = init.Kind == TWidgetKind::Button || init.Kind == TWidgetKind::CheckBox ||
                         init.Kind == TWidgetKind::Radio
                     ? static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))
                     : PreFont(init.FontName, init.FontSize);
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (init.MaxLength > 0) SendMessageA(hwnd_, EM_LIMITTEXT, init.MaxLength, 0);
    if (init.Checked) SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
    SetPropA(hwnd_, "VxWidget", this);
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~TWinWidget() override {
    if (hwnd_ && IsWindow(hwnd_)) {
      SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldProc_));
      RemovePropA(hwnd_, "VxWidget");
      DestroyWindow(hwnd_);
    }
    if (panel_ && IsWindow(panel_)) DestroyWindow(panel_);
  }
  HWND Window() const { return hwnd_; }
  HWND Outer() const { return panel_ ? panel_ : hwnd_; }

  void SetBounds(int l, int t, int w, int h) override {
    // Controls are placed while painting: an unchanged place must not move (and repaint) them.
    if (l == l_ && t == t_ && w == w_ && h == h_ && placedOnce_) return;
    l_ = l;
    t_ = t;
    w_ = w;
    h_ = h;
    placedOnce_ = true;
    if (panel_) {
      MoveWindow(panel_, l, t, w, h, TRUE);
      MoveWindow(hwnd_, 0, 0, w, h, TRUE);
    } else {
      MoveWindow(hwnd_, l, t, w, HeightFor(h), TRUE);
    }
  }
  int Left() const override { return l_; }
  int Top() const override { return t_; }
  int Width() const override { return w_; }
  int Height() const override { return h_; }
  void SetClientSize(int w, int h) override {
    RECT r{0, 0, w, h};
    AdjustWindowRectEx(&r, style_, FALSE, ex_);
    if (init_.Kind == TWidgetKind::Combo) {
      // A closed drop-down list is as high as the platform makes it.
      RECT wr;
      GetWindowRect(hwnd_, &wr);
      int ch = static_cast<int>(SendMessageA(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0)) + 6;
      SetBounds(l_, t_, r.right - r.left, ch);
      return;
    }
    SetBounds(l_, t_, r.right - r.left, r.bottom - r.top);
  }
  void SetVisible(bool v) override { ShowWindow(Outer(), v ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const override { return IsWindowVisible(Outer()) != 0 || (GetWindowLongA(Outer(), GWL_STYLE) & WS_VISIBLE); }
  std::string Text() const override {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    GetWindowTextA(hwnd_, s.data(), n + 1);
    s.resize(static_cast<size_t>(n));
    return s;
  }
  void SetText(const std::string& s) override { SetWindowTextA(hwnd_, s.c_str()); }
  bool Checked() const override { return SendMessageA(hwnd_, BM_GETCHECK, 0, 0) == BST_CHECKED; }
  void SetChecked(bool c) override { SendMessageA(hwnd_, BM_SETCHECK, c ? BST_CHECKED : BST_UNCHECKED, 0); }
  bool IsCombo() const { return init_.Kind == TWidgetKind::Combo; }
  void SetItems(const std::vector<std::string>& items) override {
    SendMessageA(hwnd_, IsCombo() ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (auto& s : items)
      SendMessageA(hwnd_, IsCombo() ? CB_ADDSTRING : LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  }
  int ItemCount() const override {
    return static_cast<int>(SendMessageA(hwnd_, IsCombo() ? CB_GETCOUNT : LB_GETCOUNT, 0, 0));
  }
  std::string Item(int i) const override {
    int n = static_cast<int>(SendMessageA(hwnd_, IsCombo() ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, i, 0));
    if (n < 0) return std::string();
    std::string s(static_cast<size_t>(n) + 1, '\0');
    SendMessageA(hwnd_, IsCombo() ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
  }
  bool Selected(int i) const override { return SendMessageA(hwnd_, LB_GETSEL, i, 0) > 0; }
  void SetSelected(int i, bool s) override { SendMessageA(hwnd_, LB_SETSEL, s ? TRUE : FALSE, i); }
  int ItemIndex() const override {
    if (IsCombo()) return static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
    if (init_.MultiSelect) return static_cast<int>(SendMessageA(hwnd_, LB_GETCARETINDEX, 0, 0));
    return static_cast<int>(SendMessageA(hwnd_, LB_GETCURSEL, 0, 0));
  }
  void SetItemIndex(int i) override {
    if (IsCombo())
      SendMessageA(hwnd_, CB_SETCURSEL, i, 0);
    else if (init_.MultiSelect)
      SendMessageA(hwnd_, LB_SETCARETINDEX, i, FALSE);
    else
      SendMessageA(hwnd_, LB_SETCURSEL, i, 0);
  }
  void SetTopIndex(int i) override { SendMessageA(hwnd_, LB_SETTOPINDEX, i, 0); }
  std::vector<std::string> Lines() const override {
    std::vector<std::string> r;
    int n = static_cast<int>(SendMessageA(hwnd_, EM_GETLINECOUNT, 0, 0));
    std::string all = Text();
    if (all.empty()) return r;
    size_t p = 0;
    while (true) {
      size_t q = all.find("\r\n", p);
      r.push_back(all.substr(p, q == std::string::npos ? std::string::npos : q - p));
      if (q == std::string::npos) break;
      p = q + 2;
    }
    (void)n;
    return r;
  }
  void SetLines(const std::vector<std::string>& lines) override {
    std::string all;
    for (size_t i = 0; i < lines.size(); ++i) all += (i ? "\r\n" : "") + lines[i];
    SetText(all);
  }
  void ResetCaret() override { SendMessageA(hwnd_, EM_SETSEL, 0, 0); }
  void MeasureA(int& w, int& h, bool screen) override {
    HDC dc = GetDC(screen ? nullptr : hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
    SIZE sz{};
    GetTextExtentPoint32A(dc, "A", 1, &sz);
    SelectObject(dc, old);
    ReleaseDC(screen ? nullptr : hwnd_, dc);
    w = sz.cx;
    h = sz.cy;
  }
  int TextWidth(const std::string& s) override {
    HDC dc = GetDC(hwnd_);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(hwnd_, WM_GETFONT, 0, 0)));
    SIZE sz{};
    GetTextExtentPoint32A(dc, s.c_str(), static_cast<int>(s.size()), &sz);
    SelectObject(dc, old);
    ReleaseDC(hwnd_, dc);
    return sz.cx;
  }

 private:
  int HeightFor(int h) const { return init_.Kind == TWidgetKind::Combo ? h + 200 : h; }
  static void RegisterPanel() {
    static bool done = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = DefWindowProcA;
      wc.hInstance = GetModuleHandleA(nullptr);
      wc.lpszClassName = kRadioPanelClass;
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      RegisterClassA(&wc);
      return true;
    }();
    (void)done;
  }
  static LRESULT CALLBACK Proc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = static_cast<TWinWidget*>(GetPropA(h, "VxWidget"));
    if (!self) return DefWindowProcA(h, msg, wp, lp);
    WNDPROC old = self->oldProc_;
    try {
      TWidgetKind k = self->init_.Kind;
      if (msg == WM_KEYDOWN && wp == VK_RETURN && k == TWidgetKind::Edit) {
        self->owner_.KeyDown(13);
        return 0;
      }
      if (msg == WM_CHAR && wp == '\r' && k == TWidgetKind::Edit) return 0;
      bool click = (msg == WM_LBUTTONUP && GetCapture() == h) || (msg == WM_KEYUP && wp == VK_SPACE);
      if (click && (k == TWidgetKind::Button || k == TWidgetKind::CheckBox || k == TWidgetKind::Radio)) {
        LRESULT r = CallWindowProcA(old, h, msg, wp, lp);
        if (k == TWidgetKind::CheckBox) self->SetChecked(!self->Checked());
        if (k == TWidgetKind::Radio) self->SetChecked(true);
        self->owner_.Clicked();
        return r;
      }
    } catch (...) {
      // A failure of the document's reaction must not unwind through the platform.
    }
    return CallWindowProcA(old, h, msg, wp, lp);
  }

  TFormControlObj& owner_;
  TWidgetInit init_;
  HWND hwnd_ = nullptr, panel_ = nullptr;
  WNDPROC oldProc_ = nullptr;
  DWORD style_ = 0, ex_ = 0;
  int l_ = 0, t_ = -400, w_ = 0, h_ = 0;
  bool placedOnce_ = false;
};

}  // namespace

std::unique_ptr<TFormWidget> TWinFormWidgets::Create(TFormControlObj& owner, const TWidgetInit& init) {
  auto w = std::make_unique<TWinWidget>(owner, init, parent_);
  if (!w->Window()) return nullptr;
  return w;
}

HWND WidgetWindow(TFormWidget* w) { return w ? static_cast<TWinWidget*>(w)->Window() : nullptr; }

}  // namespace vx
