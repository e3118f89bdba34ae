// Stored published properties against an in-memory store: every kind of text, nested
// objects, string-list sub-sections and the stored-line upkeep.
#include <gtest/gtest.h>

#include <map>

#include "toolkit/ZXProps.h"

namespace vx {

enum TTestAlign { alNoneT, alTopT, alClientT };
enum TTestFlag {
  tf0,
  tf1,
  tf2,
  tf3,
  tf4,
  tf5,
  tf6,
  tf7,
  tf8,
  tf9,
  tf10,
  tf11,
  tf12,
  tf13,
  tf14,
  tf15,
  tf16,
  tf17,
  tf18,
  tf19,
  tf20
};
using TTestFlags = TSet<TTestFlag>;

const TTypeInfo* TestAlignInfo() { return EnumTypeInfo("TTestAlign", {"alNone", "alTop", "alClient"}); }
const TTypeInfo* TestFlagsInfo() {
  return SetTypeInfo("TTestFlags", EnumTypeInfo("TTestFlag", {"tf0",  "tf1",  "tf2",  "tf3",  "tf4",  "tf5",  "tf6",
                                                              "tf7",  "tf8",  "tf9",  "tf10", "tf11", "tf12", "tf13",
                                                              "tf14", "tf15", "tf16", "tf17", "tf18", "tf19", "tf20"}));
}

class TTestInner : public TPersistent {
 public:
  const char* ClassName() const override { return "TTestInner"; }
  AnsiString Name() const { return name; }
  void SetName(const AnsiString& n) { name = n; }
  TTestFlags Style() const { return style; }
  void SetStyle(TTestFlags s) { style = s; }
  AnsiString name = "Arial";
  TTestFlags style;
};

class TTestPanel : public TComponent {
 public:
  using TComponent::TComponent;
  const char* ClassName() const override { return "TTestPanel"; }
  int Width() const { return width; }
  void SetWidth(int w) { width = w; }
  bool Visible() const { return visible; }
  void SetVisible(bool v) { visible = v; }
  AnsiString Caption() const { return caption; }
  void SetCaption(const AnsiString& c) { caption = c; }
  TTestAlign Align() const { return align; }
  void SetAlign(TTestAlign a) { align = a; }
  TTestFlags Flags() const { return flags; }
  void SetFlags(TTestFlags f) { flags = f; }
  double Ratio() const { return ratio; }
  void SetRatio(double r) { ratio = r; }
  char Accel() const { return accel; }
  void SetAccel(char c) { accel = c; }
  TTestInner* Inner() { return &inner; }
  TStringList* Lines() { return &lines; }
  TObject* Nothing() { return nullptr; }

  int width = 100;
  bool visible = true;
  AnsiString caption = "Panel";
  TTestAlign align = alNoneT;
  TTestFlags flags;
  double ratio = 0.5;
  char accel = 'P';
  TTestInner inner;
  TStringList lines;

 protected:
  ~TTestPanel() override = default;
};

VX_PUBLISH(TTestInner, TObject) {
  P.Str("Name", &TTestInner::Name, &TTestInner::SetName)
      .Set("Style", TestFlagsInfo(), &TTestInner::Style, &TTestInner::SetStyle);
}

VX_PUBLISH(TTestPanel, TComponent) {
  P.Int("Width", &TTestPanel::Width, &TTestPanel::SetWidth)
      .Bool("Visible", &TTestPanel::Visible, &TTestPanel::SetVisible)
      .Str("Caption", &TTestPanel::Caption, &TTestPanel::SetCaption)
      .Enum("Align", TestAlignInfo(), &TTestPanel::Align, &TTestPanel::SetAlign)
      .Set("Flags", TestFlagsInfo(), &TTestPanel::Flags, &TTestPanel::SetFlags)
      .Float("Ratio", ftDouble, &TTestPanel::Ratio, &TTestPanel::SetRatio)
      .Char("Accel", &TTestPanel::Accel, &TTestPanel::SetAccel)
      .Object("Inner", &TTestPanel::Inner)
      .Object("Lines", &TTestPanel::Lines)
      .Object("Nothing", &TTestPanel::Nothing)
      .Method("OnClick");
}

namespace {

// A store of sections of key/value pairs.
struct MemStore {
  std::map<AnsiString, std::map<AnsiString, AnsiString>> data;
  void Wire(TPropsStorage& st) {
    st.OnReadString = [this](const AnsiString& s, const AnsiString& k, const AnsiString& d) {
      auto sec = data.find(s);
      if (sec == data.end()) return d;
      auto v = sec->second.find(k);
      return v == sec->second.end() ? d : v->second;
    };
    st.OnWriteString = [this](const AnsiString& s, const AnsiString& k, const AnsiString& v) { data[s][k] = v; };
    st.OnEraseSection = [this](const AnsiString& s) { data.erase(s); };
  }
  bool Has(const AnsiString& s, const AnsiString& k) const {
    auto sec = data.find(s);
    return sec != data.end() && sec->second.count(k);
  }
  AnsiString Get(const AnsiString& s, const AnsiString& k) const { return data.at(s).at(k); }
};

class PropsTest : public ::testing::Test {
 protected:
  PropsTest() {
    panel_ = new TTestPanel(&form_);
    panel_->SetName("Panel1");
  }
  void Store(std::initializer_list<const char*> lines) {
    SetLines(lines);
    TPropsStorage st;
    st.Section = "Main";
    store_.Wire(st);
    st.StoreProperties(&form_, &list_);
  }
  void Load(std::initializer_list<const char*> lines) {
    SetLines(lines);
    TPropsStorage st;
    st.Section = "Main";
    store_.Wire(st);
    st.LoadProperties(&form_, &list_);
  }
  void SetLines(std::initializer_list<const char*> lines) {
    list_.Clear();
    for (const char* l : lines) list_.Add(l);
    UpdateStoredList(&form_, &list_, suResolve);
  }
  TComponentPtr<TComponent> formHolder_ = MakeComponent<TComponent>(nullptr);
  TComponent& form_ = *formHolder_;
  TTestPanel* panel_;
  TStringList list_;
  MemStore store_;
};

TEST_F(PropsTest, ScalarKindsWriteTheirText) {
  panel_->width = -12;
  panel_->flags = TTestFlags{tf1, tf3};
  panel_->ratio = 1.25;
  Store({"Panel1.Width", "Panel1.Visible", "Panel1.Caption", "Panel1.Align", "Panel1.Flags", "Panel1.Ratio",
         "Panel1.Accel", "Panel1.OnClick"});
  EXPECT_EQ(store_.Get("Main", "Panel1_Width"), "-12");
  EXPECT_EQ(store_.Get("Main", "Panel1_Visible"), "True");
  EXPECT_EQ(store_.Get("Main", "Panel1_Caption"), "Panel");
  EXPECT_EQ(store_.Get("Main", "Panel1_Align"), "alNone");
  EXPECT_EQ(store_.Get("Main", "Panel1_Flags"), "[tf1,tf3]");
  EXPECT_EQ(store_.Get("Main", "Panel1_Ratio"), "1.25");
  EXPECT_EQ(store_.Get("Main", "Panel1_Accel"), "P");
  EXPECT_FALSE(store_.Has("Main", "Panel1_OnClick"));
}

TEST_F(PropsTest, RoundTripOfEveryKind) {
  panel_->width = 321;
  panel_->visible = false;
  panel_->caption = "  Hello  ";
  panel_->align = alClientT;
  panel_->flags = TTestFlags{tf0, tf15, tf20};
  panel_->ratio = 0.1;
  panel_->accel = 'x';
  panel_->inner.name = "Courier New";
  panel_->inner.style = TTestFlags{tf2};
  const auto lines = {"Panel1.Width", "Panel1.Visible", "Panel1.Caption", "Panel1.Align",
                      "Panel1.Flags", "Panel1.Ratio",   "Panel1.Accel",   "Panel1.Inner"};
  Store(lines);

  panel_->width = 1;
  panel_->visible = true;
  panel_->caption = "other";
  panel_->align = alTopT;
  panel_->flags = TTestFlags{};
  panel_->ratio = 9;
  panel_->accel = 'q';
  panel_->inner.name = "x";
  panel_->inner.style = TTestFlags{};
  Load(lines);
  EXPECT_EQ(panel_->width, 321);
  EXPECT_FALSE(panel_->visible);
  EXPECT_EQ(panel_->caption, "Hello");  // trimmed on the way
  EXPECT_EQ(panel_->align, alClientT);
  // Members above 15 survive the store as well.
  EXPECT_EQ(panel_->flags, (TTestFlags{tf0, tf15, tf20}));
  EXPECT_DOUBLE_EQ(panel_->ratio, 0.1);
  EXPECT_EQ(panel_->accel, 'x');
  EXPECT_EQ(panel_->inner.name, "Courier New");
  EXPECT_EQ(panel_->inner.style, TTestFlags{tf2});
  // Nested keys: prefix and property name run together.
  EXPECT_EQ(store_.Get("Main", "Panel1_InnerName"), "Courier New");
  EXPECT_EQ(store_.Get("Main", "Panel1_InnerStyle"), "[tf2]");
}

TEST_F(PropsTest, BadTextOnLoad) {
  store_.data["Main"] = {{"Panel1_Width", "12abc"}, {"Panel1_Align", "alNowhere"}, {"Panel1_Ratio", "1,5x"},
                         {"Panel1_Accel", ""},      {"Panel1_Visible", "FALSE"},   {"Panel1_Flags", "tf4 bogus, TF2"},
                         {"Panel1_Caption", ""}};
  panel_->align = alTopT;
  Load({"Panel1.Width", "Panel1.Align", "Panel1.Ratio", "Panel1.Accel", "Panel1.Visible", "Panel1.Flags",
        "Panel1.Caption"});
  EXPECT_EQ(panel_->width, 0);                       // not an integer: 0
  EXPECT_EQ(panel_->align, alTopT);                  // no such name: unchanged
  EXPECT_DOUBLE_EQ(panel_->ratio, 0.5);              // not a number: unchanged
  EXPECT_EQ(panel_->accel, 'P');                     // empty: unchanged
  EXPECT_FALSE(panel_->visible);                     // names ignore case
  EXPECT_EQ(panel_->flags, (TTestFlags{tf2, tf4}));  // bare words, unknown skipped
  EXPECT_EQ(panel_->caption, "");                    // an empty string is restored
}

TEST_F(PropsTest, EmptyStringIsWrittenOtherKindsNot) {
  panel_->caption = "";
  Store({"Panel1.Caption", "Panel1.Nothing"});
  ASSERT_TRUE(store_.Has("Main", "Panel1_Caption"));
  EXPECT_EQ(store_.Get("Main", "Panel1_Caption"), "");
  EXPECT_FALSE(store_.Has("Main", "Panel1_Nothing"));
}

TEST_F(PropsTest, StringListSubSection) {
  panel_->lines.Add("  first  ");
  panel_->lines.Add("second");
  Store({"Panel1.Lines"});
  EXPECT_EQ(store_.Get("Main.Panel1_Lines", "Count"), "2");
  EXPECT_EQ(store_.Get("Main.Panel1_Lines", "Item0"), "  first  ");  // lines untrimmed
  EXPECT_FALSE(store_.Has("Main", "Panel1_Lines"));

  panel_->lines.Clear();
  panel_->lines.Add("stale");
  Load({"Panel1.Lines"});
  ASSERT_EQ(panel_->lines.Count(), 2);
  EXPECT_EQ(panel_->lines.Strings(0), "  first  ");
  EXPECT_EQ(panel_->lines.Strings(1), "second");

  // An emptied list is stored as Count=0 and comes back empty.
  panel_->lines.Clear();
  Store({"Panel1.Lines"});
  EXPECT_EQ(store_.Get("Main.Panel1_Lines", "Count"), "0");
  EXPECT_FALSE(store_.Has("Main.Panel1_Lines", "Item0"));
  panel_->lines.Add("again");
  Load({"Panel1.Lines"});
  EXPECT_EQ(panel_->lines.Count(), 0);

  // No stored count at all leaves the list alone.
  store_.data.erase("Main.Panel1_Lines");
  panel_->lines.Add("kept");
  Load({"Panel1.Lines"});
  EXPECT_EQ(panel_->lines.Count(), 1);
}

TEST_F(PropsTest, StoredLineUpkeep) {
  list_.Clear();
  for (const char* l :
       {" Panel1 . Width ", "Panel1.", ".Width", "NoDot", "Ghost.Width", "panel1.Caption", "Panel1.Inner.Name"})
    list_.Add(l);
  UpdateStoredList(&form_, &list_, suResolve);
  ASSERT_EQ(list_.Count(), 3);
  EXPECT_EQ(list_.Strings(0), " Panel1 . Width ");
  EXPECT_EQ(list_.Objects(0), panel_);
  EXPECT_EQ(list_.Objects(1), panel_);  // component names ignore case

  // A renamed component keeps its lines under its new name.
  panel_->SetName("pnlExplore");
  UpdateStoredList(&form_, &list_, suNaming);
  EXPECT_EQ(list_.Strings(0), "pnlExplore.Width");
  EXPECT_EQ(list_.Strings(1), "pnlExplore.Caption");

  // A line with a second dot stores nothing but stays.
  TPropsStorage st;
  st.Section = "Main";
  store_.Wire(st);
  st.StoreProperties(&form_, &list_);
  EXPECT_EQ(list_.Count(), 3);
  EXPECT_TRUE(store_.Has("Main", "pnlExplore_Width"));
  EXPECT_EQ(store_.data["Main"].size(), 2u);

  AnsiString c, p;
  EXPECT_TRUE(ParseStoredItem(" a . b ", c, p));
  EXPECT_EQ(c, "a");
  EXPECT_EQ(p, "b");
  EXPECT_EQ(CreateStoredItem("a", "b"), "a.b");
  EXPECT_EQ(ReplaceComponentName("old.Width", "new"), "new.Width");
  EXPECT_EQ(ReplaceComponentName("bad", "new"), "");
}

TEST(PropInfoList, FindIgnoresCaseAndSkipsMethods) {
  TComponentPtr<TTestPanel> panelHolder = MakeComponent<TTestPanel>(nullptr);
  TTestPanel& panel = *panelHolder;
  TPropInfoList list(&panel, StoredPropKinds());
  ASSERT_NE(list.FindProp("width"), nullptr);
  EXPECT_EQ(list.FindProp("width")->Name, "Width");
  EXPECT_EQ(list.FindProp("OnClick"), nullptr);
  EXPECT_EQ(list.FindProp("Missing"), nullptr);
}

TEST(StoredText, FloatsInGeneralFormat) {
  EXPECT_EQ(FloatToStoredText(1e20, ftDouble), "1E20");
  EXPECT_EQ(FloatToStoredText(1.5e-7, ftDouble), "1.5E-7");
  EXPECT_EQ(FloatToStoredText(2.0, ftDouble), "2");
  EXPECT_EQ(FloatToStoredText(1.0 / 3.0, ftSingle), "0.3333333");
  EXPECT_EQ(TrimStored(" \t x y \r\n"), "x y");
}

}  // namespace
}  // namespace vx
