#include "ConfChannelLink.h"
#include "ConfTestDoubles.h"
#include "TransportTestDoubles.h"
#include "TunnelControlChannel.h"

#include <gtest/gtest.h>

namespace {

class RecordingAttempts : public IConfConnectAttempts
{
public:
    std::vector<std::string> calls;
    void StartAttempt(const std::string& server, int32_t port) override
    {
        calls.push_back("Start " + server + " " + std::to_string(port));
    }
    void StopAttempt(int32_t port) override { calls.push_back("Stop " + std::to_string(port)); }
    void StartTunnelTimer(uint32_t) override { calls.push_back("Timer"); }
    void KillTunnelTimer() override { calls.push_back("KillTimer"); }
};

class ConnectStrings : public FixedSeedEnvironment
{
public:
    std::string String(int32_t number) override
    {
        if (number == 221)
            return "No server";
        if (number == 203)
            return "Error connecting to socket.  Code: 0x%x";
        return FixedSeedEnvironment::String(number);
    }
};

class ConfChannelLinkTest : public ::testing::Test
{
protected:
    ConfChannelLinkTest() : plan(attempts), link(sockets, environment, plan),
                            session(owner, link, media, environment)
    {
        link.SetProtocol(&session);
    }

    std::unique_ptr<INetSocket> Socket() { return std::make_unique<ScriptedSocket>(script); }

    std::string Received(const std::string& plain)
    {
        return CConfLineCipher(key).Encipher(plain + "\n");
    }

    std::shared_ptr<ScriptedSocket::Script> script = std::make_shared<ScriptedSocket::Script>();
    RecordingAttempts attempts;
    CConfConnectPlan plan;
    ScriptedSocketFactory sockets;
    ConnectStrings environment;
    ConfChannelLink link;
    RecordingOwner owner;
    RecordingMedia media;
    CConferenceProtocol session;
    ConfKey key = CConfLineCipher::ChooseCredentials("", "").key;
};

TEST_F(ConfChannelLinkTest, DirectAttemptBecomesTextChannelAndSendsConnect)
{
    plan.Start(0, "conf.test");
    ASSERT_TRUE(link.OnAttemptConnected(3450, Socket()));
    EXPECT_EQ(script->sent, "CONNECT\t2\t4\ten-US\t73920461\n");
    EXPECT_TRUE(session.IsConnected());
    EXPECT_EQ(session.CurrentServer(), "conf.test");

    script->reads = {Received("1\tCONNECT") + Received("2\tACCEPT\t44")};
    EXPECT_TRUE(link.Channel()->OnReadable());
    EXPECT_TRUE(session.IsAccepted());
    EXPECT_EQ(session.OwnUser(), 44);
}

TEST_F(ConfChannelLinkTest, TunnelAttemptBecomesTunnelChannel)
{
    plan.Start(8618200, "conf.test");
    ASSERT_TRUE(link.OnAttemptConnected(80, Socket()));
    EXPECT_NE(dynamic_cast<TunnelControlChannel*>(link.Channel()), nullptr);
    EXPECT_EQ(script->sent, "POST 0 HTTP/1.1\r\nContent-Type: text/x-sonorelle\r\n"
                            "Content-Length: 27\r\n\r\nCONNECT\t2\t4\ten-US\t73920461\n");
    const std::string line = Received("1\tCONNECT");
    script->reads = {"HTTP/1.1 200 OK\r\nContent-Type: text/x-sonorelle\r\nContent-Length: " +
                     std::to_string(line.size()) + "\r\n\r\n" + line};
    EXPECT_TRUE(link.Channel()->OnReadable());
    EXPECT_EQ(owner.Take(), (std::vector<std::string>{"Connected", "Status 207"}));
}

TEST_F(ConfChannelLinkTest, AttemptNoLongerWantedIsClosed)
{
    plan.Start(0, "conf.test");
    EXPECT_FALSE(link.OnAttemptConnected(80, Socket()));
    EXPECT_TRUE(script->destroyed);
    EXPECT_EQ(link.Channel(), nullptr);
    EXPECT_FALSE(session.IsConnected());
}

TEST_F(ConfChannelLinkTest, OverlongLineEndsTheSessionWithAnError)
{
    plan.Start(0, "conf.test");
    ASSERT_TRUE(link.OnAttemptConnected(3450, Socket()));
    owner.Take();
    script->reads = {std::string(3000, 'A')};
    link.Channel()->OnReadable();
    EXPECT_FALSE(session.IsConnected());
    const auto events = owner.Take();
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), "ErrorText 1005 Receive buffer overflow 3000 0");
}

struct DirectCase
{
    int32_t error;
    std::string text;
};

TEST_F(ConfChannelLinkTest, DirectConnectFailureGivesTheErrorText)
{
    const DirectCase cases[] = {
        {10061, "No server"},
        {10060, "No server"},
        {10051, "Error connecting to socket.  Code: 0x2743"},
    };
    for (const DirectCase& c : cases) {
        sockets.failWith = c.error;
        std::string text;
        EXPECT_FALSE(link.ConnectDirect("other.test", 3450, text));
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(ConfChannelLinkTest, DirectConnectAttachesAndSendsConnect)
{
    std::string text;
    ASSERT_TRUE(link.ConnectDirect("other.test", 3450, text));
    EXPECT_EQ(sockets.calls, std::vector<std::string>{"Connect other.test 3450 tcp"});
    EXPECT_EQ(sockets.made[0]->sent, "CONNECT\t2\t4\ten-US\t73920461\n");
    EXPECT_EQ(session.CurrentServer(), "other.test");
    link.Close();
    EXPECT_TRUE(sockets.made[0]->destroyed);
    int32_t error = 0;
    EXPECT_FALSE(link.SendText("x\n", error));
}

} // namespace
