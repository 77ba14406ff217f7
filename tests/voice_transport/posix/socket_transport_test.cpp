// The transports on real sockets on 127.0.0.1 against the Python voice
// server: the session's lines over TCP and through the HTTP tunnel, and a
// media packet that the server echoes back over UDP, over a TCP media
// stream and through the tunnel.
#include "ConfChannelLink.h"
#include "ConfTestDoubles.h"
#include "PosixNetSocket.h"
#include "PosixSocketFactory.h"
#include "SocketMediaChannel.h"
#include "TransportTestDoubles.h"
#include "TunnelControlChannel.h"
#include "VoiceServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <poll.h>

namespace {

constexpr size_t kFrameSize = 24;

class NoAttempts : public IConfConnectAttempts
{
public:
    void StartAttempt(const std::string&, int32_t) override {}
    void StopAttempt(int32_t) override {}
    void StartTunnelTimer(uint32_t) override {}
    void KillTunnelTimer() override {}
};

// The media side as the audio pipeline would drive it, on the link's
// current channel.
class ChannelMedia : public IConfMedia
{
public:
    ChannelMedia(ConfChannelLink& link, IPacketReceiver& receiver)
        : m_link(link), m_receiver(receiver)
    {
    }

    bool bindUdp = true;
    bool tested = false;
    std::vector<int32_t> testCounts;

    void AddSource(int32_t) override {}
    void RemoveSource(int32_t) override {}
    void ConnectStreamMedia(const std::string& host, int32_t port,
                            const std::string& firstLine) override
    {
        MediaChannel& receive = m_link.Channel()->ReceiveMedia();
        ASSERT_TRUE(receive.Open(host, port, false));
        ASSERT_TRUE(receive.SendBytes(reinterpret_cast<const uint8_t*>(firstLine.data()),
                                      firstLine.size()));
    }
    ConfMediaResult OpenMedia(const ConfChannelOffer& offer, int32_t, bool) override
    {
        ConfMediaResult result;
        result.outcome = ConfMediaResult::Outcome::Ready;
        MediaChannel& receive = m_link.Channel()->ReceiveMedia();
        receive.SetFrameSize(kFrameSize);
        receive.SetLargestCount(2);
        receive.SetPacketReceiver(&m_receiver);
        if (bindUdp && offer.transport == "UDP" && receive.Create(0, true)) {
            auto* socket = dynamic_cast<SocketMediaChannel&>(receive).Socket();
            result.localPort = static_cast<PosixNetSocket*>(socket)->LocalPort();
        }
        MediaChannel& send = m_link.Channel()->SendMedia();
        send.SetFrameSize(kFrameSize);
        if (!send.Open(offer.host, offer.port, true))
            result.outcome = ConfMediaResult::Outcome::Failed;
        return result;
    }
    int32_t TakeTestCount() override
    {
        testCounts.push_back(m_link.Channel()->ReceiveMedia().TakeTestCount());
        return testCounts.back();
    }
    void MediaTested(bool) override { tested = true; }
    bool StopMedia(int32_t, bool, std::string&) override { return true; }

private:
    ConfChannelLink& m_link;
    IPacketReceiver& m_receiver;
};

class SocketTransportTest : public ::testing::Test
{
protected:
    SocketTransportTest()
        : plan(attempts), link(sockets, environment, plan), media(link, receiver),
          session(owner, link, media, environment)
    {
        link.SetProtocol(&session);
    }

    void SetUp() override { ASSERT_TRUE(server.Started()) << server.Error(); }

    // Connects as the attempt on `attemptPort` would, to the server's port.
    void Connect(int32_t attemptPort, const std::string& serverPort)
    {
        plan.Start(attemptPort == 80 ? CConfConnectPlan::kTunnelOnly : 0, "127.0.0.1");
        int32_t error = 0;
        auto socket = sockets.Connect("127.0.0.1", server.Port(serverPort), false, error);
        ASSERT_TRUE(socket) << error;
        ASSERT_TRUE(link.OnAttemptConnected(attemptPort, std::move(socket)));
    }

    static int DescriptorOf(INetSocket* socket)
    {
        return socket ? static_cast<PosixNetSocket*>(socket)->Descriptor() : -1;
    }

    // Waits on the control and media sockets and lets the channels read,
    // until `done` or 30 seconds have passed.
    bool Pump(const std::function<bool()>& done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline)
                return false;
            ControlChannel* channel = link.Channel();
            auto* media = dynamic_cast<SocketMediaChannel*>(&channel->ReceiveMedia());
            pollfd waits[2] = {{DescriptorOf(channel->Socket()), POLLIN, 0},
                               {media ? DescriptorOf(media->Socket()) : -1, POLLIN, 0}};
            if (poll(waits, 2, 200) <= 0)
                continue;
            // Media first: test datagrams come before the line that ends the test.
            if (waits[1].revents != 0)
                media->OnReadable();
            if (waits[0].revents != 0 && !channel->OnReadable())
                return done();
        }
        return true;
    }

    bool Seen(const std::string& event)
    {
        for (const std::string& seen : owner.events) {
            if (seen == event)
                return true;
        }
        return false;
    }

    void JoinAndTest()
    {
        ASSERT_TRUE(Pump([&] { return Seen("Connected"); }));
        ConfJoinRecord join;
        join.conference = "lobby";
        join.userName = "Ann";
        ASSERT_TRUE(session.SendJoin(join));
        ASSERT_TRUE(Pump([&] { return media.tested; })) << ::testing::PrintToString(owner.events);
        EXPECT_TRUE(session.IsAccepted());
        EXPECT_TRUE(Seen("RosterAdded " + std::to_string(session.OwnUser()) + " Ann 0"));
    }

    // Sends one packet of the own voice and waits for the server's echo.
    void RoundTrip(uint16_t sequence)
    {
        std::vector<uint8_t> frame(kFrameSize);
        for (size_t i = 0; i < frame.size(); ++i)
            frame[i] = static_cast<uint8_t>(sequence + i);
        const uint32_t own = static_cast<uint32_t>(session.OwnUser());
        const size_t before = receiver.packets.size();
        ASSERT_TRUE(link.Channel()->SendMedia().SendPacket(std::make_unique<Packet>(
            Packet::MakeOutgoing(Packet::kG72364, sequence, 480, own, frame.data(),
                                 frame.size()))));
        ASSERT_TRUE(Pump([&] { return receiver.packets.size() > before; })) << server.Log();
        const Packet& echo = *receiver.packets.back();
        EXPECT_EQ(echo.FrameCount(), 1u);
        EXPECT_EQ(echo.Sequence(), sequence);
        EXPECT_EQ(echo.Timestamp(), 480u);
        EXPECT_EQ(echo.Speaker(0), own);
        EXPECT_EQ(std::vector<uint8_t>(echo.Frame(0), echo.Frame(0) + kFrameSize), frame);
    }

    VoiceServer server;
    NoAttempts attempts;
    CConfConnectPlan plan;
    PosixSocketFactory sockets;
    FixedSeedEnvironment environment;
    ConfChannelLink link;
    RecordingReceiver receiver;
    ChannelMedia media;
    RecordingOwner owner;
    CConferenceProtocol session;
};

TEST_F(SocketTransportTest, LinesOverTcpAndMediaOverUdp)
{
    Connect(3450, "LISTENING");
    JoinAndTest();
    // All ten test datagrams reached the bound receive port.
    EXPECT_EQ(media.testCounts, std::vector<int32_t>{10});
    RoundTrip(77);
    EXPECT_NE(server.Log().find("\"path\": \"udp\""), std::string::npos);
}

TEST_F(SocketTransportTest, MediaFallsBackToTcpWithoutTestDatagrams)
{
    media.bindUdp = false;
    Connect(3450, "LISTENING");
    JoinAndTest();
    EXPECT_EQ(media.testCounts, std::vector<int32_t>{0});
    // The session asked for a TCP media channel and the server's offer
    // connected the receive side, which began with the own user number.
    const std::string first = "\"first\": \"" + std::to_string(session.OwnUser()) + "\"";
    ASSERT_TRUE(Pump([&] { return server.Log().find(first) != std::string::npos; }))
        << server.Log();
    auto& receive = static_cast<SocketMediaChannel&>(link.Channel()->ReceiveMedia());
    EXPECT_FALSE(receive.IsDatagram());
    RoundTrip(5);
    RoundTrip(6);
    EXPECT_EQ(receiver.packets.size(), 2u);
}

TEST_F(SocketTransportTest, LinesAndMediaThroughTheTunnel)
{
    Connect(80, "TUNNEL");
    JoinAndTest();
    // No UDP test on the tunnel, and no TCP fallback either.
    EXPECT_EQ(server.Log().find("\"OPEN\", \"TCP\""), std::string::npos);
    RoundTrip(300);
    auto* tunnel = dynamic_cast<TunnelControlChannel*>(link.Channel());
    ASSERT_NE(tunnel, nullptr);
    EXPECT_GT(tunnel->Session(), 0);
    const std::string log = server.Log();
    // The first request went out before the server named the session; the
    // media packet, sent later, carried its number.
    EXPECT_NE(log.find("\"number\": \"0\", \"type\": \"text/x-sonorelle\""), std::string::npos)
        << log;
    const std::string audio = "\"number\": \"" + std::to_string(tunnel->Session()) +
                              "\", \"type\": \"audio/x-sonorelle\"";
    EXPECT_NE(log.find(audio), std::string::npos) << log;
}

} // namespace
