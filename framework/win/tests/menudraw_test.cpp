// Drop-down items drawn by the program: the check mark, the columns measured for a whole
// drop-down, and submenus that follow their items as they come and go.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/MenuDraw.h"
#include "framework/win/Menus.h"
#include "framework/win/tests/ScreenDriver.h"

using namespace vx;
using namespace vx::screen;

namespace {

TMenuItem* AddItem(TComponent* owner, TMenuItem* parent, const char* caption) {
  auto* i = new TMenuItem(owner);
  i->SetCaption(caption);
  parent->Add(i);
  return i;
}

std::vector<std::string> Entries(HMENU m) {
  std::vector<std::string> v;
  for (int i = 0; i < GetMenuItemCount(m); ++i) {
    TMenuItem* it = MenuItemAt(m, i);
    v.push_back(it ? it->Caption() : "?");
  }
  return v;
}

// Draws the item as its menu would into a metafile and lists what the drawing used: the
// faces of the fonts made, and the left edges of the texts written.
struct TDrawRecord {
  std::vector<std::string> faces;
  std::vector<int> textLefts;
};

int CALLBACK Record(HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) {
  auto* rec = reinterpret_cast<TDrawRecord*>(data);
  if (r->iType == EMR_EXTCREATEFONTINDIRECTW) {
    auto* f = reinterpret_cast<const EMREXTCREATEFONTINDIRECTW*>(r);
    char face[LF_FACESIZE] = {0};
    WideCharToMultiByte(CP_ACP, 0, f->elfw.elfLogFont.lfFaceName, -1, face, sizeof face, nullptr, nullptr);
    rec->faces.push_back(face);
  } else if (r->iType == EMR_EXTTEXTOUTW || r->iType == EMR_EXTTEXTOUTA) {
    auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
    if (t->emrtext.nChars > 0) rec->textLefts.push_back(t->rclBounds.left);
  }
  return 1;
}

TDrawRecord DrawIntoMetafile(TMenuItem* item, const RECT& rc) {
  HDC mf = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
  DRAWITEMSTRUCT d{};
  d.CtlType = ODT_MENU;
  d.itemID = item->Command();
  d.itemData = reinterpret_cast<ULONG_PTR>(item);
  d.hDC = mf;
  d.rcItem = rc;
  TMessage m{WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&d), 0};
  EXPECT_TRUE(MenuDrawMessage(m));
  HENHMETAFILE h = CloseEnhMetaFile(mf);
  TDrawRecord rec;
  EnumEnhMetaFile(nullptr, h, Record, &rec, nullptr);
  DeleteEnhMetaFile(h);
  return rec;
}

struct TInkBox {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
  bool Empty() const { return right < 0; }
};

TInkBox InkBox(const TShot& s, int x0, int x1, COLORREF back) {
  TInkBox b;
  for (int y = 0; y < s.height; ++y)
    for (int x = x0; x < x1 && x < s.width; ++x)
      if (Ink(s.At(x, y), back)) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
  return b;
}

// A tick: its right arm ends high (the right-most ink stays in the upper half) and its
// point lies low, left of the middle. A letter fills its right edge down to the baseline.
bool LooksLikeATick(const TShot& s, const TInkBox& b, COLORREF back) {
  if (b.Empty() || b.right - b.left < 4 || b.bottom - b.top < 3) return false;
  int mid = (b.top + b.bottom) / 2;
  for (int y = b.top; y <= b.bottom; ++y)
    if (Ink(s.At(b.right, y), back) && y > mid) return false;
  int lowest = -1;
  for (int x = b.left; x <= b.right; ++x)
    if (Ink(s.At(x, b.bottom), back)) {
      lowest = x;
      break;
    }
  return lowest > b.left && lowest < (b.left + b.right) / 2 + 1;
}

class TTextForm : public TForm {
 public:
  explicit TTextForm(TComponent* owner) : TForm(owner) {
    SetBounds(40, 40, 360, 240);
    SetCaption("Menus");
    Menu1 = new TMainMenu(this);
    Text1 = AddItem(this, Menu1->Items(), "&Text");
    AutoIndent = AddItem(this, Text1, "Auto &Indent");
    WordWrap = AddItem(this, Text1, "&Word Wrap");
    Syntax = AddItem(this, Text1, "&Syntax Highlight");
    AutoIndent->SetChecked(true);
    Syntax->SetRadioItem(true);
    Syntax->SetChecked(true);
    SetMenu(Menu1);
  }
  TMainMenu* Menu1;
  TMenuItem *Text1, *AutoIndent, *WordWrap, *Syntax;

 protected:
  ~TTextForm() override = default;
};

}  // namespace

TEST(MenuDraw, CheckMarksAreDrawnWithoutAnyFont) {
  TComponentPtr<TTextForm> form(new TTextForm(nullptr));
  TMenuItemLayout l = MenuItemLayout(form->AutoIndent);
  RECT rc{0, 0, l.width, l.height};
  for (TMenuItem* item : {form->AutoIndent, form->Syntax}) {
    TDrawRecord rec = DrawIntoMetafile(item, rc);
    for (const std::string& face : rec.faces) EXPECT_STRNE(face.c_str(), "Marlett") << item->Caption();
    // Only the caption is text, right of the check column.
    ASSERT_EQ(rec.textLefts.size(), 1u) << item->Caption();
    EXPECT_GE(rec.textLefts[0], l.checkWidth) << item->Caption();
  }
}

TEST(MenuDraw, TheOpenMenuShowsATickBesideACheckedItem) {
  TComponentPtr<TTextForm> form(new TTextForm(nullptr));
  form->Show();
  HWND owner = form->Handle();
  SetForegroundWindow(owner);
  Settle(200);
  TShot checked, unchecked, radio;
  auto itemShot = [&](TMenuItem* item) {
    RECT r{};
    GetMenuItemRect(owner, form->Text1->Handle(), form->Text1->IndexOf(item), &r);
    return Capture(r);
  };
  TInputScript script;
  script
      .Then(
          [&] {
            if (!MenuWindows().empty()) return true;
            RECT r{};
            if (GetMenuItemRect(owner, GetMenu(owner), 0, &r)) Click(Centre(r));
            return false;
          },
          "open the Text menu")
      .Pause(300)
      .Do(
          [&] {
            checked = itemShot(form->AutoIndent);
            unchecked = itemShot(form->WordWrap);
            radio = itemShot(form->Syntax);
            SaveShot(checked, "menudraw_checked_item");
          },
          "capture the items")
      .Do([] { Key(VK_ESCAPE); })
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return MenuWindows().empty(); }, "the menu closes");
  ASSERT_TRUE(script.Run()) << script.FailedStep();
  SaveScreen("menudraw_open_menu");
  ASSERT_GT(checked.width, 0);
  int column = MenuItemLayout(form->AutoIndent).checkWidth;
  COLORREF back = checked.At(checked.width - 2, 1);
  TInkBox tick = InkBox(checked, 0, column, back);
  EXPECT_TRUE(LooksLikeATick(checked, tick, back)) << "ink " << tick.left << "," << tick.top << " - " << tick.right
                                                  << "," << tick.bottom;
  EXPECT_TRUE(InkBox(unchecked, 0, column, back).Empty());
  // The radio item's bullet is round: as wide as it is high.
  TInkBox dot = InkBox(radio, 0, column, back);
  ASSERT_FALSE(dot.Empty());
  EXPECT_NEAR(dot.right - dot.left, dot.bottom - dot.top, 1);
}

TEST(MenuDraw, ColumnsFollowTheWidestCaptionOfTheDropDown) {
  TComponentPtr<TTextForm> form(new TTextForm(nullptr));
  TMenuItemLayout before = MenuItemLayout(form->WordWrap);
  EXPECT_EQ(MenuItemLayout(form->AutoIndent).captionWidth, before.captionWidth);
  form->AutoIndent->SetCaption("Auto Indent with a much longer caption");
  TMenuItemLayout wider = MenuItemLayout(form->WordWrap);
  EXPECT_GT(wider.captionWidth, before.captionWidth);
  form->Syntax->SetShortCut(ShortCut('H', false, true, false));
  EXPECT_GT(MenuItemLayout(form->WordWrap).shortCutWidth, 0);
  TMenuItem* longest = AddItem(form.get(), form->Text1, "An added item whose caption is the longest of them all");
  EXPECT_GT(MenuItemLayout(form->WordWrap).captionWidth, wider.captionWidth);
  longest->Free();
  EXPECT_EQ(MenuItemLayout(form->WordWrap).captionWidth, wider.captionWidth);
}

TEST(Menus, SubmenuEntriesFollowItemsAddedRemovedAndHidden) {
  TComponentPtr<TTextForm> form(new TTextForm(nullptr));
  form->Show();
  HMENU sub = form->Text1->Handle();
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"Auto &Indent", "&Word Wrap", "&Syntax Highlight"}));
  auto* first = new TMenuItem(form.get());
  first->SetCaption("First");
  form->Text1->Insert(0, first);
  form->WordWrap->SetVisible(false);
  TMenuItem* last = AddItem(form.get(), form->Text1, "Last");
  auto* middle = new TMenuItem(form.get());
  middle->SetCaption("Middle");
  form->Text1->Insert(form->Text1->IndexOf(form->Syntax), middle);
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"First", "Auto &Indent", "Middle", "&Syntax Highlight", "Last"}));
  form->WordWrap->SetVisible(true);
  middle->Free();
  form->Text1->Remove(first);
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"Auto &Indent", "&Word Wrap", "&Syntax Highlight", "Last"}));
  first->Free();
  // An item that gets its first sub-item becomes a submenu in its own menu.
  TMenuItem* more = AddItem(form.get(), form->Text1, "More");
  EXPECT_EQ(GetSubMenu(sub, 4), nullptr);
  AddItem(form.get(), more, "Inner");
  EXPECT_EQ(GetSubMenu(sub, 4), more->Handle());
  (void)last;
}

// Entries at the end, where menus are filled and cleared, with hidden items among them.
TEST(Menus, EntriesAtTheEndFollowHiddenItems) {
  TComponentPtr<TTextForm> form(new TTextForm(nullptr));
  HMENU sub = form->Text1->Handle();
  form->Syntax->SetVisible(false);  // the last item hidden
  TMenuItem* a = AddItem(form.get(), form->Text1, "A");
  TMenuItem* hidden = new TMenuItem(form.get());
  hidden->SetCaption("Hidden");
  hidden->SetVisible(false);
  form->Text1->Add(hidden);
  TMenuItem* b = AddItem(form.get(), form->Text1, "B");
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"Auto &Indent", "&Word Wrap", "A", "B"}));
  b->Free();  // the last, visible
  hidden->Free();  // the last, hidden
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"Auto &Indent", "&Word Wrap", "A"}));
  form->Text1->Remove(a);
  form->Syntax->SetVisible(true);
  AddItem(form.get(), form->Text1, "C");
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"Auto &Indent", "&Word Wrap", "&Syntax Highlight", "C"}));
  a->Free();
  form->Text1->Clear();
  EXPECT_EQ(GetMenuItemCount(sub), 0);
  AddItem(form.get(), form->Text1, "D");
  EXPECT_EQ(Entries(sub), (std::vector<std::string>{"D"}));
}

TEST(Menus, TheWindowListStaysAfterItemsAddedToTheWindowMenu) {
  TComponentPtr<TForm> frame(new TForm(nullptr));
  frame->SetFormStyle(fsMDIForm);
  frame->SetBounds(0, 0, 500, 400);
  auto* menu = new TMainMenu(frame.get());
  TMenuItem* window = AddItem(frame.get(), menu->Items(), "&Window");
  AddItem(frame.get(), window, "&Cascade");
  frame->SetMenu(menu);
  frame->SetWindowMenu(window);
  frame->Show();
  auto* child = new TForm(frame.get());
  child->SetFormStyle(fsMDIChild);
  child->SetCaption("doc.htm");
  child->Show();
  Settle(100);
  HMENU sub = window->Handle();
  int before = GetMenuItemCount(sub);
  ASSERT_GT(before, 1);  // the platform's list of child windows follows our items
  AddItem(frame.get(), window, "Explorer");
  ASSERT_EQ(GetMenuItemCount(sub), before + 1);
  EXPECT_EQ(MenuItemAt(sub, 1), window->Items(1));
  char last[64] = {0};
  GetMenuStringA(sub, before, last, sizeof last, MF_BYPOSITION);
  EXPECT_NE(std::string(last).find("doc.htm"), std::string::npos) << last;
  child->Free();
}
