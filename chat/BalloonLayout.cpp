#include "BalloonLayout.h"

#include <algorithm>

int32_t BalloonLifetimeForSetting(int32_t setting) {
  constexpr int32_t kShort = 15;
  constexpr int32_t kMedium = 23;
  constexpr int32_t kLong = 75;
  if (setting == 0) return kShort;
  if (setting == 2) return kLong;
  return kMedium;
}

int32_t BalloonLifetimeForText(int32_t lifetime, size_t textLength) {
  if (textLength == 0) return lifetime;
  const int32_t counted = static_cast<int32_t>(std::min<size_t>(textLength, 100));
  return lifetime + lifetime * counted / 100;
}

std::vector<std::string> WrapBalloonText(const std::string& text) {
  const size_t limit = std::max<size_t>(text.size() / 4, 20);
  std::string wrapped = text;
  size_t lineStart = 0;
  size_t lastSpace = std::string::npos;
  for (size_t at = 0; at < wrapped.size(); ++at) {
    if (wrapped[at] == '\n') {
      lineStart = at + 1;
      lastSpace = std::string::npos;
      continue;
    }
    if (wrapped[at] == ' ') lastSpace = at;
    if (at >= lineStart + limit && lastSpace != std::string::npos) {
      wrapped[lastSpace] = '\n';
      lineStart = lastSpace + 1;
      lastSpace = std::string::npos;
    }
  }
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = wrapped.find('\n', start);
    lines.push_back(wrapped.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

BalloonRect ShrinkFreeArea(BalloonRect free, const BalloonRect& target, const std::vector<BalloonRect>& others) {
  for (const BalloonRect& other : others) {
    if (target.left < other.left && other.left < free.right) free.right = other.left;
    if (other.right < target.right && free.left < other.right) free.left = other.right;
    if (other.bottom < target.bottom && free.top < other.bottom) free.top = other.bottom;
    if (target.top < other.top && other.top < free.bottom) free.bottom = other.top;
  }
  return free;
}

BalloonCorner PreferredCorner(const BalloonRect& free, const BalloonRect& target) {
  constexpr int32_t kLowCeiling = 100;
  const bool right = (target.left - free.left) < (free.right - target.right);
  const int32_t above = target.top - free.top;
  const int32_t below = free.bottom - target.bottom;
  const bool under = above <= kLowCeiling && above < below;
  return static_cast<BalloonCorner>((right ? 1 : 0) + (under ? 2 : 0));
}

BalloonPoint BalloonPosition(BalloonCorner corner, const BalloonRect& target, int32_t width, int32_t height) {
  const bool right = corner == kAboveRight || corner == kBelowRight;
  const bool below = corner == kBelowLeft || corner == kBelowRight;
  BalloonPoint point;
  point.x = right ? target.right - kBalloonOverlapX : target.left + kBalloonOverlapX - width;
  point.y = below ? target.bottom - kBalloonOverlapY : target.top + kBalloonOverlapY - height;
  return point;
}

namespace {

bool Fits(const BalloonPoint& at, const BalloonRect& free, int32_t width, int32_t height) {
  return at.x >= free.left && at.x + width < free.right && at.y >= free.top && at.y + height < free.bottom;
}

}  // namespace

BalloonCorner ChooseBalloonCorner(BalloonCorner preferred, const BalloonRect& target, const BalloonRect& free,
                                  int32_t width, int32_t height,
                                  const std::function<bool(BalloonCorner)>& cornerVisible) {
  auto usable = [&](BalloonCorner corner) {
    return cornerVisible(corner) && Fits(BalloonPosition(corner, target, width, height), free, width, height);
  };
  if (preferred != kNoCorner && usable(preferred)) return preferred;
  for (BalloonCorner corner : {kAboveLeft, kAboveRight, kBelowLeft, kBelowRight})
    if (usable(corner)) return corner;
  for (BalloonCorner corner : {kBelowRight, kBelowLeft, kAboveRight, kAboveLeft})
    if (cornerVisible(corner)) return corner;
  return kNoCorner;
}
