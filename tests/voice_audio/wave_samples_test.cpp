#include "WaveSamples.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

// 480 samples (60 ms) of a sine at 8000 samples a second.
std::vector<int16_t> Sine(double frequency, double amplitude)
{
    std::vector<int16_t> samples(480);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * kPi * frequency * static_cast<double>(i) / 8000)));
    return samples;
}

int32_t LevelOf(const std::vector<int16_t>& samples)
{
    return WaveSamples::Level(samples.data(), samples.size());
}

} // namespace

// Golden values from an independent implementation of the formula.
TEST(WaveSamplesLevel, MatchesTheReferenceValues)
{
    std::vector<int16_t> lastOne(480, 0);
    lastOne.back() = 1;
    const struct { const char* what; std::vector<int16_t> samples; int32_t level; } cases[] = {
        {"1 kHz at 8000", Sine(1000, 8000), -33},
        {"1 kHz at full scale", Sine(1000, 32767), -2},
        {"one least step", lastOne, -357},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LevelOf(c.samples), c.level) << c.what;
}

TEST(WaveSamplesLevel, LouderIsHigherAndTheSignDoesNotMatter)
{
    std::vector<int16_t> inverted = Sine(1000, 8000);
    for (int16_t& sample : inverted)
        sample = static_cast<int16_t>(-sample);
    EXPECT_EQ(LevelOf(inverted), LevelOf(Sine(1000, 8000)));
    EXPECT_LT(LevelOf(Sine(1000, 2000)), LevelOf(Sine(1000, 8000)));
}

// Frames without any area have no logarithm: they read as silence instead.
TEST(WaveSamplesLevel, FramesWithoutAreaAreSilent)
{
    const std::vector<int16_t> zeros(480, 0);
    const std::vector<int16_t> one(1, 32767);
    EXPECT_EQ(LevelOf(zeros), WaveSamples::kSilentLevel);
    EXPECT_EQ(LevelOf(one), WaveSamples::kSilentLevel);
    EXPECT_EQ(WaveSamples::Level(nullptr, 0), WaveSamples::kSilentLevel);
}

TEST(WaveSamplesMix, AddsAndClampsToTheSymmetricRange)
{
    const struct { int16_t into, from, mixed; } cases[] = {
        {100, 23, 123},
        {-100, 40, -60},
        {30000, 30000, 32767},
        {-30000, -30000, -32767},
        {-32768, 0, -32767},
    };
    for (const auto& c : cases) {
        int16_t into[2] = {c.into, 7};
        const int16_t from[2] = {c.from, 9};
        WaveSamples::MixIn(into, from, 1);
        EXPECT_EQ(into[0], c.mixed) << c.into << " + " << c.from;
        EXPECT_EQ(into[1], 7); // only `count` samples are mixed
    }
}
