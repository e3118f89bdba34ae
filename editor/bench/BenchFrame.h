// The editor benchmarks' VornixPro: a main frame started on an empty registry with one new
// document, and its end without questions.
#pragma once

#include "editor/Settings.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "framework/win/IniFiles.h"

namespace vx {

inline void StartBenchFrame() {
  Application->SetUnattended(true);
  TRegIniFile::DeleteUserKey(VornixRegKey);
  Application->SetTitle(VornixTitle);
  Application->CreateForm<TFrameForm>();
  FrameForm->SetBounds(0, 0, 1000, 740);
  FrameForm->Show();
  FrameForm->NewDoc(FrameForm);
  Application->ProcessMessages();
}

inline void StopBenchFrame() {
  if (frmEditWin && frmEditWin->CurrentEditor()) frmEditWin->CurrentEditor()->SetModified(false);
  FrameForm->Close();
  Application->ProcessMessages();
  if (FrameForm) FrameForm->Free();
  TRegIniFile::DeleteUserKey(VornixRegKey);
}

}  // namespace vx
