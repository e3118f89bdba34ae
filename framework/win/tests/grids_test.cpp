#include <gtest/gtest.h>

#include <windows.h>

#include "framework/win/Forms.h"
#include "framework/win/Grids.h"

using namespace vx;

namespace {

struct GridFixture : ::testing::Test {
  TForm* form = nullptr;
  TStringGrid* grid = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(60, 60, 400, 300);
    grid = new TStringGrid(form);
    grid->SetParent(form);
    grid->SetBounds(8, 8, 360, 200);
    grid->SetColCount(3);
    grid->SetRowCount(20);
    grid->SetDefaultRowHeight(16);
    grid->SetColWidths(0, 60);
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { form->Free(); }
  void Key(HWND h, WORD key) {
    SendMessageA(h, WM_KEYDOWN, key, 1);
    SendMessageA(h, WM_KEYUP, key, 0xC0000001);
  }
  void Type(HWND h, const char* text) {
    for (const char* p = text; *p; ++p) SendMessageA(h, WM_CHAR, static_cast<unsigned char>(*p), 1);
  }
};

}  // namespace

TEST_F(GridFixture, CellGeometryFollowsWidthsHeightsAndScrolling) {
  RECT r = grid->CellRect(1, 1);
  EXPECT_EQ(r.left, 61);  // 60 + one grid line
  EXPECT_EQ(r.top, 17);
  EXPECT_EQ(r.bottom - r.top, 16);
  int c, row;
  ASSERT_TRUE(grid->MouseToCell(r.left + 3, r.top + 3, c, row));
  EXPECT_EQ(c, 1);
  EXPECT_EQ(row, 1);
  EXPECT_FALSE(grid->MouseToCell(5000, 5, c, row));
  // Moving below the visible rows scrolls them; the fixed row stays on top.
  int visible = grid->VisibleRowCount();
  EXPECT_LT(visible, 19);
  grid->SetRow(19);
  EXPECT_EQ(grid->TopRow(), 19 - visible + 1);
  EXPECT_EQ(grid->CellRect(1, 1).right, 0);  // scrolled away
  EXPECT_EQ(grid->CellRect(1, 0).top, 0);
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(grid->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, grid->TopRow() - 1);
  SendMessageA(grid->Handle(), WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(grid->TopRow(), 1);
  // Fixed cells cannot be current.
  grid->FocusCell(0, 0);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 1);
}

TEST_F(GridFixture, KeysMoveTheCurrentCellAndTypingEditsIt) {
  grid->SetOptions(grid->Options() + goEditing);
  grid->SetFocus();
  HWND h = grid->Handle();
  Key(h, VK_DOWN);
  Key(h, VK_RIGHT);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->Col(), 2);
  bool allow = true;
  grid->OnSelectCell = [&](TObject*, int, int r, bool& can) { can = allow || r != 3; };
  allow = false;
  Key(h, VK_DOWN);
  EXPECT_EQ(grid->Row(), 2);  // refused
  allow = true;
  // A character starts the editor with that character; every change reaches the cell.
  Type(h, "x");
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  EXPECT_TRUE(grid->InplaceEditor()->EditVisible());
  HWND e = grid->InplaceEditor()->Handle();
  Type(e, "yz\r");
  EXPECT_EQ(grid->Cells(2, 2), "xyz");
  EXPECT_EQ(grid->InplaceEditor()->Text(), "xyz");  // Enter is no text
  // Up and down leave the editor for the next row, which it then shows.
  grid->SetCells(2, 1, "above");
  Key(e, VK_UP);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->InplaceEditor()->Text(), "above");
  RECT cell = grid->CellRect(2, 1);
  EXPECT_EQ(grid->InplaceEditor()->Left(), cell.left);
  EXPECT_EQ(grid->InplaceEditor()->Top(), cell.top);
  grid->HideEditor();
  EXPECT_FALSE(grid->InplaceEditor()->EditVisible());
}

TEST_F(GridFixture, AlwaysShownEditorFollowsTabsAndCellChanges) {
  grid->SetOptions(TGridOptions{goEditing, goAlwaysShowEditor, goTabs, goVertLine, goHorzLine});
  grid->SetCells(1, 1, "one");
  grid->SetFocus();
  ASSERT_NE(grid->InplaceEditor(), nullptr);
  TInplaceEdit* ed = grid->InplaceEditor();
  EXPECT_TRUE(ed->EditVisible());
  EXPECT_EQ(ed->Text(), "one");
  grid->SetCells(1, 1, "changed");
  EXPECT_EQ(ed->Text(), "changed");
  Key(ed->Handle(), VK_TAB);
  EXPECT_EQ(grid->Col(), 2);
  Key(ed->Handle(), VK_TAB);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 2);
  // A shrinking row count moves the current cell inside.
  grid->SetRowCount(2);
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(grid->Cells(1, 1), "changed");
}

TEST_F(GridFixture, FewerFixedLinesBringTheFreedOnesIntoViewAndCurrent) {
  // Fresh, the grid sits at its first scrollable cell; with nothing fixed that is cell 0.
  EXPECT_EQ(grid->LeftCol(), 1);
  grid->SetFixedCols(0);
  grid->SetFixedRows(0);
  EXPECT_EQ(grid->LeftCol(), 0);
  EXPECT_EQ(grid->Col(), 0);
  EXPECT_EQ(grid->TopRow(), 0);
  EXPECT_EQ(grid->Row(), 0);
  // More fixed lines still push both past them; a grid scrolled on keeps its place.
  grid->SetFixedCols(1);
  grid->SetFixedRows(1);
  EXPECT_EQ(grid->LeftCol(), 1);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->TopRow(), 1);
  grid->SetRow(19);
  const int top = grid->TopRow();
  grid->SetFixedRows(0);
  EXPECT_EQ(grid->TopRow(), top);
  EXPECT_EQ(grid->Row(), 19);
}
