// The client's DDE service, served by the layer in this process and driven by
// dde_peer as the outside program.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "CPeerProcess.h"
#include "CZrDdeServer.h"
#include "ZrDdeMessageItems.h"
#include "ZrDdeMovementItems.h"
#include "ZrDdePlaceItems.h"

namespace {

constexpr DWORD kPeerMs = 20000;

class RecordingServer : public CZrDdeServer
{
public:
    void OnItem(std::unique_ptr<CZrDdeItem> item) override { items.push_back(std::move(item)); }

    bool OnRequest(CZrDdeItem& item, uint32_t parameter) override
    {
        parameters.push_back(parameter);
        if (item.GetType() == CPlaceInfoItem::kType) {
            static_cast<CPlaceInfoItem&>(item).Set("Community", "Hall");
            return true;
        }
        if (item.GetType() == CIdInfoItem::kType && parameter != 0) {
            static_cast<CIdInfoItem&>(item).Set(0, 512, "Ann", parameter, 1, 2, 3);
            return true;
        }
        return false;
    }

    void OnTrace(const std::string& line) override { traces.push_back(line); }

    bool Traced(const std::string& line) const
    {
        return std::find(traces.begin(), traces.end(), line) != traces.end();
    }

    int CountTraces(const std::string& prefix) const
    {
        return static_cast<int>(std::count_if(traces.begin(), traces.end(), [&](const auto& line) {
            return line.compare(0, prefix.size(), prefix) == 0;
        }));
    }

    std::vector<std::unique_ptr<CZrDdeItem>> items;
    std::vector<uint32_t> parameters;
    std::vector<std::string> traces;
};

class DdeServerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.Open(CZrDdeServer::kServeMode, 1));
        ASSERT_TRUE(server.Start());
    }

    // Runs the peer with the steps to its end and gives its result lines.
    std::vector<std::string> RunPeer(const std::vector<std::string>& steps)
    {
        CPeerProcess peer;
        EXPECT_TRUE(peer.Start(steps));
        EXPECT_TRUE(peer.WaitExit(kPeerMs));
        std::vector<std::string> lines = peer.Lines();
        EXPECT_FALSE(lines.empty());
        if (!lines.empty() && lines.back() == "end")
            lines.pop_back();
        return lines;
    }

    RecordingServer server;
};

TEST(DdeServerHolder, OpenAndStartRules)
{
    RecordingServer server;
    EXPECT_FALSE(server.Start());
    EXPECT_FALSE(server.Stop());
    EXPECT_FALSE(server.Open(0, 1));
    EXPECT_FALSE(server.Open(CZrDdeServer::kServeMode, 0));
    ASSERT_TRUE(server.Open(CZrDdeServer::kServeMode, 0x400000));
    EXPECT_FALSE(server.Open(CZrDdeServer::kServeMode, 0x400000));
    EXPECT_EQ(server.GetOpenValue(), 0x400000u);
    EXPECT_FALSE(server.RegisterRunName());
    ASSERT_TRUE(server.Start());
    EXPECT_FALSE(server.Start());
    EXPECT_TRUE(server.Traced("DDE: dde initialization completed"));
    EXPECT_TRUE(server.Stop());
    EXPECT_FALSE(server.IsStarted());
    EXPECT_TRUE(server.Start());
}

TEST_F(DdeServerTest, ServesBothNamesWithTheTableTopics)
{
    const std::vector<std::string> topics = {"ZR_Place",        "ZR_Movemant",  "ZR_Message",
                                             "ZR_Group",        "ZR_MyInfo",    "ZR_PresenceInfo",
                                             "ZR_GroupInfo",    "ZR_IdInfo",    "ZR_Version",
                                             "ZR_GameInfo",     "zr_place",     "ZR_Nowhere"};
    // Before the run name is registered only "ZrPlaces" answers.
    EXPECT_EQ(RunPeer({"connect", "ZrPlacesRun", "ZR_Place"}),
              (std::vector<std::string>{"connect fail 0x400a"}));
    ASSERT_TRUE(server.RegisterRunName());

    for (const char* service : {"ZrPlaces", "ZrPlacesRun", "zrplaces"}) {
        std::vector<std::string> steps;
        std::vector<std::string> expected;
        for (const std::string& topic : topics) {
            steps.insert(steps.end(), {"connect", service, topic});
            const bool known = topic != "ZR_Nowhere";
            expected.push_back(known ? "connect ok" : "connect fail 0x400a");
            if (known) {
                steps.push_back("disconnect");
                expected.push_back("disconnect ok");
            }
        }
        EXPECT_EQ(RunPeer(steps), expected) << service;
    }
    EXPECT_TRUE(server.Traced("DDE: request to connection with ZR_Nowhere"));
    // Eleven known topics under each of the three names.
    EXPECT_EQ(server.CountTraces("DDE: Connect to "), 33);
    EXPECT_EQ(server.CountTraces("DDE: Disconnect with "), 33);
    EXPECT_FALSE(server.HasConnections());

    ASSERT_TRUE(server.UnregisterRunName());
    EXPECT_EQ(RunPeer({"connect", "ZrPlacesRun", "ZR_Place"}),
              (std::vector<std::string>{"connect fail 0x400a"}));
}

TEST_F(DdeServerTest, CountsOpenConversations)
{
    CPeerProcess peer;
    ASSERT_TRUE(peer.Start({"connect", "ZrPlaces", "ZR_Place", "waitdata", "3000"}));
    ASSERT_TRUE(peer.WaitForLine("connect", kPeerMs));
    EXPECT_TRUE(PumpUntil(kPeerMs, [&] { return server.HasConnections(); }));
    ASSERT_TRUE(peer.WaitExit(kPeerMs));
    EXPECT_TRUE(PumpUntil(kPeerMs, [&] { return !server.HasConnections(); }));
}

TEST_F(DdeServerTest, RequestsAnswerThroughTheOwner)
{
    const std::vector<std::string> lines = RunPeer({
        "connect", "ZrPlaces", "ZR_Place", "request", "PlaceInfo", "request", "Bogus",
        "request", "PlaceInfo", "request", "PlaceInfo",
        "connect", "ZrPlaces", "ZR_IdInfo", "request", "1234", "request", "abc",
        "request", "99999999999",
        "connect", "ZrPlaces", "zr_version", "request", "ParametersList",
    });
    const std::vector<std::string> expected = {
        "connect ok",
        "request ok " + ToHex(std::string("\x09\x00" "Community,\x04\x00" "Hall", 18)),
        "request fail 0x4009",
        "request ok " + ToHex(std::string("\x09\x00" "Community,\x04\x00" "Hall", 18)),
        "request ok " + ToHex(std::string("\x09\x00" "Community,\x04\x00" "Hall", 18)),
        "connect ok",
        "request ok " + ToHex(std::string("\0\0\0\0,\0\x02\0\0,\x03\0Ann,\xd2\x04\0\0,"
                                          "\x01\0\0\0,\x02\0\0\0,\x03\0\0\0", 35)),
        "request fail 0x4009",
        "request fail 0x4009",
        "connect ok",
        "request ok 00000100",
    };
    EXPECT_EQ(lines, expected);
    // PlaceInfo named directly, then the ParametersList fall-back with 1234 and
    // with a name without digits; the number too large for 32 bits never
    // reaches the owner, nor does the version.
    EXPECT_EQ(server.parameters, (std::vector<uint32_t>{0, 0, 0, 1234, 0}));
    EXPECT_TRUE(server.Traced("DDE: Request to ZR_Place|Bogus"));
    EXPECT_TRUE(server.Traced("DDE: Request ZR_Place|Bogus failed"));
}

TEST_F(DdeServerTest, PokedCommandsAreDecodedForTheOwner)
{
    const std::string say = ToHex(std::string("\x02\0hi,\x01\0\x07,\x04\0\0\0,\x09\0\0\0", 18));
    const std::vector<std::string> lines = RunPeer({
        "connect", "ZrPlaces", "ZR_Message", "poke", "Say", say,
        "connect", "ZrPlaces", "ZR_Movemant", "poke", "Move", "0a0000002c14000000",
        "poke", "EnterRoom", "-",
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"connect ok", "poke ok", "connect ok", "poke ok",
                                               "poke ok"}));
    ASSERT_EQ(server.items.size(), 3u);
    const auto& sayItem = static_cast<const CSayItem&>(*server.items[0]);
    ASSERT_EQ(sayItem.GetType(), CSayItem::kType);
    EXPECT_EQ(sayItem.GetText(), "hi");
    EXPECT_EQ(sayItem.GetPayload(), (std::vector<uint8_t>{7}));
    EXPECT_EQ(sayItem.GetValueA(), 4u);
    EXPECT_EQ(sayItem.GetValueB(), 9u);
    const auto& moveItem = static_cast<const CMoveItem&>(*server.items[1]);
    ASSERT_EQ(moveItem.GetType(), CMoveItem::kType);
    EXPECT_EQ(moveItem.GetX(), 10u);
    EXPECT_EQ(moveItem.GetY(), 20u);
    EXPECT_EQ(server.items[2]->GetType(), CEnterRoomItem::kType);
}

TEST_F(DdeServerTest, BadPokesFailCleanly)
{
    const std::vector<std::string> lines = RunPeer({
        "connect", "ZrPlaces", "ZR_Movemant",
        "poke", "Move", "0a0000003b14000000",   // ';' where ',' belongs
        "poke", "Move", "0a0000002c14",         // cut short
        "poke", "Shout", "0a0000002c14000000",  // no such item
        "connect", "ZrPlaces", "ZR_Message",
        "poke", "Say", "ffff6869",              // text length past the end
        "pokefill", "Say", "1048577",           // larger than the layer takes
        "poke", "Say", "0200686921",            // text, then no ','
        "poke", "Say", "02006869" "2c" "0000" "2c" "01000000",
    });
    EXPECT_EQ(lines, (std::vector<std::string>{"connect ok", "poke refused", "poke refused",
                                               "poke refused", "connect ok", "poke refused",
                                               "poke refused", "poke refused", "poke ok"}));
    // Only the last, well-formed Say reached the owner.
    ASSERT_EQ(server.items.size(), 1u);
    EXPECT_EQ(static_cast<const CSayItem&>(*server.items[0]).GetText(), "hi");
    EXPECT_TRUE(server.Traced("DDE: Poke ZR_Movemant|Shout failed"));
}

TEST_F(DdeServerTest, ExecutesAreRefused)
{
    EXPECT_EQ(RunPeer({"connect", "ZrPlaces", "ZR_Place", "exec", "[Navigate(x)]", "connect",
                       "ZrPlaces", "ZR_Group", "exec", "quit"}),
              (std::vector<std::string>{"connect ok", "exec fail 0x4009", "connect ok",
                                        "exec fail 0x4009"}));
    EXPECT_TRUE(server.Traced("DDE: request to exec. Not processed."));
    EXPECT_TRUE(server.items.empty());
}

TEST_F(DdeServerTest, AdviseLoopsGetPostedItems)
{
    // Posted before any loop exists: kept, but not sent when a loop starts.
    CMoveItem early(1, 1);
    server.PostItem(early);

    CPeerProcess peer;
    ASSERT_TRUE(peer.Start({"connect", "ZrPlaces", "ZR_Movemant", "advise", "Move", "13",
                            "advise", "Move", "1", "advise", "Nothing", "1", "waitdata", "1000",
                            "waitdata", "8000"}));
    ASSERT_TRUE(peer.WaitForLine("waitdata timeout", kPeerMs));
    CMoveItem moved(3, 4);
    EXPECT_TRUE(server.PostItem(moved));
    CSayItem other(1, "Ann", "hi", {}, 0, 0);
    EXPECT_TRUE(server.PostItem(other));
    ASSERT_TRUE(peer.WaitExit(kPeerMs));

    const std::vector<std::string> expected = {
        "connect ok",
        "advise fail 0x4009",
        "advise ok",
        "advise fail 0x4009",
        "waitdata timeout",
        "advdata ZR_Movemant Move 030000002c04000000",
        "end",
    };
    EXPECT_EQ(peer.Lines(), expected);
    EXPECT_TRUE(server.Traced("DDE: Can't advise on ZR_Movemant|Move"));
    EXPECT_TRUE(server.Traced("DDE: Advise request to ZR_Movemant|Move"));
}

TEST_F(DdeServerTest, PostOfAnItemOutsideTheServiceFails)
{
    RecordingServer unopened;
    CMoveItem item(1, 2);
    EXPECT_FALSE(unopened.PostItem(item));
    EXPECT_TRUE(server.PostItem(item));
}

} // namespace
