// The custom tag and tool items as their list files hold them: no windows here, so the
// readers also build natively for the fuzz targets.
#include "editor/CusTool.h"
#include "editor/CustTags.h"

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

void TCusToolItem::Assign(const TPersistent& source) {
  auto* s = dynamic_cast<const TCusToolItem*>(&source);
  if (!s) return TPersistent::Assign(source);
  name_ = s->name_;
  command_ = s->command_;
  params_ = s->params_;
  saveFirst_ = s->saveFirst_;
}

void TCusToolItem::ReadData(TReader& r) {
  name_ = r.ReadString();
  command_ = r.ReadString();
  params_ = r.ReadString();
  saveFirst_ = r.ReadBoolean();
}

void TCusToolItem::WriteData(TWriter& w) const {
  w.WriteString(name_);
  w.WriteString(command_);
  w.WriteString(params_);
  w.WriteBoolean(saveFirst_);
}

}  // namespace vx
