// Drag gesture: the 3-pixel square that tells a drag from a click, and the
// state before a press and after the end.
#include <gtest/gtest.h>

#include <cstdint>

#include "DragGesture.h"

namespace {

TEST(DragGesture, ThresholdAroundThePressPoint)
{
    struct Case {
        int32_t dx;
        int32_t dy;
        bool follows;
    };
    const Case cases[] = {
        {0, 0, false}, {2, 2, false}, {-2, -2, false}, {2, -2, false},
        {3, 0, true},  {0, 3, true},  {-3, 0, true},   {0, -3, true},
        {3, 3, true},  {-40, 1, true},
    };
    for (const Case& c : cases) {
        CDragGesture drag;
        drag.Press(100, 50);
        EXPECT_EQ(drag.Move(100 + c.dx, 50 + c.dy), c.follows) << c.dx << "," << c.dy;
        EXPECT_EQ(drag.IsInsideThreshold(), !c.follows) << c.dx << "," << c.dy;
    }
}

TEST(DragGesture, LeavingTheThresholdOnceFollowsEveryLaterPoint)
{
    CDragGesture drag;
    drag.Press(10, 10);
    EXPECT_FALSE(drag.Move(11, 12));
    EXPECT_TRUE(drag.Move(14, 10));
    EXPECT_TRUE(drag.Move(10, 10));
    EXPECT_TRUE(drag.Move(11, 11));
}

TEST(DragGesture, NothingFollowsWithoutAPressOrAfterTheEnd)
{
    CDragGesture drag;
    EXPECT_FALSE(drag.IsActive());
    EXPECT_FALSE(drag.Move(500, 500));
    EXPECT_FALSE(drag.Stop());

    drag.Press(0, 0);
    EXPECT_TRUE(drag.IsActive());
    EXPECT_TRUE(drag.Stop());
    EXPECT_FALSE(drag.Move(500, 500));
    EXPECT_FALSE(drag.Stop());
}

TEST(DragGesture, FarPointsDoNotOverflow)
{
    CDragGesture drag;
    drag.Press(INT32_MIN, INT32_MAX);
    EXPECT_TRUE(drag.Move(INT32_MAX, INT32_MIN));
    EXPECT_EQ(drag.PressX(), INT32_MIN);
    EXPECT_EQ(drag.PressY(), INT32_MAX);
}

}  // namespace
