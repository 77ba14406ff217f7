// The community's configuration items stored by code, and the host and port
// of a community address.
#include <gtest/gtest.h>

#include "CCommunityConfig.h"
#include "CCommunityConnection.h"
#include "PlaceFakes.h"
#include "ZrItem.h"
#include "ZrItemTable.h"

namespace {

TEST(CommunityConfigTest, ItemsAreStoredByCode)
{
    FakeStore store;
    CCommunityConfig config(store);
    CZrItemTable items;
    items.Put(CZrItem::Text(1000, "motd"));
    items.Put(CZrItem::Text(1002, "http://pages.example/start"));
    items.Put(CZrItem::Text(1006, "Harbour"));
    items.Put(CZrItem::Text(1009, "http://login.example/"));
    items.Put(CZrItem::Text(1021, "rules"));
    items.Put(CZrItem::Number(CZrItem::kLong, 1019, 0x12345678));
    items.Put(CZrItem::Number(CZrItem::kLong, 1022, 0x12345678));
    items.Put(CZrItem::Text(1500, "unknown"));
    items.Put(CZrItem::Text(1001, "not a stored text"));
    config.Apply(items);
    EXPECT_EQ(store.texts, (std::map<uint16_t, std::string>{
                               {1000, "motd"}, {1002, "http://pages.example/start"}, {1021, "rules"}}));
    EXPECT_EQ(store.currentUrl, "http://pages.example/start");
    EXPECT_EQ(store.title, "Harbour");
    EXPECT_EQ(store.loginBase, "http://login.example/");
    EXPECT_EQ(store.values, (std::map<uint16_t, uint32_t>{{1019, 0x12345678u}, {1022, 0x5678u}}));
}

TEST(CommunityConfigTest, WordListReplacesThePreviousList)
{
    FakeStore store;
    CCommunityConfig config(store);
    config.Apply(CZrItem::Text(1013, "old,words"));
    config.Apply(CZrItem::Text(1013, "alpha,beta,gamma"));
    EXPECT_EQ(store.words, (std::vector<std::string>{"alpha", "beta", "gamma"}));
    config.Apply(CZrItem::Text(1013, ""));
    EXPECT_TRUE(store.words.empty());
}

TEST(CommunityConfigTest, SplitCommasKeepsEmptyParts)
{
    struct Case {
        const char* text;
        std::vector<std::string> parts;
    };
    const Case cases[] = {
        {"", {}},
        {"one", {"one"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CCommunityConfig::SplitCommas(c.text), c.parts) << c.text;
}

TEST(CommunityConfigTest, ServiceLinksMenuIsRebuiltOnlyWhenTheLinksLoad)
{
    for (const bool loads : {true, false}) {
        FakeStore store;
        store.linksLoad = loads;
        CCommunityConfig config(store);
        config.Apply(CZrItem::Text(1024, "links"));
        EXPECT_EQ(store.texts[1024], "links");
        EXPECT_EQ(store.reloads, 1);
        EXPECT_EQ(store.menuBuilds, loads ? 1 : 0);
    }
}

TEST(CommunityConfigTest, ItemsOfTheWrongTypeAreIgnored)
{
    FakeStore store;
    CCommunityConfig config(store);
    config.Apply(CZrItem::Number(CZrItem::kLong, 1002, 5));
    config.Apply(CZrItem::Text(1019, "12"));
    EXPECT_TRUE(store.texts.empty());
    EXPECT_TRUE(store.currentUrl.empty());
    EXPECT_TRUE(store.values.empty());
}

TEST(CommunityConnectionTest, SplitHostPort)
{
    struct Case {
        const char* url;
        const char* host;
        uint16_t port;
    };
    const Case cases[] = {
        {"zr.example", "zr.example", 0},
        {"zr.example:1533", "zr.example", 1533},
        {"127.0.0.1:65535", "127.0.0.1", 65535},
        {"zr.example:65536", "zr.example:65536", 0},
        {"zr.example:0", "zr.example:0", 0},
        {"zr.example:http", "zr.example:http", 0},
        {"zr.example:", "zr.example:", 0},
    };
    for (const Case& c : cases) {
        std::string host;
        uint16_t port = 1;
        CCommunityConnection::SplitHostPort(c.url, host, port);
        EXPECT_EQ(host, c.host) << c.url;
        EXPECT_EQ(port, c.port) << c.url;
    }
}

} // namespace
