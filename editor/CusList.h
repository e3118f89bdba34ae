// The list behind the custom tags and the custom tools: named items in file order
// (duplicates allowed), owned by the list, read and written in the typed value stream.
#pragma once

#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/SafeSave.h"
#include "framework/core/Streams.h"
#include "framework/core/ValueStream.h"

namespace vx {

template <class Item>
class TCusItemList : public TPersistent {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  Item* Items(int i) const { return i >= 0 && i < Count() ? items_[i].get() : nullptr; }
  AnsiString Names(int i) const { return i >= 0 && i < Count() ? items_[i]->Name() : AnsiString(); }
  // The file last loaded or saved.
  const AnsiString& FileName() const { return fileName_; }

  void Clear() {
    while (!items_.empty()) items_.pop_back();  // last to first
  }
  void Add(std::unique_ptr<Item> item) { items_.push_back(std::move(item)); }
  // Takes the entries of another list, which is left empty.
  void TakeFrom(std::vector<std::unique_ptr<Item>>& items) {
    Clear();
    items_ = std::move(items);
    items.clear();
  }

  void ReadData(TReader& r) {
    // Read whole before anything changes: a damaged file leaves the list as it was.
    std::vector<std::unique_ptr<Item>> read;
    r.ReadListBegin();
    while (!r.EndOfList()) {
      auto item = std::make_unique<Item>();
      item->ReadData(r);
      read.push_back(std::move(item));
    }
    r.ReadListEnd();
    TakeFrom(read);
  }
  void WriteData(TWriter& w) const {
    w.WriteListBegin();
    for (const auto& item : items_) item->WriteData(w);
    w.WriteListEnd();
  }
  void LoadFromStream(TStream& s) {
    TReader r(s);
    ReadData(r);
  }
  void SaveToStream(TStream& s) const {
    TWriter w(s);
    WriteData(w);
    w.FlushBuffer();
  }
  void LoadFromFile(const AnsiString& name) {
    TFileStream f(name, fmOpenRead);
    LoadFromStream(f);
    fileName_ = name;
  }
  // Through a temporary file: a failed save leaves the old list file whole.
  void SaveToFile(const AnsiString& name) {
    SaveFileSafely(name, [this](TStream& s) { SaveToStream(s); });
    fileName_ = name;
  }

 private:
  std::vector<std::unique_ptr<Item>> items_;
  AnsiString fileName_;
};

}  // namespace vx
