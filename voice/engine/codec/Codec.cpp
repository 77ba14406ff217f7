#include "Codec.h"

#include <limits>

int32_t Codec::SamplesPerPacket() const
{
    constexpr int32_t kLongest = std::numeric_limits<int32_t>::max() / kSamplesPerMs;
    if (m_frameDurationMs <= 0 || m_frameDurationMs > kLongest)
        return 0;
    return m_frameDurationMs * kSamplesPerMs;
}

int32_t Codec::WholeFrames(int32_t frameMs) const
{
    return m_frameDurationMs > 0 ? m_frameDurationMs / frameMs : 0;
}
