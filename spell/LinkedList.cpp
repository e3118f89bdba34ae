#include "spell/LinkedList.h"

namespace vx {

TLinkedList::~TLinkedList() { Clear(); }

void TLinkedList::Append(TLinkedListNode* node) {
  if (!node) return;
  node->next_ = nullptr;
  if (tail_)
    tail_->next_ = node;
  else
    head_ = node;
  tail_ = node;
  ++count_;
}

void TLinkedList::Prepend(TLinkedListNode* node) {
  if (!node) return;
  node->next_ = head_;
  head_ = node;
  if (!tail_) tail_ = node;
  ++count_;
}

void TLinkedList::InsertBefore(TLinkedListNode* before, TLinkedListNode* node) {
  if (!node) return;
  if (!before || before == head_) {
    Prepend(node);
    return;
  }
  TLinkedListNode* prev = FindPrevious(before);
  if (!prev) {
    // `before` is not ours: the node still joins, at the end, rather than being lost.
    Append(node);
    return;
  }
  prev->next_ = node;
  node->next_ = before;
  ++count_;
}

TLinkedListNode* TLinkedList::FindPrevious(TLinkedListNode* node) const {
  if (!node || node == head_) return nullptr;
  for (TLinkedListNode* p = head_; p; p = p->next_)
    if (p->next_ == node) return p;
  return nullptr;
}

bool TLinkedList::Unlink(TLinkedListNode* node) {
  if (!node || !head_) return false;
  // One scan finds the predecessor, and a node that has none is not in the list.
  TLinkedListNode* prev = node == head_ ? nullptr : FindPrevious(node);
  if (node != head_ && !prev) return false;
  (prev ? prev->next_ : head_) = node->next_;
  if (tail_ == node) tail_ = prev;
  node->next_ = nullptr;
  --count_;
  return true;
}

void TLinkedList::Remove(TLinkedListNode* node) { Unlink(node); }

void TLinkedList::Delete(TLinkedListNode* node) {
  if (Unlink(node)) delete node;
}

void TLinkedList::Clear() {
  while (head_) Delete(head_);
}

}  // namespace vx
