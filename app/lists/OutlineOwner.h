// What the outline tree asks of its owner: identity of items, sibling order
// and reactions to nodes coming and going. The defaults match the plain
// control: nothing matches, every new item goes after its siblings.
#pragma once
#include <cstdint>

class COutlineNode;

class OutlineOwner {
 public:
  virtual ~OutlineOwner() = default;
  virtual void OnNodeAdded(COutlineNode* /*node*/) {}
  // Nonzero when nodeItem is the node of item.
  virtual int32_t MatchItem(void* /*item*/, void* /*nodeItem*/) { return 0; }
  // <= 0 puts a before b; 0 also means equal for look-ups (insert flag 0).
  virtual int32_t CompareItems(void* /*a*/, void* /*b*/, int32_t /*insert*/) { return 1; }
  virtual void OnItemDeleted(void* /*item*/) {}
  virtual void VisitNode(COutlineNode* /*node*/) {}
};
