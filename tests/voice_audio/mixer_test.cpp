// The mixer of a wave device over a fake platform mixer: which route opens
// it, the microphone chosen as the recorded line, the unmute and the gain.
#include "FakeMixerPort.h"
#include "Mixer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Route = IMixerPort::Route;

TEST(Mixer, PicksTheOneMicrophoneItemOfTheSelector)
{
    const struct {
        const char* name;
        bool singleSelect;
        std::vector<std::string> texts;
        std::vector<bool> before;
        std::vector<bool> after; // empty: the selector is not written
    } cases[] = {
        {"single select moves to the microphone", true, {"Line In", "Microphone", "CD"},
         {true, false, false}, {false, true, false}},
        {"case is ignored", true, {"CD", "MIC"}, {true, false}, {false, true}},
        {"multiple select adds the microphone", false, {"Line In", "Mic Boost"},
         {true, false}, {true, true}},
        {"two microphones: left alone", true, {"Mic 1", "mic 2"}, {true, false}, {}},
        {"no microphone: left alone", true, {"Line In", "CD"}, {false, true}, {}},
        {"two letters are not enough", true, {"Mi", "CD"}, {false, true}, {}},
    };
    for (const auto& c : cases) {
        FakeMixerPort port;
        port.selectorResult = MixerResult::kDone;
        port.selector = {c.singleSelect, c.texts, c.before};
        Mixer mixer(port);
        EXPECT_TRUE(mixer.Open(true)) << c.name;
        EXPECT_EQ(port.selectorWrites, c.after.empty() ? 0 : 1) << c.name;
        EXPECT_EQ(port.selector.selected, c.after.empty() ? c.before : c.after) << c.name;
        EXPECT_EQ(port.mutes, std::vector<bool>{false}) << c.name;
        EXPECT_EQ(port.volumes, std::vector<uint32_t>{65535}) << c.name;
    }
}

TEST(Mixer, TheMicrophoneIsSetUpOnTheFirstOpeningOnly)
{
    FakeMixerPort port;
    Mixer mixer(port);
    ASSERT_TRUE(mixer.Open(true));
    mixer.Close();
    ASSERT_TRUE(mixer.Open(true));
    EXPECT_EQ(port.mutes.size(), 1u);
    EXPECT_EQ(port.opens, (std::vector<Route>{Route::WaveHandle, Route::WaveHandle}));
}

TEST(Mixer, AnOutputMixerLeavesTheMicrophoneAlone)
{
    FakeMixerPort port;
    Mixer mixer(port);
    ASSERT_TRUE(mixer.Open(false));
    EXPECT_TRUE(port.mutes.empty());
    EXPECT_TRUE(port.volumes.empty());
}

TEST(Mixer, MissingLinesAndControlsCountAsDone)
{
    for (int32_t missing : {MixerResult::kInvalidLine, MixerResult::kInvalidControl}) {
        FakeMixerPort port;
        port.selectorResult = missing;
        port.muteResult = missing;
        port.volumeResult = missing;
        Mixer mixer(port);
        EXPECT_TRUE(mixer.Open(true)) << missing;
        EXPECT_TRUE(mixer.SetMicrophoneGain(40)) << missing;
        EXPECT_TRUE(port.volumes.empty());
        EXPECT_EQ(mixer.ErrorText(), "");
    }
}

TEST(Mixer, GainIsAShareOfTheVolumeRange)
{
    const struct {
        uint32_t least;
        uint32_t most;
        int32_t percent;
        uint32_t value;
    } cases[] = {
        {0, 65535, 100, 65535}, {0, 65535, 10, 6553}, {100, 300, 50, 200},
        {100, 300, 0, 100},     {0, 1000, 150, 1000}, {0, 1000, -5, 0},
    };
    for (const auto& c : cases) {
        FakeMixerPort port;
        Mixer mixer(port);
        ASSERT_TRUE(mixer.Open(false));
        port.volumeLeast = c.least;
        port.volumeMost = c.most;
        EXPECT_TRUE(mixer.SetMicrophoneGain(c.percent));
        EXPECT_EQ(port.volumes, std::vector<uint32_t>{c.value}) << c.least << ".." << c.most << " " << c.percent;
    }
}

TEST(Mixer, WithoutAnyMixerDeviceEverythingSucceedsDoingNothing)
{
    FakeMixerPort port;
    port.exists = false;
    Mixer mixer(port);
    EXPECT_TRUE(mixer.Open(true));
    EXPECT_TRUE(mixer.IsAbsent());
    EXPECT_TRUE(mixer.SetMicrophoneGain(70));
    EXPECT_TRUE(port.opens.empty());
    EXPECT_TRUE(port.volumes.empty());
}

TEST(Mixer, ARefusedHandleIsRetriedByDeviceNumberAndLogged)
{
    FakeMixerPort port;
    port.refusals[Route::WaveHandle] = 2;
    Mixer mixer(port);
    std::vector<std::string> logged;
    mixer.SetErrorLog([&logged](const std::string& entry) { logged.push_back(entry); });
    EXPECT_TRUE(mixer.Open(true));
    EXPECT_FALSE(mixer.IsAbsent());
    EXPECT_EQ(mixer.Route(), Route::DeviceNumber);
    EXPECT_EQ(port.opens, (std::vector<Route>{Route::WaveHandle, Route::DeviceNumber}));
    EXPECT_EQ(logged, std::vector<std::string>{"0x2"});
    EXPECT_EQ(port.volumes, std::vector<uint32_t>{65535});
}

} // namespace
