#include "AuditoriumSeating.h"

#include <utility>

bool AuditoriumSeating::ApplyReport(uint32_t rowId, const std::vector<SeatedMember>& members) {
  const int row = m_layout.RowOfId(rowId);
  if (row == 0) return false;
  std::vector<SeatedMember> seats(static_cast<size_t>(m_layout.SeatsPerRow()));
  if (m_localRow == row) {
    m_localRow = 0;
    m_local = Seat{};
  }
  for (const SeatedMember& member : members) {
    if (member.id == m_localId) m_localRow = row;
    if (member.seat < 1 || member.seat > m_layout.SeatsPerRow()) continue;
    SeatedMember& slot = seats[static_cast<size_t>(member.seat - 1)];
    if (slot.id != 0) continue;
    slot = member;
    if (member.id == m_localId) m_local = Seat{row, member.seat};
  }
  m_rows[row] = std::move(seats);
  return true;
}

const AuditoriumSeating::SeatedMember* AuditoriumSeating::Occupant(int row, int seat) const {
  const auto found = m_rows.find(row);
  if (found == m_rows.end() || seat < 1 || seat > static_cast<int>(found->second.size())) return nullptr;
  const SeatedMember& slot = found->second[static_cast<size_t>(seat - 1)];
  return slot.id != 0 ? &slot : nullptr;
}

bool AuditoriumSeating::IsFree(int row, int seat) const {
  return m_rows.count(row) != 0 && seat >= 1 && seat <= m_layout.SeatsPerRow() && Occupant(row, seat) == nullptr;
}
