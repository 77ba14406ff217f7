#include "COutlineNode.h"

#include <algorithm>

#include "OutlineOwner.h"

namespace {
void DeleteSubtree(std::unique_ptr<COutlineNode> node) {
  node->RemoveChildren();
  if (node->control) {
    node->control->OnItemDeleted(node->item);
  }
}
}  // namespace

COutlineNode::COutlineNode(OutlineOwner* owner, COutlineNode* parentNode, void* ownerItem)
    : control(owner),
      parent(parentNode),
      level(parentNode ? parentNode->level + 1 : 0),
      item(ownerItem) {}

COutlineNode::~COutlineNode() = default;

void COutlineNode::SetState(int32_t bits) {
  state = bits;
  if (!(bits & kToggles)) {
    expanded = 0;
  }
  if (bits & kAlwaysExpanded) {
    expanded = 1;
  }
}

COutlineNode* COutlineNode::GetAncestor(int32_t wantedLevel) {
  if (wantedLevel == 0) {
    return parent;
  }
  for (COutlineNode* node = this; node; node = node->parent) {
    if (node->level == wantedLevel) {
      return node;
    }
  }
  return nullptr;
}

COutlineNode* COutlineNode::InsertChild(void* newItem) {
  auto place = std::find_if(children.begin(), children.end(), [&](const auto& child) {
    return control && control->CompareItems(newItem, child->item, 1) <= 0;
  });
  auto node = std::make_unique<COutlineNode>(control, this, newItem);
  COutlineNode* added = node.get();
  children.insert(place, std::move(node));
  return added;
}

void COutlineNode::RemoveChildren() {
  while (!children.empty()) {
    auto child = std::move(children.front());
    children.erase(children.begin());
    DeleteSubtree(std::move(child));
  }
}

bool COutlineNode::RemoveChild(COutlineNode* child) {
  auto it = std::find_if(children.begin(), children.end(),
                         [child](const auto& c) { return c.get() == child; });
  if (it == children.end()) {
    return false;
  }
  auto owned = std::move(*it);
  children.erase(it);
  DeleteSubtree(std::move(owned));
  return true;
}
