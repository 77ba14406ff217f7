#include "CBrowserHistory.h"

void CBrowserHistory::Add(const std::string& url) {
  if (m_recordNext == 0) {
    m_recordNext = 1;
    return;
  }
  if (!m_entries.empty() && url == m_entries[static_cast<size_t>(CurrentIndex())]) return;
  m_entries.resize(static_cast<size_t>(CurrentIndex() + 1));
  m_position = 0;
  m_entries.push_back(url);
}

bool CBrowserHistory::CanGoBack(bool hasBackLink) const { return hasBackLink || m_position < GetCount() - 1; }

bool CBrowserHistory::GoBack(bool hasBackLink, std::string& url) {
  if (!CanGoBack(hasBackLink)) return false;
  // The page that the back link leads to is not recorded either.
  m_recordNext = 0;
  if (!hasBackLink) ++m_position;
  if (m_entries.empty()) return false;
  url = m_entries[static_cast<size_t>(CurrentIndex())];
  return true;
}

bool CBrowserHistory::GoForward(std::string& url) {
  if (!CanGoForward()) return false;
  m_recordNext = 0;
  --m_position;
  url = m_entries[static_cast<size_t>(CurrentIndex())];
  return true;
}

void CBrowserHistory::Clear() {
  m_entries.clear();
  m_position = 0;
  m_recordNext = 1;
}
