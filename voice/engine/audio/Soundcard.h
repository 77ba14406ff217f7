// The sound card of the audio pipeline: it opens playback and capture on the
// platform's wave devices, finds out whether the card plays and records at
// once (full duplex) or must switch (half duplex), keeps a ring of 16
// capture buffers going to the capture listener, queues played buffers with
// a 100 ms pre-roll, and keeps the input and output levels. Every failure
// leaves its text in ErrorText().
#pragma once

#include "IWaveDevices.h"
#include "Mixer.h"
#include "WaveBuffer.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <memory>
#include <mutex>
#include <string>

class Soundcard : public ISoundcardNotices
{
public:
    using Strings = std::function<std::string(int32_t)>;

    static constexpr size_t kCaptureBuffers = 16;
    static constexpr uint32_t kPrerollMs = 100;

    // How long stopping waits for the device to hand its buffers back.
    struct Waits
    {
        uint32_t captureMs = 5000;
        uint32_t playbackMs = 1000;
    };

    Soundcard(IWaveDevices& devices, IAudioTimer& preroll, Strings strings, Waits waits);
    Soundcard(const Soundcard&) = delete;
    Soundcard& operator=(const Soundcard&) = delete;

    void SetCaptureListener(ICaptureListener* listener) { m_listener = listener; }

    // Takes the frame duration and, when `open`, opens the card. False with
    // the error text when no 16-bit input exists or the card is started.
    bool PrepareAndOpen(int32_t frameMs, bool open);
    bool Open();
    bool Close();
    bool StartTransmit();
    bool StopTransmit();
    // Queues one buffer for playback; it is dropped without error while the
    // card is closed or, in half duplex, while the microphone is on.
    bool Play(std::unique_ptr<WaveBuffer> buffer);
    // The pre-roll timer fired: playback starts.
    void OnPrerollTick();
    bool SetMicrophoneGain(int32_t percent);
    // Where the mixers' failures are logged.
    void SetErrorLog(Mixer::ErrorLog log);

    void SetInputMute(bool mute) { m_inputMute = mute; }
    bool InputMute() const { return m_inputMute; }
    int32_t InputLevel() const { return m_inputLevel; }
    int32_t OutputLevel() const { return m_outputLevel; }
    bool IsOpened() const { return m_opened; }
    bool IsTransmitting() const { return m_transmitting; }
    bool IsHalfDuplex() const { return m_halfDuplex; }
    const std::string& DeviceText() const { return m_deviceText; }
    const std::string& DriverVersion() const { return m_driverVersion; }
    // The text of the last failure, read on the thread that saw it fail.
    const std::string& ErrorText() const { return m_error; }

    // ISoundcardNotices, on the device's thread.
    void OnPlayed(WaveBuffer* buffer) override;
    void OnCaptured(WaveBuffer* buffer) override;

private:
    using Queue = std::list<std::unique_ptr<WaveBuffer>>;

    bool Fail(int32_t result);
    bool FailWith(int32_t stringNumber);
    void TestDuplex();
    bool OpenOutputDevice();
    bool CloseOutputDevice();
    bool OpenInputDevice();
    bool CloseInputDevice();
    bool StartPlaybackPaused();
    void StopPlayback();
    bool StartCapture();
    bool StopCapture();
    static std::unique_ptr<WaveBuffer> TakeFrom(Queue& queue, WaveBuffer* buffer);

    IWaveDevices& m_devices;
    IAudioTimer& m_preroll;
    Strings m_strings;
    Waits m_waits;
    ICaptureListener* m_listener = nullptr;

    std::string m_deviceText = "None";
    std::string m_driverVersion = "0.0";
    bool m_formatSupported = false;
    bool m_ripTide = false;
    int32_t m_frameMs = 60;

    std::atomic<int32_t> m_inputLevel;
    std::atomic<int32_t> m_outputLevel;
    std::atomic<bool> m_inputMute{false};
    bool m_started = false;
    bool m_opened = false;
    bool m_transmitting = false;
    bool m_halfDuplex = true;
    bool m_playbackRunning = false;
    bool m_capturing = false;
    bool m_prerollPending = false;

    std::recursive_mutex m_stateLock;
    mutable std::mutex m_deviceLock;
    std::condition_variable m_returned;
    Queue m_captureQueue;
    Queue m_outputQueue;
    Mixer m_inputMixer;
    Mixer m_outputMixer;
    std::string m_error;
};
