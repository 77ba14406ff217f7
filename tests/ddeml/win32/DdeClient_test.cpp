// Conversations that the layer opens with another program: dde_peer serves
// a service of its own and logs what reaches it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "CPeerProcess.h"
#include "CZrDdeClient.h"

namespace {

constexpr DWORD kPeerMs = 30000;
constexpr const char* kPeerService = "ZrTestPeer";

class RecordingClient : public CZrDdeClient
{
public:
    explicit RecordingClient(Accepting accepting = Accepting::No) : CZrDdeClient(accepting) {}

    bool Traced(const std::string& line) const
    {
        return std::find(traces.begin(), traces.end(), line) != traces.end();
    }

    std::vector<std::string> traces;
    std::vector<std::string> disconnected;
    std::vector<std::string> pokes;

protected:
    void OnTrace(const std::string& line) override { traces.push_back(line); }
    void OnDisconnected(const std::string& topic) override { disconnected.push_back(topic); }
    bool OnPeerRequest(const std::string& topic, const std::string& item,
                       std::vector<uint8_t>& answer) override
    {
        if (item != "Window")
            return false;
        const std::string text = topic + ":0x11";
        answer.assign(text.begin(), text.end());
        return true;
    }
    void OnPeerPoke(const std::string& topic, const std::string& item, const uint8_t* data,
                    uint32_t size) override
    {
        pokes.push_back(topic + "|" + item + "|" + std::string(data, data + size));
    }
};

// dde_peer serving kPeerService until "quit" is executed.
class DdeClientTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(peer.Start({"answer", "Info", "48656c6c6f00", "serve", kPeerService, "60000"}));
        ASSERT_TRUE(peer.WaitForLine("serving", kPeerMs));
        ASSERT_TRUE(client.Init(""));
    }

    // Ends the peer; it may still be busy with a late answer.
    void TearDown() override
    {
        if (peer.LinesStarting("executed quit").empty()) {
            EXPECT_TRUE(PumpUntil(kPeerMs, [&] {
                uint32_t id = 0;
                return client.Connect(kPeerService, "Quit", &id) && client.Execute("quit", id);
            }));
        }
        EXPECT_TRUE(peer.WaitExit(kPeerMs));
        if (HasFailure()) {
            for (const std::string& line : peer.Lines())
                std::printf("peer: %s\n", line.c_str());
            for (const std::string& line : client.traces)
                std::printf("trace: %s\n", line.c_str());
        }
    }

    CPeerProcess peer;
    RecordingClient client;
};

TEST_F(DdeClientTest, RequestPokeExecuteAndAdviseReachThePeer)
{
    ASSERT_TRUE(client.Connect(kPeerService, "Topic"));
    EXPECT_TRUE(client.Traced("StdDDE Client: Connected with Topic"));

    std::vector<uint8_t> data;
    ASSERT_TRUE(client.Request("Info", data));
    EXPECT_EQ(data, (std::vector<uint8_t>{'H', 'e', 'l', 'l', 'o', 0}));
    EXPECT_TRUE(client.Traced("DDE: Request: Info"));

    const uint8_t command[] = {1, 2, 0};
    EXPECT_TRUE(client.Poke("Cmd", command, sizeof command));
    EXPECT_TRUE(client.Poke("Nothing", nullptr, 0));
    EXPECT_TRUE(client.Execute("Call 10.0.0.1,ann"));
    EXPECT_TRUE(client.AdviseStart("Info"));
    EXPECT_TRUE(client.Execute("quit"));
    ASSERT_TRUE(peer.WaitExit(kPeerMs));

    const std::vector<std::string> expected = {
        "serving ZrTestPeer",
        "connected Topic",
        "requested Info",
        "poked Topic Cmd 010200",
        "poked Topic Nothing -",
        "executed Call 10.0.0.1,ann",
        "advstart Info 1",
        "executed quit",
        "end",
    };
    EXPECT_EQ(peer.Lines(), expected);
}

TEST_F(DdeClientTest, AnswersThatCannotBeTakenFailCleanly)
{
    ASSERT_TRUE(client.Connect(kPeerService, "Topic"));
    std::vector<uint8_t> data = {9};
    // No answer at all.
    EXPECT_FALSE(client.Request("Missing", data));
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(client.Traced("DDE: Request: Missing failed"));
    // An answer larger than the layer takes from another program.
    EXPECT_FALSE(client.Request("huge", data));
    EXPECT_TRUE(data.empty());
    // Still usable afterwards.
    EXPECT_TRUE(client.Request("Info", data));
    EXPECT_EQ(data.size(), 6u);
}

TEST_F(DdeClientTest, SlowAnswerTimesOut)
{
    ASSERT_TRUE(client.Connect(kPeerService, "Topic"));
    std::vector<uint8_t> data;
    const DWORD start = GetTickCount();
    // The peer answers after 6.5 s; a request that waited for it would succeed.
    EXPECT_FALSE(client.Request("slow", data));
    EXPECT_GE(GetTickCount() - start, 4500u);
    EXPECT_TRUE(data.empty());
    EXPECT_TRUE(client.Traced("DDE: Request: slow failed"));
}

TEST_F(DdeClientTest, ConnectFailuresAndMissingConversations)
{
    EXPECT_FALSE(client.Connect("ZrNoSuchService", "Topic"));
    EXPECT_TRUE(client.Traced("DDE: Failed to connect to ZrNoSuchService|Topic."));
    const uint8_t byte = 1;
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1));
    EXPECT_FALSE(client.Execute("x"));
    std::vector<uint8_t> data;
    EXPECT_FALSE(client.Request("Info", data));
    EXPECT_FALSE(client.AdviseStart("Info"));
    EXPECT_FALSE(client.Disconnect(42));

    RecordingClient closed;
    EXPECT_FALSE(closed.Connect(kPeerService, "Topic"));
}

TEST_F(DdeClientTest, ConversationsByIdAndCurrent)
{
    uint32_t first = 0;
    uint32_t second = 0;
    ASSERT_TRUE(client.Connect(kPeerService, "One", &first));
    ASSERT_TRUE(client.Connect(kPeerService, "Two", &second));
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, second);
    // Neither is the current conversation.
    const uint8_t byte = 'x';
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1));
    EXPECT_TRUE(client.Poke("Cmd", &byte, 1, first));

    EXPECT_TRUE(client.Disconnect(first));
    EXPECT_TRUE(client.Traced("StdDDE Client: Disconnect with One"));
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1, first));
    EXPECT_TRUE(client.Poke("Cmd", &byte, 1, second));

    ASSERT_TRUE(client.Connect(kPeerService, "Three"));
    client.traces.clear();
    EXPECT_TRUE(client.Disconnect(0));
    EXPECT_EQ(client.traces, (std::vector<std::string>{"DDE Client: Disconnect with Two",
                                                       "DDE Client: Disconnect with Three"}));
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1));
    client.traces.clear();
    EXPECT_TRUE(client.Disconnect(0));
    EXPECT_TRUE(client.traces.empty());
}

TEST_F(DdeClientTest, PeerEndingTheConversationLeavesNoDanglingCurrent)
{
    uint32_t other = 0;
    ASSERT_TRUE(client.Connect(kPeerService, "Other", &other));
    ASSERT_TRUE(client.Connect(kPeerService, "Topic"));
    EXPECT_TRUE(client.Execute("drop"));
    ASSERT_TRUE(PumpUntil(kPeerMs, [&] {
        return client.disconnected.size() == 2 || peer.LinesStarting("disconnected").size() == 2;
    }));
    // The current conversation and the one by id are gone, not dangling; the
    // end is reported once for each, when it is seen.
    const uint8_t byte = 1;
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1));
    EXPECT_FALSE(client.Poke("Cmd", &byte, 1, other));
    std::sort(client.disconnected.begin(), client.disconnected.end());
    EXPECT_EQ(client.disconnected, (std::vector<std::string>{"Other", "Topic"}));
    EXPECT_TRUE(client.Traced("DDE: Disconnect with Topic"));
    std::vector<uint8_t> data;
    EXPECT_FALSE(client.Request("Info", data));
    EXPECT_FALSE(client.Disconnect(other));
    EXPECT_TRUE(client.Disconnect(0));
}

// A holder made to accept answers conversations that others open under its
// name; other holders refuse them.
TEST(DdeAcceptingClient, AnswersOtherProgramsUnderItsName)
{
    RecordingClient echo(CZrDdeClient::Accepting::Yes);
    ASSERT_TRUE(echo.Init("ZrTestEcho"));
    RecordingClient plain;
    ASSERT_TRUE(plain.Init("ZrTestPlain"));

    CPeerProcess peer;
    ASSERT_TRUE(peer.Start({"connect", "zrtestecho", "WWW_URLEcho", "poke", "Data", "6869",
                            "pokefill", "Data", "1048577", "request", "Window", "request",
                            "Other", "disconnect", "connect", "ZrTestPlain", "WWW_URLEcho"}));
    ASSERT_TRUE(peer.WaitExit(kPeerMs));
    const std::vector<std::string> expected = {
        "connect ok",
        "poke ok",
        "poke refused",
        "request ok " + ToHex(std::string("WWW_URLEcho:0x11")),
        "request fail 0x4009",
        "disconnect ok",
        "connect fail 0x400a",
        "end",
    };
    EXPECT_EQ(peer.Lines(), expected);
    EXPECT_EQ(echo.pokes, (std::vector<std::string>{"WWW_URLEcho|Data|hi"}));
    EXPECT_TRUE(PumpUntil(kPeerMs, [&] { return !echo.disconnected.empty(); }));
    EXPECT_TRUE(echo.Traced("DDE: request to connection with WWW_URLEcho"));
    EXPECT_TRUE(plain.pokes.empty());
}

TEST(DdeAcceptingClient, NameTakenTwiceFails)
{
    RecordingClient first(CZrDdeClient::Accepting::Yes);
    RecordingClient second(CZrDdeClient::Accepting::Yes);
    ASSERT_TRUE(first.Init("ZrTestTwice"));
    EXPECT_FALSE(second.Init("ZRTESTTWICE"));
    EXPECT_TRUE(second.Traced("DDE: dde initialization failed"));
    EXPECT_FALSE(second.IsOpen());
}

} // namespace
