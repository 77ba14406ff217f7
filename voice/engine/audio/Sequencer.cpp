#include "Sequencer.h"

#include <algorithm>

namespace {

constexpr uint32_t kSamplesPerMs = 8;

} // namespace

Sequencer::Sequencer(IAudioTimer& timer, Player player)
    : m_timer(timer), m_player(std::move(player))
{
}

void Sequencer::SetFrameMs(int32_t frameMs)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_frameMs = std::clamp(frameMs, 1, WaveBuffer::kLongestFrameMs);
}

void Sequencer::AddSource(uint16_t source, std::unique_ptr<Codec> decoder)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_decoders[source] = std::move(decoder);
}

void Sequencer::RemoveSource(uint16_t source)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_decoders.erase(source);
}

void Sequencer::ExcludeLastSpeakers(bool exclude)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_excluded = exclude ? m_lastSpeakers : std::array<uint16_t, 2>{};
}

void Sequencer::Stop()
{
    m_timer.Cancel();
    std::lock_guard<std::mutex> hold(m_lock);
    m_running = false;
    m_localStart = false;
    m_jitter.clear();
    m_local.clear();
    m_decoders.clear();
}

void Sequencer::PlayLocal(std::unique_ptr<WaveBuffer> frame)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_local.push_back(std::move(frame));
    // An idle playout starts for it; a running one (or one about to start)
    // takes it with its next tick.
    if (!m_running && !m_localStart) {
        m_localStart = true;
        m_timer.Start(static_cast<uint32_t>(m_frameMs));
    }
}

void Sequencer::ClearLocal()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_local.clear();
}

// The slot continues the talk spurt by sequence number while the packet is
// not behind the time its timestamp gives; otherwise the packet re-anchors
// the spurt. An idle playout starts a new spurt.
int32_t Sequencer::SlotFor(const Packet& packet)
{
    const uint32_t frame = packet.Timestamp() / (static_cast<uint32_t>(m_frameMs) * kSamplesPerMs);
    // Sequence numbers wrap at 16 bits: an older packet is behind, not far ahead.
    const int32_t diff = static_cast<int16_t>(packet.Sequence() - m_referenceSequence);
    if (m_running && static_cast<uint32_t>(diff) + m_referenceFrame >= frame)
        return diff + m_referenceSlot;
    int32_t slot;
    if (m_running) {
        slot = static_cast<int32_t>(frame - m_referenceFrame) + m_referenceSlot;
    } else {
        if (static_cast<uint32_t>(diff) + m_referenceFrame < frame)
            m_lastSpeakers = m_excluded = {};
        m_running = true;
        m_timer.Start(static_cast<uint32_t>(m_frameMs * m_window.PlayoutStart() + kBaseDelayMs));
        slot = static_cast<int32_t>(frame) + kBaseDelayMs / m_frameMs;
        m_currentSlot = slot;
    }
    m_referenceSequence = packet.Sequence();
    m_referenceFrame = frame;
    m_referenceSlot = slot;
    return slot;
}

void Sequencer::TakePacket(std::unique_ptr<Packet> packet)
{
    std::lock_guard<std::mutex> hold(m_lock);
    const int32_t slot = SlotFor(*packet);
    m_window.Arrival(slot, m_currentSlot);
    if (slot < m_currentSlot || slot - m_currentSlot > kFarthestSlot)
        return; // late, or too far ahead to be real
    packet->SetPlayoutSlot(slot);
    Insert(std::move(packet));
}

// In timestamp order: before the first queued packet that is not older.
void Sequencer::Insert(std::unique_ptr<Packet> packet)
{
    auto at = m_jitter.begin();
    while (at != m_jitter.end() && (*at)->Timestamp() < packet->Timestamp())
        ++at;
    m_jitter.insert(at, std::move(packet));
}

void Sequencer::OnTick()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_localStart = false;
    do {
        std::unique_ptr<WaveBuffer> local;
        if (!m_local.empty()) {
            local = std::move(m_local.front());
            m_local.pop_front();
        }
        const bool hadPackets = !m_jitter.empty();
        std::unique_ptr<WaveBuffer> mix;
        while (!m_jitter.empty() && m_jitter.front()->PlayoutSlot() <= m_currentSlot) {
            std::unique_ptr<WaveBuffer> decoded = Decode(*m_jitter.front());
            m_jitter.pop_front();
            if (decoded && mix)
                mix->MixIn(*decoded);
            else if (decoded)
                mix = std::move(decoded);
        }
        if (hadPackets)
            ++m_currentSlot;
        if (mix && local)
            mix->MixIn(*local);
        else if (local)
            mix = std::move(local);
        if (!mix)
            break;
        m_player(std::move(mix));
    } while (static_cast<size_t>(m_window.PlayoutStart()) < m_jitter.size() ||
             static_cast<size_t>(m_window.PlayoutStart()) < m_local.size());
    if (m_jitter.empty())
        m_running = false;
    if (!m_jitter.empty() || !m_local.empty())
        m_timer.Start(static_cast<uint32_t>(m_frameMs));
}

std::unique_ptr<WaveBuffer> Sequencer::Decode(const Packet& packet)
{
    const size_t speakers = packet.FrameCount() >= 2 ? 2 : 1;
    std::unique_ptr<WaveBuffer> mix;
    for (size_t i = 0; i < speakers; ++i) {
        std::unique_ptr<WaveBuffer> frame = DecodeFrame(packet, i);
        if (frame && mix)
            mix->MixIn(*frame);
        else if (frame)
            mix = std::move(frame);
    }
    const std::array<uint16_t, 2> heard{packet.Speaker(0),
                                        speakers == 2 ? packet.Speaker(1) : uint16_t{0}};
    for (uint16_t& excluded : m_excluded) {
        if (excluded != heard[0] && excluded != heard[1])
            excluded = 0;
    }
    m_lastSpeakers = heard;
    m_lastPlayed = std::chrono::steady_clock::now();
    return mix;
}

std::unique_ptr<WaveBuffer> Sequencer::DecodeFrame(const Packet& packet, size_t index)
{
    const uint16_t speaker = packet.Speaker(index);
    const auto found = m_decoders.find(speaker);
    if (IsExcluded(speaker) || found == m_decoders.end() ||
        found->second->PayloadType() != packet.PayloadType() || !packet.Frame(index))
        return nullptr;
    auto buffer = std::make_unique<WaveBuffer>(m_frameMs);
    found->second->Decode(packet.Frame(index), static_cast<uint16_t>(packet.FrameSize()),
                          buffer->Samples());
    return buffer;
}

bool Sequencer::IsExcluded(uint16_t speaker) const
{
    return speaker != 0 && (speaker == m_excluded[0] || speaker == m_excluded[1]);
}

std::array<uint16_t, 2> Sequencer::LastSpeakers() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_lastSpeakers;
}

std::array<uint16_t, 2> Sequencer::SpeakingAt(std::chrono::steady_clock::time_point now) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (now - m_lastPlayed >= std::chrono::milliseconds(kSpeakingHoldMs))
        return {};
    return m_lastSpeakers;
}

int32_t Sequencer::JitterDelay() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_window.PlayoutStart();
}

size_t Sequencer::Queued() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_jitter.size();
}
