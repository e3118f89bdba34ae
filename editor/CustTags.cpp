#include "editor/CustTags.h"

#include "editor/VX2_Cust.h"

namespace vx {

void TCusTagItem::Assign(const TPersistent& source) {
  auto* s = dynamic_cast<const TCusTagItem*>(&source);
  if (!s) return TPersistent::Assign(source);
  name_ = s->name_;
  before_ = s->before_;
  beforeIsFile_ = s->beforeIsFile_;
  after_ = s->after_;
  afterIsFile_ = s->afterIsFile_;
}

void TCusTagItem::ReadData(TReader& r) {
  name_ = r.ReadString();
  before_ = r.ReadString();
  beforeIsFile_ = r.ReadBoolean();
  after_ = r.ReadString();
  afterIsFile_ = r.ReadBoolean();
}

void TCusTagItem::WriteData(TWriter& w) const {
  w.WriteString(name_);
  w.WriteString(before_);
  w.WriteBoolean(beforeIsFile_);
  w.WriteString(after_);
  w.WriteBoolean(afterIsFile_);
}

bool TCusTags::Edit() { return EditCustomList<TfrmCustTag>(*this); }

}  // namespace vx
