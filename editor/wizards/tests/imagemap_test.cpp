// The image map wizard on screen: spots drawn with the mouse, the sizing handles moving
// and resizing them (snapped, kept inside, by keys), their menus and short-cuts, and the
// map they become.
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/Handles.h"
#include "editor/wizards/Vx2_imgm.h"
#include "editor/wizards/Vx2_imgp.h"
#include "editor/wizards/tests/wizard_fixture.h"
#include "tagdefs/ImgDlg.h"

using namespace vx;

namespace {

struct ImageMap : WizardFixture {
  TComponentPtr<TForm_Imgm> m;
  TStretchHandle* h = nullptr;
  void SetUp() override {
    WizardFixture::SetUp();
    m = NewForm<TForm_Imgm>(Application);
    m->Show();
    h = m->Handle1;
    Pump();
  }
  void TearDown() override {
    m.reset();
    WizardFixture::TearDown();
  }
  // The picture's pixels, to see that drawing left nothing behind.
  std::vector<COLORREF> Pixels() {
    TCanvas* c = m->Image1->Canvas();
    std::vector<COLORREF> v;
    for (int y = 0; y < m->Image1->Height(); y += 2)
      for (int x = 0; x < m->Image1->Width(); x += 2) v.push_back(GetPixel(c->Handle(), x, y));
    return v;
  }
  static std::string Bounds(TControl* c) {
    return std::to_string(c->Left()) + "," + std::to_string(c->Top()) + "," + std::to_string(c->Width()) + "," +
           std::to_string(c->Height());
  }
  THotSpot* Spot(int i) { return m->HotSpots().at(static_cast<size_t>(i)); }
  void Hold(THotSpot* s) { Click(s, s->Width() / 2, s->Height() / 2); }
};

}  // namespace

TEST_F(ImageMap, DrawnSpotsAreLargerThanFivePixelsAndLeaveNoTrace) {
  EXPECT_EQ(m->Caption(), "Image Map Wizard");
  EXPECT_EQ(m->HelpContext(), 97);
  ExpectInside(m.get());
  std::vector<COLORREF> before = Pixels();
  TImage* img = m->Image1;
  // Released away from the last point the band was drawn at.
  Mouse(img, WM_LBUTTONDOWN, 20, 30, MK_LBUTTON);
  Mouse(img, WM_MOUSEMOVE, 60, 50, MK_LBUTTON);
  Mouse(img, WM_MOUSEMOVE, 100, 80, MK_LBUTTON);
  EXPECT_NE(Pixels(), before);  // the band shows while dragging
  Mouse(img, WM_LBUTTONUP, 120, 90);
  EXPECT_EQ(m->LocationP->Caption(), "(120, 90)");
  ASSERT_EQ(m->HotSpots().size(), 1u);
  EXPECT_EQ(Bounds(Spot(0)), "20,30,100,60");
  EXPECT_EQ(Pixels(), before);
  // Five pixels across or down is not enough.
  Drag(img, 200, 200, 205, 240);
  Drag(img, 200, 200, 260, 195);
  EXPECT_EQ(m->HotSpots().size(), 1u);
  // Drawn backwards: the same rectangle as forwards.
  Drag(img, 300, 150, 250, 100);
  ASSERT_EQ(m->HotSpots().size(), 2u);
  EXPECT_EQ(Bounds(Spot(1)), "250,100,50,50");
  EXPECT_EQ(Pixels(), before);
  // Over a spot the panels show its link and its corners in the picture.
  Spot(1)->SetHREF("b.htm");
  Mouse(Spot(1), WM_MOUSEMOVE, 5, 5);
  EXPECT_EQ(m->UrlP->Caption(), "b.htm");
  EXPECT_EQ(m->LocationP->Caption(), "250, 100, 300, 150");
}

TEST_F(ImageMap, AClickedSpotTakesTheHandlesWhichMoveAndSizeIt) {
  THotSpot* s = m->NewHotSpot(RECT{40, 40, 140, 100});
  Hold(s);
  ASSERT_EQ(h->AttachedControl(), s);
  EXPECT_EQ(Bounds(h), "38,38,105,65");
  EXPECT_EQ(h->GripColor(), clOlive);
  EXPECT_EQ(GetFocus(), h->Handle());
  // The handles lie over the spot: the window under its middle is theirs.
  POINT mid = s->ClientToScreen(POINT{50, 30});
  EXPECT_EQ(WindowFromPoint(mid), h->Handle());
  // Grips by the pointer's place, with their cursors.
  Mouse(h, WM_MOUSEMOVE, 1, 1);
  EXPECT_EQ(h->Grip(), 1);
  EXPECT_EQ(h->Cursor(), crSizeNWSE);
  Mouse(h, WM_MOUSEMOVE, 52, 2);
  EXPECT_EQ(h->Grip(), 5);
  EXPECT_EQ(h->Cursor(), crSizeNS);
  Mouse(h, WM_MOUSEMOVE, 103, 33);
  EXPECT_EQ(h->Grip(), 8);
  EXPECT_EQ(h->Cursor(), crSizeWE);
  Mouse(h, WM_MOUSEMOVE, 30, 30);
  EXPECT_EQ(h->Grip(), 0);
  EXPECT_EQ(h->Cursor(), h->DragCursor());
  // The body moves the spot; the bottom-right grip sizes it.
  Drag(h, 30, 30, 60, 50);
  EXPECT_EQ(Bounds(s), "70,60,100,60");
  EXPECT_EQ(Bounds(h), "68,58,105,65");
  Drag(h, 103, 63, 123, 73);
  EXPECT_EQ(Bounds(s), "70,60,120,70");
  EXPECT_FALSE(h->DragActive());
  // An edge dragged past the opposite one stops at the grips' size.
  Drag(h, 124, 37, -200, 37);
  EXPECT_EQ(h->Width(), 5);
  EXPECT_EQ(h->Left(), 68);
  // The pointer stays inside the parent: dragged far left, the body stops there.
  Drag(h, 2, 30, 2, 30);  // a press without a move changes nothing
  EXPECT_EQ(h->Left(), 68);
  Drag(h, 2, 60, -900, 60);
  EXPECT_EQ(h->Left(), -2);
  EXPECT_EQ(s->Left(), 0);
}

TEST_F(ImageMap, SnappingArrowKeysAndSeveralHandles) {
  THotSpot* s = m->NewHotSpot(RECT{40, 40, 100, 100});
  Hold(s);
  h->SetSnapToGrid(true);
  EXPECT_EQ(h->GridX(), 8);
  EXPECT_EQ(h->GridY(), 8);
  Drag(h, 13, 13, 45, 37);
  // From 6,6 to 38,30 on the grid: 32 across, 24 down.
  EXPECT_EQ(Bounds(s), "72,64,60,60");
  h->SetSnapToGrid(false);
  EXPECT_FALSE(h->SnapToGrid());
  Key(VK_RIGHT);
  Key(VK_RIGHT);
  Key(VK_UP);
  EXPECT_EQ(Bounds(s), "74,63,60,60");
  h->SetLocked(true);
  Key(VK_RIGHT);
  Drag(h, 30, 30, 50, 50);
  EXPECT_EQ(Bounds(s), "74,63,60,60");
  h->SetLocked(false);
  // A second attached handle in the same parent: both take their second colour and
  // move together; the grips then only move.
  auto* h2 = new TStretchHandle(m.get());
  h2->SetColor(clBlue);
  h2->SetSecondaryColor(clGreen);
  THotSpot* s2 = m->NewHotSpot(RECT{200, 200, 240, 240});
  h2->Attach(s2);
  EXPECT_EQ(h2->GripColor(), clGreen);
  EXPECT_EQ(h->GripColor(), clMaroon);
  Mouse(h, WM_MOUSEMOVE, 1, 1);
  EXPECT_EQ(h->Grip(), 0);
  Drag(h, 1, 1, 11, 21);
  EXPECT_EQ(Bounds(s), "84,83,60,60");
  EXPECT_EQ(Bounds(s2), "210,220,40,40");
  h2->Free();
  // A form cannot take the handles.
  try {
    h->Attach(m.get());
    ADD_FAILURE() << "no error";
  } catch (const EBadChild& e) {
    EXPECT_STREQ(e.what(), "Handles can not be attached to this component");
  }
}

TEST_F(ImageMap, MenusShortCutsAndDelOnlyWhereItBelongs) {
  THotSpot* s = m->NewHotSpot(RECT{10, 10, 60, 60});
  m->NewHotSpot(RECT{100, 10, 160, 60});
  m->Edit1Click(m->Edit1);
  EXPECT_FALSE(m->DeleteMI->Enabled());
  EXPECT_FALSE(m->PropertiesMI->Enabled());
  m->DeleteMIClick(nullptr);  // nothing held: nothing goes
  EXPECT_EQ(m->HotSpots().size(), 2u);
  Hold(s);
  m->Edit1Click(m->Edit1);
  EXPECT_TRUE(m->DeleteMI->Enabled());
  EXPECT_TRUE(m->PropertiesMI->Enabled());
  // Ctrl+E: the properties dialog starts with the spot's link; OK keeps the new one.
  s->SetHREF("old.htm");
  AnsiString started;
  Application->OnModalForm = [&](TForm* f) {
    auto* p = dynamic_cast<TForm_Imgp*>(f);
    if (!p) return;
    started = p->HRefE->Text();
    p->HRefE->SetText("a.cgi?x=1");
    p->OkBtn->Click();
  };
  Chord(VK_CONTROL, 'E');
  EXPECT_EQ(started, "old.htm");
  EXPECT_EQ(s->HREF(), "a.cgi?x=1");
  // Del in the name field edits the name.
  m->NameE->SetText("Nav");
  m->NameE->SetFocus();
  m->NameE->SetSelStart(0);
  Key(VK_DELETE);
  EXPECT_EQ(m->NameE->Text(), "av");
  EXPECT_EQ(m->HotSpots().size(), 2u);
  // Del with the handles focused deletes the spot they hold.
  Hold(s);
  ASSERT_EQ(GetFocus(), h->Handle());
  Key(VK_DELETE);
  EXPECT_EQ(m->HotSpots().size(), 1u);
  EXPECT_FALSE(h->Attached());
  EXPECT_FALSE(h->Visible());
  // A click on the spot held lets it go.
  THotSpot* last = Spot(0);
  Hold(last);
  m->HotSpotMouseDown(last, mbLeft, TShiftState{}, 1, 1);
  EXPECT_FALSE(h->Attached());
  // Exit ends the wizard with Cancel.
  m->Hide();
  Application->OnModalForm = [this](TForm*) { m->Exit1->Click(); };
  EXPECT_EQ(m->ShowModal(), mrCancel);
}

TEST_F(ImageMap, TwoSpotsOnAPictureBecomeTheMapAndItsImageTag) {
  char tmp[MAX_PATH];
  GetTempPathA(MAX_PATH, tmp);
  std::string dir = std::string(tmp) + "vx_imgm_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(dir.c_str(), nullptr);
  CreateDirectoryA((dir + "\\Pics").c_str(), nullptr);
  {
    TBitmap pic;
    pic.SetSize(240, 160);
    pic.Canvas()->Brush()->SetColor(0x40A0E0);
    pic.Canvas()->FillRect(RECT{0, 0, 240, 160});
    pic.Canvas()->Brush()->SetColor(0x206020);
    pic.Canvas()->FillRect(RECT{20, 20, 110, 80});
    pic.SaveToFile(dir + "\\Pics\\Map.BMP");
  }
  std::string bad = dir + "\\Pics\\broken.gif";
  if (FILE* f = fopen(bad.c_str(), "wb")) {
    fputs("not a picture", f);
    fclose(f);
  }
  SetCurrentDir(dir);
  auto open = [&](const std::string& file) {
    Application->OnModalForm = [file](TForm* f) {
      if (auto* d = dynamic_cast<TImgDlg_Form*>(f)) {
        d->FileEdit->SetText(file);
        d->Button1->Click();
      }
    };
    m->NameE->SetFocus();
    Chord(VK_CONTROL, 'O');
    Application->OnModalForm = nullptr;
  };
  open(dir + "\\Pics\\Map.BMP");
  EXPECT_EQ(m->Image1->Width(), 240);
  EXPECT_EQ(m->ImageFile, "pics/map.bmp");
  open(bad);  // cannot be read: the picture stays
  EXPECT_EQ(m->Image1->Width(), 240);
  EXPECT_EQ(m->ImageFile, "pics/map.bmp");
  Drag(m->Image1, 20, 20, 110, 80);
  Drag(m->Image1, 130, 40, 220, 140);
  ASSERT_EQ(m->HotSpots().size(), 2u);
  Spot(0)->SetHREF("a.htm");
  m->NameE->SetText("Nav");
  Hold(Spot(1));
  Screenshot("image_map_wizard");
  m->InsertMap(ed, true);
  EXPECT_EQ(Text(),
            "<MAP NAME=\"Nav\">\r\n"
            "   <AREA COORDS=\"20,20,110,80\" HREF=\"a.htm\">\r\n"
            "   <AREA COORDS=\"130,40,220,140\" HREF=\"\">\r\n"
            "</MAP>\r\n"
            "<IMG BORDER=0 USEMAP=\"#Nav\" SRC=\"pics/map.bmp\"> \r\n");
  SetCurrentDir(tmp);
  DeleteFileA((dir + "\\Pics\\Map.BMP").c_str());
  DeleteFileA(bad.c_str());
  RemoveDirectoryA((dir + "\\Pics").c_str());
  RemoveDirectoryA(dir.c_str());
}

TEST_F(ImageMap, MapTagsAndAreasReadBack) {
  m->ParseMapTag(" NAME=\"NavBar\"");
  EXPECT_EQ(m->NameE->Text(), "NavBar");
  m->ParseMapTag(" id");  // no "=": the name stays
  EXPECT_EQ(m->NameE->Text(), "NavBar");
  THotSpot* a = m->ParseArea(" COORDS=\"10,20,30,60\" HREF=\"Up.HTM\">");
  EXPECT_EQ(Bounds(a), "10,20,20,40");
  EXPECT_EQ(a->HREF(), "Up.HTM");
  THotSpot* b = m->ParseArea(" coords=\"1,2,3\" href=x.htm>");
  EXPECT_EQ(b->Width(), 65);  // the shape's own size
  EXPECT_EQ(b->HREF(), "x.htm");
  EXPECT_THROW(m->ParseArea(" COORDS=\"1,2,three,4\">"), EConvertError);
  EXPECT_EQ(m->HotSpots().size(), 2u);
  m->InsertMap(ed, false);
  EXPECT_EQ(Text(),
            "<MAP NAME=\"NavBar\">\r\n"
            "   <AREA COORDS=\"10,20,30,60\" HREF=\"Up.HTM\">\r\n"
            "   <AREA COORDS=\"0,0,65,65\" HREF=\"x.htm\">\r\n"
            "</MAP>");
}

// Run modally, as VornixPro runs it: the handles' popup short-cut reaches the properties
// dialog, and OK writes what was made.
TEST_F(ImageMap, TheModalRunAnswersThePopupShortCut) {
  m->Hide();
  std::vector<std::string> shown;
  Application->OnModalForm = [&](TForm* f) {
    shown.push_back(f->Caption());
    if (auto* p = dynamic_cast<TForm_Imgp*>(f)) {
      p->HRefE->SetText("Docs/Page.htm");
      p->OkBtn->Click();
      return;
    }
    THotSpot* s = m->NewHotSpot(RECT{30, 30, 90, 70});
    Hold(s);
    Chord(VK_CONTROL, 'P');
    m->NameE->SetText("Menu");
    m->OkBtn->Click();
  };
  ASSERT_EQ(m->ShowModal(), mrOk);
  EXPECT_EQ(shown, (std::vector<std::string>{"Image Map Wizard", "Properties"}));
  m->InsertMap(ed, false);
  EXPECT_EQ(Text(), "<MAP NAME=\"Menu\">\r\n   <AREA COORDS=\"30,30,90,70\" HREF=\"Docs/Page.htm\">\r\n</MAP>");
}
