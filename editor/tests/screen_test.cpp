// VornixPro as a person uses it: mouse and keyboard input through SendInput, menus,
// dialogs and modal forms running for real, and checks of what the screen shows (the
// window under the document area, captured text compared with text drawn in the same
// font, controls inside their window, the focus after each command). The file dialogs
// of the platform and the message boxes are answered through the test seam.
// Set VORNIX_SHOTS to a folder to keep the screenshots.
#include "framework/win/WinApi.h"

#include <commctrl.h>

#include "editor/HTMLBox.h"
#include "editor/tests/frame_fixture.h"
#include "editor/vx2_help.h"
#include "editor/wizards/H_charp.h"
#include "editor/wizards/WizardText.h"
#include "framework/win/GdiScoped.h"
#include "framework/win/Grids.h"
#include "framework/win/tests/ScreenDriver.h"
#include "tagdefs/ParEd.h"
#include "tagdefs/XGrid.h"
#include "tagdefs/teTagType.h"

using namespace vx;
using namespace vx::screen;

namespace {

const TShiftState Ctrl{ssCtrl}, Shift{ssShift}, Alt{ssAlt};

struct ScreenTest : FrameTest {
  void BeforeStart() override {
    // Modal forms, menus and popups run as they do for a person; the input answers them.
    Application->SetUnattended(false);
    Application->OnHelp = [](UINT, ULONG_PTR) { return true; };
  }
  void SetUp() override {
    FrameTest::SetUp();
    WaitForFrame();
  }
  // The frame on the screen and in the foreground, ready for input.
  void WaitForFrame() {
    WaitUntil([&] {
      RECT r = WindowScreenRect(Frame());
      HWND at = WindowAt(Centre(r));
      return GetForegroundWindow() == Frame() && at && (at == Frame() || IsChild(Frame(), at));
    });
    Settle(300);
  }
  void TearDown() override {
    FrameTest::TearDown();
    Application->OnHelp = nullptr;
    Application->SetUnattended(true);
  }

  HWND Frame() { return frame->Handle(); }
  HWND EditorWnd() { return Editor() ? Editor()->Handle() : nullptr; }
  HWND MDIClient() { return frame->ClientHandle(); }
  // The tab control's area inside its tabs, where the current document shows.
  RECT DocArea() {
    RECT r = frmEditWin->TabControl->DisplayRect();
    MapWindowPoints(frmEditWin->TabControl->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  bool EditorUnderDocArea() { return frmEditWin && WindowAt(Centre(DocArea())) == EditorWnd(); }
  bool FocusInEditor() { return Editor() && FocusedWindow() == EditorWnd(); }

  HFONT EditorFont() { return reinterpret_cast<HFONT>(SendMessageA(EditorWnd(), WM_GETFONT, 0, 0)); }
  int LineHeight() {
    TWindowDC dc(EditorWnd());
    TSelected f(dc, EditorFont());
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    return tm.tmHeight;
  }
  // Line n (from 1) of the current editor, as the screen shows it, is the text drawn in
  // the editor's font.
  bool ShowsLine(int line, const std::string& text) {
    if (!Editor()) return false;
    int lh = LineHeight();
    TShot shot = Capture(ClientScreenRect(EditorWnd()));
    return ShowsText(shot, (line - 1) * lh, line * lh, ColorToRGB(Editor()->Color()), text, EditorFont());
  }
  // The screen point of a column of a line of the current editor (a fixed-pitch font).
  POINT TextPoint(int line, int column) {
    int lh = LineHeight();
    TShot shot = Capture(ClientScreenRect(EditorWnd()));
    auto runs = InkRuns(shot, (line - 1) * lh, line * lh, ColorToRGB(Editor()->Color()), 1);
    TWindowDC dc(EditorWnd());
    TSelected f(dc, EditorFont());
    SIZE one{0, 0};
    GetTextExtentPoint32A(dc, "M", 1, &one);
    // Just right of the boundary before the column: the caret goes to the nearest boundary.
    POINT p{(runs.empty() ? 2 : runs.front().first) + column * one.cx + 2, (line - 1) * lh + lh / 2};
    ClientToScreen(EditorWnd(), &p);
    return p;
  }

  POINT ButtonCentre(const char* item) {
    TSpeedbarButton* b = frame->SpeedItem(item)->Button();
    POINT p{b->Left() + b->Width() / 2, b->Top() + b->Height() / 2};
    ClientToScreen(b->Parent()->Handle(), &p);
    return p;
  }
  RECT TabRect(int i) {
    RECT r{};
    SendMessageA(frmEditWin->TabControl->Handle(), TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    MapWindowPoints(frmEditWin->TabControl->Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
  }
  POINT PaletteRow(int i) {
    THTMLBox* box = frmEditWin->HTMLBox1;
    POINT p{box->Left() + 20, box->Top() + i * box->BtnHeight() + box->BtnHeight() / 2};
    ClientToScreen(frmEditWin->ScrollBox1->Handle(), &p);
    return p;
  }
  POINT ControlCentre(TWinControl* c) { return Centre(WindowScreenRect(c->Handle())); }
  // The centre of the value cell of an attribute's row in the attribute editor.
  static POINT ValueCell(TfrmParEd* ed, const char* attribute) {
    TXGridRows* rows = ed->XGrid1->GridRows();
    for (int i = 0; i < rows->Count(); ++i)
      if (AnsiSameText(rows->Items(i)->Caption(), attribute)) {
        RECT r = ed->XGrid1->CellRect(1, i + ed->XGrid1->FixedRows());
        POINT p = Centre(r);
        ClientToScreen(ed->XGrid1->Handle(), &p);
        return p;
      }
    return POINT{-1, -1};
  }

  TInputScript MenuClick(TMenuItem* item) {
    TInputScript s;
    AddMenuClick(s, Frame(), item);
    return s;
  }
  // Another top-level window of the program on the screen (a dialog), or nullptr.
  struct FindDialog {
    HWND frame, found = nullptr;
  };
  static BOOL CALLBACK FindDialogProc(HWND h, LPARAM l) {
    auto* f = reinterpret_cast<FindDialog*>(l);
    if (h != f->frame && IsWindowVisible(h) && (GetWindowLongA(h, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
      f->found = h;
      return FALSE;
    }
    return TRUE;
  }
  HWND DialogUp() {
    FindDialog f{Frame()};
    EnumThreadWindows(GetCurrentThreadId(), FindDialogProc, reinterpret_cast<LPARAM>(&f));
    return f.found;
  }
  std::string Shot(const std::string& name) {
    SaveScreen(name);
    return name;
  }
};

#define RUN(script) EXPECT_TRUE((script).Run()) << "stopped at: " << (script).FailedStep()

}  // namespace

// A second document shows in place of the first, typing goes where it shows, and the
// tabs switch what shows.
TEST_F(ScreenTest, EveryTabShowsItsOwnDocument) {
  std::string a = Write("first.htm", "<P>first document</P>\r\nmore\r\n");
  std::string b = Write("second.htm", "<H1>Second page here</H1>\r\n");
  frame->OpenInEditor(a);
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<P>first document</P>"));

  Key('N', Ctrl);
  ASSERT_TRUE(WaitUntil([&] { return TabCount() == 2; }));
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<HTML>"));
  EXPECT_FALSE(ShowsLine(1, "<P>first document</P>"));
  screen::Type("typed here");
  Settle();
  EXPECT_EQ(Editor()->GetLine(5), "typed here");
  EXPECT_TRUE(ShowsLine(5, "typed here"));
  EXPECT_TRUE(FocusInEditor());

  // Another file through File > Open.
  dialog = [b](TCommonDialog* d) {
    static_cast<TOpenDialog*>(d)->SetFileName(b);
    return true;
  };
  TInputScript open = MenuClick(frame->cmdOpen);
  RUN(open);
  Settle();
  ASSERT_EQ(TabCount(), 3);
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<H1>Second page here</H1>"));
  Shot("tabs_third_document");

  // A click on a tab shows that tab's document and puts the focus in it.
  Click(Centre(TabRect(0)));
  Settle();
  EXPECT_EQ(frmEditWin->TabControl->TabIndex(), 0);
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<P>first document</P>"));
  EXPECT_TRUE(FocusInEditor());
  Shot("tabs_first_document");
  Click(Centre(TabRect(1)));
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(5, "typed here"));
  Shot("tabs_second_document");

  // Closing the shown document shows the first tab's.
  answers = {IDNO};
  TInputScript close = MenuClick(frame->cmdClose);
  RUN(close);
  Settle();
  EXPECT_EQ(TabCount(), 2);
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<P>first document</P>"));
}

// A short-cut acts whenever its command applies, whatever state its menu showed when it
// was last opened.
TEST_F(ScreenTest, ShortCutsActWhateverTheMenuShowedLast) {
  std::string name = Write("saved.htm", "<P>saved</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  TInputScript look;
  look.Do(
          [&] {
            Click(Centre([&] {
              RECT r{};
              GetMenuItemRect(Frame(), GetMenu(Frame()), 0, &r);
              return r;
            }()));
          },
          "open File")
      .Then([] { return !MenuWindows().empty(); }, "the File menu shows")
      .Do([] { Key(VK_ESCAPE); })
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return MenuWindows().empty(); }, "the menu closes");
  RUN(look);
  EXPECT_FALSE(frame->cmdSave->Enabled());  // what the menu showed: nothing to save

  Click(TextPoint(1, 3));
  screen::Type("x");
  Settle();
  ASSERT_TRUE(Editor()->GetModified());
  Key('S', Ctrl);
  Settle(500);
  EXPECT_FALSE(Editor()->GetModified());
  EXPECT_EQ(ReadFileBytes(name), "<P>xsaved</P>\r\n");
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(dialogNames.empty());
}

// A document window maximised once opens maximised again, inside the frame, also after a
// restart; restored it lies inside the frame's client area, as does one stored larger.
TEST_F(ScreenTest, DocumentWindowStaysInsideTheFrame) {
  auto maximisedInside = [&]() -> bool {
    HWND child = frmEditWin->Handle();
    RECT client = ClientScreenRect(child), area = ClientScreenRect(MDIClient());
    bool menuButtons = GetMenuItemCount(GetMenu(Frame())) > static_cast<int>(frame->MainMenu1->BarItems().size());
    return IsZoomed(child) && EqualRect(&client, &area) && menuButtons && EditorUnderDocArea();
  };
  frame->NewDoc(frame);
  Settle();
  POINT max = HitPoint(frmEditWin->Handle(), HTMAXBUTTON);
  ASSERT_GE(max.x, 0);
  Click(max);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(frmEditWin->Handle()) != 0; }));
  Settle();
  EXPECT_TRUE(maximisedInside());

  answers = {IDNO};
  TInputScript closeAll = MenuClick(frame->cmdCloseAll);
  RUN(closeAll);
  ASSERT_TRUE(WaitUntil([&] { return frmEditWin == nullptr; }));
  Key('N', Ctrl);
  ASSERT_TRUE(WaitUntil([&] { return frmEditWin && Editor(); }));
  Settle();
  EXPECT_TRUE(maximisedInside()) << Shot("maximised_again");

  answers = {IDNO};
  ASSERT_TRUE(Stop());
  Start();
  WaitForFrame();
  Key('N', Ctrl);
  ASSERT_TRUE(WaitUntil([&] { return frmEditWin && Editor(); }));
  Settle();
  EXPECT_TRUE(maximisedInside()) << Shot("maximised_after_restart");

  // The restore button in the menu bar: the window comes back inside the client area.
  HMENU bar = GetMenu(Frame());
  RECT restore{};
  int restorePos = -1;
  for (int i = 0; i < GetMenuItemCount(bar); ++i)
    if (GetMenuItemID(bar, i) == SC_RESTORE) restorePos = i;
  ASSERT_TRUE(GetMenuItemRect(Frame(), bar, restorePos, &restore));
  Click(Centre(restore));
  ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(frmEditWin->Handle()); }));
  Settle();
  EXPECT_TRUE(Inside(WindowScreenRect(frmEditWin->Handle()), ClientScreenRect(MDIClient())));
  EXPECT_EQ(GetMenuItemCount(GetMenu(Frame())), static_cast<int>(frame->MainMenu1->BarItems().size()));
  EXPECT_TRUE(EditorUnderDocArea());

  // A normal window stored larger than this frame.
  answers = {IDNO};
  ASSERT_TRUE(Stop());
  TRegIniFile reg(VornixRegKey);
  reg.WriteString("Editor", "ShowCmd", "1");
  reg.WriteString("Editor", "NormPos", "300,200,4000,3000");
  Start();
  WaitForFrame();
  Key('N', Ctrl);
  ASSERT_TRUE(WaitUntil([&] { return frmEditWin && Editor(); }));
  Settle();
  EXPECT_FALSE(IsZoomed(frmEditWin->Handle()));
  EXPECT_TRUE(Inside(WindowScreenRect(frmEditWin->Handle()), ClientScreenRect(MDIClient()))) << Shot("stored_larger");
  answers = {IDNO};
}

// After every command and every dialog the focus is back in the current editor, and the
// program stays the active one.
TEST_F(ScreenTest, FocusComesBackToTheEditor) {
  std::string name = Write("focus.htm", "<P>Some text here</P>\r\nsecond line\r\n");
  frame->OpenInEditor(name);
  Settle();
  ASSERT_TRUE(FocusInEditor());
  auto selectLineOne = [&] {
    Key(VK_HOME, Ctrl);
    Key(VK_END, Shift);
    Settle();
  };
  auto dialogCancelled = [&](TMenuItem* command) {
    TInputScript s = MenuClick(command);
    s.Then([&] { return DialogUp() != nullptr; }, "the dialog shows")
        .Do([] { Key(VK_ESCAPE); })
        .Then([&] { return DialogUp() == nullptr; }, "the dialog closes");
    RUN(s);
    Settle();
  };

  dialogCancelled(frmEditWin->cmdFind);
  EXPECT_TRUE(FocusInEditor()) << "after Find";
  dialogCancelled(frmEditWin->cmdReplace);
  EXPECT_TRUE(FocusInEditor()) << "after Replace";

  selectLineOne();
  TInputScript strip = MenuClick(frmEditWin->cmdStripHTMLTags);
  RUN(strip);
  Settle();
  EXPECT_EQ(Editor()->GetLine(1), "Some text here");
  EXPECT_TRUE(FocusInEditor()) << "after Strip HTML Tags";
  selectLineOne();
  TInputScript upper = MenuClick(frmEditWin->cmdUppercase);
  RUN(upper);
  Settle();
  EXPECT_EQ(Editor()->GetLine(1), "SOME TEXT HERE");
  EXPECT_TRUE(FocusInEditor()) << "after Uppercase";

  // The attribute editor from a tag button, cancelled.
  TInputScript attrs;
  attrs.Do([&] { Click(ButtonCentre("siA")); }, "click A")
      .Then([] { return ShownForm("TfrmParEd") != nullptr; }, "the attribute editor shows")
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return ShownForm("TfrmParEd") == nullptr; }, "the attribute editor closes");
  RUN(attrs);
  Settle();
  EXPECT_TRUE(FocusInEditor()) << "after cancelling the attribute editor";
  EXPECT_EQ(Editor()->GetLine(1), "SOME TEXT HERE");

  // An item of the editor's popup menu.
  selectLineOne();
  TInputScript popup;
  popup.Do([&] { Click(TextPoint(1, 2), mbRight); }, "right click")
      .Then([] { return !MenuWindows().empty(); }, "the popup shows");
  AddMenuClick(popup, nullptr, frmEditWin->cmdPopLowerCase);
  RUN(popup);
  Settle();
  EXPECT_EQ(Editor()->GetLine(1), "some text here");
  EXPECT_EQ(GetForegroundWindow(), Frame()) << "after a popup item";
  EXPECT_TRUE(FocusInEditor()) << "after a popup item";

  // An item of a speed button's drop-down menu, whose attribute editor is cancelled.
  TMenuItem* h3 = frame->HnPopUp->Items()->Items(0);
  TInputScript drop;
  drop.Do([&] { Click(ButtonCentre("siHn")); }, "click the header button")
      .Then([] { return !MenuWindows().empty(); }, "its menu shows");
  AddMenuClick(drop, nullptr, h3);
  drop.Then([] { return ShownForm("TfrmParEd") != nullptr; }, "the attribute editor shows")
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return ShownForm("TfrmParEd") == nullptr; }, "the attribute editor closes");
  RUN(drop);
  Settle();
  EXPECT_EQ(GetForegroundWindow(), Frame()) << "after a drop-down item";
  EXPECT_TRUE(FocusInEditor()) << "after a drop-down item";
  EXPECT_EQ(Editor()->GetLine(1), "some text here");
  answers = {IDNO};
}

// The tag help window shows its buttons inside its client area at every size.
TEST_F(ScreenTest, TagHelpWindowKeepsItsButtonsInside) {
  std::string name = Write("help.htm", "<P>help</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  THTMLBox* box = frmEditWin->HTMLBox1;
  int row = -1;
  for (int i = 0; i < box->RowCount() && row < 0; ++i)
    if (box->RowTag(i)->Attribs().Count() == 0) row = i;
  ASSERT_GE(row, 0);
  std::vector<std::string> outside[3];
  bool okVisible[3] = {false, false, false};
  auto look = [&](int i) {
    auto* help = static_cast<TfrmHelpView*>(ShownForm("TfrmHelpView"));
    if (!help) return;
    outside[i] = ControlsOutsideClient(help);
    okVisible[i] = WindowAt(ControlCentre(help->btnOK)) == help->btnOK->Handle() &&
                   WindowAt(ControlCentre(help->btnCancel)) == help->btnCancel->Handle();
    SaveScreen("help_window_" + std::to_string(i));
  };
  TInputScript s;
  s.Do([&] { Click(PaletteRow(row)); }, "click a palette row")
      .Then([] { return ShownForm("TfrmHelpView") != nullptr; }, "the help window shows")
      .Pause(300)
      .Do([&] { look(0); })
      .Do(
          [&] {
            HWND h = ShownForm("TfrmHelpView")->Handle();
            POINT corner = HitPoint(h, HTBOTTOMRIGHT);
            Drag(corner, POINT{corner.x - 600, corner.y - 600});
          },
          "shrink it")
      .Pause(600)
      .Do([&] { look(1); })
      .Do(
          [&] {
            HWND h = ShownForm("TfrmHelpView")->Handle();
            POINT corner = HitPoint(h, HTBOTTOMRIGHT);
            Drag(corner, POINT{corner.x + 300, corner.y + 250});
          },
          "enlarge it")
      .Pause(600)
      .Do([&] { look(2); })
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return ShownForm("TfrmHelpView") == nullptr; }, "the help window closes");
  RUN(s);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(outside[i].empty()) << "size " << i << ": " << (outside[i].empty() ? "" : outside[i][0]);
    EXPECT_TRUE(okVisible[i]) << "size " << i;
  }
  EXPECT_EQ(Editor()->GetLine(1), "<P>help</P>");  // Cancel inserts nothing
  EXPECT_TRUE(FocusInEditor());
}

// After Save As the tab shows the new name alone.
TEST_F(ScreenTest, TabShowsTheNameGivenBySaveAs) {
  frame->NewDoc(frame);
  Settle();
  RECT before = TabRect(0);
  SaveAs(dir + "page.htm");
  TInputScript s = MenuClick(frame->cmdSaveAs);
  RUN(s);
  Settle(400);
  ASSERT_EQ(TabCaption(0), "page.htm");
  RECT after = TabRect(0);
  ASSERT_LT(after.right, before.right);
  TShot tab = Capture(RECT{after.left, after.top, before.right + 2, after.bottom});
  SaveShot(tab, "tab_after_save_as");
  COLORREF face = GetSysColor(COLOR_BTNFACE);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(frmEditWin->TabControl->Handle(), WM_GETFONT, 0, 0));
  // Beside the narrowed tab nothing of the old caption is left; the tab holds the new one.
  auto runs = InkRuns(tab, 3, tab.height - 3, face, 1);
  ASSERT_FALSE(runs.empty());
  EXPECT_LE(runs.back().second, after.right - after.left + 2);
  TShot inner = Capture(RECT{after.left + 2, after.top + 2, after.right - 2, after.bottom - 1});
  EXPECT_TRUE(ShowsText(inner, 0, inner.height, face, "page.htm", font));
}

// A tag button acts on a release only after its own press.
TEST_F(ScreenTest, TagButtonIgnoresAReleaseItNeverSawPressed) {
  std::string name = Write("release.htm", "<P>release</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  std::string before = Editor()->Text();
  RECT area = ClientScreenRect(MDIClient()), doc = WindowScreenRect(frmEditWin->Handle());
  POINT empty{(doc.right + area.right) / 2, (doc.bottom + area.bottom) / 2};
  ASSERT_EQ(WindowAt(empty), MDIClient());
  bool opened = false;
  TInputScript stray;
  stray.Do([&] { Press(empty); }, "press elsewhere")
      .Do([&] { MoveMouse(ButtonCentre("siH2")); })
      .Do([&] { Release(ButtonCentre("siH2")); }, "release over H2")
      .Pause(700)
      .Do([&] {
        if (ShownForm("TfrmParEd")) {
          opened = true;
          Key(VK_ESCAPE);
        }
      });
  RUN(stray);
  Settle();
  EXPECT_FALSE(opened);
  EXPECT_EQ(Editor()->Text(), before);

  // A whole click on the same button opens its attribute editor.
  TInputScript click;
  click.Do([&] { Click(ButtonCentre("siH2")); }, "click H2")
      .Then([] { return ShownForm("TfrmParEd") != nullptr; }, "the attribute editor shows")
      .Do([] { Key(VK_ESCAPE); })
      .Then([] { return ShownForm("TfrmParEd") == nullptr; }, "the attribute editor closes");
  RUN(click);
  EXPECT_EQ(Editor()->Text(), before);
}

// Drop-down menus show captions and short-cut texts in columns of their own, and their
// letters still choose their items.
TEST_F(ScreenTest, MenuShortCutsStandInTheirOwnColumn) {
  std::string name = Write("menus.htm", "<P>menus</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  NONCLIENTMETRICSA ncm{};
  ncm.cbSize = sizeof ncm;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  TOwnedFont menuFont(CreateFontIndirectA(&ncm.lfMenuFont));

  auto checkColumns = [&](TMenuItem* menu, const char* shotName) {
    HMENU h = menu->Handle();
    HWND win = MenuWindows().empty() ? nullptr : MenuWindows().front();
    ASSERT_NE(win, nullptr);
    SaveShot(Capture(WindowScreenRect(win)), shotName);
    int keyLeft = -1, captionRight = 0, pos = 0;
    for (int i = 0; i < menu->Count(); ++i) {
      TMenuItem* it = menu->Items(i);
      if (!it->Visible()) continue;
      int at = pos++;
      if (it->IsLine()) continue;
      RECT r{};
      GetMenuItemRect(nullptr, h, at, &r);
      // The row inside the menu's frame; a highlighted row stands on its own colour.
      TShot row = Capture(RECT{r.left, r.top + 1, r.right - 4, r.bottom - 1});
      COLORREF face = row.At(row.width - 2, row.height / 2);
      auto runs = InkRuns(row, 0, row.height, face, 12);
      if (!it->ShortCut()) {
        if (!runs.empty()) captionRight = std::max(captionRight, static_cast<int>(runs.back().second));
        continue;
      }
      ASSERT_GE(runs.size(), 2u) << it->Caption() << ": caption and short-cut run together";
      captionRight = std::max(captionRight, static_cast<int>(runs[runs.size() - 2].second));
      int left = runs.back().first;
      if (keyLeft < 0) keyLeft = left;
      EXPECT_NEAR(left, keyLeft, 3) << it->Caption() << ": short-cut out of its column";
      TShot keys = Capture(RECT{r.left + left - 2, r.top + 1, r.left + runs.back().second + 2, r.bottom - 1});
      EXPECT_TRUE(ShowsText(keys, 0, keys.height, face, ShortCutToText(it->ShortCut()), menuFont)) << it->Caption();
    }
    EXPECT_GT(keyLeft, captionRight + 8);
  };

  for (TMenuItem* menu : {frame->cmdFile, frmEditWin->cmdEdit}) {
    TInputScript s;
    s.Do([&] { MoveMouse(Centre(DocArea())); })
        .Do([&] { Key(menu == frame->cmdFile ? 'F' : 'E', Alt); }, "open the menu")
        .Then([] { return !MenuWindows().empty(); }, "the menu shows")
        .Pause(300)
        .Do([&] { checkColumns(menu, menu == frame->cmdFile ? "menu_file" : "menu_edit"); })
        .Do([] { Key(VK_ESCAPE); })
        .Do([] { Key(VK_ESCAPE); })
        .Then([] { return MenuWindows().empty(); }, "the menu closes");
    RUN(s);
  }

  // Alt+F, then A: Save As.
  SaveAs(dir + "letters.htm");
  TInputScript letters;
  letters.Do([] { Key('F', Alt); }, "open File")
      .Then([] { return !MenuWindows().empty(); }, "the menu shows")
      .Do([] { Key('A'); }, "its letter A");
  RUN(letters);
  Settle(400);
  EXPECT_EQ(dialogNames.size(), 1u);
  EXPECT_EQ(TabCaption(0), "letters.htm");
}

// The palette's group selector lists every group name whole.
TEST_F(ScreenTest, GroupSelectorShowsWholeNames) {
  std::string name = Write("groups.htm", "<P>groups</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  TComboBox* groups = frmEditWin->ComboBox1;
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(groups->Handle(), WM_GETFONT, 0, 0));
  RECT cr = WindowScreenRect(groups->Handle());
  int checked = 0;
  std::vector<std::string> cut;
  TInputScript s;
  s.Do(
       [&] {
         Click(POINT{cr.right - 6, (cr.top + cr.bottom) / 2});
       },
       "drop the list")
      .Then([&] { return SendMessageA(groups->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }, "the list shows")
      .Pause(300)
      .Do([&] {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(groups->Handle(), &info);
        HWND list = info.hwndList;
        RECT lr = ClientScreenRect(list);
        TShot shot = Capture(lr);
        SaveShot(shot, "group_list");
        int top = static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0));
        for (int i = top; i < groups->Items()->Count(); ++i) {
          RECT r{};
          if (SendMessageA(list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)) == LB_ERR ||
              r.bottom > lr.bottom - lr.top)
            break;
          COLORREF bg = shot.At(shot.width - 2, (r.top + r.bottom) / 2);
          if (!ShowsText(shot, r.top, r.bottom, bg, groups->Items()->Strings(i), font))
            cut.push_back(groups->Items()->Strings(i));
          ++checked;
        }
      })
      .Do([] { Key(VK_ESCAPE); })
      .Then([&] { return SendMessageA(groups->Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0; }, "the list closes");
  RUN(s);
  EXPECT_GE(checked, 3);
  EXPECT_TRUE(cut.empty()) << cut.size() << " names cut, the first: " << (cut.empty() ? "" : cut[0]);

  // With the palette at the screen's right edge the list opens wide enough for the longest
  // name and stays inside the work area.
  ShowWindow(frame->Handle(), SW_MAXIMIZE);
  ShowWindow(frmEditWin->Handle(), SW_MAXIMIZE);
  Settle(400);
  int widest = 0;
  {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    for (int i = 0; i < groups->Items()->Count(); ++i) {
      std::string n = groups->Items()->Strings(i);
      SIZE size{};
      GetTextExtentPoint32A(dc, n.c_str(), static_cast<int>(n.size()), &size);
      widest = std::max<int>(widest, size.cx);
    }
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  cr = WindowScreenRect(groups->Handle());
  ASSERT_GT(cr.right, work.right - 40) << "the palette is not at the screen's right edge";
  RECT listRect{};
  TInputScript edge;
  edge.Do([&] { Click(POINT{cr.right - 6, (cr.top + cr.bottom) / 2}); }, "drop the list at the edge")
      .Then([&] { return SendMessageA(groups->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }, "the list shows")
      .Pause(300)
      .Do([&] {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        GetComboBoxInfo(groups->Handle(), &info);
        listRect = WindowScreenRect(info.hwndList);
        SaveScreen("group_list_at_edge");
      })
      .Do([] { Key(VK_ESCAPE); })
      .Then([&] { return SendMessageA(groups->Handle(), CB_GETDROPPEDSTATE, 0, 0) == 0; }, "the list closes");
  RUN(edge);
  EXPECT_GE(listRect.right - listRect.left, widest);
  EXPECT_TRUE(Inside(listRect, work)) << listRect.left << "," << listRect.top << "," << listRect.right << ","
                                      << listRect.bottom << " outside the work area " << work.right << " x "
                                      << work.bottom;
}

// The text stays on the screen while the font dialog is open over it.
TEST_F(ScreenTest, EditorPaintsBehindTheFontDialog) {
  std::string name = Write("font.htm", "<P>painted behind the dialog</P>\r\n");
  frame->OpenInEditor(name);
  Settle();
  TCommonDialog::Handler() = nullptr;  // the platform's own font dialog
  bool shown = false, moved = false;
  TInputScript s = MenuClick(frmEditWin->cmdChangeFont);
  s.Then([&] { return DialogUp() != nullptr; }, "the font dialog shows")
      .Pause(300)
      .Do(
          [&] {
            // Dragged across the text and away to the screen's lower right.
            HWND d = DialogUp();
            RECT r = WindowScreenRect(d);
            POINT grip{r.left + 40, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
            RECT text = ClientScreenRect(EditorWnd());
            Drag(grip, POINT{text.left + 60, text.top + 10}, 6);
          },
          "drag it over the text")
      .Pause(400)
      .Do(
          [&] {
            HWND d = DialogUp();
            RECT r = WindowScreenRect(d);
            POINT grip{r.left + 40, r.top + GetSystemMetrics(SM_CYCAPTION) / 2 + 2};
            Drag(grip,
                 POINT{GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left) + 40,
                       GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top) + 10},
                 6);
          },
          "drag it away")
      .Pause(600)
      .Do([&] {
        // The first line is out from under the dialog now.
        RECT d = WindowScreenRect(DialogUp()), text = ClientScreenRect(EditorWnd()), line = text, both{};
        line.bottom = line.top + LineHeight();
        moved = !IntersectRect(&both, &d, &line);
        shown = ShowsLine(1, "<P>painted behind the dialog</P>");
        SaveScreen("font_dialog_open");
      })
      .Do([] { Key(VK_ESCAPE); })
      .Then([&] { return DialogUp() == nullptr; }, "the dialog closes");
  RUN(s);
  EXPECT_TRUE(moved);
  EXPECT_TRUE(shown);
  EXPECT_TRUE(FocusInEditor());
}

// The main road, as a person takes it: New, type, B around a selection, IMG through the
// attribute editor, a click on a tag name, a second document, switching tabs, Save As,
// Close, and Reopen from the recent-files list.
TEST_F(ScreenTest, MainRoad) {
  Shot("road_0_start");
  Click(ButtonCentre("siNew"));
  ASSERT_TRUE(WaitUntil([&] { return Editor() != nullptr; }));
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(FocusInEditor());
  EXPECT_TRUE(ShowsLine(1, "<HTML>"));

  screen::Type("Hello road");
  Settle();
  EXPECT_TRUE(ShowsLine(5, "Hello road"));

  // B around the word just typed, selected with Shift+Left.
  for (int i = 0; i < 4; ++i) Key(VK_LEFT, Shift);
  Settle();
  Click(ButtonCentre("siB"));
  Settle();
  EXPECT_EQ(Editor()->GetLine(5), "Hello <b>road</b>");
  EXPECT_TRUE(FocusInEditor());

  // IMG from the image button's menu, through the attribute editor.
  Key(VK_END);
  Settle();
  EXPECT_TRUE(ShowsLine(5, "Hello <b>road</b>"));
  Key(VK_RETURN);
  Settle();
  TMenuItem* img = frame->PopupImg->Items()->Items(0);
  TInputScript image;
  image.Do([&] { Click(ButtonCentre("siImage")); }, "click the image button")
      .Then([] { return !MenuWindows().empty(); }, "its menu shows");
  AddMenuClick(image, nullptr, img);
  image.Then([] { return ShownForm("TfrmParEd") != nullptr; }, "the attribute editor shows")
      .Pause(300)
      .Do([] { Click(ValueCell(static_cast<TfrmParEd*>(ShownForm("TfrmParEd")), "SRC")); }, "the SRC cell")
      .Pause(200)
      .Do([] { screen::Type("pic.gif"); })
      .Pause(200)
      .Do([] { SaveScreen("road_1_attribute_editor"); })
      .Do([] { Click(Centre(WindowScreenRect(static_cast<TfrmParEd*>(ShownForm("TfrmParEd"))->btnOK->Handle()))); },
          "OK")
      .Then([] { return ShownForm("TfrmParEd") == nullptr; }, "the attribute editor closes");
  RUN(image);
  Settle();
  EXPECT_EQ(Editor()->GetLine(6), "<img src=\"pic.gif\">");
  EXPECT_TRUE(ShowsLine(6, "<img src=\"pic.gif\">"));
  EXPECT_TRUE(FocusInEditor());

  // A click on the tag name: the attribute editor on what is written there.
  std::string srcShown;
  TInputScript edit;
  edit.Do([&] { Click(TextPoint(6, 2)); }, "click the tag name")
      .Then([] { return ShownForm("TfrmParEd") != nullptr; }, "the attribute editor shows")
      .Pause(300)
      .Do(
          [&] {
            auto* ed = static_cast<TfrmParEd*>(ShownForm("TfrmParEd"));
            TXGridRows* rows = ed->XGrid1->GridRows();
            for (int i = 0; i < rows->Count(); ++i)
              if (AnsiSameText(rows->Items(i)->Caption(), "SRC")) srcShown = rows->Items(i)->Value();
            Click(ValueCell(ed, "WIDTH"));
          },
          "the WIDTH cell")
      .Pause(200)
      .Do([] { screen::Type("40"); })
      .Pause(200)
      .Do([] { SaveScreen("road_1b_tag_name_click"); })
      .Do([] { Click(Centre(WindowScreenRect(static_cast<TfrmParEd*>(ShownForm("TfrmParEd"))->btnOK->Handle()))); },
          "OK")
      .Then([] { return ShownForm("TfrmParEd") == nullptr; }, "the attribute editor closes");
  RUN(edit);
  Settle();
  EXPECT_EQ(srcShown, "pic.gif");
  EXPECT_EQ(Editor()->GetLine(6), "<img src=\"pic.gif\" width=\"40\">");
  EXPECT_TRUE(ShowsLine(6, "<img src=\"pic.gif\" width=\"40\">"));

  // A second document, then back to the first by its tab.
  Key('N', Ctrl);
  ASSERT_TRUE(WaitUntil([&] { return TabCount() == 2; }));
  screen::Type("Second document");
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(5, "Second document"));
  EXPECT_FALSE(ShowsLine(5, "Hello <b>road</b>"));
  Shot("road_2_second_document");
  Click(Centre(TabRect(0)));
  Settle();
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(5, "Hello <b>road</b>"));
  EXPECT_TRUE(FocusInEditor());
  Shot("road_3_first_document");

  // Save As, Close, and Reopen from the recent files.
  std::string path = dir + "road.htm";
  SaveAs(path);
  TInputScript save = MenuClick(frame->cmdSaveAs);
  RUN(save);
  Settle();
  EXPECT_EQ(TabCaption(0), "road.htm");
  EXPECT_NE(ReadFileBytes(path).find("Hello <b>road</b>\r\n<img src=\"pic.gif\" width=\"40\">"), std::string::npos);
  EXPECT_TRUE(FocusInEditor());
  TInputScript close = MenuClick(frame->cmdClose);
  RUN(close);
  Settle();
  ASSERT_EQ(TabCount(), 1);
  EXPECT_TRUE(ShowsLine(5, "Second document"));
  ASSERT_EQ(frame->cmdReopen->Count(), 1);
  TInputScript reopen = MenuClick(frame->cmdReopen);
  reopen.Then([] { return MenuWindows().size() == 2; }, "the recent files show").Pause(200).Do([] {
    SaveScreen("road_4_reopen");
  });
  AddItemClick(reopen, frame->cmdReopen->Items(0));
  RUN(reopen);
  Settle();
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(TabCaption(1), "road.htm");
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(5, "Hello <b>road</b>"));
  EXPECT_TRUE(FocusInEditor());
  Shot("road_5_reopened");
  answers = {IDNO};
}

// "Close Window" from the editor's own popup closes that document while the popup's
// right-button handler still runs under it: an untouched document without a question, a
// changed one after "Save Changes" answered No; the other documents stay, shown and
// focused, and the program goes on.
TEST_F(ScreenTest, CloseWindowFromTheEditorsPopupKeepsTheOtherDocuments) {
  std::string a = Write("kept.htm", "<P>kept document</P>\r\n");
  frame->OpenInEditor(a);
  frame->NewDoc(frame);
  frame->NewDoc(frame);
  Settle();
  ASSERT_EQ(TabCount(), 3);
  auto closeFromPopup = [&](const char* step) {
    TInputScript popup;
    popup.Do([&] { Click(TextPoint(1, 2), mbRight); }, "right click")
        .Then([] { return !MenuWindows().empty(); }, "the popup shows")
        .Do([] { SaveScreen("popup_close_window"); });
    AddMenuClick(popup, nullptr, frmEditWin->cmdPopCloseWindow);
    RUN(popup) << step;
    Settle(400);
  };
  // The untouched Untitled-1.htm goes without a question.
  closeFromPopup("untouched");
  EXPECT_TRUE(messages.empty());
  ASSERT_EQ(TabCount(), 2);
  EXPECT_EQ(TabCaption(0), "kept.htm");
  EXPECT_EQ(TabCaption(1), "Untitled-0.htm");
  EXPECT_TRUE(EditorUnderDocArea());
  EXPECT_TRUE(ShowsLine(1, "<P>kept document</P>"));
  EXPECT_TRUE(FocusInEditor());
  EXPECT_EQ(frmEditWin->Caption(), "Editing " + a);

  // A changed document asks first; No closes it.
  Click(Centre(TabRect(1)));
  Settle();
  Click(TextPoint(5, 0));
  screen::Type("typed");
  Settle();
  answers = {IDNO};
  closeFromPopup("changed");
  EXPECT_EQ(messages, (std::vector<std::string>{"Save Changes to 'Untitled-0.htm'?"}));
  ASSERT_EQ(TabCount(), 1);
  EXPECT_TRUE(ShowsLine(1, "<P>kept document</P>"));
  EXPECT_TRUE(FocusInEditor());
  Shot("popup_closed_two");
  // The program still answers: typing lands in the document left.
  screen::Type("x");
  Settle();
  EXPECT_EQ(Editor()->GetLine(1), "x<P>kept document</P>");
  answers = {IDNO};
}

// The special characters window opens clear of the menus and bars, shows each accented
// capital apart, and stays on the screen through a raw insertion (which activates it by
// its check box, then the editor's window again).
TEST_F(ScreenTest, SpecialCharactersStayOnTheScreen) {
  Doc("");
  Click(ButtonCentre("siChar"));
  ASSERT_TRUE(WaitUntil([] { return Form_Charp && Form_Charp->Visible(); }));
  Settle();
  HWND charp = Form_Charp->Handle();
  RECT area = WindowScreenRect(MDIClient());
  EXPECT_GE(WindowScreenRect(charp).top, area.top);
  auto cell = [&](int n) {
    int l, t, r, b;
    CharpCellRect(n, l, t, r, b);
    POINT lt = Form_Charp->Panel1->ClientToScreen(POINT{l, t});
    return RECT{lt.x, lt.y, lt.x + (r - l), lt.y + (b - t)};
  };
  // Cells 7 to 11: the A with grave, acute, circumflex, tilde, diaeresis.
  for (int a = 7; a <= 11; ++a)
    for (int b = a + 1; b <= 11; ++b) EXPECT_NE(Capture(cell(a)).pixels, Capture(cell(b)).pixels) << a << " " << b;
  // On the screen, not only in the window list: the cell's raised edge shows there.
  auto shown = [&] {
    RECT c = cell(7);
    POINT corner{c.right - 1, c.bottom - 1};
    TShot s = Capture(RECT{corner.x, corner.y, corner.x + 1, corner.y + 1});
    HWND at = WindowAt(Centre(c));
    return at == charp ? s.At(0, 0) == GetSysColor(COLOR_3DDKSHADOW) : false;
  };
  EXPECT_TRUE(shown());
  Click(ControlCentre(Form_Charp->cbRaw));
  Settle();
  ASSERT_TRUE(Form_Charp->cbRaw->Checked());
  Click(Centre(cell(7)));
  Settle(600);
  Shot("special_characters_after_raw_insert");
  EXPECT_EQ(Editor()->GetText(), AnsiString(1, static_cast<char>(192)));
  EXPECT_TRUE(shown());
  Click(Centre(cell(6)));
  Settle(600);
  EXPECT_EQ(Editor()->GetText(), AnsiString(1, static_cast<char>(192)) + "&copy;");
  EXPECT_TRUE(shown());
  // The focus moving inside the frame, from tab to tab, leaves the window in front.
  Doc("");
  ASSERT_EQ(TabCount(), 2);
  for (int tab : {0, 1, 0}) {
    Click(Centre(TabRect(tab)));
    Settle(300);
    EXPECT_TRUE(shown()) << "after a click on tab " << tab << " " << Shot("special_characters_after_tab");
  }
  // The preview comes to the front, then the document window again, as Refresh does.
  for (int run = 0; run < 2; ++run) {
    frame->ReloadSBClick(frame);
    Settle(300);
    EXPECT_TRUE(shown()) << "after refresh " << run << " " << Shot("special_characters_after_refresh");
  }
  for (int i = 0; i < TabCount(); ++i) frmEditWin->EditorOfTab(i)->MarkUnchanged();
}

namespace {

// The MDI client's size changes and its scroll bars' states, as the client is told of them.
struct TClientWatch {
  static inline HWND client = nullptr;
  static inline int sizes = 0, horzChanges = 0, vertChanges = 0;
  static inline LONG style = 0;
  static LRESULT CALLBACK Hook(int code, WPARAM w, LPARAM l) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(l);
    if (code == HC_ACTION && m->hwnd == client) {
      if (m->message == WM_SIZE) ++sizes;
      LONG now = GetWindowLongA(client, GWL_STYLE);
      horzChanges += ((now ^ style) & WS_HSCROLL) != 0;
      vertChanges += ((now ^ style) & WS_VSCROLL) != 0;
      style = now;
    }
    return CallNextHookEx(nullptr, code, w, l);
  }
  HHOOK hook;
  explicit TClientWatch(HWND c) {
    client = c;
    style = GetWindowLongA(c, GWL_STYLE);
    hook = SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, GetCurrentThreadId());
  }
  ~TClientWatch() { UnhookWindowsHookEx(hook); }
  void Reset() { sizes = horzChanges = vertChanges = 0; }
};

// From another thread: 1 when the window answers a message; a window that is hung in a
// handler does not, however long the machine takes.
DWORD WINAPI AskTheWindow(void* window) {
  return SendMessageTimeoutA(*static_cast<HWND*>(window), WM_NULL, 0, 0, SMTO_NORMAL, 1000 * screen::kPatience,
                             nullptr) != 0;
}

// The main thread's processor time in milliseconds.
double ThreadMs() {
  FILETIME c, e, k, u;
  GetThreadTimes(GetCurrentThread(), &c, &e, &k, &u);
  auto ms = [](const FILETIME& f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e4; };
  return ms(k) + ms(u);
}

}  // namespace

// Restoring and maximising the frame with a document window open, dragging the window past
// each edge, and sizing the frame a pixel at a time across the width where a bar is needed:
// each time the client's bars settle, and the program then rests and takes input.
TEST_F(ScreenTest, ClientScrollBarsSettleWhateverTheDocumentWindowsPlace) {
  frame->NewDoc(frame);
  Settle();
  ASSERT_TRUE(IsZoomed(Frame()));
  TClientWatch watch(MDIClient());
  int typed = 0, mostChanges = 0;
  double restCpu = 0, restWall = 0;
  auto settles = [&](const std::string& after) {
    bool quiet = WaitUntil(
        [&] {
          int before = TClientWatch::sizes;
          Settle(150);
          return TClientWatch::sizes == before;
        },
        3000);
    EXPECT_TRUE(quiet) << after << ": the client is still being sized " << Shot("bars_" + after);
    EXPECT_LE(TClientWatch::horzChanges, 2) << after;
    EXPECT_LE(TClientWatch::vertChanges, 2) << after;
    mostChanges = std::max({mostChanges, TClientWatch::horzChanges, TClientWatch::vertChanges});
    // At rest: another thread's message is answered, and the program uses no processor.
    HWND f = Frame();
    HANDLE asker = CreateThread(nullptr, 0, AskTheWindow, &f, 0, nullptr);
    WaitUntil([&] { return WaitForSingleObject(asker, 0) == WAIT_OBJECT_0; }, 1500);
    DWORD answered = 0;
    GetExitCodeThread(asker, &answered);
    CloseHandle(asker);
    EXPECT_EQ(answered, 1u) << after << ": no answer";
    // A load on the machine only lowers the share of the time a spinning program gets.
    int sizes = TClientWatch::sizes;
    double cpu = ThreadMs();
    DWORD start = GetTickCount();
    RunFor(500);
    double busy = (ThreadMs() - cpu) / static_cast<double>(GetTickCount() - start);
    restCpu += ThreadMs() - cpu;
    restWall += GetTickCount() - start;
    EXPECT_EQ(TClientWatch::sizes, sizes) << after << ": the client is sized while nothing happens";
    EXPECT_LT(busy, 0.2) << after << ": busy while idle";
    // Typing reaches the document.
    SetForegroundWindow(Frame());
    Editor()->ActivateEditor();
    Settle(100);
    std::string text = Editor()->GetText();
    screen::Type("q");
    Settle(100);
    EXPECT_EQ(Editor()->GetText().size(), text.size() + 1) << after << ": typing did not reach the document";
    ++typed;
    watch.Reset();
  };
  auto titleButton = [&](int code) {
    POINT p = HitPoint(Frame(), code);
    ASSERT_GE(p.x, 0);
    Click(p);
  };
  auto restore = [&] {
    titleButton(HTMAXBUTTON);
    ASSERT_TRUE(WaitUntil([&] { return !IsZoomed(Frame()); }));
  };
  restore();
  settles("restore");
  titleButton(HTMAXBUTTON);
  ASSERT_TRUE(WaitUntil([&] { return IsZoomed(Frame()) != 0; }));
  settles("maximise");
  restore();
  settles("restore_again");

  // The document window dragged by its caption past each edge of the client area.
  HWND child = frmEditWin->Handle();
  ASSERT_FALSE(IsZoomed(child));
  auto dragChild = [&](const std::string& edge, int dx, int dy) {
    POINT from = HitPoint(child, HTCAPTION);
    ASSERT_GE(from.x, 0) << edge;
    Drag(from, POINT{from.x + dx, from.y + dy}, 12);
    Settle(200);
    ASSERT_TRUE(WaitUntil([&] { return GetCapture() == nullptr; }, 3000)) << edge << ": the drag never ended";
    settles("drag_" + edge);
  };
  auto area = [&] { return ClientScreenRect(MDIClient()); };
  auto placed = [&] { return WindowScreenRect(child); };
  dragChild("right", area().right - placed().left - (placed().right - placed().left) / 2, 0);
  EXPECT_GT(placed().right, area().right) << Shot("document_past_the_right_edge");
  dragChild("left", area().left - placed().right + (placed().right - placed().left) / 2, 0);
  EXPECT_LT(placed().left, area().left);
  dragChild("bottom", 0, area().bottom - placed().top - (placed().bottom - placed().top) / 2);
  EXPECT_GT(placed().bottom, area().bottom);
  dragChild("top", 0, area().top - placed().bottom);
  EXPECT_LT(placed().top, area().top);

  // The frame narrowed and widened a pixel at a time across the width where the
  // horizontal bar is needed; the child reaches so low that this bar needs the other.
  RECT inner;
  GetClientRect(MDIClient(), &inner);
  int cy = GetSystemMetrics(SM_CYHSCROLL);
  SetWindowPos(child, nullptr, inner.right - 300 - 3, inner.bottom - 200 - cy / 2, 300, 200,
               SWP_NOZORDER | SWP_NOACTIVATE);
  settles("placed_near_the_edges");
  ASSERT_FALSE(GetWindowLongA(MDIClient(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
  for (int step : {-1, -1, -1, -1, -1, -1, 1, 1, 1, 1, 1, 1}) {
    RECT before = WindowScreenRect(Frame());
    POINT edge = HitPoint(Frame(), HTRIGHT);
    ASSERT_GE(edge.x, 0);
    Press(edge);
    MoveMouse(POINT{edge.x + step, edge.y});
    Release(POINT{edge.x + step, edge.y});
    std::string name = "width_" + std::to_string(before.right - before.left + step);
    ASSERT_TRUE(WaitUntil([&] { return WindowScreenRect(Frame()).right == before.right + step; }, 3000)) << name;
    settles(name);
    // The bars show exactly while the child lies past an edge of what the client shows.
    RECT view;
    GetClientRect(MDIClient(), &view);
    RECT c = WindowScreenRect(child);
    MapWindowPoints(nullptr, MDIClient(), reinterpret_cast<POINT*>(&c), 2);
    LONG style = GetWindowLongA(MDIClient(), GWL_STYLE);
    EXPECT_EQ((style & WS_HSCROLL) != 0, c.right > view.right) << name;
    EXPECT_EQ((style & WS_VSCROLL) != 0, c.bottom > view.bottom) << name;
  }
  EXPECT_FALSE(GetWindowLongA(MDIClient(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL)) << Shot("bars_back_at_width");

  EXPECT_EQ(typed, 3 + 4 + 1 + 12);
  // The figures for a look at a slow machine: a client that went round would show here.
  std::fprintf(stderr, "bars: at most %d changes of one bar in a step; at rest the program used %.0f ms of processor in %.0f ms\n",
               mostChanges, restCpu, restWall);
  for (int i = 0; i < TabCount(); ++i) frmEditWin->EditorOfTab(i)->MarkUnchanged();
}


// At first start the frame is maximised into the screen's work area, its close box on the
// screen where a click reaches it.
TEST_F(ScreenTest, MaximisedFrameFitsTheWorkArea) {
  ASSERT_TRUE(IsZoomed(Frame()));
  RECT work{}, frameRect = WindowScreenRect(Frame());
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_TRUE(Inside(frameRect, work)) << Shot("maximised_at_first_start");
  Shot("maximised_at_first_start");
  POINT close = HitPoint(Frame(), HTCLOSE);
  ASSERT_GE(close.x, 0);
  EXPECT_LT(close.x, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(WindowAt(close), Frame());
  EXPECT_EQ(SendMessageA(Frame(), WM_NCHITTEST, 0, MAKELPARAM(close.x, close.y)), HTCLOSE);
}
