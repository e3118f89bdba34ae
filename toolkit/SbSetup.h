// The speed bar's customisation window: a modeless dialog, owned by its bar's form, listing the bar's
// sections and, for the chosen one, its items drawn as buttons. Dragging an item from
// the list onto the bar shows it there; while the window is open the bar is in
// customise mode, so its buttons can be dragged about the bar or off it.
#pragma once

#include <memory>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/Grids.h"
#include "framework/win/StdCtrls.h"
#include "toolkit/SpeedBar.h"

namespace vx {

class TSpeedbarSetupWindow : public TForm {
 public:
  explicit TSpeedbarSetupWindow(TComponent* owner);
  const char* ClassName() const override { return "TSpeedbarSetupWindow"; }

  TBevel* Bevel1;
  TLabel *CategoriesLabel, *ButtonsLabel, *HintLabel;
  TDrawGrid *SectionList, *ButtonsList;
  TButton *CloseBtn, *HelpBtn;

  TSpeedBar* SpeedBar() const { return bar_; }
  // Attaches the window to a bar (the old one leaves customise mode, the new one enters it).
  void SetSpeedBar(TSpeedBar* bar);
  // SectionList's row while the bar is usable and has sections, else -1.
  int SelectedSection();
  // The item shown in ButtonsList's row of a section, or nullptr.
  TSpeedItem* ItemAt(int section, int row);
  // While an item is dragged from the list, the image under the pointer.
  TBtnControl* DragImage() const { return dragImage_; }

  void WndProc(TMessage& m) override;

  void FormCreate(TObject* Sender);
  void FormClose(TObject* Sender, TCloseAction& Action);
  void FormDestroy(TObject* Sender);
  void SectionListDrawCell(TObject* Sender, int ACol, int ARow, RECT Rect, TGridDrawState State);
  void SectionListSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void ButtonsListDrawCell(TObject* Sender, int ACol, int ARow, RECT Rect, TGridDrawState State);
  void ButtonsListMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonsListMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
  void ButtonsListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void ButtonsListSelectCell(TObject* Sender, int ACol, int ARow, bool& CanSelect);
  void CloseBtnClick(TObject* Sender);
  void HelpBtnClick(TObject* Sender);

 protected:
  void Notification(TComponent* c, TOperation op) override;

 private:
  bool BarUsable() const;
  void RefreshLists(int index);
  void RefreshButtons(int section);
  void UpdateHint(int section, int row);
  void FitListHeights();
  void FreeDragImage();

  TBtnControl* dragImage_ = nullptr;
  std::unique_ptr<TButtonImage> painter_;
  TSpeedBar* bar_ = nullptr;
  bool dragging_ = false;
  TSpeedItem* dragItem_ = nullptr;

 protected:
  ~TSpeedbarSetupWindow() override;
};

// The open customisation window of a bar, or nullptr.
TSpeedbarSetupWindow* FindOpenSpeedbarSetup(TSpeedBar* bar);
// Opens (or brings up) the bar's customisation window; a help context above 0 shows Help.
void OpenSpeedbarSetup(TSpeedBar* bar, int helpContext);
// The speed bar under a screen point (through the windows above it), or nullptr.
TSpeedBar* FindSpeedBarAt(POINT screen);
// An item as the lists show it: its button face, then its caption.
void DrawSpeedItemCell(TDrawGrid* grid, RECT cell, TSpeedItem* item, TButtonImage* painter);

}  // namespace vx
