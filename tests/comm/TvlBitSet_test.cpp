#include "TvlBitSet.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TvlIpAddress.h"
#include "TvlLog.h"

namespace {

TEST(TvlBitSet, IndexesCountFromTheFirst)
{
    CTvlBitSet seats(40, 1);  // seats 1 to 40
    const struct {
        int32_t index;
        bool inside;
    } cases[] = {{0, false}, {1, true}, {32, true}, {33, true}, {40, true}, {41, false}, {-1, false}, {65537, false}};
    for (const auto& c : cases) {
        EXPECT_FALSE(seats.Test(c.index)) << c.index;
        EXPECT_EQ(seats.Set(c.index), c.inside) << c.index;
        EXPECT_EQ(seats.Test(c.index), c.inside) << c.index;
        EXPECT_EQ(seats.Clear(c.index), c.inside) << c.index;
        EXPECT_FALSE(seats.Test(c.index)) << c.index;
    }
    seats.Set(33);
    EXPECT_FALSE(seats.Test(32));
    EXPECT_FALSE(seats.Test(34));
}

TEST(TvlBitSet, EmptySetAnswersZero)
{
    CTvlBitSet none(0, 5);
    EXPECT_FALSE(none.Set(5));
    EXPECT_FALSE(none.Test(5));
}

TEST(TvlBitSet, ResizeKeepsBitsAndClearsNewOnes)
{
    CTvlBitSet seats(10, 1);
    seats.Set(2);
    seats.Set(10);
    seats.Resize(70);
    EXPECT_TRUE(seats.Test(2));
    EXPECT_TRUE(seats.Test(10));
    for (int32_t i = 11; i <= 70; ++i)
        EXPECT_FALSE(seats.Test(i)) << i;
    EXPECT_FALSE(seats.Test(71));

    seats.Set(60);
    seats.Resize(5);
    EXPECT_TRUE(seats.Test(2));
    EXPECT_FALSE(seats.Set(10));
    seats.Resize(70);
    EXPECT_FALSE(seats.Test(10)) << "a bit dropped by a shrink stays clear";
    EXPECT_FALSE(seats.Test(60));
    EXPECT_EQ(seats.Count(), 70);
}

TEST(TvlIpAddress, UnknownAndDottedText)
{
    EXPECT_FALSE(CTvlIpAddress().IsKnown());
    const uint8_t octets[] = {10, 0, 0, 1};
    uint32_t network;
    std::memcpy(&network, octets, 4);
    const CTvlIpAddress address(network);
    EXPECT_TRUE(address.IsKnown());
    EXPECT_STREQ(TvlAddressText(address.Address()), "10.0.0.1");
}

} // namespace
