// The colour and font lists: what they list, values they do not list, when OnChange
// fires, and what the closed list shows on the screen.
#include <gtest/gtest.h>

#include <set>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/Printers.h"
#include "toolkit/ZXCombos.h"

namespace vx {
namespace {

int TextHeight(TFont* f) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, f->Handle());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

void Pump() {
  for (int i = 0; i < 3; ++i) Application->ProcessMessages();
}

struct ComboForm {
  TForm* form;
  ComboForm() {
    form = new TForm(nullptr);
    form->SetBounds(40, 40, 320, 200);
    form->AfterConstruction();
  }
  ~ComboForm() { form->Free(); }
  void Show() {
    form->Show();
    Pump();
  }
};

// The pixels of a control's window as they are on the screen.
struct Shot {
  TBitmap bmp;
  explicit Shot(TWinControl* c) {
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();
    RECT r;
    GetWindowRect(c->Handle(), &r);
    bmp.SetSize(r.right - r.left, r.bottom - r.top);
    HDC screen = GetDC(nullptr);
    BitBlt(bmp.Canvas()->Handle(), 0, 0, bmp.Width(), bmp.Height(), screen, r.left, r.top, SRCCOPY);
    ReleaseDC(nullptr, screen);
  }
  COLORREF At(int x, int y) { return GetPixel(bmp.Canvas()->Handle(), x, y) & 0xFFFFFF; }
  // The first pixel of colour c, scanning rows from the top; false when there is none.
  bool Find(COLORREF c, int& fx, int& fy) {
    for (int y = 0; y < bmp.Height(); ++y)
      for (int x = 0; x < bmp.Width(); ++x)
        if (At(x, y) == c) {
          fx = x;
          fy = y;
          return true;
        }
    return false;
  }
};

TEST(ColorComboBox, ListsTheSixteenColoursAndKeepsOthers) {
  ComboForm f;
  auto* c = new TColorComboBox(f.form);
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  // Set before the list exists: kept and selected once it does.
  c->SetColorValue(0x0000FF);
  EXPECT_EQ(changes, 1);
  c->SetParent(f.form);
  f.Show();
  ASSERT_EQ(c->Items()->Count(), 16);
  EXPECT_EQ(c->Items()->Strings(0), "Black");
  EXPECT_EQ(c->Items()->Strings(8), "Silver");
  EXPECT_EQ(c->Items()->Strings(15), "White");
  EXPECT_EQ(c->Items()->Strings(c->ItemIndex()), "Red");

  c->SetColorValue(0x0000FF);  // the same colour again: nothing
  EXPECT_EQ(changes, 1);
  // The preview's default background is a system colour the list does not offer: it
  // stays what it is, and no line claims it.
  c->SetColorValue(clBtnFace);
  EXPECT_EQ(c->ColorValue(), clBtnFace);
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(changes, 2);
  c->SetColorValue(clBtnFace);
  EXPECT_EQ(changes, 2);
  // Made again (a font change does that), the list still does not claim it.
  c->Font()->SetSize(14);
  Pump();
  EXPECT_EQ(c->ColorValue(), clBtnFace);
  EXPECT_EQ(c->ItemIndex(), -1);
}

TEST(ColorComboBox, ChoosingALineSetsTheValueAndRepeatingItFiresOnlyOnClick) {
  ComboForm f;
  auto* c = new TColorComboBox(f.form);
  c->SetParent(f.form);
  c->SetColorValue(0x008000);  // Green, line 2
  f.Show();
  std::vector<std::string> log;
  c->OnChange = [&](TObject*) { log.push_back("change"); };
  c->OnClick = [&](TObject*) { log.push_back("click"); };
  // The user presses Down in the closed list: the next line, Olive.
  c->SetFocus();
  SendMessageA(c->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  EXPECT_EQ(c->ColorValue(), 0x008080);
  EXPECT_EQ(log, (std::vector<std::string>{"change", "click"}));
  log.clear();
  c->Click();  // the same line chosen again
  EXPECT_EQ(log, (std::vector<std::string>{"click"}));
}

TEST(ColorComboBox, DrawsTheSwatchAndTheName) {
  ComboForm f;
  auto* c = new TColorComboBox(f.form);
  c->SetParent(f.form);
  c->SetBounds(10, 10, 150, 24);
  c->SetColorValue(0x0000FF);
  f.Show();
  EXPECT_EQ(c->ItemHeight(), std::max(9, TextHeight(c->Font()) + 1));
  Shot s(c);
  // The swatch: a black outline with red inside, left of the name.
  int x, y;
  ASSERT_TRUE(s.Find(0x0000FF, x, y));
  EXPECT_EQ(s.At(x - 1, y - 1), 0x000000u);
  EXPECT_EQ(s.At(x + 19, y), 0x0000FFu);  // 22 wide: 20 inside the outline
  EXPECT_NE(s.At(x + 20, y), 0x0000FFu);
  // A colour the list does not offer is still shown: its swatch, with no name.
  c->SetColorValue(clBtnFace);
  Shot kept(c);
  EXPECT_EQ(kept.At(x, y), ColorToRGB(clBtnFace) & 0xFFFFFF);
  EXPECT_EQ(kept.At(x - 1, y - 1), 0x000000u);
  c->SetColorValue(0x0000FF);
  // Without names the swatch runs to 3 pixels before the right edge of the item.
  c->SetDisplayNames(false);
  Shot wide(c);
  ASSERT_TRUE(wide.Find(0x0000FF, x, y));
  EXPECT_EQ(wide.At(x + 60, y), 0x0000FFu);
}

TEST(FontComboBox, ListsEachFaceOnceSortedWithItsTypeAndKeepsOthers) {
  ComboForm f;
  auto* c = new TFontComboBox(f.form);
  c->SetParent(f.form);
  EXPECT_EQ(c->Device(), fdScreen);
  EXPECT_EQ(c->ItemHeight(), std::max({9, c->TrueTypeMark()->Height() - 1, TextHeight(c->Font()) + 1}));
  EXPECT_EQ(c->TrueTypeMark()->Width(), 20);
  EXPECT_EQ(c->PrinterMark()->Height(), 12);
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  c->SetFontName("courier new");
  EXPECT_EQ(changes, 1);
  f.Show();
  int n = c->Items()->Count();
  ASSERT_GT(n, 3);
  std::set<std::string> seen;
  for (int i = 0; i < n; ++i) {
    std::string name = LowerCase(c->Items()->Strings(i));
    EXPECT_TRUE(seen.insert(name).second) << name << " twice";
    if (i > 0) {
      EXPECT_LE(CompareText(c->Items()->Strings(i - 1), c->Items()->Strings(i)), 0);
    }
  }
  // The face as listed, whatever case it was asked for in.
  EXPECT_EQ(c->FontName(), "Courier New");
  EXPECT_TRUE(c->FontTypeOf(c->ItemIndex()) & TRUETYPE_FONTTYPE);

  // A face this machine lacks: no line, but the name survives for whoever stores it.
  c->SetFontName("No Such Face 42");
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->FontName(), "No Such Face 42");
  EXPECT_EQ(changes, 2);
  c->SetFontName("No Such Face 42");
  EXPECT_EQ(changes, 2);
}

TEST(FontComboBox, TrueTypeOnlyFiltersAndSwitchingBackKeepsTheChoice) {
  ComboForm f;
  auto* c = new TFontComboBox(f.form);
  c->SetParent(f.form);
  f.Show();
  int all = c->Items()->Count();
  int raster = 0;
  for (int i = 0; i < all; ++i)
    if (!(c->FontTypeOf(i) & TRUETYPE_FONTTYPE)) ++raster;
  ASSERT_GT(raster, 0) << "the test needs a face that is not TrueType (Wine's bitmap faces)";
  c->SetFontName("Arial");
  int changes = 0;
  c->OnChange = [&](TObject*) { ++changes; };
  c->SetTrueTypeOnly(true);
  EXPECT_EQ(c->Options(), TFontListOptions{foTrueTypeOnly});
  EXPECT_EQ(c->Items()->Count(), all - raster);
  for (int i = 0; i < c->Items()->Count(); ++i) EXPECT_TRUE(c->FontTypeOf(i) & TRUETYPE_FONTTYPE);
  c->SetTrueTypeOnly(false);
  EXPECT_EQ(c->Items()->Count(), all);
  EXPECT_EQ(c->FontName(), "Arial");
  EXPECT_EQ(changes, 0);  // the choice never changed
  c->SetOptions(TFontListOptions{foScalableOnly});
  for (int i = 0; i < c->Items()->Count(); ++i) EXPECT_FALSE(c->FontTypeOf(i) & RASTER_FONTTYPE);
  c->SetOptions(TFontListOptions{foFixedPitchOnly});
  EXPECT_NE(c->Items()->IndexOf("Courier New"), -1);
  EXPECT_EQ(c->Items()->IndexOf("Arial"), -1);
  // The chosen face is filtered out of the list, but the name stays chosen.
  EXPECT_EQ(c->ItemIndex(), -1);
  EXPECT_EQ(c->FontName(), "Arial");
  EXPECT_EQ(changes, 0);
}

TEST(FontComboBox, ClickFiresOnChangeAfterOnClickAndTheMarkIsDrawn) {
  ComboForm f;
  auto* c = new TFontComboBox(f.form);
  c->SetParent(f.form);
  c->SetBounds(10, 10, 200, 24);
  c->SetFontName("Arial");
  f.Show();
  std::vector<std::string> log;
  c->OnChange = [&](TObject*) { log.push_back("change " + c->FontName()); };
  c->OnClick = [&](TObject*) { log.push_back("click"); };
  c->SetFocus();
  SendMessageA(c->Handle(), WM_KEYDOWN, VK_DOWN, 0);
  Pump();
  int arial = c->Items()->IndexOf("Arial");
  ASSERT_EQ(c->ItemIndex(), arial + 1);
  EXPECT_EQ(log, (std::vector<std::string>{"click", "change " + c->Items()->Strings(arial + 1)}));
  // Selected again, the list still reports a change: the font list always does.
  log.clear();
  c->Perform(CN_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(c->Handle()));
  EXPECT_EQ(log.size(), 2u);

  // A face the list lacks is still shown by name in the closed list.
  auto ink = [](Shot& shot) {
    // Pixels unlike the item's background, which shows left of where a name starts.
    COLORREF back = shot.At(22, shot.bmp.Height() / 2);
    int n = 0;
    for (int yy = 5; yy < shot.bmp.Height() - 5; ++yy)
      for (int xx = 26; xx < shot.bmp.Width() - 30; ++xx)
        if (shot.At(xx, yy) != back) ++n;
    return n;
  };
  c->SetFontName("");
  Shot none(c);
  c->SetFontName("No Such Face 42");
  Shot named(c);
  EXPECT_EQ(ink(none), 0);
  EXPECT_GT(ink(named), 40);
  // A TrueType face in the closed list shows the mark: its grey top bar, then the black T.
  c->SetFontName("Arial");
  Shot s(c);
  int x, y;
  ASSERT_TRUE(s.Find(0x808080, x, y));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(s.At(x + i, y), 0x808080u) << i;
  EXPECT_EQ(s.At(x + 6, y + 4), 0x000000u);
}

TEST(FontComboBox, BothDevicesListAFaceOnceAndAMissingPrinterIsIgnored) {
  ComboForm f;
  auto* c = new TFontComboBox(f.form);
  c->SetParent(f.form);
  f.Show();
  int screen = c->Items()->Count();
  // A metafile stands in for the printer: it offers the same faces.
  HDC emf = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  Printer()->SetTargetDC(emf);
  c->SetDevice(fdBoth);
  EXPECT_EQ(c->Items()->Count(), screen);
  Printer()->SetTargetDC(nullptr);
  DeleteEnhMetaFile(CloseEnhMetaFile(emf));
}

TEST(ToolkitBitmap, MissingResourceNamesItself) {
  EXPECT_EQ(LoadToolkitBitmap("TTF_FONT")->Height(), 12);
  try {
    LoadToolkitBitmap("NO_SUCH_BMP");
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_STREQ(e.what(), "Resource NO_SUCH_BMP not found");
  }
}

}  // namespace
}  // namespace vx
