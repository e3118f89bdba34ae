// Collections: an owned, ordered list of items of one kind; an item's change is reported
// to its collection, which tells its owner through Update.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Classes.h"

namespace vx {

class TCollection;

class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* collection) : collection_(collection) {}
  const char* ClassName() const override { return "TCollectionItem"; }
  TCollection* Collection() const { return collection_; }
  int Index() const;

 protected:
  // Reports this item (or, with allItems, the whole collection) as changed.
  void Changed(bool allItems);

 private:
  TCollection* collection_;
};

class TCollection : public TPersistent {
 public:
  // factory makes one new item of the collection's kind.
  explicit TCollection(std::function<std::unique_ptr<TCollectionItem>(TCollection*)> factory)
      : factory_(std::move(factory)) {}
  ~TCollection() override;
  const char* ClassName() const override { return "TCollection"; }

  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int i) const;
  TCollectionItem* Add();
  void Delete(int i);
  void Clear();
  int IndexOf(const TCollectionItem* item) const;
  // Changes between these are reported once, at the last EndUpdate.
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

 protected:
  friend class TCollectionItem;
  // item changed; nullptr: the items were added, removed or all changed.
  virtual void Update(TCollectionItem* item) {}
  void Changed() {
    if (updateCount_ == 0) Update(nullptr);
  }

 private:
  std::function<std::unique_ptr<TCollectionItem>(TCollection*)> factory_;
  std::vector<std::unique_ptr<TCollectionItem>> items_;
  int updateCount_ = 0;
};

}  // namespace vx
