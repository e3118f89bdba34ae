// Grids: a table of cells in rows and columns, the first ones fixed as captions, drawn
// cell by cell, with a current cell, scrolling both ways, an in-place editor for the
// current cell, and columns and rows that the mouse sizes and moves by their fixed
// captions. TDrawGrid leaves the drawing to an event, TStringGrid holds text.
#pragma once

#include <vector>

#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"

namespace vx {

enum TGridOption {
  goFixedVertLine,
  goFixedHorzLine,
  goVertLine,
  goHorzLine,
  goRangeSelect,
  goDrawFocusSelected,
  goRowSizing,
  goColSizing,
  goRowMoving,
  goColMoving,
  goEditing,
  goTabs,
  goRowSelect,
  goAlwaysShowEditor,
  goThumbTracking
};
using TGridOptions = TSet<TGridOption>;
enum TGridDrawStateFlag { gdSelected, gdFocused, gdFixed };
using TGridDrawState = TSet<TGridDrawStateFlag>;

class TCustomGrid;

// The editor of the current cell: an edit window inside the grid. Its text is the
// grid's edit text of the cell, and every change is handed back to the grid at once.
class TInplaceEdit : public TCustomEdit {
 public:
  explicit TInplaceEdit(TCustomGrid* grid);
  const char* ClassName() const override { return "TInplaceEdit"; }
  TCustomGrid* Grid() const { return grid_; }
  // Places the editor over r (grid client coordinates) and shows it.
  void Move(const RECT& r);
  // Hides the editor; the focus goes back to the grid when the editor had it.
  void HideEdit();
  bool EditVisible() const { return shown_; }
  // Loads the text of the grid's current cell.
  virtual void UpdateContents();
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  // The editor's size changed: the text area is set from EditRect.
  virtual void BoundsChanged();
  // The area the text is drawn in, in client coordinates.
  virtual RECT EditRect();
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;
  void Change() override;

 private:
  TCustomGrid* grid_;
  bool shown_ = false, loading_ = false;

 protected:
  ~TInplaceEdit() override = default;
};

class TCustomGrid : public TCustomControl {
 public:
  explicit TCustomGrid(TComponent* owner);
  const char* ClassName() const override { return "TCustomGrid"; }

  int ColCount() const { return colCount_; }
  void SetColCount(int n);
  int RowCount() const { return rowCount_; }
  void SetRowCount(int n);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int n);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int n);
  int DefaultColWidth() const { return defaultColWidth_; }
  void SetDefaultColWidth(int w);
  int DefaultRowHeight() const { return defaultRowHeight_; }
  void SetDefaultRowHeight(int h);
  int ColWidths(int c) const;
  void SetColWidths(int c, int w);
  int RowHeights(int r) const;
  void SetRowHeights(int r, int h);
  int GridLineWidth() const { return gridLineWidth_; }
  void SetGridLineWidth(int w);
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions o);
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle b);
  TColor FixedColor() const { return fixedColor_; }
  void SetFixedColor(TColor c) {
    fixedColor_ = c;
    Invalidate();
  }

  int Col() const { return col_; }
  void SetCol(int c) { FocusCell(c, row_); }
  int Row() const { return row_; }
  void SetRow(int r) { FocusCell(col_, r); }
  // Makes (c, r) the current cell when SelectCell allows it, and scrolls it into view.
  void FocusCell(int c, int r);
  int TopRow() const { return topRow_; }
  void SetTopRow(int r);
  // The first column shown right of the fixed columns.
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int c);
  // Rows wholly visible below the fixed rows; columns wholly visible right of the fixed ones.
  int VisibleRowCount();
  int VisibleColCount();
  // Off: the grid paints only grid lines and leaves each cell to DrawCell.
  bool DefaultDrawing() const { return defaultDrawing_; }
  void SetDefaultDrawing(bool d) {
    defaultDrawing_ = d;
    Invalidate();
  }
  // Moves a column or a row (with its cells) to another index; fixed ones stay.
  void MoveColumn(int from, int to);
  void MoveRow(int from, int to);

  RECT CellRect(int c, int r);
  // The cell under a client point; false outside every cell.
  bool MouseToCell(int x, int y, int& c, int& r);

  bool EditorMode() const { return editorMode_; }
  void SetEditorMode(bool on);
  TInplaceEdit* InplaceEditor() const { return editor_; }
  void ShowEditor() { SetEditorMode(true); }
  void HideEditor() { SetEditorMode(false); }
  void InvalidateCell(int c, int r);
  // Moves, shows or hides the editor as the current cell and the options say.
  void UpdateEdit();

  void WndProc(TMessage& m) override;
  // The grid's keys, also those that its editor passes on.
  void KeyDown(WORD& key, TShiftState shift) override;

 protected:
  friend class TInplaceEdit;
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void Paint() override;
  void Resize() override;
  void MouseDown(TMouseButton b, TShiftState s, int x, int y) override;
  void MouseMove(TShiftState s, int x, int y) override;
  void MouseUp(TMouseButton b, TShiftState s, int x, int y) override;
  void KeyPress(char& key) override;
  virtual void DrawCell(int c, int r, const RECT& rect, TGridDrawState state) {}
  virtual bool SelectCell(int c, int r) { return true; }
  virtual AnsiString GetEditText(int c, int r) { return AnsiString(); }
  virtual void SetEditText(int c, int r, const AnsiString& text) {}
  virtual bool CanEditShow();
  virtual TInplaceEdit* CreateEditor();
  // The number of columns or rows changed (the old counts given).
  virtual void SizeChanged(int oldCols, int oldRows) {}
  virtual void TopLeftChanged() {}
  // A column or row was moved (its cells go with it).
  virtual void ColumnMoved(int from, int to) {}
  virtual void RowMoved(int from, int to) {}

 private:
  enum TGridState { gsNormal, gsColSizing, gsRowSizing, gsColMoving, gsRowMoving };
  void UpdateScrollBar();
  void ScrollInView(int c, int r);
  void ChangeSize(int cols, int rows);
  // The column (row) whose right (bottom) grid line is under a point of the fixed
  // captions, where sizing may start; -1 when none.
  int SizingColAt(int x, int y);
  int SizingRowAt(int x, int y);
  int FixedWidth() const;
  int FixedHeight() const;
  // The leftmost first scrolled column that still shows column last whole beside the
  // fixed ones; LastLeftCol is that for the last column.
  int FirstColShowing(int last);
  int LastLeftCol();
  // The displayed columns and rows in screen order: fixed ones, then the scrolled ones.
  std::vector<int> ShownCols() const;
  std::vector<int> ShownRows() const;
  std::vector<int> colWidths_, rowHeights_;
  int colCount_ = 5, rowCount_ = 5, fixedCols_ = 1, fixedRows_ = 1;
  int defaultColWidth_ = 64, defaultRowHeight_ = 24, gridLineWidth_ = 1;
  TGridOptions options_{goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
  TFormBorderStyle borderStyle_ = bsSingle;
  TColor fixedColor_ = clBtnFace;
  int col_ = 1, row_ = 1, topRow_ = 1, leftCol_ = 1;
  int placedCol_ = -1, placedRow_ = -1;  // the cell the editor was last moved to
  bool editorMode_ = false, defaultDrawing_ = true;
  TGridState state_ = gsNormal;
  int stateIndex_ = -1, stateOrigin_ = 0, stateStartSize_ = 0;
  TInplaceEdit* editor_ = nullptr;

 protected:
  ~TCustomGrid() override;
};

using TDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, RECT Rect, TGridDrawState State)>;
using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;
using TGetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, AnsiString& Value)>;
using TSetEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, const AnsiString& Value)>;

class TDrawGrid : public TCustomGrid {
 public:
  explicit TDrawGrid(TComponent* owner) : TCustomGrid(owner) {}
  const char* ClassName() const override { return "TDrawGrid"; }
  TCanvas* GridCanvas() { return Canvas(); }
  TDrawCellEvent OnDrawCell;
  TSelectCellEvent OnSelectCell;
  TGetEditEvent OnGetEditText;
  TSetEditEvent OnSetEditText;

 protected:
  void DrawCell(int c, int r, const RECT& rect, TGridDrawState state) override;
  bool SelectCell(int c, int r) override;
  AnsiString GetEditText(int c, int r) override;
  void SetEditText(int c, int r, const AnsiString& text) override;

 protected:
  ~TDrawGrid() override = default;
};

class TStringGrid : public TDrawGrid {
 public:
  explicit TStringGrid(TComponent* owner);
  const char* ClassName() const override { return "TStringGrid"; }
  AnsiString Cells(int c, int r) const;
  void SetCells(int c, int r, const AnsiString& s);

 protected:
  void DrawCell(int c, int r, const RECT& rect, TGridDrawState state) override;
  AnsiString GetEditText(int c, int r) override;
  void SetEditText(int c, int r, const AnsiString& text) override;
  void SizeChanged(int oldCols, int oldRows) override;
  void ColumnMoved(int from, int to) override;
  void RowMoved(int from, int to) override;

 private:
  std::vector<std::vector<AnsiString>> cells_;  // [row][col]

 protected:
  ~TStringGrid() override = default;
};

}  // namespace vx
