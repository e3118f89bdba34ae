#include "framework/core/Classes.h"

#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"

using namespace vx;

namespace {

struct Counted : TObject {
  explicit Counted(int* c) : count(c) { ++*count; }
  ~Counted() override { --*count; }
  int* count;
};

// A list kept outside the class, as a control would keep its items in its window.
class OuterStrings : public TStrings {
 public:
  std::vector<std::string> items;
  int updates = 0;

 protected:
  AnsiString Get(int i) const override {
    if (i < 0 || i >= static_cast<int>(items.size())) IndexError(i);
    return items[static_cast<size_t>(i)];
  }
  int GetCount() const override { return static_cast<int>(items.size()); }
  void InsertItem(int i, const AnsiString& s, TObject*) override { items.insert(items.begin() + i, s); }
  void DeleteItem(int i) override { items.erase(items.begin() + i); }
  void SetUpdateState(bool u) override { updates += u ? 1 : 0; }
};

}  // namespace

TEST(StringList, IndexOfIsCaseBlindAndFindsTheFirst) {
  TStringList l;
  l.Add("IMG");
  l.Add("B");
  l.Add("img");
  EXPECT_EQ(l.IndexOf("img"), 0);
  EXPECT_EQ(l.IndexOf("Img"), 0);
  EXPECT_EQ(l.IndexOf("br"), -1);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("img"), 2);
  EXPECT_EQ(l.IndexOf("Img"), -1);
}

TEST(StringList, BadIndexesThrow) {
  TStringList l;
  l.Add("a");
  try {
    l.Strings(3);
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_EQ(e.Message(), "List index out of bounds (3)");
  }
  EXPECT_THROW(l.Delete(-1), EStringListError);
  EXPECT_THROW(l.Insert(5, "x"), EStringListError);
  EXPECT_THROW(l.Objects(1), EStringListError);
  EXPECT_THROW(l.Exchange(0, 1), EStringListError);
  EXPECT_NO_THROW(l.Insert(1, "b"));
}

TEST(StringList, OwnedObjectsAreFreed) {
  int live = 0;
  {
    TStringList l(true);
    for (int i = 0; i < 5; ++i) l.AddObject("x", new Counted(&live));
    EXPECT_EQ(live, 5);
    l.Delete(0);
    EXPECT_EQ(live, 4);
    l.Move(0, 3);
    l.Exchange(0, 1);
    EXPECT_EQ(live, 4);
    l.Clear();
    EXPECT_EQ(live, 0);
    l.AddObject("y", new Counted(&live));
  }
  EXPECT_EQ(live, 0);
  Counted keep(&live);
  {
    TStringList l;
    l.AddObject("z", &keep);
    EXPECT_EQ(l.IndexOfObject(&keep), 0);
  }
  EXPECT_EQ(live, 1);
}

TEST(StringList, SortedFindAndDuplicates) {
  TStringList l;
  for (const char* s : {"delta", "Alpha", "charlie", "bravo", "alpha"}) l.Add(s);
  l.Sort();
  EXPECT_EQ(l.Text(), "Alpha\r\nalpha\r\nbravo\r\ncharlie\r\ndelta\r\n");  // stable
  l.SetSorted(true);
  int i = -1;
  EXPECT_TRUE(l.Find("BRAVO", i));
  EXPECT_EQ(i, 2);
  EXPECT_FALSE(l.Find("c", i));
  EXPECT_EQ(i, 3);
  EXPECT_TRUE(l.Find("ALPHA", i));
  EXPECT_EQ(i, 0);
  EXPECT_EQ(l.Add("bravo"), 2);  // dupIgnore
  EXPECT_EQ(l.Count(), 5);
  EXPECT_EQ(l.Add("echo"), 5);
  EXPECT_EQ(l.Add("a"), 0);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.Add("Echo"), EStringListError);
  l.SetDuplicates(dupAccept);
  l.Add("Echo");
  EXPECT_EQ(l.Count(), 8);
  EXPECT_THROW(l.Insert(0, "x"), EStringListError);
  EXPECT_EQ(l.IndexOf("charlie"), 4);
}

TEST(StringList, CustomSortByIndex) {
  TStringList l;
  for (const char* s : {"ccc", "a", "bb"}) l.Add(s);
  l.CustomSort([](TStringList& list, int a, int b) {
    return static_cast<int>(list[a].size()) - static_cast<int>(list[b].size());
  });
  EXPECT_EQ(l.CommaText(), "a,bb,ccc");
}

TEST(StringList, TextCommaTextAndValues) {
  TStringList l;
  l.SetText("one\r\ntwo\nthree\rfour");
  ASSERT_EQ(l.Count(), 4);
  EXPECT_EQ(l[3], "four");
  EXPECT_EQ(l.Text(), "one\r\ntwo\r\nthree\r\nfour\r\n");
  l.SetText("a\r\n\r\nb\r\n");
  EXPECT_EQ(l.Count(), 3);
  l.SetText("");
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.Text(), "");

  l.SetCommaText("a, \"b c\",\"d\"\"e\",,f");
  ASSERT_EQ(l.Count(), 5);
  EXPECT_EQ(l[1], "b c");
  EXPECT_EQ(l[2], "d\"e");
  EXPECT_EQ(l[3], "");
  EXPECT_EQ(l.CommaText(), "a,\"b c\",\"d\"\"e\",,f");

  l.Clear();
  l.Add("Width=10");
  l.Add("Height=20=x");
  l.Add("plain");
  EXPECT_EQ(l.Names(0), "Width");
  EXPECT_EQ(l.Names(2), "");
  EXPECT_EQ(l.Values("HEIGHT"), "20=x");
  EXPECT_EQ(l.IndexOfName("height"), 1);
  l.SetValues("width", "11");
  EXPECT_EQ(l[0], "width=11");
  l.SetValues("Depth", "3");
  EXPECT_EQ(l[3], "Depth=3");
  l.SetValues("Height", "");
  EXPECT_EQ(l.Count(), 3);
  EXPECT_EQ(l.Values("none"), "");
}

TEST(StringList, ChangeNotificationsAndUpdates) {
  TStringList l;
  int changes = 0, changing = 0;
  l.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, &l);
    ++changes;
  };
  l.OnChanging = [&](TObject*) { ++changing; };
  l.Add("a");
  l.SetStrings(0, "b");
  l.Delete(0);
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(changing, 3);
  l.BeginUpdate();
  l.Add("x");
  l.Add("y");
  l.BeginUpdate();
  l.Clear();
  l.EndUpdate();
  EXPECT_EQ(changes, 3);
  l.EndUpdate();
  EXPECT_EQ(changes, 4);
  l.SetText("p\r\nq");  // one change for the whole text
  EXPECT_EQ(changes, 5);
}

TEST(Strings, BaseOperationsGoThroughTheStorageVirtuals) {
  OuterStrings s;
  s.Add("one");
  s.Add("two");
  s.Insert(0, "zero");
  s.Move(0, 2);
  EXPECT_EQ(s.items, (std::vector<std::string>{"one", "two", "zero"}));
  s.Exchange(0, 2);
  EXPECT_EQ(s.items, (std::vector<std::string>{"zero", "two", "one"}));
  s.SetStrings(1, "TWO");
  EXPECT_EQ(s.IndexOf("two"), 1);
  EXPECT_THROW(s.Delete(3), EStringListError);
  TStringList copy;
  copy.Assign(s);
  EXPECT_EQ(copy.Text(), "zero\r\nTWO\r\none\r\n");
  s.Assign(copy);
  EXPECT_EQ(s.Count(), 3);
  s.Clear();
  EXPECT_TRUE(s.items.empty());
  EXPECT_GT(s.updates, 0);
}

TEST(Strings, AssignFromAForeignClassRefuses) {
  struct Other : TPersistent {
    const char* ClassName() const override { return "TOther"; }
  } other;
  TStringList l;
  try {
    l.Assign(other);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), "Cannot assign a TOther to a TStringList");
  }
}

TEST(Strings, StreamRoundTrip) {
  TStringList l;
  l.Add("first");
  l.Add("second");
  TMemoryStream m;
  l.SaveToStream(m);
  EXPECT_EQ(m.Size(), 15);
  m.SetPosition(0);
  TStringList r;
  r.LoadFromStream(m);
  EXPECT_EQ(r.Text(), l.Text());
}
