// The jitter delay of the playout, in frames: it starts at 0 and grows with
// every packet that arrives after its slot was played, by its lateness, to
// at most 10 frames. It never shrinks during a session.
#pragma once

#include <cstdint>

class SequenceWindow
{
public:
    static constexpr int32_t kLongestDelay = 10;

    // A packet for `slot` arrived while `current` is the next slot to play.
    void Arrival(int32_t slot, int32_t current);
    // The delay a new talk spurt starts with.
    int32_t PlayoutStart() const { return m_delay; }

private:
    int32_t m_delay = 0;
};
