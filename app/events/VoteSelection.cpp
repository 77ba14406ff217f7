#include "VoteSelection.h"

#include <algorithm>

VoteSelection::Click VoteSelection::Toggle(int option) {
  if (option < 1 || option > m_optionCount) return Click::kRefused;
  if (m_max == 1) {
    m_chosen.assign(1, option);
    return Click::kChosen;
  }
  const auto at = std::find(m_chosen.begin(), m_chosen.end(), option);
  if (at != m_chosen.end()) {
    m_chosen.erase(at);
    return Click::kUnchosen;
  }
  if (static_cast<int>(m_chosen.size()) >= m_max) return Click::kRefused;
  m_chosen.push_back(option);
  return Click::kChosen;
}

bool VoteSelection::IsChosen(int option) const {
  return std::find(m_chosen.begin(), m_chosen.end(), option) != m_chosen.end();
}

bool VoteSelection::IsComplete() const {
  return !m_chosen.empty() && static_cast<int>(m_chosen.size()) <= m_max;
}
