// The fixed table of the tips of the day: per row its category, the string
// of its text, its picture bitmap (0 for none), the dialog title string and
// the check box string.
#pragma once

constexpr int kTipRowCount = 22;
// Categories run from 0 to kTipCategoryLast; 0 and 4 have no rows.
constexpr int kTipCategoryLast = 5;

struct TipRow {
  int category;
  unsigned text;
  unsigned picture;
  unsigned title;
  unsigned checkBox;
};

// Row index of the table, 0 to kTipRowCount - 1.
const TipRow& TipRowAt(int index);

// The row of category shown next after lastRow (-1: none shown yet),
// searching circularly; lastRow itself comes again when it is the
// category's only row. -1 when the category has no row.
int FindNextTipRow(int category, int lastRow);
