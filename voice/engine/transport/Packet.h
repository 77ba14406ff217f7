// A media packet: a 16-byte header in network byte order followed by codec
// frames. The engine sends packets of exactly one frame with first byte 0x80
// and both speaker fields 0; it receives packets whose first byte's low four
// bits give the frame count, frame i carrying the voice of speaker i.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class Packet
{
public:
    static constexpr size_t kHeaderSize = 16;
    static constexpr uint8_t kSendMarker = 0x80;
    static constexpr uint8_t kQual68 = 0;
    static constexpr uint8_t kG72364 = 4;

    enum class Parse { Complete, Incomplete, Invalid };

    // A packet in the form the engine sends: one frame of `frameSize` bytes.
    static Packet MakeOutgoing(uint8_t payloadType, uint16_t sequence, uint32_t timestamp,
                               uint32_t source, const uint8_t* frame, size_t frameSize);

    // Reads one received packet from the start of `bytes`. Complete: `packet`
    // holds it and `used` is its size. A count of 0 or above `largestCount`
    // or an unknown payload type is Invalid; too few bytes are Incomplete.
    static Parse Read(const uint8_t* bytes, size_t length, size_t frameSize,
                      size_t largestCount, Packet& packet, size_t& used);

    static bool IsKnownPayloadType(uint8_t type) { return type == kQual68 || type == kG72364; }

    size_t FrameCount() const { return m_frameCount; }
    size_t FrameSize() const { return m_frameSize; }
    uint8_t PayloadType() const { return m_wire[1]; }
    uint16_t Sequence() const;
    uint32_t Timestamp() const;
    uint32_t Source() const;
    // The user whose voice frame `index` (0 or 1) carries.
    uint16_t Speaker(size_t index) const;
    // Frame `index`, or null when the packet has no such frame.
    const uint8_t* Frame(size_t index) const;

    // The wire form: header and frames.
    const std::vector<uint8_t>& Bytes() const { return m_wire; }

    // The playout slot the audio pipeline gives a received packet.
    int32_t PlayoutSlot() const { return m_playoutSlot; }
    void SetPlayoutSlot(int32_t slot) { m_playoutSlot = slot; }

    // Packets are ordered by timestamp.
    bool operator<(const Packet& other) const { return Timestamp() < other.Timestamp(); }

private:
    uint16_t Read16(size_t offset) const;
    uint32_t Read32(size_t offset) const;

    std::vector<uint8_t> m_wire = std::vector<uint8_t>(kHeaderSize);
    size_t m_frameCount = 0;
    size_t m_frameSize = 0;
    int32_t m_playoutSlot = 0;
};
