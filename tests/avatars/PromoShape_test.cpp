// Promotion shape and settings: what a record's values become, the flash
// colours, the background taken from the picture's border, and the traced
// outline on small masks (a block, an L, a lone pixel, an empty picture).
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "PromoShape.h"

namespace {

// '#' marks a shape pixel.
std::vector<bool> Mask(const std::vector<std::string>& rows) {
    std::vector<bool> mask;
    for (const std::string& row : rows)
        for (char c : row) mask.push_back(c == '#');
    return mask;
}

std::vector<PixelPoint> Trace(const std::vector<std::string>& rows) {
    return TraceOutline(Mask(rows), static_cast<int32_t>(rows[0].size()), static_cast<int32_t>(rows.size()));
}

TEST(PromoShape, SettingsAreMadeValid) {
    struct Case {
        uint16_t size, shaped, flash, duration;
        PromoSettings expected;
    };
    const Case cases[] = {
        {1, 0, 0, 1, {1, 0, 0, 1, 10, 7}},
        {2, 1, 1, 2, {2, 1, 1, 2, 20, 7}},
        {0, 3, 5, 0, {1, 1, 1, 2, 20, 7}},   // flash 5 flashes
        {9, 0, 2, 3, {1, 0, 1, 2, 20, 7}},
    };
    for (const Case& c : cases) {
        const PromoSettings made = PromoSettings::Make(c.size, c.shaped, c.flash, c.duration, 10, 20, 7);
        EXPECT_EQ(made.sizeKind, c.expected.sizeKind) << c.size;
        EXPECT_EQ(made.shaped, c.expected.shaped) << c.shaped;
        EXPECT_EQ(made.flash, c.expected.flash) << c.flash;
        EXPECT_EQ(made.durationKind, c.expected.durationKind) << c.duration;
        EXPECT_EQ(made.displaySeconds, c.expected.displaySeconds) << c.duration;
        EXPECT_EQ(made.finalValue, 7);
    }
}

TEST(PromoShape, FlashIsRedPictureGreenPictureBluePicture) {
    std::string seen;
    for (int32_t counter = 0; counter <= 7; ++counter) {
        const auto colour = PromoFlashColour(counter);
        seen += !colour ? 'p' : *colour == 0x0000FF ? 'r' : *colour == 0x00FF00 ? 'g' : *colour == 0xFF0000 ? 'b' : '?';
    }
    EXPECT_EQ(seen, "prpgpbpp");
}

TEST(PromoShape, BackgroundIsTheCommonestBorderColourFirstMetOnTies) {
    const uint32_t W = 1, R = 2, G = 3;
    // 4 x 3: the border has 10 pixels.
    const std::vector<uint32_t> mostlyWhite = {W, W, R, W,
                                               R, G, G, W,
                                               W, R, W, W};
    EXPECT_EQ(MostFrequentBorderColour(mostlyWhite, 4, 3, {0, 0, 4, 3}), W);
    const std::vector<uint32_t> tie = {R, W, R, W,
                                       G, G, G, G,
                                       W, R, W, R};
    // R and W both 4 on the border (G 2): R is met first.
    EXPECT_EQ(MostFrequentBorderColour(tie, 4, 3, {0, 0, 4, 3}), R);
    // Only the frame's border counts: the inner 2 x 1 row is all G.
    EXPECT_EQ(MostFrequentBorderColour(tie, 4, 3, {1, 1, 3, 2}), G);
}

TEST(PromoShape, BlockIsTracedClockwiseFromItsTopLeft) {
    const std::vector<PixelPoint> path = Trace({"....",
                                                ".##.",
                                                ".##.",
                                                "...."});
    const std::vector<PixelPoint> expected = {{1, 1}, {2, 1}, {2, 2}, {1, 2}};
    EXPECT_EQ(path, expected);
}

TEST(PromoShape, LShapeFollowsEveryOuterPixel) {
    const std::vector<PixelPoint> path = Trace({"#..",
                                                "#..",
                                                "###"});
    // Down the stem, along the foot and back: the one-pixel-wide arms are
    // walked out and back.
    const std::vector<PixelPoint> expected = {{0, 0}, {0, 1}, {1, 2}, {2, 2}, {1, 2}, {0, 2}, {0, 1}};
    EXPECT_EQ(path, expected);
}

TEST(PromoShape, WholeRectangleWhenThereIsNothingToTrace) {
    EXPECT_TRUE(Trace({"....", "....", "...."}).empty());  // all background
    EXPECT_TRUE(Trace({"....", ".#..", "...."}).empty());  // a lone pixel
    EXPECT_TRUE(TraceOutline({true, true}, 2, 2).empty());  // mask shorter than the size
}

}  // namespace
