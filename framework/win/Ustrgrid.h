// TXStrGrid: a string grid with heading texts for its fixed first row and column, one
// alignment for every cell, an optional light 3-D edge per cell, and events through
// which the owner colours or aligns single cells before they are drawn.
#pragma once

#include <functional>
#include <memory>

#include "framework/win/Grids.h"

namespace vx {

using TGridColorEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState, TBrush* ABrush, TFont* AFont)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& AAlignment)>;

class TXStrGrid : public TStringGrid {
 public:
  explicit TXStrGrid(TComponent* owner);
  const char* ClassName() const override { return "TXStrGrid"; }

  // Texts of row 0: cell (i, 0) gets item i, or nothing beyond the list.
  TStrings* HCol() const { return hCol_.get(); }
  void SetHCol(const TStrings& s);
  // Texts of column 0: cell (0, i + 1) gets item i, or nothing beyond the list.
  TStrings* HRow() const { return hRow_.get(); }
  void SetHRow(const TStrings& s);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  bool Grid3D() const { return grid3D_; }
  void SetGrid3D(bool g);

  TGridColorEvent OnGetCellColor;
  TGridAlignEvent OnGetAlignment;

  void Loaded() override;

 protected:
  void DrawCell(int c, int r, const RECT& rect, TGridDrawState state) override;
  void SizeChanged(int oldCols, int oldRows) override;

 private:
  void FillHeadings();
  std::unique_ptr<TStringList> hCol_, hRow_;
  TAlignment alignment_ = taLeftJustify;
  bool grid3D_ = false;

 protected:
  ~TXStrGrid() override;
};

}  // namespace vx
