#include "EngineInitCount.h"

#include <gtest/gtest.h>

TEST(EngineInitCount, OnlyTheFirstStartAndTheLastEndCount)
{
    EngineInitCount count;
    EXPECT_TRUE(count.Raise());
    EXPECT_FALSE(count.Raise());
    EXPECT_FALSE(count.Lower());
    EXPECT_TRUE(count.Lower());
    EXPECT_EQ(count.Count(), 0);
}

TEST(EngineInitCount, AnUnmatchedEndDoesNotBlockTheNextStart)
{
    EngineInitCount count;
    EXPECT_FALSE(count.Lower());
    EXPECT_FALSE(count.Lower());
    EXPECT_EQ(count.Count(), 0);
    EXPECT_TRUE(count.Raise());
    EXPECT_TRUE(count.Lower());
}
