// The seat map's overview of the audience: one square a section, twelve
// to a line, numbered from 1 left to right and top to bottom.
#pragma once

#include "AuditoriumLayout.h"

class SectionGrid {
 public:
  static constexpr int kColumns = 12;
  static constexpr int kCell = 14;

  struct Cell {
    int left, top;
  };

  // The section (from 1, up to the layout's limit) under a point from the
  // grid's top left corner; 0 outside the grid.
  static int SectionAt(int x, int y);
  static Cell CellOf(int section);
};
