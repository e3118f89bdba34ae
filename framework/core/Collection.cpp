#include "framework/core/Collection.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"

namespace vx {

int TCollectionItem::Index() const { return collection_ ? collection_->IndexOf(this) : -1; }

void TCollectionItem::Changed(bool allItems) {
  if (!collection_ || collection_->updateCount_ > 0) return;
  collection_->Update(allItems ? nullptr : this);
}

TCollection::~TCollection() {
  // Items go without telling an owner that is being torn down.
  ++updateCount_;
  items_.clear();
}

TCollectionItem* TCollection::Items(int i) const {
  if (i < 0 || i >= Count()) throw EStringListError(Format("List index out of bounds (%d)", i));
  return items_[static_cast<size_t>(i)].get();
}

TCollectionItem* TCollection::Add() {
  items_.push_back(factory_(this));
  Changed();
  return items_.back().get();
}

void TCollection::Delete(int i) {
  if (i < 0 || i >= Count()) throw EStringListError(Format("List index out of bounds (%d)", i));
  items_.erase(items_.begin() + i);
  Changed();
}

void TCollection::Clear() {
  if (items_.empty()) return;
  items_.clear();
  Changed();
}

int TCollection::IndexOf(const TCollectionItem* item) const {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& p) { return p.get() == item; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Update(nullptr);
}

}  // namespace vx
