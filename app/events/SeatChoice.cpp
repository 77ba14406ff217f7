#include "SeatChoice.h"

std::optional<SeatChoice::Target> SeatChoice::Choose() {
  if (!ButtonEnabled()) return std::nullopt;
  m_pending = m_selected;
  m_selected.reset();
  return m_pending;
}

void SeatChoice::OnLocalRow(int row) {
  if (m_pending && m_pending->row == row) m_pending.reset();
}
