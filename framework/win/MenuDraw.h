// Items of drop-down and popup menus drawn by the program: the caption and the short-cut
// text stand in columns of their own, which the platform's menus under Wine do not keep.
#pragma once

#include "framework/win/WinApi.h"

#include "framework/win/Controls.h"

namespace vx {

class TMenuItem;

// The item's two columns and its size, as measured with the menu font.
struct TMenuItemLayout {
  int checkWidth = 0;     // the check mark's column, left of the caption
  int captionWidth = 0;   // the widest caption of the item's menu
  int gap = 0;            // between the caption and the short-cut column
  int shortCutWidth = 0;  // the widest short-cut text of the item's menu
  int arrowWidth = 0;     // room for a submenu's arrow at the right
  int width = 0, height = 0;
  int ShortCutLeft() const { return checkWidth + captionWidth + gap; }
};
TMenuItemLayout MenuItemLayout(TMenuItem* item);

// A drop-down's layout as measured once for all its items, with the font it was measured in.
struct TMenuMeasure {
  TMenuItemLayout layout;
  LOGFONTA font{};
};

// WM_MEASUREITEM and WM_DRAWITEM for a menu item of the program, and WM_MENUCHAR for a
// menu holding them (their "&" letters); false for anything else.
bool MenuDrawMessage(TMessage& m);

}  // namespace vx
