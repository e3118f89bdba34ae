#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "framework/win/IniFiles.h"
#include "framework/win/tests/ScreenDriver.h"
#include "tagdefs/FilterEd.h"
#include "tagdefs/ParEd.h"
#include "tagdefs/teTagType.h"

using namespace vx;

namespace {

const char* kParKey = "Software\\Marrowby\\Vornix\\ParWindow";

THTMLAttribDef* AddAttr(THTMLTagDef& t, const char* name, TAttribType type, TBrowserFlags browsers = 0) {
  auto* a = new THTMLAttribDef;
  a->SetName(name);
  a->SetAttrType(type);
  a->SetBrowsers(browsers);
  a->SetDescription(std::string("About ") + name + ".");
  t.Attribs().AddObject(name, a);
  return a;
}

// The shipped definitions, loaded once from the program folder.
THTMLGroup& Shipped() {
  static THTMLGroup* g = [] {
    auto* s = new THTMLGroup;
    s->LoadFromFile("standard.vxt");
    return s;
  }();
  return *g;
}

struct ParEdFixture : ::testing::Test {
  TfrmParEd* ed = nullptr;
  void SetUp() override {
    TRegIniFile::DeleteUserKey(kParKey);
    ed = CreateForm<TfrmParEd>(Application);
  }
  void TearDown() override {
    Application->OnModalForm = nullptr;
    ed->Free();
    TRegIniFile::DeleteUserKey(kParKey);
  }
  TXGridRowItem* Row(int i) { return ed->XGrid1->GridRows()->Items(i); }
  // The shipped tag, with its rows filled from text and the text built back.
  AnsiString Edit(const char* tag, const AnsiString& text, bool lower, const std::function<void()>& change = nullptr) {
    THTMLTagDef* def = Shipped().FindTag(tag);
    EXPECT_NE(def, nullptr);
    ed->LowerCaseTags = lower;
    ed->LoadTag(def);
    ed->ParseAttributes(text);
    if (change) change();
    return ed->BuildAttributes();
  }
  TXGridRowItem* Named(const char* caption) {
    for (int i = 0; i < ed->XGrid1->GridRows()->Count(); ++i)
      if (Row(i)->Caption() == caption) return Row(i);
    return nullptr;
  }
};

}  // namespace

TEST_F(ParEdFixture, CaptionsForEachKindOfTag) {
  THTMLTagDef t;
  t.SetName("IMG");
  AddAttr(t, "SRC", atImage);
  ed->LoadTag(&t);
  EXPECT_EQ(ed->Caption(), "Editing HTML Tag <IMG>");
  t.SetName("A");
  t.SetEndTag("/A");
  t.SetKind(tkHasEndTag);
  ed->LoadTag(&t);
  EXPECT_EQ(ed->Caption(), "Editing HTML Tag <A> ... </A>");
  t.SetName("P");
  t.SetEndTag("/P");
  t.SetKind(tkEither);
  ed->LoadTag(&t);
  EXPECT_EQ(ed->Caption(), "Editing HTML Tag <P> ... </P>");
}

TEST_F(ParEdFixture, RowsTakeTheirEditorsFiltersAndMarksFromTheDefinition) {
  THTMLTagDef t;
  t.SetName("X");
  t.SetDescription("<b>X</b>");
  AddAttr(t, "T", atText)->SetRequired(arRequired);
  AddAttr(t, "N", atNumeric);
  AddAttr(t, "C", atColor)->SetRequired(arUnlessOther);
  AddAttr(t, "P", atPickList)->SetPickList("LEFT\r\nRIGHT");
  AddAttr(t, "F", atFile);
  AddAttr(t, "I", atImage)->SetFilter(" ");
  AddAttr(t, "OWN", atFile)->SetFilter("Mine|*.my");
  AddAttr(t, "FL", atNumeric)->SetIsFlag(true);
  AddAttr(t, "ODD", static_cast<TAttribType>(9));
  ed->LowerCaseTags = true;
  ed->DocFilter = "Docs|*.htm";
  ed->ImgFilter = "Images|*.gif";
  ed->LoadTag(&t);
  ASSERT_EQ(ed->XGrid1->GridRows()->Count(), 9);
  EXPECT_EQ(Row(0)->ButtonStyle(), rbsNone);
  EXPECT_EQ(Row(0)->State(), 1);
  EXPECT_EQ(Row(1)->ButtonStyle(), rbsNumber);
  EXPECT_EQ(Row(1)->State(), 0);
  EXPECT_EQ(Row(2)->ButtonStyle(), rbsColor);
  EXPECT_EQ(Row(2)->State(), 1);
  EXPECT_EQ(Row(3)->ButtonStyle(), rbsPickList);
  EXPECT_EQ(Row(3)->PickList()->Text(), "left\r\nright\r\n");
  EXPECT_EQ(Row(4)->ButtonStyle(), rbsFile);
  EXPECT_EQ(Row(4)->Filter(), "Docs|*.htm");
  EXPECT_EQ(Row(5)->Filter(), "Images|*.gif");  // a lone blank is no filter
  EXPECT_EQ(Row(6)->Filter(), "Mine|*.my");
  EXPECT_EQ(Row(7)->ButtonStyle(), rbsPickList);  // a flag: TRUE is its only choice
  EXPECT_TRUE(Row(7)->IsFlag());
  EXPECT_EQ(Row(7)->PickList()->Text(), "true\r\n");
  EXPECT_EQ(Row(8)->ButtonStyle(), rbsNone);
  EXPECT_EQ(Row(0)->Caption(), "T");
  // The help: the tag's text, then one anchored heading per attribute.
  const AnsiString& h = ed->HelpText();
  EXPECT_EQ(h.find("<b>X</b>\r\n<p>\r\n<FONT color=blue><A NAME=T><h5>T</h5></A></FONT>\r\nAbout T.\r\n"), 0u);
  // No defaults set (as VxTagEd's test of a tag): such a file row offers no filter.
  auto* other = CreateForm<TfrmParEd>(Application);
  other->LoadTag(&t);
  EXPECT_EQ(other->XGrid1->GridRows()->Items(4)->Filter(), "");
  other->Free();
}

TEST_F(ParEdFixture, BrowserTabsColourTheRowsTheBrowserSupports) {
  THTMLTagDef t;
  t.SetName("X");
  AddAttr(t, "NS", atText, bfNetscape3);
  AddAttr(t, "IE", atText, bfIE3);
  AddAttr(t, "BOTH", atText, bfNetscape3 | bfIE3 | bfIntBrowser);
  AddAttr(t, "NONE", atText, 0);
  ed->LoadTag(&t);
  EXPECT_EQ(Row(0)->Color(), clMaroon);
  EXPECT_EQ(Row(1)->Color(), clBlack);
  EXPECT_EQ(Row(2)->Color(), clMaroon);
  ed->TabControl1->SetTabIndex(1);  // "MSI 3"
  ed->TabControl1Change(ed->TabControl1);
  EXPECT_EQ(Row(0)->Color(), clBlack);
  EXPECT_EQ(Row(1)->Color(), clMaroon);
  EXPECT_EQ(Row(2)->Color(), clMaroon);
  EXPECT_EQ(Row(3)->Color(), clBlack);
  ed->TabControl1->SetTabIndex(3);
  ed->TabControl1Change(ed->TabControl1);
  EXPECT_EQ(Row(1)->Color(), clBlack);
  EXPECT_EQ(Row(2)->Color(), clMaroon);
  EXPECT_EQ(ed->TabControl1->Tabs()->Text(), "Netscape 3\r\nMSI 3\r\nMosaic\r\nInt Browser\r\n");
}

TEST_F(ParEdFixture, EditsTheShippedImgTag) {
  AnsiString out = Edit("IMG", "SRC=\"pics/logo.gif\" width=10 style=\"border:0\" ISMAP", true, [&] {
    EXPECT_EQ(Named("SRC")->Value(), "pics/logo.gif");
    EXPECT_EQ(Named("WIDTH")->Value(), "10");
    EXPECT_EQ(Named("ISMAP")->Value(), "true");
    EXPECT_EQ(Named("SRC")->ButtonStyle(), rbsImage);
    EXPECT_EQ(Named("SRC")->State(), 1);
    EXPECT_EQ(Named("ALT")->State(), 1);
    EXPECT_EQ(Named("ALIGN")->PickList()->Strings(0), "top");
    Named("WIDTH")->SetValue("");
    Named("ALT")->SetValue("Our \"logo\"");
    Named("ALIGN")->SetValue("middle");
  });
  EXPECT_EQ(out, " src=\"pics/logo.gif\" alt=\"our &quot;logo&quot;\" align=\"middle\" ismap style=\"border:0\"");
  out = Edit("IMG", "src=a.gif ALT='A B' HEIGHT = 20", false);
  EXPECT_EQ(out, " SRC=\"a.gif\" ALT=\"A B\" HEIGHT=\"20\"");
}

TEST_F(ParEdFixture, EditsTheShippedATableAndFontTags) {
  EXPECT_EQ(Edit("A", "href=\"index.htm\" target=_top onclick=\"go()\"", true,
                 [&] {
                   EXPECT_EQ(Named("HREF")->ButtonStyle(), rbsFile);
                   EXPECT_EQ(Named("TARGET")->PickList()->Text(), "_blank\r\n_self\r\n_parent\r\n_top\r\n");
                   Named("NAME")->SetValue("top");
                 }),
            " href=\"index.htm\" name=\"top\" target=\"_top\" onclick=\"go()\"");
  EXPECT_EQ(ed->Caption(), "Editing HTML Tag <A> ... </A>");
  // TABLE's BORDER is a flag that also takes a width.
  EXPECT_EQ(Edit("TABLE", "border cellpadding=4 BGCOLOR=#FFFFFF", false),
            " BORDER CELLPADDING=\"4\" BGCOLOR=\"#FFFFFF\"");
  EXPECT_EQ(Edit("TABLE", "border=2 width=\"100%\"", false), " BORDER=\"2\" WIDTH=\"100%\"");
  EXPECT_EQ(Named("BGCOLOR")->ButtonStyle(), rbsColor);
  EXPECT_EQ(Edit("FONT", "size=+1 face=\"Arial, Helvetica\"", true,
                 [&] {
                   EXPECT_EQ(Named("SIZE")->PickList()->Count(), 13);
                   Named("COLOR")->SetValue("#FF0000");
                 }),
            " size=\"+1\" color=\"#ff0000\" face=\"arial, helvetica\"");
}

TEST_F(ParEdFixture, OkReturnsOneCancelReturnsTwo) {
  THTMLTagDef* img = Shipped().FindTag("IMG");
  ed->LoadTag(img);
  ed->ParseAttributes("");
  Application->OnModalForm = [&](TForm* f) {
    EXPECT_EQ(f, ed);
    EXPECT_TRUE(ed->XGrid1->Editor() && ed->XGrid1->Editor()->EditVisible());
    ed->XGrid1->GridRows()->Items(0)->SetValue("x.gif");
    ed->btnOK->Click();
  };
  EXPECT_EQ(ed->ShowModal(), 1);
  EXPECT_EQ(ed->BuildAttributes(), " SRC=\"x.gif\"");
  Application->OnModalForm = [&](TForm*) { ed->btnCancel->Click(); };
  EXPECT_EQ(ed->ShowModal(), 2);
  Application->OnModalForm = [&](TForm*) { ed->Close(); };
  EXPECT_EQ(ed->ShowModal(), 2);
}

TEST_F(ParEdFixture, HelpFollowsTheCurrentRow) {
  THTMLTagDef* img = Shipped().FindTag("IMG");
  ed->LoadTag(img);
  Application->OnModalForm = [&](TForm*) {
    Application->ProcessMessages();
    ed->XGrid1->SetFocus();
    ed->XGrid1->SetRow(9);  // ISMAP
    int top = ed->HTMLViewer1->VPosition();
    EXPECT_GT(top, 0);
    ed->XGrid1->SetRow(0);
    EXPECT_LT(ed->HTMLViewer1->VPosition(), top);
    // Copy is offered only with a selection.
    ed->PopupMenu1Popup(ed->PopupMenu1);
    EXPECT_FALSE(ed->cmdCopy->Enabled());
    ed->cmdSelectAllClick(ed->cmdSelectAll);
    ed->PopupMenu1Popup(ed->PopupMenu1);
    EXPECT_TRUE(ed->cmdCopy->Enabled());
    ed->btnCancel->Click();
  };
  ed->ShowModal();
}

TEST_F(ParEdFixture, ParWindowValuesSurviveCloseAndReopen) {
  ed->LoadTag(Shipped().FindTag("A"));
  Application->OnModalForm = [&](TForm*) {
    ed->SetBounds(ed->Left(), ed->Top(), 500, 350);
    ed->TabControl1->SetTabIndex(2);
    ed->Panel6->SetHeight(60);
    ed->cbHelp->SetChecked(false);
    // The size stays within 200 x 200 .. 600 x 400.
    SetWindowPos(ed->Handle(), nullptr, 0, 0, 900, 900, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(ed->Handle(), &r);
    EXPECT_LE(r.right - r.left, 600);
    EXPECT_LE(r.bottom - r.top, 400);
    SetWindowPos(ed->Handle(), nullptr, 0, 0, 520, 360, SWP_NOMOVE | SWP_NOZORDER);
    ed->btnOK->Click();
  };
  ASSERT_EQ(ed->ShowModal(), 1);
  ed->Free();
  {
    TRegIniFile reg("Software\\Marrowby\\Vornix");
    EXPECT_EQ(reg.ReadString("ParWindow", "TabControl1_TabIndex", ""), "2");
    EXPECT_EQ(reg.ReadString("ParWindow", "cbHelp_Checked", ""), "False");
    EXPECT_EQ(reg.ReadString("ParWindow", "HTMLViewer1_Visible", ""), "False");
  }
  ed = CreateForm<TfrmParEd>(Application);
  ed->LoadTag(Shipped().FindTag("A"));
  Application->OnModalForm = [&](TForm*) {
    EXPECT_EQ(ed->TabControl1->TabIndex(), 2);
    EXPECT_FALSE(ed->cbHelp->Checked());
    EXPECT_FALSE(ed->HTMLViewer1->Visible());
    EXPECT_FALSE(ed->Panel6->Visible());
    EXPECT_EQ(ed->Width(), 520);
    EXPECT_EQ(ed->Height(), 360);
    // The rows show the restored tab's browser.
    EXPECT_EQ(Named("TITLE")->Color(), clBlack);
    ed->btnCancel->Click();
  };
  ed->ShowModal();
}

TEST(FilterEditor, OpensWithBothColumnsAndTheirHeadersInView) {
  auto* f = CreateForm<TfrmFilter>(Application);
  f->SetFilter("Gif Files (*.gif)|*.gif|JPeg Files (*.jpg)|*.jpg");
  bool checked = false;
  Application->OnModalForm = [&](TForm*) {
    screen::Settle();
    TStringGrid* g = f->StringGrid1;
    EXPECT_EQ(g->LeftCol(), 0);
    RECT client;
    GetClientRect(g->Handle(), &client);
    const RECT grid = screen::ClientScreenRect(g->Handle());
    const RECT dialog = screen::ClientScreenRect(f->Handle());
    HFONT font = g->Font()->Handle();
    const COLORREF face = ColorToRGB(g->FixedColor());
    int c = 0;
    for (const char* header : {"Filter Name", "Filter"}) {
      RECT cell = g->CellRect(c++, 0);
      // The whole header cell lies inside the grid's client area, on the screen inside the
      // dialog, and shows its text.
      ASSERT_LT(cell.left, cell.right) << header;
      EXPECT_LE(cell.right, client.right) << header;
      RECT onScreen{grid.left + cell.left, grid.top + cell.top, grid.left + cell.right, grid.top + cell.bottom};
      EXPECT_TRUE(screen::Inside(onScreen, dialog)) << header;
      EXPECT_EQ(screen::WindowAt(screen::Centre(onScreen)), g->Handle()) << header;
      screen::TShot shot = screen::Capture(onScreen);
      EXPECT_TRUE(screen::ShowsText(shot, 0, shot.height, face, header, font)) << header;
    }
    SaveScreen("FilterEditor-open");
    checked = true;
    f->btnCancel->Click();
  };
  EXPECT_EQ(f->ShowModal(), 2);
  Application->OnModalForm = nullptr;
  EXPECT_TRUE(checked);
  f->Free();
}

TEST(FilterEditor, RowsFromTheFilterAndBack) {
  auto* f = CreateForm<TfrmFilter>(Application);
  EXPECT_EQ(f->Caption(), "Filter Editor");
  EXPECT_EQ(f->StringGrid1->Cells(0, 0), "Filter Name");
  EXPECT_EQ(f->StringGrid1->Cells(1, 0), "Filter");
  EXPECT_EQ(f->StringGrid1->RowCount(), 20);
  const AnsiString two = "Gif Files (*.gif)|*.gif|JPeg Files (*.jpg)|*.jpg";
  f->SetFilter(two);
  EXPECT_EQ(f->StringGrid1->Cells(0, 2), "JPeg Files (*.jpg)");
  EXPECT_EQ(f->StringGrid1->Cells(1, 2), "*.jpg");
  EXPECT_EQ(f->GetFilter(), two);
  // Half-filled rows; empty rows in between are skipped.
  f->StringGrid1->SetCells(0, 5, "Name only");
  f->StringGrid1->SetCells(1, 7, "*.mask");
  EXPECT_EQ(f->GetFilter(), two + "|Name only||" + "|*.mask");
  f->SetFilter("no bars at all");
  EXPECT_EQ(f->GetFilter(), "");
  f->SetFilter("Odd|*.odd|trailing");
  EXPECT_EQ(f->GetFilter(), "Odd|*.odd");  // text after the last pair is no row
  // More than 19 pairs: the table grows and keeps them all.
  AnsiString many;
  for (int i = 0; i < 25; ++i) many += Format("%sType%d|*.t%d", i ? "|" : "", i, i);
  f->SetFilter(many);
  EXPECT_EQ(f->StringGrid1->RowCount(), 26);
  EXPECT_EQ(f->GetFilter(), many);
  Application->OnModalForm = [&](TForm*) { f->btnCancel->Click(); };
  EXPECT_EQ(f->ShowModal(), 2);
  Application->OnModalForm = [&](TForm*) {
    f->StringGrid1->SetCells(0, 1, "Changed");
    f->btnOK->Click();
  };
  EXPECT_EQ(f->ShowModal(), 1);
  Application->OnModalForm = nullptr;
  EXPECT_EQ(f->GetFilter().substr(0, 12), "Changed|*.t0");
  f->Free();
}
