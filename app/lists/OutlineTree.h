// The outline's invisible tree under a root, and the array of rows it shows
// (every node below the root, depth first, parents before children).
#pragma once
#include <cstdint>
#include <vector>

#include "COutlineNode.h"

class OutlineOwner;

class OutlineTree {
 public:
  explicit OutlineTree(OutlineOwner* owner);
  ~OutlineTree();
  OutlineTree(const OutlineTree&) = delete;
  OutlineTree& operator=(const OutlineTree&) = delete;

  COutlineNode* Root() { return &m_root; }

  // Adds item under the node of parentItem (found with the owner's match;
  // the root when none) at its sorted place and tells the owner.
  COutlineNode* AddItem(void* item, void* parentItem);
  // The node holding item by pointer or by comparing equal, root excluded.
  COutlineNode* FindNode(void* item);
  // Deletes the node of item with its subtree; false when there is none.
  bool DeleteItem(void* item);
  // Deletes node with its subtree; false for the root or a node of another
  // tree.
  bool DeleteNode(COutlineNode* node);
  void RemoveChildren(COutlineNode* node);
  void RemoveAll();
  // Visits every node below the root, children before their parent.
  void NotifyAll();

  // Rebuilds the rows from the tree.
  void Rebuild();
  const std::vector<COutlineNode*>& Rows() const { return m_rows; }

 private:
  COutlineNode* FindMatch(COutlineNode* under, void* item);
  COutlineNode* FindItem(COutlineNode* under, void* item);
  void Visit(COutlineNode* node);
  void AppendRows(COutlineNode* node);
  bool Holds(const COutlineNode* node) const;

  OutlineOwner* m_owner;
  COutlineNode m_root;
  std::vector<COutlineNode*> m_rows;
};
