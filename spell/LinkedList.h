// A small singly linked list that owns its nodes: the dictionary keeps its open main
// files on one, the suggestion search its ranked candidates.
#pragma once

#include "framework/core/Object.h"

namespace vx {

class TLinkedListNode : public TObject {
 public:
  const char* ClassName() const override { return "TLinkedListNode"; }
  TLinkedListNode* Next() const { return next_; }

 private:
  friend class TLinkedList;
  TLinkedListNode* next_ = nullptr;
};

class TLinkedList : public TObject {
 public:
  TLinkedList() = default;
  ~TLinkedList() override;
  const char* ClassName() const override { return "TLinkedList"; }

  TLinkedListNode* Head() const { return head_; }
  TLinkedListNode* Tail() const { return tail_; }
  int Count() const { return count_; }

  // nil is ignored by both.
  void Append(TLinkedListNode* node);
  void Prepend(TLinkedListNode* node);
  // Before `before`; a nil or head `before` prepends.
  void InsertBefore(TLinkedListNode* before, TLinkedListNode* node);
  // The node whose link is `node`; nil for nil, for the head, or for a stranger.
  TLinkedListNode* FindPrevious(TLinkedListNode* node) const;
  // Unlinks without freeing; a node not in the list is left alone.
  void Remove(TLinkedListNode* node);
  // Unlinks and frees.
  void Delete(TLinkedListNode* node);
  void Clear();

 private:
  // Remove's work: false, and nothing changed, for nil or a node not in the list.
  bool Unlink(TLinkedListNode* node);
  TLinkedListNode* head_ = nullptr;
  TLinkedListNode* tail_ = nullptr;
  int count_ = 0;
};

}  // namespace vx
