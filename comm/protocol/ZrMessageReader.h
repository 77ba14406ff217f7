// CZrMessageReader: a received protocol message, read field by field.
#pragma once

#include <cstdint>

#include "TvlNdr.h"

// A reader over the bytes of one received message. Parse checks the header
// and leaves the cursor on the first field; the type, the flags byte and the
// header length are kept beside it. The bytes belong to the caller and must
// outlive the reader.
class CZrMessageReader : public TvlNdr {
public:
    CZrMessageReader(uint32_t length, const uint8_t* bytes);

    // Reads the 16-bit type and, for types other than 2 and 4, the header
    // bytes from offset 2 on while each has bit 7 set. False when the bytes
    // end inside the header.
    bool Parse();

    uint32_t Type() const { return m_type; }
    uint32_t HeaderLength() const { return m_headerLength; }
    // Bit 0 of the flags byte; false for a header without one.
    bool GetFlag() const { return (m_flags & 0x01) != 0; }
    // The whole message as received.
    uint32_t Length() const { return Capacity(); }
    const uint8_t* Bytes() const { return Data(); }

private:
    uint32_t m_type = 0;
    uint32_t m_headerLength = 0;
    uint8_t m_flags = 0;
};
