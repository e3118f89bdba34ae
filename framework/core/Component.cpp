#include "framework/core/Component.h"

#include <algorithm>
#include <cctype>

#include "framework/core/SysUtils.h"

namespace vx {

VX_PUBLISH(TComponent, TObject) {
  P.Str("Name", &TComponent::Name, &TComponent::SetName).Int("Tag", &TComponent::Tag, &TComponent::SetTag);
}

TComponent::TComponent(TComponent* owner) {
  if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
  // Only reached without Free() by a subclass that left its destructor public: its owned
  // components and watchers are still let go, though its own teardown is lost.
  if (!beforeDone_) BeforeDestruction();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::Free() {
  if (!beforeDone_) BeforeDestruction();
  delete this;
}

void TComponent::BeforeDestruction() {
  if (beforeDone_) return;
  beforeDone_ = true;
  state_.Include(csDestroying);
  DestroyComponents();
  SendRemoveNotices();
}

void TComponent::SendRemoveNotices() {
  // Watchers first learn of the removal, then forget us.
  while (!freeNotifies_.empty()) {
    TComponent* c = freeNotifies_.back();
    freeNotifies_.pop_back();
    auto& back = c->freeNotifies_;
    back.erase(std::remove(back.begin(), back.end(), this), back.end());
    c->Notification(this, opRemove);
  }
  if (owner_ && !owner_->Destroying()) owner_->Notification(this, opRemove);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* c = components_.back();
    components_.pop_back();
    c->owner_ = nullptr;
    // The owner hears of it like any watcher, before the component is gone.
    Notification(c, opRemove);
    c->Free();
  }
}

void TComponent::SetComponentState(TComponentStateFlag f, bool on) {
  if (on)
    state_.Include(f);
  else
    state_.Exclude(f);
}

void TComponent::SetName(const AnsiString& name) {
  if (name == name_) return;
  if (!name.empty()) {
    bool ok = (std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_');
    for (char ch : name) ok = ok && (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_');
    if (!ok) throw EComponentError(Format("'%s' is not a valid component name", name.c_str()));
  }
  if (owner_) owner_->ValidateRename(this, name_, name);
  name_ = name;
}

void TComponent::ValidateRename(TComponent* c, const AnsiString& oldName, const AnsiString& newName) {
  if (newName.empty() || SameText(oldName, newName)) return;
  TComponent* other = FindComponent(newName);
  if (other && other != c) throw EComponentError(Format("A component named %s already exists", newName.c_str()));
}

TComponent* TComponent::Components(int i) const {
  if (i < 0 || i >= ComponentCount()) throw EComponentError(Format("List index out of bounds (%d)", i));
  return components_[i];
}

int TComponent::ComponentIndex() const {
  if (!owner_) return -1;
  auto& v = owner_->components_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* c : components_)
    if (SameText(c->name_, name)) return c;
  return nullptr;
}

void TComponent::InsertComponent(TComponent* c) {
  if (!c || c->owner_ == this) return;
  if (!c->name_.empty()) ValidateRename(c, "", c->name_);
  if (c->owner_) c->owner_->RemoveComponent(c);
  components_.push_back(c);
  c->owner_ = this;
  Notification(c, opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
  auto it = std::find(components_.begin(), components_.end(), c);
  if (it == components_.end()) return;
  components_.erase(it);
  c->owner_ = nullptr;
}

void TComponent::FreeNotification(TComponent* c) {
  if (!c || c == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), c) == freeNotifies_.end()) freeNotifies_.push_back(c);
  auto& back = c->freeNotifies_;
  if (std::find(back.begin(), back.end(), this) == back.end()) back.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* c) {
  if (!c) return;
  freeNotifies_.erase(std::remove(freeNotifies_.begin(), freeNotifies_.end(), c), freeNotifies_.end());
  auto& back = c->freeNotifies_;
  back.erase(std::remove(back.begin(), back.end(), this), back.end());
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Loaded() { state_.Exclude(csLoading); }

}  // namespace vx
