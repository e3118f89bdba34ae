#include "editor/VX2_Cust.h"

#include "editor/CustTags.h"
#include "editor/VX2_CustE.h"
#include "editor/vx2_NCusT.h"

namespace vx {

bool TfrmCustTag::AskName(AnsiString& name) {
  TfrmNewTag* d = CreateForm<TfrmNewTag>(this);
  auto freeDialog = OnScopeExit([d] { d->Free(); });
  if (d->ShowModal() != mrOk) return false;
  name = d->newtagE->Text();
  return true;
}

std::unique_ptr<TPersistent> TfrmCustTag::NewItem(const AnsiString& name) {
  auto item = std::make_unique<TCusTagItem>();
  item->SetName(name);
  return item;
}

void TfrmCustTag::EditItem(TPersistent* item) {
  auto* tag = dynamic_cast<TCusTagItem*>(item);
  if (!tag) return;
  TfrmCusTagE* d = CreateForm<TfrmCusTagE>(this);
  auto freeDialog = OnScopeExit([d] { d->Free(); });
  d->LoadItem(*tag);
  if (d->ShowModal() == mrOk) d->StoreItem(*tag);
}

}  // namespace vx
