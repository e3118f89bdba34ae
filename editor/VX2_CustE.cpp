#include "editor/VX2_CustE.h"

#include <tuple>

#include "editor/CustTags.h"
#include "editor/FileNameEdits.h"
#include "framework/core/SysUtils.h"
#include "framework/win/MakeControl.h"
#include "toolkit/ToolEdit.h"

namespace vx {

TfrmCusTagE::TfrmCusTagE(TComponent* owner) : TForm(owner) {
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetClientSize(440, 364);
  TGroupBox** groups[2] = {&GroupBox1, &GroupBox2};
  TMemo** memos[2] = {&BeforeE, &AfterE};
  TLabel** labels[2] = {&Label1, &Label2};
  TFilenameEdit** files[2] = {&beforeFileE, &AfterFileE};
  const char* groupText[2] = {"Text Before Selection", "Text After Selection"};
  const char* memoName[2] = {"BeforeE", "AfterE"};
  const char* fileName[2] = {"beforeFileE", "AfterFileE"};
  for (int i = 0; i < 2; ++i) {
    TGroupBox* g = *groups[i] =
        MakeControl<TGroupBox>(this, this, i ? "GroupBox2" : "GroupBox1", 8, 6 + i * 158, 424, 152);
    g->SetCaption(groupText[i]);
    TMemo* m = *memos[i] = MakeControl<TMemo>(this, g, memoName[i], 10, 20, 404, 72);
    m->SetScrollBars(ssVertical);
    m->SetWordWrap(false);
    TLabel* l = *labels[i] = MakeControl<TLabel>(this, g, i ? "Label2" : "Label1", 10, 100, 200, 13);
    l->SetCaption("&Insert Contents of file");
    TFilenameEdit* f = *files[i] = MakeControl<TFilenameEdit>(this, g, fileName[i], 10, 118, 404, 21);
    f->SetDialogTitle("Select File contents to insert");
    f->SetDialogOptions(TOpenOptions{ofHideReadOnly, ofNoChangeDir});
    l->SetFocusControl(f);
  }
  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 276, 331);
  SetActiveControl(BeforeE);
}

TfrmCusTagE::~TfrmCusTagE() = default;

void TfrmCusTagE::LoadItem(const TCusTagItem& item) {
  SetCaption(Format("Editing %s", item.Name().c_str()));
  auto load = [](TMemo* memo, TFilenameEdit* file, const AnsiString& text, bool isFile) {
    if (isFile) {
      ShowFileName(file, text);
      memo->Clear();
    } else {
      memo->SetText(text);
      file->Clear();
    }
  };
  load(BeforeE, beforeFileE, item.Before(), item.BeforeIsFile());
  load(AfterE, AfterFileE, item.After(), item.AfterIsFile());
}

void TfrmCusTagE::StoreItem(TCusTagItem& item) {
  AnsiString before = FileNameOf(beforeFileE), after = FileNameOf(AfterFileE);
  item.SetBeforeIsFile(!before.empty());
  item.SetBefore(before.empty() ? BeforeE->Text() : before);
  item.SetAfterIsFile(!after.empty());
  item.SetAfter(after.empty() ? AfterE->Text() : after);
}

}  // namespace vx
