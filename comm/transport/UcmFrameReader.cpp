#include "UcmFrameReader.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

uint32_t LoadLength(const uint8_t* p)
{
    return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

constexpr uint8_t kKeepAliveByte = 0x80;
constexpr uint8_t kLastSequence = 127;

} // namespace

CUcmFrameReader::CUcmFrameReader(uint8_t options) : m_options(options)
{
}

uint8_t* CUcmFrameReader::ReadArea()
{
    if (IsLarge()) {
        GrowLargeFrame();
        return m_large.data() + m_largeHeld;
    }
    if (m_begin != 0) {
        std::memmove(m_buffer, m_buffer + m_begin, Available());
        m_end -= m_begin;
        m_begin = 0;
    }
    return m_buffer + m_end;
}

uint32_t CUcmFrameReader::ReadRoom()
{
    ReadArea();
    if (IsLarge())
        return static_cast<uint32_t>(m_large.size()) - m_largeHeld;
    return kBufferSize - m_end;
}

void CUcmFrameReader::GrowLargeFrame()
{
    if (m_large.size() > m_largeHeld || m_largeHeld >= m_expected)
        return;
    const uint32_t step = std::max(kGrowthStep, m_largeHeld);
    m_large.resize(m_largeHeld + std::min(step, m_expected - m_largeHeld));
}

void CUcmFrameReader::Added(uint32_t n)
{
    if (IsLarge())
        m_largeHeld += n;
    else
        m_end += n;
}

uint32_t CUcmFrameReader::Buffered() const
{
    return Available() + m_largeHeld;
}

CUcmFrameReader::Result CUcmFrameReader::Next(std::vector<uint8_t>& frame, int32_t& code)
{
    code = 0;
    if (m_failure != kNoFailure) {
        code = m_failureCode;
        return kFailed;
    }
    if (m_expected == 0) {
        code = ParseHeader();
        if (code != 0)
            return kFailed;
        if (m_expected == 0)
            return kNeedMore;
    }
    if (IsLarge()) {
        if (m_largeHeld < m_expected)
            return kNeedMore;
        frame.swap(m_large);
        m_large.clear();
        m_large.shrink_to_fit();
        m_largeHeld = 0;
    } else {
        if (Available() < m_expected)
            return kNeedMore;
        frame.assign(m_buffer + m_begin, m_buffer + m_begin + m_expected);
        m_begin += m_expected;
    }
    m_expected = 0;
    return kFrameReady;
}

void CUcmFrameReader::SkipKeepAlive()
{
    if (!(m_options & kKeepAlive))
        return;
    while (m_begin < m_end && m_buffer[m_begin] == kKeepAliveByte)
        ++m_begin;
}

int32_t CUcmFrameReader::ParseHeader()
{
    SkipKeepAlive();
    if (Available() == 0)
        return 0;
    const uint8_t first = m_buffer[m_begin];
    const bool numbered = (m_options & kSequence) && (first & 0x80);
    if (numbered) {
        m_receivedSequence = first & 0x7F;
        if (m_receivedSequence != ExpectedSequence())
            return Fail(kBadSequence, kCodeFraming);
    } else if (m_sequenceSeen) {
        return Fail(kMissingSequence, kCodeFraming);
    }
    const uint32_t headerLength = numbered ? 5 : 4;
    if (Available() < headerLength)
        return 0;
    const uint32_t length = LoadLength(m_buffer + m_begin + headerLength - 4);
    if (length == 0)
        return Fail(kEmptyFrame, kCodeOrderlyEnd);
    if (length > kMaxFrame)
        return Fail(kTooLong, kCodeNoMemory);
    if (numbered) {
        m_sequenceSeen = true;
        m_nextSequence = m_receivedSequence == kLastSequence ? 1 : m_receivedSequence + 1;
    }
    m_begin += headerLength;
    m_expected = length;
    return IsLarge() ? StartLargeFrame() : 0;
}

int32_t CUcmFrameReader::StartLargeFrame()
{
    try {
        m_large.reserve(m_expected);
    } catch (const std::bad_alloc&) {
        m_expected = 0;
        return Fail(kNoBuffer, kCodeNoMemory);
    }
    const uint32_t moved = std::min(Available(), m_expected);
    m_large.resize(moved);
    std::memcpy(m_large.data(), m_buffer + m_begin, moved);
    m_begin += moved;
    m_largeHeld = moved;
    return 0;
}

int32_t CUcmFrameReader::Fail(Failure failure, int32_t code)
{
    m_failure = failure;
    m_failureCode = code;
    return code;
}
