// The level meter's lamps: how many fit, how many a level lights, and their
// colours.
#include "LevelMeterScale.h"

#include <gtest/gtest.h>

namespace {

TEST(LevelMeterScale, LitCountFollowsTheThreeRangesOfLevels)
{
    const struct {
        int32_t level;
        int32_t lamps;
        int32_t lit;
    } cases[] = {
        {-78, 12, 0},  {-100, 12, 0}, // below the quietest: as the quietest
        {-52, 12, 2},                 // 26 * 3 / 38 = 2.05
        {-51, 12, 2},  {-50, 12, 2},  // 3 + (-10 * 6 * 0.025 = -1.5 -> -1)
        {-40, 12, 3},  {-1, 12, 8},   // 3 + (39 * 6 * 0.025 = 5.85 -> 5)
        {0, 12, 9},    {6, 12, 10},   {12, 12, 12}, {40, 12, 12},
        {-78, 30, 0},  {-30, 30, 10}, // c = 7: 7 + (10 * 14 * 0.025 = 3.5 -> 3)
        {3, 30, 23},                  // 21 + 9 * 3 / 12 = 21 + 2.25
    };
    for (const auto& c : cases)
        EXPECT_EQ(LevelMeterScale::LitCount(c.level, c.lamps), c.lit)
            << c.level << " on " << c.lamps;
}

TEST(LevelMeterScale, TheQuietestLightsOnlyTheFirstLampAndTheLoudestAll)
{
    const int32_t quiet = LevelMeterScale::LitCount(-78, 12);
    const int32_t loud = LevelMeterScale::LitCount(12, 12);
    for (int32_t i = 0; i < 12; ++i) {
        EXPECT_EQ(LevelMeterScale::LampAt(i, 12, quiet).bright, i == 0) << i;
        EXPECT_TRUE(LevelMeterScale::LampAt(i, 12, loud).bright) << i;
    }
}

TEST(LevelMeterScale, LampsFitAlongTheLengthWithMarginAndGap)
{
    const struct {
        int32_t length;
        int32_t thickness;
        int32_t diameter;
        int32_t lamps;
    } cases[] = {
        {200, 12, 10, 18}, // 198 / 11
        {12, 12, 10, 0},   {13, 12, 10, 1},
        {100, 2, 0, 98},   {0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LevelMeterScale::Diameter(c.thickness), c.diameter) << c.thickness;
        EXPECT_EQ(LevelMeterScale::LampCount(c.length, c.thickness), c.lamps)
            << c.length << " x " << c.thickness;
    }
}

TEST(LevelMeterScale, LampsAreGreenThenYellowThenRed)
{
    using Colour = LevelMeterScale::Colour;
    const Colour expected[12] = {Colour::Green,  Colour::Green,  Colour::Green, Colour::Green,
                                 Colour::Green,  Colour::Green,  Colour::Yellow, Colour::Yellow,
                                 Colour::Yellow, Colour::Red,    Colour::Red,   Colour::Red};
    for (int32_t i = 0; i < 12; ++i)
        EXPECT_EQ(LevelMeterScale::LampAt(i, 12, 0).colour, expected[i]) << i;
}

TEST(LevelMeterScale, BrightAndDarkColours)
{
    using Colour = LevelMeterScale::Colour;
    const struct {
        Colour colour;
        bool bright;
        uint32_t rgb;
    } cases[] = {
        {Colour::Green, true, 0x00FF00},  {Colour::Green, false, 0x008000},
        {Colour::Yellow, true, 0x00FFFF}, {Colour::Yellow, false, 0x008080},
        {Colour::Red, true, 0x0000FF},    {Colour::Red, false, 0x000080},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LevelMeterScale::Rgb({c.colour, c.bright}), c.rgb);
}

} // namespace
