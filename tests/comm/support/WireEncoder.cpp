#include "WireEncoder.h"

CWireEncoder& CWireEncoder::U8(uint32_t value)
{
    m_bytes.push_back(static_cast<uint8_t>(value));
    return *this;
}

CWireEncoder& CWireEncoder::U16(uint32_t value)
{
    return U8(value >> 8).U8(value);
}

CWireEncoder& CWireEncoder::U32(uint32_t value)
{
    return U16(value >> 16).U16(value & 0xFFFF);
}

CWireEncoder& CWireEncoder::U32Le(uint32_t value)
{
    return U8(value).U8(value >> 8).U8(value >> 16).U8(value >> 24);
}

CWireEncoder& CWireEncoder::Text(const std::string& text)
{
    U16(static_cast<uint32_t>(text.size()));
    m_bytes.insert(m_bytes.end(), text.begin(), text.end());
    return *this;
}

CWireEncoder& CWireEncoder::Blob(const Bytes& bytes)
{
    U32(static_cast<uint32_t>(bytes.size()));
    return Raw(bytes);
}

CWireEncoder& CWireEncoder::Raw(const Bytes& bytes)
{
    m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
    return *this;
}

CWireEncoder& CWireEncoder::Header(uint32_t type, uint32_t flags)
{
    U16(type);
    if (type != 2 && type != 4)
        U8(flags);
    return *this;
}

Bytes OnChannel(uint32_t channel, const Bytes& message)
{
    return CWireEncoder().U16(2).U32(channel).Raw(message);
}

Bytes Frame(const Bytes& payload, uint32_t seq)
{
    CWireEncoder frame;
    if (seq != 0)
        frame.U8(0x80 | seq);
    return frame.U32(static_cast<uint32_t>(payload.size())).Raw(payload);
}

Bytes operator+(Bytes left, const Bytes& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}
