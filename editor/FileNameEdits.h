// Reading and writing the file-name edits of the editor's dialogs. An edit shows a name
// with blanks in double quotes (that is how its dialog fills it), but the options and
// lists store the bare name: quotes belong only on a command line.
#pragma once

#include "framework/core/Object.h"

namespace vx {

class TFilenameEdit;

// The edit shows name (quoted when it holds a blank); a name the edit refuses is shown
// as it is rather than lost.
void ShowFileName(TFilenameEdit* edit, const AnsiString& name);
// The bare name in the edit: without its quotes when quoted, otherwise the whole text
// (a name typed with blanks and no quotes is still one name).
AnsiString FileNameOf(TFilenameEdit* edit);

}  // namespace vx
