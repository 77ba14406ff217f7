#include "Collector.h"

#include <memory>
#include <utility>
#include <vector>

Collector::Collector(Clock now, GainControl setGain)
    : m_now(std::move(now)), m_setGain(std::move(setGain))
{
}

void Collector::Bind(Codec& codec, MediaChannel& channel, uint32_t source, int32_t frameMs)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_codec = &codec;
    m_channel = &channel;
    m_source = source;
    m_clock.Bind(frameMs, m_now());
    m_gain = MicrophoneGain(frameMs);
}

void Collector::Unbind()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_codec = nullptr;
    m_channel = nullptr;
}

void Collector::OnCapture(WaveBuffer& buffer)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_codec || !m_channel)
        return;
    if (!m_injected.empty()) {
        buffer.MixIn(*m_injected.front());
        m_injected.pop_front();
    }
    Send(buffer);
    if (m_sentFrames)
        m_sentFrames(buffer);
    if (const auto gain = m_gain.OnFrame(buffer.Level()))
        m_setGain(*gain);
}

void Collector::Send(const WaveBuffer& buffer)
{
    const auto codedBytes = static_cast<uint16_t>(m_codec->CodedBytesPerPacket());
    std::vector<uint8_t> coded(codedBytes);
    m_codec->Encode(buffer.Samples(), codedBytes, coded.data());
    m_channel->SendPacket(std::make_unique<Packet>(Packet::MakeOutgoing(
        static_cast<uint8_t>(m_codec->PayloadType()), m_sequence++, m_clock.Next(m_now()),
        m_source, coded.data(), coded.size())));
}

void Collector::Inject(std::unique_ptr<WaveBuffer> frame, bool transmitting)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_codec || !m_channel)
        return;
    if (transmitting) {
        m_injected.push_back(std::move(frame));
        return;
    }
    while (!m_injected.empty()) {
        Send(*m_injected.front());
        m_injected.pop_front();
    }
    Send(*frame);
}

void Collector::ClearInjected()
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_injected.clear();
}

int32_t Collector::Gain() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_gain.Gain();
}
