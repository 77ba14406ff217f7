// Flash steps: lit and unlit steps alternate, n lit ones for a flash of n,
// and the end comes exactly once the steps are used up.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "FlashSteps.h"

namespace {

// L lit, u unlit, . done: the steps of the first `ticks` ticks.
std::string StepsOf(CFlashSteps& flash, int ticks)
{
    std::string seen;
    for (int i = 0; i < ticks; ++i) {
        switch (flash.Tick()) {
        case CFlashSteps::Step::kLit: seen += 'L'; break;
        case CFlashSteps::Step::kUnlit: seen += 'u'; break;
        case CFlashSteps::Step::kDone: seen += '.'; break;
        }
    }
    return seen;
}

TEST(FlashSteps, StepsForEachCount)
{
    struct Case {
        int32_t count;
        const char* steps;
    };
    const Case cases[] = {
        {0, "...."},
        {-4, "...."},
        {1, "L..."},
        {2, "LuL.."},
        {3, "LuLuL.."},
    };
    for (const Case& c : cases) {
        CFlashSteps flash;
        flash.Start(c.count);
        EXPECT_EQ(StepsOf(flash, static_cast<int>(std::string(c.steps).size())), c.steps) << c.count;
    }
}

TEST(FlashSteps, RestartBeginsAgainWithALitStep)
{
    CFlashSteps flash;
    flash.Start(3);
    EXPECT_EQ(StepsOf(flash, 2), "Lu");
    flash.Start(1);
    EXPECT_EQ(StepsOf(flash, 3), "L..");
    EXPECT_EQ(flash.TicksDone(), 3);
}

TEST(FlashSteps, LargestCountNeitherOverflowsNorEndsEarly)
{
    CFlashSteps flash;
    flash.Start(INT32_MAX);
    EXPECT_EQ(StepsOf(flash, 4), "LuLu");
}

}  // namespace
