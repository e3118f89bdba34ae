// The speed bar: grid and snapping, the orientation switch, the messages to an attached
// window, the hint rules, and the stored layout through the real registry.
#include <gtest/gtest.h>

#include <vector>

#include "framework/win/Forms.h"
#include "toolkit/AppUtils.h"
#include "toolkit/Placemnt.h"
#include "toolkit/SpeedBar.h"
#include "toolkit/VCLUtils.h"
#include "toolkit/tests/forms_fixture.h"

namespace vx {
namespace {

constexpr const char* kKey = "Software\\VxTestSpeedBar";

// A frame-like form: a bar of four items and a form storage in the registry.
class TSbForm : public TForm {
 public:
  TSbForm() : TForm(nullptr) {
    SetBounds(30, 30, 400, 300);
    Storage = new TFormStorage(this);
    Storage->SetName("FormStorage1");
    Storage->SetUseRegistry(true);
    Storage->SetIniFileName(kKey);
    Storage->SetIniSection("Main");
    Bar = new TSpeedBar(this);
    Bar->SetName("MainToolBar");
    Bar->SetParent(this);
    Bar->SetIniStorage(Storage);
    AddSpeedItems(this, Bar, Bar->AddSection("Main Toolbar"), {"siNew", "siOpen", "siSave", "siCopy"});
    AfterConstruction();
  }
  const char* ClassName() const override { return "TSbForm"; }
  TSpeedItem* Item(const char* n) { return Bar->FindItemByName(n); }
  TFormStorage* Storage;
  TSpeedBar* Bar;

 protected:
  ~TSbForm() override = default;
};

class SpeedBarStore : public ::testing::Test {
 protected:
  void SetUp() override { TRegIniFile::DeleteUserKey(kKey); }
  void TearDown() override { TRegIniFile::DeleteUserKey(kKey); }
  AnsiString Read(const char* key) { return TRegIniFile(kKey).ReadString(kSection, key, "<none>"); }
  void Write(const char* key, const AnsiString& v) { TRegIniFile(kKey).WriteString(kSection, key, v); }
  static constexpr const char* kSection = "TSbFormMainToolBar";
};

TEST(SpeedBar, GridStepIsTheSmallestFittingDivisor) {
  TComponentPtr<TSpeedBar> barHolder = MakeComponent<TSpeedBar>(nullptr);
  TSpeedBar& bar = *barHolder;
  struct {
    int b, step;
  } cases[] = {{24, 8}, {23, 1}, {25, 5}, {1, 1}, {2, 1}, {30, 10}, {9, 3}};
  for (auto c : cases) {
    bar.SetBtnWidth(c.b);
    EXPECT_EQ(bar.GridStepX(), c.step) << c.b;
    EXPECT_EQ(bar.GridStepY(), bar.BtnHeight());
  }
}

TEST(SpeedBar, NewBarDefaults) {
  TComponentPtr<TSpeedBar> barHolder = MakeComponent<TSpeedBar>(nullptr);
  TSpeedBar& bar = *barHolder;
  EXPECT_EQ(bar.BtnWidth(), 24);
  EXPECT_EQ(bar.BtnHeight(), 23);
  EXPECT_EQ(bar.MinButtonOffset(), 3);
  EXPECT_EQ(bar.BtnOffsetHorz(), 3);
  EXPECT_EQ(bar.Height(), 2 * 3 + 23);
  EXPECT_EQ(bar.Align(), alTop);
  EXPECT_EQ(bar.Orientation(), boHorizontal);
  EXPECT_EQ(bar.Options(), (TSpeedbarOptions{sbAllowDrag, sbGrayedBtns}));
  EXPECT_EQ(bar.Options().Bits(), 1u | 8u);
  // No section yet: an item goes to a new unnamed one whatever index is given.
  TComponentPtr<TSpeedItem> itemHolder = MakeComponent<TSpeedItem>(nullptr);
  TSpeedItem& item = *itemHolder;
  bar.AddItem(5, &item);
  EXPECT_EQ(bar.SectionCount(), 1);
  EXPECT_EQ(bar.Sections(0), "");
  EXPECT_EQ(bar.AddSection("Tags"), 1);
  EXPECT_EQ(bar.AddSection("TAGS"), 1);
  TComponentPtr<TSpeedItem> otherHolder = MakeComponent<TSpeedItem>(nullptr);
  TSpeedItem& other = *otherHolder;
  EXPECT_THROW(bar.AddItem(7, &other), EStringListError);
  EXPECT_EQ(other.SpeedBar(), nullptr);
  bar.RemoveItem(&item);
  EXPECT_EQ(item.Section(), -1);
  EXPECT_EQ(bar.ItemsCount(0), 0);
  EXPECT_EQ(bar.Items(0, 0), nullptr);
}

TEST(SpeedBar, DroppedItemsSnapHalfToEvenAlongTheBar) {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  form.SetBounds(0, 0, 300, 200);
  TSpeedBar* bar = new TSpeedBar(&form);
  bar->SetParent(&form);
  bar->SetBevelOuter(bvNone);
  bar->SetBtnOffsetHorz(3);
  bar->SetBtnOffsetVert(2);
  bar->SetHeight(60);
  auto* item = new TSpeedItem(&form);
  bar->AddItem(0, item);
  EXPECT_TRUE(bar->PlaceDroppedItem(item, 15, 30));
  EXPECT_EQ(item->Left(), 19);  // 12 / 8 = 1.5 goes to 2
  EXPECT_EQ(item->Top(), 25);   // 28 / 23 truncated
  EXPECT_TRUE(item->Visible());
  EXPECT_EQ(item->Button()->Parent(), bar);
  bar->PlaceDroppedItem(item, 7, 2);
  EXPECT_EQ(item->Left(), 3);  // 4 / 8 = 0.5 goes to 0
  bar->PlaceDroppedItem(item, 31, 2);
  EXPECT_EQ(item->Left(), 35);  // 28 / 8 = 3.5 goes to 4
  // Below the bar: placed but hidden, and its button leaves the bar.
  EXPECT_FALSE(bar->PlaceDroppedItem(item, 15, 90));
  EXPECT_FALSE(item->Visible());
  EXPECT_EQ(item->Button()->Parent(), nullptr);
  // Never inside the offset across the bar.
  item->SetTop(0);
  EXPECT_EQ(item->Top(), 2);
  TComponentPtr<TSpeedItem> strangerHolder = MakeComponent<TSpeedItem>(nullptr);
  TSpeedItem& stranger = *strangerHolder;
  EXPECT_FALSE(bar->PlaceDroppedItem(&stranger, 15, 30));
}

// A window that records what the bar sends it.
struct Recorder {
  std::vector<std::pair<WPARAM, LPARAM>> got;
  HWND h = AllocateHWnd([this](TMessage& m) {
    if (m.Msg == CM_SPEEDBARCHANGED) got.emplace_back(m.WParam, m.LParam);
  });
  ~Recorder() { DeallocateHWnd(h); }
};

TEST(SpeedBar, OrientationSwitchTransposesTheLayout) {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  form.SetBounds(0, 0, 300, 200);
  TSpeedBar* bar = new TSpeedBar(&form);
  bar->SetParent(&form);
  bar->SetOptions(TSpeedbarOptions{sbAllowDrag, sbFlatBtns});
  bar->SetBtnOffsetVert(4);
  auto* item = new TSpeedItem(&form);
  bar->AddItem(bar->AddSection("S"), item);
  item->SetLeft(27);
  item->SetTop(4);
  item->SetVisible(true);
  form.HandleNeeded();
  Recorder rec;
  bar->SetSetupWindowHandle(rec.h);
  EXPECT_TRUE(item->Editing());
  EXPECT_FALSE(item->Button()->Flat());  // customise mode shows frames

  bar->SetAlign(alLeft);
  EXPECT_EQ(bar->Orientation(), boVertical);
  EXPECT_EQ(bar->BtnWidth(), 23);
  EXPECT_EQ(bar->BtnHeight(), 24);
  EXPECT_EQ(bar->BtnOffsetHorz(), 4);
  EXPECT_EQ(bar->BtnOffsetVert(), 3);
  EXPECT_EQ(bar->GridStepX(), 23);
  EXPECT_EQ(bar->GridStepY(), 8);
  EXPECT_EQ(item->Left(), 4);
  EXPECT_EQ(item->Top(), 27);
  EXPECT_EQ(item->Button()->Width(), 23);
  // The bar keeps its thickness on the new side.
  EXPECT_EQ(bar->Width(), 2 * 3 + 23);
  ASSERT_FALSE(rec.got.empty());
  EXPECT_EQ(rec.got.back().first, SBR_BTNSIZECHANGED);
  EXPECT_EQ(rec.got.back().second, reinterpret_cast<LPARAM>(bar));

  // A docked bar under bpAuto cannot float or fill.
  try {
    bar->SetAlign(alNone);
    FAIL() << "alNone accepted";
  } catch (const Exception& e) {
    EXPECT_STREQ(e.what(), "Cannot set this property value while Position is bpAuto");
  }
  EXPECT_EQ(bar->Align(), alLeft);

  rec.got.clear();
  bar->SetBtnHeight(30);
  ASSERT_EQ(rec.got.size(), 1u);
  EXPECT_EQ(rec.got[0].first, SBR_BTNSIZECHANGED);
  bar->SetSetupWindowHandle(nullptr);
  EXPECT_FALSE(item->Editing());
  EXPECT_TRUE(item->Button()->Flat());

  // The window hears of the bar's end while it still exists.
  bar->SetSetupWindowHandle(rec.h);
  rec.got.clear();
  bar->Free();
  ASSERT_EQ(rec.got.size(), 1u);
  EXPECT_EQ(rec.got[0].first, SBR_DESTROYED);
}

TEST(SpeedBar, VisibleAndEnabledFollowTheBar) {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  TSpeedBar* bar = new TSpeedBar(&form);
  bar->SetParent(&form);
  auto* item = new TSpeedItem(&form);
  bar->AddItem(0, item);
  item->SetVisible(true);
  EXPECT_EQ(item->Button()->Parent(), bar);
  bar->SetVisible(false);
  EXPECT_EQ(item->Button()->Parent(), nullptr);
  EXPECT_TRUE(item->Visible());
  bar->SetVisible(true);
  EXPECT_EQ(item->Button()->Parent(), bar);
  bar->SetEnabled(false);
  EXPECT_FALSE(item->Button()->Enabled());
  EXPECT_TRUE(item->Enabled());
  bar->SetEnabled(true);
  item->SetEnabled(false);
  EXPECT_FALSE(item->Button()->Enabled());
  item->SetEditing(true);
  EXPECT_TRUE(item->Button()->Enabled());
  item->SetEditing(false);
  EXPECT_FALSE(item->Button()->Enabled());
  // A destroyed item leaves its bar; a removed section destroys its items.
  auto* second = new TSpeedItem(&form);
  bar->AddItem(bar->AddSection("B"), second);
  item->Free();
  EXPECT_EQ(bar->ItemsCount(0), 0);
  bar->RemoveSection(0);
  EXPECT_EQ(bar->SectionCount(), 1);
  EXPECT_EQ(second->Section(), 0);
  bar->RemoveAllSections();
}

TEST(SpeedBar, HintFollowsTheCaption) {
  TComponentPtr<TForm> formHolder = MakeComponent<TForm>(nullptr);
  TForm& form = *formHolder;
  TSpeedItem* item = new TSpeedItem(&form);
  item->SetCaption("Open");
  EXPECT_EQ(item->Hint(), "Open|");
  item->SetHint("Open|Open a file");
  item->SetCaption("Load");
  EXPECT_EQ(item->Hint(), "Load|Open a file");
  item->SetHint("Other");
  item->SetCaption("Save");
  EXPECT_EQ(item->Hint(), "Other");

  TComponentPtr<TSpeedItem> looseHolder = MakeComponent<TSpeedItem>(nullptr);
  TSpeedItem& loose = *looseHolder;
  loose.SetCaption("Edit|Edit the text");
  EXPECT_EQ(loose.Hint(), "Edit|Edit the text");
  loose.SetCaption("Cut|");
  EXPECT_EQ(loose.Hint(), "Cut|Edit the text");

  TSpeedItem* loading = new TSpeedItem(&form);
  loading->SetHint("Kept|As it was");
  form.SetComponentState(csLoading, true);
  loading->SetCaption("Kept");
  form.SetComponentState(csLoading, false);
  EXPECT_EQ(loading->Hint(), "Kept|As it was");

  // A rename carries a caption that was the old name along.
  TSpeedItem* named = new TSpeedItem(&form);
  named->SetName("siOne");
  EXPECT_EQ(named->Caption(), "siOne");
  named->SetName("siTwo");
  EXPECT_EQ(named->Caption(), "siTwo");
  EXPECT_EQ(named->Hint(), "siTwo|");
}

TEST_F(SpeedBarStore, LayoutSurvivesARestart) {
  {
    TComponentPtr<TSbForm> fHolder = MakeComponent<TSbForm>();
    TSbForm& f = *fHolder;
    f.Show();
    Pump();
    f.Item("siOpen")->SetVisible(false);
    f.Item("siCopy")->SetLeft(99);
    EXPECT_TRUE(f.CloseQuery());
    f.Hide();
  }
  EXPECT_EQ(Read("Position"), "1");
  EXPECT_EQ(Read("Width"), "29");
  EXPECT_EQ(Read("Version"), "0");
  EXPECT_EQ(Read("BtnWidth"), "24");
  EXPECT_EQ(Read("BtnHeight"), "23");
  EXPECT_EQ(Read("Count"), "3");
  EXPECT_EQ(Read("Button1"), "siNew,3,3");
  EXPECT_EQ(Read("Button2"), "siSave,51,3");
  EXPECT_EQ(Read("Button3"), "siCopy,99,3");
  EXPECT_EQ(Read("Button4"), "<none>");

  TComponentPtr<TSbForm> gHolder = MakeComponent<TSbForm>();
  TSbForm& g = *gHolder;
  EXPECT_TRUE(g.Item("siOpen")->Visible());
  g.Show();
  Pump();
  EXPECT_FALSE(g.Item("siOpen")->Visible());
  EXPECT_EQ(g.Item("siOpen")->Button()->Parent(), nullptr);
  EXPECT_EQ(g.Item("siCopy")->Left(), 99);
  EXPECT_TRUE(g.Item("siSave")->Visible());
  // Shown again and saved again: back in the list.
  g.Item("siOpen")->SetVisible(true);
  EXPECT_TRUE(g.CloseQuery());
  g.Hide();
  EXPECT_EQ(Read("Count"), "4");
  EXPECT_EQ(Read("Button2"), "siOpen,27,3");
}

TEST_F(SpeedBarStore, RestoreGuards) {
  TComponentPtr<TSbForm> fHolder = MakeComponent<TSbForm>();
  TSbForm& f = *fHolder;
  TRegIniFile store(kKey);
  TSpeedBar* bar = f.Bar;
  auto reset = [&] {
    store.EraseSection(kSection);
    Write("Count", "1");
    Write("Button1", "siNew,51,3");
  };
  // Larger stored buttons: the positions are not for this bar.
  reset();
  Write("BtnWidth", "30");
  bar->RestoreLayout(&store, kSection);
  EXPECT_EQ(f.Item("siNew")->Left(), 3);
  EXPECT_TRUE(f.Item("siOpen")->Visible());
  // Smaller ones are fine.
  reset();
  Write("BtnWidth", "20");
  bar->RestoreLayout(&store, kSection);
  EXPECT_EQ(f.Item("siNew")->Left(), 51);
  EXPECT_FALSE(f.Item("siOpen")->Visible());
  // An older version is ignored; none at all restores.
  bar->SetVersion(2);
  reset();
  Write("Version", "1");
  Write("Button1", "siOpen,3,3");
  bar->RestoreLayout(&store, kSection);
  EXPECT_FALSE(f.Item("siOpen")->Visible());
  store.DeleteKey(kSection, "Version");
  bar->RestoreLayout(&store, kSection);
  EXPECT_TRUE(f.Item("siOpen")->Visible());
  EXPECT_FALSE(f.Item("siNew")->Visible());
  // Count 0 changes nothing.
  reset();
  Write("Count", "0");
  bar->RestoreLayout(&store, kSection);
  EXPECT_TRUE(f.Item("siOpen")->Visible());
  // Blanks round the commas, a bare name, an unknown name, a bad number.
  reset();
  Write("Count", "4");
  Write("Button1", "siOpen, 27 , 2");
  Write("Button2", "siSave");
  Write("Button3", "siNone,1,1");
  Write("Button4", "siCopy,x,7");
  f.Item("siSave")->SetLeft(75);
  f.Item("siCopy")->SetLeft(80);
  bar->RestoreLayout(&store, kSection);
  EXPECT_EQ(f.Item("siOpen")->Left(), 27);
  EXPECT_EQ(f.Item("siOpen")->Top(), 3);  // 2 is raised to the offset
  EXPECT_EQ(f.Item("siSave")->Left(), 75);
  EXPECT_TRUE(f.Item("siSave")->Visible());
  EXPECT_EQ(f.Item("siCopy")->Left(), 80);
  EXPECT_EQ(f.Item("siCopy")->Top(), 7);
  EXPECT_FALSE(f.Item("siNew")->Visible());
  // A damaged position docks at the top.
  Write("Position", "17");
  bar->RestoreLayout(&store, kSection);
  EXPECT_EQ(bar->Align(), alTop);
  Write("Position", "3");
  bool moved = false;
  bar->OnPosChanged = [&](TObject*) { moved = true; };
  bar->RestoreLayout(&store, kSection);
  EXPECT_EQ(bar->Align(), alLeft);
  EXPECT_TRUE(moved);
}

TEST_F(SpeedBarStore, DamagedCountDoesNotHang) {
  TComponentPtr<TSbForm> fHolder = MakeComponent<TSbForm>();
  TSbForm& f = *fHolder;
  TRegIniFile store(kKey);
  Write("Count", "2000000000");
  Write("Button1", "siSave,3,3");
  Write("Button1024", "siNew,27,3");
  Write("Button1025", "siOpen,51,3");
  DWORD start = GetTickCount();
  f.Bar->RestoreLayout(&store, kSection);
  EXPECT_LT(GetTickCount() - start, 60000u);
  EXPECT_TRUE(f.Item("siSave")->Visible());
  EXPECT_TRUE(f.Item("siNew")->Visible());
  EXPECT_FALSE(f.Item("siOpen")->Visible());  // past the cap
}

TEST(SpeedBarGlyphs, EveryItemOfTheProgramHasItsGlyph) {
  const char* names[] = {"siNew",  "siOpen",   "siSave",    "reloadSB", "BrowserBtn",  "BrowserBtn2",  "siCopy",
                         "siCut",  "siPaste",  "siList",    "siTable",  "siA",         "siImage",      "siFont",
                         "siChar", "siFrames", "siFormPop", "siWizard", "siCustomTag", "siSpellCheck", "siP",
                         "siPre",  "siCenter", "siDiv",     "siH1",     "siH2",        "siHn",         "siB",
                         "siU",    "siI",      "siEm",      "siCite",   "siTT",        "siSub",        "siSup",
                         "siBR",   "siHR"};
  for (const char* n : names) {
    std::unique_ptr<TBitmap> b = LoadResBitmap(GetModuleHandleA(nullptr), n);
    ASSERT_TRUE(b) << n;
    EXPECT_EQ(b->Width(), 16) << n;
    EXPECT_EQ(b->Height(), 16) << n;
    EXPECT_EQ(b->TransparentColor() & 0xFFFFFF, 0xFF00FF) << n;
    // Not blank: some pixel differs from the transparent colour.
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        if ((b->Canvas()->Pixels(x, y) & 0xFFFFFF) != 0xFF00FF) ++drawn;
    EXPECT_GT(drawn, 20) << n;
  }
  // The drag cursor is installed with the first bar.
  TComponentPtr<TSpeedBar> bar = MakeComponent<TSpeedBar>(nullptr);
  EXPECT_NE(LoadCursorA(GetModuleHandleA(nullptr), "SB_DRAG"), nullptr);
  EXPECT_EQ(Screen->Cursors(crDragHand), LoadCursorA(GetModuleHandleA(nullptr), "SB_DRAG"));
}

}  // namespace
}  // namespace vx
