#include "ZrMessageReader.h"

#include "ZrMessage.h"

CZrMessageReader::CZrMessageReader(uint32_t length, const uint8_t* bytes) : TvlNdr(length, bytes)
{
}

bool CZrMessageReader::Parse()
{
    uint16_t type = 0;
    if (!GetShort(type))
        return false;
    m_type = type;
    m_headerLength = 2;
    if (CZrMessage::HasNoFlags(type))
        return true;
    uint8_t byte = 0;
    if (!GetByte(byte))
        return false;
    m_flags = byte;
    m_headerLength = 3;
    while (byte & kZrFlagMoreHeader) {
        if (!GetByte(byte))
            return false;
        ++m_headerLength;
    }
    return true;
}
