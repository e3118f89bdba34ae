#include <gtest/gtest.h>

#include "framework/core/TypInfo.h"

using namespace vx;

namespace {

enum TShade { shLight, shDark, shDeep };
const TTypeInfo* ShadeType() { return EnumTypeInfo("TShade", {"shLight", "shDark", "shDeep"}); }
const TTypeInfo* ShadesType() { return SetTypeInfo("TShades", ShadeType()); }
using TShades = TSet<TShade>;

class TInner : public TObject {
 public:
  int Depth() const { return depth_; }
  void SetDepth(int d) { depth_ = d; }

 private:
  int depth_ = 3;
};

class TBase : public TObject {
 public:
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  TInner* Inner() { return &inner_; }

 private:
  int width_ = 10;
  bool visible_ = true;
  TInner inner_;
};

class TDerived : public TBase {
 public:
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& c) { caption_ = c; }
  TShade Shade() const { return shade_; }
  void SetShade(TShade s) { shade_ = s; }
  TShades Shades() const { return shades_; }
  void SetShades(TShades s) { shades_ = s; }
  double Ratio() const { return ratio_; }
  void SetRatio(double r) { ratio_ = r; }
  char Letter() const { return letter_; }
  void SetLetter(char c) { letter_ = c; }

 private:
  std::string caption_;
  TShade shade_ = shLight;
  TShades shades_;
  double ratio_ = 0.5;
  char letter_ = 'a';
};

// Not registered: takes its properties from TDerived.
class TProgramForm : public TDerived {};

}  // namespace

VX_PUBLISH(TInner, TObject) { P.Int("Depth", &TInner::Depth, &TInner::SetDepth); }
VX_PUBLISH(TBase, TObject) {
  P.Int("Width", &TBase::Width, &TBase::SetWidth)
      .Bool("Visible", &TBase::Visible, &TBase::SetVisible)
      .Object("Inner", &TBase::Inner)
      .Method("OnClick");
}
VX_PUBLISH(TDerived, TBase) {
  P.Str("Caption", &TDerived::Caption, &TDerived::SetCaption)
      .Enum("Shade", ShadeType(), &TDerived::Shade, &TDerived::SetShade)
      .Set("Shades", ShadesType(), &TDerived::Shades, &TDerived::SetShades)
      .Float("Ratio", ftDouble, &TDerived::Ratio, &TDerived::SetRatio)
      .Char("Letter", &TDerived::Letter, &TDerived::SetLetter);
}

TEST(TypInfo, PropertiesListAncestorsFirstAndFilterByKind) {
  TDerived d;
  auto all = GetPropList(&d);
  std::vector<std::string> names;
  for (auto* p : all) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Width", "Visible", "Inner", "OnClick", "Caption", "Shade", "Shades",
                                             "Ratio", "Letter"}));
  auto stored = GetPropList(&d, TTypeKinds::FromBits(~0u) - TTypeKinds{tkMethod, tkUnknown});
  EXPECT_EQ(stored.size(), 8u);
  EXPECT_EQ(GetPropInfo(&d, "VISIBLE")->Kind(), tkEnumeration);
  EXPECT_EQ(GetPropInfo(&d, "Width.Height"), nullptr);
}

TEST(TypInfo, UnregisteredClassUsesNearestRegisteredAncestor) {
  TProgramForm f;
  ASSERT_NE(GetClassInfo(&f), nullptr);
  EXPECT_EQ(GetClassInfo(&f)->Name(), "TDerived");
  TBase b;
  EXPECT_EQ(GetClassInfo(&b)->Name(), "TBase");
  EXPECT_EQ(GetPropInfo(&b, "Caption"), nullptr);
}

TEST(TypInfo, ValuesRoundTripByKind) {
  TProgramForm f;
  SetOrdProp(&f, "Width", 77);
  EXPECT_EQ(f.Width(), 77);
  PPropInfo vis = GetPropInfo(&f, "Visible");
  SetOrdProp(&f, vis, GetEnumValue(vis->PropType, "false"));
  EXPECT_FALSE(f.Visible());
  EXPECT_EQ(GetEnumName(vis->PropType, static_cast<int>(GetOrdProp(&f, vis))), "False");
  SetStrProp(&f, "Caption", "Hello");
  EXPECT_EQ(GetStrProp(&f, "caption"), "Hello");
  PPropInfo shade = GetPropInfo(&f, "Shade");
  SetOrdProp(&f, shade, GetEnumValue(shade->PropType, "shDeep"));
  EXPECT_EQ(f.Shade(), shDeep);
  EXPECT_EQ(GetEnumValue(shade->PropType, "nothing"), -1);
  EXPECT_EQ(GetEnumName(shade->PropType, 7), "");
  SetFloatProp(&f, "Ratio", 2.25);
  EXPECT_DOUBLE_EQ(GetFloatProp(&f, "Ratio"), 2.25);
  SetOrdProp(&f, "Letter", 'z');
  EXPECT_EQ(f.Letter(), 'z');
  auto* inner = static_cast<TInner*>(GetObjectProp(&f, "Inner"));
  SetOrdProp(inner, "Depth", 9);
  EXPECT_EQ(f.Inner()->Depth(), 9);
  EXPECT_THROW(GetOrdProp(&f, "Nothing"), EPropertyError);
  EXPECT_THROW(GetStrProp(&f, "Width"), EPropertyError);
}

TEST(TypInfo, SetTextBothFormsAndMemberLimit) {
  TDerived d;
  PPropInfo p = GetPropInfo(&d, "Shades");
  uint32_t a = StringToSet(p->PropType, "[shLight,shDeep]");
  uint32_t b = StringToSet(p->PropType, " shdeep  SHLIGHT bogus ");
  EXPECT_EQ(a, b);
  SetOrdProp(&d, p, a);
  EXPECT_TRUE(d.Shades().Contains(shDeep));
  EXPECT_FALSE(d.Shades().Contains(shDark));
  EXPECT_EQ(SetToString(p->PropType, a), "[shLight,shDeep]");
  EXPECT_EQ(SetToString(p->PropType, 0), "[]");
  EXPECT_EQ(SetToString(p->PropType, a, 1), "[shLight]");
}
