// The balloon rules: lifetimes, wrapping, the free area around a target,
// the preferred corner, positions and the corner choice.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BalloonLayout.h"

namespace {

TEST(BalloonLayout, LifetimesBySettingAndTextLength) {
  EXPECT_EQ(BalloonLifetimeForSetting(0), 15);
  EXPECT_EQ(BalloonLifetimeForSetting(1), 23);
  EXPECT_EQ(BalloonLifetimeForSetting(2), 75);
  EXPECT_EQ(BalloonLifetimeForSetting(7), 23);
  EXPECT_EQ(BalloonLifetimeForSetting(-1), 23);
  EXPECT_EQ(BalloonLifetimeForText(23, 0), 23);
  EXPECT_EQ(BalloonLifetimeForText(23, 50), 34);
  EXPECT_EQ(BalloonLifetimeForText(23, 100), 46);
  EXPECT_EQ(BalloonLifetimeForText(23, 300), 46);
}

TEST(BalloonLayout, WrapsAtBlanksIntoQuarterLengthLines) {
  EXPECT_EQ(WrapBalloonText("short line"), (std::vector<std::string>{"short line"}));
  // 20 characters at least: the break comes at the last blank once a line
  // has grown to the limit.
  EXPECT_EQ(WrapBalloonText("aaaa bbbb cccc dddd eeee ffff"),
            (std::vector<std::string>{"aaaa bbbb cccc dddd", "eeee ffff"}));
  // A word longer than the limit is not broken.
  const std::string word(30, 'w');
  EXPECT_EQ(WrapBalloonText(word), (std::vector<std::string>{word}));
  // Breaks already in the text start new lines.
  EXPECT_EQ(WrapBalloonText("one\ntwo"), (std::vector<std::string>{"one", "two"}));
  // A long text: lines of about a quarter of it.
  std::string text;
  for (int n = 0; n < 40; ++n) text += "word ";
  for (const std::string& line : WrapBalloonText(text)) EXPECT_LE(line.size(), text.size() / 4 + 5) << line;
}

TEST(BalloonLayout, OtherBalloonsShrinkTheFreeArea) {
  const BalloonRect free{0, 0, 800, 600};
  const BalloonRect target{300, 300, 348, 364};
  const std::vector<BalloonRect> others = {
      {400, 100, 500, 150},  // right of the target's left edge: right edge (and top)
      {100, 200, 250, 280},  // left of the target's right edge, lower: left and top
      {320, 450, 360, 470},  // below the target's top: bottom
  };
  const BalloonRect shrunk = ShrinkFreeArea(free, target, others);
  EXPECT_EQ(shrunk.right, 320);
  EXPECT_EQ(shrunk.left, 250);
  EXPECT_EQ(shrunk.top, 280);
  EXPECT_EQ(shrunk.bottom, 450);
}

TEST(BalloonLayout, PreferredCornerLooksForRoom) {
  const BalloonRect free{0, 0, 800, 600};
  struct Case {
    BalloonRect target;
    BalloonCorner corner;
  };
  const Case cases[] = {
      {{100, 300, 148, 364}, kAboveRight},  // more room right
      {{600, 300, 648, 364}, kAboveLeft},
      {{100, 50, 148, 114}, kBelowRight},   // near the top: below
      {{600, 50, 648, 114}, kBelowLeft},
      {{100, 150, 148, 214}, kAboveRight},  // more than 100 pixels above
  };
  for (const Case& c : cases) EXPECT_EQ(PreferredCorner(free, c.target), c.corner) << c.target.left;
}

TEST(BalloonLayout, PositionsOverlapTheTargetsCorner) {
  const BalloonRect target{100, 200, 148, 264};
  const struct {
    BalloonCorner corner;
    BalloonPoint at;
  } cases[] = {
      {kAboveLeft, {100 + 20 - 60, 200 + 7 - 30}},
      {kAboveRight, {148 - 20, 200 + 7 - 30}},
      {kBelowLeft, {100 + 20 - 60, 264 - 7}},
      {kBelowRight, {148 - 20, 264 - 7}},
  };
  for (const auto& c : cases) {
    const BalloonPoint at = BalloonPosition(c.corner, target, 60, 30);
    EXPECT_EQ(at.x, c.at.x) << c.corner;
    EXPECT_EQ(at.y, c.at.y) << c.corner;
  }
}

TEST(BalloonLayout, CornerChoiceKeepsVisibleCornersThatFit) {
  const BalloonRect free{0, 0, 400, 400};
  const BalloonRect target{20, 200, 68, 264};
  auto all = [](BalloonCorner) { return true; };
  // The preferred corner fits.
  EXPECT_EQ(ChooseBalloonCorner(kAboveRight, target, free, 60, 30, all), kAboveRight);
  // Above-left would leave the area: the first of 0-3 that fits.
  EXPECT_EQ(ChooseBalloonCorner(kAboveLeft, target, free, 60, 30, all), kAboveRight);
  // A hidden corner is not used even when it fits.
  auto notAboveRight = [](BalloonCorner corner) { return corner != kAboveRight; };
  EXPECT_EQ(ChooseBalloonCorner(kAboveRight, target, free, 60, 30, notAboveRight), kBelowRight);
  // Nothing fits: the first visible of 3-0.
  EXPECT_EQ(ChooseBalloonCorner(kAboveRight, target, free, 900, 30, all), kBelowRight);
  auto onlyAboveLeft = [](BalloonCorner corner) { return corner == kAboveLeft; };
  EXPECT_EQ(ChooseBalloonCorner(kAboveRight, target, free, 900, 30, onlyAboveLeft), kAboveLeft);
  // No corner visible: none.
  EXPECT_EQ(ChooseBalloonCorner(kAboveRight, target, free, 60, 30, [](BalloonCorner) { return false; }),
            kNoCorner);
}

}  // namespace
