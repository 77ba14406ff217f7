// Feeds arbitrary bytes, in reads of varying size, to the tunnel response
// reader and the TCP line buffer. Every body handed on must fit the reader's
// buffer, and the buffers must never hold more than they allow.
#include "ControlLineBuffer.h"
#include "TunnelResponseReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TunnelResponseReader reader;
    ControlLineBuffer lines;
    size_t at = 0;
    while (at < size) {
        const size_t want = 1 + data[at] % 200;
        const char* bytes = reinterpret_cast<const char*>(data + at);
        const size_t length = std::min(want, size - at);
        std::vector<TunnelResponse> responses;
        reader.Append(bytes, std::min(length, reader.Room()), responses);
        for (const TunnelResponse& response : responses) {
            if (response.body.size() > TunnelResponseReader::kBufferSize)
                std::abort();
        }
        std::vector<std::string> cut;
        size_t tooLong = 0;
        lines.Append(bytes, std::min(length, lines.Room()), cut, tooLong);
        if (lines.Pending() > ControlLineBuffer::kLongestLine ||
            reader.Buffered() > TunnelResponseReader::kBufferSize)
            std::abort();
        at += length;
    }
    return 0;
}
