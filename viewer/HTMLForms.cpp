// Form controls: creation, sizing, reset, submit pairs, radio groups and Enter.
#include <algorithm>
#include <cassert>

#include "viewer/HTMLSubs.h"

namespace vx {

static int Clamp(int v, int lo, int hi) { return std::max(lo, std::min(hi, v)); }

TFormControlObj::TFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p)
    : Pos(position), List(list), Form(form), Value(p.Value), Name(p.Name) {}

TFormControlObj::~TFormControlObj() = default;

void TFormControlObj::MakeWidget(const TWidgetInit& init) {
  if (!List || !List->Widgets) return;
  Widget = List->Widgets->Create(*this, init);
  // Off-screen until painted.
  if (Widget) Widget->SetBounds(0, -400, init.Width, init.Height);
}

void TFormControlObj::Place(int left, int top) {
  Placed = true;
  if (!Widget) return;
  Widget->SetBounds(left, top, Widget->Width(), Widget->Height());
  if (!Widget->Visible()) Widget->SetVisible(true);
}

void TFormControlObj::Hide() {
  if (Widget && Widget->Visible()) Widget->SetVisible(false);
}

static TWidgetInit PreInit(TSectionList* list, TWidgetKind kind) {
  TWidgetInit i;
  i.Kind = kind;
  i.FontName = list ? list->PreFontName : "Courier New";
  i.FontSize = 10;
  return i;
}

bool THiddenFormControlObj::GetSubmitPair(int index, std::string& text) {
  if (index != 0) return false;
  text = Name + "=" + Value;
  return true;
}

TEditFormControlObj::TEditFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p)
    : TFormControlObj(list, form, position, p) {
  if (p.Size > 0) EditSize = Clamp(p.Size, 1, kMaxControlUnits);
  TWidgetInit i = PreInit(list, TWidgetKind::Edit);
  i.Text = Value;
  i.Width = 120;
  i.Height = 20;
  i.MaxLength = std::max(0, p.MaxLength);
  i.Password = HtLowerCase(p.Type) == "password";
  MakeWidget(i);
}

void TEditFormControlObj::ResetValue() {
  if (Widget) Widget->SetText(Value);
}

bool TEditFormControlObj::GetSubmitPair(int index, std::string& text) {
  if (index != 0) return false;
  text = Name + "=" + (Widget ? Widget->Text() : Value);
  return true;
}

void TEditFormControlObj::SizeToCanvas() {
  if (!Widget) return;
  int w = 0, h = 0;
  Widget->MeasureA(w, h, false);
  Widget->SetBounds(Widget->Left(), Widget->Top(), w * EditSize + 5, Widget->Height());
}

void TEditFormControlObj::KeyDown(int key) {
  if (Form) Form->ControlKeyDown(this, key);
}

TButtonFormControlObj::TButtonFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p)
    : TFormControlObj(list, form, position, p) {
  IsSubmit = HtLowerCase(p.Type) != "reset";
  if (IsSubmit && Value.empty()) Value = "Submit";
  TWidgetInit i;
  i.Kind = TWidgetKind::Button;
  i.Text = Value;
  i.Width = 75;
  i.Height = 25;
  MakeWidget(i);
}

void TButtonFormControlObj::SizeToCanvas() {
  if (!Widget) return;
  int w = 0, h = 0;
  Widget->MeasureA(w, h, false);
  Widget->SetBounds(Widget->Left(), Widget->Top(), Widget->TextWidth(Value) + 20, h + 8);
}

void TButtonFormControlObj::Clicked() {
  if (!Form) return;
  if (IsSubmit)
    Form->Submit(Name + "=" + Value, !Name.empty());
  else
    Form->ResetControls();
}

TCheckBoxFormControlObj::TCheckBoxFormControlObj(TSectionList* list, ThtmlForm* form, int position,
                                                 const TControlParams& p)
    : TFormControlObj(list, form, position, p) {
  BaselineAligned = true;
  IsChecked = p.Checked;
  if (Value.empty()) Value = "On";
  TWidgetInit i;
  i.Kind = TWidgetKind::CheckBox;
  i.Checked = IsChecked;
  i.Width = 13;
  i.Height = 13;
  MakeWidget(i);
}

void TCheckBoxFormControlObj::ResetValue() {
  if (Widget) Widget->SetChecked(IsChecked);
}

bool TCheckBoxFormControlObj::GetSubmitPair(int index, std::string& text) {
  if (index != 0) return false;
  if (Widget ? Widget->Checked() : IsChecked) text = Name + "=" + Value;
  return true;
}

TRadioButtonFormControlObj::TRadioButtonFormControlObj(TSectionList* list, ThtmlForm* form, int position,
                                                       const TControlParams& p)
    : TFormControlObj(list, form, position, p) {
  BaselineAligned = true;
  IsChecked = p.Checked;
  TWidgetInit i;
  i.Kind = TWidgetKind::Radio;
  i.Checked = IsChecked;
  i.Width = 13;
  i.Height = 14;
  MakeWidget(i);
}

void TRadioButtonFormControlObj::ResetValue() {
  if (Widget) Widget->SetChecked(IsChecked);
}

bool TRadioButtonFormControlObj::GetSubmitPair(int index, std::string& text) {
  if (index != 0) return false;
  if (Widget ? Widget->Checked() : IsChecked) text = Name + "=" + Value;
  return true;
}

void TRadioButtonFormControlObj::Clicked() {
  if (Form) Form->RadioClicked(this);
}

TListBoxFormControlObj::TListBoxFormControlObj(TSectionList* list, ThtmlForm* form, int position,
                                               const TControlParams& p, bool combo)
    : TFormControlObj(list, form, position, p) {
  Multiple = p.Multiple && !combo;
  if (p.Size > 0) Rows = Clamp(p.Size, 1, kMaxControlUnits);
  TWidgetInit i = PreInit(list, combo ? TWidgetKind::Combo : TWidgetKind::ListBox);
  i.MultiSelect = Multiple;
  i.Width = 100;
  i.Height = combo ? 22 : 60;
  MakeWidget(i);
}

void TListBoxFormControlObj::AddOption(const std::string& text, const std::string& value, bool selected) {
  Options.push_back({text, value, selected});
  LongestOption = std::max(LongestOption, std::min(static_cast<int>(text.size()), kMaxControlUnits));
}

static std::vector<std::string> OptionTexts(const std::vector<TOptionObj>& o) {
  std::vector<std::string> r;
  for (auto& x : o) r.push_back(x.Text);
  return r;
}

static int LastSelected(const std::vector<TOptionObj>& o) {
  int r = -1;
  for (int i = 0; i < static_cast<int>(o.size()); ++i)
    if (o[i].Selected) r = i;
  return r;
}

void TListBoxFormControlObj::ResetValue() {
  if (!Widget) return;
  Widget->SetItems(OptionTexts(Options));
  if (Multiple) {
    for (int i = 0; i < static_cast<int>(Options.size()); ++i) Widget->SetSelected(i, Options[i].Selected);
  } else {
    Widget->SetItemIndex(LastSelected(Options));
  }
  if (Widget->ItemIndex() < 0 && Widget->ItemCount() > 0) Widget->SetItemIndex(0);
  Widget->SetTopIndex(0);
}

void TComboFormControlObj::ResetValue() {
  if (!Widget) return;
  Widget->SetItems(OptionTexts(Options));
  int s = LastSelected(Options);
  Widget->SetItemIndex(s >= 0 ? s : 0);
}

bool TListBoxFormControlObj::GetSubmitPair(int index, std::string& text) {
  int count = Widget ? Widget->ItemCount() : static_cast<int>(Options.size());
  if (index >= count) return false;
  bool chosen;
  if (Widget)
    chosen = Multiple ? Widget->Selected(index) : Widget->ItemIndex() == index;
  else
    chosen = Multiple ? Options[index].Selected : std::max(0, LastSelected(Options)) == index;
  if (chosen) {
    std::string v = index < static_cast<int>(Options.size()) ? Options[index].Value : std::string();
    if (v.empty()) v = Widget ? Widget->Item(index) : Options[index].Text;
    text = Name + "=" + v;
  }
  return true;
}

bool TComboFormControlObj::GetSubmitPair(int index, std::string& text) {
  int count = Widget ? Widget->ItemCount() : static_cast<int>(Options.size());
  if (index >= count) return false;
  int cur = Widget ? Widget->ItemIndex() : std::max(0, LastSelected(Options));
  if (cur == index) {
    std::string v = index < static_cast<int>(Options.size()) ? Options[index].Value : std::string();
    if (v.empty()) v = Widget ? Widget->Item(index) : Options[index].Text;
    text = Name + "=" + v;
  }
  return true;
}

void TListBoxFormControlObj::SizeToCanvas() {
  RowsShown = Rows > 0 ? Rows : std::max(1, std::min(8, static_cast<int>(Options.size())));
  if (!Widget) return;
  int w = 0, h = 0;
  Widget->MeasureA(w, h, false);
  Widget->SetClientSize(w * LongestOption + 15, RowsShown * h);
}

void TComboFormControlObj::SizeToCanvas() {
  if (!Widget) return;
  int w = 0, h = 0;
  Widget->MeasureA(w, h, true);
  Widget->SetClientSize(w * LongestOption + 30, Widget->Height());
}

TTextAreaFormControlObj::TTextAreaFormControlObj(TSectionList* list, ThtmlForm* form, int position,
                                                 const TControlParams& p)
    : TFormControlObj(list, form, position, p) {
  if (p.Rows > 0) Rows = Clamp(p.Rows, 1, kMaxControlUnits);
  if (p.Cols > 0) Cols = Clamp(p.Cols, 1, kMaxControlUnits);
  TWidgetInit i = PreInit(list, TWidgetKind::Memo);
  i.Width = 200;
  i.Height = 80;
  MakeWidget(i);
}

void TTextAreaFormControlObj::ResetValue() {
  if (!Widget) return;
  Widget->SetLines(InitialLines);
  Widget->ResetCaret();
}

bool TTextAreaFormControlObj::GetSubmitPair(int index, std::string& text) {
  std::vector<std::string> lines = Widget ? Widget->Lines() : InitialLines;
  if (index >= static_cast<int>(lines.size())) return false;
  text = Name + "=" + lines[index];
  return true;
}

void TTextAreaFormControlObj::SizeToCanvas() {
  if (!Widget) return;
  int w = 0, h = 0;
  Widget->MeasureA(w, h, false);
  Widget->SetClientSize(w * Cols + 5, h * Rows + 5);
}

// ---------------------------------------------------------------- ThtmlForm
ThtmlForm* ThtmlForm::Create(TSectionList* list, const std::string& method, bool hasMethod, const std::string& action) {
  auto f = std::make_unique<ThtmlForm>();
  f->List = list;
  if (hasMethod) f->Method = method.substr(0, 4);
  f->Action = action;
  ThtmlForm* r = f.get();
  list->HtmlFormList.push_back(std::move(f));
  return r;
}

void ThtmlForm::AddControl(std::unique_ptr<TFormControlObj> c) {
  if (!c->Hidden()) ++NonHiddenCount;
  Controls.push_back(std::move(c));
}

void ThtmlForm::RadioClicked(TRadioButtonFormControlObj* sender) {
  if (sender->Name.empty()) return;
  std::string n = HtUpperCase(sender->Name);
  for (auto& c : Controls) {
    auto* r = dynamic_cast<TRadioButtonFormControlObj*>(c.get());
    if (r && r != sender && HtUpperCase(r->Name) == n && r->Widget) r->Widget->SetChecked(false);
  }
}

void ThtmlForm::ResetControls() {
  for (auto& c : Controls) c->ResetValue();
}

void ThtmlForm::ControlKeyDown(TFormControlObj*, int key) {
  if (key == 13 && NonHiddenCount == 1) Submit(std::string(), false);
}

void ThtmlForm::SizeControls() {
  for (auto& c : Controls) c->SizeToCanvas();
}

std::vector<std::string> ThtmlForm::SubmitPairs(const std::string& extra, bool hasExtra) {
  std::vector<std::string> r;
  for (auto& c : Controls) {
    std::string t;
    for (int i = 0; c->GetSubmitPair(i, t); ++i) {
      if (!t.empty()) r.push_back(t);
      t.clear();
    }
  }
  if (hasExtra) r.push_back(extra);
  return r;
}

void ThtmlForm::Submit(const std::string& extra, bool hasExtra) {
  if (!List || !List->SubmitForm) return;
  List->SubmitForm(List->TheOwner, Action, Method, SubmitPairs(extra, hasExtra));
}

// ---------------------------------------------------------------- TSection
TFormControlObj* TSection::AddFormControl(TControlTag tag, const TControlParams& p, ThtmlForm*& form) {
  if (!form) form = ThtmlForm::Create(List, std::string(), false, std::string());
  int pos = static_cast<int>(Buff.size());
  std::unique_ptr<TFormControlObj> c;
  if (tag == ctInput) {
    std::string t = HtLowerCase(p.Type);
    if (t == "submit" || t == "reset")
      c = std::make_unique<TButtonFormControlObj>(List, form, pos, p);
    else if (t == "radio")
      c = std::make_unique<TRadioButtonFormControlObj>(List, form, pos, p);
    else if (t == "checkbox")
      c = std::make_unique<TCheckBoxFormControlObj>(List, form, pos, p);
    else if (t == "hidden")
      c = std::make_unique<THiddenFormControlObj>(List, form, pos, p);
    else
      c = std::make_unique<TEditFormControlObj>(List, form, pos, p);
  } else if (tag == ctSelect) {
    if (p.Multiple || p.Size > 1)
      c = std::make_unique<TListBoxFormControlObj>(List, form, pos, p);
    else
      c = std::make_unique<TComboFormControlObj>(List, form, pos, p);
  } else {
    c = std::make_unique<TTextAreaFormControlObj>(List, form, pos, p);
  }
  TFormControlObj* r = c.get();
  form->AddControl(std::move(c));
  if (!r->Hidden()) {
    // At the end of the text, which only grows: the list stays sorted by position.
    assert(controls_.empty() || controls_.back()->Pos < r->Pos);
    controls_.push_back(r);
    Buff += '\2';
    Len = static_cast<int>(Buff.size());
  }
  return r;
}

}  // namespace vx
