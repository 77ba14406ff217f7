// A node of the outline tree: the owner's item, its children in order, and
// the row state (selected, expanded, the state bits).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

class OutlineOwner;

class COutlineNode {
 public:
  // State bits.
  static constexpr int32_t kToggles = 1;  // has the expand image; a click on it toggles
  static constexpr int32_t kAlwaysExpanded = 2;
  static constexpr int32_t kDisabled = 4;
  static constexpr int32_t kFullWidth = 4 | 8;  // no image, no indent, no clicks

  COutlineNode(OutlineOwner* control, COutlineNode* parent, void* item);
  ~COutlineNode();
  COutlineNode(const COutlineNode&) = delete;
  COutlineNode& operator=(const COutlineNode&) = delete;

  OutlineOwner* control;
  COutlineNode* parent;
  int32_t level;
  void* item;
  std::vector<std::unique_ptr<COutlineNode>> children;
  int32_t selected = 0;
  int32_t expanded = 0;
  int32_t state = 0;

  // Stores the bits; without kToggles the node is not expanded, with
  // kAlwaysExpanded it is.
  void SetState(int32_t bits);
  bool IsDisabled() const { return (state & kDisabled) != 0; }
  bool IsFullWidth() const { return (state & kFullWidth) == kFullWidth; }
  // Level 0: the parent; otherwise the nearest ancestor (or this node) at
  // that level, null when there is none.
  COutlineNode* GetAncestor(int32_t wantedLevel);
  // Inserts a child for item before the first child that the new item
  // compares at or below; appends when there is none.
  COutlineNode* InsertChild(void* newItem);
  // Deletes every child with its subtree, children first; the owner is told
  // of each item.
  void RemoveChildren();
  // Deletes one child with its subtree; false when it is not a child.
  bool RemoveChild(COutlineNode* child);
};
