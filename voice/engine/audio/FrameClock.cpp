#include "FrameClock.h"

#include <algorithm>

namespace {

constexpr uint32_t kSamplesPerMs = 8;

} // namespace

void FrameClock::Bind(int32_t frameMs, uint32_t nowMs)
{
    m_frameMs = static_cast<uint32_t>(std::max(frameMs, 1));
    m_samplesPerFrame = m_frameMs * kSamplesPerMs;
    m_start = nowMs;
    m_counter = 0;
}

uint32_t FrameClock::Next(uint32_t nowMs)
{
    const uint32_t elapsed = (nowMs - m_start) / m_frameMs;
    if (m_counter < elapsed && elapsed - m_counter > kLeeway)
        m_counter = elapsed;
    else
        ++m_counter;
    return m_samplesPerFrame * m_counter;
}
