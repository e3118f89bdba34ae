// Form controls of a long page in THTMLViewer under Wine, as a person meets them: the
// controls in view show beside their own text, at the first paint, after scrolling and
// after a new layout; a page of hundreds of forms makes windows only for what was shown;
// and a control scrolled into view takes typing, submits, resets and tabs in page order.
// Set VORNIX_SHOTS to a folder to keep the screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Graphics.h"
#include "framework/win/tests/ScreenDriver.h"
#include "viewer/HTMLSubs.h"
#include "viewer/Htmlview.h"

using namespace vx;

namespace {

// A form's text: one word, long enough that no form's controls share a line with the
// next form's text, so that every line of the page is one form.
std::string Label(int k) {
  char b[32];
  std::snprintf(b, sizeof b, "Form%03dxxxxxxxxxxxx", k);
  return b;
}

// A small form: its text, a text field and a button or two.
std::string Form(int k, bool reset) {
  return "<FORM ACTION=\"find" + std::to_string(k) + "\">" + Label(k) + " <INPUT NAME=q VALUE=\"v" + std::to_string(k) +
         "\" SIZE=8> <INPUT TYPE=submit VALUE=Go>" + (reset ? " <INPUT TYPE=reset VALUE=Undo>" : "") + "</FORM> ";
}

// Hundreds of small forms in one paragraph.
std::string Page(int n, bool reset) {
  std::string p;
  for (int k = 0; k < n; ++k) p += Form(k, reset);
  return p;
}

struct Shown {
  HWND h;
  RECT r;  // in the panel's client area
  std::string text;
};

// The visible child windows of a viewer's panel of a class, top to bottom.
std::vector<Shown> Children(THTMLViewer* v, const char* cls) {
  HWND panel = v->PaintPanel()->Handle();
  std::vector<Shown> r;
  for (HWND h = GetWindow(panel, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    char name[32] = "";
    GetClassNameA(h, name, sizeof name);
    if (lstrcmpiA(name, cls) != 0 || !IsWindowVisible(h)) continue;
    Shown s{h, {}, {}};
    GetWindowRect(h, &s.r);
    MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&s.r), 2);
    char text[64] = "";
    GetWindowTextA(h, text, sizeof text);
    s.text = text;
    r.push_back(s);
  }
  std::sort(r.begin(), r.end(), [](const Shown& a, const Shown& b) { return a.r.top < b.r.top; });
  return r;
}

// What the screen shows left of a text field, on its rows: its form's text.
screen::TShot TextBeside(THTMLViewer* v, const Shown& f) {
  screen::TShot all = screen::Capture(screen::ClientScreenRect(v->PaintPanel()->Handle()));
  screen::TShot strip;
  strip.width = std::clamp<int>(f.r.left, 0, all.width);
  int top = std::max<int>(0, f.r.top), bottom = std::min<int>(all.height, f.r.bottom);
  strip.height = std::max(0, bottom - top);
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < strip.width; ++x) strip.pixels.push_back(all.At(x, y));
  return strip;
}

// The share of pixels where one picture has ink and the other not (1 for other sizes).
double InkDifference(const screen::TShot& a, const screen::TShot& b, COLORREF bg) {
  if (a.width != b.width || a.height != b.height || a.pixels.empty()) return 1.0;
  int differ = 0, ink = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    bool ia = screen::Ink(a.pixels[i], bg), ib = screen::Ink(b.pixels[i], bg);
    ink += ia || ib;
    differ += ia != ib;
  }
  return ink ? static_cast<double>(differ) / ink : 0.0;
}

void Paint(THTMLViewer* v) {
  v->PaintPanel()->Invalidate();
  UpdateWindow(v->PaintPanel()->Handle());
  screen::Settle(100);
}

struct FormsTest : ::testing::Test {
  TForm* form = nullptr;
  THTMLViewer* v = nullptr;
  // Shows one form alone, as the page draws it, for the screen to be compared with.
  THTMLViewer* single = nullptr;
  struct Submitted {
    std::string action;
    std::vector<std::string> results;
  };
  std::vector<Submitted> submitted;

  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(20, 20, 500, 440);
    v = new THTMLViewer(form);
    v->SetParent(form);
    v->SetBounds(5, 5, 400, 300);
    single = new THTMLViewer(form);
    single->SetParent(form);
    single->SetBounds(5, 320, 400, 60);
    v->SetOnFormSubmit([this](TObject*, const std::string& a, const std::string&, std::unique_ptr<TStringList> r) {
      Submitted s{a, {}};
      for (int i = 0; i < r->Count(); ++i) s.results.push_back(r->Strings(i));
      submitted.push_back(std::move(s));
    });
    form->Show();
    screen::WaitUntil([&] { return GetForegroundWindow() == form->Handle(); });
    screen::Settle(200);
  }
  void TearDown() override {
    form->Free();
    screen::Settle(100);
  }
  HWND Panel() { return v->PaintPanel()->Handle(); }
  void Paint() { ::Paint(v); }
  std::vector<Shown> Children(const char* cls) { return ::Children(v, cls); }
  int WindowCount() {
    int n = 0;
    for (HWND h = GetWindow(Panel(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) ++n;
    return n;
  }
  // The form a shown text field belongs to, from the value it was written with.
  static int FormOf(const Shown& s) { return s.text.size() > 1 ? std::atoi(s.text.c_str() + 1) : -1; }
  RECT OnScreen(const RECT& r) {
    RECT s = r;
    MapWindowPoints(Panel(), nullptr, reinterpret_cast<POINT*>(&s), 2);
    return s;
  }
  // The text beside form k's field when the form stands alone.
  screen::TShot TextBesideAlone(int k) {
    single->SetDefFontSize(v->DefFontSize());
    single->LoadFromString(Form(k, false));
    ::Paint(single);
    std::vector<Shown> f = ::Children(single, "Edit");
    return f.empty() ? screen::TShot{} : TextBeside(single, f[0]);
  }
  // Every text field wholly in view stands right of its own form's text, on its line:
  // the screen shows there what it shows beside the form's field when the form stands
  // alone. Returns how many fields were looked at.
  int ExpectFieldsBesideTheirText(const std::string& when) {
    screen::SaveShot(screen::Capture(screen::ClientScreenRect(Panel())), "forms_" + when);
    COLORREF bg = ColorToRGB(clBtnFace);
    int looked = 0;
    std::vector<Shown> fields = Children("Edit");
    int height = v->PaintPanel()->Height();
    for (const Shown& f : fields) {
      // Shown controls are in view, if only in part.
      EXPECT_TRUE(f.r.bottom > 0 && f.r.top < height) << when << ": " << f.text << " shown out of view";
      if (f.r.top < 0 || f.r.bottom > height) continue;
      int k = FormOf(f);
      screen::TShot here = TextBeside(v, f), alone = TextBesideAlone(k);
      EXPECT_LT(InkDifference(here, alone, bg), 0.05) << when << ": the field of form " << k;
      if (looked++ == 0) {  // the check tells one form's text from the next one's
        EXPECT_GT(InkDifference(here, TextBesideAlone(k + 1), bg), 0.05) << when;
      }
    }
    return looked;
  }
  // The one paragraph of the page holds a line per form.
  int Lines() {
    for (auto& s : v->Document()->Sections)
      if (auto* sec = dynamic_cast<TSection*>(s.get()))
        if (!sec->FormControls().empty()) return static_cast<int>(sec->Lines.size());
    return 0;
  }
};

}  // namespace

TEST_F(FormsTest, ALongPageShowsItsControlsBesideTheirTextAndMakesWindowsOnlyForThoseShown) {
  const int n = 300;
  v->LoadFromString(Page(n, false));
  ASSERT_EQ(Lines(), n);
  Paint();
  EXPECT_GE(ExpectFieldsBesideTheirText("top"), 5);
  EXPECT_EQ(Children("Edit").front().text, "v0");

  // Scrolled to the middle and to the end, the controls there show beside their text and
  // those scrolled away are gone.
  v->ScrollTo(v->VPosition() + 3000);
  Paint();
  EXPECT_GE(ExpectFieldsBesideTheirText("middle"), 5);
  std::vector<Shown> middle = Children("Edit");
  ASSERT_FALSE(middle.empty());
  EXPECT_GT(FormOf(middle.front()), 100);
  v->ScrollTo(1 << 30);
  Paint();
  EXPECT_GE(ExpectFieldsBesideTheirText("end"), 5);
  EXPECT_EQ(Children("Edit").back().text, "v" + std::to_string(n - 1));

  // Two controls a form, three views shown: windows for those, not for the whole page.
  int shownOnce = static_cast<int>(3 * (Children("Edit").size() + Children("Button").size()));
  EXPECT_LE(WindowCount(), shownOnce + 6);
  EXPECT_LT(WindowCount(), n);
}

TEST_F(FormsTest, ANewLayoutHidesTheControlsItMovesOutOfView) {
  v->LoadFromString(Page(300, false));
  v->ScrollTo(2000);
  Paint();
  std::vector<Shown> before = Children("Edit");
  ASSERT_GE(ExpectFieldsBesideTheirText("before_larger_font"), 5);
  // A larger font makes every line taller: the lower fields leave the view without any
  // scrolling and must not stay where they were.
  v->SetDefFontSize(16);
  ASSERT_EQ(Lines(), 300);
  Paint();
  EXPECT_GE(ExpectFieldsBesideTheirText("larger_font"), 3);
  std::vector<Shown> after = Children("Edit");
  EXPECT_LT(after.size(), before.size());
  for (const Shown& b : before) {
    bool stillShown = std::any_of(after.begin(), after.end(), [&](const Shown& a) { return a.h == b.h; });
    if (!stillShown) {
      EXPECT_FALSE(IsWindowVisible(b.h)) << b.text;
    }
  }
}

TEST_F(FormsTest, AControlScrolledIntoViewTakesTypingSubmitsResetsAndTabsInPageOrder) {
  v->LoadFromString(Page(300, true));
  ASSERT_EQ(Lines(), 300);
  Paint();
  v->ScrollTo(4000);
  Paint();
  std::vector<Shown> fields = Children("Edit");
  ASSERT_GE(fields.size(), 4u);
  // A form wholly in view: its field and its two buttons on one line.
  const Shown& field = fields[1];
  int k = FormOf(field);
  std::vector<Shown> buttons;
  for (const Shown& b : Children("Button"))
    if (b.r.bottom > field.r.top && b.r.top < field.r.bottom) buttons.push_back(b);
  std::sort(buttons.begin(), buttons.end(), [](const Shown& a, const Shown& b) { return a.r.left < b.r.left; });
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].text, "Go");
  EXPECT_EQ(buttons[1].text, "Undo");

  // Typed into, it submits what the user typed to its own form's action.
  screen::Click(screen::Centre(OnScreen(field.r)));
  ASSERT_TRUE(screen::WaitUntil([&] { return screen::FocusedWindow() == field.h; }));
  screen::Key(VK_END);
  screen::Type("new");
  std::string want = "v" + std::to_string(k) + "new";
  ASSERT_TRUE(screen::WaitUntil([&] {
    char t[64] = "";
    GetWindowTextA(field.h, t, sizeof t);
    return want == t;
  }));
  screen::Click(screen::Centre(OnScreen(buttons[0].r)));
  ASSERT_TRUE(screen::WaitUntil([&] { return !submitted.empty(); }));
  EXPECT_EQ(submitted[0].action, "find" + std::to_string(k));
  EXPECT_EQ(submitted[0].results, std::vector<std::string>{"q=" + want});
  // Undo puts back what the page wrote.
  screen::Click(screen::Centre(OnScreen(buttons[1].r)));
  EXPECT_TRUE(screen::WaitUntil([&] {
    char t[64] = "";
    GetWindowTextA(field.h, t, sizeof t);
    return "v" + std::to_string(k) == t;
  }));

  // Scrolled up by half a view, the forms above come into view after those below them:
  // Tab still goes through the controls in the order of the page, from the last form
  // shown now into the first one shown before, not to the next control of the window.
  single->LoadFromString(Form(999, false));
  ::Paint(single);
  ASSERT_EQ(::Children(single, "Edit").size(), 1u);
  std::set<HWND> earlier;
  for (const Shown& s : Children("Edit")) earlier.insert(s.h);
  v->ScrollTo(v->VPosition() - v->PaintPanel()->Height() / 2);
  Paint();
  fields = Children("Edit");
  size_t j = 0;
  while (j + 1 < fields.size() && !(earlier.count(fields[j].h) == 0 && earlier.count(fields[j + 1].h) == 1)) ++j;
  ASSERT_LT(j + 1, fields.size()) << "no newly shown form above one shown before";
  ASSERT_GE(fields[j].r.top, 0);
  EXPECT_EQ(FormOf(fields[j + 1]), FormOf(fields[j]) + 1);
  std::vector<HWND> order = {fields[j].h};
  for (const Shown& b : Children("Button"))
    if (b.r.bottom > fields[j].r.top && b.r.top < fields[j].r.bottom) order.push_back(b.h);
  ASSERT_EQ(order.size(), 3u);
  std::sort(order.begin() + 1, order.end(), [](HWND a, HWND b) {
    RECT ra, rb;
    GetWindowRect(a, &ra);
    GetWindowRect(b, &rb);
    return ra.left < rb.left;
  });
  order.push_back(fields[j + 1].h);
  screen::Click(screen::Centre(OnScreen(fields[j].r)));
  ASSERT_TRUE(screen::WaitUntil([&] { return screen::FocusedWindow() == order[0]; }));
  for (size_t i = 1; i < order.size(); ++i) {
    screen::Key(VK_TAB);
    EXPECT_TRUE(screen::WaitUntil([&] { return screen::FocusedWindow() == order[i]; })) << "Tab " << i;
  }
  screen::Key(VK_TAB, TShiftState{ssShift});
  EXPECT_TRUE(screen::WaitUntil([&] { return screen::FocusedWindow() == order[2]; })) << "Shift+Tab";
}
