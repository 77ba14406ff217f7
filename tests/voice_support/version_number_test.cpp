#include "VersionNumber.h"

#include <gtest/gtest.h>

#include <string>

namespace {

VersionNumber Version(uint16_t a, uint16_t b, uint16_t c, uint16_t d)
{
    VersionNumber version;
    version.parts = {a, b, c, d};
    return version;
}

} // namespace

TEST(VersionNumber, ParsesUpToFourNumbers)
{
    constexpr uint16_t kMissing = VersionNumber::kMissing;
    struct Case
    {
        const char* text;
        VersionNumber expected;
    };
    const Case cases[] = {
        {"1.2.9.4", Version(1, 2, 9, 4)},
        {"3.0", Version(3, 0, kMissing, kMissing)},
        {"", Version(kMissing, kMissing, kMissing, kMissing)},
        {"65535.0.0.1", Version(65535, 0, 0, 1)},
        {"1.65536.3.4", Version(1, kMissing, kMissing, kMissing)},
        {"1.2.x.4", Version(1, 2, kMissing, kMissing)},
        {"1..3.4", Version(1, kMissing, kMissing, kMissing)},
        {"1.2.3.4.5", Version(1, 2, 3, 4)},
        {"7 beta", Version(7, kMissing, kMissing, kMissing)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.expected.parts, ParseVersionText(c.text).parts);
    }
}

TEST(VersionNumber, ComparesMajorMinorAndFourthOnly)
{
    struct Case
    {
        const char* a;
        const char* b;
        bool older;
    };
    const Case cases[] = {
        {"1.2.9.4", "1.2.0.5", true}, // the third number is not compared
        {"1.2.0.5", "1.2.9.4", false},
        {"1.2.0.4", "1.2.9.4", false},
        {"1.9.9.9", "2.0.0.0", true},
        {"2.0.0.0", "1.9.9.9", false},
        {"1.1.0.9", "1.2.0.0", true},
        {"1.2", "1.2.0.0", false}, // missing parts count as 0xFFFF
        {"1.2.0.0", "1.2", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        EXPECT_EQ(c.older, CompareVersions(ParseVersionText(c.a), ParseVersionText(c.b)));
    }
}
