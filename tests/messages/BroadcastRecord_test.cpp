#include "BroadcastRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(BroadcastRecord, TargetCodeOfTheThreeFlags) {
  struct Case {
    bool w, c, m;
    uint16_t code;
  } cases[] = {{false, false, false, 0}, {true, false, false, 1}, {false, true, false, 2}, {false, false, true, 4},
               {true, false, true, 5},   {false, true, true, 6},   {true, true, false, 2},  {true, true, true, 6}};
  for (const Case& c : cases) EXPECT_EQ(BroadcastRecord::TargetCode(c.w, c.c, c.m), c.code);
}

TEST(BroadcastRecord, FillCleansTextsAndKeepsTimesByTarget) {
  CBroadcastValues values;
  values.text = "  big\tsale   today ";
  values.textLink = "http://a/";
  values.pictureLink = "http://b/";
  values.contentTime = 30;
  values.displayTime = 120;
  values.permanent = true;
  values.blink = true;
  values.onMonitor = true;
  CBroadcastInfo record;
  ASSERT_TRUE(BroadcastRecord::Fill(values, record));
  EXPECT_EQ(record.texts[BroadcastRecord::kText], "bigsale today ");
  EXPECT_EQ(record.texts[BroadcastRecord::kTextLink], "http://a/");
  EXPECT_EQ(record.values[BroadcastRecord::kTarget], 4);
  EXPECT_EQ(record.values[BroadcastRecord::kContentTime], 0) << "without the content target";
  EXPECT_EQ(record.values[BroadcastRecord::kDisplayTime], 120);
  EXPECT_EQ(record.values[BroadcastRecord::kBlink], 1);
  EXPECT_EQ(record.moreValues[BroadcastRecord::kDisplayMode], BroadcastRecord::kPermanent);
  values.onContent = true;
  values.permanent = false;
  ASSERT_TRUE(BroadcastRecord::Fill(values, record));
  EXPECT_EQ(record.values[BroadcastRecord::kContentTime], 30);
  EXPECT_EQ(record.moreValues[BroadcastRecord::kDisplayMode], BroadcastRecord::kShownOnce);
}

TEST(BroadcastRecord, NoTargetLeavesTheRecordAlone) {
  CBroadcastValues values;
  values.text = "x";
  CBroadcastInfo record;
  record.texts[BroadcastRecord::kText] = "before";
  EXPECT_FALSE(BroadcastRecord::Fill(values, record));
  EXPECT_EQ(record.texts[BroadcastRecord::kText], "before");
}

TEST(BroadcastRecord, RouteByTargetAndPictureSize) {
  struct Case {
    uint16_t target;
    size_t pictureBytes;
    bool page, promotion, panel;
  } cases[] = {{1, 9, true, false, false},  {1, 8, false, false, false}, {2, 9, false, true, false},
               {4, 0, false, false, true},  {5, 9, true, false, true},   {5, 0, false, false, true},
               {6, 20, false, true, true},  {3, 20, false, false, false}, {0, 20, false, false, false}};
  for (const Case& c : cases) {
    CBroadcastInfo record;
    record.values[BroadcastRecord::kTarget] = c.target;
    std::vector<uint8_t> bytes(c.pictureBytes, 1);
    record.picture = CTvlBlob(static_cast<uint32_t>(bytes.size()), bytes.data());
    const CBroadcastRoute route = BroadcastRecord::Route(record);
    EXPECT_EQ(route.page, c.page) << c.target << "/" << c.pictureBytes;
    EXPECT_EQ(route.promotion, c.promotion) << c.target << "/" << c.pictureBytes;
    EXPECT_EQ(route.panel, c.panel) << c.target << "/" << c.pictureBytes;
  }
}

}  // namespace
