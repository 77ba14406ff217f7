// Layout of the name bubble: its text split into lines, the window size from
// the measured lines, and the left edge of a bubble centred on a point.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct BubbleSize {
    int32_t width = 0;
    int32_t height = 0;
};

// The lines of a bubble text, split at each line feed; a carriage return
// before a line feed is not part of the line.
std::vector<std::string> SplitBubbleLines(const std::string& text);

// Width: the widest line plus 6 borders; height: one line height per line
// plus 6 borders.
BubbleSize MeasureBubble(const std::vector<int32_t>& lineWidths, int32_t lineHeight,
                         int32_t border);

// A non-negative x is the left edge itself; a negative x asks to centre the
// bubble on |x|.
int32_t BubbleLeft(int32_t x, int32_t windowWidth);
