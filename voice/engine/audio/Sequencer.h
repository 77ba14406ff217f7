// The receiving side of the audio pipeline: received packets are given a
// playout slot, kept in order in the jitter queue, and played one slot per
// tick of a one-shot timer: each speaker's frame decoded by that speaker's
// own decoder, the speakers mixed, the mix played. The jitter delay grows
// with late packets; a talk spurt starts after it plus 60 ms. Speakers can
// be excluded (echo exclusion while the local user starts talking).
#pragma once

#include "Codec.h"
#include "IWaveDevices.h"
#include "MediaChannel.h"
#include "Packet.h"
#include "SequenceWindow.h"
#include "WaveBuffer.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>

class Sequencer : public IPacketReceiver
{
public:
    using Player = std::function<void(std::unique_ptr<WaveBuffer>)>;

    static constexpr int32_t kBaseDelayMs = 60;
    // Packets further ahead than this are not kept (about 10 s of 60-ms frames).
    static constexpr int32_t kFarthestSlot = 200;

    Sequencer(IAudioTimer& timer, Player player);

    void SetFrameMs(int32_t frameMs);
    // A decoder for the packets of `source`, replacing any earlier one.
    void AddSource(uint16_t source, std::unique_ptr<Codec> decoder);
    void RemoveSource(uint16_t source);
    // The speakers heard last become the excluded speakers (or none).
    void ExcludeLastSpeakers(bool exclude);
    // Ends playout: the timer, both queues and every decoder.
    void Stop();
    // A frame for the local speakers only (wave audio), mixed into the
    // received audio of a coming tick.
    void PlayLocal(std::unique_ptr<WaveBuffer> frame);
    void ClearLocal();

    // IPacketReceiver: a received packet, on the receiving channel's thread.
    void TakePacket(std::unique_ptr<Packet> packet) override;
    // The playout timer fired.
    void OnTick();

    // The speakers of the last packet played, 0 for none (echo exclusion
    // takes them when the local user starts talking).
    std::array<uint16_t, 2> LastSpeakers() const;
    // The speakers being played at `now`: those of the last packet played,
    // none once nothing has been played for kSpeakingHoldMs.
    std::array<uint16_t, 2> SpeakingAt(std::chrono::steady_clock::time_point now) const;
    static constexpr int32_t kSpeakingHoldMs = 500;
    int32_t JitterDelay() const;
    size_t Queued() const;

private:
    int32_t SlotFor(const Packet& packet);
    void Insert(std::unique_ptr<Packet> packet);
    std::unique_ptr<WaveBuffer> Decode(const Packet& packet);
    std::unique_ptr<WaveBuffer> DecodeFrame(const Packet& packet, size_t index);
    bool IsExcluded(uint16_t speaker) const;

    IAudioTimer& m_timer;
    Player m_player;
    mutable std::mutex m_lock;
    int32_t m_frameMs = 60;
    bool m_running = false;
    SequenceWindow m_window;
    std::map<uint16_t, std::unique_ptr<Codec>> m_decoders;
    std::list<std::unique_ptr<Packet>> m_jitter;
    std::list<std::unique_ptr<WaveBuffer>> m_local;
    bool m_localStart = false; // the timer was started for local frames
    uint16_t m_referenceSequence = 0;
    uint32_t m_referenceFrame = 0;
    int32_t m_referenceSlot = 0;
    int32_t m_currentSlot = 0;
    std::array<uint16_t, 2> m_lastSpeakers{};
    std::chrono::steady_clock::time_point m_lastPlayed{};
    std::array<uint16_t, 2> m_excluded{};
};
