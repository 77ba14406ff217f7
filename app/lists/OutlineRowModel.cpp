#include "OutlineRowModel.h"

#include <algorithm>

#include "COutlineNode.h"

void OutlineRowModel::SetRows(const std::vector<COutlineNode*>& rows) {
  m_rows = rows;
  m_selected = -1;
  for (int32_t i = Count() - 1; i >= 0; --i) {
    if (m_rows[static_cast<size_t>(i)]->selected) {
      m_selected = i;
      break;
    }
  }
}

COutlineNode* OutlineRowModel::Node(int32_t row) const {
  if (row < 0 || row >= Count()) {
    return nullptr;
  }
  return m_rows[static_cast<size_t>(row)];
}

int32_t OutlineRowModel::IndexOf(const COutlineNode* node) const {
  auto it = std::find(m_rows.begin(), m_rows.end(), node);
  return it == m_rows.end() ? -1 : static_cast<int32_t>(it - m_rows.begin());
}

bool OutlineRowModel::IsDisabled(const COutlineNode* node) { return node->IsDisabled(); }

void OutlineRowModel::Flag(int32_t row, Selection& change) {
  if (COutlineNode* old = Node(m_selected)) {
    old->selected = 0;
    change.unflagged = m_selected;
  }
  m_rows[static_cast<size_t>(row)]->selected = 1;
  change.flagged = row;
  m_selected = row;
}

int32_t OutlineRowModel::HitTest(int32_t y, int32_t borderInset, int32_t rowHeight,
                                 int32_t topRow) const {
  if (y < borderInset || rowHeight <= 0) {
    return -1;
  }
  int32_t row = (y - borderInset) / rowHeight + topRow;
  return row < Count() ? row : -1;
}

OutlineRowModel::Toggle OutlineRowModel::PressImage(COutlineNode* node, int32_t x,
                                                     int32_t imageLeft, int32_t textIndent) {
  if (!node || !(node->state & COutlineNode::kToggles) || node->IsFullWidth() ||
      x <= imageLeft || x >= textIndent) {
    return Toggle::kNotOnImage;
  }
  if (node->state & COutlineNode::kAlwaysExpanded) {
    return Toggle::kNone;
  }
  node->expanded = node->expanded ? 0 : 1;
  return node->expanded ? Toggle::kExpanded : Toggle::kCollapsed;
}

int32_t OutlineRowModel::TopRowShowing(int32_t row, int32_t topRow, int32_t visibleRows) {
  if (row < topRow) {
    return row;
  }
  if (row >= topRow + visibleRows) {
    return row - std::max(visibleRows, 1) + 1;
  }
  return topRow;
}
