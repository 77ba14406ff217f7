#include "MediaChannel.h"

#include <cstring>

namespace {

constexpr char kTest[] = "TEST";
constexpr size_t kTestLength = sizeof kTest - 1;

} // namespace

MediaChannel::MediaChannel()
{
    m_buffer.reserve(kBufferSize);
}

int32_t MediaChannel::TakeTestCount()
{
    const int32_t count = m_testCount;
    m_testCount = 0;
    return count;
}

void MediaChannel::Receive(const uint8_t* bytes, size_t length)
{
    // Bytes that would overflow the buffer cannot belong to a packet this
    // channel accepts: the buffer and the new bytes are dropped.
    if (m_buffer.size() + length > kBufferSize) {
        m_buffer.clear();
        return;
    }
    m_buffer.insert(m_buffer.end(), bytes, bytes + length);
    Parse();
}

void MediaChannel::ReceiveDatagram(const uint8_t* bytes, size_t length)
{
    m_buffer.clear();
    Receive(bytes, length);
    m_buffer.clear();
}

size_t MediaChannel::SkipTest(size_t at) const
{
    size_t end = at + kTestLength;
    while (end < m_buffer.size() && m_buffer[end] >= '0' && m_buffer[end] <= '9')
        ++end;
    return end - at;
}

void MediaChannel::Parse()
{
    size_t at = 0;
    while (at < m_buffer.size()) {
        const size_t left = m_buffer.size() - at;
        if (left >= kTestLength && std::memcmp(&m_buffer[at], kTest, kTestLength) == 0) {
            ++m_testCount;
            at += SkipTest(at);
            continue;
        }
        auto packet = std::make_unique<Packet>();
        size_t used = 0;
        const Packet::Parse result =
            Packet::Read(&m_buffer[at], left, m_frameSize, m_largestCount, *packet, used);
        if (result == Packet::Parse::Invalid) {
            m_buffer.clear();
            return;
        }
        if (result == Packet::Parse::Incomplete)
            break;
        at += used;
        if (m_receiver)
            m_receiver->TakePacket(std::move(packet));
    }
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<std::ptrdiff_t>(at));
}
