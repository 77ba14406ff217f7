#include "BubbleLayout.h"

#include <algorithm>
#include <limits>

namespace {

int32_t Clamp32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

}  // namespace

std::vector<std::string> SplitBubbleLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end != std::string::npos && !line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        if (end == std::string::npos) {
            return lines;
        }
        start = end + 1;
    }
}

BubbleSize MeasureBubble(const std::vector<int32_t>& lineWidths, int32_t lineHeight, int32_t border)
{
    int64_t widest = 0;
    for (int32_t width : lineWidths) {
        widest = std::max<int64_t>(widest, width);
    }
    const int64_t frame = 6 * int64_t{border};
    const int64_t height = static_cast<int64_t>(lineWidths.size()) * lineHeight + frame;
    return BubbleSize{Clamp32(widest + frame), Clamp32(height)};
}

int32_t BubbleLeft(int32_t x, int32_t windowWidth)
{
    if (x >= 0) {
        return x;
    }
    return Clamp32(-int64_t{x} - windowWidth / 2);
}
