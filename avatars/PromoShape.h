// What a promotion takes from its record, and the outline its window is
// cut to: the colour that fills most of the picture's border is the
// background, and the outline of the rest is traced clockwise from its
// first pixel in row order.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

// The display settings of a promotion, each made valid.
struct PromoSettings {
    uint16_t sizeKind = 1;      // 1 or 2
    uint16_t shaped = 0;        // 1: the window takes the picture's outline
    uint16_t flash = 0;         // 1: a red, green, blue flash first
    uint16_t durationKind = 2;  // 1 or 2
    uint16_t displaySeconds = 0;
    uint16_t finalValue = 0;

    // sizeKind other than 1 or 2 becomes 1, durationKind other than 1 or 2
    // becomes 2, a flash above 1 becomes 1, a shaped flag other than 0 is 1;
    // the display time is the first time for duration kind 1, the second
    // for kind 2.
    static PromoSettings Make(uint16_t sizeKind, uint16_t shaped, uint16_t flash, uint16_t durationKind,
                              uint16_t firstSeconds, uint16_t secondSeconds, uint16_t finalValue);
};

// The colour of a flash step (counter 1, 3, 5: red, green, blue as
// 0x00BBGGRR), none for the steps that show the picture.
std::optional<uint32_t> PromoFlashColour(int32_t counter);

struct PixelRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

// pixels: width x height colours, row by row from the top. The colour met
// most often on the border of `frame` (top and bottom rows, left and right
// columns); on equal counts the one met first.
uint32_t MostFrequentBorderColour(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                  const PixelRect& frame);

struct PixelPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const PixelPoint& other) const { return x == other.x && y == other.y; }
};

// The boundary pixels of the shape (mask: width x height, true for pixels
// that differ from the background), clockwise from the first shape pixel
// in row order, the eight directions searched in the order (-1, 0),
// (-1, -1), (0, -1), (1, -1), (1, 0), (1, 1), (0, 1), (-1, 1) from the one
// after the backtrack. Empty when the whole rectangle is to be used: no
// shape pixel, a lone pixel, or a trace longer than width x height + 1.
std::vector<PixelPoint> TraceOutline(const std::vector<bool>& mask, int32_t width, int32_t height);
