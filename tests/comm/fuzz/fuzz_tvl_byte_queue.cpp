// Byte queues driven by arbitrary operations, checked against a plain byte vector.
//
// Each operation is three input bytes: the operation, then a 16-bit size.
// Two queues are kept so that MoveFrom is exercised in both directions. Sizes
// are compared after every operation, the bytes themselves at the end.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "TvlByteChunk.h"
#include "TvlByteQueue.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

struct Pair {
    CTvlByteQueue queue;
    std::vector<uint8_t> model;
};

void CheckSame(const Pair& pair)
{
    Check(pair.queue.Size() == pair.model.size());
    size_t i = 0;
    for (const CTvlByteChunk* chunk = pair.queue.FirstChunk(); chunk; chunk = chunk->next) {
        Check(chunk->next || chunk == pair.queue.LastChunk());
        const uint8_t* area = chunk->Front() - chunk->Start();
        for (uint32_t k = 0; k < chunk->Count(); ++k)
            Check(area[(chunk->Start() + k) % CTvlByteChunk::kSize] == pair.model[i++]);
    }
    Check(i == pair.model.size());
    uint32_t length = 0;
    const uint8_t* front = pair.queue.Front(length);
    Check((front == nullptr) == pair.model.empty());
    Check(length <= pair.model.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Pair pairs[2];
    // Writes take slices of one pattern at shifting offsets, so every byte
    // differs from its neighbours and misplaced bytes show.
    static const std::vector<uint8_t> pattern = [] {
        std::vector<uint8_t> bytes(20000 + 251);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i % 251);
        return bytes;
    }();
    size_t offset = 0;
    for (size_t at = 0; at + 3 <= size; at += 3) {
        const uint8_t op = data[at];
        const uint32_t n = static_cast<uint32_t>(data[at + 1] << 8 | data[at + 2]) % 20000;
        Pair& pair = pairs[op & 1];
        Pair& other = pairs[(op & 1) ^ 1];
        switch ((op >> 1) % 4) {
        case 0:
        {
            const uint8_t* bytes = pattern.data() + offset;
            offset = (offset + 1) % 251;
            pair.queue.Write(bytes, n);
            pair.model.insert(pair.model.end(), bytes, bytes + n);
            break;
        }
        case 1:
            pair.queue.Discard(n);
            pair.model.erase(pair.model.begin(), pair.model.begin() + std::min<size_t>(n, pair.model.size()));
            break;
        case 2:
            pair.queue.MoveFrom(other.queue);
            pair.model.insert(pair.model.end(), other.model.begin(), other.model.end());
            other.model.clear();
            break;
        default:
            pair.queue.Clear();
            pair.model.clear();
            break;
        }
        Check(pairs[0].queue.Size() == pairs[0].model.size());
        Check(pairs[1].queue.Size() == pairs[1].model.size());
    }
    CheckSame(pairs[0]);
    CheckSame(pairs[1]);
    return 0;
}
