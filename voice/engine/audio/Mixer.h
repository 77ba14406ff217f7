// The mixer of one wave device: opened on the device's handle or, where the
// platform refuses that, by the device's number; a system without a usable
// mixer leaves it absent, and then every operation succeeds doing nothing.
// On the input device it picks the microphone as the recorded line, unmutes
// it and sets its gain. Failures go to the error log as "0x%x" and stay in
// ErrorText().
#pragma once

#include "IMixerPort.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

class Mixer
{
public:
    using ErrorLog = std::function<void(const std::string& entry)>;

    explicit Mixer(IMixerPort& port);
    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // Opens the mixer (once per opening of its device); the microphone line
    // is set up on the first opening when `microphone` is asked for.
    bool Open(bool microphone);
    void SetErrorLog(ErrorLog log) { m_log = std::move(log); }
    void Close();
    // The microphone's gain in percent of its volume range.
    bool SetMicrophoneGain(int32_t percent);

    bool IsAbsent() const { return m_absent; }
    bool IsOpen() const { return m_open; }
    IMixerPort::Route Route() const { return m_route; }
    const std::string& ErrorText() const { return m_error; }

private:
    bool SetUpMicrophone();
    bool SelectMicrophone();
    bool Failed(int32_t result);
    static bool Tolerated(int32_t result);

    IMixerPort& m_port;
    ErrorLog m_log;
    bool m_absent = false;
    bool m_open = false;
    bool m_inputSetUp = false;
    IMixerPort::Route m_route = IMixerPort::Route::WaveHandle;
    std::string m_error;
};
