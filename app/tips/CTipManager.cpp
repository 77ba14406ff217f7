#include "CTipManager.h"

#include "CTipDlg.h"
#include "TipTable.h"

CTipManager::CTipManager() = default;

CTipManager::~CTipManager() = default;

void CTipManager::ShowTip(int category, bool forced) {
  int row = m_schedule.NextRow(category, forced);
  if (row < 0) return;
  m_category = category;
  bool reuse = m_reuseDialog && m_dialog && m_dialog->m_hWnd;
  if (!reuse && !MakeDialog()) return;
  m_dialog->ShowRow(TipRowAt(row), m_schedule.Find(category)->show);
  m_schedule.RowShown(category, row);
}

void CTipManager::ShowNext() {
  m_reuseDialog = true;
  ShowTip(m_category, true);
  m_reuseDialog = false;
}

void CTipManager::Close() { m_dialog.reset(); }

bool CTipManager::MakeDialog() {
  m_dialog.reset();
  auto dialog = std::make_unique<CTipDlg>(this);
  if (!dialog->Create()) return false;
  m_dialog = std::move(dialog);
  return true;
}
