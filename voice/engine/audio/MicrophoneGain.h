// The automatic gain of the microphone: over each period of about 100 ms of
// captured frames the loudest frame's level decides whether the gain rises
// or falls by 5 percent, within 10 to 100 percent.
#pragma once

#include <cstdint>
#include <optional>

class MicrophoneGain
{
public:
    static constexpr int32_t kFullGain = 100;
    static constexpr int32_t kLeastGain = 10;
    static constexpr int32_t kStep = 5;

    // Frames of `frameMs` make up one period of 100 / frameMs frames.
    explicit MicrophoneGain(int32_t frameMs);

    // One captured frame's level; the new gain to apply when a period ends
    // with a change, else nothing.
    std::optional<int32_t> OnFrame(int32_t level);
    int32_t Gain() const { return m_gain; }

private:
    std::optional<int32_t> EndPeriod();

    int32_t m_period;
    int32_t m_frame = 0;
    int32_t m_peak = -100;
    int32_t m_gain = kFullGain;
};
