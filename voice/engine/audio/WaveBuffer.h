// The unit of audio everywhere in the engine: one frame of 16-bit mono
// samples at 8000 Hz in a fixed sample area, with the marks the sound card,
// the sequencer and the wave player keep on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

class WaveBuffer
{
public:
    static constexpr size_t kSampleCapacity = 960;  // 120 ms
    static constexpr int32_t kLongestFrameMs = 120;
    static constexpr int32_t kBytesPerMs = 16;

    // A silent frame of `durationMs` (kept within 1..120 ms, so that the
    // frame never reaches beyond the sample area).
    explicit WaveBuffer(int32_t durationMs);

    std::unique_ptr<WaveBuffer> Copy() const;

    int16_t* Samples() { return m_samples.data(); }
    const int16_t* Samples() const { return m_samples.data(); }
    size_t SampleCount() const { return m_length / 2; }
    size_t Length() const { return m_length; } // in bytes

    // Adds the other frame's samples, clamped (this frame's length).
    void MixIn(const WaveBuffer& other);
    // The frame's level; a level above 3 marks the frame overloaded.
    int32_t Level();
    bool Overloaded() const { return m_overloaded; }

    bool ForCapture() const { return m_forCapture; }
    void SetForCapture(bool capture) { m_forCapture = capture; }
    int32_t Slot() const { return m_slot; }
    void SetSlot(int32_t slot) { m_slot = slot; }

private:
    std::array<int16_t, kSampleCapacity> m_samples{};
    size_t m_length;
    bool m_forCapture = false;
    bool m_overloaded = false;
    int32_t m_slot = 0;
};
