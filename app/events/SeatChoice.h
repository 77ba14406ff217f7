// The seat map's choice: a free seat or a whole row is selected, then
// chosen; after the choice the choose button stays disabled until the place
// reports the local user in the chosen row.
#pragma once

#include <optional>

class SeatChoice {
 public:
  struct Target {
    int row = 0;   // from 1
    int seat = 0;  // from 1; 0 for anywhere in the row
  };

  void Select(int row, int seat) { m_selected = Target{row, seat}; }
  bool HasSelection() const { return m_selected.has_value(); }
  bool SeatSelected() const { return m_selected && m_selected->seat != 0; }
  bool ButtonEnabled() const { return m_selected.has_value() && !m_pending; }
  // The move to ask for; nothing while the button is disabled.
  std::optional<Target> Choose();
  // The place reported the local user in that row.
  void OnLocalRow(int row);

 private:
  std::optional<Target> m_selected;
  std::optional<Target> m_pending;
};
