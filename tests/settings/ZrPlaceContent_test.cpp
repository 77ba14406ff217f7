// Place content values kept by kind, replaced whole and emptied on reset.
#include "ZrPlaceContent.h"

#include <gtest/gtest.h>

namespace {

TEST(ZrPlaceContent, StringItemsAreKeptByKind) {
  CZrPlaceContent content;
  const int32_t kinds[] = {1000, 1002, 1003, 1004, 1005, 1006, 1007,
                           1009, 1011, 1012, 1013, 1020, 1021, 1024};
  for (int32_t kind : kinds) EXPECT_TRUE(content.SetString(kind, "v" + std::to_string(kind)));
  EXPECT_EQ(content.GetPlaceString1000(), "v1000");
  EXPECT_EQ(content.GetCurrentPage(), "v1002");
  EXPECT_EQ(content.GetPlaceString1003(), "v1003");
  EXPECT_EQ(content.GetWebHelpPage(), "v1004");
  EXPECT_EQ(content.GetReleaseNotesPage(), "v1005");
  EXPECT_EQ(content.GetHomePage(), "v1006");
  EXPECT_EQ(content.GetPlaceString1007(), "v1007");
  EXPECT_EQ(content.GetLoginBase(), "v1009");
  EXPECT_EQ(content.GetPlaceString1011(), "v1011");
  EXPECT_EQ(content.GetPlaceString1012(), "v1012");
  EXPECT_EQ(content.GetWordList(), "v1013");
  EXPECT_EQ(content.GetCommunityPage2(), "v1020");
  EXPECT_EQ(content.GetCommunityPage(), "v1021");
  EXPECT_EQ(content.GetServiceLinks(), "v1024");
  // Numbers and unknown kinds are not string items.
  for (int32_t kind : {999, 1001, 1008, 1010, 1019, 1022, 1023, 1025}) {
    EXPECT_FALSE(content.SetString(kind, "x")) << kind;
  }
}

TEST(ZrPlaceContent, ANewValueReplacesTheOldWholeAndResetEmptiesAll) {
  CZrPlaceContent content;
  content.SetHomePage("http://first.example/long/address");
  content.SetHomePage("http://b.example/");
  EXPECT_EQ(content.GetHomePage(), "http://b.example/");
  content.SetUseDisplayName(1);
  content.SetRefreshValue(0xFFFF);
  content.SetPlaceString1000("chat.lumora.example");
  content.Reset();
  EXPECT_EQ(content.GetHomePage(), "");
  EXPECT_EQ(content.GetPlaceString1000(), "");
  EXPECT_EQ(content.GetUseDisplayName(), 0);
  EXPECT_EQ(content.GetRefreshValue(), 0);
}

TEST(ZrPlaceContent, Item1019ChoosesTheDisplayNameForTheTourTitle) {
  CZrPlaceContent content;
  EXPECT_EQ(content.OwnTitleName("Robert Smith", "bob"), "bob");
  content.SetUseDisplayName(5);
  EXPECT_EQ(content.OwnTitleName("Robert Smith", "bob"), "Robert Smith");
}

}  // namespace
