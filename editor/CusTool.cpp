#include "editor/CusTool.h"

#include <windows.h>

#include <vector>

#include "editor/VX2_Tool.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"
#include "framework/win/Programs.h"

namespace vx {

bool TCusTool::Edit() { return EditCustomList<TfrmCusTool>(*this); }

namespace {

// The system's text for an error code, without its line break.
AnsiString SystemMessage(DWORD code) {
  char buf[512] = "";
  FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, buf, sizeof buf,
                 nullptr);
  return Trim(buf);
}

// The longest command line a program can be started with.
constexpr size_t kMaxCommandLine = 32767;

}  // namespace

AnsiString ToolCommandLine(const TCusToolItem& tool, const AnsiString& documentName) {
  const AnsiString& p = tool.Params();
  AnsiString params;
  for (size_t i = 0; i < p.size(); ++i) {
    if (p.compare(i, 2, "%s") == 0) {
      // A name with blanks is one parameter, unless the user quoted "%s" already.
      bool quoted = i > 0 && p[i - 1] == '"';
      params += quoted ? documentName : QuotedIfBlank(documentName);
      ++i;
    } else {
      params += p[i];
    }
  }
  AnsiString line = QuotedIfBlank(tool.Command());
  if (!params.empty()) line += " " + params;
  return line;
}

void StartCustomTool(const TCusToolItem& tool) {
  if (tool.Command().empty() || !FileExists(tool.Command())) {
    MessageDlg(
        Format("The program %s of the custom tool %s cannot be found.", tool.Command().c_str(), tool.Name().c_str()),
        mtError, {mbOK}, 0);
    return;
  }
  TxEdit* editor = frmEditWin ? frmEditWin->CurrentEditor() : nullptr;
  // The tool reads the document from its file: a save that did not happen (Save As
  // cancelled, a failed write) starts nothing.
  if (editor && tool.SaveFirst() && !frmEditWin->SaveDocument()) return;
  AnsiString line = ToolCommandLine(tool, editor ? editor->FileName() : AnsiString());
  if (line.size() >= kMaxCommandLine) {
    MessageDlg(Format("The command line of the custom tool %s is too long to start it.", tool.Name().c_str()), mtError,
               {mbOK}, 0);
    return;
  }
  if (!StartProgram(line, SW_SHOWNORMAL)) {
    MessageDlg(Format("The custom tool %s could not be started: %s", tool.Name().c_str(),
                      SystemMessage(GetLastError()).c_str()),
               mtError, {mbOK}, 0);
  }
}

}  // namespace vx
