// The arithmetic of the level meter: how many round lamps fit, how many of
// them a level lights, and each lamp's colour. Levels run from -78
// (silence) to +12.
#pragma once

#include <cstdint>

class LevelMeterScale
{
public:
    static constexpr int32_t kQuietest = -78;
    static constexpr int32_t kLoudest = 12;
    static constexpr int32_t kMargin = 1;
    static constexpr int32_t kGap = 1;
    static constexpr int32_t kInitialLamps = 12;

    enum class Colour { Green, Yellow, Red };
    struct Lamp
    {
        Colour colour;
        bool bright;
    };

    // The lamps' diameter across a meter `thickness` pixels thick, and how
    // many fit along its `length`.
    static int32_t Diameter(int32_t thickness);
    static int32_t LampCount(int32_t length, int32_t thickness);
    // The highest lamp index lit by `level` on a meter of `lamps` lamps.
    static int32_t LitCount(int32_t level, int32_t lamps);
    // Lamp `index` of `lamps` with `lit` lit.
    static Lamp LampAt(int32_t index, int32_t lamps, int32_t lit);
    // The lamp's colour as 0x00BBGGRR.
    static uint32_t Rgb(Lamp lamp);
};
