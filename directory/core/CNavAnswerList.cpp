#include "CNavAnswerList.h"

#include <algorithm>

void CNavAnswerList::Add(const std::string& address, Answer answer) {
  m_answers.push_back(CNavAnswer{address, answer});
}

std::optional<CNavAnswerList::Answer> CNavAnswerList::Take(const std::string& address) {
  auto match = std::find_if(m_answers.begin(), m_answers.end(),
                            [&](const CNavAnswer& entry) { return entry.address == address; });
  if (match == m_answers.end()) {
    return std::nullopt;
  }
  Answer answer = match->answer;
  m_answers.erase(match);
  return answer;
}
