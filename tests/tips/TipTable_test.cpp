// The tip table and the circular search for a category's next row.
#include <gtest/gtest.h>

#include "TipTable.h"

namespace {

TEST(TipTable, RowsPerCategoryWithTheirStrings) {
  int rows[kTipCategoryLast + 1] = {};
  for (int i = 0; i < kTipRowCount; ++i) ++rows[TipRowAt(i).category];
  EXPECT_EQ(rows[0], 0);
  EXPECT_EQ(rows[1], 16);
  EXPECT_EQ(rows[2], 2);
  EXPECT_EQ(rows[3], 2);
  EXPECT_EQ(rows[4], 0);
  EXPECT_EQ(rows[5], 2);
  struct Row {
    int index;
    int category;
    unsigned text, picture, title, checkBox;
  };
  const Row samples[] = {{0, 1, 275, 0, 271, 272},   {5, 1, 276, 451, 271, 272},
                         {15, 1, 1311, 0, 271, 272}, {16, 2, 270, 452, 273, 274},
                         {17, 2, 278, 0, 273, 274},  {19, 3, 292, 0, 289, 290},
                         {21, 5, 305, 0, 306, 312}};
  for (const Row& want : samples) {
    const TipRow& row = TipRowAt(want.index);
    EXPECT_EQ(row.category, want.category) << "row " << want.index;
    EXPECT_EQ(row.text, want.text) << "row " << want.index;
    EXPECT_EQ(row.picture, want.picture) << "row " << want.index;
    EXPECT_EQ(row.title, want.title) << "row " << want.index;
    EXPECT_EQ(row.checkBox, want.checkBox) << "row " << want.index;
  }
}

TEST(TipTable, NextRowIsFoundCircularly) {
  struct Case {
    int category;
    int lastRow;
    int next;
  };
  const Case cases[] = {
      {1, -1, 0},  {1, 0, 1},    {1, 14, 15}, {1, 15, 0},   // after the last general tip: row 0
      {2, -1, 16}, {2, 16, 17},  {2, 17, 16},               // tour tips alternate
      {3, 19, 18}, {5, 21, 20},  {5, -1, 20},
      {2, 3, 16},                                           // a row of another category
      {0, -1, -1}, {4, 7, -1},   {4, -1, -1},               // categories without rows
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindNextTipRow(c.category, c.lastRow), c.next)
        << "category " << c.category << " after " << c.lastRow;
  }
}

}  // namespace
