// A RIFF WAVE image in memory: where its samples lie and what format they
// are in. Every chunk is checked against the block, so a damaged or hostile
// image can never make the reader step outside it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

struct RiffWave
{
    size_t dataOffset = 0;
    size_t dataLength = 0;
    // From the first "fmt " chunk; a chunk under 16 bytes leaves the
    // format unknown.
    bool formatKnown = false;
    uint16_t channels = 0;
    uint32_t samplesPerSecond = 0;
    uint16_t bitsPerSample = 0;

    // 16-bit mono samples at 8000 Hz, as the engine plays and records.
    bool IsEngineFormat() const
    {
        return formatKnown && channels == 1 && samplesPerSecond == 8000 && bitsPerSample == 16;
    }

    // Nothing when the block is not "RIFF", a length, "WAVE" and chunks that
    // lie within it with a "data" chunk among them.
    static std::optional<RiffWave> Parse(const uint8_t* bytes, size_t size);
};
