#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/core/SysUtils.h"
#include "framework/core/TypInfo.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Forms.h"
#include "framework/win/tests/ScreenDriver.h"
#include "tagdefs/ImgDlg.h"
#include "tagdefs/XGrid.h"
#include "tagdefs/tests/TestDir.h"

using namespace vx;

namespace {

struct XGridFixture : ::testing::Test {
  TForm* form = nullptr;
  TXGrid* grid = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(50, 50, 420, 300);
    grid = new TXGrid(form);
    grid->SetParent(form);
    grid->SetBounds(8, 8, 380, 200);
    grid->SetColWidth(100);
  }
  void TearDown() override {
    TCommonDialog::Handler() = nullptr;
    Application->OnModalForm = nullptr;
    form->Free();
  }
  TXGridRowItem* AddRow(const char* caption, TRowButtonStyle style, const char* value = "") {
    TXGridRowItem* r = grid->GridRows()->Add();
    r->SetCaption(caption);
    r->SetButtonStyle(style);
    r->SetValue(value);
    return r;
  }
  void ShowAndFocus() {
    form->Show();
    Application->ProcessMessages();
    grid->SetFocus();
    Application->ProcessMessages();
  }
  TXGridInplaceEdit* Ed() { return grid->Editor(); }
  static void Key(HWND h, WORD key, bool alt = false, bool ctrl = false) {
    BYTE ks[256];
    GetKeyboardState(ks);
    BYTE saved[256];
    memcpy(saved, ks, sizeof ks);
    if (alt) ks[VK_MENU] = 0x80;
    if (ctrl) ks[VK_CONTROL] = 0x80;
    SetKeyboardState(ks);
    SendMessageA(h, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, key, alt ? (1 | (1 << 29)) : 1);
    SetKeyboardState(saved);
  }
  static void Type(HWND h, const char* text) {
    for (const char* p = text; *p; ++p) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(*p), 1);
  }
  // The number of whole items the dropped list shows.
  int ListRows() {
    HWND lh = Ed()->PickListBox()->Handle();
    RECT c;
    GetClientRect(lh, &c);
    int ih = static_cast<int>(SendMessageA(lh, LB_GETITEMHEIGHT, 0, 0));
    return (c.bottom - c.top) / ih;
  }
};

TStringList* Lines(TXGridRowItem* r, int n) {
  for (int i = 0; i < n; ++i) r->PickList()->Add(Format("ITEM%02d", i));
  return nullptr;
}

}  // namespace

TEST_F(XGridFixture, RowsMakeTheGridAndTheEditorTakesUpEachRow) {
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_EQ(grid->ColCount(), 2);
  EXPECT_EQ(grid->FixedCols(), 1);
  EXPECT_EQ(grid->FixedRows(), 0);
  AddRow("SRC", rbsImage, "a.gif");
  AddRow("ALIGN", rbsPickList);  // no pick list: a plain edit
  AddRow("COLOR", rbsColor);
  AddRow("ONCLICK", rbsEllipsis);
  AddRow("FACE", rbsFont);
  EXPECT_EQ(grid->RowCount(), 5);
  ShowAndFocus();
  EXPECT_EQ(grid->ColWidths(0), 100);
  EXPECT_EQ(GetOrdProp(grid, "ColWidth"), 100);  // published
  EXPECT_EQ(grid->ColWidths(1), grid->ClientWidth() - 2 - 100);
  ASSERT_NE(Ed(), nullptr);
  EXPECT_TRUE(Ed()->Focused());
  EXPECT_EQ(Ed()->Text(), "a.gif");
  EXPECT_EQ(Ed()->EditStyle(), TXGridInplaceEdit::esImage);
  HWND e = Ed()->Handle();
  Key(e, VK_DOWN);
  EXPECT_EQ(Ed()->EditStyle(), TXGridInplaceEdit::esSimple);
  Key(e, VK_DOWN);
  EXPECT_EQ(Ed()->EditStyle(), TXGridInplaceEdit::esColor);
  // The text area leaves the button free.
  DWORD margins = static_cast<DWORD>(SendMessageA(e, EM_GETMARGINS, 0, 0));
  EXPECT_EQ(HIWORD(margins), Ed()->ButtonWidth() + 2);
  EXPECT_EQ(Ed()->ButtonWidth(), GetSystemMetrics(SM_CXVSCROLL) + 2);
  Key(e, VK_DOWN);
  EXPECT_EQ(Ed()->EditStyle(), TXGridInplaceEdit::esEllipsis);
  Key(e, VK_DOWN);
  EXPECT_EQ(Ed()->EditStyle(), TXGridInplaceEdit::esFont);
  // Typing goes into the row's value; a read-only row refuses it.
  Key(e, VK_UP);
  Key(e, VK_UP);
  Key(e, VK_UP);
  SendMessageA(e, EM_SETSEL, 0, -1);
  Type(e, "LEFT");
  EXPECT_EQ(grid->GridRows()->Items(1)->Value(), "LEFT");
  grid->GridRows()->Items(1)->SetReadOnly(true);
  EXPECT_NE(GetWindowLongA(e, GWL_STYLE) & ES_READONLY, 0);
  // Values set from outside show in the editor at once.
  grid->GridRows()->Items(1)->SetValue("RIGHT");
  EXPECT_EQ(Ed()->Text(), "RIGHT");
  // Clearing the rows leaves nothing to edit.
  grid->GridRows()->Clear();
  EXPECT_EQ(grid->RowCount(), 1);
  EXPECT_FALSE(Ed()->EditVisible());
}

TEST_F(XGridFixture, PickListsDropAtMostSevenRowsAndOpenAboveNearTheScreenBottom) {
  TXGridRowItem* three = AddRow("ALIGN", rbsPickList, "center");
  three->PickList()->SetText("LEFT\r\nCENTER\r\nRIGHT\r\n");
  TXGridRowItem* ten = AddRow("SIZE", rbsPickList);
  Lines(ten, 10);
  ShowAndFocus();
  HWND e = Ed()->Handle();
  Key(e, VK_DOWN, true);
  ASSERT_TRUE(Ed()->ListVisible());
  EXPECT_EQ(ListRows(), 3);
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 1);  // the value, found without regard to case
  // The list is outside the form and under the cell; the editor keeps the focus.
  HWND lh = Ed()->PickListBox()->Handle();
  EXPECT_EQ(GetWindowLongA(lh, GWL_STYLE) & WS_CHILD, 0);
  RECT lr, er;
  GetWindowRect(lh, &lr);
  GetWindowRect(e, &er);
  EXPECT_EQ(lr.top, er.bottom);
  EXPECT_EQ(lr.left, er.left);
  EXPECT_EQ(lr.right - lr.left, er.right - er.left);
  EXPECT_EQ(GetFocus(), e);
  Key(e, VK_ESCAPE);
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(three->Value(), "center");
  Key(e, VK_DOWN);
  Key(e, VK_DOWN, true);
  EXPECT_EQ(ListRows(), 7);
  EXPECT_GT(Ed()->PickListBox()->Items()->Count(), 7);
  Key(e, VK_UP, true);  // Alt+Up closes, taking the item (none is selected)
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(ten->Value(), "");
  // Near the bottom of the screen the list opens above the cell.
  int screenH = GetSystemMetrics(SM_CYSCREEN);
  form->SetTop(screenH - 80);
  Application->ProcessMessages();
  Key(e, VK_DOWN, true);
  GetWindowRect(lh, &lr);
  GetWindowRect(e, &er);
  EXPECT_EQ(lr.bottom, er.top);
  EXPECT_LE(lr.bottom, screenH);
  Key(e, VK_ESCAPE);
}

TEST_F(XGridFixture, AltDownTypingAndEnterSetTheValue) {
  TXGridRowItem* r = AddRow("ALIGN", rbsPickList);
  r->PickList()->SetText("TOP\r\nMIDDLE\r\nBOTTOM\r\nBASELINE\r\nABSBOTTOM\r\nABSMIDDLE\r\n");
  ShowAndFocus();
  HWND e = Ed()->Handle();
  Key(e, VK_DOWN, true);
  ASSERT_TRUE(Ed()->ListVisible());
  Type(e, "abs");
  EXPECT_EQ(Ed()->PickListBox()->SearchText(), "abs");
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 4);  // the first beginning with it
  Type(e, "m");
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 5);
  Key(e, VK_RETURN);
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(r->Value(), "ABSMIDDLE");
  EXPECT_EQ(Ed()->Text(), "ABSMIDDLE");
  // Keys go to the open list; Backspace empties the search text.
  Key(e, VK_DOWN, true);
  Key(e, VK_HOME);
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 0);
  Type(e, "b");
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 2);
  Type(e, "\b");
  EXPECT_EQ(Ed()->PickListBox()->SearchText(), "");
  // After a pause of more than two seconds a key starts a new search.
  Type(e, "m");
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 1);
  Sleep(TXPopupListbox::SearchResetMs + 150);
  Type(e, "b");
  EXPECT_EQ(Ed()->PickListBox()->SearchText(), "b");
  EXPECT_EQ(Ed()->PickListBox()->ItemIndex(), 2);
  // Losing the focus closes the list without taking its item.
  SetFocus(grid->Handle());
  SetFocus(form->Handle());
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(r->Value(), "ABSMIDDLE");
}

TEST_F(XGridFixture, PressOnTheArrowDragIntoTheListAndRelease) {
  TXGridRowItem* r = AddRow("ALIGN", rbsPickList);
  r->PickList()->SetText("LEFT\r\nCENTER\r\nRIGHT\r\n");
  ShowAndFocus();
  HWND e = Ed()->Handle();
  RECT b = Ed()->ButtonRect();
  int bx = (b.left + b.right) / 2, by = (b.top + b.bottom) / 2;
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  ASSERT_TRUE(Ed()->ListVisible());
  EXPECT_TRUE(Ed()->Tracking());
  EXPECT_TRUE(Ed()->Pressed());
  // Off the button the button is drawn up; into the list, the list takes the press.
  HWND lh = Ed()->PickListBox()->Handle();
  RECT item;
  SendMessageA(lh, LB_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&item));
  POINT p{item.left + 5, (item.top + item.bottom) / 2};
  ClientToScreen(lh, &p);
  ScreenToClient(e, &p);
  SendMessageA(e, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  EXPECT_FALSE(Ed()->Tracking());
  EXPECT_FALSE(Ed()->Pressed());
  SendMessageA(lh, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2));
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(r->Value(), "RIGHT");
  // A release outside the list closes it without taking the item.
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(bx, by));
  ASSERT_TRUE(Ed()->ListVisible());
  SendMessageA(lh, LB_SETCURSEL, 0, 0);
  SendMessageA(lh, WM_LBUTTONUP, 0, MAKELPARAM(-20, -20));
  EXPECT_FALSE(Ed()->ListVisible());
  EXPECT_EQ(r->Value(), "RIGHT");
  // A press on the arrow while the list is open closes it.
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(bx, by));
  ASSERT_TRUE(Ed()->ListVisible());
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  EXPECT_FALSE(Ed()->ListVisible());
}

TEST_F(XGridFixture, EllipsisButtonAndCtrlEnterFireTheEvent) {
  AddRow("ONCLICK", rbsEllipsis, "go()");
  int clicks = 0;
  grid->OnEditButtonClick = [&](TObject* s) {
    EXPECT_EQ(s, grid);
    ++clicks;
  };
  ShowAndFocus();
  HWND e = Ed()->Handle();
  RECT b = Ed()->ButtonRect();
  int bx = (b.left + b.right) / 2, by = (b.top + b.bottom) / 2;
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(bx, by));
  EXPECT_EQ(clicks, 1);
  // Released away from the button: nothing.
  SendMessageA(e, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(bx, by));
  SendMessageA(e, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(2, by));
  SendMessageA(e, WM_LBUTTONUP, 0, MAKELPARAM(2, by));
  EXPECT_EQ(clicks, 1);
  SendMessageA(e, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(bx, by));
  EXPECT_EQ(clicks, 1);
  Key(e, VK_RETURN, false, true);
  SendMessageA(e, WM_CHAR, '\n', 1);
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(Ed()->Text(), "go()");
}

TEST_F(XGridFixture, ColorButtonWritesHtmlColourAndKeepsCustomColours) {
  TestDir dir;
  TXGridRowItem* r = AddRow("BGCOLOR", rbsColor, "#ff0000");
  ShowAndFocus();
  TColor preset = -1;
  bool accept = false;
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* cd = dynamic_cast<TColorDialog*>(d);
    preset = cd->Color();
    if (!accept) return false;
    cd->SetColor(static_cast<TColor>(RGB(0x12, 0xAB, 0x0F)));
    cd->CustomColors()->Clear();
    for (int i = 0; i < 16; ++i) cd->CustomColors()->Add(Format("Color%c=%06X", 'A' + i, i));
    return true;
  };
  // Cancel: no value change and no file.
  grid->ColorButtonClick();
  EXPECT_EQ(preset, static_cast<TColor>(RGB(255, 0, 0)));
  EXPECT_EQ(r->Value(), "#ff0000");
  EXPECT_FALSE(FileExists("custom.clr"));
  accept = true;
  grid->ColorButtonClick();
  EXPECT_EQ(r->Value(), "#12AB0F");
  EXPECT_EQ(Ed()->Text(), "#12AB0F");
  ASSERT_TRUE(FileExists("custom.clr"));
  TStringList saved;
  saved.LoadFromFile("custom.clr");
  EXPECT_EQ(saved.Count(), 16);
  EXPECT_EQ(saved.Values("ColorP"), "00000F");
  // The file is loaded into the next dialog.
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* cd = dynamic_cast<TColorDialog*>(d);
    EXPECT_EQ(cd->CustomColors()->Values("ColorB"), "000001");
    preset = cd->Color();
    return false;
  };
  r->SetValue("");
  grid->ColorButtonClick();
  EXPECT_EQ(preset, clBlack);  // an empty value presets black
  // A file of values that are no colours gives the dialog only the real ones.
  TStringList odd;
  odd.SetText("ColorA=FFFFFFFF\r\nColorB=-1\r\nColorC=00ff00\r\nColorD=$10\r\n");
  odd.SaveToFile("custom.clr");
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* cd = dynamic_cast<TColorDialog*>(d);
    EXPECT_EQ(cd->CustomColors()->Text(), "ColorC=00FF00\r\n");
    return false;
  };
  grid->ColorButtonClick();
  // A folder where custom.clr cannot be written: the value is set and no message appears.
  CreateDirectoryA("locked", nullptr);
  SetCurrentDir(dir.Path() + "\\locked");
  CreateDirectoryA("custom.clr", nullptr);  // a folder in the file's place
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    dynamic_cast<TColorDialog*>(d)->SetColor(clBlue);
    return true;
  };
  size_t shown = Application->UnansweredLog.size();
  int boxes = 0;
  Application->OnMessageBox = [&](const AnsiString&, const AnsiString&, UINT) {
    ++boxes;
    return IDOK;
  };
  grid->ColorButtonClick();
  Application->OnMessageBox = nullptr;
  EXPECT_EQ(r->Value(), "#0000FF");
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(Application->UnansweredLog.size(), shown);
  SetCurrentDir(dir.Path());
  // Digits are taken in order, everything else dropped.
  EXPECT_EQ(TXGrid::HtmlToColor("#f0"), static_cast<TColor>(RGB(0xF0, 0, 0)));
  EXPECT_EQ(TXGrid::HtmlToColor("x1y2z3-456"), static_cast<TColor>(RGB(0x12, 0x34, 0x56)));
  EXPECT_EQ(TXGrid::ColorToHtml(static_cast<TColor>(RGB(1, 2, 254))), "#0102FE");
}

TEST_F(XGridFixture, FileButtonGivesTheRelativeUrl) {
  TestDir dir;
  CreateDirectoryA("Pages", nullptr);
  TStringList().SaveToFile("Pages\\Index.HTM");
  TXGridRowItem* r = AddRow("HREF", rbsFile);
  r->SetFilter("HTML (*.htm)|*.htm");
  ShowAndFocus();
  AnsiString seenFilter;
  TOpenOptions seenOptions;
  TCommonDialog::Handler() = [&](TCommonDialog* d) {
    auto* od = dynamic_cast<TOpenDialog*>(d);
    seenFilter = od->Filter();
    seenOptions = od->Options();
    od->SetFileName(IncludeTrailingBackslash(GetCurrentDir()) + "Pages\\Index.HTM");
    return true;
  };
  grid->FileButtonClick();
  EXPECT_EQ(seenFilter, "HTML (*.htm)|*.htm");
  EXPECT_TRUE(seenOptions.Contains(ofNoChangeDir));
  EXPECT_TRUE(seenOptions.Contains(ofFileMustExist));
  EXPECT_EQ(r->Value(), "pages/index.htm");
}

namespace {

// A 24-bit BMP file of the given size.
void WriteBmp(const std::string& name, int w, int h) {
  int row = (w * 3 + 3) & ~3;
  std::string data(static_cast<size_t>(row * h), '\x40');
  BITMAPFILEHEADER fh{};
  BITMAPINFOHEADER ih{};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof ih;
  fh.bfSize = fh.bfOffBits + static_cast<DWORD>(data.size());
  ih.biSize = sizeof ih;
  ih.biWidth = w;
  ih.biHeight = h;
  ih.biPlanes = 1;
  ih.biBitCount = 24;
  FILE* f = fopen(name.c_str(), "wb");
  fwrite(&fh, sizeof fh, 1, f);
  fwrite(&ih, sizeof ih, 1, f);
  fwrite(data.data(), 1, data.size(), f);
  fclose(f);
}

// Answers the image dialog: the file typed into its name field, then OK.
void PickImage(const AnsiString& file, AnsiString* browseTo = nullptr) {
  Application->OnModalForm = [file, browseTo](TForm* f) {
    auto* d = dynamic_cast<TImgDlg_Form*>(f);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Caption(), "Select Image File");
    if (browseTo) SetCurrentDir(*browseTo);
    d->FileEdit->SetText(file);
    d->Button1->Click();
  };
}

}  // namespace

TEST_F(XGridFixture, ImageButtonSetsTheNameAndTheSizeRows) {
  TestDir dir;
  CreateDirectoryA("Img", nullptr);
  const AnsiString pic = dir.Path() + "\\Img\\Pic.BMP";
  WriteBmp(pic, 7, 5);
  TXGridRowItem* src = AddRow("SRC", rbsImage);
  TXGridRowItem* width = AddRow("WIDTH", rbsNumber, "1");
  TXGridRowItem* height = AddRow("HEIGHT", rbsNumber);
  TXGridRowItem* other = AddRow("Width", rbsNumber, "keep");
  ShowAndFocus();
  PickImage(pic);
  grid->ImageButtonClick();
  Application->OnModalForm = nullptr;
  EXPECT_EQ(src->Value(), "img/pic.bmp");
  EXPECT_EQ(Ed()->Text(), "img/pic.bmp");
  EXPECT_EQ(width->Value(), "7");
  EXPECT_EQ(height->Value(), "5");
  EXPECT_EQ(other->Value(), "keep");  // only the exact captions
  // An image whose size cannot be read leaves the size rows alone.
  TStringList().SaveToFile("broken.gif");
  PickImage(dir.Path() + "\\broken.gif");
  grid->ImageButtonClick();
  Application->OnModalForm = nullptr;
  EXPECT_EQ(src->Value(), "broken.gif");
  EXPECT_EQ(width->Value(), "7");
  EXPECT_EQ(height->Value(), "5");
}

TEST(ImageDialog, ReturnsNamesAndSizeAndRestoresTheCurrentDirectory) {
  TestDir dir;
  CreateDirectoryA("IMG", nullptr);
  const AnsiString pic = dir.Path() + "\\IMG\\PIC.BMP";
  WriteBmp(pic, 12, 3);
  AnsiString elsewhere = dir.Path() + "\\IMG";
  TComponentPtr<TImgDlg> dlgHolder = MakeComponent<TImgDlg>(nullptr);
  TImgDlg& dlg = *dlgHolder;
  dlg.SetFilter("Bitmaps|*.bmp");
  PickImage(pic, &elsewhere);
  ASSERT_TRUE(dlg.Execute());
  EXPECT_EQ(dlg.filename(), LowerCase(pic));
  EXPECT_EQ(dlg.RelFileName(), "img/pic.bmp");
  EXPECT_EQ(dlg.IWidth(), 12);
  EXPECT_EQ(dlg.IHeight(), 3);
  EXPECT_EQ(GetStrProp(&dlg, "RelFileName"), "img/pic.bmp");
  EXPECT_EQ(CompareText(GetCurrentDir(), dir.Path()), 0);
  // Cancel leaves everything as it was.
  Application->OnModalForm = [](TForm* f) { dynamic_cast<TImgDlg_Form*>(f)->Button2->Click(); };
  EXPECT_FALSE(dlg.Execute());
  Application->OnModalForm = nullptr;
  EXPECT_EQ(dlg.IWidth(), 12);
  EXPECT_EQ(dlg.RelFileName(), "img/pic.bmp");
}

TEST_F(XGridFixture, CtrlASelectsTheCellSoTypingReplacesIt) {
  TXGridRowItem* width = AddRow("WIDTH", rbsNumber, "64");
  AddRow("HEIGHT", rbsNumber, "48");
  ShowAndFocus();
  SetForegroundWindow(form->Handle());
  grid->SetFocus();
  screen::Settle();
  HWND e = Ed()->Handle();
  ASSERT_EQ(screen::FocusedWindow(), e);
  screen::Key(VK_END);  // the caret after "64", nothing selected
  screen::Settle();
  screen::Key('A', TShiftState{ssCtrl});
  screen::Type("100");
  screen::Settle();
  char text[32] = "";
  GetWindowTextA(e, text, sizeof text);
  EXPECT_STREQ(text, "100");
  const screen::TShot shot = screen::Painted(e);  // as it paints, without the caret
  screen::SaveShot(shot, "XGrid-ctrl-a-typed");
  const COLORREF background = shot.At(shot.width - 2, shot.height / 2);
  HFONT font = reinterpret_cast<HFONT>(SendMessageA(e, WM_GETFONT, 0, 0));
  EXPECT_TRUE(screen::ShowsText(shot, 0, shot.height, background, "100", font))
      << screen::TextMismatch(shot, 0, shot.height, background, "100", font);
  screen::Key(VK_DOWN);  // on to the next row: the value is taken
  screen::Settle();
  EXPECT_EQ(width->Value(), "100");
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(XGridFixture, ValueColumnFitsBesideTheScrollBar) {
  for (int i = 0; i < 30; ++i) AddRow("ROW", rbsColor);
  ShowAndFocus();
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(grid->Handle(), SB_VERT, &si);
  EXPECT_GT(si.nMax, 0);
  EXPECT_LT(grid->ClientWidth(), grid->Width());
  EXPECT_EQ(grid->ColWidths(1), grid->ClientWidth() - 2 - 100);
  // The editor, and so its button, lies wholly inside the grid's client area.
  EXPECT_LE(Ed()->Left() + Ed()->Width(), grid->ClientWidth());
}

TEST(ImageDialog, FileListPreviewsTheChosenImageWithItsSize) {
  TestDir dir;
  CreateDirectoryA("IMG", nullptr);
  WriteBmp(dir.Path() + "\\IMG\\A.BMP", 9, 4);
  TStringList().SaveToFile("IMG\\bad.bmp");
  TStringList().SaveToFile("IMG\\note.txt");
  TComponentPtr<TImgDlg> dlgHolder = MakeComponent<TImgDlg>(nullptr);
  TImgDlg& dlg = *dlgHolder;
  dlg.SetFilter("Bitmaps (*.bmp)|*.bmp|All files (*.*)|*.*");
  Application->OnModalForm = [&](TForm* f) {
    auto* d = dynamic_cast<TImgDlg_Form*>(f);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->FilterComboBox1->Mask(), "*.bmp");
    d->DirectoryListBox1->SetDirectory(dir.Path() + "\\IMG");
    EXPECT_EQ(d->FileListBox1->Items()->Count(), 2);  // the text file is filtered out
    d->FileListBox1->SetItemIndex(d->FileListBox1->Items()->IndexOf("bad.bmp"));
    EXPECT_EQ(d->Dimension->Caption(), "0 x 0");
    EXPECT_FALSE(d->Image1->Visible());
    d->FileListBox1->SetItemIndex(d->FileListBox1->Items()->IndexOf("a.bmp"));
    EXPECT_EQ(d->Dimension->Caption(), "9 x 4");
    EXPECT_TRUE(d->Image1->Visible());
    EXPECT_EQ(d->Image1->Width(), 9);
    d->PreviewCB->SetChecked(false);
    EXPECT_FALSE(d->ScrollBox1->Visible());
    d->PreviewCB->SetChecked(true);
    EXPECT_TRUE(d->ScrollBox1->Visible());
    d->FileListBox1DblClick(d->FileListBox1);
  };
  ASSERT_TRUE(dlg.Execute());
  Application->OnModalForm = nullptr;
  EXPECT_EQ(dlg.IWidth(), 9);
  EXPECT_EQ(dlg.IHeight(), 4);
  EXPECT_EQ(dlg.RelFileName(), "img/a.bmp");
  EXPECT_EQ(CompareText(GetCurrentDir(), dir.Path()), 0);
}
