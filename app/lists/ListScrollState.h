// One scroll bar of the owner-drawn lists: range, steps and position, and the
// step a scroll request asks for. The request codes are the system's
// scroll-bar codes (line up 0 ... bottom 7).
#pragma once
#include <cstdint>

class ListScrollState {
 public:
  enum Request : int32_t {
    kLineUp = 0,
    kLineDown = 1,
    kPageUp = 2,
    kPageDown = 3,
    kThumbPosition = 4,
    kThumbTrack = 5,
    kTop = 6,
    kBottom = 7,
  };

  int32_t maximum = 0;
  int32_t line = 1;
  int32_t page = 8;
  int32_t position = 0;

  // The move a request asks for, clamped so the position stays in
  // 0 ... maximum. trackPosition is the thumb's place for thumb tracking.
  int32_t Step(int32_t request, int32_t trackPosition) const;
  // Sets the range; a negative maximum counts as 0 and the position is kept
  // inside the new range.
  void SetMaximum(int32_t newMaximum);
  int32_t Clamp(int32_t wanted) const;
};
