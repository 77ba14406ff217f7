// CTvlByteChunk: an 8192-byte ring, the unit of the byte queues.
#pragma once

#include <cstdint>

#include "TvlObject.h"

class CTvlByteChunk : public CTvlObject {
public:
    static constexpr uint32_t kSize = 8192;

    CTvlByteChunk() : next(nullptr), m_count(0), m_start(0) {}

    // Appends as much as fits: from start+count to the end of the area, then
    // from the front of the area up to start. Answers the bytes that did not
    // fit.
    uint32_t Write(const uint8_t* bytes, uint32_t n);
    // Drops n bytes from the front. Answers 0 when fewer than the count were
    // dropped; otherwise empties the chunk and answers n minus the old count.
    uint32_t Consume(uint32_t n);
    // Empties the chunk and clears its next link.
    void Reset();

    // The bytes at the front that lie in one piece, and how many.
    const uint8_t* Front() const { return m_data + m_start; }
    uint32_t FrontLength() const;

    uint32_t Count() const { return m_count; }
    uint32_t Start() const { return m_start; }
    uint32_t Room() const { return kSize - m_count; }

    // Next chunk of the queue that holds this one.
    CTvlByteChunk* next;

private:
    uint8_t m_data[kSize];
    uint16_t m_count;
    uint16_t m_start;
};
