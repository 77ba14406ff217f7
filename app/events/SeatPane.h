// Where a point falls on the seat pane of one section: rows are 29 pixels
// high; a 58-pixel column of row labels is followed by seat cells 19 pixels
// wide.
#pragma once

class SeatPane {
 public:
  static constexpr int kRowHeight = 29;
  static constexpr int kLabelWidth = 58;
  static constexpr int kSeatWidth = 19;

  enum class Part { kNothing, kRowLabel, kSeat };
  struct Hit {
    Part part = Part::kNothing;
    int rowInSection = 0;  // from 0
    int seat = 0;          // from 1 over a seat, else 0
  };

  // rows: the rows the section shows; seats: seats a row shown.
  SeatPane(int rows, int seats) : m_rows(rows), m_seats(seats) {}

  // x and y from the pane's top left corner.
  Hit HitTest(int x, int y) const;
  // The left and top of a seat cell (seat from 1).
  static int SeatLeft(int seat) { return kLabelWidth + (seat - 1) * kSeatWidth; }
  static int RowTop(int rowInSection) { return rowInSection * kRowHeight; }

 private:
  int m_rows;
  int m_seats;
};
