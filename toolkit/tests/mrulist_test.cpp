// The recent-files list: its bound and order, the menu it builds, clicks, and the list
// kept through a form storage across a restart.
#include <gtest/gtest.h>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "toolkit/AppUtils.h"
#include "toolkit/MRUList.h"

namespace vx {
namespace {

AnsiString Names(const TStrings& s) {
  AnsiString out;
  for (int i = 0; i < s.Count(); ++i) out += (i ? "," : "") + s.Strings(i);
  return out;
}

TEST(RecentStrings, BoundedMostRecentFirstIgnoringCase) {
  TRecentStrings r;
  r.SetMaxSize(3);
  for (const char* n : {"a", "b", "c", "d"}) EXPECT_EQ(r.Add(n), 0);
  EXPECT_EQ(Names(r), "d,c,b");
  r.Add("B");
  EXPECT_EQ(Names(r), "b,d,c");  // moved up, its text unchanged
  int changes = 0;
  r.OnChange = [&](TObject*) { ++changes; };
  r.Add("e");
  EXPECT_EQ(changes, 1);  // one notice for the whole step
  r.SetMaxSize(0);
  EXPECT_EQ(r.MaxSize(), 1);
  EXPECT_EQ(Names(r), "e");

  TRecentStrings s;
  s.SetMaxSize(2);
  TStringList src;
  for (const char* n : {"x", "y", "z"}) src.Add(n);
  s.AddStrings(src);
  EXPECT_EQ(Names(s), "x,y");
}

struct MenuBench {
  TMenuItem* reopen = new TMenuItem(nullptr);
  TComponentPtr<TMRUManager> mruHolder = MakeComponent<TMRUManager>(nullptr);
  TMRUManager& mru = *mruHolder;
  MenuBench() {
    reopen->SetCaption("Reopen");
    mru.SetRecentMenu(reopen);
  }
  ~MenuBench() {
    if (reopen) reopen->Free();
  }
  std::vector<AnsiString> Captions() {
    std::vector<AnsiString> c;
    for (int i = 0; i < reopen->Count(); ++i) c.push_back(reopen->Items(i)->Caption());
    return c;
  }
};

TEST(MRUManager, AcceleratorsAndSeparators) {
  MenuBench b;
  EXPECT_FALSE(b.reopen->Enabled());  // empty
  for (int i = 9; i >= 0; --i) b.mru.Add(Format("C:\\doc%d.htm", i), i);
  EXPECT_TRUE(b.reopen->Enabled());
  auto c = b.Captions();
  ASSERT_EQ(c.size(), 10u);
  EXPECT_EQ(c[0], "&1\tC:\\doc0.htm");
  EXPECT_EQ(c[8], "&9\tC:\\doc8.htm");
  EXPECT_EQ(c[9], "&A\tC:\\doc9.htm");
  EXPECT_EQ(b.reopen->Items(9)->Tag(), 9);

  // Past Z the next character codes follow, up to 100; beyond that a blank.
  b.mru.SetStartAccel(30);
  c = b.Captions();
  EXPECT_EQ(c[0], "&U\tC:\\doc0.htm");
  EXPECT_EQ(c[5], "&Z\tC:\\doc5.htm");
  EXPECT_EQ(c[6], "&[\tC:\\doc6.htm");
  EXPECT_EQ(TMRUManager::AccelText(100), AnsiString("&") + static_cast<char>(155));
  EXPECT_EQ(TMRUManager::AccelText(101), " ");
  b.mru.SetStartAccel(1);
  b.mru.SetAccelDelimiter(adSpace);
  EXPECT_EQ(b.Captions()[0], "&1 C:\\doc0.htm");
  b.mru.SetShowAccelChar(false);
  EXPECT_EQ(b.Captions()[0], "C:\\doc0.htm");
  b.mru.SetShowAccelChar(true);

  // Separator lines before entries 4 and 8, and one first when the menu has own items.
  b.mru.SetSeparateSize(4);
  c = b.Captions();
  ASSERT_EQ(c.size(), 12u);
  EXPECT_EQ(c[4], "-");
  EXPECT_EQ(c[9], "-");
  b.mru.ClearRecentMenu();
  auto* own = new TMenuItem(nullptr);
  own->SetCaption("Own");
  b.reopen->Add(own);
  b.mru.UpdateRecentMenu();
  c = b.Captions();
  EXPECT_EQ(c[0], "Own");
  EXPECT_EQ(c[1], "-");
  EXPECT_EQ(c[2], "&1 C:\\doc0.htm");
  // Clearing removes only what the manager made.
  b.mru.ClearRecentMenu();
  EXPECT_EQ(b.Captions(), std::vector<AnsiString>{"Own"});
  EXPECT_TRUE(b.reopen->Enabled());
}

TEST(MRUManager, ClickReportsTheEntry) {
  MenuBench b;
  b.mru.SetCapacity(3);
  AnsiString name, caption;
  int data = -1, calls = 0;
  b.mru.OnClick = [&](TObject*, const AnsiString& n, const AnsiString& c, int d) {
    name = n;
    caption = c;
    data = d;
    ++calls;
  };
  b.mru.Add("C:\\one.htm", 11);
  b.mru.Add("C:\\two.htm", 22);
  b.mru.Add("c:\\ONE.HTM", 33);  // moves up and takes the new value
  b.reopen->Items(0)->Click();
  EXPECT_EQ(name, "C:\\one.htm");
  EXPECT_EQ(caption, "&1\tC:\\one.htm");
  EXPECT_EQ(data, 33);
  // A tag outside the list does nothing.
  b.reopen->Items(1)->SetTag(7);
  b.reopen->Items(1)->Click();
  EXPECT_EQ(calls, 1);
  // Item data can change the text and give a short-cut.
  b.mru.OnGetItemData = [](TObject*, AnsiString& c, TShortCut& sc, int d) {
    c = "[" + c + "]";
    if (d == 22) sc = ShortCut(VK_F2, false, true, false);
  };
  b.mru.UpdateRecentMenu();
  EXPECT_EQ(b.reopen->Items(1)->Caption(), "&2\t[C:\\two.htm]");
  EXPECT_EQ(b.reopen->Items(1)->ShortCut(), ShortCut(VK_F2, false, true, false));
}

TEST(MRUManager, FreedRecentMenuIsNeverTouched) {
  MenuBench b;
  b.mru.Add("C:\\a.htm", 0);
  b.mru.Add("C:\\b.htm", 0);
  b.reopen->Free();  // frees the made items with it
  b.reopen = nullptr;
  EXPECT_EQ(b.mru.RecentMenu(), nullptr);
  b.mru.ClearRecentMenu();
  b.mru.Add("C:\\c.htm", 0);
  b.mru.UpdateRecentMenu();
  EXPECT_EQ(b.mru.Strings()->Count(), 3);

  // An item of ours freed by someone else is forgotten, not freed again.
  TMenuItem* other = new TMenuItem(nullptr);
  b.mru.SetRecentMenu(other);
  other->Items(1)->Free();
  b.mru.ClearRecentMenu();
  EXPECT_EQ(other->Count(), 0);
  other->Free();
}

constexpr const char* kKey = "Software\\VxTestMRU";

class TFrameTestForm : public TForm {
 public:
  TFrameTestForm() : TForm(nullptr) {
    Storage = new TFormStorage(this);
    Storage->SetName("FormStorage1");
    Storage->SetUseRegistry(true);
    Storage->SetIniFileName(kKey);
    Storage->SetIniSection("Main");
    Reopen = new TMenuItem(this);
    Reopen->SetName("cmdReopen");
    Mru = new TMRUManager(this);
    Mru->SetName("MRUManager");
    Mru->SetIniStorage(Storage);
    Mru->SetRecentMenu(Reopen);
    AfterConstruction();
  }
  const char* ClassName() const override { return "TFrameForm"; }
  TFormStorage* Storage;
  TMenuItem* Reopen;
  TMRUManager* Mru;

 protected:
  ~TFrameTestForm() override = default;
};

TEST(MRUManager, ListSurvivesARestart) {
  TRegIniFile::DeleteUserKey(kKey);
  {
    TComponentPtr<TFrameTestForm> fHolder = MakeComponent<TFrameTestForm>();
    TFrameTestForm& f = *fHolder;
    EXPECT_EQ(DefaultStorageSection(f.Mru), "TFrameForm.MRUManager");
    f.Show();
    for (const char* n : {"C:\\a.htm", "C:\\b.htm", "C:\\c.htm"}) f.Mru->Add(n, 0);
    EXPECT_TRUE(f.CloseQuery());
    f.Hide();
  }
  {
    TRegIniFile store(kKey);
    EXPECT_EQ(store.ReadString("TFrameForm.MRUManager", "Item_0", ""), "C:\\c.htm");
    EXPECT_EQ(store.ReadString("TFrameForm.MRUManager", "Item_2", ""), "C:\\a.htm");
    EXPECT_FALSE(store.ValueExists("TFrameForm.MRUManager", "Item_3"));
    // Beyond the capacity: never read.
    store.WriteString("TFrameForm.MRUManager", "Item_12", "C:\\far.htm");
    store.WriteString("TFrameForm.MRUManager", "Item_5", "C:\\gap.htm");
  }
  {
    TComponentPtr<TFrameTestForm> gHolder = MakeComponent<TFrameTestForm>();
    TFrameTestForm& g = *gHolder;
    EXPECT_FALSE(g.Reopen->Enabled());
    g.Show();
    EXPECT_EQ(Names(*g.Mru->Strings()), "C:\\c.htm,C:\\b.htm,C:\\a.htm,C:\\gap.htm");
    EXPECT_TRUE(g.Reopen->Enabled());
    EXPECT_EQ(g.Reopen->Items(0)->Caption(), "&1\tC:\\c.htm");
    // Saving erases the section first: the stray keys go.
    EXPECT_TRUE(g.CloseQuery());
    g.Hide();
  }
  TRegIniFile store(kKey);
  EXPECT_FALSE(store.ValueExists("TFrameForm.MRUManager", "Item_12"));
  EXPECT_EQ(store.ReadString("TFrameForm.MRUManager", "Item_3", ""), "C:\\gap.htm");
  TRegIniFile::DeleteUserKey(kKey);
}

}  // namespace
}  // namespace vx
