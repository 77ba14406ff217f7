#include "BroadcastPanelState.h"

void CBroadcastPanelState::SetDefaults(const std::string& first, const std::string& second) {
  m_defaultFirst = first;
  m_defaultSecond = second;
}

void CBroadcastPanelState::SetTexts(const std::string& first, const std::string& second) {
  if (first.empty() && second.empty()) {
    m_first = m_defaultFirst;
    m_second = m_defaultSecond;
    m_defaultsShown = true;
    return;
  }
  m_first = first;
  m_second = second;
  m_defaultsShown = false;
}

void CBroadcastPanelState::ShowBroadcast(const std::string& text) {
  m_first = kBroadcastTitle;
  m_second = text;
  m_defaultsShown = false;
}

void CBroadcastPanelState::Preview(const std::string& text, int32_t seconds) {
  if (!m_preview) {
    m_savedFirst = m_first;
    m_savedTime = m_displayTime;
  }
  m_preview = true;
  m_defaultsShown = false;
  m_displayTime = seconds;
  ShowBroadcast(text);
}

bool CBroadcastPanelState::OnTimer() {
  if (m_preview) {
    m_preview = false;
    m_displayTime = m_savedTime;
    m_first = m_savedFirst;
    return true;
  }
  if (m_defaultsShown) return false;
  SetTexts(std::string(), std::string());
  return true;
}
