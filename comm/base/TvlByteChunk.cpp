#include "TvlByteChunk.h"

#include <algorithm>
#include <cstring>

uint32_t CTvlByteChunk::Write(const uint8_t* bytes, uint32_t n)
{
    const uint32_t stored = std::min(n, Room());
    const uint32_t tail = (m_start + m_count) % kSize;
    const uint32_t first = std::min(stored, kSize - tail);
    if (first)
        std::memcpy(m_data + tail, bytes, first);
    if (stored > first)
        std::memcpy(m_data, bytes + first, stored - first);
    m_count = static_cast<uint16_t>(m_count + stored);
    return n - stored;
}

uint32_t CTvlByteChunk::Consume(uint32_t n)
{
    if (n < m_count) {
        m_start = static_cast<uint16_t>((m_start + n) % kSize);
        m_count = static_cast<uint16_t>(m_count - n);
        return 0;
    }
    const uint32_t rest = n - m_count;
    m_count = 0;
    m_start = 0;
    return rest;
}

void CTvlByteChunk::Reset()
{
    m_count = 0;
    m_start = 0;
    next = nullptr;
}

uint32_t CTvlByteChunk::FrontLength() const
{
    return std::min<uint32_t>(m_count, kSize - m_start);
}
