#include "WaveBuffer.h"

#include <gtest/gtest.h>

TEST(WaveBuffer, TheFrameLengthStaysInsideTheSampleArea)
{
    const struct { int32_t durationMs; size_t bytes; } cases[] = {
        {60, 960}, {30, 480}, {120, 1920}, {500, 1920}, {0, 16}, {-20, 16},
    };
    for (const auto& c : cases) {
        WaveBuffer buffer(c.durationMs);
        EXPECT_EQ(buffer.Length(), c.bytes) << c.durationMs;
        EXPECT_EQ(buffer.SampleCount(), c.bytes / 2) << c.durationMs;
    }
}

TEST(WaveBuffer, CopiesMixingAndTheOverloadMark)
{
    WaveBuffer loud(30);
    for (size_t i = 0; i < loud.SampleCount(); ++i)
        loud.Samples()[i] = static_cast<int16_t>(i % 2 ? 30000 : -30000);
    loud.Samples()[300] = 1234; // beyond the 30 ms frame, still copied
    const auto copy = loud.Copy();
    EXPECT_EQ(copy->Length(), loud.Length());
    EXPECT_EQ(copy->Samples()[1], 30000);
    EXPECT_EQ(copy->Samples()[300], 1234);

    copy->MixIn(loud);
    EXPECT_EQ(copy->Samples()[1], 32767);
    EXPECT_EQ(copy->Samples()[300], 1234); // outside this frame's length
    EXPECT_LE(copy->Level(), 3); // full-scale swings alone are no overload
    EXPECT_FALSE(copy->Overloaded());

    WaveBuffer clipped(30);
    for (size_t i = 0; i < clipped.SampleCount(); ++i)
        clipped.Samples()[i] = 32767;
    EXPECT_GT(clipped.Level(), 3);
    EXPECT_TRUE(clipped.Overloaded());
    WaveBuffer quiet(30);
    EXPECT_EQ(quiet.Level(), -78);
    EXPECT_FALSE(quiet.Overloaded());
}
