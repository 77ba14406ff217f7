// The seat map's portable parts: the audience's rows in sections, the
// points of the seat pane, the seats that reports fill and the choice.
#include <gtest/gtest.h>

#include "AuditoriumLayout.h"
#include "AuditoriumSeating.h"
#include "SeatChoice.h"
#include "SeatPane.h"
#include "SectionGrid.h"

namespace {

TEST(AuditoriumLayout, RowsGroupEightToASectionWithTheRemainderLast) {
  const AuditoriumLayout layout(20, 10, "Row", 1000);
  EXPECT_EQ(layout.SectionCount(), 3);
  struct Case { int section, first, last, rows; };
  const Case cases[] = {{1, 1, 8, 8}, {2, 9, 16, 8}, {3, 17, 20, 4}, {0, 0, 0, 0}, {4, 0, 0, 0}};
  for (const Case& c : cases) {
    EXPECT_EQ(layout.FirstRowOf(c.section), c.first) << c.section;
    EXPECT_EQ(layout.LastRowOf(c.section), c.last) << c.section;
    EXPECT_EQ(layout.RowsIn(c.section), c.rows) << c.section;
  }
  const std::pair<int, int> sections[] = {{1, 1}, {8, 1}, {9, 2}, {20, 3}, {0, 0}, {21, 0}, {-3, 0}};
  for (const auto& [row, section] : sections) EXPECT_EQ(layout.SectionOf(row), section) << row;
}

TEST(AuditoriumLayout, RowNamesAndIdentifiers) {
  const AuditoriumLayout layout(20, 10, "Row", 1000);
  EXPECT_EQ(layout.RowName(3), "Row 3");
  EXPECT_EQ(layout.RowId(3), 1003u);
  const std::pair<uint32_t, int> ids[] = {{1001, 1}, {1020, 20}, {1000, 0}, {1021, 0}, {5, 0}};
  for (const auto& [id, row] : ids) EXPECT_EQ(layout.RowOfId(id), row) << id;
}

TEST(AuditoriumLayout, AtMostOneHundredAndEightSections) {
  const AuditoriumLayout big(2000, 10, "R", 0);
  EXPECT_EQ(big.SectionCount(), 108);
  EXPECT_EQ(big.RowCount(), 864);
  EXPECT_EQ(big.SectionOf(865), 0);
  const AuditoriumLayout none(-4, -1, "R", 0);
  EXPECT_EQ(none.SectionCount(), 0);
  EXPECT_EQ(none.SeatsPerRow(), 0);
}

TEST(SeatPane, PointsMapToLabelsAndSeats) {
  const SeatPane pane(4, 10);
  struct Case { int x, y; SeatPane::Part part; int row, seat; };
  const Case cases[] = {
      {0, 0, SeatPane::Part::kRowLabel, 0, 0},   {57, 28, SeatPane::Part::kRowLabel, 0, 0},
      {58, 29, SeatPane::Part::kSeat, 1, 1},     {76, 60, SeatPane::Part::kSeat, 2, 1},
      {77, 60, SeatPane::Part::kSeat, 2, 2},     {58 + 9 * 19, 115, SeatPane::Part::kSeat, 3, 10},
      {58 + 10 * 19, 0, SeatPane::Part::kNothing, 0, 0}, {10, 116, SeatPane::Part::kNothing, 0, 0},
      {-1, 5, SeatPane::Part::kNothing, 0, 0},   {5, -1, SeatPane::Part::kNothing, 0, 0},
  };
  for (const Case& c : cases) {
    const SeatPane::Hit hit = pane.HitTest(c.x, c.y);
    EXPECT_EQ(hit.part, c.part) << c.x << "," << c.y;
    EXPECT_EQ(hit.rowInSection, c.row) << c.x << "," << c.y;
    EXPECT_EQ(hit.seat, c.seat) << c.x << "," << c.y;
  }
  EXPECT_EQ(pane.HitTest(SeatPane::SeatLeft(4), SeatPane::RowTop(2)).seat, 4);
}

class SeatingTest : public testing::Test {
 protected:
  static constexpr uint32_t kLocal = 77;
  AuditoriumLayout layout{20, 10, "Row", 1000};
  AuditoriumSeating seating{layout, kLocal};
};

TEST_F(SeatingTest, ReportFillsTheRowsSeats) {
  EXPECT_TRUE(seating.ApplyReport(1003, {{5, "bob", 2}, {6, "carol", 10}}));
  ASSERT_NE(seating.Occupant(3, 2), nullptr);
  EXPECT_EQ(seating.Occupant(3, 2)->name, "bob");
  EXPECT_EQ(seating.Occupant(3, 10)->name, "carol");
  EXPECT_TRUE(seating.IsFree(3, 1));
  EXPECT_FALSE(seating.IsFree(3, 2));
  EXPECT_FALSE(seating.IsFree(3, 11));
  EXPECT_FALSE(seating.IsFree(4, 1)) << "a row not reported yet is not known to be free";
}

TEST_F(SeatingTest, BadReportsChangeNothingOrTakeNoSeat) {
  EXPECT_FALSE(seating.ApplyReport(1000, {{5, "bob", 1}}));
  EXPECT_FALSE(seating.ApplyReport(1021, {{5, "bob", 1}}));
  EXPECT_TRUE(seating.ApplyReport(1001, {{5, "bob", 0}, {6, "eve", 11}, {7, "amy", 4}, {8, "dan", 4}}));
  for (int seat = 1; seat <= 10; ++seat) EXPECT_EQ(seating.IsFree(1, seat), seat != 4) << seat;
  EXPECT_EQ(seating.Occupant(1, 4)->name, "amy");
}

TEST_F(SeatingTest, LaterReportReplacesTheRowAndFollowsTheLocalUser) {
  seating.ApplyReport(1003, {{kLocal, "me", 5}});
  EXPECT_EQ(seating.LocalSeat().row, 3);
  EXPECT_EQ(seating.LocalSeat().seat, 5);
  EXPECT_TRUE(seating.LocalInRow(3));
  seating.ApplyReport(1003, {{5, "bob", 6}});
  EXPECT_TRUE(seating.IsFree(3, 5));
  EXPECT_EQ(seating.LocalSeat().row, 0);
  EXPECT_FALSE(seating.LocalInRow(3));
  seating.ApplyReport(1004, {{kLocal, "me", 0}});
  EXPECT_TRUE(seating.LocalInRow(4));
  EXPECT_EQ(seating.LocalSeat().row, 0);
}

TEST(SeatChoice, ButtonWaitsForTheReportOfTheChosenRow) {
  SeatChoice choice;
  EXPECT_FALSE(choice.ButtonEnabled());
  EXPECT_FALSE(choice.Choose().has_value());
  choice.Select(3, 4);
  EXPECT_TRUE(choice.SeatSelected());
  EXPECT_TRUE(choice.ButtonEnabled());
  const auto target = choice.Choose();
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->row, 3);
  EXPECT_EQ(target->seat, 4);
  choice.Select(5, 0);
  EXPECT_FALSE(choice.SeatSelected());
  EXPECT_FALSE(choice.ButtonEnabled()) << "a choice is still waiting";
  EXPECT_FALSE(choice.Choose().has_value());
  choice.OnLocalRow(2);
  EXPECT_FALSE(choice.ButtonEnabled());
  choice.OnLocalRow(3);
  EXPECT_TRUE(choice.ButtonEnabled());
  EXPECT_EQ(choice.Choose()->seat, 0);
}

}  // namespace

namespace {

TEST(SectionGrid, PointsMapToSectionsTwelveALine) {
  const int cell = SectionGrid::kCell;
  const std::pair<std::pair<int, int>, int> cases[] = {
      {{0, 0}, 1},           {{cell - 1, cell - 1}, 1}, {{cell, 0}, 2},   {{11 * cell, 0}, 12},
      {{0, cell}, 13},       {{11 * cell + 1, 8 * cell + 1}, 108},    {{12 * cell, 0}, 0},
      {{0, 9 * cell}, 0},    {{-1, 0}, 0},              {{0, -1}, 0},
  };
  for (const auto& [point, section] : cases) {
    EXPECT_EQ(SectionGrid::SectionAt(point.first, point.second), section) << point.first << "," << point.second;
    if (section == 0) continue;
    const SectionGrid::Cell origin = SectionGrid::CellOf(section);
    EXPECT_EQ(SectionGrid::SectionAt(origin.left, origin.top), section);
  }
}

}  // namespace
