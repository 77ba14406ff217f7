// Arbitrary bytes through the frame reader.
//
// Input: byte 0 gives the options (keep-alive, sequence bytes); byte 1 seeds
// the read sizes; the rest is the received stream. The stream is cut twice,
// whole reads and small reads, and both cuts must give the same frames and
// the same failure; the read area is never empty.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "UcmFrameReader.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Outcome {
    std::vector<std::vector<uint8_t>> frames;
    int32_t code = 0;
};

Outcome Feed(uint8_t options, const uint8_t* data, size_t size, uint32_t seed)
{
    CUcmFrameReader reader(options);
    Outcome outcome;
    size_t pos = 0;
    uint32_t state = seed | 1;
    while (pos < size) {
        const uint32_t room = reader.ReadRoom();
        Check(room > 0);
        state = state * 1103515245u + 12345u;
        const size_t want = seed == 0 ? size : 1 + (state >> 16) % 64;
        size_t n = want < room ? want : room;
        if (n > size - pos)
            n = size - pos;
        std::memcpy(reader.ReadArea(), data + pos, n);
        reader.Added(static_cast<uint32_t>(n));
        pos += n;
        std::vector<uint8_t> frame;
        for (;;) {
            const CUcmFrameReader::Result result = reader.Next(frame, outcome.code);
            if (result == CUcmFrameReader::kFailed)
                return outcome;
            if (result == CUcmFrameReader::kNeedMore)
                break;
            Check(!frame.empty() && frame.size() <= CUcmFrameReader::kMaxFrame);
            outcome.frames.push_back(frame);
        }
    }
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t options = data[0] & (CUcmFrameReader::kKeepAlive | CUcmFrameReader::kSequence);
    const uint32_t seed = data[1] | 1u;
    const Outcome whole = Feed(options, data + 2, size - 2, 0);
    const Outcome pieces = Feed(options, data + 2, size - 2, seed);
    Check(whole.code == pieces.code);
    Check(whole.frames == pieces.frames);
    return 0;
}
