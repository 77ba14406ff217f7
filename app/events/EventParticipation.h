// What the auditorium's administrator announced: the kinds of participation
// the event takes (a question, a comment...) and the last announcement. It
// lives for the whole run and is replaced by the next announcement.
#pragma once

#include <string>
#include <vector>

#include "AuditoriumTexts.h"

class EventParticipation {
 public:
  // Keeps the text as the last announcement and takes its kinds.
  void Take(const std::string& text, const EventAnnouncement& announcement);
  void Clear();

  const std::vector<std::string>& Kinds() const { return m_kinds; }
  const std::string& LastAnnouncement() const { return m_lastAnnouncement; }
  // The name of kind 1 to 6; empty when the event has no such kind.
  std::string KindName(int number) const;
  // typeYour + the names joined by ", " with " or " before the last + tail.
  std::string Prompt(const std::string& typeYour, const std::string& tail) const;

 private:
  std::vector<std::string> m_kinds;
  std::string m_lastAnnouncement;
};
