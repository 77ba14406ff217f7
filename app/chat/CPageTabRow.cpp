#include "CPageTabRow.h"

CPaneDlg* CPageTabRow::GetPage(int index) const {
  if (index < 0 || index >= GetPageCount()) return nullptr;
  return m_entries[static_cast<size_t>(index)].page.get();
}

int CPageTabRow::FindPage(const CPaneDlg* page) const {
  for (size_t index = 0; index < m_entries.size(); ++index)
    if (m_entries[index].page.get() == page) return static_cast<int>(index);
  return -1;
}

int CPageTabRow::IndexOfCommand(UINT id) const {
  for (size_t index = 0; index < m_entries.size(); ++index)
    if (kFirstTabCommand + m_entries[index].tabId == id) return static_cast<int>(index);
  return -1;
}

int CPageTabRow::AddEntry(std::unique_ptr<CPaneDlg> page) {
  m_entries.push_back(Entry{m_ids.Acquire(), std::move(page)});
  return GetPageCount() - 1;
}

void CPageTabRow::RemoveEntry(int index) {
  if (index < 0 || index >= GetPageCount()) return;
  RemoveTab(TabCommand(index));
  Entry entry = std::move(m_entries[static_cast<size_t>(index)]);
  m_entries.erase(m_entries.begin() + index);
  ClosePageWindow(entry.page.get());
  m_ids.Release(entry.tabId);
}

bool CPageTabRow::OnTabClicked(UINT id) {
  if (CPaneDlg* page = GetPage(IndexOfCommand(id))) OnPageChosen(page);
  return true;
}

void CPageTabRow::OnItemDoubleClick(CBarItem* item) {
  const int index = item ? IndexOfCommand(item->GetId()) : -1;
  if (index >= 0) OnToggleFloat(index);
}

void CPageTabRow::OnItemRButtonDown(CBarItem* item) {
  const int index = item ? IndexOfCommand(item->GetId()) : -1;
  if (index >= 0) OnTabMenu(index);
}
