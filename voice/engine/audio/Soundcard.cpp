#include "Soundcard.h"

#include "WaveSamples.h"

#include <chrono>
#include <utility>

namespace {

constexpr int32_t kStringCardError = 213;   // "%d": the platform's result
constexpr int32_t kStringAlreadyStarted = 214;
constexpr int32_t kStringNotStarted = 215;
constexpr int32_t kStringCardBusy = 217;
constexpr int32_t kStringNoSoundcard = 255;
constexpr char kRipTidePrefix[] = "RipTide";
constexpr char kHalfDuplexCard[] = "MagicMedia 256 Playback:176,32";

std::string WithNumber(std::string text, int32_t number)
{
    const size_t at = text.find("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(number));
    return text;
}

} // namespace

Soundcard::Soundcard(IWaveDevices& devices, IAudioTimer& preroll, Strings strings, Waits waits)
    : m_devices(devices),
      m_preroll(preroll),
      m_strings(std::move(strings)),
      m_waits(waits),
      m_inputLevel(WaveSamples::kSilentLevel),
      m_outputLevel(WaveSamples::kSilentLevel),
      m_inputMixer(devices.InputMixer()),
      m_outputMixer(devices.OutputMixer())
{
    const std::string device = m_devices.OutputDeviceText();
    if (!device.empty()) {
        m_deviceText = device;
        m_driverVersion = m_devices.OutputDriverVersion();
    }
    m_ripTide = m_deviceText.compare(0, sizeof kRipTidePrefix - 1, kRipTidePrefix) == 0;
    m_formatSupported = m_devices.HasSixteenBitInput();
    m_devices.SetNotices(this);
}

bool Soundcard::Fail(int32_t result)
{
    if (result == WaveResult::kAllocated)
        m_error = m_strings(kStringCardBusy);
    else
        m_error = WithNumber(m_strings(kStringCardError), result);
    return false;
}

bool Soundcard::FailWith(int32_t stringNumber)
{
    m_error = m_strings(stringNumber);
    return false;
}

bool Soundcard::PrepareAndOpen(int32_t frameMs, bool open)
{
    if (!m_formatSupported && open)
        return FailWith(kStringNoSoundcard);
    {
        std::lock_guard<std::mutex> device(m_deviceLock);
        if (m_started)
            return FailWith(kStringAlreadyStarted);
        m_frameMs = frameMs;
    }
    return open ? Open() : true;
}

bool Soundcard::Open()
{
    std::lock_guard<std::recursive_mutex> state(m_stateLock);
    if (m_opened)
        return true;
    TestDuplex();
    if (!OpenOutputDevice() || !StartPlaybackPaused())
        return false;
    m_started = true;
    m_opened = true;
    return true;
}

// A card that cannot open its output while its input is open must switch
// between the two.
void Soundcard::TestDuplex()
{
    if (m_devices.OpenInput() == WaveResult::kDone) {
        const int32_t output = m_devices.OpenOutput();
        if (output == WaveResult::kDone) {
            m_halfDuplex = false;
            m_devices.CloseOutput();
        } else if (output == WaveResult::kAllocated) {
            m_halfDuplex = true;
        }
        m_devices.CloseInput();
    }
    if (m_deviceText.compare(0, sizeof kHalfDuplexCard - 1, kHalfDuplexCard) == 0)
        m_halfDuplex = true;
}

bool Soundcard::OpenOutputDevice()
{
    const int32_t result = m_devices.OpenOutput();
    if (result != WaveResult::kDone)
        return Fail(result);
    if (m_outputMixer.Open(false))
        return true;
    m_error = m_outputMixer.ErrorText();
    m_devices.CloseOutput();
    return false;
}

bool Soundcard::CloseOutputDevice()
{
    const int32_t result = m_devices.CloseOutput();
    if (result == WaveResult::kDone)
        m_outputMixer.Close();
    return result == WaveResult::kDone || result == WaveResult::kStillPlaying || Fail(result);
}

// The input mixer's first opening makes the microphone the recorded line.
bool Soundcard::OpenInputDevice()
{
    const int32_t result = m_devices.OpenInput();
    if (result != WaveResult::kDone)
        return Fail(result);
    if (m_inputMixer.Open(true))
        return true;
    m_error = m_inputMixer.ErrorText();
    m_devices.CloseInput();
    return false;
}

bool Soundcard::CloseInputDevice()
{
    const int32_t result = m_devices.CloseInput();
    if (result == WaveResult::kDone)
        m_inputMixer.Close();
    return result == WaveResult::kDone || Fail(result);
}

bool Soundcard::StartPlaybackPaused()
{
    std::lock_guard<std::mutex> device(m_deviceLock);
    const int32_t restarted = m_devices.Restart();
    const int32_t paused = restarted == WaveResult::kDone ? m_devices.Pause() : restarted;
    if (paused != WaveResult::kDone)
        return Fail(paused);
    m_playbackRunning = true;
    return true;
}

void Soundcard::StopPlayback()
{
    m_preroll.Cancel(); // before the lock: a running tick takes it
    std::unique_lock<std::mutex> device(m_deviceLock);
    m_prerollPending = false;
    m_playbackRunning = false;
    const bool queued = !m_outputQueue.empty();
    device.unlock();
    m_devices.ResetOutput();
    device.lock();
    if (queued && !m_returned.wait_for(device, std::chrono::milliseconds(m_waits.playbackMs),
                                       [this] { return m_outputQueue.empty(); }))
        m_outputQueue.clear(); // the buffers that never came back
}

bool Soundcard::StartTransmit()
{
    std::lock_guard<std::recursive_mutex> state(m_stateLock);
    if (!m_opened)
        return true;
    if (m_halfDuplex) {
        StopPlayback();
        if (!CloseOutputDevice())
            return false;
    }
    m_transmitting = OpenInputDevice() && StartCapture();
    return m_transmitting;
}

bool Soundcard::StartCapture()
{
    std::lock_guard<std::mutex> device(m_deviceLock);
    const int32_t started = m_devices.StartInput();
    if (started != WaveResult::kDone)
        return Fail(started);
    m_capturing = true;
    for (size_t i = 0; i < kCaptureBuffers; ++i) {
        auto buffer = std::make_unique<WaveBuffer>(m_frameMs);
        buffer->SetForCapture(true);
        WaveBuffer* queued = buffer.get();
        m_captureQueue.push_back(std::move(buffer));
        const int32_t added = m_devices.AddInputBuffer(queued);
        if (added != WaveResult::kDone) {
            m_captureQueue.pop_back();
            return Fail(added);
        }
    }
    return true;
}

bool Soundcard::StopTransmit()
{
    std::lock_guard<std::recursive_mutex> state(m_stateLock);
    if (!m_transmitting)
        return true;
    m_transmitting = false;
    if (!StopCapture())
        return false;
    if (!m_halfDuplex)
        return CloseInputDevice();
    return CloseInputDevice() && OpenOutputDevice() && StartPlaybackPaused();
}

bool Soundcard::StopCapture()
{
    std::unique_lock<std::mutex> device(m_deviceLock);
    m_capturing = false;
    const bool queued = !m_captureQueue.empty();
    device.unlock();
    const int32_t reset = m_devices.ResetInput();
    device.lock();
    if (queued && !m_returned.wait_for(device, std::chrono::milliseconds(m_waits.captureMs),
                                       [this] { return m_captureQueue.empty(); }))
        m_captureQueue.clear(); // the buffers that never came back
    return reset == WaveResult::kDone || Fail(reset);
}

bool Soundcard::Close()
{
    std::lock_guard<std::recursive_mutex> state(m_stateLock);
    if (!m_opened)
        return true;
    m_started = false;
    bool done = true;
    if (m_transmitting) {
        done = StopCapture();
        if (!m_halfDuplex) {
            StopPlayback();
            done = CloseInputDevice() && done;
            done = CloseOutputDevice() && done;
        } else {
            done = CloseInputDevice() && done;
        }
    } else {
        StopPlayback();
        done = CloseOutputDevice();
    }
    m_transmitting = false;
    m_opened = false;
    return done;
}

bool Soundcard::Play(std::unique_ptr<WaveBuffer> buffer)
{
    std::lock_guard<std::recursive_mutex> state(m_stateLock);
    std::lock_guard<std::mutex> device(m_deviceLock);
    if (!m_opened)
        return true;
    if (!m_started)
        return FailWith(kStringNotStarted);
    if (!m_playbackRunning)
        return true; // half duplex while the microphone is on
    if (!m_prerollPending && m_outputQueue.empty()) {
        m_prerollPending = true;
        m_preroll.Start(kPrerollMs);
        if (m_ripTide)
            m_devices.ResetOutput();
    }
    buffer->SetForCapture(false);
    WaveBuffer* written = buffer.get();
    m_outputQueue.push_back(std::move(buffer));
    const int32_t result = m_devices.Write(written);
    if (result == WaveResult::kDone)
        return true;
    m_outputQueue.pop_back();
    return Fail(result);
}

void Soundcard::OnPrerollTick()
{
    std::lock_guard<std::mutex> device(m_deviceLock);
    if (!m_prerollPending)
        return;
    m_prerollPending = false;
    if (m_playbackRunning)
        m_devices.Restart();
}

std::unique_ptr<WaveBuffer> Soundcard::TakeFrom(Queue& queue, WaveBuffer* buffer)
{
    for (auto at = queue.begin(); at != queue.end(); ++at) {
        if (at->get() == buffer) {
            std::unique_ptr<WaveBuffer> taken = std::move(*at);
            queue.erase(at);
            return taken;
        }
    }
    return nullptr;
}

void Soundcard::OnPlayed(WaveBuffer* buffer)
{
    std::lock_guard<std::mutex> device(m_deviceLock);
    if (std::unique_ptr<WaveBuffer> played = TakeFrom(m_outputQueue, buffer)) {
        m_outputLevel = played->Level();
        if (!m_outputQueue.empty())
            return;
    }
    if (!m_outputQueue.empty())
        return;
    m_outputLevel = WaveSamples::kSilentLevel;
    m_devices.Pause();
    m_returned.notify_all();
}

void Soundcard::OnCaptured(WaveBuffer* buffer)
{
    std::lock_guard<std::mutex> device(m_deviceLock);
    std::unique_ptr<WaveBuffer> captured = TakeFrom(m_captureQueue, buffer);
    if (!captured)
        return;
    if (!m_capturing) {
        m_inputLevel = WaveSamples::kSilentLevel;
        if (m_captureQueue.empty())
            m_returned.notify_all();
        return;
    }
    // A muted microphone keeps capturing, but nobody hears it.
    if (m_inputMute) {
        m_inputLevel = WaveSamples::kSilentLevel;
    } else {
        m_inputLevel = captured->Level();
        if (m_listener)
            m_listener->OnCapture(*captured);
    }
    m_captureQueue.push_back(std::move(captured));
    if (m_devices.AddInputBuffer(m_captureQueue.back().get()) != WaveResult::kDone)
        m_captureQueue.pop_back();
}

// Called from the capture listener, with the device lock held.
bool Soundcard::SetMicrophoneGain(int32_t percent)
{
    if (m_inputMixer.SetMicrophoneGain(percent))
        return true;
    m_error = m_inputMixer.ErrorText();
    return false;
}

void Soundcard::SetErrorLog(Mixer::ErrorLog log)
{
    m_inputMixer.SetErrorLog(log);
    m_outputMixer.SetErrorLog(std::move(log));
}
