#include <gtest/gtest.h>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
struct FormDoc {
  FakeWidgets widgets;
  TSectionList list;
  TSection* sec;
  ThtmlForm* form = nullptr;
  std::vector<std::vector<std::string>> submitted;
  FormDoc() {
    list.Widgets = &widgets;
    list.SubmitForm = [this](TObject*, const std::string& action, const std::string& method,
                             std::vector<std::string> r) {
      EXPECT_EQ(action, "go.cgi");
      EXPECT_EQ(method, "POST");
      submitted.push_back(std::move(r));
    };
    auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, Font12(), 0);
    sec = s.get();
    list.Add(std::move(s));
    form = ThtmlForm::Create(&list, "POSTED", true, "go.cgi");
  }
  TFormControlObj* Add(TSection::TControlTag tag, TControlParams p) { return sec->AddFormControl(tag, p, form); }
  static TControlParams Input(const std::string& type, const std::string& name, const std::string& value = "") {
    TControlParams p;
    p.Type = type;
    p.Name = name;
    p.Value = value;
    p.HasValue = !value.empty();
    return p;
  }
};
}  // namespace

TEST(ModelForm, SubmitPairsInOrderWithTheButtonLast) {
  FormDoc d;
  d.Add(TSection::ctInput, FormDoc::Input("hidden", "h", "1"));
  auto* edit = d.Add(TSection::ctInput, FormDoc::Input("", "e", "start"));
  d.Add(TSection::ctInput, FormDoc::Input("checkbox", "c"));
  auto ra = FormDoc::Input("radio", "a", "x");
  ra.Checked = true;
  auto* r1 = d.Add(TSection::ctInput, ra);
  auto* r2 = d.Add(TSection::ctInput, FormDoc::Input("radio", "A", "y"));
  TControlParams sel = FormDoc::Input("", "s");
  sel.Multiple = true;
  auto* lb = static_cast<TListBoxFormControlObj*>(d.Add(TSection::ctSelect, sel));
  for (int i = 0; i < 12; ++i) lb->AddOption("opt" + std::to_string(i), i == 3 ? "three" : "", i == 3 || i == 5);
  lb->ResetValue();
  auto* ta = static_cast<TTextAreaFormControlObj*>(d.Add(TSection::ctTextArea, FormDoc::Input("", "t")));
  for (auto* l : {"l1", "l2", "l3"}) ta->AddLine(l);
  ta->ResetValue();
  auto* btn = d.Add(TSection::ctInput, FormDoc::Input("submit", "go"));
  EXPECT_EQ(d.sec->Buff, std::string(7, '\2'));  // the hidden field has no marker
  EXPECT_EQ(d.form->Method, "POST");

  static_cast<FakeWidget*>(edit->Widget.get())->text = "typed";
  static_cast<FakeWidget*>(d.form->Controls[2]->Widget.get())->checked = true;
  static_cast<FakeWidget*>(r2->Widget.get())->checked = true;
  r2->Clicked();
  EXPECT_FALSE(r1->Widget->Checked());  // "a" and "A" are one group
  btn->Clicked();
  ASSERT_EQ(d.submitted.size(), 1u);
  EXPECT_EQ(d.submitted[0], (std::vector<std::string>{"h=1", "e=typed", "c=On", "A=y", "s=three", "s=opt5", "t=l1",
                                                      "t=l2", "t=l3", "go=Submit"}));
  d.form->ResetControls();
  EXPECT_EQ(edit->Widget->Text(), "start");
  EXPECT_TRUE(r1->Widget->Checked());
  EXPECT_FALSE(r2->Widget->Checked());

  d.list.DoLayout(*std::make_unique<FakeCanvas>(), 500, *std::make_unique<int>());
  EXPECT_EQ(lb->RowsShown, 8);
  EXPECT_EQ(lb->Widget->Height(), 8 * 14 + 4);
}

TEST(ModelForm, EnterSubmitsOnlyALoneEdit) {
  FormDoc d;
  auto* e = d.Add(TSection::ctInput, FormDoc::Input("text", "q"));
  d.Add(TSection::ctInput, FormDoc::Input("hidden", "h", "v"));
  e->KeyDown(13);
  EXPECT_EQ(d.submitted.size(), 1u);
  d.Add(TSection::ctInput, FormDoc::Input("submit", ""));
  e->KeyDown(13);
  EXPECT_EQ(d.submitted.size(), 1u);
}

TEST(ModelForm, KindsSizesAndClamps) {
  FormDoc d;
  auto* range = d.Add(TSection::ctInput, FormDoc::Input("range", "r"));
  EXPECT_STREQ(range->ClassName(), "TEditFormControlObj");
  TControlParams one = FormDoc::Input("", "s");
  one.Size = 1;
  EXPECT_STREQ(d.Add(TSection::ctSelect, one)->ClassName(), "TComboFormControlObj");
  TControlParams huge = FormDoc::Input("text", "big");
  huge.Size = 2000000000;
  auto* big = static_cast<TEditFormControlObj*>(d.Add(TSection::ctInput, huge));
  EXPECT_EQ(big->EditSize, kMaxControlUnits);
  TControlParams area = FormDoc::Input("", "t");
  area.Rows = 2000000000;
  area.Cols = 2000000000;
  auto* ta = static_cast<TTextAreaFormControlObj*>(d.Add(TSection::ctTextArea, area));
  EXPECT_EQ(ta->Rows, kMaxControlUnits);
  d.form->SizeControls();
  EXPECT_EQ(big->Widget->Width(), 8 * kMaxControlUnits + 5);
  // Without a current form a control makes one.
  ThtmlForm* none = nullptr;
  d.sec->AddFormControl(TSection::ctInput, FormDoc::Input("text", "x"), none);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Method, "Get");
  EXPECT_EQ(d.list.HtmlFormList.size(), 2u);
}

TEST(ModelForm, ControlsArePlacedWhenPaintedAndHiddenAfterScrolling) {
  FormDoc d;
  auto* e = d.Add(TSection::ctInput, FormDoc::Input("text", "q"));
  FakeCanvas c;
  int widest = 0;
  d.list.DoLayout(c, 500, widest);
  d.list.Paint(c, {0, 0, 500, 500}, 0, 10);
  EXPECT_TRUE(e->Widget->Visible());
  EXPECT_EQ(e->Widget->Left(), 10);
  d.list.SetScrollOffset(1000);
  d.list.Paint(c, {0, 0, 500, 500}, 0, 10);
  EXPECT_FALSE(e->Widget->Visible());
  // The print copy holds no controls: the marker takes no room and draws nothing.
  auto copy = d.list.CreateClone();
  copy->DoLayout(c, 500, widest);
  EXPECT_TRUE(static_cast<TSection*>(copy->Sections[0].get())->FormControls().empty());
}

TEST(ModelForm, ALongParagraphShowsOnlyTheControlsOnItsLinesInView) {
  FormDoc d;
  std::vector<TFormControlObj*> fields;
  for (int i = 0; i < 300; ++i) fields.push_back(d.Add(TSection::ctInput, FormDoc::Input("text", "q")));
  FakeCanvas c;
  int widest = 0;
  const THtRect view{0, 0, 500, 100};
  // The shown fields: one run of the page, each where its line is in view now.
  auto shown = [&] {
    std::vector<int> r;
    for (int i = 0; i < 300; ++i)
      if (fields[i]->Widget->Visible()) r.push_back(i);
    for (size_t k = 1; k < r.size(); ++k) EXPECT_EQ(r[k], r[k - 1] + 1) << "a field shown out of its place";
    for (int i : r) {
      EXPECT_GT(fields[i]->Widget->Top() + fields[i]->Height(), view.Top) << i;
      EXPECT_LT(fields[i]->Widget->Top(), view.Bottom) << i;
    }
    return r;
  };
  d.list.DoLayout(c, 200, widest);  // a field a line
  d.list.Paint(c, view, 0, 10);
  std::vector<int> top = shown();
  ASSERT_FALSE(top.empty());
  EXPECT_EQ(top.front(), 0);
  EXPECT_LT(top.size(), 10u);
  EXPECT_EQ(fields[299]->Widget->Top(), -400);  // never placed
  // Scrolled, those left behind hide and those come into view show.
  d.list.SetScrollOffset(2000);
  d.list.Paint(c, view, 0, 10);
  std::vector<int> middle = shown();
  ASSERT_FALSE(middle.empty());
  EXPECT_GT(middle.front(), 50);
  // Laid out wider, two fields a line, the page is half as long: those in view before are
  // far above the view now and hide without any scrolling.
  d.list.DoLayout(c, 400, widest);
  d.list.Paint(c, view, 0, 10);
  std::vector<int> wider = shown();
  ASSERT_FALSE(wider.empty());
  EXPECT_GT(wider.front(), middle.back());
}
