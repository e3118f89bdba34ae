// VornixPro: the main frame, then the message loop until it closes.
#include "editor/Vx2_main.h"

using namespace vx;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Application->SetTitle(VornixTitle);
  Application->CreateForm<TFrameForm>();
  Application->Run();
  // Frees the frame while the program is whole: its options and placement are written now.
  if (FrameForm) FrameForm->Free();
  return 0;
}
