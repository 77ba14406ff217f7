// Name bubble layout: lines of the text, the window size from the measured
// lines and the left edge of a centred bubble.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "BubbleLayout.h"

namespace {

using Lines = std::vector<std::string>;

TEST(BubbleLayout, SplitsAtLineFeeds)
{
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"", {""}},
        {"Ann", {"Ann"}},
        {"Ann\nLee", {"Ann", "Lee"}},
        {"Ann\r\nLee", {"Ann", "Lee"}},
        {"Ann\n", {"Ann", ""}},
        {"\n\n", {"", "", ""}},
        {"a\rb", {"a\rb"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SplitBubbleLines(c.text), c.lines) << c.text;
    }
}

TEST(BubbleLayout, SizeFromWidestLineAndLineCount)
{
    struct Case {
        std::vector<int32_t> widths;
        int32_t lineHeight;
        int32_t border;
        int32_t width;
        int32_t height;
    };
    const Case cases[] = {
        {{40}, 19, 1, 46, 25},
        {{40, 62}, 19, 1, 68, 44},
        {{62, 40, 5}, 19, 1, 68, 63},
        {{30}, 22, 2, 42, 34},
        {{}, 19, 1, 6, 6},
    };
    for (const Case& c : cases) {
        const BubbleSize size = MeasureBubble(c.widths, c.lineHeight, c.border);
        EXPECT_EQ(size.width, c.width) << c.widths.size();
        EXPECT_EQ(size.height, c.height) << c.widths.size();
    }
}

TEST(BubbleLayout, NegativeXCentresTheBubble)
{
    struct Case {
        int32_t x;
        int32_t width;
        int32_t left;
    };
    const Case cases[] = {
        {-200, 60, 170}, {-200, 61, 170}, {200, 60, 200}, {0, 60, 0}, {-10, 60, -20},
        {INT32_MIN, 0, INT32_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(BubbleLeft(c.x, c.width), c.left) << c.x << " " << c.width;
    }
}

}  // namespace
