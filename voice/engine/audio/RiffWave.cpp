#include "RiffWave.h"

#include <cstring>

namespace {

constexpr size_t kFormHeader = 12;
constexpr size_t kChunkHeader = 8;
constexpr uint32_t kFullFormat = 16;

uint32_t Read32(const uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | uint32_t{at[3]} << 24;
}

uint16_t Read16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

bool IsTag(const uint8_t* at, const char* tag)
{
    return std::memcmp(at, tag, 4) == 0;
}

} // namespace

std::optional<RiffWave> RiffWave::Parse(const uint8_t* bytes, size_t size)
{
    if (!bytes || size < kFormHeader || !IsTag(bytes, "RIFF") || !IsTag(bytes + 8, "WAVE"))
        return std::nullopt;
    RiffWave wave;
    bool formatSeen = false;
    // 64-bit offsets: a chunk length near 4 GB cannot wrap around.
    for (uint64_t at = kFormHeader; at + kChunkHeader <= size;) {
        const uint8_t* chunk = bytes + at;
        const uint64_t length = Read32(chunk + 4);
        const uint64_t body = at + kChunkHeader;
        if (body + length > size)
            return std::nullopt;
        if (IsTag(chunk, "fmt ") && !formatSeen) {
            formatSeen = true;
            if (length >= kFullFormat) {
                wave.formatKnown = true;
                wave.channels = Read16(chunk + 10);
                wave.samplesPerSecond = Read32(chunk + 12);
                wave.bitsPerSample = Read16(chunk + 22);
            }
        } else if (IsTag(chunk, "data")) {
            wave.dataOffset = static_cast<size_t>(body);
            wave.dataLength = static_cast<size_t>(length);
            return wave;
        }
        at = body + length + (length & 1);
    }
    return std::nullopt;
}
