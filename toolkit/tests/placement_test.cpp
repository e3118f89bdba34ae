// Form placement and storage against the real registry and real INI files: what is
// written when, what comes back on the next show, and the window limits.
#include <gtest/gtest.h>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "toolkit/AppUtils.h"
#include "toolkit/Placemnt.h"
#include "toolkit/tests/forms_fixture.h"

namespace vx {
namespace {

// A form with a panel, a check box and a form storage, as the program's forms are built.
class TTestForm : public TForm {
 public:
  explicit TTestForm(bool registry, const AnsiString& store, bool preventResize = false) : TForm(nullptr) {
    SetBounds(40, 50, 320, 240);
    Panel1 = new TPanel(this);
    Panel1->SetName("Panel1");
    Panel1->SetParent(this);
    Panel1->SetBounds(0, 0, 100, 50);
    Storage = new TFormStorage(this);
    Storage->SetName("FormStorage1");
    Storage->SetUseRegistry(registry);
    Storage->SetIniFileName(store);
    Storage->SetIniSection("Main");
    Storage->StoredProps()->Add("Panel1.Visible");
    Storage->StoredProps()->Add("Panel1.Width");
    Storage->StoredProps()->Add("Panel1.Font");
    // The form's own handler, chained beneath the storage's.
    OnCloseQuery = [this](TObject*, bool& can) {
      if (refuseClose) can = false;
    };
    Storage->SetPreventResize(preventResize);
    AfterConstruction();
  }
  const char* ClassName() const override { return "TTestForm"; }
  TPanel* Panel1;
  TFormStorage* Storage;
  bool refuseClose = false;

 protected:
  ~TTestForm() override = default;
};

class PlacementTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  void Remove() { RemoveStores(kKey, kIni); }
  bool Registry() const { return GetParam(); }
  AnsiString Store() const { return Registry() ? kKey : kIni; }
  std::unique_ptr<TCustomIniFile> Open() {
    if (Registry()) return std::make_unique<TRegIniFile>(kKey);
    return std::make_unique<TIniFile>(kIni);
  }
  AnsiString Read(const char* section, const char* key) { return Open()->ReadString(section, key, "<none>"); }
  bool Written() { return Open()->SectionExists("Main"); }
  static constexpr const char* kKey = "Software\\VxTestPlacement";
  static constexpr const char* kIni = "vxplacementtest.ini";
};

TEST_P(PlacementTest, PlacementAndPropertiesSurviveCloseAndReopen) {
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(Registry(), Store());
    TTestForm& f = *fHolder;
    f.Show();
    Pump();
    f.SetBounds(70, 80, 400, 300);
    f.Panel1->SetVisible(false);
    f.Panel1->SetWidth(77);
    f.Panel1->Font()->SetName("Courier New");
    f.Panel1->Font()->SetStyle(TFontStyles{fsBold, fsItalic});
    bool can = f.CloseQuery();
    EXPECT_TRUE(can);
    EXPECT_TRUE(f.Storage->Saved());
  }
  EXPECT_EQ(Read("Main", "Panel1_Visible"), "False");
  EXPECT_EQ(Read("Main", "Panel1_Width"), "77");
  EXPECT_EQ(Read("Main", "Panel1_FontName"), "Courier New");
  EXPECT_EQ(Read("Main", "Panel1_FontStyle"), "[fsBold,fsItalic]");
  EXPECT_EQ(Read("Main", "ShowCmd"), "1");
  EXPECT_EQ(Read("Main", "NormPos"), "70,80,470,380");
  EXPECT_EQ(Read("Main", "Flags"), "0");

  TComponentPtr<TTestForm> gHolder = MakeComponent<TTestForm>(Registry(), Store());
  TTestForm& g = *gHolder;
  EXPECT_TRUE(g.Panel1->Visible());
  g.Show();
  Pump();
  EXPECT_FALSE(g.Panel1->Visible());
  EXPECT_EQ(g.Panel1->Width(), 77);
  EXPECT_EQ(g.Panel1->Font()->Name(), "Courier New");
  EXPECT_EQ(g.Panel1->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
  RECT r{};
  GetWindowRect(g.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 400);
  EXPECT_EQ(r.bottom - r.top, 300);
  g.Hide();
}

TEST_P(PlacementTest, NeverShownWritesNothing) {
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(Registry(), Store());
    TTestForm& f = *fHolder;
    f.Panel1->SetWidth(5);
  }
  EXPECT_FALSE(Written());
}

TEST_P(PlacementTest, RefusedCloseSavesNothingAndDestroyAfterSaveDoesNotSaveAgain) {
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(Registry(), Store());
    TTestForm& f = *fHolder;
    f.Show();
    Pump();
    f.refuseClose = true;
    EXPECT_FALSE(f.CloseQuery());
    EXPECT_FALSE(Written());
    f.refuseClose = false;
    EXPECT_TRUE(f.CloseQuery());
    EXPECT_TRUE(Written());
    Remove();
    f.Hide();
  }
  // Destroyed after a save: nothing written again.
  EXPECT_FALSE(Written());
}

TEST_P(PlacementTest, DestroyWithoutSaveSinceRestoreSaves) {
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(Registry(), Store());
    TTestForm& f = *fHolder;
    f.Show();
    Pump();
    f.Panel1->SetWidth(55);
    f.Hide();
  }
  EXPECT_EQ(Read("Main", "Panel1_Width"), "55");
}

INSTANTIATE_TEST_SUITE_P(Stores, PlacementTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Registry" : "IniFile"; });

class StoredValues : public ::testing::Test {
 protected:
  void SetUp() override { TRegIniFile::DeleteUserKey(kKey); }
  void TearDown() override { TRegIniFile::DeleteUserKey(kKey); }
  void Put(const char* key, const char* value) {
    TRegIniFile reg(kKey);
    reg.WriteString("Main", key, value);
  }
  static constexpr const char* kKey = "Software\\VxTestPlacementValues";
};

TEST_F(StoredValues, OffScreenRectangleComesOntoTheWorkArea) {
  Put("NormPos", "9000,9000,9300,9200");
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
  TTestForm& f = *fHolder;
  f.Show();
  Pump();
  RECT r{}, work{};
  GetWindowRect(f.Handle(), &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(r.right - r.left, 300);
  EXPECT_EQ(r.bottom - r.top, 200);
  EXPECT_GE(r.left, work.left);
  EXPECT_LE(r.right, work.right);
  EXPECT_LE(r.bottom, work.bottom);
  f.Hide();
}

TEST_F(StoredValues, ShortNormPosAndFixedBorders) {
  Put("NormPos", "15,25");
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
    TTestForm& f = *fHolder;
    f.Show();
    Pump();
    RECT r{};
    GetWindowRect(f.Handle(), &r);
    EXPECT_EQ(r.left, 15);
    EXPECT_EQ(r.top, 25);
    // Missing words: the form's own right and bottom.
    EXPECT_EQ(r.right, 40 + 320);
    EXPECT_EQ(r.bottom, 50 + 240);
    f.Hide();
  }
  Put("NormPos", "30,35,530,535");
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
    TTestForm& f = *fHolder;
    f.SetBorderStyle(bsDialog);
    f.Show();
    Pump();
    RECT r{};
    GetWindowRect(f.Handle(), &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.right - r.left, 320);  // a dialog keeps its designed size
    f.Hide();
  }
  Put("NormPos", "300,35,200,535");  // right not beyond left: not applied
  Put("ShowCmd", "3");
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
    TTestForm& f = *fHolder;
    f.Show();
    Pump();
    RECT r{};
    GetWindowRect(f.Handle(), &r);
    EXPECT_NE(r.left, 300);
    EXPECT_EQ(f.WindowState(), wsMaximized);  // the state still comes back
    f.Hide();
  }
}

TEST_F(StoredValues, MinimisedMainFormMinimisesTheProgram) {
  Put("ShowCmd", "2");
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
  TTestForm& f = *fHolder;
  TForm* oldMain = Application->MainForm();
  Application->SetMainForm(&f);
  f.Show();
  Pump();
  EXPECT_TRUE(IsIconic(f.Handle()));
  Application->SetMainForm(oldMain);
  f.Hide();
}

TEST_F(StoredValues, MdiMainFormOpensMaximisedWithoutAStoredState) {
  Put("NormPos", "10,10,400,300");
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
  TTestForm& f = *fHolder;
  f.SetFormStyle(fsMDIForm);
  TForm* oldMain = Application->MainForm();
  Application->SetMainForm(&f);
  f.Show();
  Pump();
  EXPECT_TRUE(IsZoomed(f.Handle()));
  Application->SetMainForm(oldMain);
  f.Hide();
}

TEST_F(StoredValues, ActiveControlComesBackWithItsOption) {
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
    TTestForm& f = *fHolder;
    auto* edit = new TCustomControl(&f);
    edit->SetName("Edit1");
    edit->SetParent(&f);
    edit->SetTabStop(true);
    f.Storage->SetOptions(TPlacementOptions{fpPosition, fpActiveControl});
    f.Show();
    Pump();
    f.SetActiveControl(edit);
    f.CloseQuery();
    f.Hide();
  }
  {
    TRegIniFile reg(kKey);
    EXPECT_EQ(reg.ReadString("Main", "ActiveControl", ""), "Edit1");
  }
  TComponentPtr<TTestForm> gHolder = MakeComponent<TTestForm>(true, kKey);
  TTestForm& g = *gHolder;
  auto* edit = new TCustomControl(&g);
  edit->SetName("Edit1");
  edit->SetParent(&g);
  edit->SetTabStop(true);
  g.Storage->SetOptions(TPlacementOptions{fpActiveControl});
  g.Show();
  Pump();
  EXPECT_EQ(g.ActiveControl(), edit);
  g.Hide();
}

TEST_F(StoredValues, StoredLinesFollowRenamesAndRemovals) {
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, kKey);
  TTestForm& f = *fHolder;
  auto* extra = new TCustomControl(&f);
  extra->SetName("Extra");
  f.Storage->StoredProps()->Add("Extra.Width");
  f.Storage->StoredProps()->Add(" Panel1 . Height ");
  f.Show();
  Pump();
  f.Panel1->SetName("pnlExplore");
  extra->Free();
  f.CloseQuery();
  TStrings* lines = f.Storage->StoredProps();
  EXPECT_EQ(lines->IndexOf("Extra.Width"), -1);
  EXPECT_NE(lines->IndexOf("pnlExplore.Visible"), -1);
  EXPECT_NE(lines->IndexOf("pnlExplore.Height"), -1);
  TRegIniFile reg(kKey);
  EXPECT_TRUE(reg.ValueExists("Main", "pnlExplore_Height"));
  EXPECT_TRUE(reg.ValueExists("Main", "pnlExplore_FontName"));
  EXPECT_FALSE(reg.ValueExists("Main", "Extra_Width"));
  f.Hide();
}

TEST(FormLimits, MinMaxInfoClampsTheSize) {
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, "Software\\VxTestLimits");
  TTestForm& f = *fHolder;
  f.Storage->SetActive(false);
  TWinMinMaxInfo* mm = f.Storage->MinMaxInfo();
  mm->SetMinTrackWidth(200);
  mm->SetMinTrackHeight(200);
  mm->SetMaxTrackWidth(600);
  mm->SetMaxTrackHeight(400);
  EXPECT_TRUE(f.Storage->WindowHook()->Active());
  f.Show();
  Pump();
  SetWindowPos(f.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
  RECT r{};
  GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 200);
  SetWindowPos(f.Handle(), nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 400);
  // Unset values keep the system's limits.
  MINMAXINFO info{};
  info.ptMaxTrackSize = POINT{1234, 987};
  info.ptMaxSize = POINT{1111, 999};
  SendMessageA(f.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 600);
  EXPECT_EQ(info.ptMaxSize.x, 1111);
  // Emptied limits take the hook away.
  for (int i = 0; i < 8; ++i) mm->SetMinMaxInfo(i, 0);
  EXPECT_FALSE(f.Storage->WindowHook()->Active());
  f.Hide();
  TRegIniFile::DeleteUserKey("Software\\VxTestLimits");
}

TEST(FormLimits, PreventResizeSurvivesRecreation) {
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, "Software\\VxTestPrevent");
  TTestForm& f = *fHolder;
  f.Storage->SetActive(false);
  f.Show();
  Pump();
  HWND before = f.Handle();
  ASSERT_TRUE(GetWindowLongA(before, GWL_STYLE) & WS_MAXIMIZEBOX);
  f.Storage->SetPreventResize(true);
  Pump();  // the re-hook of the re-created window is posted
  HWND w = f.Handle();
  EXPECT_NE(w, before);
  EXPECT_FALSE(GetWindowLongA(w, GWL_STYLE) & WS_MAXIMIZEBOX);
  RECT r{};
  GetWindowRect(w, &r);
  LRESULT hit = SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(r.right - 2, (r.top + r.bottom) / 2));
  EXPECT_EQ(hit, HTNOWHERE);
  HMENU sys = GetSystemMenu(w, FALSE);
  SendMessageA(w, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sys), MAKELPARAM(0, 1));
  EXPECT_TRUE(GetMenuState(sys, SC_SIZE, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(sys, SC_MAXIMIZE, MF_BYCOMMAND) & MF_GRAYED);
  int width = r.right - r.left;
  SetWindowPos(w, nullptr, 0, 0, width + 100, 500, SWP_NOMOVE | SWP_NOZORDER);
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, width);

  f.Storage->SetPreventResize(false);
  Pump();
  EXPECT_TRUE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  f.Hide();
  TRegIniFile::DeleteUserKey("Software\\VxTestPrevent");
}

TEST(FormLimits, PreventResizeSetWhileTheFormIsBuilt) {
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, "Software\\VxTestPreventBuilt", true);
  TTestForm& f = *fHolder;
  f.Storage->SetActive(false);
  EXPECT_TRUE(f.Storage->WindowHook()->Active());
  f.Show();
  Pump();
  EXPECT_FALSE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  RECT r{};
  GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(SendMessageA(f.Handle(), WM_NCHITTEST, 0, MAKELPARAM(r.left + 1, r.top + 60)), HTNOWHERE);
  // A dialog gets no maximise box back when the limit goes.
  f.SetBorderStyle(bsDialog);
  f.Storage->SetPreventResize(false);
  Pump();
  EXPECT_FALSE(GetWindowLongA(f.Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  f.Hide();
  TRegIniFile::DeleteUserKey("Software\\VxTestPreventBuilt");
}

TEST(FormLinks, LinksSaveAndLoadWhileTheStoreIsOpen) {
  const char* key = "Software\\VxTestLinks";
  TRegIniFile::DeleteUserKey(key);
  TIniLink link;
  int saves = 0, loads = 0;
  {
    TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, key);
    TTestForm& f = *fHolder;
    link.OnSave = [&](TObject* s) {
      ++saves;
      auto* l = static_cast<TIniLink*>(s);
      ASSERT_NE(l->CurrentStorage(), nullptr);
      StorageWriteString(l->CurrentStorage(), "TTestForm.Linked", "Item_0", "a.htm");
    };
    link.OnLoad = [&](TObject* s) {
      ++loads;
      EXPECT_NE(static_cast<TIniLink*>(s)->CurrentStorage(), nullptr);
    };
    link.SetStorage(f.Storage);
    EXPECT_EQ(link.CurrentStorage(), nullptr);
    f.Show();
    Pump();
    EXPECT_EQ(loads, 1);
    f.CloseQuery();
    EXPECT_EQ(saves, 1);
    f.Hide();
  }
  EXPECT_EQ(link.Storage(), nullptr);  // the placement let its links go
  TRegIniFile reg(key);
  EXPECT_EQ(reg.ReadString("TTestForm.Linked", "Item_0", ""), "a.htm");
  TRegIniFile::DeleteUserKey(key);
}

TEST(StorageNames, Defaults) {
  TComponentPtr<TTestForm> fHolder = MakeComponent<TTestForm>(true, "x");
  TTestForm& f = *fHolder;
  EXPECT_EQ(DefaultStorageSection(&f), "TTestForm");
  EXPECT_EQ(DefaultStorageSection(f.Panel1), "TTestFormPanel1");
  EXPECT_EQ(DefaultStorageSection(f.Storage), "TTestForm.FormStorage1");
  EXPECT_EQ(DefaultStorageSection(nullptr), "");
  EXPECT_EQ(DefaultIniFileName(), "toolkit_tests.INI");
  EXPECT_EQ(DefaultRegistryKey(), "Software\\toolkit_tests");
  f.Storage->SetIniFileName("");
  f.Storage->SetIniSection("");
  EXPECT_EQ(f.Storage->GetIniFileName(), "Software\\toolkit_tests");
  f.Storage->SetUseRegistry(false);
  EXPECT_EQ(f.Storage->GetIniFileName(), "toolkit_tests.INI");
  EXPECT_EQ(f.Storage->GetIniSection(), "TTestForm");
}

}  // namespace
}  // namespace vx
