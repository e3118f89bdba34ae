#include "editor/VX2_Tool.h"

#include "editor/CusTool.h"
#include "editor/VX2_NTool.h"
#include "editor/VX2_ToolE.h"

namespace vx {

bool TfrmCusTool::AskName(AnsiString& name) {
  TfrmNewTool* d = CreateForm<TfrmNewTool>(this);
  auto freeDialog = OnScopeExit([d] { d->Free(); });
  if (d->ShowModal() != mrOk) return false;
  name = d->newtoolE->Text();
  return true;
}

std::unique_ptr<TPersistent> TfrmCusTool::NewItem(const AnsiString& name) {
  auto item = std::make_unique<TCusToolItem>();
  item->SetName(name);
  return item;
}

void TfrmCusTool::EditItem(TPersistent* item) {
  auto* tool = dynamic_cast<TCusToolItem*>(item);
  if (!tool) return;
  TfrmCusToolE* d = CreateForm<TfrmCusToolE>(this);
  auto freeDialog = OnScopeExit([d] { d->Free(); });
  d->LoadItem(*tool);
  if (d->ShowModal() == mrOk) d->StoreItem(*tool);
}

}  // namespace vx
