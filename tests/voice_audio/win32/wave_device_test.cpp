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
#include <string>
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

// The platform refuses a mixer on a wave handle here; the mixer of the
// device is found by its number instead (by name where the number gives
// another device's mixer), and the microphone's line and volume are on it.
// (This platform's recording volume cannot be read back, so the value
// written is checked with fake mixers only.)
TEST(WaveDevices, TheMixersAreFoundByDeviceNumberWhenTheHandleIsRefused)
{
    CWinmmWaveDevices devices;
    ASSERT_EQ(devices.OpenInput(), 0);
    ASSERT_EQ(devices.OpenOutput(), 0);
    Mixer input(devices.InputMixer());
    Mixer output(devices.OutputMixer());
    std::vector<std::string> logged;
    input.SetErrorLog([&logged](const std::string& entry) { logged.push_back(entry); });
    ASSERT_TRUE(input.Open(true)) << input.ErrorText();
    ASSERT_TRUE(output.Open(false)) << output.ErrorText();
    for (const Mixer* mixer : {&input, &output}) {
        EXPECT_FALSE(mixer->IsAbsent());
        EXPECT_EQ(mixer->Route(), IMixerPort::Route::DeviceNumber);
    }
    EXPECT_EQ(logged, std::vector<std::string>{"0x2"}); // the refused handle

    uint32_t least = 1;
    uint32_t most = 0;
    EXPECT_EQ(devices.InputMixer().MicrophoneVolumeRange(least, most), 0);
    EXPECT_LT(least, most);
    EXPECT_EQ(devices.InputMixer().SetMicrophoneMute(false), 0);
    EXPECT_TRUE(input.SetMicrophoneGain(40)) << input.ErrorText();
    input.Close();
    output.Close();
    EXPECT_EQ(devices.CloseOutput(), 0);
    EXPECT_EQ(devices.CloseInput(), 0);
}
