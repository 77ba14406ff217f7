#include "ListScrollState.h"

#include <algorithm>

int32_t ListScrollState::Step(int32_t request, int32_t trackPosition) const {
  int32_t step = 0;
  switch (request) {
    case kLineUp: step = -std::max(line, 1); break;
    case kLineDown: step = std::max(line, 1); break;
    case kPageUp: step = -std::max(page, 1); break;
    case kPageDown: step = std::max(page, 1); break;
    case kThumbTrack: step = trackPosition - position; break;
    case kTop: step = -position; break;
    case kBottom: step = maximum - position; break;
    default: break;
  }
  return std::clamp(step, -position, std::max(maximum - position, -position));
}

void ListScrollState::SetMaximum(int32_t newMaximum) {
  maximum = std::max(newMaximum, 0);
  position = Clamp(position);
}

int32_t ListScrollState::Clamp(int32_t wanted) const {
  return std::clamp(wanted, 0, std::max(maximum, 0));
}
