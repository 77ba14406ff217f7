// The sending side of the audio pipeline: every captured frame is coded
// into one media packet (the next sequence number, the frame clock's
// timestamp, the local source) for the sending channel, and its level keeps
// the microphone's automatic gain.
#pragma once

#include "Codec.h"
#include "FrameClock.h"
#include "IWaveDevices.h"
#include "MediaChannel.h"
#include "MicrophoneGain.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <functional>
#include <mutex>

class Collector : public ICaptureListener
{
public:
    using Clock = std::function<uint32_t()>;      // the multimedia clock in ms
    using GainControl = std::function<bool(int32_t)>; // the microphone's volume

    Collector(Clock now, GainControl setGain);

    // Who also gets every frame sent (the wave recorder), on the sound
    // card's thread.
    void SetSentFrames(std::function<void(const WaveBuffer&)> sentFrames)
    {
        m_sentFrames = std::move(sentFrames);
    }
    void Bind(Codec& codec, MediaChannel& channel, uint32_t source, int32_t frameMs);
    void Unbind();

    // A captured frame, on the sound card's thread.
    void OnCapture(WaveBuffer& buffer) override;
    // A frame of wave audio for the conference: sent at once while the
    // microphone is off, else mixed into the next captured frame.
    void Inject(std::unique_ptr<WaveBuffer> frame, bool transmitting);
    // Drops the frames waiting to be mixed in.
    void ClearInjected();

    int32_t Gain() const;

private:
    void Send(const WaveBuffer& buffer);

    Clock m_now;
    GainControl m_setGain;
    std::function<void(const WaveBuffer&)> m_sentFrames;
    mutable std::mutex m_lock;
    Codec* m_codec = nullptr;
    MediaChannel* m_channel = nullptr;
    uint32_t m_source = 0;
    uint16_t m_sequence = 0;
    std::deque<std::unique_ptr<WaveBuffer>> m_injected;
    FrameClock m_clock;
    MicrophoneGain m_gain{60};
};
