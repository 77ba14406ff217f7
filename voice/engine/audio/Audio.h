// The audio pipeline of one conference session: the codec the server named,
// the sending side (sound card capture -> Collector -> sending channel) and
// the receiving side (receiving channel -> Sequencer -> sound card), started
// and stopped by the session through its media interface.
#pragma once

#include "Codec.h"
#include "Collector.h"
#include "IConfMedia.h"
#include "MediaChannel.h"
#include "Sequencer.h"
#include "Soundcard.h"
#include "WavePlayer.h"
#include "WaveRecorder.h"

#include <array>
#include <atomic>
#include <optional>
#include <vector>
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>

class Audio : public IConfMedia
{
public:
    struct Channels
    {
        MediaChannel* send = nullptr;
        MediaChannel* receive = nullptr;
    };
    using CodecMaker = std::function<std::unique_ptr<Codec>(const std::string& name)>;
    using ChannelSource = std::function<Channels()>;
    using Flag = std::function<bool()>;
    using Strings = std::function<std::string(int32_t)>;
    using Notice = std::function<void()>;

    // `frameTimer` ticks the wave player and recorder once per frame while
    // media runs; `recordFailed` hears that writing a recorded file failed
    // and the recording stopped, `recordPacket` gets recorded frames asked
    // for as packets, `playStatus` the play status of wave files, all on the
    // timer's thread (the play status with the player's lock held).
    Audio(Soundcard& card, IAudioTimer& playoutTimer, IAudioTimer& frameTimer,
          Collector::Clock now, CodecMaker makeCodec, ChannelSource channels, Flag handsFree,
          Strings strings, Notice recordFailed, WaveRecorder::Packet recordPacket,
          WavePlayer::Status playStatus);

    // The playout timer fired.
    void OnPlayoutTick() { m_sequencer.OnTick(); }
    // The frame timer fired.
    void OnFrameTick();
    // Recording what is played and sent to a wave file for the SDK host: a
    // status of WaveRecordStatus.
    int32_t StartRecord(const std::string& file, int32_t format, int32_t sources)
    {
        return m_recorder.StartRecord(file, format, sources);
    }
    void StopRecord() { m_recorder.StopRecord(); }
    int32_t RegisterForRecordPacket(bool on, int32_t format, int32_t sources)
    {
        return m_recorder.RegisterForPackets(on, format, sources);
    }
    // Wave files for the local speakers or the conference: a status of
    // WavePlayStatus.
    int32_t PlayWaveFile(const WavePlayer::Request& request) { return m_player.PlayFile(request); }
    int32_t PlayWaveResource(const WavePlayer::Request& request,
                             std::optional<std::vector<uint8_t>> image)
    {
        return m_player.PlayResource(request, std::move(image));
    }
    int32_t PlayWaveImage(const WavePlayer::Request& request, const std::vector<uint8_t>& image)
    {
        return m_player.PlayImage(request, image);
    }
    int32_t PlayWaveSamples(const WavePlayer::Request& request, std::vector<uint8_t> samples)
    {
        return m_player.PlaySamples(request, std::move(samples));
    }
    // Stops the file playing (all of them with `all`) and drops its frames
    // still on their way.
    void StopWavePlay(bool all);
    // Microphone on or off (push-to-talk or hands-free); false with the sound
    // card's error text in ErrorText().
    bool SetTransmit(bool on);
    bool IsTransmitting() const { return m_transmitting; }
    // The input level while transmitting, else the output level.
    int32_t Level() const;
    std::array<uint16_t, 2> Speakers() const
    {
        return m_sequencer.SpeakingAt(std::chrono::steady_clock::now());
    }
    const std::string& ErrorText() const { return m_error; }

    // IConfMedia
    void AddSource(int32_t user) override;
    void RemoveSource(int32_t user) override;
    void ConnectStreamMedia(const std::string& host, int32_t port,
                            const std::string& firstLine) override;
    ConfMediaResult OpenMedia(const ConfChannelOffer& offer, int32_t ownUser,
                              bool openSoundCard) override;
    int32_t TakeTestCount() override;
    void MediaTested(bool soundEnabled) override;
    bool StopMedia(int32_t reason, bool mediaOpen, std::string& errorText) override;

private:
    bool SetCodec(const std::string& name);
    std::unique_ptr<Codec> MakeDecoder();
    void Configure(int32_t frameMs, bool openSoundCard, ConfMediaResult& result);
    int32_t OpenUdpPort(int32_t port);
    bool StartMedia(int32_t ownUser, const std::string& host, int32_t port, int32_t frameMs);
    bool Stop();
    void PlayFrame(std::unique_ptr<WaveBuffer> frame, int32_t destination);

    Soundcard& m_card;
    IAudioTimer& m_frameTimer;
    WaveRecorder m_recorder;
    WavePlayer m_player;
    Sequencer m_sequencer;
    Collector m_collector;
    CodecMaker m_makeCodec;
    ChannelSource m_channels;
    Flag m_handsFree;
    Strings m_strings;
    std::unique_ptr<Codec> m_codec;
    Channels m_media;
    std::set<int32_t> m_sources;
    int32_t m_frameMs = 60;
    std::atomic<bool> m_framesRunning{false};
    std::atomic<bool> m_transmitting{false};
    std::string m_error;
};
