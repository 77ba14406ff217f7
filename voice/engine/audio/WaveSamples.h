// Arithmetic on frames of 16-bit mono samples at 8000 Hz: the level that the
// meters, the microphone gain and the overload mark read, and the mixing of
// one frame into another.
#pragma once

#include <cstddef>
#include <cstdint>

class WaveSamples
{
public:
    // The level of silence, and the level above which a frame is overloaded.
    static constexpr int32_t kSilentLevel = -78;
    static constexpr int32_t kOverloadLevel = 3;

    // 50 x log10 of the frame's mean area under the sample curve, relative to
    // a reference; about +2 for full-scale audio. A frame without any area
    // (all zeros, or fewer than two samples) is silent.
    static int32_t Level(const int16_t* samples, size_t count);

    // Adds `from` to `into` sample by sample, clamped to -32767..32767.
    static void MixIn(int16_t* into, const int16_t* from, size_t count);
};
