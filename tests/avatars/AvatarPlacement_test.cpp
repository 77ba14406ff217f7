#include <gtest/gtest.h>

#include "AvatarPlacement.h"

namespace {

TEST(AvatarPlacement, PixelsRoundAndStayInsideThePage)
{
    const AvatarPage page{10, 20, 801, 601};
    const AvatarExtent avatar{36, 48};
    struct Case {
        uint16_t x, y;
        int32_t px, py;
    };
    const Case cases[] = {
        {5000, 5000, 10 + 401, 20 + 301},                 // 400.5 + 0.5, 300.5 + 0.5
        {0, 0, 10, 20},                                   // the origin
        {10000, 10000, 10 + 801 - 36, 20 + 601 - 48},     // bottom-right corner at the page's
        {9990, 100, 10 + 801 - 36, 20 + 6},               // clamped in x only
        {65535, 65535, 10 + 801 - 36, 20 + 601 - 48},     // far outside: clamped
    };
    for (const Case& c : cases) {
        const AvatarPoint at = AvatarPixelPosition(c.x, c.y, page, avatar);
        EXPECT_EQ(at.x, c.px) << c.x << "," << c.y;
        EXPECT_EQ(at.y, c.py) << c.x << "," << c.y;
    }
    // A page narrower than the avatar has no lower bound.
    const AvatarPoint narrow = AvatarPixelPosition(5000, 0, AvatarPage{0, 0, 20, 100}, avatar);
    EXPECT_EQ(narrow.x, 20 - 36);
}

TEST(AvatarPlacement, UnitsOfAPagePointTruncate)
{
    const AvatarPage page{10, 20, 800, 600};
    EXPECT_EQ(AvatarUnits(10, 20, page).x, 0);
    EXPECT_EQ(AvatarUnits(410, 320, page).x, 5000);
    EXPECT_EQ(AvatarUnits(410, 320, page).y, 5000);
    EXPECT_EQ(AvatarUnits(11, 21, page).x, 12);  // 12.5 truncated
    EXPECT_EQ(AvatarUnits(100, 100, AvatarPage{0, 0, 0, 0}).x, 0);
}

TEST(AvatarPlacement, SizesFollowTheOptionAndTheScreen)
{
    const AvatarSizes big = MakeAvatarSizes(true, 768);
    EXPECT_EQ(big.avatar.width, 48);
    EXPECT_EQ(big.mini.height, 32);
    const AvatarSizes normal = MakeAvatarSizes(false, 768);
    EXPECT_EQ(normal.avatar.width, 36);
    EXPECT_EQ(normal.mini.width, 18);
    const AvatarSizes low = MakeAvatarSizes(false, 500);
    EXPECT_EQ(low.avatar.height, 32);
}

TEST(AvatarPlacement, MoodAndFlipProperties)
{
    struct MoodCase {
        const char* property;
        uint32_t bitmap;
    };
    for (const MoodCase& c : {MoodCase{"480", 480}, MoodCase{"483", 483}, MoodCase{"479", 481},
                              MoodCase{"", 481}, MoodCase{"482x", 481}, MoodCase{"-1", 481}})
        EXPECT_EQ(AvatarMoodBitmap(c.property), c.bitmap) << c.property;
    EXPECT_EQ(AvatarMoodBitmapOf(2), 483u);
    EXPECT_EQ(AvatarMoodBitmapOf(3), 482u);
    EXPECT_EQ(AvatarMoodBitmapOf(4), 480u);
    EXPECT_EQ(AvatarMoodBitmapOf(9), 481u);

    struct FlipCase {
        const char* property;
        bool horizontal, vertical;
    };
    for (const FlipCase& c : {FlipCase{"Y", false, false}, FlipCase{"YN", true, false}, FlipCase{"NY", false, true},
                              FlipCase{"YY", true, true}, FlipCase{"", false, false}, FlipCase{"yY", false, true}}) {
        const AvatarFlip flip = AvatarFlipOf(c.property);
        EXPECT_EQ(flip.horizontal, c.horizontal) << c.property;
        EXPECT_EQ(flip.vertical, c.vertical) << c.property;
    }
}

}  // namespace
