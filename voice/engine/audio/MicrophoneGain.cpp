#include "MicrophoneGain.h"

#include <algorithm>

namespace {

constexpr int32_t kPeriodMs = 100;
constexpr int32_t kNoPeak = -200;
constexpr int32_t kNothingHeard = -130;
constexpr int32_t kQuietLow = -90;
constexpr int32_t kQuietHigh = -75;
constexpr int32_t kLoud = -25;

} // namespace

MicrophoneGain::MicrophoneGain(int32_t frameMs)
    : m_period(std::max(kPeriodMs / std::clamp(frameMs, 1, kPeriodMs), 1))
{
}

std::optional<int32_t> MicrophoneGain::OnFrame(int32_t level)
{
    m_peak = std::max(m_peak, level);
    m_frame = (m_frame + 1) % m_period;
    if (m_frame != 0)
        return std::nullopt;
    return EndPeriod();
}

std::optional<int32_t> MicrophoneGain::EndPeriod()
{
    const int32_t peak = m_peak;
    m_peak = kNoPeak;
    const bool quiet = peak > kQuietLow && peak < kQuietHigh && m_gain < kFullGain;
    if (peak < kNothingHeard || quiet) {
        const int32_t raised = std::min(m_gain + kStep, kFullGain);
        if (raised == m_gain)
            return std::nullopt;
        m_gain = raised;
        return m_gain;
    }
    if (peak > kLoud && m_gain > kLeastGain) {
        m_gain = std::max(m_gain - kStep, kLeastGain);
        return m_gain;
    }
    return std::nullopt;
}
