#include "Audio.h"

#include <cstdio>

namespace {

constexpr int32_t kStringSocketError = 202; // "0x%x": the socket error
constexpr int32_t kStringRtpPort = 212;     // "%d": the port
constexpr int32_t kNextPortTried = 2;
constexpr char kEchoFreeCodec[] = "G72364";

std::string WithValue(std::string text, const char* conversion, const std::string& value)
{
    const size_t at = text.find(conversion);
    if (at != std::string::npos)
        text.replace(at, 2, value);
    return text;
}

std::string Hex(int32_t code)
{
    char text[16];
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(code));
    return text;
}

} // namespace

Audio::Audio(Soundcard& card, IAudioTimer& playoutTimer, IAudioTimer& frameTimer,
             Collector::Clock now, CodecMaker makeCodec, ChannelSource channels, Flag handsFree,
             Strings strings, Notice recordFailed, WaveRecorder::Packet recordPacket,
             WavePlayer::Status playStatus)
    : m_card(card),
      m_frameTimer(frameTimer),
      m_recorder(std::move(recordFailed), std::move(recordPacket)),
      m_player([this](std::unique_ptr<WaveBuffer> frame,
                      int32_t destination) { PlayFrame(std::move(frame), destination); },
               std::move(playStatus)),
      m_sequencer(playoutTimer,
                  [this](std::unique_ptr<WaveBuffer> buffer) {
                      m_recorder.OfferPlayed(*buffer);
                      m_card.Play(std::move(buffer));
                  }),
      m_collector(std::move(now), [&card](int32_t gain) { return card.SetMicrophoneGain(gain); }),
      m_makeCodec(std::move(makeCodec)),
      m_channels(std::move(channels)),
      m_handsFree(std::move(handsFree)),
      m_strings(std::move(strings))
{
    m_card.SetCaptureListener(&m_collector);
    m_collector.SetSentFrames([this](const WaveBuffer& frame) { m_recorder.OfferSent(frame); });
}

bool Audio::SetCodec(const std::string& name)
{
    if (!m_codec || m_codec->Name() != name)
        m_codec = m_makeCodec(name);
    return m_codec && m_codec->IsReady();
}

std::unique_ptr<Codec> Audio::MakeDecoder()
{
    std::unique_ptr<Codec> decoder = m_makeCodec(m_codec->Name());
    decoder->SetFrameDurationMs(m_codec->FrameDurationMs());
    return decoder;
}

void Audio::AddSource(int32_t user)
{
    m_sources.insert(user);
    if (m_codec && m_codec->IsReady())
        m_sequencer.AddSource(static_cast<uint16_t>(user), MakeDecoder());
}

void Audio::RemoveSource(int32_t user)
{
    m_sources.erase(user);
    m_sequencer.RemoveSource(static_cast<uint16_t>(user));
}

void Audio::ConnectStreamMedia(const std::string& host, int32_t port, const std::string& firstLine)
{
    if (!m_media.receive)
        return;
    m_media.receive->Close();
    if (m_media.receive->Open(host, port, false))
        m_media.receive->SendBytes(reinterpret_cast<const uint8_t*>(firstLine.data()),
                                   firstLine.size());
}

ConfMediaResult Audio::OpenMedia(const ConfChannelOffer& offer, int32_t ownUser,
                                 bool openSoundCard)
{
    ConfMediaResult result;
    m_media = m_channels();
    if (!m_media.send || !m_media.receive || !SetCodec(offer.codec)) {
        result.outcome = ConfMediaResult::Outcome::CodecRefused;
        return result;
    }
    Configure(offer.interval, openSoundCard, result);
    result.localPort = OpenUdpPort(offer.port);
    if (result.localPort == 0)
        result.localPort = OpenUdpPort(offer.port + kNextPortTried);
    const bool started = StartMedia(ownUser, offer.host, offer.port, offer.interval);
    result.outcome = started ? ConfMediaResult::Outcome::Ready : ConfMediaResult::Outcome::Failed;
    result.errorText = started ? std::string() : m_error;
    return result;
}

void Audio::Configure(int32_t frameMs, bool openSoundCard, ConfMediaResult& result)
{
    m_frameMs = frameMs;
    m_codec->SetFrameDurationMs(frameMs);
    const auto codedBytes = static_cast<size_t>(m_codec->CodedBytesPerPacket());
    m_media.send->SetFrameSize(codedBytes);
    m_media.send->SetLargestCount(1);
    m_media.receive->SetFrameSize(codedBytes);
    m_media.receive->SetLargestCount(2);
    if (!m_card.PrepareAndOpen(frameMs, openSoundCard))
        result.configureError = m_card.ErrorText();
    m_sequencer.SetFrameMs(frameMs);
    for (int32_t user : m_sources)
        m_sequencer.AddSource(static_cast<uint16_t>(user), MakeDecoder());
    m_media.receive->SetPacketReceiver(&m_sequencer);
}

// The receiving side's local port, 0 when it cannot be bound.
int32_t Audio::OpenUdpPort(int32_t port)
{
    if (m_media.receive->Create(port, true))
        return port;
    m_error = WithValue(m_strings(kStringRtpPort), "%d", std::to_string(port));
    return 0;
}

bool Audio::StartMedia(int32_t ownUser, const std::string& host, int32_t port, int32_t frameMs)
{
    m_collector.Bind(*m_codec, *m_media.send, static_cast<uint32_t>(ownUser), frameMs);
    if (m_media.send->Open(host, port, true)) {
        m_framesRunning = true;
        m_frameTimer.Start(static_cast<uint32_t>(frameMs));
        return true;
    }
    m_error = WithValue(m_strings(kStringSocketError), "%x", Hex(m_media.send->LastError()));
    return false;
}

void Audio::OnFrameTick()
{
    if (!m_framesRunning)
        return;
    m_player.Tick(m_frameMs);
    m_recorder.Tick();
    m_frameTimer.Start(static_cast<uint32_t>(m_frameMs));
}

void Audio::PlayFrame(std::unique_ptr<WaveBuffer> frame, int32_t destination)
{
    if (destination == WavePlayer::kConference) {
        m_collector.Inject(std::move(frame), m_transmitting);
        return;
    }
    if (destination & WavePlayer::kConference)
        m_collector.Inject(frame->Copy(), m_transmitting);
    m_sequencer.PlayLocal(std::move(frame));
}

void Audio::StopWavePlay(bool all)
{
    m_player.Stop(all);
    m_sequencer.ClearLocal();
    m_collector.ClearInjected();
}

int32_t Audio::TakeTestCount()
{
    return m_media.receive ? m_media.receive->TakeTestCount() : 0;
}

// After the media test: hands-free talks at once; otherwise the microphone
// is switched on and off once, muted, so that the card is known to work.
void Audio::MediaTested(bool soundEnabled)
{
    if (!soundEnabled)
        return;
    if (m_handsFree()) {
        SetTransmit(true);
        return;
    }
    const bool muted = m_card.InputMute();
    m_card.SetInputMute(true);
    SetTransmit(true);
    SetTransmit(false);
    m_card.SetInputMute(muted);
}

bool Audio::SetTransmit(bool on)
{
    if (on == m_transmitting)
        return true;
    if (on && !m_handsFree() && m_codec && m_codec->Name() != kEchoFreeCodec)
        m_sequencer.ExcludeLastSpeakers(true);
    if (!on)
        m_sequencer.ExcludeLastSpeakers(false);
    const bool done = on ? m_card.StartTransmit() : m_card.StopTransmit();
    if (!done) {
        m_error = m_card.ErrorText();
        return false;
    }
    m_transmitting = on;
    return true;
}

int32_t Audio::Level() const
{
    return m_transmitting ? m_card.InputLevel() : m_card.OutputLevel();
}

bool Audio::StopMedia(int32_t, bool mediaOpen, std::string& errorText)
{
    SetTransmit(false);
    if (!mediaOpen || Stop())
        return true;
    errorText = m_error;
    return false;
}

bool Audio::Stop()
{
    m_framesRunning = false;
    m_frameTimer.Cancel();
    m_recorder.Stop();
    StopWavePlay(true);
    m_collector.Unbind();
    if (m_media.receive) {
        m_media.receive->SetPacketReceiver(nullptr);
        m_media.receive->Close();
    }
    if (m_media.send)
        m_media.send->Close();
    m_media = Channels();
    m_sequencer.Stop();
    if (m_card.Close())
        return true;
    m_error = m_card.ErrorText();
    return false;
}
