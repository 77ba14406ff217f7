#include "TipTable.h"

namespace {

// Title and check box strings per category.
constexpr unsigned kGeneralTitle = 271, kGeneralCheck = 272;
constexpr unsigned kTourTitle = 273, kTourCheck = 274;
constexpr unsigned kAuditoriumTitle = 289, kAuditoriumCheck = 290;
constexpr unsigned kObservingTitle = 306, kObservingCheck = 312;

constexpr TipRow kRows[kTipRowCount] = {
    {1, 275, 0, kGeneralTitle, kGeneralCheck},
    {1, 288, 0, kGeneralTitle, kGeneralCheck},
    {1, 282, 0, kGeneralTitle, kGeneralCheck},
    {1, 283, 0, kGeneralTitle, kGeneralCheck},
    {1, 287, 0, kGeneralTitle, kGeneralCheck},
    {1, 276, 451, kGeneralTitle, kGeneralCheck},
    {1, 285, 0, kGeneralTitle, kGeneralCheck},
    {1, 286, 0, kGeneralTitle, kGeneralCheck},
    {1, 284, 0, kGeneralTitle, kGeneralCheck},
    {1, 279, 0, kGeneralTitle, kGeneralCheck},
    {1, 277, 0, kGeneralTitle, kGeneralCheck},
    {1, 308, 0, kGeneralTitle, kGeneralCheck},
    {1, 309, 0, kGeneralTitle, kGeneralCheck},
    {1, 1309, 0, kGeneralTitle, kGeneralCheck},
    {1, 1310, 0, kGeneralTitle, kGeneralCheck},
    {1, 1311, 0, kGeneralTitle, kGeneralCheck},
    {2, 270, 452, kTourTitle, kTourCheck},
    {2, 278, 0, kTourTitle, kTourCheck},
    {3, 291, 0, kAuditoriumTitle, kAuditoriumCheck},
    {3, 292, 0, kAuditoriumTitle, kAuditoriumCheck},
    {5, 301, 0, kObservingTitle, kObservingCheck},
    {5, 305, 0, kObservingTitle, kObservingCheck},
};

}  // namespace

const TipRow& TipRowAt(int index) { return kRows[index]; }

int FindNextTipRow(int category, int lastRow) {
  for (int step = 1; step <= kTipRowCount; ++step) {
    int row = (lastRow + step) % kTipRowCount;
    if (row >= 0 && kRows[row].category == category) return row;
  }
  return -1;
}
