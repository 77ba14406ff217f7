#include <gtest/gtest.h>

#include <cstdarg>

#include "ZrDdeText.h"

namespace {

struct ParameterCase
{
    const char* text;
    bool valid;
    uint32_t value;
};

class ParameterTest : public ::testing::TestWithParam<ParameterCase>
{
};

TEST_P(ParameterTest, ReadsLeadingSignedDecimal)
{
    const ParameterCase& c = GetParam();
    const std::optional<uint32_t> value = ZrDdeText::ParseParameter(c.text);
    ASSERT_EQ(value.has_value(), c.valid) << c.text;
    if (c.valid) {
        EXPECT_EQ(*value, c.value) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Items, ParameterTest,
    ::testing::Values(ParameterCase{"1234", true, 1234}, ParameterCase{"abc", true, 0},
                      ParameterCase{"", true, 0}, ParameterCase{"  \t42x7", true, 42},
                      ParameterCase{"+8", true, 8}, ParameterCase{"-1", true, 0xFFFFFFFFu},
                      ParameterCase{"--1", true, 0}, ParameterCase{"- 1", true, 0},
                      ParameterCase{"4294967295", true, 0xFFFFFFFFu},
                      ParameterCase{"-2147483648", true, 0x80000000u},
                      // Numbers that do not fit 32 bits name nothing.
                      ParameterCase{"4294967296", false, 0},
                      ParameterCase{"-2147483649", false, 0},
                      ParameterCase{"99999999999999999999999999", false, 0}));

TEST(DdeNames, EqualWithoutRegardToCase)
{
    EXPECT_TRUE(ZrDdeText::NamesEqual("ZR_Place", "zr_place"));
    EXPECT_TRUE(ZrDdeText::NamesEqual("ZrPlacesRun", "ZRPLACESRUN"));
    EXPECT_FALSE(ZrDdeText::NamesEqual("ZR_Place", "ZR_Places"));
    EXPECT_FALSE(ZrDdeText::NamesEqual("ZR_Place", "ZR_Plade"));
}

std::string Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::string line = ZrDdeText::FormatLine(format, args);
    va_end(args);
    return line;
}

TEST(DdeTraceLine, FormatsAndCutsLongLines)
{
    EXPECT_EQ(Format("DDE: Request to %s|%s", "ZR_Place", "PlaceInfo"),
              "DDE: Request to ZR_Place|PlaceInfo");
    const std::string longName(5000, 'n');
    const std::string line = Format("DDE: Poke - %s|%s", longName.c_str(), "Say");
    EXPECT_EQ(line.size(), ZrDdeText::kMaxTraceLine);
    EXPECT_EQ(line.compare(0, 12, "DDE: Poke - "), 0);
}

} // namespace
