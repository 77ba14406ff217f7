#include "ConfText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct EscapeCase
{
    std::string plain;
    std::string escaped;
};

TEST(ConfText, EscapeTurnsLineBreaksAndTabsIntoControlBytes)
{
    const EscapeCase cases[] = {
        {"hello", "hello"},
        {"two\nlines", "two\x01lines"},
        {"a\tb", "a\x02" "b"},
        {"\n\t\n", "\x01\x02\x01"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConfText::Escape(c.plain), c.escaped) << c.plain;
        EXPECT_EQ(ConfText::Unescape(c.escaped), c.plain) << c.plain;
    }
}

TEST(ConfText, EscapeBlanksControlBytesAlreadyInTheText)
{
    EXPECT_EQ(ConfText::Escape("a\x01" "b\x02" "c\n"), "a b c\x01");
}

TEST(ConfText, SplitKeepsEmptyFields)
{
    const auto fields = ConfText::SplitFields("1\tROSTERADD\t5\t\t");
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[2], "5");
    EXPECT_EQ(fields[3], "");
    EXPECT_EQ(fields[4], "");
    EXPECT_EQ(ConfText::SplitFields("").size(), 1u);
}

TEST(ConfText, NumbersAreStrictDecimalWithinThirtyTwoBits)
{
    struct Case
    {
        const char* text;
        bool valid;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},          {"42", true, 42},
        {"-7", true, -7},        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0}, {"99999999999999999999", false, 0},
        {"", false, 0},          {"-", false, 0},
        {"12a", false, 0},       {" 1", false, 0},
        {"+1", false, 0},
    };
    for (const auto& c : cases) {
        const auto number = ConfText::ParseNumber(c.text);
        EXPECT_EQ(number.has_value(), c.valid) << c.text;
        if (c.valid && number) {
            EXPECT_EQ(*number, c.value) << c.text;
        }
    }
    EXPECT_EQ(ConfText::ParseNumberOrZero(""), 0);
    EXPECT_FALSE(ConfText::ParseNumberOrZero("x").has_value());
}

TEST(ConfText, ReplaceAllScansLeftToRightWithoutOverlap)
{
    EXPECT_EQ(ConfText::ReplaceAll("a;b;;c", ";", ":"), "a:b::c");
    EXPECT_EQ(ConfText::ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ConfText::ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ConfText::ReplaceAll(";", ";", ""), "");
}

TEST(ConfText, LongUrlsKeepHeadAndTail)
{
    std::string url(260, 'x');
    url.replace(0, 10, "http://h/a");
    url.replace(210, 50, std::string(50, 't'));
    const std::string shortened = ConfText::ShortenUrl(url);
    EXPECT_EQ(shortened.size(), 253u);
    EXPECT_EQ(shortened.substr(0, 200), url.substr(0, 200));
    EXPECT_EQ(shortened.substr(200, 3), "...");
    EXPECT_EQ(shortened.substr(203), std::string(50, 't'));

    EXPECT_EQ(ConfText::ShortenUrl(std::string(250, 'u')), std::string(250, 'u'));
    EXPECT_EQ(ConfText::ShortenUrl(std::string(251, 'u')).size(), 253u);
}

TEST(ConfText, FormatReplacesTheFirstConversionOnly)
{
    EXPECT_EQ(ConfText::FormatOne("Reason: %s", "full"), "Reason: full");
    EXPECT_EQ(ConfText::FormatOne("Code: 0x%x", "2746"), "Code: 0x2746");
    EXPECT_EQ(ConfText::FormatOne("%d and %s", "1"), "1 and %s");
    EXPECT_EQ(ConfText::FormatOne("100%% %s", "x"), "100% x");
    EXPECT_EQ(ConfText::FormatOne("ends in %", "x"), "ends in %");
}

} // namespace
