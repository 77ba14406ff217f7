// The sound card's logic over fake wave devices: the duplex test, the
// refusals and their texts, the pre-roll of played buffers, half duplex
// while the microphone is on, the capture ring, and devices that never hand
// their buffers back.
#include "FakeWaveDevices.h"
#include "Soundcard.h"
#include "WaveSamples.h"

#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Text(int32_t number)
{
    switch (number) {
    case 213:
        return "card error %d";
    case 217:
        return "card busy";
    default:
        return "string " + std::to_string(number);
    }
}

std::unique_ptr<WaveBuffer> Tone(int16_t amplitude)
{
    auto buffer = std::make_unique<WaveBuffer>(60);
    for (size_t i = 0; i < buffer->SampleCount(); ++i)
        buffer->Samples()[i] = static_cast<int16_t>((i / 4) % 2 ? amplitude : -amplitude);
    return buffer;
}

class SoundcardTest : public ::testing::Test
{
protected:
    // The card is made on first use, so that a test can set the devices up.
    Soundcard& Card()
    {
        if (!card) {
            card = std::make_unique<Soundcard>(devices, timer, Text, Soundcard::Waits{50, 50});
            card->SetCaptureListener(&listener);
        }
        return *card;
    }
    void OpenCard()
    {
        ASSERT_TRUE(Card().PrepareAndOpen(60, true)) << Card().ErrorText();
        devices.TakeCalls();
    }

    FakeWaveDevices devices;
    FakeTimer timer;
    RecordingListener listener;
    std::unique_ptr<Soundcard> card;
};

} // namespace

TEST_F(SoundcardTest, OpeningFindsOutWhetherTheCardIsHalfDuplex)
{
    const struct {
        const char* what;
        std::vector<int32_t> inputOpen, outputOpen; // scripted results
        const char* deviceText;
        bool halfDuplex;
    } cases[] = {
        {"both open", {0}, {0}, "Speakers:1,2", false},
        {"output busy while recording", {0}, {4}, "Speakers:1,2", true},
        {"no input: untested", {4}, {}, "Speakers:1,2", true},
        {"known half-duplex card", {0}, {0}, "MagicMedia 256 Playback:176,32", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        devices = FakeWaveDevices();
        devices.deviceText = c.deviceText;
        devices.results["OpenInput"] = {c.inputOpen.begin(), c.inputOpen.end()};
        devices.results["OpenOutput"] = {c.outputOpen.begin(), c.outputOpen.end()};
        card.reset();
        ASSERT_TRUE(Card().PrepareAndOpen(60, true)) << Card().ErrorText();
        EXPECT_EQ(Card().IsHalfDuplex(), c.halfDuplex);
        EXPECT_TRUE(Card().IsOpened());
        EXPECT_EQ(Card().DeviceText(), c.deviceText);
        // Playback ends up open and paused, ready for the first buffer.
        const auto calls = devices.TakeCalls();
        ASSERT_GE(calls.size(), 3u);
        EXPECT_EQ(std::vector<std::string>(calls.end() - 3, calls.end()),
                  (std::vector<std::string>{"OpenOutput", "Restart", "Pause"}));
    }
}

TEST_F(SoundcardTest, RefusalsLeaveTheirTexts)
{
    const struct {
        const char* what;
        bool sixteenBit;
        int32_t outputResult; // of the second output opening (the first is the duplex test)
        bool open;
        bool opened;
        const char* text;
    } cases[] = {
        {"no 16-bit input", false, 0, true, false, "string 255"},
        {"no 16-bit input, not opening", false, 0, false, true, ""},
        {"output busy", true, 4, true, false, "card busy"},
        {"output fails", true, 11, true, false, "card error 11"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        devices = FakeWaveDevices();
        devices.sixteenBit = c.sixteenBit;
        devices.results["OpenOutput"] = {0, c.outputResult};
        card.reset();
        EXPECT_EQ(Card().PrepareAndOpen(60, c.open), c.opened);
        EXPECT_EQ(Card().ErrorText(), c.text);
    }
    card.reset();
    devices = FakeWaveDevices();
    OpenCard();
    EXPECT_FALSE(Card().PrepareAndOpen(60, true));
    EXPECT_EQ(Card().ErrorText(), "string 214"); // already started
}

TEST_F(SoundcardTest, PlayedBuffersStartAfterThePrerollAndTheLevelFollowsThem)
{
    EXPECT_TRUE(Card().Play(Tone(8000))); // closed: dropped without error
    EXPECT_TRUE(devices.written.empty());

    OpenCard();
    ASSERT_TRUE(Card().Play(Tone(8000)));
    ASSERT_TRUE(Card().Play(Tone(2000)));
    EXPECT_EQ(timer.started, std::vector<uint32_t>{100}); // one pre-roll per burst
    EXPECT_EQ(devices.written.size(), 2u);
    EXPECT_TRUE(devices.TakeCalls().empty()); // still paused
    Card().OnPrerollTick();
    EXPECT_EQ(devices.TakeCalls(), std::vector<std::string>{"Restart"});

    const int32_t loud = Tone(8000)->Level();
    devices.PlayNext();
    EXPECT_EQ(Card().OutputLevel(), loud);
    devices.PlayNext(); // the queue runs dry: silence and pause
    EXPECT_EQ(Card().OutputLevel(), WaveSamples::kSilentLevel);
    EXPECT_EQ(devices.TakeCalls(), std::vector<std::string>{"Pause"});

    ASSERT_TRUE(Card().Play(Tone(100)));
    EXPECT_EQ(timer.started.size(), 2u); // the next burst has its own pre-roll

    devices.results["Write"] = {11};
    EXPECT_FALSE(Card().Play(Tone(100)));
    EXPECT_EQ(Card().ErrorText(), "card error 11");
}

TEST_F(SoundcardTest, HalfDuplexSilencesPlaybackWhileTheMicrophoneIsOn)
{
    devices.results["OpenOutput"] = {4}; // busy in the duplex test
    OpenCard();
    ASSERT_TRUE(Card().IsHalfDuplex());
    ASSERT_TRUE(Card().Play(Tone(8000)));

    ASSERT_TRUE(Card().StartTransmit()) << Card().ErrorText();
    EXPECT_EQ(devices.TakeCalls(), (std::vector<std::string>{"ResetOutput", "Pause", "CloseOutput",
                                                             "OpenInput", "StartInput"}));
    EXPECT_TRUE(devices.written.empty()); // the queued buffer came back
    EXPECT_TRUE(Card().Play(Tone(8000))); // dropped, no error
    EXPECT_TRUE(devices.written.empty());

    ASSERT_TRUE(Card().StopTransmit()) << Card().ErrorText();
    EXPECT_EQ(devices.TakeCalls(), (std::vector<std::string>{"ResetInput", "CloseInput", "OpenOutput",
                                                             "Restart", "Pause"}));
    ASSERT_TRUE(Card().Play(Tone(8000)));
    EXPECT_EQ(devices.written.size(), 1u);
}

TEST_F(SoundcardTest, CapturedFramesGoToTheListenerAndBackToTheDevice)
{
    OpenCard();
    ASSERT_FALSE(Card().IsHalfDuplex());
    ASSERT_TRUE(Card().StartTransmit());
    EXPECT_EQ(devices.inputs.size(), Soundcard::kCaptureBuffers);
    EXPECT_EQ(devices.inputs.front()->Length(), 960u); // 60 ms

    devices.CaptureNext(8000);
    ASSERT_EQ(listener.levels.size(), 1u);
    EXPECT_EQ(Card().InputLevel(), listener.levels[0]);
    EXPECT_GT(Card().InputLevel(), WaveSamples::kSilentLevel);
    EXPECT_EQ(devices.inputs.size(), Soundcard::kCaptureBuffers); // handed back

    Card().SetInputMute(true);
    devices.CaptureNext(8000);
    EXPECT_EQ(Card().InputLevel(), WaveSamples::kSilentLevel);
    EXPECT_EQ(listener.levels.size(), 1u); // a muted microphone is not heard
    EXPECT_EQ(devices.inputs.size(), Soundcard::kCaptureBuffers); // but keeps capturing

    ASSERT_TRUE(Card().StopTransmit());
    EXPECT_TRUE(devices.inputs.empty());
    EXPECT_EQ(devices.TakeCalls().back(), "CloseInput");
}

TEST_F(SoundcardTest, DevicesThatKeepTheirBuffersAreWaitedForOnlyBriefly)
{
    OpenCard();
    ASSERT_TRUE(Card().Play(Tone(8000)));
    ASSERT_TRUE(Card().StartTransmit());
    devices.returnOnReset = false;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(Card().Close());
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_LT(waited, std::chrono::seconds(2));
    EXPECT_FALSE(Card().IsOpened());
    EXPECT_FALSE(Card().IsTransmitting());
    // The buffers the device kept were given up; late returns are ignored.
    devices.notices->OnPlayed(devices.written.front());
    devices.notices->OnCaptured(devices.inputs.front());
    EXPECT_TRUE(listener.levels.empty());
}

TEST_F(SoundcardTest, ClosingAFullDuplexCardWhileTalkingClosesBothDevices)
{
    OpenCard();
    ASSERT_TRUE(Card().StartTransmit());
    devices.TakeCalls();
    EXPECT_TRUE(Card().Close());
    EXPECT_EQ(devices.TakeCalls(), (std::vector<std::string>{"ResetInput", "ResetOutput", "CloseInput",
                                                             "CloseOutput"}));
    // Open again after a close.
    EXPECT_TRUE(Card().PrepareAndOpen(30, true)) << Card().ErrorText();
}

// The platform may refuse a mixer on a wave handle yet give it by the
// device's number; with neither, the card still works, without a mixer.
TEST_F(SoundcardTest, TheMixersFallBackToTheDeviceNumberAndThenToNone)
{
    const struct {
        const char* name;
        std::map<IMixerPort::Route, int32_t> refusals;
        std::vector<uint32_t> volumes; // full gain at set-up, then 50 percent
        std::vector<std::string> logged;
    } cases[] = {
        {"handle works", {}, {65535, 32767}, {}},
        {"handle refused", {{IMixerPort::Route::WaveHandle, 2}}, {65535, 32767}, {"0x2", "0x2"}},
        {"both refused",
         {{IMixerPort::Route::WaveHandle, 2}, {IMixerPort::Route::DeviceNumber, 6}},
         {},
         {"0x2", "0x6", "0x2", "0x6"}},
    };
    for (const auto& c : cases) {
        FakeWaveDevices cardDevices;
        cardDevices.inputMixer.refusals = c.refusals;
        cardDevices.outputMixer.refusals = c.refusals;
        FakeTimer timer;
        Soundcard card(cardDevices, timer, [](int32_t n) { return std::to_string(n); }, {});
        std::vector<std::string> logged;
        card.SetErrorLog([&logged](const std::string& entry) { logged.push_back(entry); });
        ASSERT_TRUE(card.PrepareAndOpen(60, true)) << c.name << card.ErrorText();
        ASSERT_TRUE(card.StartTransmit()) << c.name << card.ErrorText();
        EXPECT_TRUE(card.SetMicrophoneGain(50)) << c.name;
        EXPECT_EQ(cardDevices.inputMixer.volumes, c.volumes) << c.name;
        EXPECT_EQ(logged, c.logged) << c.name;
        EXPECT_EQ(cardDevices.inputMixer.open, c.volumes.size() > 0) << c.name;
        EXPECT_TRUE(card.StopTransmit()) << c.name;
        EXPECT_FALSE(cardDevices.inputMixer.open) << c.name;
    }
}

TEST_F(SoundcardTest, AMicrophoneThatCannotBeSetUpClosesTheInputAgain)
{
    OpenCard();
    devices.inputMixer.muteResult = 11;
    devices.TakeCalls();
    EXPECT_FALSE(Card().StartTransmit());
    EXPECT_EQ(Card().ErrorText(), "0xb");
    EXPECT_EQ(devices.TakeCalls(), (std::vector<std::string>{"OpenInput", "CloseInput"}));
}

TEST_F(SoundcardTest, MicrophoneGainFailuresLeaveTheirText)
{
    OpenCard();
    ASSERT_TRUE(Card().StartTransmit());
    EXPECT_TRUE(Card().SetMicrophoneGain(80));
    devices.inputMixer.volumeResult = 7;
    EXPECT_FALSE(Card().SetMicrophoneGain(50));
    EXPECT_EQ(Card().ErrorText(), "0x7");
}
