// The small parts of the audio pipeline: packet timestamps, the jitter delay
// and the microphone's automatic gain.
#include "FrameClock.h"
#include "MicrophoneGain.h"
#include "SequenceWindow.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

TEST(FrameClock, CountsFramesAndCatchesUpAfterALongGap)
{
    const struct { const char* what; uint32_t start; std::vector<uint32_t> sendTimes;
                   std::vector<uint32_t> stamps; } cases[] = {
        {"steady", 1000, {1000, 1030, 1060, 1090}, {240, 480, 720, 960}},
        {"a gap of 4 frames is kept", 0, {0, 150}, {240, 480}},
        {"a longer gap jumps ahead", 0, {0, 30, 360}, {240, 480, 2880}},
        {"bursts never go back", 0, {0, 0, 0}, {240, 480, 720}},
        {"the clock wraps", 0xFFFFFFF0u, {0xFFFFFFF0u, 0x000001B0u}, {240, 3360}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FrameClock clock;
        clock.Bind(30, c.start);
        std::vector<uint32_t> stamps;
        for (uint32_t at : c.sendTimes)
            stamps.push_back(clock.Next(at));
        EXPECT_EQ(stamps, c.stamps);
    }
}

TEST(SequenceWindow, LateArrivalsRaiseTheDelayByTheirLatenessUpToTen)
{
    const struct { int32_t slot, current, delay; } arrivals[] = {
        {5, 5, 0},   // on time
        {7, 5, 0},   // early
        {4, 5, 1},   // one slot late
        {3, 5, 2},
        {4, 5, 2},   // never shrinks
        {0, 30, 10}, // at most 10 frames
    };
    SequenceWindow window;
    for (const auto& a : arrivals) {
        window.Arrival(a.slot, a.current);
        EXPECT_EQ(window.PlayoutStart(), a.delay) << a.slot << " at " << a.current;
    }
}

TEST(MicrophoneGain, PeriodsLastAbout100Milliseconds)
{
    const struct { int32_t frameMs; int frames; } cases[] = {
        {30, 3}, {60, 1}, {20, 5}, {120, 1}, {0, 100}, // no frame is shorter than 1 ms
    };
    for (const auto& c : cases) {
        MicrophoneGain gain(c.frameMs);
        int frames = 1;
        while (!gain.OnFrame(-10))
            ++frames;
        EXPECT_EQ(frames, c.frames) << c.frameMs;
    }
}

TEST(MicrophoneGain, TheLoudestFrameOfAPeriodMovesTheGainBy5Within10And100)
{
    struct Step { int32_t level; std::optional<int32_t> applied; };
    const struct { const char* what; std::vector<Step> steps; } cases[] = {
        {"loud lowers", {{-10, 95}, {-20, 90}}},
        {"a middling peak keeps it", {{-100, std::nullopt}, {-50, std::nullopt}}},
        {"quiet raises only below full gain", {{-80, std::nullopt}, {-10, 95}, {-80, 100}, {-80, std::nullopt}}},
        {"nothing heard raises", {{-10, 95}, {-200, 100}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        MicrophoneGain gain(60);
        for (const Step& step : c.steps)
            EXPECT_EQ(gain.OnFrame(step.level), step.applied) << step.level;
    }
    MicrophoneGain floor(60);
    for (int period = 0; period < 30; ++period)
        floor.OnFrame(0);
    EXPECT_EQ(floor.Gain(), MicrophoneGain::kLeastGain);
}

// Within one period only the loudest frame counts.
TEST(MicrophoneGain, OneLoudFrameInAPeriodIsEnough)
{
    MicrophoneGain gain(30);
    EXPECT_EQ(gain.OnFrame(-100), std::nullopt);
    EXPECT_EQ(gain.OnFrame(-10), std::nullopt);
    EXPECT_EQ(gain.OnFrame(-100), std::optional<int32_t>(95));
    EXPECT_EQ(gain.OnFrame(-100), std::nullopt);
    EXPECT_EQ(gain.OnFrame(-100), std::nullopt);
    EXPECT_EQ(gain.OnFrame(-100), std::nullopt); // the peak was reset
}
