#include <gtest/gtest.h>

#include "ZrReasonFromUcm.h"

namespace {

struct ReasonCase {
    int32_t code;
    int32_t connecting;
    int32_t broken;
};

// Codes 43 and 46 and the unnamed ones differ by phase; code 5 has no row
// of its own and counts as unnamed.
const ReasonCase kCases[] = {
    {1, 1, 1},       {2, 203, 203},   {3, 204, 204},   {4, 205, 205},   {5, 218, 245},
    {6, 206, 206},   {7, 207, 207},   {8, 208, 208},   {9, 209, 209},   {10, 210, 210},
    {11, 211, 211},  {12, 212, 212},  {31, 239, 239},  {32, 238, 238},  {33, 237, 237},
    {41, 240, 240},  {42, 241, 241},  {43, 217, 242},  {44, 243, 243},  {45, 244, 244},
    {46, 214, 245},  {0, 218, 245},   {99, 218, 245},
};

TEST(ZrReasonFromUcm, MapsEveryCodeByPhase)
{
    for (const ReasonCase& c : kCases) {
        EXPECT_EQ(ZrReasonFromUcm(c.code, EZrPhase::kConnecting), c.connecting) << "code " << c.code;
        EXPECT_EQ(ZrReasonFromUcm(c.code, EZrPhase::kBroken), c.broken) << "code " << c.code;
    }
}

} // namespace
