#include "CAuditoriumMap.h"

#include <algorithm>
#include <string>

#include "ModuleState.h"

namespace {

constexpr UINT kSectionString = 1306;  // "Section"
const COLORREF kFrameColour = RGB(0, 100, 0);
const COLORREF kTakenColour = RGB(200, 160, 90);
const COLORREF kOwnColour = RGB(60, 90, 220);
const COLORREF kSelectedColour = RGB(255, 220, 0);
const COLORREF kFreeColour = RGB(255, 255, 255);

void FillCell(HDC dc, const RECT& cell, COLORREF colour) {
  HBRUSH brush = ::CreateSolidBrush(colour);
  ::FillRect(dc, &cell, brush);
  ::DeleteObject(brush);
}

void FrameCell(HDC dc, const RECT& cell) {
  HBRUSH brush = ::CreateSolidBrush(kFrameColour);
  ::FrameRect(dc, &cell, brush);
  ::DeleteObject(brush);
}

// A face: a round head with two eyes.
void DrawFace(HDC dc, const RECT& cell) {
  const int cx = (cell.left + cell.right) / 2;
  const int cy = (cell.top + cell.bottom) / 2;
  ::Ellipse(dc, cx - 6, cy - 7, cx + 6, cy + 7);
  ::SetPixel(dc, cx - 2, cy - 2, RGB(0, 0, 0));
  ::SetPixel(dc, cx + 2, cy - 2, RGB(0, 0, 0));
}

}  // namespace

RECT CAuditoriumMap::Bounds() const { return RECT{m_origin.x, m_origin.y, m_origin.x + kWidth, m_origin.y + kHeight}; }

SeatPane CAuditoriumMap::Pane() const {
  return SeatPane(m_layout.RowsIn(m_section), std::min(m_layout.SeatsPerRow(), AuditoriumLayout::kMaxSeatsShown));
}

CAuditoriumMap::Place CAuditoriumMap::At(POINT point) const {
  const POINT seats = SeatsOrigin();
  const SeatPane::Hit hit = Pane().HitTest(point.x - seats.x, point.y - seats.y);
  if (hit.part == SeatPane::Part::kNothing) return Place{};
  return Place{hit.part, m_layout.FirstRowOf(m_section) + hit.rowInSection, hit.seat};
}

void CAuditoriumMap::Paint(HDC dc, int selectedRow, int selectedSeat) const {
  const std::string header = AfxLoadString(kSectionString) + " " + std::to_string(m_section);
  ::SetBkMode(dc, TRANSPARENT);
  ::TextOutA(dc, m_origin.x, m_origin.y + 4, header.c_str(), static_cast<int>(header.size()));
  const int first = m_layout.FirstRowOf(m_section);
  for (int i = 0; i < m_layout.RowsIn(m_section); ++i)
    PaintRow(dc, first + i, i, first + i == selectedRow, selectedSeat);
}

void CAuditoriumMap::PaintRow(HDC dc, int row, int rowInSection, bool selected, int selectedSeat) const {
  const POINT seats = SeatsOrigin();
  const int top = seats.y + SeatPane::RowTop(rowInSection);
  const std::string name = m_layout.RowName(row);
  RECT label{seats.x, top, seats.x + SeatPane::kLabelWidth - 2, top + SeatPane::kRowHeight};
  if (selected && selectedSeat == 0) FillCell(dc, label, kSelectedColour);
  ::DrawTextA(dc, name.c_str(), static_cast<int>(name.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  const int shown = std::min(m_layout.SeatsPerRow(), AuditoriumLayout::kMaxSeatsShown);
  for (int seat = 1; seat <= shown; ++seat) {
    const int left = seats.x + SeatPane::SeatLeft(seat);
    const RECT cell{left, top, left + SeatPane::kSeatWidth, top + SeatPane::kRowHeight};
    PaintSeat(dc, cell, row, seat, selected && seat == selectedSeat);
  }
}

void CAuditoriumMap::PaintSeat(HDC dc, const RECT& cell, int row, int seat, bool selected) const {
  const AuditoriumSeating::Seat own = m_seating.LocalSeat();
  const bool mine = own.row == row && own.seat == seat;
  const bool taken = m_seating.Occupant(row, seat) != nullptr;
  FillCell(dc, cell, selected ? kSelectedColour : mine ? kOwnColour : taken ? kTakenColour : kFreeColour);
  if (taken) DrawFace(dc, cell);
  FrameCell(dc, cell);
}
