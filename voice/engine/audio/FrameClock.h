// The timestamps of sent packets, in samples: one frame further per packet,
// jumping ahead when the sender has fallen more than 4 frames behind the
// time that has passed since the clock was bound.
#pragma once

#include <cstdint>

class FrameClock
{
public:
    static constexpr uint32_t kLeeway = 4;

    // `nowMs` is the multimedia clock at binding.
    void Bind(int32_t frameMs, uint32_t nowMs);
    // The timestamp of the next packet, sent at `nowMs`.
    uint32_t Next(uint32_t nowMs);

private:
    uint32_t m_samplesPerFrame = 0;
    uint32_t m_frameMs = 1;
    uint32_t m_start = 0;
    uint32_t m_counter = 0;
};
