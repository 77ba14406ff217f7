#include "AuditoriumLayout.h"

#include <algorithm>
#include <utility>

AuditoriumLayout::AuditoriumLayout(int rowCount, int seatsPerRow, std::string rowBaseName, uint32_t idBase)
    : m_rows(std::clamp(rowCount, 0, kRowsPerSection * kMaxSections)),
      m_seats(std::max(seatsPerRow, 0)),
      m_baseName(std::move(rowBaseName)),
      m_idBase(idBase) {}

int AuditoriumLayout::SectionCount() const { return (m_rows + kRowsPerSection - 1) / kRowsPerSection; }

int AuditoriumLayout::FirstRowOf(int section) const {
  if (section < 1 || section > SectionCount()) return 0;
  return (section - 1) * kRowsPerSection + 1;
}

int AuditoriumLayout::LastRowOf(int section) const {
  if (section < 1 || section > SectionCount()) return 0;
  return std::min(section * kRowsPerSection, m_rows);
}

int AuditoriumLayout::RowsIn(int section) const {
  const int first = FirstRowOf(section);
  return first == 0 ? 0 : LastRowOf(section) - first + 1;
}

int AuditoriumLayout::SectionOf(int row) const {
  if (row < 1 || row > m_rows) return 0;
  return (row - 1) / kRowsPerSection + 1;
}

std::string AuditoriumLayout::RowName(int row) const { return m_baseName + " " + std::to_string(row); }

int AuditoriumLayout::RowOfId(uint32_t id) const {
  if (id <= m_idBase) return 0;
  const uint32_t row = id - m_idBase;
  return row <= static_cast<uint32_t>(m_rows) ? static_cast<int>(row) : 0;
}
