// The rules of chat balloons that need no window: lifetimes, the wrapping
// of the text into lines, and the choice of the corner of its target (the
// avatar window) that a balloon stands at.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct BalloonRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};

struct BalloonPoint {
  int32_t x = 0;
  int32_t y = 0;
};

// Corners of the target: above-left, above-right, below-left, below-right,
// and none.
enum BalloonCorner : int32_t {
  kAboveLeft = 0,
  kAboveRight = 1,
  kBelowLeft = 2,
  kBelowRight = 3,
  kNoCorner = 9,
};

// One tick of the balloon timer.
constexpr int32_t kBalloonTickMs = 200;
// How far a balloon overlaps its target's corner.
constexpr int32_t kBalloonOverlapX = 20;
constexpr int32_t kBalloonOverlapY = 7;
constexpr int32_t kBalloonMinWidth = 31;

// Ticks for the balloon-duration preference: 0 short, 2 long, else medium.
int32_t BalloonLifetimeForSetting(int32_t setting);
// Long texts stay up to twice as long.
int32_t BalloonLifetimeForText(int32_t lifetime, size_t textLength);
// Breaks the text at blanks into lines of about a quarter of its length
// (at least 20 characters); returns the lines.
std::vector<std::string> WrapBalloonText(const std::string& text);

// The free area around target once the other balloons are kept clear of.
BalloonRect ShrinkFreeArea(BalloonRect free, const BalloonRect& target, const std::vector<BalloonRect>& others);
// The corner with the most room around target.
BalloonCorner PreferredCorner(const BalloonRect& free, const BalloonRect& target);
// Top-left of a balloon of width x height at a corner of target.
BalloonPoint BalloonPosition(BalloonCorner corner, const BalloonRect& target, int32_t width, int32_t height);
// The corner to use: the preferred one when its target corner is visible
// and the balloon fits the free area, else the first of 0-3 that does, else
// the first of 3-0 whose target corner is visible, else none.
BalloonCorner ChooseBalloonCorner(BalloonCorner preferred, const BalloonRect& target, const BalloonRect& free,
                                  int32_t width, int32_t height,
                                  const std::function<bool(BalloonCorner)>& cornerVisible);
