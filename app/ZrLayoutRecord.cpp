#include "ZrLayoutRecord.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <limits>

namespace {

// One "%d": optional blanks, an optional sign and digits. A number outside
// the 32-bit range is refused rather than left to the formatter.
bool ReadNumber(const std::string& text, size_t& at, int32_t& out) {
  while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
    negative = text[at] == '-';
    ++at;
  }
  const size_t first = at;
  int64_t value = 0;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    value = value * 10 + (text[at] - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return false;
    ++at;
  }
  if (at == first) return false;
  value = negative ? -value : value;
  if (value > std::numeric_limits<int32_t>::max()) return false;
  out = static_cast<int32_t>(value);
  return true;
}

// part x percent / 100 without overflow, clamped to 32 bits.
int32_t Percent(int32_t whole, int32_t percent) {
  const int64_t value = int64_t{whole} * percent / 100;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

// part x 100 / whole, rounded half away from zero, so that a size made from
// a ratio gives that ratio back; whole is not 0.
int32_t Ratio(int32_t part, int32_t whole) {
  const int64_t twice = int64_t{part} * 200 / whole;
  const int64_t value = (twice + (twice >= 0 ? 1 : -1)) / 2;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

int32_t Difference(int64_t a, int64_t b) {
  return static_cast<int32_t>(std::clamp<int64_t>(a - b, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

}  // namespace

bool CZrLayoutRecord::ParseWindowRect(const std::string& text) {
  int32_t values[4] = {};
  size_t at = 0;
  for (int i = 0; i < 4; ++i) {
    if (i > 0) {
      if (at >= text.size() || text[at] != ',') return false;
      ++at;
    }
    if (!ReadNumber(text, at, values[i])) return false;
  }
  m_sideRatio = values[0];
  m_topRatio = values[1];
  m_bottomHeight = values[2];
  m_topRatio3 = values[3];
  m_loaded = true;
  m_valid = true;
  return true;
}

std::string CZrLayoutRecord::FormatWindowRect() const {
  char text[64];
  std::snprintf(text, sizeof text, "%" PRId32 ",%" PRId32 ",%" PRId32 ",%" PRId32, m_sideRatio,
                m_topRatio, m_bottomHeight, m_topRatio3);
  return text;
}

void CZrLayoutRecord::SetWindowRect(int32_t x, int32_t y, int32_t width, int32_t height) {
  m_x = x;
  m_y = y;
  m_width = width;
  m_height = height;
}

void CZrLayoutRecord::Clear() {
  m_page = ZrRect();
  m_chat = ZrRect();
  m_people = ZrRect();
  m_loaded = false;
  m_valid = false;
}

void CZrLayoutRecord::CaptureFrom(const Capture& capture) {
  SetWindowRect(capture.window.left, capture.window.top, capture.window.Width(),
                capture.window.Height());
  m_page = capture.page;
  m_chat = capture.chat;
  m_people = capture.people;
  const int32_t freeHeight = std::max(
      0, Difference(capture.clientHeight, int64_t{capture.toolBarHeight} + capture.statusBarHeight));
  // A zero-width client area (a degenerate window) keeps the old ratio.
  if (capture.clientWidth != 0) m_sideRatio = Ratio(capture.sideWidth, capture.clientWidth);
  const bool first = !m_captured;
  switch (capture.mode) {
    case kClassic:
      if (freeHeight != 0) m_topRatio = Ratio(capture.upperHeight, freeHeight);
      if (first) {
        m_bottomHeight = capture.defaultBottomHeight;
        m_topRatio3 = kDefaultTopRatio3;
      }
      break;
    case kAvatarsOnly:
      // The inverse of the layout, which keeps room for the splitter bar.
      m_bottomHeight = std::max(
          0, Difference(freeHeight, int64_t{capture.upperHeight} + kSplitterRoom));
      if (first) {
        m_topRatio = kDefaultTopRatio;
        m_topRatio3 = kDefaultTopRatio3;
      }
      break;
    case kHvnClassic:
      if (freeHeight != 0) m_topRatio3 = Ratio(capture.upperHeight, freeHeight);
      if (first) m_bottomHeight = capture.defaultBottomHeight;
      break;
    default:
      break;
  }
  m_captured = true;
  m_valid = true;
}

CZrLayoutRecord::PaneSizes CZrLayoutRecord::LayoutMainPanes(const PaneRequest& request) const {
  PaneSizes sizes;
  if (request.sizeType == kMinimized) return sizes;
  int32_t width = request.width;
  int32_t height = request.height;
  if (request.sizeType == kMaximized) {
    width = request.clientWidth;
    height = request.clientHeight;
  }
  height = std::max(0, Difference(height, int64_t{request.toolBarHeight} + request.statusBarHeight));
  int32_t side = Percent(width, m_loaded ? m_sideRatio : kDefaultSideRatio);
  int32_t upper = 0;
  switch (request.mode) {
    case kClassic:
      upper = Percent(height, m_loaded ? m_topRatio : kDefaultTopRatio);
      break;
    case kBrowserOnly:
      side = width;
      upper = height;
      break;
    case kAvatarsOnly: {
      const int32_t bottom = m_loaded ? m_bottomHeight : request.defaultBottomHeight;
      upper = std::max(0, Difference(height, int64_t{bottom} + kSplitterRoom));
      break;
    }
    case kHvnClassic:
      upper = 0;
      break;
    default:
      side = width;
      upper = width;
      break;
  }
  side = std::min(side, Difference(width, kMinPeopleWidth));
  sizes.apply = true;
  sizes.width = width;
  sizes.height = height;
  sizes.side = side;
  sizes.upper = upper;
  sizes.sizeSideWindow = request.mode != kBrowserOnly;
  sizes.sideWindowWidth = Difference(side, kSideWindowInset);
  sizes.setSplitters = side >= 0;
  return sizes;
}

void CZrLayoutRecord::Reset(int32_t mode, int32_t resetX, int32_t resetY,
                            int32_t defaultBottomHeight,
                            const std::function<void(const CZrLayoutRecord&)>& applyMaximized) {
  const CZrLayoutRecord saved = *this;
  m_x = resetX;
  m_y = resetY;
  m_sideRatio = kDefaultSideRatio;
  if (mode == kClassic) m_topRatio = kDefaultTopRatio;
  if (mode == kAvatarsOnly) m_bottomHeight = defaultBottomHeight;
  if (mode == kHvnClassic) m_topRatio3 = kDefaultTopRatio3;
  if (applyMaximized) applyMaximized(*this);
  m_x = saved.m_x;
  m_y = saved.m_y;
  m_sideRatio = saved.m_sideRatio;
  m_topRatio = saved.m_topRatio;
  m_bottomHeight = saved.m_bottomHeight;
  m_topRatio3 = saved.m_topRatio3;
  m_valid = false;
}
