// The table dialog on screen: the grid sized by the spin edits, cells typed with tabs, the
// heading colours, the preview page, and the markup with and without lower case.
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/tests/wizard_fixture.h"

#include <commctrl.h>

#include "editor/wizards/vx2_tabw.h"
#include "viewer/Htmlview.h"

using namespace vx;

namespace {

struct TableDialog : WizardFixture {
  TComponentPtr<TTableDialog> d;
  void Open(bool lower) {
    d = NewForm<TTableDialog>(Application);
    d->LowerCase = lower;
    d->Show();
    Pump();
  }
  void TearDown() override {
    d.reset();
    WizardFixture::TearDown();
  }
  void TypeInto(TSpinEdit* s, const char* text) {
    s->SetFocus();
    s->SelectAll();
    Type(s->Handle(), text);
  }
  // Typing on the grid: the cell's editor takes the text, Tab goes on to the next cell.
  void TypeCells(std::initializer_list<const char*> cells) {
    TXStrGrid* g = d->StringGrid1;
    g->SetFocus();
    g->FocusCell(1, 1);
    for (const char* text : cells) {
      TypeFocused(text);
      Key(VK_TAB);
    }
  }
  void ClickTab(int index) {
    RECT r;
    SendMessageA(d->PageControl1->Handle(), TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    Click(d->PageControl1, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
};

}  // namespace

TEST_F(TableDialog, DefaultsGiveOneCellTableInEitherCase) {
  Open(true);
  EXPECT_EQ(d->ClientWidth(), 550);
  EXPECT_EQ(d->ClientHeight(), 400);
  ExpectInside(d.get());
  TXStrGrid* g = d->StringGrid1;
  EXPECT_EQ(g->ColCount(), 2);
  EXPECT_EQ(g->RowCount(), 2);
  EXPECT_EQ(g->ColWidths(0), 4);
  EXPECT_EQ(g->RowHeights(0), 4);
  EXPECT_EQ(g->DefaultRowHeight(), 18);
  EXPECT_TRUE(g->Grid3D());
  EXPECT_TRUE(d->BorderCB->Checked());
  EXPECT_EQ(d->AlignCB->Text(), "Top");
  d->InsertTable(ed);
  EXPECT_EQ(Text(), "<table border>\r\n<tr>\r\n   <td> </td>\r\n</tr>\r\n</table>\r\n");
  d.reset();
  ed->ClearAll();
  Open(false);
  d->InsertTable(ed);
  EXPECT_EQ(Text(), "<TABLE BORDER>\r\n<TR>\r\n   <TD> </TD>\r\n</TR>\r\n</TABLE>\r\n");
}

TEST_F(TableDialog, SpinEditsSizeTheGridAndTypedCellsBecomeTheTable) {
  Open(false);
  TXStrGrid* g = d->StringGrid1;
  TypeInto(d->RowsSE, "3");
  EXPECT_EQ(g->RowCount(), 4);
  TypeInto(d->RowsSE, "0");  // outside 1 to 99: the grid stays
  EXPECT_EQ(g->RowCount(), 4);
  TypeInto(d->RowsSE, "2");
  EXPECT_EQ(g->RowCount(), 3);
  TypeInto(d->ColumnSE, "2");
  EXPECT_EQ(g->ColCount(), 3);
  TypeInto(d->ColumnSE, "123");  // at most two digits
  EXPECT_EQ(d->ColumnSE->Text(), "12");
  TypeInto(d->ColumnSE, "2");
  TypeCells({"Name", "Price", "Tea", "3"});
  EXPECT_EQ(g->Cells(2, 2), "3");
  Click(d->HeadingCol, 5, d->HeadingCol->Height() / 2);
  Click(d->HeadingRow, 5, d->HeadingRow->Height() / 2);
  EXPECT_TRUE(d->HeadingCol->Checked());
  EXPECT_TRUE(d->HeadingRow->Checked());
  TypeInto(d->SpinEdit2, "4");
  Type(d->CaptionEdit->Handle(), "Prices");
  d->AlignCB->SetItemIndex(1);
  Click(d->BorderCB, 5, d->BorderCB->Height() / 2);
  EXPECT_FALSE(d->BorderCB->Checked());
  Screenshot("table_dialog");
  d->InsertTable(ed);
  EXPECT_EQ(Text(),
            "<TABLE CELLPADDING=\"4\">\r\n"
            "<CAPTION ALIGN=\"Bottom\">Prices </CAPTION>\r\n"
            "<TR>\r\n   <TH>Name </TH>\r\n   <TH>Price </TH>\r\n</TR>\r\n"
            "<TR>\r\n   <TH>Tea </TH>\r\n   <TD>3 </TD>\r\n</TR>\r\n"
            "</TABLE>\r\n");
}

TEST_F(TableDialog, HeadingCellsAreDrawnInTheButtonFace) {
  Open(false);
  TXStrGrid* g = d->StringGrid1;
  d->RowsSE->SetValue(3);
  d->ColumnSE->SetValue(3);
  d->OkBtn->SetFocus();  // no current cell drawn selected
  auto colourAt = [&](int c, int r) {
    RECT rc = g->CellRect(c, r);
    g->Repaint();
    HDC dc = GetDC(g->Handle());
    COLORREF px = GetPixel(dc, rc.right - 3, rc.bottom - 3);
    ReleaseDC(g->Handle(), dc);
    return px;
  };
  COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
  ASSERT_NE(face, window);
  EXPECT_EQ(colourAt(2, 1), window);
  Click(d->HeadingCol, 5, d->HeadingCol->Height() / 2);
  EXPECT_EQ(colourAt(2, 1), face);  // the first data row
  EXPECT_EQ(colourAt(1, 2), window);
  EXPECT_EQ(colourAt(2, 2), window);
  Click(d->HeadingRow, 5, d->HeadingRow->Height() / 2);
  EXPECT_EQ(colourAt(1, 2), face);  // the first data column
  EXPECT_EQ(colourAt(2, 2), window);
}

TEST_F(TableDialog, ThePreviewPageShowsTheTable) {
  Open(true);
  d->RowsSE->SetValue(2);
  TypeCells({"Tea", "Milk"});
  ClickTab(1);
  EXPECT_EQ(d->PageControl1->ActivePage(), d->TabSheet2);
  EXPECT_TRUE(IsWindowVisible(d->HTMLViewer1->Handle()));
  EXPECT_GE(d->HTMLViewer1->FindText("Milk"), 0);
  EXPECT_GT(d->HTMLViewer1->DocumentHeight(), 0);
  Screenshot("table_preview");
  ClickTab(0);
  EXPECT_TRUE(IsWindowVisible(d->StringGrid1->Handle()));
  d->InsertTable(ed);
  EXPECT_NE(Text().find("   <td>Milk </td>"), std::string::npos);
}
