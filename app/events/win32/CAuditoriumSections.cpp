#include "CAuditoriumSections.h"

#include "SectionGrid.h"

namespace {

const COLORREF kShownColour = RGB(0, 100, 0);
const COLORREF kLocalColour = RGB(60, 90, 220);
const COLORREF kInUseColour = RGB(170, 170, 170);

}  // namespace

RECT CAuditoriumSections::Bounds() const {
  const int lines = (AuditoriumLayout::kMaxSections + SectionGrid::kColumns - 1) / SectionGrid::kColumns;
  return RECT{m_origin.x, m_origin.y, m_origin.x + SectionGrid::kColumns * SectionGrid::kCell,
              m_origin.y + lines * SectionGrid::kCell};
}

int CAuditoriumSections::SectionAt(POINT point) const {
  const int section = SectionGrid::SectionAt(point.x - m_origin.x, point.y - m_origin.y);
  return section <= m_layout.SectionCount() ? section : 0;
}

void CAuditoriumSections::Paint(HDC dc, int shown, int local) const {
  for (int section = 1; section <= m_layout.SectionCount(); ++section) {
    const SectionGrid::Cell cell = SectionGrid::CellOf(section);
    const RECT square{m_origin.x + cell.left + 1, m_origin.y + cell.top + 1,
                      m_origin.x + cell.left + SectionGrid::kCell - 1, m_origin.y + cell.top + SectionGrid::kCell - 1};
    HBRUSH brush = ::CreateSolidBrush(section == shown ? kShownColour : section == local ? kLocalColour : kInUseColour);
    ::FillRect(dc, &square, brush);
    ::DeleteObject(brush);
  }
}
