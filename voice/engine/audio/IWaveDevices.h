// The platform's wave input and output devices as the sound card drives
// them. Results are the platform's codes (0 done, 4 the device is allocated
// to another program, 32 the format is not supported, 33 still playing).
// Finished buffers come back through ISoundcardNotices on the device's own
// thread; after a reset the device hands back every buffer it held, some of
// them possibly after the reset call has returned.
#pragma once

#include "IMixerPort.h"
#include "WaveBuffer.h"

#include <cstdint>
#include <string>

namespace WaveResult {
constexpr int32_t kDone = 0;
constexpr int32_t kAllocated = 4;
constexpr int32_t kBadFormat = 32;
constexpr int32_t kStillPlaying = 33;
} // namespace WaveResult

class ISoundcardNotices
{
public:
    virtual ~ISoundcardNotices() = default;

    virtual void OnPlayed(WaveBuffer* buffer) = 0;
    virtual void OnCaptured(WaveBuffer* buffer) = 0;
};

class IWaveDevices
{
public:
    virtual ~IWaveDevices() = default;

    // Whether some input device records 16-bit samples.
    virtual bool HasSixteenBitInput() = 0;
    // "%s:%d,%d" and "%d.%d" of output device 0; empty when there is none.
    virtual std::string OutputDeviceText() = 0;
    virtual std::string OutputDriverVersion() = 0;

    // Where finished buffers go; set before anything is opened.
    virtual void SetNotices(ISoundcardNotices* notices) = 0;

    virtual int32_t OpenOutput() = 0;
    virtual int32_t CloseOutput() = 0;
    virtual int32_t OpenInput() = 0;
    virtual int32_t CloseInput() = 0;

    virtual int32_t Pause() = 0;
    virtual int32_t Restart() = 0;
    virtual int32_t ResetOutput() = 0;
    virtual int32_t Write(WaveBuffer* buffer) = 0;

    virtual int32_t StartInput() = 0;
    virtual int32_t ResetInput() = 0;
    virtual int32_t AddInputBuffer(WaveBuffer* buffer) = 0;

    // The mixers of the input and the output device.
    virtual IMixerPort& InputMixer() = 0;
    virtual IMixerPort& OutputMixer() = 0;
};

// The one-shot timer of the output pre-roll.
class IAudioTimer
{
public:
    virtual ~IAudioTimer() = default;

    virtual void Start(uint32_t milliseconds) = 0;
    virtual void Cancel() = 0;
};

// Captured frames go to the listener, which finishes with each before it
// returns.
class ICaptureListener
{
public:
    virtual ~ICaptureListener() = default;

    virtual void OnCapture(WaveBuffer& buffer) = 0;
};
