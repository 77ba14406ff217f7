// Who sits where in the rows of an auditorium, as the place's seat reports
// tell it: each report gives one row's seated members with their seats
// (from 1) and replaces what was known of that row.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "AuditoriumLayout.h"

class AuditoriumSeating {
 public:
  struct SeatedMember {
    uint32_t id = 0;
    std::string name;
    int seat = 0;  // from 1; 0 when the member sits nowhere in particular
  };
  struct Seat {
    int row = 0;  // from 1; 0 for none
    int seat = 0;
  };

  AuditoriumSeating(const AuditoriumLayout& layout, uint32_t localId) : m_layout(layout), m_localId(localId) {}

  // The report of the row with that identifier. False, and nothing changed,
  // when the identifier is no row of the layout. Members without a seat of
  // the row, or on a seat already taken in the report, take no seat.
  bool ApplyReport(uint32_t rowId, const std::vector<SeatedMember>& members);
  // The occupant of a seat; null for a free seat or one not reported.
  const SeatedMember* Occupant(int row, int seat) const;
  bool IsFree(int row, int seat) const;
  // Where the local user sits, as last reported.
  Seat LocalSeat() const { return m_local; }
  // The local user is a member of the row (seated or not).
  bool LocalInRow(int row) const { return m_localRow == row && row != 0; }

 private:
  const AuditoriumLayout& m_layout;
  uint32_t m_localId;
  std::map<int, std::vector<SeatedMember>> m_rows;  // by row, a slot a seat
  Seat m_local;
  int m_localRow = 0;
};
