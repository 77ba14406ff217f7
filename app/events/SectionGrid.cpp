#include "SectionGrid.h"

int SectionGrid::SectionAt(int x, int y) {
  if (x < 0 || y < 0 || x >= kColumns * kCell) return 0;
  const int section = (y / kCell) * kColumns + x / kCell + 1;
  return section <= AuditoriumLayout::kMaxSections ? section : 0;
}

SectionGrid::Cell SectionGrid::CellOf(int section) {
  const int index = section - 1;
  return Cell{(index % kColumns) * kCell, (index / kColumns) * kCell};
}
