#include <gtest/gtest.h>

#include "CSlotAttr.h"

namespace {

struct SlotCase {
    const char* text;
    int32_t x, y, width, height;
    const char* name;
};

TEST(SlotAttr, ParsesRectangleAndName)
{
    const SlotCase cases[] = {
        {"10,20,30,40,Seat 1;", 10, 20, 30, 40, "Seat 1"},
        {"10,20,30,40;", 10, 20, 30, 40, ""},
        {"10,20,30,40,Seat 1", 10, 20, 30, 40, ""},
        {"10,20;5,5,Late;", 10, 20, 0, 0, ""},
        {"", 0, 0, 0, 0, ""},
        {"1,2,3,4,North;5,6,7,8,South;", 1, 2, 3, 4, "North"},
        {"-5,7,30,40,Edge;", -5, 7, 30, 40, "Edge"},
    };
    for (const SlotCase& c : cases) {
        const CSlotAttr slot(c.text, true);
        EXPECT_EQ(slot.GetX(), c.x) << c.text;
        EXPECT_EQ(slot.GetY(), c.y) << c.text;
        EXPECT_EQ(slot.GetWidth(), c.width) << c.text;
        EXPECT_EQ(slot.GetHeight(), c.height) << c.text;
        EXPECT_EQ(slot.GetName(), c.name) << c.text;
    }
}

TEST(SlotAttr, SmallAvatarsScaleByThreeQuarters)
{
    const CSlotAttr slot("10,20,30,40,Seat;", false);
    EXPECT_EQ(slot.GetX(), 7);
    EXPECT_EQ(slot.GetY(), 15);
    EXPECT_EQ(slot.GetWidth(), 22);
    EXPECT_EQ(slot.GetHeight(), 30);
}

TEST(SlotAttr, HitTestExcludesTheEdges)
{
    const CSlotAttr big("10,20,30,40,Seat;", true);
    EXPECT_TRUE(big.HitTest(11, 21));
    EXPECT_TRUE(big.HitTest(39, 59));
    EXPECT_FALSE(big.HitTest(10, 30));
    EXPECT_FALSE(big.HitTest(40, 30));
    EXPECT_FALSE(big.HitTest(20, 20));
    EXPECT_FALSE(big.HitTest(20, 60));

    const CSlotAttr small("10,20,30,40,Seat;", false);
    EXPECT_FALSE(small.HitTest(7, 20));  // 7 is not above 7.5
    EXPECT_TRUE(small.HitTest(8, 20));
    EXPECT_FALSE(small.HitTest(30, 20));  // 30 is the right edge, 40 x 0.75
}

}  // namespace
