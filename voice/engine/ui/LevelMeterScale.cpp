#include "LevelMeterScale.h"

#include <algorithm>

namespace {

int32_t Truncated(double value)
{
    return static_cast<int32_t>(value);
}

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return red | green << 8 | blue << 16;
}

} // namespace

int32_t LevelMeterScale::Diameter(int32_t thickness)
{
    return std::max(thickness - 2 * kMargin, 0);
}

int32_t LevelMeterScale::LampCount(int32_t length, int32_t thickness)
{
    const int32_t pitch = Diameter(thickness) + kGap;
    return std::max(length - 2 * kMargin, 0) / pitch;
}

// Below -50 the first quarter of the lamps, up to 0 the next two quarters,
// and the loudest twelve steps the rest.
int32_t LevelMeterScale::LitCount(int32_t level, int32_t lamps)
{
    const int32_t l = std::clamp(level, kQuietest, kLoudest);
    const int32_t c = lamps / 4;
    if (l < -50)
        return Truncated(static_cast<double>(l + 78) * c / 38);
    if (l < 0)
        return c + Truncated(static_cast<double>(l + 40) * 2 * c * 0.025);
    return 3 * c + Truncated(static_cast<double>(lamps - 3 * c) * l / 12);
}

LevelMeterScale::Lamp LevelMeterScale::LampAt(int32_t index, int32_t lamps, int32_t lit)
{
    Colour colour = Colour::Red;
    if (index < lamps / 2)
        colour = Colour::Green;
    else if (index < lamps * 3 / 4)
        colour = Colour::Yellow;
    return {colour, index <= lit};
}

uint32_t LevelMeterScale::Rgb(Lamp lamp)
{
    const uint32_t on = lamp.bright ? 255 : 128;
    switch (lamp.colour) {
    case Colour::Green:
        return ::Rgb(0, on, 0);
    case Colour::Yellow:
        return ::Rgb(on, on, 0);
    default:
        return ::Rgb(on, 0, 0);
    }
}
