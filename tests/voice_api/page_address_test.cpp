#include "PageAddress.h"

#include <gtest/gtest.h>

TEST(PageAddress, HostIsTakenFromTheAuthority)
{
    const struct { const char* url; const char* host; } cases[] = {
        {"http://www.example.test/page.html", "www.example.test"},
        {"http://user:pw@host.test:8080/x?y#z", "host.test"},
        {"https://10.0.0.5", "10.0.0.5"},
        {"file:///C:/pages/a.htm", ""},
        {"", ""},
        {"plainhost/path", "plainhost"},
        {"http://h.test?q=http://other.test/", "h.test"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageAddress::HostOf(c.url), c.host) << c.url;
    }
}

TEST(PageAddress, DottedAddressesAreFourSmallNumbers)
{
    const struct { const char* host; bool dotted; } cases[] = {
        {"127.0.0.1", true},   {"255.255.255.255", true}, {"0.0.0.0", true},
        {"256.1.1.1", false},  {"1.2.3", false},          {"1.2.3.4.5", false},
        {"1..3.4", false},     {"a.b.c.d", false},        {"1.2.3.4.", false},
        {"", false},           {"0001.2.3.4", false},     {"-1.2.3.4", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PageAddress::IsDotted(c.host), c.dotted) << c.host;
    }
}
