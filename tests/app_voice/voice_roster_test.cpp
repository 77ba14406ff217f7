// The voice conference's members as the people page sees them: the speaker
// text of the control (first two numbers, one a line), members added and
// removed by the control's roster events, and who is marked speaking.
#include "VoiceRoster.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseSpeakers, ReadsTheFirstTwoNumbersOfTheLines) {
  struct Case {
    const char* text;
    std::vector<int32_t> speakers;
  };
  const Case cases[] = {
      {"", {}},
      {"7", {7}},
      {"7\n", {7}},
      {"7\n12", {7, 12}},
      {"7\r\n12\r\n", {7, 12}},
      {"7\n12\n30", {7, 12}},
      {"\n7\n\n12", {7, 12}},
      {"x\n7\n-3\n 4\n12\n30", {7, 12}},
      {"99999999999\n5", {5}},
      {"2147483647\n2147483648", {2147483647}},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseSpeakers(c.text), c.speakers) << '"' << c.text << '"';
}

// Three members: the local user (10, voice 1) and two others.
class VoiceRosterTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(roster.Add(1, "10"), 10u);
    ASSERT_EQ(roster.Add(2, "20"), 20u);
    ASSERT_EQ(roster.Add(3, "30"), 30u);
  }
  VoiceRoster roster;
  static constexpr uint32_t kLocal = 10;
};

TEST_F(VoiceRosterTest, AddsAMemberOnceAndOnlyForAnIdentifier) {
  EXPECT_EQ(roster.Add(9, "20"), std::nullopt);
  EXPECT_EQ(roster.Find(20)->voiceNumber, 2);
  for (const char* bad : {"", "0", "abc", "12x", "-5", "99999999999"}) EXPECT_EQ(roster.Add(8, bad), std::nullopt) << bad;
  EXPECT_EQ(roster.Entries().size(), 3u);
  EXPECT_EQ(roster.StateOf(20), VoiceState::kSilent);
  EXPECT_EQ(roster.StateOf(40), VoiceState::kNone);
}

TEST_F(VoiceRosterTest, RemovesTheMemberOfAVoiceNumber) {
  EXPECT_EQ(roster.RemoveVoiceNumber(3), 30u);
  EXPECT_EQ(roster.StateOf(30), VoiceState::kNone);
  EXPECT_EQ(roster.RemoveVoiceNumber(3), std::nullopt);
  EXPECT_EQ(roster.StateOf(20), VoiceState::kSilent);
  EXPECT_EQ(roster.Entries().size(), 2u);
}

TEST_F(VoiceRosterTest, MarksSpeakersByVoiceNumberAndReportsOnlyChanges) {
  EXPECT_EQ(roster.SetSpeakers({3}, kLocal), std::vector<uint32_t>{30});
  EXPECT_EQ(roster.StateOf(30), VoiceState::kSpeaking);
  EXPECT_EQ(roster.StateOf(20), VoiceState::kSilent);
  // The same speakers again change nothing.
  EXPECT_TRUE(roster.SetSpeakers({3}, kLocal).empty());
  // 30 stops, 20 starts: both rows change.
  EXPECT_EQ(roster.SetSpeakers({2}, kLocal), (std::vector<uint32_t>{20, 30}));
  EXPECT_EQ(roster.StateOf(30), VoiceState::kSilent);
  EXPECT_EQ(roster.SetSpeakers({}, kLocal), std::vector<uint32_t>{20});
}

TEST_F(VoiceRosterTest, NeverMarksTheLocalUserSpeaking) {
  EXPECT_EQ(roster.SetSpeakers({1, 2}, kLocal), std::vector<uint32_t>{20});
  EXPECT_EQ(roster.StateOf(kLocal), VoiceState::kSilent);
}

TEST_F(VoiceRosterTest, ASpeakerNumberOfNoMemberMarksNobody) {
  EXPECT_TRUE(roster.SetSpeakers({20, 30}, kLocal).empty());
  EXPECT_EQ(roster.StateOf(20), VoiceState::kSilent);
}

}  // namespace
