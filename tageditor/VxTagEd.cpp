// VxTagEd: the tag definition editor's main window, then the message loop until it closes.
#include "tageditor/TagEdMain.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle(TagEdTitle);
  Application->SetHelpFile(TagEdHelpFile);
  auto* main = Application->CreateForm<TfrmMain>();
  Application->Run();
  // Freed while the program is whole: the window's placement is written now.
  main->Free();
  return 0;
}
