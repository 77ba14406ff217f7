#include "SeatPane.h"

SeatPane::Hit SeatPane::HitTest(int x, int y) const {
  Hit hit;
  if (x < 0 || y < 0) return hit;
  const int row = y / kRowHeight;
  if (row >= m_rows) return hit;
  hit.rowInSection = row;
  if (x < kLabelWidth) {
    hit.part = Part::kRowLabel;
    return hit;
  }
  const int seat = (x - kLabelWidth) / kSeatWidth + 1;
  if (seat > m_seats) return Hit{};
  hit.part = Part::kSeat;
  hit.seat = seat;
  return hit;
}
