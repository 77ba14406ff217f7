// Test helper: an encoder of protocol bytes written independently of the
// library's own builders, so that a coding mistake made the same way on both
// sides still shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class CWireEncoder {
public:
    CWireEncoder& U8(uint32_t value);
    CWireEncoder& U16(uint32_t value);
    CWireEncoder& U32(uint32_t value);
    CWireEncoder& U32Le(uint32_t value);
    // 16-bit length, then the bytes.
    CWireEncoder& Text(const std::string& text);
    // 32-bit length, then the bytes.
    CWireEncoder& Blob(const Bytes& bytes);
    CWireEncoder& Raw(const Bytes& bytes);
    // Type, then the flags byte unless the type is 2 or 4.
    CWireEncoder& Header(uint32_t type, uint32_t flags = 0);

    const Bytes& Get() const { return m_bytes; }
    operator Bytes() const { return m_bytes; }

private:
    Bytes m_bytes;
};

// A message wrapped for a channel: 00 02, the channel id, the message.
Bytes OnChannel(uint32_t channel, const Bytes& message);

// One frame: an optional sequence byte (0x80 | seq when seq is not 0), the
// 32-bit big-endian length and the payload.
Bytes Frame(const Bytes& payload, uint32_t seq = 0);

// Concatenation.
Bytes operator+(Bytes left, const Bytes& right);
