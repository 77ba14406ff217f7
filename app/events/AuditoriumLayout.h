// The audience of an auditorium: its rows, numbered from 1, grouped eight to
// a section. Row i is named after the place's row base name and has the
// identifier base + i.
#pragma once

#include <cstdint>
#include <string>

class AuditoriumLayout {
 public:
  static constexpr int kRowsPerSection = 8;
  static constexpr int kMaxSections = 108;
  static constexpr int kMaxSeatsShown = 16;

  AuditoriumLayout() = default;
  // Rows beyond the last section are left out; negative counts are none.
  AuditoriumLayout(int rowCount, int seatsPerRow, std::string rowBaseName, uint32_t idBase);

  int RowCount() const { return m_rows; }
  int SeatsPerRow() const { return m_seats; }
  int SectionCount() const;
  // The first and last row (from 1) of a section (from 1); 0 for both when
  // the section is not in use.
  int FirstRowOf(int section) const;
  int LastRowOf(int section) const;
  int RowsIn(int section) const;
  // The section (from 1) of a row; 0 for no row of the audience.
  int SectionOf(int row) const;
  std::string RowName(int row) const;
  uint32_t RowId(int row) const { return m_idBase + static_cast<uint32_t>(row); }
  // The row (from 1) with that identifier; 0 when none has it.
  int RowOfId(uint32_t id) const;

 private:
  int m_rows = 0;
  int m_seats = 0;
  std::string m_baseName;
  uint32_t m_idBase = 0;
};
