// CUcmFrameReader: cuts the bytes received on a connection into frames.
#pragma once

#include <cstdint>
#include <vector>

#include "TvlObject.h"

// A frame on the wire is an optional sequence byte (0x80 | number, numbers
// 1..127 and then 1 again), the payload length as a 32-bit big-endian number
// and the payload. Between frames a peer may send keep-alive bytes 0x80.
//
// Bytes arrive into a shared 8192-byte receive buffer; a frame longer than
// that gets a buffer of exactly its length (reserved at once, filled in
// steps as the bytes come), and the rest of its payload is received straight
// into it. Header bytes are dropped as soon as they are
// parsed, so a frame of up to 8192 payload bytes always fits the receive
// buffer and the read area is never empty.
class CUcmFrameReader : public CTvlObject {
public:
    static constexpr uint32_t kBufferSize = 8192;
    // Longest payload accepted; a longer length fails without allocating.
    static constexpr uint32_t kMaxFrame = 16u * 1024 * 1024;

    // Option bits, as kept by the connection.
    static constexpr uint8_t kKeepAlive = 0x01;
    static constexpr uint8_t kSequence = 0x02;

    // Library codes of a framing failure.
    static constexpr int32_t kCodeFraming = 10;
    static constexpr int32_t kCodeNoMemory = 11;
    static constexpr int32_t kCodeOrderlyEnd = 46;

    enum Result { kNeedMore, kFrameReady, kFailed };

    // What went wrong when Next answered kFailed.
    enum Failure { kNoFailure, kBadSequence, kMissingSequence, kEmptyFrame, kTooLong, kNoBuffer };

    explicit CUcmFrameReader(uint8_t options);

    // Where the next received bytes go and how many fit there (never 0).
    uint8_t* ReadArea();
    uint32_t ReadRoom();
    // Counts n bytes written into the read area.
    void Added(uint32_t n);

    // Cuts the next whole frame into `frame`. Call it until it answers
    // kNeedMore before receiving again. kFailed gives a library code.
    Result Next(std::vector<uint8_t>& frame, int32_t& code);

    // Bytes held and not yet delivered (header bytes included).
    uint32_t Buffered() const;
    // Before the first frame: the bytes held in the receive buffer (a
    // proxy's reply), and dropping n of them from the front.
    const uint8_t* HeldBytes() const { return m_buffer + m_begin; }
    uint32_t HeldCount() const { return m_end - m_begin; }
    void DropHeld(uint32_t n) { m_begin += n < HeldCount() ? n : HeldCount(); }
    uint32_t ExpectedLength() const { return m_expected; }

    Failure LastFailure() const { return m_failure; }
    // For a bad sequence number: the number received and the one expected.
    uint32_t ReceivedSequence() const { return m_receivedSequence; }
    uint32_t ExpectedSequence() const { return m_nextSequence == 0 ? 1 : m_nextSequence; }

private:
    bool IsLarge() const { return m_expected > kBufferSize; }
    uint32_t Available() const { return m_end - m_begin; }
    void SkipKeepAlive();
    // 0 when a header was parsed or more bytes are needed; else a code.
    int32_t ParseHeader();
    int32_t Fail(Failure failure, int32_t code);
    int32_t StartLargeFrame();
    // Makes room in the large-frame buffer for the next read.
    void GrowLargeFrame();

    static constexpr uint32_t kGrowthStep = 64 * 1024;

    uint8_t m_options;
    uint8_t m_nextSequence = 0;
    uint8_t m_receivedSequence = 0;
    bool m_sequenceSeen = false;
    Failure m_failure = kNoFailure;
    int32_t m_failureCode = 0;
    uint32_t m_expected = 0;
    uint32_t m_begin = 0;
    uint32_t m_end = 0;
    uint8_t m_buffer[kBufferSize];
    std::vector<uint8_t> m_large;
    uint32_t m_largeHeld = 0;
};
