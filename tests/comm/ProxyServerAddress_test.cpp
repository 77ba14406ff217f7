#include "ZrServerAddress.h"

#include <gtest/gtest.h>

#include <cstring>

#include "TvlIpAddress.h"

namespace {

constexpr uint32_t kUnknown = CTvlIpAddress::kUnknown;
constexpr uint32_t kSomeAddress = 0x0100007F;

TEST(ProxyServerAddress, DefaultRecordConnectsDirectly)
{
    const CZrServerAddress settings(1533);
    EXPECT_EQ(settings.kind, CZrServerAddress::kDirect);
    EXPECT_EQ(settings.proxyAddress, kUnknown);
    EXPECT_EQ(settings.proxyPort, 0);
    EXPECT_EQ(settings.authenticate, 0);
    EXPECT_EQ(settings.option, CZrServerAddress::kClientResolves);
    uint8_t bytes[2];
    std::memcpy(bytes, &settings.targetPort, 2);
    EXPECT_EQ(bytes[0], 0x05);
    EXPECT_EQ(bytes[1], 0xFD);
    EXPECT_EQ(TvlPortFromNet(settings.targetPort), 1533);
}

TEST(ProxyServerAddress, TargetPortOfTheRecordWinsWhenSet)
{
    EXPECT_EQ(CZrServerAddress(0).TargetPortOr(TvlPortToNet(7000)), TvlPortToNet(7000));
    EXPECT_EQ(CZrServerAddress(1533).TargetPortOr(TvlPortToNet(7000)), TvlPortToNet(1533));
}

TEST(ProxyServerAddress, WhichTargetsCanBeReached)
{
    struct Case {
        int32_t kind;
        int32_t option;
        bool proxyKnown;
        uint32_t target;
        bool reachable;
    };
    const Case cases[] = {
        {CZrServerAddress::kDirect, 1, false, kSomeAddress, true},
        {CZrServerAddress::kDirect, 1, false, kUnknown, false},
        {CZrServerAddress::kSocks4, 1, true, kSomeAddress, true},
        {CZrServerAddress::kSocks4, 0, true, kUnknown, false},
        {CZrServerAddress::kSocks4, 1, false, kSomeAddress, false},
        {CZrServerAddress::kSocks5, CZrServerAddress::kProxyResolves, true, kUnknown, true},
        {CZrServerAddress::kSocks5, CZrServerAddress::kClientThenProxy, true, kUnknown, true},
        {CZrServerAddress::kSocks5, CZrServerAddress::kClientResolves, true, kUnknown, false},
        {CZrServerAddress::kSocks5, CZrServerAddress::kClientResolves, true, kSomeAddress, true},
        {CZrServerAddress::kHttpConnect, 1, true, kUnknown, true},
        {CZrServerAddress::kHttpPost, 1, true, kUnknown, true},
        {CZrServerAddress::kHttpPost, 1, false, kUnknown, false},
        {9, 1, true, kSomeAddress, false},
    };
    for (const Case& c : cases) {
        CZrServerAddress settings(1533);
        settings.kind = c.kind;
        settings.option = c.option;
        settings.proxyAddress = c.proxyKnown ? kSomeAddress : kUnknown;
        EXPECT_EQ(settings.CanReach(c.target), c.reachable)
            << "kind " << c.kind << " option " << c.option << " proxy known " << c.proxyKnown;
    }
}

} // namespace
