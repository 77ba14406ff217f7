// The options chosen in a vote, in the order chosen. With one selection
// allowed a new choice replaces the old; otherwise a chosen option is
// unchosen by choosing it again, and a choice beyond the maximum is refused.
#pragma once

#include <vector>

class VoteSelection {
 public:
  enum class Click { kChosen, kUnchosen, kRefused };

  VoteSelection(int optionCount, int maxSelections) : m_optionCount(optionCount), m_max(maxSelections) {}

  // Option numbers run from 1 to the option count; others are refused.
  Click Toggle(int option);
  bool IsChosen(int option) const;
  // Between one and the maximum options are chosen.
  bool IsComplete() const;
  const std::vector<int>& Chosen() const { return m_chosen; }
  int MaxSelections() const { return m_max; }

 private:
  int m_optionCount;
  int m_max;
  std::vector<int> m_chosen;
};
