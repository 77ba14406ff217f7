#include "Packet.h"

#include <algorithm>

namespace {

void Write16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value >> 8);
    at[1] = static_cast<uint8_t>(value);
}

void Write32(uint8_t* at, uint32_t value)
{
    Write16(at, static_cast<uint16_t>(value >> 16));
    Write16(at + 2, static_cast<uint16_t>(value));
}

} // namespace

Packet Packet::MakeOutgoing(uint8_t payloadType, uint16_t sequence, uint32_t timestamp,
                            uint32_t source, const uint8_t* frame, size_t frameSize)
{
    Packet packet;
    packet.m_frameCount = 1;
    packet.m_frameSize = frameSize;
    packet.m_wire.assign(kHeaderSize + frameSize, 0);
    packet.m_wire[0] = kSendMarker;
    packet.m_wire[1] = payloadType;
    Write16(&packet.m_wire[2], sequence);
    Write32(&packet.m_wire[4], timestamp);
    Write32(&packet.m_wire[8], source);
    std::copy(frame, frame + frameSize, packet.m_wire.begin() + kHeaderSize);
    return packet;
}

Packet::Parse Packet::Read(const uint8_t* bytes, size_t length, size_t frameSize,
                           size_t largestCount, Packet& packet, size_t& used)
{
    if (length < kHeaderSize)
        return Parse::Incomplete;
    const size_t count = bytes[0] & 0x0F;
    if (count == 0 || count > largestCount || !IsKnownPayloadType(bytes[1]))
        return Parse::Invalid;
    const size_t size = kHeaderSize + count * frameSize;
    if (length < size)
        return Parse::Incomplete;
    packet.m_wire.assign(bytes, bytes + size);
    packet.m_frameCount = count;
    packet.m_frameSize = frameSize;
    packet.m_playoutSlot = 0;
    used = size;
    return Parse::Complete;
}

uint16_t Packet::Read16(size_t offset) const
{
    return static_cast<uint16_t>(m_wire[offset] << 8 | m_wire[offset + 1]);
}

uint32_t Packet::Read32(size_t offset) const
{
    return static_cast<uint32_t>(Read16(offset)) << 16 | Read16(offset + 2);
}

uint16_t Packet::Sequence() const
{
    return Read16(2);
}

uint32_t Packet::Timestamp() const
{
    return Read32(4);
}

uint32_t Packet::Source() const
{
    return Read32(8);
}

uint16_t Packet::Speaker(size_t index) const
{
    return Read16(index == 0 ? 12 : 14);
}

const uint8_t* Packet::Frame(size_t index) const
{
    if (index >= m_frameCount)
        return nullptr;
    return m_wire.data() + kHeaderSize + index * m_frameSize;
}
