#include "CodePageConverter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr uint32_t kWesternCodePage = 1252;

// Both roads: the platform's UTF-8 converter and the engine's own codec.
class CodePageConverterTest : public ::testing::TestWithParam<bool>
{
protected:
    std::string Convert(uint32_t from, const std::string& text, uint32_t to)
    {
        const size_t needed = m_converter.Convert(from, text, to, nullptr, 0);
        if (needed == 0)
            return "(failed)";
        std::vector<char> out(needed, '#');
        EXPECT_EQ(needed, m_converter.Convert(from, text, to, out.data(), out.size()));
        EXPECT_EQ('\0', out.back());
        return std::string(out.data(), needed - 1);
    }

    CCodePageConverter m_converter{GetParam()};
};

} // namespace

TEST_P(CodePageConverterTest, ConvertsBetweenUtf8AndAnsi)
{
    struct Case
    {
        std::string utf8;
        std::string western;
    };
    const Case cases[] = {
        {"plain", "plain"},
        {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.western);
        EXPECT_EQ(c.western, Convert(kCodePageUtf8, c.utf8, kWesternCodePage));
        EXPECT_EQ(c.utf8, Convert(kWesternCodePage, c.western, kCodePageUtf8));
    }
}

TEST_P(CodePageConverterTest, TooSmallBufferGetsOnlyTheSize)
{
    char out[4] = {'#', '#', '#', '#'};
    EXPECT_EQ(6u, m_converter.Convert(kWesternCodePage, "caf\xE9", kCodePageUtf8, out, sizeof(out)));
    EXPECT_EQ(std::string(4, '#'), std::string(out, 4));
}

TEST_P(CodePageConverterTest, UnknownCodePageFails)
{
    char out[16];
    EXPECT_EQ(0u, m_converter.Convert(12345, "text", kCodePageUtf8, out, sizeof(out)));
    EXPECT_EQ(0u, m_converter.Convert(kCodePageUtf8, "text", 12345, out, sizeof(out)));
}

INSTANTIATE_TEST_SUITE_P(Roads, CodePageConverterTest, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "Platform" : "OwnCodec";
                         });

TEST(ConvertCodePage, ConvertsWithWhatThePlatformOffers)
{
    char out[8];
    EXPECT_EQ(3u, ConvertCodePage(kCodePageUtf8, "\xC3\xA9\xE2\x82\xAC", kWesternCodePage, out,
                                  sizeof(out)));
    EXPECT_STREQ("\xE9\x80", out);
}
