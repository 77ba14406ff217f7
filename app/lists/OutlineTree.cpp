#include "OutlineTree.h"

#include "OutlineOwner.h"

OutlineTree::OutlineTree(OutlineOwner* owner) : m_owner(owner), m_root(owner, nullptr, nullptr) {}

OutlineTree::~OutlineTree() {
  m_rows.clear();
  m_root.RemoveChildren();
}

COutlineNode* OutlineTree::AddItem(void* item, void* parentItem) {
  COutlineNode* parent = FindMatch(&m_root, parentItem);
  COutlineNode* node = (parent ? parent : &m_root)->InsertChild(item);
  m_owner->OnNodeAdded(node);
  return node;
}

COutlineNode* OutlineTree::FindMatch(COutlineNode* under, void* item) {
  for (const auto& child : under->children) {
    if (m_owner->MatchItem(item, child->item)) {
      return child.get();
    }
    if (COutlineNode* found = FindMatch(child.get(), item)) {
      return found;
    }
  }
  return nullptr;
}

COutlineNode* OutlineTree::FindNode(void* item) { return FindItem(&m_root, item); }

COutlineNode* OutlineTree::FindItem(COutlineNode* under, void* item) {
  for (const auto& child : under->children) {
    if (child->item == item || m_owner->CompareItems(item, child->item, 0) == 0) {
      return child.get();
    }
    if (COutlineNode* found = FindItem(child.get(), item)) {
      return found;
    }
  }
  return nullptr;
}

bool OutlineTree::DeleteItem(void* item) {
  COutlineNode* node = FindNode(item);
  return node && DeleteNode(node);
}

bool OutlineTree::DeleteNode(COutlineNode* node) {
  if (!node || node == &m_root || !Holds(node)) {
    return false;
  }
  // The rows must never point at a deleted node, refreshed or not.
  bool removed = node->parent->RemoveChild(node);
  Rebuild();
  return removed;
}

void OutlineTree::RemoveChildren(COutlineNode* node) {
  if (node && Holds(node)) {
    node->RemoveChildren();
    Rebuild();
  }
}

void OutlineTree::RemoveAll() { RemoveChildren(&m_root); }

void OutlineTree::NotifyAll() {
  for (const auto& child : m_root.children) {
    Visit(child.get());
  }
}

void OutlineTree::Visit(COutlineNode* node) {
  for (const auto& child : node->children) {
    Visit(child.get());
  }
  m_owner->VisitNode(node);
}

void OutlineTree::Rebuild() {
  m_rows.clear();
  for (const auto& child : m_root.children) {
    AppendRows(child.get());
  }
}

void OutlineTree::AppendRows(COutlineNode* node) {
  m_rows.push_back(node);
  for (const auto& child : node->children) {
    AppendRows(child.get());
  }
}

bool OutlineTree::Holds(const COutlineNode* node) const {
  while (node && node->parent) {
    node = node->parent;
  }
  return node == &m_root;
}
