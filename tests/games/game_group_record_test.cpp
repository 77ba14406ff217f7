// The record a new game group goes out with: the items in their order, the
// ones left out, and the record's name, size and picture surviving the
// wire coding.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GameGroupRecord.h"
#include "ZrGroupInfo.h"
#include "ZrItem.h"

namespace {

const char kServer[] = "{DC1BFCC5-454A-4DF7-9538-3E08006D77D5}";

CGameInfo DescribedGame() {
  CGameInfo info;
  info.name = "Draughts";
  info.secondText = "rules";
  info.seatLayout = "1,2,3,4,Red;5,6,7,8,Blue";
  info.firstFlag = "Y";
  info.secondFlag = "N";
  info.logo = {0x47, 0x49, 0x46, 0xFF, 0x00};
  return info;
}

std::vector<std::string> Listed(const std::vector<GameItemValue>& items) {
  std::vector<std::string> lines;
  for (const GameItemValue& item : items) lines.push_back(std::to_string(item.code) + "=" + item.text);
  return lines;
}

TEST(GameGroupRecord, ItemsGoOutInTheirOrder) {
  const GameGroupChoice choice{"alice's Draughts", 3, "come and play"};
  EXPECT_EQ(Listed(GameGroupItems(DescribedGame(), choice, kServer, 40, 30)),
            (std::vector<std::string>{"2=come and play", std::string("1=") + kServer, "4=rules", "7=Y", "8=N",
                                      "3=1,2,3,4,Red;5,6,7,8,Blue", "10=N", "5=42", "6=32"}));
}

TEST(GameGroupRecord, LeavesOutWhatTheGameDoesNotHave) {
  struct Case {
    const char* what;
    bool seatLayout;
    bool logo;
    int width;
    std::vector<uint16_t> codes;
  };
  const Case cases[] = {
      {"no seat layout", false, true, 40, {2, 1, 4, 7, 8, 10, 5, 6}},
      {"no logo", true, false, 40, {2, 1, 4, 7, 8, 3, 10}},
      {"a logo that did not decode", true, true, 0, {2, 1, 4, 7, 8, 3, 10}},
  };
  for (const Case& c : cases) {
    CGameInfo info = DescribedGame();
    if (!c.seatLayout) info.seatLayout.clear();
    if (!c.logo) info.logo.clear();
    std::vector<uint16_t> codes;
    for (const GameItemValue& item : GameGroupItems(info, {"x", 2, ""}, kServer, c.width, 30))
      codes.push_back(item.code);
    EXPECT_EQ(codes, c.codes) << c.what;
  }
}

TEST(GameGroupRecord, RecordCarriesNameSizeItemsAndLogo) {
  CZrGroupInfo record;
  FillGameGroupRecord(record, DescribedGame(), {"alice's Draughts", 4, "hi"}, kServer, 40, 30);

  EXPECT_EQ(record.GetName(), "alice's Draughts");
  EXPECT_EQ(record.GetCapacity(), 4);
  EXPECT_EQ(record.Items().Count(), 9);
  ASSERT_NE(record.Items().Find(kGameServerItem), nullptr);
  EXPECT_EQ(record.Items().Find(kGameServerItem)->GetText(), kServer);
  ASSERT_NE(record.Items().Find(kGameLogoHeightItem), nullptr);
  EXPECT_EQ(record.Items().Find(kGameLogoHeightItem)->GetText(), "32");
  EXPECT_EQ(record.Member()->DataFlag(), 1u);
  const CTvlBlob* logo = record.Member()->GetData();
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(logo->Bytes()), logo->Length()),
            std::string("GIF\xFF\0", 5));
}

TEST(GameInfoDefaults, DescribeAGameThatSaysNothing) {
  const CGameInfo info;
  EXPECT_EQ(info.name, "ZrGame");
  EXPECT_EQ(info.seatLayout, "123,51,23,31,white;12,51,23,31,Black;0,0,23,31,Observer");
  EXPECT_EQ(info.minPlayers, 2);
  EXPECT_EQ(info.maxPlayers, 3);
  EXPECT_TRUE(info.logo.empty());
}

TEST(GameInfoPlayers, NumberMustLieBetweenTheBounds) {
  CGameInfo info;
  info.minPlayers = 2;
  info.maxPlayers = 4;
  EXPECT_FALSE(info.AcceptsPlayers(1));
  EXPECT_TRUE(info.AcceptsPlayers(2));
  EXPECT_TRUE(info.AcceptsPlayers(4));
  EXPECT_FALSE(info.AcceptsPlayers(5));
  EXPECT_FALSE(info.HasFixedPlayers());
  info.minPlayers = 4;
  EXPECT_TRUE(info.HasFixedPlayers());
}

}  // namespace
