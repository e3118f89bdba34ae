#include "editor/WizardCmds.h"

#include "editor/Settings.h"
#include "editor/Vx2_main.h"
#include "editor/vx2_EdWin.h"
#include "editor/wizards/FormBuild.h"
#include "editor/wizards/Framwiz.h"
#include "editor/wizards/H_charp.h"
#include "editor/wizards/VX2_ListW.h"
#include "editor/wizards/Vx2_imgm.h"
#include "editor/wizards/WizardText.h"
#include "editor/wizards/vx2_tabw.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Dialogs.h"

namespace vx {

namespace {
TSettings* Options() { return FrameForm ? FrameForm->Settings() : nullptr; }
}  // namespace

void NewFramesDocument() {
  auto wizard = NewForm<TForm_FrameWiz>(Application);
  if (TSettings* s = Options()) {
    wizard->DocFilter = s->DocFilter();
    wizard->DocExt = s->DocExt();
  }
  if (wizard->ShowModal() != mrOk || !FrameForm) return;
  FrameForm->OpenInEditor("");
  TxEdit* ed = frmEditWin ? frmEditWin->CurrentEditor() : nullptr;
  if (!ed) return;
  // The frameset takes the place of the whole new text in one edit, not a clearing and
  // then its lines: one Undo gives back the text the document opened with.
  int last = ed->GetLineCount();
  ed->SetStartLine(1);
  ed->SetStartPos(0);
  ed->SetEndLine(last);
  ed->SetEndPos(ed->GetLineLength(last));
  ed->ApplySelection();
  wizard->InsertFrames(ed);
}

void TfrmEditWin::InsertTable() {
  TxEdit* ed = CurrentEditor();
  if (!ed) return;
  auto dialog = NewForm<TTableDialog>(Application);
  // The option as it stands now, not as it stood when this window was made.
  if (TSettings* s = Options()) dialog->LowerCase = s->LowerCase();
  if (dialog->ShowModal() == mrOk) dialog->InsertTable(ed);
}

void TfrmEditWin::InsertList() {
  TxEdit* ed = CurrentEditor();
  if (!ed) return;
  auto wizard = NewForm<TfrmListW>(this);
  if (!SelectionEmpty()) wizard->SetItems(ed->SelTextToString());
  if (wizard->ShowModal() == mrOk) ed->SetSelText(wizard->GetListText());
}

void TfrmEditWin::NewImageMap() {
  TxEdit* ed = CurrentEditor();
  if (!ed) return;
  EnterDocumentFolder(ed);
  auto wizard = NewForm<TForm_Imgm>(Application);
  if (TSettings* s = Options()) wizard->ImgFilter = s->ImgFilter();
  if (wizard->ShowModal() == mrOk) wizard->InsertMap(ed, true);
}

void TfrmEditWin::ShowCharPicker() {
  if (!Form_Charp) return;
  // Shown without taking the activation: the editor keeps the focus.
  Form_Charp->ShowNoActivate();
  if (TxEdit* ed = CurrentEditor())
    if (ed->CanFocus()) ed->SetFocus();
}

void EditImageMap(TfrmEditWin* owner, TxEdit* editor, const AnsiString& text) {
  if (!editor) return;
  TMapSelection sel = SplitMapSelection(text);
  // Read before the wizard exists: a bad coordinate goes to the application's handler.
  for (const AnsiString& area : sel.Areas) {
    TAreaFields a = ParseAreaText(area);
    if (!IsRectangleArea(a)) {
      MessageDlg(Format("This map has a %s area - the Image Map Wizard edits rectangular areas only",
                        UpperCase(a.Shape).c_str()),
                 mtError, {mbOK}, 0);
      return;
    }
  }
  auto wizard = NewForm<TForm_Imgm>(owner);
  if (TSettings* s = Options()) wizard->ImgFilter = s->ImgFilter();
  wizard->ParseMapTag(sel.MapTag);
  for (const AnsiString& area : sel.Areas) wizard->ParseArea(area);
  if (wizard->ShowModal() == mrOk) wizard->InsertMap(editor, false);
}

}  // namespace vx
