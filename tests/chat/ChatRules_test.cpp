// The chat rules that need no window: tab identifiers, labels and titles,
// line routing and colours, layout modes, float frame offsets, the send
// road, the typed text limit and trimming, and the input history.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChatSendRoad.h"
#include "ChatTabModel.h"
#include "InputHistory.h"

namespace {

TEST(ChatTabIds, ReusesTheLowestFreedIdentifierAndGrowsPastAHundred) {
  ChatTabIds ids;
  for (uint32_t expected = 0; expected < 100; ++expected) EXPECT_EQ(ids.Acquire(), expected);
  EXPECT_EQ(ids.Acquire(), 100u);  // the map grew
  EXPECT_TRUE(ids.InUse(100));
  ids.Release(7);
  ids.Release(3);
  EXPECT_FALSE(ids.InUse(3));
  EXPECT_EQ(ids.Acquire(), 3u);
  EXPECT_EQ(ids.Acquire(), 7u);
  EXPECT_EQ(ids.Acquire(), 101u);
  ids.Release(5000);  // unknown: nothing changes
  EXPECT_EQ(ids.Acquire(), 102u);
}

TEST(ChatTabModel, LabelsAndPersonTitlesAreCut) {
  struct Case {
    std::string title;
    std::string label;
  };
  const Case cases[] = {
      {"Chat Room", "Chat Room"},
      {"fifteen chars..", "fifteen chars.."},
      {"sixteen chars!!!", "sixteen chars!!.."},
      {"IM>abcdefghijkl..", "IM>abcdefghijkl.."},
  };
  for (const Case& c : cases) EXPECT_EQ(ChatTabLabel(c.title), c.label) << c.title;
  EXPECT_EQ(PersonPageTitle("IM>", "kim"), "IM>kim");
  EXPECT_EQ(PersonPageTitle("IM>", "abcdefghijkl"), "IM>abcdefghijkl");
  // A 20-character name: its first 12 characters and "..", and a tab label
  // of 15 characters and "..".
  const std::string title = PersonPageTitle("IM>", "abcdefghijklmnopqrst");
  EXPECT_EQ(title, "IM>abcdefghijkl..");
  EXPECT_EQ(ChatTabLabel(title), "IM>abcdefghijkl..");
  EXPECT_EQ(ChatTabLabel(title).size(), 17u);
}

TEST(ChatTabModel, LinesGoToTheRoomOrTheirTargetsPage) {
  constexpr uint32_t kRoot = 10;
  constexpr uint32_t kStage = 11;  // the place object of the root place
  constexpr uint32_t kTour = 40;
  struct Case {
    bool auditorium;
    uint32_t target;
    uint32_t page;
  };
  const Case cases[] = {
      {false, kRoot, 0}, {false, kStage, 0}, {false, kTour, kTour},
      {true, kRoot, 0},  {true, kStage, kStage}, {true, kTour, kTour},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChatLinePageTarget(c.auditorium, c.target, kRoot, kStage), c.page)
        << c.auditorium << " " << c.target;
}

TEST(ChatTabModel, ColoursLayoutModesAndFloatOffsets) {
  constexpr uint32_t kPrivate = 0x123456;
  EXPECT_EQ(ChatLineColour(true, true, true, kPrivate), kPrivate);
  EXPECT_EQ(ChatLineColour(false, true, true, kPrivate), kChatGreen);
  EXPECT_EQ(ChatLineColour(false, true, false, kPrivate), kChatBlack);
  EXPECT_EQ(ChatLineColour(false, false, true, kPrivate), kChatBlack);

  EXPECT_EQ(ChatLayoutMode(true, true, ChatPageKind::Game), kLayoutAuditorium);
  EXPECT_EQ(ChatLayoutMode(false, true, ChatPageKind::Game), kLayoutGame);
  EXPECT_EQ(ChatLayoutMode(false, true, ChatPageKind::Room), kLayoutPrivateRoom);
  EXPECT_EQ(ChatLayoutMode(false, false, ChatPageKind::Group), kLayoutNormal);

  constexpr int32_t kCaption = 18;
  constexpr int32_t kBelow = 40;
  const int32_t step = kCaption + 5;
  EXPECT_EQ(ChatFloatFrameX({}, kBelow, kCaption), 0);
  EXPECT_EQ(ChatFloatFrameX({{0, kBelow}}, kBelow, kCaption), step);
  EXPECT_EQ(ChatFloatFrameX({{0, kBelow}, {step + 3, kBelow + 2}}, kBelow, kCaption), 2 * step);
  // A frame moved far down leaves its position free.
  EXPECT_EQ(ChatFloatFrameX({{0, kBelow + 200}}, kBelow, kCaption), 0);
  std::vector<ChatFrameOffset> all;
  for (int32_t position = 0; position < 6; ++position) all.push_back({position * step, kBelow});
  EXPECT_EQ(ChatFloatFrameX(all, kBelow, kCaption), 0);
}

TEST(ChatSendRoad, RouteByPageKindAndTheUsersState) {
  struct Case {
    ChatPageKind kind;
    uint32_t flags;
    bool auditorium;
    bool inRootPlace;
    bool pendingAction;
    ChatSendRoute route;
  };
  const Case cases[] = {
      {ChatPageKind::Room, 0, false, true, false, ChatSendRoute::Talk},
      {ChatPageKind::Room, kMemberMayNotSend, false, true, false, ChatSendRoute::LocalOnly},
      {ChatPageKind::InstantMessage, kMemberMayNotSend, false, true, false, ChatSendRoute::LocalOnly},
      {ChatPageKind::InstantMessage, 0, true, false, true, ChatSendRoute::InstantMessage},
      {ChatPageKind::Room, 0, true, false, true, ChatSendRoute::HostRelay},
      {ChatPageKind::Room, 0x4, true, false, true, ChatSendRoute::HostRelay},
      {ChatPageKind::Room, 0, true, true, true, ChatSendRoute::Talk},
      {ChatPageKind::Room, 0, true, false, false, ChatSendRoute::Talk},
      {ChatPageKind::Stage, 0, true, false, true, ChatSendRoute::Talk},
      {ChatPageKind::Group, 0, false, true, false, ChatSendRoute::Talk},
  };
  for (const Case& c : cases) {
    ChatSendState state;
    state.kind = c.kind;
    state.memberFlags = c.flags;
    state.auditorium = c.auditorium;
    state.inRootPlace = c.inRootPlace;
    state.pendingAction = c.pendingAction;
    EXPECT_EQ(ChooseChatSendRoute(state), c.route) << static_cast<int>(c.kind) << " " << c.flags;
  }
}

TEST(ChatSendRoad, TypedTextIsCutAtTheLimitAndTrimmed) {
  std::string text(201, 'x');
  EXPECT_TRUE(LimitChatText(text));
  EXPECT_EQ(text, std::string(200, 'x'));
  EXPECT_FALSE(LimitChatText(text));
  EXPECT_EQ(text.size(), 200u);

  EXPECT_EQ(TrimChatText("  hello   world \t\r\n"), "hello   world");
  EXPECT_EQ(TrimChatText("   "), "");
  EXPECT_EQ(TrimChatText("\xE9t\xE9 "), "\xE9t\xE9");
}

TEST(InputHistory, UpAndDownWalkTheSentLinesAndBackToTheDraft) {
  InputHistory history;
  std::string line = "unchanged";
  EXPECT_FALSE(history.Older("draft", line));
  EXPECT_FALSE(history.Newer(line));
  EXPECT_EQ(line, "unchanged");

  history.Add("one");
  history.Add("two");
  history.Add("two");  // a repeat of the newest is kept once
  history.Add("");
  EXPECT_EQ(history.Size(), 2u);
  ASSERT_TRUE(history.Older("half typed", line));
  EXPECT_EQ(line, "two");
  ASSERT_TRUE(history.Older("two", line));
  EXPECT_EQ(line, "one");
  EXPECT_FALSE(history.Older("one", line));  // nothing older
  ASSERT_TRUE(history.Newer(line));
  EXPECT_EQ(line, "two");
  ASSERT_TRUE(history.Newer(line));
  EXPECT_EQ(line, "half typed");  // past the newest: the draft again
  EXPECT_FALSE(history.Newer(line));

  // Sending starts recalling from the newest again.
  ASSERT_TRUE(history.Older("", line));
  history.Add("three");
  ASSERT_TRUE(history.Older("", line));
  EXPECT_EQ(line, "three");
}

TEST(InputHistory, KeepsTheNewestLinesOnly) {
  InputHistory history;
  for (size_t n = 0; n < InputHistory::kMaxLines + 5; ++n) history.Add("line " + std::to_string(n));
  EXPECT_EQ(history.Size(), InputHistory::kMaxLines);
  std::string line;
  while (history.Older(line, line)) {
  }
  EXPECT_EQ(line, "line 5");
}

}  // namespace
