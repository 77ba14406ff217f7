// The sound card and its mixer on the platform's real wave devices. Run by
// test_wave_devices.py under a PulseAudio daemon of its own whose capture
// source is the monitor of the playback sink: what the card plays, it hears.
#include "CMmTimer.h"
#include "CWinmmWaveDevices.h"
#include "Mixer.h"
#include "Soundcard.h"
#include "WaveSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kFrameMs = 60;

// Keeps a copy of every captured frame.
class FrameStore : public ICaptureListener
{
public:
    void OnCapture(WaveBuffer& buffer) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_frames.emplace_back(buffer.Samples(), buffer.Samples() + buffer.SampleCount());
    }
    std::vector<std::vector<int16_t>> Frames()
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_frames;
    }

private:
    std::mutex m_lock;
    std::vector<std::vector<int16_t>> m_frames;
};

std::unique_ptr<WaveBuffer> ToneFrame(double frequency, double amplitude, size_t& sample)
{
    auto buffer = std::make_unique<WaveBuffer>(kFrameMs);
    for (size_t i = 0; i < buffer->SampleCount(); ++i, ++sample)
        buffer->Samples()[i] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * kPi * frequency * static_cast<double>(sample) / 8000)));
    return buffer;
}

// The strongest frequency of a frame, scanned in 25 Hz steps.
double Frequency(const std::vector<int16_t>& samples)
{
    double strongest = 0;
    double power = -1;
    for (double frequency = 100; frequency < 4000; frequency += 25) {
        double re = 0;
        double im = 0;
        for (size_t i = 0; i < samples.size(); ++i) {
            const double angle = 2 * kPi * frequency * static_cast<double>(i) / 8000;
            re += samples[i] * std::cos(angle);
            im += samples[i] * std::sin(angle);
        }
        if (re * re + im * im > power) {
            power = re * re + im * im;
            strongest = frequency;
        }
    }
    return strongest;
}

// The frames captured at about the level of the tone.
int ToneFrames(FrameStore& store, int32_t played)
{
    int count = 0;
    for (const auto& frame : store.Frames())
        count += WaveSamples::Level(frame.data(), frame.size()) >= played - 1;
    return count;
}

std::string Text(int32_t number)
{
    return "string " + std::to_string(number);
}

} // namespace

TEST(WaveDevices, ATonePlayedOnTheCardIsCapturedBackAtItsFrequency)
{
    CWinmmWaveDevices devices;
    Soundcard* started = nullptr;
    CMmTimer preroll([&started] { started->OnPrerollTick(); });
    Soundcard card(devices, preroll, Text, Soundcard::Waits{});
    started = &card;
    FrameStore store;
    card.SetCaptureListener(&store);

    ASSERT_NE(card.DeviceText(), "None");
    ASSERT_TRUE(card.PrepareAndOpen(kFrameMs, true)) << card.ErrorText();
    EXPECT_FALSE(card.IsHalfDuplex());
    ASSERT_TRUE(card.StartTransmit()) << card.ErrorText();
    // The capture stream takes a moment to start flowing.
    for (int wait = 0; wait < 100 && store.Frames().size() < 5; ++wait)
        Sleep(50);
    ASSERT_GE(store.Frames().size(), 5u);

    size_t sample = 0;
    int32_t loudest = WaveSamples::kSilentLevel;
    for (int frame = 0; frame < 25; ++frame) {
        ASSERT_TRUE(card.Play(ToneFrame(1000, 8000, sample))) << card.ErrorText();
        Sleep(kFrameMs);
        loudest = std::max(loudest, card.OutputLevel());
    }
    // What was played last reaches the capture a little later.
    const int32_t played = ToneFrame(1000, 8000, sample)->Level();
    for (int wait = 0; wait < 60 && ToneFrames(store, played) < 20; ++wait)
        Sleep(50);
    for (int wait = 0; wait < 40 && card.OutputLevel() != WaveSamples::kSilentLevel; ++wait)
        Sleep(50);
    EXPECT_EQ(card.OutputLevel(), WaveSamples::kSilentLevel); // the queue ran dry
    ASSERT_TRUE(card.StopTransmit()) << card.ErrorText();
    ASSERT_TRUE(card.Close()) << card.ErrorText();
    EXPECT_GT(loudest, -40);

    // Whole frames of the tone come back at its frequency and level; the
    // frames where it starts or ends are partly silent and quieter.
    for (const auto& frame : store.Frames()) {
        if (WaveSamples::Level(frame.data(), frame.size()) < played - 1)
            continue;
        EXPECT_LE(WaveSamples::Level(frame.data(), frame.size()), played + 2);
        EXPECT_NEAR(Frequency(frame), 1000, 25);
    }
    const int toneFrames = ToneFrames(store, played);
    EXPECT_GE(toneFrames, 15);
}

TEST(WaveDevices, TheCardOpensAgainAfterItWasClosed)
{
    CWinmmWaveDevices devices;
    Soundcard* started = nullptr;
    CMmTimer preroll([&started] { started->OnPrerollTick(); });
    Soundcard card(devices, preroll, Text, Soundcard::Waits{});
    started = &card;
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(card.PrepareAndOpen(kFrameMs, true)) << round << ": " << card.ErrorText();
        EXPECT_FALSE(card.PrepareAndOpen(kFrameMs, true));
        EXPECT_EQ(card.ErrorText(), "string 214");
        ASSERT_TRUE(card.Close()) << card.ErrorText();
    }
}

namespace {

// The microphone volume of the first wave-input mixer, read with the
// platform's own calls; nothing when it has no such control.
std::optional<std::pair<DWORD, DWORD>> MicrophoneVolume()
{
    HMIXER mixer = nullptr;
    if (mixerOpen(&mixer, 0, 0, 0, MIXER_OBJECTF_WAVEIN) != MMSYSERR_NOERROR)
        return std::nullopt;
    std::optional<std::pair<DWORD, DWORD>> found;
    MIXERLINEA destination{};
    destination.cbStruct = sizeof destination;
    destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    const auto object = reinterpret_cast<HMIXEROBJ>(mixer);
    if (mixerGetLineInfoA(object, &destination, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_COMPONENTTYPE) ==
        MMSYSERR_NOERROR) {
        for (DWORD i = 0; i < destination.cConnections && !found; ++i) {
            MIXERLINEA line{};
            line.cbStruct = sizeof line;
            line.dwDestination = destination.dwDestination;
            line.dwSource = i;
            if (mixerGetLineInfoA(object, &line, MIXER_OBJECTF_HMIXER | MIXER_GETLINEINFOF_SOURCE) !=
                    MMSYSERR_NOERROR ||
                line.dwComponentType != MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE)
                continue;
            MIXERCONTROLA control{};
            control.cbStruct = sizeof control;
            MIXERLINECONTROLSA controls{};
            controls.cbStruct = sizeof controls;
            controls.dwLineID = line.dwLineID;
            controls.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
            controls.cControls = 1;
            controls.cbmxctrl = sizeof control;
            controls.pamxctrl = &control;
            if (mixerGetLineControlsA(object, &controls,
                                      MIXER_OBJECTF_HMIXER | MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
                MMSYSERR_NOERROR)
                continue;
            MIXERCONTROLDETAILS_UNSIGNED value{};
            MIXERCONTROLDETAILS details{};
            details.cbStruct = sizeof details;
            details.dwControlID = control.dwControlID;
            details.cChannels = 1;
            details.cbDetails = sizeof value;
            details.paDetails = &value;
            if (mixerGetControlDetailsA(object, &details,
                                        MIXER_OBJECTF_HMIXER | MIXER_GETCONTROLDETAILSF_VALUE) ==
                MMSYSERR_NOERROR)
                found = std::make_pair(value.dwValue, control.Bounds.dwMaximum);
        }
    }
    mixerClose(mixer);
    return found;
}

} // namespace

// The platform refuses a mixer on a wave handle here; the mixer is found
// by the device's number instead and the microphone's gain reaches it.
TEST(WaveDevices, TheInputMixerIsFoundByDeviceNumberWhenTheHandleIsRefused)
{
    CWinmmWaveDevices devices;
    ASSERT_EQ(devices.OpenInput(), 0);

    Mixer mixer(devices.InputMixer());
    std::vector<std::string> logged;
    mixer.SetErrorLog([&logged](const std::string& entry) { logged.push_back(entry); });
    ASSERT_TRUE(mixer.Open(true)) << mixer.ErrorText();
    EXPECT_FALSE(mixer.IsAbsent());
    EXPECT_EQ(mixer.Route(), IMixerPort::Route::DeviceNumber);
    EXPECT_EQ(logged, std::vector<std::string>{"0x2"}); // the refused handle, logged

    const auto volume = MicrophoneVolume();
    ASSERT_TRUE(volume.has_value());
    EXPECT_EQ(volume->first, volume->second); // set up at full gain
    ASSERT_TRUE(mixer.SetMicrophoneGain(40)) << mixer.ErrorText();
    EXPECT_EQ(MicrophoneVolume()->first, volume->second * 40 / 100);
    ASSERT_TRUE(mixer.SetMicrophoneGain(100)) << mixer.ErrorText();
    mixer.Close();
    EXPECT_EQ(devices.CloseInput(), 0);
}
