// Which tip comes next, what the user's choices and the stored text do.
#include <gtest/gtest.h>

#include "CTipSchedule.h"
#include "FakeTipHost.h"

namespace {

class TipScheduleTest : public ::testing::Test {
 protected:
  FakeTipHost host;
  CTipSchedule schedule{&host};

  // What showing a tip does apart from the dialog: the row, or -1.
  int Show(int category, bool forced) {
    int row = schedule.NextRow(category, forced);
    if (row >= 0) schedule.RowShown(category, row);
    return row;
  }
};

TEST_F(TipScheduleTest, FirstStartWithTipsOffShowsNothingAndCreatesNoState) {
  host.tipsAtStart = false;
  EXPECT_EQ(Show(1, false), -1);
  EXPECT_TRUE(schedule.States().empty());
  EXPECT_EQ(host.stateReads, 0);
  EXPECT_TRUE(host.saved.empty());
}

TEST_F(TipScheduleTest, NewGeneralAndAuditoriumStatesAppearOnlyWhenAskedFor) {
  host.tipsAtStart = true;
  for (int category : {1, 3}) {
    EXPECT_EQ(Show(category, false), -1) << category;
    EXPECT_EQ(schedule.Find(category), nullptr) << category;
  }
  EXPECT_EQ(Show(3, true), 18);
  ASSERT_NE(schedule.Find(3), nullptr);
  EXPECT_FALSE(schedule.Find(3)->show);
  // The tips-at-start flag follows the shown category's flag.
  EXPECT_FALSE(host.tipsAtStart);
  EXPECT_EQ(host.tipState, "3,N18;");
}

TEST_F(TipScheduleTest, ForcingTourTipsShowsRowsSixteenSeventeenSixteen) {
  EXPECT_EQ(Show(2, true), 16);
  EXPECT_EQ(Show(2, true), 17);
  EXPECT_EQ(Show(2, true), 16);
  EXPECT_EQ(host.saved, (std::vector<std::string>{"2,Y16;", "2,Y17;", "2,Y16;"}));
  EXPECT_TRUE(host.tipsAtStart);
}

TEST_F(TipScheduleTest, OtherNewCategoriesStartOnAndNeedNoForce) {
  EXPECT_EQ(Show(5, false), 20);
  EXPECT_EQ(Show(5, false), 21);
  EXPECT_EQ(Show(2, false), 16);
  EXPECT_EQ(host.tipState, "5,Y21;2,Y16;");
}

TEST_F(TipScheduleTest, StoredTextRestoresTheStates) {
  host.tipsAtStart = true;
  host.tipState = "1,N3;2,Y16;";
  // General tips are off: nothing unless forced.
  EXPECT_EQ(Show(1, false), -1);
  ASSERT_EQ(schedule.States().size(), 2u);
  EXPECT_FALSE(schedule.Find(1)->show);
  EXPECT_EQ(schedule.Find(1)->lastRow, 3);
  EXPECT_TRUE(schedule.Find(2)->show);
  EXPECT_EQ(schedule.Find(2)->lastRow, 16);
  EXPECT_EQ(Show(2, false), 17);
  EXPECT_EQ(Show(1, true), 4);
  EXPECT_EQ(host.tipState, "1,N4;2,Y17;");
  EXPECT_EQ(host.stateReads, 1) << "the text is read once, while no state is known";
}

TEST_F(TipScheduleTest, UnknownCategoryStopsTheReadingKeepingEarlierItems) {
  host.tipState = "2,N17;9,Y1;5,Y20;";
  EXPECT_EQ(Show(5, false), 20) << "category 5 was never read, so it starts anew";
  ASSERT_EQ(schedule.States().size(), 2u);
  EXPECT_FALSE(schedule.Find(2)->show);
  EXPECT_EQ(Show(2, false), -1);
  EXPECT_EQ(host.tipState, "2,N17;5,Y20;");
}

TEST_F(TipScheduleTest, CategoriesOutsideTheTableShowNothing) {
  for (int category : {-1, 6, 100}) {
    EXPECT_EQ(Show(category, true), -1) << category;
  }
  EXPECT_TRUE(schedule.States().empty());
  EXPECT_TRUE(host.saved.empty());
}

TEST_F(TipScheduleTest, CategoryWithoutRowsKeepsLaterStatesThroughARestart) {
  EXPECT_EQ(Show(4, true), -1);
  EXPECT_EQ(Show(2, true), 16);
  CTipSchedule restarted(&host);
  EXPECT_EQ(restarted.NextRow(2, false), 17);
  ASSERT_NE(restarted.Find(2), nullptr);
  EXPECT_EQ(restarted.Find(2)->lastRow, 16);
}

TEST_F(TipScheduleTest, ShowFlagIsSetOnlyForKnownCategories) {
  Show(2, true);
  host.saved.clear();
  schedule.SetShowFlag(false, 2);
  EXPECT_EQ(host.saved, (std::vector<std::string>{"2,N16;"}));
  schedule.SetShowFlag(true, 5);
  EXPECT_EQ(host.saved.size(), 1u);
  EXPECT_EQ(Show(2, false), -1);
}

TEST_F(TipScheduleTest, ClearForgetsTheStatesAndRereadsTheText) {
  Show(2, true);
  schedule.Clear();
  EXPECT_TRUE(schedule.States().empty());
  EXPECT_EQ(Show(2, true), 17) << "the saved text still says row 16";
}

TEST(TipScheduleWithoutHost, ShowsForcedTipsAndStoresNothing) {
  CTipSchedule schedule;
  EXPECT_EQ(schedule.NextRow(1, false), -1);
  EXPECT_EQ(schedule.NextRow(1, true), 0);
  schedule.RowShown(1, 0);
  EXPECT_EQ(schedule.NextRow(1, true), 1);
}

}  // namespace
