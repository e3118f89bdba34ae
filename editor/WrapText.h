// Markup put around a selection of the edit control in one edit.
#pragma once

#include "framework/core/Object.h"

namespace vx {

class TCustomLEdit;

// Puts `before` and `after` around the text from the start to the end (lines from 1,
// positions from 0, in text order) as one edit of the control, so that one Undo takes
// both away. Afterwards either the whole result is selected, or the caret stands just
// after `before`. Nothing goes in, and the result is false, when a line would grow
// longer than the control holds.
bool WrapText(TCustomLEdit* ed, int startLine, int startPos, int endLine, int endPos, const AnsiString& before,
              const AnsiString& after, bool selectWhole);

}  // namespace vx
