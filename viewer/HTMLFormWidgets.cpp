#include "viewer/HTMLFormWidgets.h"

#include <functional>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Graphics.h"
#include "framework/win/StdCtrls.h"

namespace vx {

namespace {

// ---- a foreign parent window hands its children's notices to their framework controls --

const char* kOldProcProp = "VxFormWidgetsOldProc";
const char* kRefsProp = "VxFormWidgetsRefs";

LRESULT CALLBACK ReflectingProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto old = reinterpret_cast<WNDPROC>(GetPropA(h, kOldProcProp));
  HWND child = nullptr;
  switch (msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR: child = reinterpret_cast<HWND>(l); break;
    case WM_DRAWITEM: {
      // By the item's kind, not by wParam: the framework's controls all have the id 0.
      auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(l);
      if (di->CtlType != ODT_MENU) child = di->hwndItem;
      break;
    }
  }
  if (child && child != h) {
    TWinControl* c = FindControl(child);
    if (c && !c->Destroying()) {
      LRESULT r = 0;
      try {
        r = c->Perform(CN_BASE + msg, w, l);
      } catch (...) {
        Application->HandleException(c);
      }
      return r;
    }
  }
  if (msg == WM_NCDESTROY && old) {
    SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
    RemovePropA(h, kOldProcProp);
    RemovePropA(h, kRefsProp);
  }
  return CallWindowProcA(old ? old : DefWindowProcA, h, msg, w, l);
}

void HookParent(HWND h) {
  auto refs = reinterpret_cast<INT_PTR>(GetPropA(h, kRefsProp));
  if (refs == 0) {
    auto old =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ReflectingProc)));
    SetPropA(h, kOldProcProp, reinterpret_cast<HANDLE>(old));
  }
  SetPropA(h, kRefsProp, reinterpret_cast<HANDLE>(refs + 1));
}

void UnhookParent(HWND h) {
  if (!IsWindow(h)) return;
  auto refs = reinterpret_cast<INT_PTR>(GetPropA(h, kRefsProp));
  if (refs > 1) {
    SetPropA(h, kRefsProp, reinterpret_cast<HANDLE>(refs - 1));
    return;
  }
  // Put the old procedure back unless someone subclassed the window after us.
  auto cur = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
  if (cur != &ReflectingProc) {
    SetPropA(h, kRefsProp, reinterpret_cast<HANDLE>(1));
    return;
  }
  auto old = reinterpret_cast<WNDPROC>(GetPropA(h, kOldProcProp));
  SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
  RemovePropA(h, kOldProcProp);
  RemovePropA(h, kRefsProp);
}

// ---- the widget ------------------------------------------------------------------------

struct FreeComponent {
  void operator()(TComponent* c) const {
    if (c) c->Free();
  }
};
template <class T>
using Owned = std::unique_ptr<T, FreeComponent>;

// Tells the user's clicks from checks set by the document: every click counts, even on a
// radio button already checked (the form then unchecks its namesakes).
template <class Base>
class TUserClickable : public Base {
 public:
  using Base::Base;
  std::function<void()> OnUserClick;
  void WndProc(TMessage& m) override {
    bool click = m.Msg == CN_COMMAND && (HIWORD(m.WParam) == BN_CLICKED || HIWORD(m.WParam) == BN_DOUBLECLICKED);
    Base::WndProc(m);
    if (click && OnUserClick) OnUserClick();
  }
};

class TCtlWidget : public TFormWidget {
 public:
  TCtlWidget(TWinFormWidgets& factory, TFormControlObj& owner, const TWidgetInit& init, long serial)
      : factory_(factory), owner_(owner), kind_(init.Kind), serial_(serial) {
    switch (init.Kind) {
      case TWidgetKind::Edit: {
        auto* e = new TEdit(nullptr);
        if (init.Password) e->SetPasswordChar('*');
        if (init.MaxLength > 0) e->SetMaxLength(init.MaxLength);
        e->SetText(init.Text);
        // Enter is the form's: a lone text field submits it.
        e->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
          if (key != VK_RETURN) return;
          key = 0;
          owner_.KeyDown(13);
        };
        control_.reset(e);
        UsePreFont(init);
        break;
      }
      case TWidgetKind::Button: {
        auto* b = new TButton(nullptr);
        b->SetCaption(init.Text);
        b->OnClick = [this](TObject*) { owner_.Clicked(); };
        control_.reset(b);
        break;
      }
      case TWidgetKind::CheckBox: {
        auto* c = new TUserClickable<TCheckBox>(nullptr);
        c->SetChecked(init.Checked);
        c->OnUserClick = [this] { owner_.Clicked(); };
        control_.reset(c);
        break;
      }
      case TWidgetKind::Radio: {
        // Alone in its panel, so no platform group ties it to the other radio buttons.
        auto* p = new TPanel(nullptr);
        p->SetBevelOuter(bvNone);
        p->SetBevelInner(bvNone);
        p->SetParentColor(true);
        p->SetCaption("");
        panel_.reset(p);
        auto* r = new TUserClickable<TRadioButton>(nullptr);
        r->SetChecked(init.Checked);
        r->SetBounds(0, 0, init.Width, init.Height);
        r->SetParent(p);
        r->OnUserClick = [this] { owner_.Clicked(); };
        control_.reset(r);
        break;
      }
      case TWidgetKind::ListBox: {
        auto* l = new TListBox(nullptr);
        l->SetMultiSelect(init.MultiSelect);
        l->SetExtendedSelect(true);
        control_.reset(l);
        UsePreFont(init);
        break;
      }
      case TWidgetKind::Combo: {
        auto* c = new TComboBox(nullptr);
        c->SetStyle(csDropDownList);
        control_.reset(c);
        UsePreFont(init);
        break;
      }
      case TWidgetKind::Memo: {
        auto* m = new TMemo(nullptr);
        m->SetScrollBars(ssBoth);
        m->SetWordWrap(false);
        control_.reset(m);
        UsePreFont(init);
        break;
      }
    }
    // Hidden and off-screen until painted.
    TWinControl* outer = Outer();
    outer->SetVisible(false);
    outer->SetBounds(0, -400, init.Width, init.Height);
    // The platform sizes these (frame, scroll bars, a closed list's height): they are
    // measured on their windows.
    if (kind_ == TWidgetKind::ListBox || kind_ == TWidgetKind::Combo || kind_ == TWidgetKind::Memo) Attach();
  }

  ~TCtlWidget() override {
    if (attached_) factory_.Detach(serial_);
    control_.reset();
    panel_.reset();
  }

  TWinControl* Control() const { return control_.get(); }
  HWND Window() const { return control_ && control_->HandleAllocated() ? control_->Handle() : nullptr; }
  bool Attached() const { return attached_; }

  void SetBounds(int l, int t, int w, int h) override {
    // Unchanged bounds move nothing: controls are placed while painting.
    Outer()->SetBounds(l, t, w, h);
    if (panel_) control_->SetBounds(0, 0, w, h);
  }
  int Left() const override { return Outer()->Left(); }
  int Top() const override { return Outer()->Top(); }
  int Width() const override { return Outer()->Width(); }
  int Height() const override { return Outer()->Height(); }
  void SetClientSize(int w, int h) override {
    if (kind_ == TWidgetKind::Combo) {
      // A closed drop-down list is as high as the platform makes it.
      SetBounds(Left(), Top(), w, Height());
      return;
    }
    if (panel_) {
      SetBounds(Left(), Top(), w, h);
      return;
    }
    control_->SetClientSize(w, h);
  }
  void SetVisible(bool v) override {
    if (v && !attached_) {
      if (failed_) return;
      // Shown for the first time: visible before its window is made, which then comes up
      // where it was placed.
      Outer()->SetVisible(true);
      try {
        Attach();
      } catch (const EOutOfResources&) {
        // No window to be had (the system's are all taken): the control stays unseen, its
        // value still part of the form, and painting goes on. Any other failure is a fault
        // and goes on to the caller.
        failed_ = true;
        Outer()->SetVisible(false);
      }
      return;
    }
    Outer()->SetVisible(v);
  }
  bool Visible() const override { return Outer()->Visible(); }
  std::string Text() const override { return control_->Text(); }
  void SetText(const std::string& s) override { control_->SetText(s); }
  bool Checked() const override {
    if (auto* c = dynamic_cast<TCheckBox*>(control_.get())) return c->Checked();
    if (auto* r = dynamic_cast<TRadioButton*>(control_.get())) return r->Checked();
    return false;
  }
  void SetChecked(bool c) override {
    if (auto* b = dynamic_cast<TCheckBox*>(control_.get())) b->SetChecked(c);
    if (auto* r = dynamic_cast<TRadioButton*>(control_.get())) r->SetChecked(c);
  }
  void SetItems(const std::vector<std::string>& items) override {
    TStrings* s = Items();
    if (!s) return;
    s->BeginUpdate();
    s->Clear();
    for (const auto& i : items) s->Add(i);
    s->EndUpdate();
  }
  int ItemCount() const override { return Items() ? Items()->Count() : 0; }
  std::string Item(int i) const override {
    TStrings* s = Items();
    return s && i >= 0 && i < s->Count() ? s->Strings(i) : std::string();
  }
  bool Selected(int i) const override {
    auto* l = List();
    return l && i >= 0 && i < l->Items()->Count() && l->Selected(i);
  }
  void SetSelected(int i, bool s) override {
    auto* l = List();
    if (l && i >= 0 && i < l->Items()->Count()) l->SetSelected(i, s);
  }
  int ItemIndex() const override {
    if (auto* l = List()) return l->ItemIndex();
    if (auto* c = Combo()) return c->ItemIndex();
    return -1;
  }
  void SetItemIndex(int i) override {
    if (auto* l = List()) l->SetItemIndex(i);
    if (auto* c = Combo()) c->SetItemIndex(i);
  }
  void SetTopIndex(int i) override {
    if (auto* l = List()) l->SetTopIndex(i);
  }
  std::vector<std::string> Lines() const override {
    std::vector<std::string> r;
    if (auto* m = Memo())
      for (int i = 0; i < m->Lines()->Count(); ++i) r.push_back(m->Lines()->Strings(i));
    return r;
  }
  void SetLines(const std::vector<std::string>& lines) override {
    std::string all;
    for (size_t i = 0; i < lines.size(); ++i) all += (i ? "\r\n" : "") + lines[i];
    control_->SetText(all);
  }
  void ResetCaret() override {
    if (auto* m = Memo()) {
      m->SetSelStart(0);
      m->SetSelLength(0);
    }
  }
  // On the control's window or on the screen alike: measured in the control's font on a
  // DC of the screen, so a control without a window yet is sized as it will be shown.
  void MeasureA(int& w, int& h, bool) override {
    SIZE sz = Extent("A");
    w = sz.cx;
    h = sz.cy;
  }
  int TextWidth(const std::string& s) override { return Extent(s).cx; }

 private:
  void Attach() {
    try {
      factory_.Attach(serial_, Outer());
      attached_ = true;
      control_->HandleNeeded();
    } catch (...) {
      attached_ = false;
      factory_.Detach(serial_);
      Outer()->SetParent(nullptr);
      Outer()->SetParentWindow(nullptr);
      throw;
    }
  }
  TWinControl* Outer() const { return panel_ ? static_cast<TWinControl*>(panel_.get()) : control_.get(); }
  TListBox* List() const { return dynamic_cast<TListBox*>(control_.get()); }
  TComboBox* Combo() const { return dynamic_cast<TComboBox*>(control_.get()); }
  TMemo* Memo() const { return dynamic_cast<TMemo*>(control_.get()); }
  TStrings* Items() const {
    if (auto* l = List()) return l->Items();
    if (auto* c = Combo()) return c->Items();
    return nullptr;
  }
  void UsePreFont(const TWidgetInit& init) {
    control_->SetParentFont(false);
    if (!init.FontName.empty()) control_->Font()->SetName(init.FontName);
    control_->Font()->SetSize(init.FontSize);
  }
  SIZE Extent(const std::string& s) const {
    // A control that takes its parent's font gets it only when put on the parent.
    const TFont* font = control_->Font();
    if (control_->ParentFont() && !Outer()->Parent() && factory_.ParentControl()) font = factory_.ParentControl()->Font();
    return factory_.TextSize(*font, s);
  }

  TWinFormWidgets& factory_;
  TFormControlObj& owner_;
  TWidgetKind kind_;
  long serial_;
  bool attached_ = false, failed_ = false;
  Owned<TWinControl> control_;
  Owned<TPanel> panel_;
};

}  // namespace

TWinFormWidgets::TWinFormWidgets(HWND parent) : parent_(parent), parentControl_(FindControl(parent)) {
  if (!parentControl_ && parent_) {
    HookParent(parent_);
    reflecting_ = true;
  }
}

TWinFormWidgets::TWinFormWidgets(TWinControl* parent)
    : parent_(parent ? parent->Handle() : nullptr), parentControl_(parent) {}

TWinFormWidgets::~TWinFormWidgets() {
  if (reflecting_) UnhookParent(parent_);
}

std::unique_ptr<TFormWidget> TWinFormWidgets::Create(TFormControlObj& owner, const TWidgetInit& init) {
  if (!parentControl_ && !IsWindow(parent_)) return nullptr;
  auto w = std::make_unique<TCtlWidget>(*this, owner, init, ++serial_);
  if (w->Attached() && !w->Window()) return nullptr;
  return w;
}

void TWinFormWidgets::Attach(long serial, TWinControl* control) {
  if (!parentControl_) {
    control->SetParentWindow(parent_);
    return;
  }
  // Before the first control made after it that is already there, if any.
  auto next = attached_.upper_bound(serial);
  TWinControl* before = next == attached_.end() ? nullptr : next->second;
  control->SetParent(parentControl_);
  attached_[serial] = control;
  if (before) control->SetTabOrder(before->TabOrder());
}

void TWinFormWidgets::Detach(long serial) { attached_.erase(serial); }

SIZE TWinFormWidgets::TextSize(const TFont& font, const std::string& text) {
  // Every layout sizes every control, mostly by the same few texts in one or two fonts.
  LOGFONTA lf = font.LogFont();
  std::string key(reinterpret_cast<const char*>(&lf), sizeof lf);
  key += text;
  auto it = sizes_.find(key);
  if (it != sizes_.end()) return it->second;
  if (!measure_) measure_.Reset(CreateCompatibleDC(nullptr));
  SIZE sz{};
  if (!measure_) return sz;
  {
    TSelected selectFont(measure_, font.Handle());
    GetTextExtentPoint32A(measure_, text.c_str(), static_cast<int>(text.size()), &sz);
  }
  if (sizes_.size() >= 4096) sizes_.clear();  // a viewer lives long and reads many pages
  sizes_.emplace(std::move(key), sz);
  return sz;
}

HWND WidgetWindow(TFormWidget* w) {
  auto* c = dynamic_cast<TCtlWidget*>(w);
  return c ? c->Window() : nullptr;
}

TWinControl* WidgetControl(TFormWidget* w) {
  auto* c = dynamic_cast<TCtlWidget*>(w);
  return c ? c->Control() : nullptr;
}

}  // namespace vx
