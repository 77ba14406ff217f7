#include "AvatarPlacement.h"

#include <cstdlib>

namespace {

constexpr double kUnits = 10000.0;
constexpr uint32_t kMoodFirst = 480;
constexpr uint32_t kMoodLast = 483;
constexpr uint32_t kMoodNormal = 481;
constexpr uint32_t kMoodHappy = 483;
constexpr uint32_t kMoodAngry = 482;
constexpr uint32_t kMoodSad = 480;
constexpr int32_t kSmallScreen = 500;

}  // namespace

AvatarSizes MakeAvatarSizes(bool bigAvatars, int32_t screenHeight)
{
    AvatarSizes sizes;
    sizes.big = {48, 64};
    sizes.small = {24, 32};
    sizes.medium = screenHeight <= kSmallScreen ? AvatarExtent{24, 32} : AvatarExtent{36, 48};
    sizes.mini = bigAvatars ? AvatarExtent{24, 32} : AvatarExtent{18, 24};
    sizes.avatar = bigAvatars ? sizes.big : sizes.medium;
    return sizes;
}

AvatarPoint AvatarPixelPosition(uint16_t x, uint16_t y, const AvatarPage& page, AvatarExtent window)
{
    int32_t px = static_cast<int32_t>(x * static_cast<double>(page.width) / kUnits + 0.5);
    int32_t py = static_cast<int32_t>(y * static_cast<double>(page.height) / kUnits + 0.5);
    if (px > page.width - window.width)
        px = page.width - window.width;
    if (py > page.height - window.height)
        py = page.height - window.height;
    return {px + page.left, py + page.top};
}

AvatarPoint AvatarUnits(int32_t px, int32_t py, const AvatarPage& page)
{
    if (page.width <= 0 || page.height <= 0)
        return {0, 0};
    return {static_cast<int32_t>((px - page.left) * kUnits / page.width),
            static_cast<int32_t>((py - page.top) * kUnits / page.height)};
}

uint32_t AvatarMoodBitmap(const std::string& property)
{
    char* end = nullptr;
    const long id = std::strtol(property.c_str(), &end, 10);
    if (property.empty() || (end && *end) || id < static_cast<long>(kMoodFirst) || id > static_cast<long>(kMoodLast))
        return kMoodNormal;
    return static_cast<uint32_t>(id);
}

uint32_t AvatarMoodBitmapOf(int32_t mood)
{
    switch (mood) {
    case 2:
        return kMoodHappy;
    case 3:
        return kMoodAngry;
    case 4:
        return kMoodSad;
    default:
        return kMoodNormal;
    }
}

AvatarFlip AvatarFlipOf(const std::string& property)
{
    if (property.size() < 2)
        return {false, false};
    return {property[0] == 'Y', property[1] == 'Y'};
}

std::string AvatarFlipToggled(const std::string& property, int32_t which)
{
    std::string letters = property.size() < 2 ? std::string("NN") : property;
    if (which != 0 && which != 1)
        return letters;
    char& letter = letters[static_cast<size_t>(which)];
    letter = letter == 'N' ? 'Y' : 'N';
    return letters;
}
