// CNavAnswerList: the client's answers to navigation questions, kept in
// arrival order until the question they answer takes them.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>

class CNavAnswerList {
 public:
  enum Answer : int { kGo = 0, kStay = 1 };

  void Add(const std::string& address, Answer answer);
  // The first answer whose address equals this one byte for byte, removed
  // from the list; nothing when none has arrived.
  std::optional<Answer> Take(const std::string& address);
  size_t Size() const { return m_answers.size(); }

 private:
  struct CNavAnswer {
    std::string address;
    Answer answer;
  };
  std::deque<CNavAnswer> m_answers;
};
