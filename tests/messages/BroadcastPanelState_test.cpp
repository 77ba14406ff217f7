#include "BroadcastPanelState.h"

#include <gtest/gtest.h>

#include "ParticipateBlink.h"

namespace {

CBroadcastPanelState StartedPanel() {
  CBroadcastPanelState panel;
  panel.SetDefaults("Welcome", "to the community");
  panel.SetTexts("", "");
  return panel;
}

TEST(BroadcastPanelState, BroadcastRevertsToTheDefaultsOnTheNextTick) {
  CBroadcastPanelState panel = StartedPanel();
  EXPECT_TRUE(panel.DefaultsShown());
  EXPECT_FALSE(panel.OnTimer()) << "defaults shown: nothing to do";
  panel.SetDisplayTime(4);
  panel.ShowBroadcast("sale today");
  EXPECT_EQ(panel.First(), "BROADCAST");
  EXPECT_EQ(panel.Second(), "sale today");
  EXPECT_FALSE(panel.DefaultsShown());
  EXPECT_TRUE(panel.OnTimer());
  EXPECT_EQ(panel.First(), "Welcome");
  EXPECT_EQ(panel.Second(), "to the community");
  EXPECT_TRUE(panel.DefaultsShown());
}

TEST(BroadcastPanelState, PreviewGivesBackTheEarlierTextAndTime) {
  CBroadcastPanelState panel = StartedPanel();
  panel.SetDisplayTime(30);
  panel.ShowBroadcast("real one");
  panel.Preview("draft", 5);
  EXPECT_TRUE(panel.InPreview());
  EXPECT_EQ(panel.DisplayTime(), 5);
  EXPECT_EQ(panel.Second(), "draft");
  // A second preview keeps what was shown before the first.
  panel.Preview("draft 2", 6);
  EXPECT_TRUE(panel.OnTimer());
  EXPECT_FALSE(panel.InPreview());
  EXPECT_EQ(panel.DisplayTime(), 30);
  EXPECT_EQ(panel.First(), "BROADCAST");
  // The text was not the defaults: the next tick brings them.
  EXPECT_TRUE(panel.OnTimer());
  EXPECT_EQ(panel.First(), "Welcome");
}

TEST(BroadcastPanelState, OwnTextsStayUntilTheTimerAndEmptyTextsAreTheDefaults) {
  CBroadcastPanelState panel = StartedPanel();
  panel.SetTexts("Hello", "");
  EXPECT_EQ(panel.First(), "Hello");
  EXPECT_FALSE(panel.DefaultsShown());
  panel.SetTexts("", "");
  EXPECT_EQ(panel.First(), "Welcome");
  EXPECT_TRUE(panel.DefaultsShown());
}

TEST(ParticipateBlink, UpAndLitTakeTurnsPressedAndDisabledStay) {
  struct Case {
    int state, next;
  } cases[] = {{0, 2}, {2, 0}, {1, 1}, {3, 3}};
  for (const Case& c : cases) EXPECT_EQ(ParticipateBlink::NextState(c.state), c.next) << c.state;
}

}  // namespace
