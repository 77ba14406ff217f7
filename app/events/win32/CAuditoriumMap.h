// The seat map's right pane: one section's rows, each with its label and
// its seats; taken seats show a face, the local user's seat its own, the
// selected seat or row is marked.
#pragma once

#include <windows.h>

#include "AuditoriumLayout.h"
#include "AuditoriumSeating.h"
#include "SeatPane.h"

class CAuditoriumMap {
 public:
  static constexpr int kWidth = 376;
  static constexpr int kHeight = 260;
  static constexpr int kHeaderHeight = 24;

  CAuditoriumMap(const AuditoriumLayout& layout, const AuditoriumSeating& seating, POINT origin)
      : m_layout(layout), m_seating(seating), m_origin(origin) {}

  void SetSection(int section) { m_section = section; }
  int Section() const { return m_section; }
  RECT Bounds() const;
  // The row (from 1) and seat under a point of the dialog's client area.
  struct Place {
    SeatPane::Part part = SeatPane::Part::kNothing;
    int row = 0;
    int seat = 0;
  };
  Place At(POINT point) const;
  // selectedRow/selectedSeat: the selection (seat 0 for a whole row).
  void Paint(HDC dc, int selectedRow, int selectedSeat) const;

 private:
  SeatPane Pane() const;
  POINT SeatsOrigin() const { return POINT{m_origin.x, m_origin.y + kHeaderHeight}; }
  void PaintRow(HDC dc, int row, int rowInSection, bool selected, int selectedSeat) const;
  void PaintSeat(HDC dc, const RECT& cell, int row, int seat, bool selected) const;

  const AuditoriumLayout& m_layout;
  const AuditoriumSeating& m_seating;
  POINT m_origin;
  int m_section = 1;
};
