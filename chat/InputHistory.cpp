#include "InputHistory.h"

void InputHistory::Add(const std::string& line) {
  if (!line.empty() && (m_lines.empty() || m_lines.back() != line)) {
    m_lines.push_back(line);
    if (m_lines.size() > kMaxLines) m_lines.pop_front();
  }
  m_recalling = false;
  m_position = m_lines.size();
  m_draft.clear();
}

bool InputHistory::Older(const std::string& current, std::string& line) {
  if (!m_recalling) {
    m_draft = current;
    m_position = m_lines.size();
  }
  if (m_position == 0) return false;
  m_recalling = true;
  line = m_lines[--m_position];
  return true;
}

bool InputHistory::Newer(std::string& line) {
  if (!m_recalling) return false;
  if (m_position + 1 < m_lines.size()) {
    line = m_lines[++m_position];
    return true;
  }
  m_recalling = false;
  m_position = m_lines.size();
  line = m_draft;
  return true;
}
