// TvlNdr: the value coder of every protocol message, object description and
// user-to-user payload.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "TvlObject.h"

// A coder is either written or read. A writer fills its own block from the
// start (a pooled 1024-byte block at first; growth doubles the need and rounds
// up to a multiple of 65536). A reader walks received bytes that belong to
// someone else. Multi-byte values are big-endian when `network` is set (every
// protocol field) and little-endian when it is clear.
//
// Readers return true on success and false when fewer bytes remain than they
// need; then neither the output nor the cursor changes (GetText has consumed
// its length field when the length itself is refused).
class TvlNdr : public CTvlObject {
public:
    // Longest text PutText accepts; a longer one ends the process.
    static constexpr uint32_t kMaxText = 0x7FFF;

    // Writer over a block of its own.
    TvlNdr();
    // Reader over `length` bytes owned by the caller, which must outlive it.
    TvlNdr(uint32_t length, const uint8_t* bytes);
    // A reader copy shares the bytes and the cursor; a writer copy gets its own
    // block with the used bytes and the cursor at the same offset.
    TvlNdr(const TvlNdr& other);
    TvlNdr& operator=(const TvlNdr& other);
    ~TvlNdr() override;

    // Makes room for n more bytes after the cursor. A reader that is written
    // to moves to a block of its own first. A size beyond a 32-bit signed
    // capacity ends the process as out of memory.
    void Reserve(uint32_t n);

    void PutByte(uint8_t value);
    void PutShort(uint16_t value, bool network = true);
    void PutLong(uint32_t value, bool network = true);
    // 16-bit big-endian length, then the bytes. A text longer than kMaxText
    // ends the process through TvlFatal (line 178, file "TvlNdr").
    void PutText(std::string_view text);
    // The bytes alone; nothing at all when n is 0.
    void PutBytes(uint32_t n, const void* bytes);

    bool GetByte(uint8_t& out);
    bool GetShort(uint16_t& out, bool network = true);
    bool GetLong(uint32_t& out, bool network = true);
    // One byte; the output is its bit 0.
    bool GetBool(int32_t& out);
    // Length field (refused from 0x8000 or when longer than what remains),
    // then exactly that many bytes, NULs included.
    bool GetText(std::string& out);
    // n bytes into `destination`; true without reading when n is 0.
    bool GetBytes(uint32_t n, void* destination);
    // Big-endian 16-bit value, zero-extended.
    bool GetWord(uint32_t& out);
    // One byte, zero-extended.
    bool GetOctet(uint32_t& out);
    // Big-endian 16-bit kind word, zero-extended; true only when exactly one
    // of bits 8-15 is set. The value is stored even when that test fails.
    bool GetKind(uint32_t& out);

    // Moves the cursor past n bytes; false (and no move) when fewer remain.
    bool Skip(uint32_t n);

    // First byte of the block (the message bytes of a writer).
    const uint8_t* Data() const { return m_start; }
    // Next byte to write or to read.
    const uint8_t* Cursor() const { return m_cursor; }
    // Bytes written so far, or bytes read so far.
    uint32_t Used() const { return static_cast<uint32_t>(m_cursor - m_start); }
    // Bytes left before the end of the block (a reader: bytes left to read).
    uint32_t Remaining() const { return m_capacity - Used(); }
    uint32_t Capacity() const { return m_capacity; }
    bool IsBorrowed() const { return m_borrowed != 0; }

private:
    void CopyFrom(const TvlNdr& other);
    void Release();
    uint8_t* Advance(uint32_t n);

    int32_t m_borrowed;
    uint8_t* m_start;
    uint32_t m_capacity;
    uint8_t* m_cursor;
};
