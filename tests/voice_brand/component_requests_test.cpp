#include "ComponentRequests.h"

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const ComponentRequest& r, std::ostream* os)
{
    *os << "{" << r.name << "," << r.locale << "," << r.kind << "}";
}

TEST(ComponentRequests, BrandThenEngineTextsThenCodec)
{
    struct Case
    {
        const char* brand;
        const char* locale;
        bool phone;
        std::vector<ComponentRequest> expected;
    };
    const Case cases[] = {
        {"Acme", "de-DE", true,
         {{"Acme", "de-DE", "5"}, {"sncom", "de-DE", "3"}, {"G72364", "", "6"}}},
        {"", "de-DE", false, {{"sncom", "de-DE", "3"}}},
        {"Acme", "", false, {{"Acme", "", "5"}}},
        {"", "", true, {{"G72364", "", "6"}}},
        {"", "", false, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, EngineComponentRequests(c.brand, c.locale, c.phone))
            << c.brand << "/" << c.locale << "/" << c.phone;
}
