// The insertion wizards as VornixPro starts them: each is made for one use, given the
// options it needs, shown, and on OK writes into the current document.
#pragma once

#include "framework/core/Object.h"

namespace vx {

class TfrmEditWin;
class TxEdit;

// File > New Frame...: the frames wizard; on OK its frameset fills a new untitled document.
void NewFramesDocument();
// Text > Edit Image Map, once the selection is known to be one whole MAP element: the
// wizard shows the map's name and areas, and on OK writes the map in place of the
// selection. Circle and polygon areas are refused with a message, before the wizard.
void EditImageMap(TfrmEditWin* owner, TxEdit* editor, const AnsiString& text);

}  // namespace vx
