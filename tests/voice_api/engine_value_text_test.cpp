#include "EngineValueText.h"

#include <gtest/gtest.h>

#include <climits>

TEST(EngineValueText, OnlyTrueInAnyCaseIsASetFlag)
{
    const struct { const char* text; int32_t flag; } cases[] = {
        {"true", 1}, {"TRUE", 1}, {"tRuE", 1}, {"false", 0}, {"1", 0},
        {"", 0},     {"true ", 0}, {" true", 0}, {"truex", 0}, {"yes", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EngineValueText::ParseFlag(c.text), c.flag) << '"' << c.text << '"';
    }
    EXPECT_STREQ(EngineValueText::FormatFlag(1), "true");
    EXPECT_STREQ(EngineValueText::FormatFlag(0), "false");
}

TEST(EngineValueText, NumbersReadLikeTheCLibraryAndHoldAtTheRangeEnds)
{
    const struct { const char* text; int32_t value; } cases[] = {
        {"0", 0},
        {"42", 42},
        {"  17", 17},
        {"-5", -5},
        {"+8", 8},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"8618200", 8618200},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MAX},
        {"99999999999999999999999", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"-2147483649", INT32_MIN},
        {"-99999999999999999999999", INT32_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EngineValueText::ParseNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(EngineValueText, ControlCharactersAreRemovedAndOtherBytesKept)
{
    const struct { std::string text; std::string clean; } cases[] = {
        {"Ann", "Ann"},
        {"A\tn\nn\r", "Ann"},
        {std::string("\x01\x1f\x7f", 3), ""},
        {"caf\xc3\xa9", "caf\xc3\xa9"},
        {std::string("a\0b", 3), "ab"},
        {" spaced ", " spaced "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EngineValueText::StripControl(c.text), c.clean);
        EXPECT_EQ(EngineValueText::HasControl(c.text), c.clean != c.text);
    }
}
