// CTvlBlob: a counted block of bytes, owned or referred to.
#pragma once

#include <cstdint>

#include "TvlObject.h"

class TvlNdr;

// On the wire a blob is its 32-bit big-endian length and the bytes; writers
// put it themselves with PutLong(Length()) and PutBytes(Length(), Bytes()).
// A blob with a header holds a type byte, a value byte and then its body.
class CTvlBlob : public CTvlObject {
public:
    // Copies the bytes into a block of its own when `copy` is set, else
    // refers to them (they must then outlive the blob).
    explicit CTvlBlob(uint32_t length = 0, const uint8_t* bytes = nullptr, bool copy = true);
    // Header form: type byte, value byte, then a copy of the body bytes
    // (none when `bytes` is missing).
    CTvlBlob(uint8_t type, uint8_t value, uint32_t length, const uint8_t* bytes);
    // Always copies the other blob's bytes.
    CTvlBlob(const CTvlBlob& other);
    CTvlBlob& operator=(const CTvlBlob& other);
    ~CTvlBlob() override;

    // Copies length bytes into a new owned block; with either missing the
    // blob becomes empty. Owned afterwards in both cases. The bytes may lie
    // inside this blob's own block.
    void Assign(uint32_t length, const uint8_t* bytes);
    // Takes a TvlAlloc block as its own, with the allocator mark.
    void Adopt(uint32_t length, uint8_t* block, int32_t mark);
    // Refers to bytes it does not own.
    void Refer(uint32_t length, const uint8_t* bytes);

    // Reads a 32-bit big-endian length and that many bytes. With `copy` the
    // bytes are copied; without it the blob refers to the reader's bytes,
    // valid only while those bytes live. False when the length cannot be read
    // or more bytes are claimed than remain (the length is then consumed).
    bool Unmarshal(TvlNdr& reader, bool copy);

    // Splits the header form: type = byte 0, value = byte 1 (with at least 2
    // bytes); returns the body and its length when more than 2 bytes are
    // held, else nullptr. Every output is 0 first.
    const uint8_t* SplitHeader(uint8_t& type, uint8_t& value, uint32_t& bodyLength) const;

    uint32_t Length() const { return m_length; }
    // The bytes, or nullptr when the length is 0.
    const uint8_t* Bytes() const { return m_bytes; }
    bool IsOwned() const { return m_owned != 0; }

private:
    void Free();

    int32_t m_owned;
    int32_t m_mark;
    uint32_t m_length;
    uint8_t* m_bytes;
};
