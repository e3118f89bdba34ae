// TXStrGrid and the grid's sideways scrolling, sizing and moving, driven by mouse messages
// posted to the window under the point, and its cells read back from a rendering.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <vector>

#include "framework/win/Forms.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Ustrgrid.h"
#include "framework/win/tests/ScreenDriver.h"

using namespace vx;

namespace {

struct XGridFixture : ::testing::Test {
  TForm* form = nullptr;
  TXStrGrid* grid = nullptr;
  void SetUp() override {
    form = CreateForm<TForm>(Application);
    form->SetBounds(60, 60, 420, 300);
    grid = new TXStrGrid(form);
    grid->SetParent(form);
    grid->SetBounds(8, 8, 380, 220);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetDefaultRowHeight(18);
    form->Show();
    Application->ProcessMessages();
  }
  void TearDown() override { form->Free(); }

  // A mouse message posted to the window under the grid point, as the system would.
  void Mouse(UINT msg, int x, int y, WPARAM keys) {
    POINT p = grid->ClientToScreen(POINT{x, y});
    HWND h = WindowFromPoint(p);
    if (GetCapture()) h = GetCapture();
    ScreenToClient(h, &p);
    PostMessageA(h, msg, keys, MAKELPARAM(p.x, p.y));
    Application->ProcessMessages();
  }
  void Drag(int x1, int y1, int x2, int y2) {
    Mouse(WM_MOUSEMOVE, x1, y1, 0);
    Mouse(WM_LBUTTONDOWN, x1, y1, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, (x1 + x2) / 2, (y1 + y2) / 2, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, x2, y2, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, x2, y2, 0);
  }

  // The grid's client area as it paints itself.
  screen::TShot Render() { return screen::Painted(grid->Handle(), WM_PAINT); }
};

}  // namespace

TEST_F(XGridFixture, HeadingsFillTheFixedRowAndColumnAndFollowNewCells) {
  TStringList cols, rows;
  cols.SetText("corner\r\nA\r\nB\r\n");
  rows.SetText("one\r\ntwo\r\n");
  grid->SetCells(2, 0, "old");
  grid->SetHCol(cols);
  grid->SetHRow(rows);
  EXPECT_EQ(grid->Cells(0, 0), "corner");
  EXPECT_EQ(grid->Cells(1, 0), "A");
  EXPECT_EQ(grid->Cells(2, 0), "B");
  EXPECT_EQ(grid->Cells(3, 0), "");  // beyond the list
  EXPECT_EQ(grid->Cells(0, 1), "one");
  EXPECT_EQ(grid->Cells(0, 2), "two");
  EXPECT_EQ(grid->Cells(0, 3), "");
  // The grid owns copies.
  cols.Clear();
  EXPECT_EQ(grid->HCol()->Count(), 3);
  grid->SetRowCount(2);
  rows.SetText("x\r\ny\r\nz\r\n");
  grid->SetHRow(rows);
  grid->SetRowCount(4);
  EXPECT_EQ(grid->Cells(0, 3), "z");
}

TEST_F(XGridFixture, OwnerColoursAlignsAndTheLightEdgeShowInTheRendering) {
  grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine});
  grid->SetGrid3D(true);
  grid->SetCells(1, 1, "W");
  grid->SetCells(2, 2, "W");
  grid->SetCol(3);
  grid->SetRow(3);
  std::vector<std::pair<int, int>> asked;
  grid->OnGetCellColor = [&](TObject*, int r, int c, TGridDrawState st, TBrush* b, TFont*) {
    asked.push_back({r, c});
    if (r == 1 && c == 1) b->SetColor(0x0000FF);
  };
  grid->OnGetAlignment = [](TObject*, int r, int c, TAlignment& a) {
    if (r == 2 && c == 2) a = taRightJustify;
  };
  screen::TShot shot = Render();
  auto at = [&](int x, int y) { return shot.At(x, y); };
  EXPECT_FALSE(asked.empty());
  RECT red = grid->CellRect(1, 1);
  EXPECT_EQ(at(red.right - 3, red.bottom - 3), RGB(255, 0, 0));  // the brush's 0x0000FF is red
  // The edge: left side from the bottom up, then the top, in the highlight-text colour.
  COLORREF edge = GetSysColor(COLOR_HIGHLIGHTTEXT);
  EXPECT_EQ(at(red.left, red.bottom - 1), edge);
  EXPECT_EQ(at(red.left, red.top), edge);
  EXPECT_EQ(at(red.right - 1, red.top), edge);
  EXPECT_NE(at(red.right - 1, red.bottom - 1), edge);
  // The right-aligned "W" lies in the right half, 2 pixels in from the edge.
  RECT rc = grid->CellRect(2, 2);
  COLORREF back = at(rc.left + 1, rc.bottom - 2);
  int leftmost = rc.right, rightmost = rc.left;
  for (int y = rc.top + 1; y < rc.bottom - 1; ++y)
    for (int x = rc.left + 1; x < rc.right; ++x)
      if (at(x, y) != back && at(x, y) != edge) {
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
      }
  EXPECT_GT(leftmost, (rc.left + rc.right) / 2);
  EXPECT_LE(rightmost, rc.right - 3);
  EXPECT_GE(rightmost, rc.right - 6);
  // Without both kinds of grid line there is no edge.
  grid->SetOptions(TGridOptions{goFixedVertLine, goFixedHorzLine, goVertLine});
  shot = Render();
  EXPECT_NE(at(red.left, red.top + 2), edge);
}

TEST_F(XGridFixture, TheCurrentCellScrollsIntoViewSideways) {
  grid->SetColCount(30);
  grid->SetOptions(grid->Options() + goTabs + goEditing);
  grid->SetFocus();
  grid->SetCol(29);
  EXPECT_GT(grid->LeftCol(), 1);
  RECT r = grid->CellRect(29, 1);
  EXPECT_GT(r.right, r.left);
  EXPECT_LE(r.right, grid->ClientWidth());
  EXPECT_EQ(grid->CellRect(1, 1).right, 0);  // scrolled away
  EXPECT_EQ(grid->CellRect(0, 1).left, 0);   // the fixed column stays
  SCROLLINFO si{sizeof si, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(grid->Handle(), SB_HORZ, &si);
  EXPECT_EQ(si.nPos, grid->LeftCol() - 1);
  // Tab at the end of a row goes to the first column of the next, which scrolls back.
  SendMessageA(grid->Handle(), WM_KEYDOWN, VK_TAB, 1);
  EXPECT_EQ(grid->Col(), 1);
  EXPECT_EQ(grid->Row(), 2);
  EXPECT_EQ(grid->LeftCol(), 1);
  SendMessageA(grid->Handle(), WM_HSCROLL, SB_PAGEDOWN, 0);
  EXPECT_GT(grid->LeftCol(), 1);
  int c, row;
  RECT first = grid->CellRect(grid->LeftCol(), 1);
  ASSERT_TRUE(grid->MouseToCell(first.left + 2, first.top + 2, c, row));
  EXPECT_EQ(c, grid->LeftCol());
}

TEST_F(XGridFixture, ColumnsAndRowsSizeAndMoveByTheirCaptions) {
  grid->SetOptions(grid->Options() + goColSizing + goRowSizing + goColMoving + goRowMoving);
  for (int c = 1; c < 4; ++c)
    for (int r = 1; r < 4; ++r) grid->SetCells(c, r, Format("%c%d", 'a' + c - 1, r));
  int w1 = grid->ColWidths(1);
  RECT r1 = grid->CellRect(1, 0);
  // The pointer on the line right of column 1, in the fixed row, shows the sizing cursor.
  POINT on = grid->ClientToScreen(POINT{r1.right, 4});
  SetCursorPos(on.x, on.y);
  SendMessageA(grid->Handle(), WM_SETCURSOR, reinterpret_cast<WPARAM>(grid->Handle()),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_SIZEWE));
  Drag(r1.right, 4, r1.right + 25, 4);
  EXPECT_EQ(grid->ColWidths(1), w1 + 25);
  EXPECT_EQ(grid->Cells(1, 1), "a1");  // sizing moved nothing
  // The same line below the fixed row is a cell, where a press chooses the cell.
  Drag(grid->CellRect(1, 2).right - 1, 30, grid->CellRect(1, 2).right + 20, 30);
  EXPECT_EQ(grid->ColWidths(1), w1 + 25);
  // Column 1 dragged by its caption onto column 3.
  RECT c1 = grid->CellRect(1, 0), c3 = grid->CellRect(3, 0);
  Drag(c1.left + 10, 4, c3.left + 10, 4);
  EXPECT_EQ(grid->Cells(1, 1), "b1");
  EXPECT_EQ(grid->Cells(2, 1), "c1");
  EXPECT_EQ(grid->Cells(3, 1), "a1");
  EXPECT_EQ(grid->ColWidths(3), w1 + 25);  // the width goes with it
  // Row 3 dragged by its caption onto row 1.
  RECT row3 = grid->CellRect(0, 3), row1 = grid->CellRect(0, 1);
  Drag(4, row3.top + 5, 4, row1.top + 5);
  EXPECT_EQ(grid->Cells(1, 1), "b3");
  EXPECT_EQ(grid->Cells(1, 2), "b1");
  // Without the options the captions do nothing.
  grid->SetOptions(grid->Options() - goColMoving - goColSizing);
  c1 = grid->CellRect(1, 0);
  Drag(c1.left + 10, 4, grid->CellRect(2, 0).left + 10, 4);
  Drag(c1.right, 4, c1.right + 30, 4);
  EXPECT_EQ(grid->Cells(1, 1), "b3");
  EXPECT_EQ(grid->ColWidths(1), w1);
}
