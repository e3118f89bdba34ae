// VornixPro's frame with a document open (for looking at it).
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/core/SysUtils.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle(VornixTitle);
  Application->CreateForm<TFrameForm>();
  FrameForm->SetBounds(10, 10, 900, 640);
  FrameForm->Show();
  FrameForm->NewDoc(FrameForm);
  frmEditWin->SetWindowState(wsMaximized);
  if (TxEdit* ed = frmEditWin->CurrentEditor())
    ed->InsertText(
        "<H1 ALIGN=\"center\">Spring planting</H1>\r\n<P>Sow the beans &amp; peas when the soil is warm.</P>\r\n"
        "<IMG SRC=\"beans.gif\" WIDTH=120 HEIGHT=80 ALT=\"Beans\">");
  Application->Run();
  if (FrameForm) FrameForm->Free();
  return 0;
}
