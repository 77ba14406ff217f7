#include "EventParticipation.h"

void EventParticipation::Take(const std::string& text, const EventAnnouncement& announcement) {
  m_lastAnnouncement = text;
  m_kinds = announcement.kinds;
  if (m_kinds.size() > kMaxEventKinds) m_kinds.resize(kMaxEventKinds);
}

void EventParticipation::Clear() {
  m_kinds.clear();
  m_lastAnnouncement.clear();
}

std::string EventParticipation::KindName(int number) const {
  if (number < 1 || static_cast<size_t>(number) > m_kinds.size()) return std::string();
  return m_kinds[static_cast<size_t>(number) - 1];
}

std::string EventParticipation::Prompt(const std::string& typeYour, const std::string& tail) const {
  std::string names;
  for (size_t i = 0; i < m_kinds.size(); ++i) {
    if (i > 0) names += i + 1 == m_kinds.size() ? " or " : ", ";
    names += m_kinds[i];
  }
  return typeYour + names + tail;
}
