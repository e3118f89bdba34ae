// VornixPro with a highlighted document and the tag palette showing one group (for
// looking at it, not a test).
#include "editor/HTMLBox.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "editor/vx2_help.h"
#include "tagdefs/teTagType.h"
#include "framework/core/SysUtils.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmdLine, int) {
  Application->SetTitle(VornixTitle);
  Application->CreateForm<TFrameForm>();
  FrameForm->SetBounds(10, 10, 900, 640);
  FrameForm->Show();
  FrameForm->NewDoc(FrameForm);
  frmEditWin->SetBounds(0, 0, 740, 420);
  int group = frmEditWin->ComboBox1->Items()->IndexOf("Text formatting");
  frmEditWin->ComboBox1->SetItemIndex(group);
  frmEditWin->HTMLBox1->SetGroup(group);
  if (TxEdit* ed = frmEditWin->CurrentEditor())
    ed->InsertText(
        "<H1 ALIGN=\"center\">Spring planting</H1>\r\n<!-- the plan for May -->\r\n"
        "<P>Sow the <b>beans</b> &amp; peas when the soil is warm.</P>\r\n"
        "<IMG SRC=\"beans.gif\" WIDTH=120 HEIGHT=80 ALT=\"Beans\">");
  // "help": the tag help window of B over it.
  if (AnsiString(cmdLine).find("help") != AnsiString::npos)
    Application->Post([] {
      TfrmHelpView* help = CreateForm<TfrmHelpView>(frmEditWin);
      help->ShowTag(frmEditWin->TagGroup()->FindTag("B"));
      help->ShowModal();
      help->Free();
    });
  Application->Run();
  if (FrameForm) FrameForm->Free();
  return 0;
}
