#include "COutlineCtrl.h"

#include "ListFont.h"

COutlineCtrl::COutlineCtrl() : m_tree(this), m_list(this) {}

COutlineCtrl::~COutlineCtrl() {
  m_tree.RemoveAll();
  m_list.SetRows({});
  m_list.DestroyWindow();
}

bool COutlineCtrl::Create(CWnd* parent, UINT controlId, bool overControl, UINT cursorId,
                          const RECT& rect) {
  RECT place = rect;
  if (overControl && !TakePlaceholderRect(parent, controlId, place)) {
    return false;
  }
  if (::IsRectEmpty(&place)) {
    place = RECT{0, 0, 10, 10};
  }
  if (!m_list.Create(parent, controlId, cursorId, place)) {
    return false;
  }
  m_list.Invalidate();
  return true;
}

COutlineNode* COutlineCtrl::AddItem(void* item, void* parentItem, bool refresh) {
  COutlineNode* node = m_tree.AddItem(item, parentItem);
  if (refresh) {
    Refresh();
  }
  return node;
}

void COutlineCtrl::DeleteItem(void* item, bool refresh) {
  DeleteNode(m_tree.FindNode(item), refresh);
}

void COutlineCtrl::DeleteNode(COutlineNode* node, bool refresh) {
  if (m_tree.DeleteNode(node)) {
    HandRowsToList(refresh);
  }
}

void COutlineCtrl::RemoveChildren(COutlineNode* node, bool refresh) {
  m_tree.RemoveChildren(node);
  HandRowsToList(refresh);
}

void COutlineCtrl::RemoveAll(bool refresh) {
  m_tree.RemoveAll();
  HandRowsToList(refresh);
}

void* COutlineCtrl::GetItemAt(int32_t row) const {
  COutlineNode* node = m_list.Rows().Node(row);
  return node ? node->item : nullptr;
}

void COutlineCtrl::Refresh() {
  m_tree.Rebuild();
  HandRowsToList(true);
}

// Deleted nodes leave the list's rows at once; only the repaint waits for a
// refresh.
void COutlineCtrl::HandRowsToList(bool refresh) {
  if (refresh) {
    m_list.SetRows(m_tree.Rows());
  } else {
    m_list.SetRowsQuietly(m_tree.Rows());
  }
}
