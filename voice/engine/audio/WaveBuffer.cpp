#include "WaveBuffer.h"

#include "WaveSamples.h"

#include <algorithm>

WaveBuffer::WaveBuffer(int32_t durationMs)
    : m_length(static_cast<size_t>(std::clamp(durationMs, 1, kLongestFrameMs) * kBytesPerMs))
{
}

std::unique_ptr<WaveBuffer> WaveBuffer::Copy() const
{
    auto copy = std::make_unique<WaveBuffer>(static_cast<int32_t>(m_length) / kBytesPerMs);
    copy->m_samples = m_samples;
    return copy;
}

void WaveBuffer::MixIn(const WaveBuffer& other)
{
    WaveSamples::MixIn(Samples(), other.Samples(), SampleCount());
}

int32_t WaveBuffer::Level()
{
    const int32_t level = WaveSamples::Level(Samples(), SampleCount());
    m_overloaded = level > WaveSamples::kOverloadLevel;
    return level;
}
