// The rules of the preview and the external browsers, apart from the windows that use them.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The preview copy's name.
extern const char* const PreviewFileName;

// The preview copy beside a document: in its folder, or in the given current folder for a
// document whose name has none.
AnsiString PreviewFilePath(const AnsiString& documentName, const AnsiString& currentDir);
// A browser's DDE service: its file name without folder, cut before the first "."; empty
// for a name without ".".
AnsiString ServiceNameOf(const AnsiString& browserPath);
// The command line that shows a file in a browser: both paths quoted when they hold a
// blank, never cut short.
AnsiString BrowserCommandLine(const AnsiString& browserPath, const AnsiString& file);
// The item a browser is asked to open by DDE: the file's URL and ",,-1,1,,,".
AnsiString OpenUrlItem(const AnsiString& file);

}  // namespace vx
