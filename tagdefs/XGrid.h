// The attribute grid: a caption column and a value column, one row per item of its row
// collection. Each row chooses its value editor: plain text, a drop-down pick list, or a
// button at the right of the cell for a colour, a file, an image or an event.
#pragma once

#include <memory>

#include "framework/core/Collection.h"
#include "framework/win/Grids.h"

namespace vx {

enum TRowButtonStyle { rbsNone, rbsEllipsis, rbsFile, rbsFont, rbsImage, rbsNumber, rbsColor, rbsPickList };

class TXGrid;

class TXGridRowItem : public TCollectionItem {
 public:
  explicit TXGridRowItem(TCollection* c) : TCollectionItem(c) {}
  const char* ClassName() const override { return "TXGridRowItem"; }

  TRowButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TRowButtonStyle s);
  const AnsiString& Caption() const { return caption_; }
  void SetCaption(const AnsiString& s);
  const AnsiString& Value() const { return value_; }
  void SetValue(const AnsiString& s);
  // Made on first use; SetPickList(nullptr) frees it.
  TStrings* PickList();
  bool HasPickList() const { return pickList_ && pickList_->Count() > 0; }
  void SetPickList(const TStrings* s);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool r);
  const AnsiString& Filter() const { return filter_; }
  void SetFilter(const AnsiString& f) { filter_ = f; }
  const AnsiString& Hint() const { return hint_; }
  void SetHint(const AnsiString& h) { hint_ = h; }
  bool IsFlag() const { return isFlag_; }
  void SetIsFlag(bool f) { isFlag_ = f; }
  // Kept for the property list; the list is always at most 7 rows high.
  int DropDownRows() const { return dropDownRows_; }
  void SetDropDownRows(int n) { dropDownRows_ = n; }
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  // 1: the caption cell shows the required marker.
  int State() const { return state_; }
  void SetState(int s);

 private:
  TRowButtonStyle buttonStyle_ = rbsNone;
  AnsiString caption_, value_, filter_, hint_;
  std::unique_ptr<TStringList> pickList_;
  bool readOnly_ = false, isFlag_ = false;
  int dropDownRows_ = 7;
  TColor color_ = clBlack;
  int state_ = 0;
};

class TXGridRows : public TCollection {
 public:
  explicit TXGridRows(TXGrid* grid);
  const char* ClassName() const override { return "TXGridRows"; }
  TXGrid* Grid() const { return grid_; }
  TXGridRowItem* Add() { return static_cast<TXGridRowItem*>(TCollection::Add()); }
  TXGridRowItem* Items(int i) const { return static_cast<TXGridRowItem*>(TCollection::Items(i)); }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  TXGrid* grid_;
};

// The drop-down list of a pick-list row: a bordered tool window outside any parent, drawn
// as focused without taking the focus, with incremental search.
class TXPopupListbox : public TCustomListBox {
 public:
  explicit TXPopupListbox(TComponent* owner);
  const char* ClassName() const override { return "TXPopupListbox"; }
  const AnsiString& SearchText() const { return searchText_; }
  void ClearSearch() { searchText_.clear(); }
  // Called on a mouse release in the list: true when it was inside the client area.
  std::function<void(bool inside)> OnRelease;
  void WndProc(TMessage& m) override;
  static constexpr DWORD SearchResetMs = 2000;

 protected:
  void CreateParams(TCreateParams& p) override;
  void CreateWnd() override;
  void KeyPress(char& key) override;

 private:
  AnsiString searchText_;
  DWORD searchTime_ = 0;

 protected:
  ~TXPopupListbox() override = default;
};

// The value editor of the attribute grid.
class TXGridInplaceEdit : public TInplaceEdit {
 public:
  // Edit styles; a bitmap face is the resource "BM" followed by the number.
  enum TXEditStyle { esSimple = 0, esEllipsis = 1, esPickList = 2, esColor = 3, esFile = 4, esImage = 5, esFont = 6 };

  explicit TXGridInplaceEdit(TXGrid* grid);
  const char* ClassName() const override { return "TXGridInplaceEdit"; }
  TXEditStyle EditStyle() const { return editStyle_; }
  int ButtonWidth() const { return buttonWidth_; }
  RECT ButtonRect();
  bool Pressed() const { return pressed_; }
  bool Tracking() const { return tracking_; }
  bool ListVisible() const { return listVisible_; }
  TXPopupListbox* PickListBox() const { return pickList_; }
  void DropDown();
  // Hides the list; with accept, its selected item becomes the value.
  void CloseUp(bool accept);
  // Takes up the style, read-only state and hint of the grid's current row.
  void TakeUpRow();
  void UpdateContents() override;
  void WndProc(TMessage& m) override;

 protected:
  RECT EditRect() override;
  void KeyDown(WORD& key, TShiftState shift) override;
  void KeyPress(char& key) override;

 private:
  bool HasButton() const { return editStyle_ != esSimple; }
  void PaintButton(HDC dc);
  void TrackButton(int x, int y);
  void StopTracking();
  void DoButtonAction();
  TXGrid* xgrid_;
  int buttonWidth_;
  TXEditStyle editStyle_ = esSimple;
  bool pressed_ = false, tracking_ = false, listVisible_ = false;
  TXPopupListbox* pickList_ = nullptr;

 protected:
  ~TXGridInplaceEdit() override = default;
};

class TXGrid : public TCustomGrid {
 public:
  explicit TXGrid(TComponent* owner);
  const char* ClassName() const override { return "TXGrid"; }

  int ColWidth() const { return colWidth_; }
  void SetColWidth(int w);
  TXGridRows* GridRows() const { return rows_.get(); }
  // The row item of the current row, nullptr with no rows.
  TXGridRowItem* CurrentItem() const;
  TXGridInplaceEdit* Editor() const { return static_cast<TXGridInplaceEdit*>(InplaceEditor()); }

  // The button actions (also reached through the editor's button).
  void EditButtonClick();
  void ColorButtonClick();
  void FileButtonClick();
  void ImageButtonClick();

  TNotifyEvent OnEditButtonClick;
  TNotifyEvent OnEditUpdateContents;

  // The rows changed (item), or were added, removed or all changed (nullptr).
  void RowsChanged(TXGridRowItem* item);
  // The "#RRGGBB" text of a colour, and the colour that a text presets (its hex digits).
  static AnsiString ColorToHtml(TColor c);
  static TColor HtmlToColor(const AnsiString& text);

 protected:
  void DrawCell(int c, int r, const RECT& rect, TGridDrawState state) override;
  AnsiString GetEditText(int c, int r) override;
  void SetEditText(int c, int r, const AnsiString& text) override;
  bool CanEditShow() override;
  TInplaceEdit* CreateEditor() override;
  void Resize() override;

 private:
  friend class TXGridInplaceEdit;
  void SetCurrentValue(const AnsiString& v);
  std::unique_ptr<TXGridRows> rows_;
  int colWidth_ = 100;

 protected:
  ~TXGrid() override;
};

// The bitmap resource of the grid's images ("BM3", "BMREQ"), loaded once.
HBITMAP XGridBitmap(const char* name);

}  // namespace vx
