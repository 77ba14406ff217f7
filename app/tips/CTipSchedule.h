// Which tip of the day comes next: the per-category states (whether the
// user wants a category's tips and which row was shown last), read from
// and saved to the application's tip-state text.
#pragma once
#include <vector>

#include "TipStateText.h"

class ITipHost;

class CTipSchedule {
 public:
  explicit CTipSchedule(ITipHost* host = nullptr) : m_host(host) {}

  void SetHost(ITipHost* host) { m_host = host; }

  // The row to show for category, or -1 when nothing is shown; adds the
  // category's state when it is new and wanted.
  int NextRow(int category, bool forced);
  // Row of category is on the screen: the application's tips-at-start flag
  // follows the category's show flag, and the states are saved.
  void RowShown(int category, int row);
  // Sets the show flag of a category that has a state and saves the states.
  void SetShowFlag(bool show, int category);
  void Clear() { m_states.clear(); }

  // The state of category; null when it has none.
  const TipState* Find(int category) const;
  const std::vector<TipState>& States() const { return m_states; }

 private:
  TipState* FindState(int category);
  void Save();

  ITipHost* m_host;
  std::vector<TipState> m_states;
};
