#include "PromoShape.h"

#include <cstddef>

namespace {

constexpr int32_t kDirections[8][2] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}};

}  // namespace

PromoSettings PromoSettings::Make(uint16_t sizeKind, uint16_t shaped, uint16_t flash, uint16_t durationKind,
                                  uint16_t firstSeconds, uint16_t secondSeconds, uint16_t finalValue) {
    PromoSettings settings;
    settings.sizeKind = sizeKind == 1 || sizeKind == 2 ? sizeKind : 1;
    settings.shaped = shaped != 0 ? 1 : 0;
    settings.flash = flash > 1 ? 1 : flash;
    settings.durationKind = durationKind == 1 || durationKind == 2 ? durationKind : 2;
    settings.displaySeconds = settings.durationKind == 1 ? firstSeconds : secondSeconds;
    settings.finalValue = finalValue;
    return settings;
}

std::optional<uint32_t> PromoFlashColour(int32_t counter) {
    switch (counter) {
    case 1: return 0x0000FFu;
    case 3: return 0x00FF00u;
    case 5: return 0xFF0000u;
    default: return std::nullopt;
    }
}

uint32_t MostFrequentBorderColour(const std::vector<uint32_t>& pixels, int32_t width, int32_t height,
                                  const PixelRect& frame) {
    std::vector<std::pair<uint32_t, size_t>> counts;  // in the order met
    auto count = [&](int32_t x, int32_t y) {
        if (x < 0 || y < 0 || x >= width || y >= height) return;
        const uint32_t colour = pixels[static_cast<size_t>(y) * width + x];
        for (auto& entry : counts) {
            if (entry.first == colour) {
                ++entry.second;
                return;
            }
        }
        counts.emplace_back(colour, 1);
    };
    if (frame.right <= frame.left || frame.bottom <= frame.top) return 0;
    for (int32_t x = frame.left; x < frame.right; ++x) count(x, frame.top);
    if (frame.bottom - 1 > frame.top)
        for (int32_t x = frame.left; x < frame.right; ++x) count(x, frame.bottom - 1);
    for (int32_t y = frame.top + 1; y < frame.bottom - 1; ++y) {
        count(frame.left, y);
        if (frame.right - 1 > frame.left) count(frame.right - 1, y);
    }
    uint32_t best = 0;
    size_t bestCount = 0;
    for (const auto& entry : counts) {
        if (entry.second > bestCount) {
            best = entry.first;
            bestCount = entry.second;
        }
    }
    return best;
}

std::vector<PixelPoint> TraceOutline(const std::vector<bool>& mask, int32_t width, int32_t height) {
    if (width <= 0 || height <= 0 || mask.size() < static_cast<size_t>(width) * height) return {};
    auto inside = [&](int32_t x, int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height && mask[static_cast<size_t>(y) * width + x];
    };
    PixelPoint start;
    bool found = false;
    for (int32_t y = 0; y < height && !found; ++y)
        for (int32_t x = 0; x < width && !found; ++x)
            if (inside(x, y)) {
                start = {x, y};
                found = true;
            }
    if (!found) return {};
    std::vector<PixelPoint> path{start};
    const uint64_t limit = uint64_t(width) * uint64_t(height) + 1;
    PixelPoint current = start;
    // The first pixel in row order has nothing above or to its left: the
    // trace starts as if it had come moving right, from the left.
    int32_t direction = 4;
    while (true) {
        int32_t next = -1;
        const int32_t backtrack = (direction + 4) % 8;
        for (int32_t i = 1; i <= 8; ++i) {
            const int32_t candidate = (backtrack + i) % 8;
            if (inside(current.x + kDirections[candidate][0], current.y + kDirections[candidate][1])) {
                next = candidate;
                break;
            }
        }
        if (next < 0) return {};  // a lone pixel
        current = {current.x + kDirections[next][0], current.y + kDirections[next][1]};
        direction = next;
        if (current == start) break;
        path.push_back(current);
        if (path.size() > limit) return {};
    }
    return path;
}
