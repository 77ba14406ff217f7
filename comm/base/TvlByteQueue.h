// CTvlByteQueue: a FIFO of bytes kept in pooled 8192-byte chunks.
#pragma once

#include <cstdint>

#include "TvlByteChunk.h"
#include "TvlObject.h"

// Bytes are appended to the last chunk and read from the first. A queue
// that runs out of memory for a chunk ends the process as out of memory.
class CTvlByteQueue : public CTvlObject {
public:
    CTvlByteQueue() : m_first(nullptr), m_last(nullptr) {}
    CTvlByteQueue(const CTvlByteQueue&) = delete;
    CTvlByteQueue& operator=(const CTvlByteQueue&) = delete;
    ~CTvlByteQueue() override;

    // Fills the free space of the last chunk, then appends chunks from the
    // pool until every byte is stored.
    void Write(const uint8_t* bytes, uint32_t n);
    // Bytes held.
    uint32_t Size() const;
    // Drops n bytes from the front (all of them when fewer are held). Chunks
    // that become empty go back to the pool, except the last one, which stays
    // in place empty.
    void Discard(uint32_t n);
    // Moves every byte of `other` to the end of this queue.
    void MoveFrom(CTvlByteQueue& other);
    // Returns every chunk to the pool.
    void Clear();

    // The bytes at the front that lie in one piece (for a send call), and
    // their number; nullptr and 0 when the queue is empty.
    const uint8_t* Front(uint32_t& length) const;

    CTvlByteChunk* FirstChunk() const { return m_first; }
    CTvlByteChunk* LastChunk() const { return m_last; }

private:
    void AppendChunk();

    CTvlByteChunk* m_first;
    CTvlByteChunk* m_last;
};
