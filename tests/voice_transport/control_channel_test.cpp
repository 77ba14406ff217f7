#include "SocketMediaChannel.h"
#include "TextControlChannel.h"
#include "TransportTestDoubles.h"
#include "TunnelControlChannel.h"

#include <gtest/gtest.h>

namespace {

std::string Response(const std::string& type, const std::string& body,
                     const std::string& extra = std::string())
{
    return "HTTP/1.1 200 OK\r\nContent-Type: " + type +
           "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n" + extra + "\r\n" + body;
}

struct ChannelFixture
{
    std::shared_ptr<ScriptedSocket::Script> script = std::make_shared<ScriptedSocket::Script>();
    RecordingSink sink;
    ScriptedSocketFactory sockets;

    std::unique_ptr<INetSocket> Socket() { return std::make_unique<ScriptedSocket>(script); }
};

TEST(TextControlChannel, DeliversLinesInOrderAcrossReads)
{
    ChannelFixture f;
    TextControlChannel channel(f.Socket(), f.sink, f.sockets);
    f.script->reads = {"one\ntw", "o\n", "\nthree\n"};
    while (!f.script->reads.empty())
        EXPECT_TRUE(channel.OnReadable());
    EXPECT_EQ(f.sink.lines, (std::vector<std::string>{"one", "two", "three"}));
    // A read asks for no more than the line buffer can take.
    EXPECT_EQ(f.script->capacities[0], 8191u);
    EXPECT_EQ(f.script->capacities[1], 8191u - 2);
}

TEST(TextControlChannel, OverlongLineIsReportedWithItsLength)
{
    ChannelFixture f;
    TextControlChannel channel(f.Socket(), f.sink, f.sockets);
    f.script->reads = {"ok\n" + std::string(2100, 'a')};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_EQ(f.sink.lines, std::vector<std::string>{"ok"});
    EXPECT_EQ(f.sink.tooLong, std::vector<std::string>{"2100"});
}

TEST(TextControlChannel, ReceiveFailureDiscardsTheUnfinishedLine)
{
    ChannelFixture f;
    TextControlChannel channel(f.Socket(), f.sink, f.sockets);
    f.script->reads = {"par"};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_FALSE(channel.OnReadable()); // nothing scripted: the socket fails
    f.script->reads = {"tial\n"};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_EQ(f.sink.lines, std::vector<std::string>{"tial"});
}

TEST(TextControlChannel, SendsLinesAsTheyAreAndReportsSendErrors)
{
    ChannelFixture f;
    TextControlChannel channel(f.Socket(), f.sink, f.sockets);
    int32_t error = 0;
    EXPECT_TRUE(channel.SendLine("CONNECT\t2\t4\ten-US\t73920461\n", error));
    EXPECT_EQ(f.script->sent, "CONNECT\t2\t4\ten-US\t73920461\n");
    f.script->sendError = 10054;
    EXPECT_FALSE(channel.SendLine("x\n", error));
    EXPECT_EQ(error, 10054);
    channel.Close();
    EXPECT_TRUE(f.script->destroyed);
    EXPECT_FALSE(channel.SendLine("y\n", error));
}

TEST(TextControlChannel, HasSeparateSocketMediaChannels)
{
    ChannelFixture f;
    TextControlChannel channel(f.Socket(), f.sink, f.sockets);
    EXPECT_NE(static_cast<MediaChannel*>(&channel.SendMedia()),
              static_cast<MediaChannel*>(&channel.ReceiveMedia()));
    EXPECT_TRUE(channel.ReceiveMedia().Create(5004, true));
    EXPECT_TRUE(channel.SendMedia().Open("media.example", 5004, true));
    EXPECT_EQ(f.sockets.calls,
              (std::vector<std::string>{"Bind 5004 udp", "Connect media.example 5004 udp"}));
}

TEST(TunnelControlChannel, PostsLinesWithTheSessionNumberTheServerGave)
{
    ChannelFixture f;
    TunnelControlChannel channel(f.Socket(), f.sink);
    int32_t error = 0;
    EXPECT_TRUE(channel.SendLine("CONNECT\n", error));
    EXPECT_EQ(f.script->sent, "POST 0 HTTP/1.1\r\nContent-Type: text/x-sonorelle\r\n"
                              "Content-Length: 8\r\n\r\nCONNECT\n");
    f.script->reads = {Response("text/x-sonorelle", "line one\n", "Content-Encoding: 7\r\n")};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_EQ(f.sink.lines, std::vector<std::string>{"line one\n"});
    f.script->sent.clear();
    EXPECT_TRUE(channel.SendLine("next\n", error));
    EXPECT_EQ(f.script->sent.rfind("POST 7 HTTP/1.1\r\n", 0), 0u) << f.script->sent;
}

TEST(TunnelControlChannel, MediaPacketsTravelAsAudioBodies)
{
    ChannelFixture f;
    TunnelControlChannel channel(f.Socket(), f.sink);
    RecordingReceiver receiver;
    channel.ReceiveMedia().SetFrameSize(4);
    channel.ReceiveMedia().SetLargestCount(2);
    channel.ReceiveMedia().SetPacketReceiver(&receiver);
    EXPECT_EQ(&channel.SendMedia(), &channel.ReceiveMedia());

    const std::string received = ReceivedPacket(2, 4, 4, 101, 102);
    f.script->reads = {Response("audio/x-sonorelle", received)};
    EXPECT_TRUE(channel.OnReadable());
    ASSERT_EQ(receiver.packets.size(), 1u);
    EXPECT_EQ(Text(receiver.packets[0]->Bytes()), received);
    EXPECT_TRUE(f.sink.lines.empty());

    const uint8_t frame[] = {1, 2, 3, 4};
    auto packet = std::make_unique<Packet>(Packet::MakeOutgoing(4, 1, 240, 101, frame, 4));
    const std::string wire = Text(packet->Bytes());
    EXPECT_TRUE(channel.SendMedia().SendPacket(std::move(packet)));
    EXPECT_EQ(f.script->sent, "POST 0 HTTP/1.1\r\nContent-Type: audio/x-sonorelle\r\n"
                              "Content-Length: 20\r\n\r\n" + wire);
}

TEST(TunnelControlChannel, OversizedResponseIsReportedAndSendingAfterCloseFails)
{
    ChannelFixture f;
    TunnelControlChannel channel(f.Socket(), f.sink);
    f.script->reads = {"HTTP/1.1 200 OK\r\nContent-Type: text/x-sonorelle\r\n"
                       "Content-Length: 70000\r\n\r\n"};
    EXPECT_FALSE(channel.OnReadable());
    EXPECT_EQ(f.sink.tooLong, std::vector<std::string>{"70000"});
    channel.Close();
    int32_t error = 0;
    EXPECT_FALSE(channel.SendLine("x\n", error));
    const uint8_t frame = 0;
    EXPECT_FALSE(channel.SendMedia().SendPacket(
        std::make_unique<Packet>(Packet::MakeOutgoing(4, 1, 1, 1, &frame, 1))));
}

TEST(SocketMediaChannel, DatagramAndStreamReadsFollowTheirKind)
{
    ScriptedSocketFactory sockets;
    RecordingReceiver receiver;
    SocketMediaChannel channel(sockets);
    channel.SetFrameSize(8);
    channel.SetPacketReceiver(&receiver);
    const std::string packet = ReceivedPacket(1, 0, 8);

    ASSERT_TRUE(channel.Create(0, true));
    sockets.made[0]->reads = {"TEST3" + packet.substr(0, 10), packet.substr(10)};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_TRUE(receiver.packets.empty());
    EXPECT_EQ(channel.TakeTestCount(), 1);

    ASSERT_TRUE(channel.Open("127.0.0.1", 6000, false));
    sockets.made[1]->reads = {packet.substr(0, 10), packet.substr(10)};
    EXPECT_TRUE(channel.OnReadable());
    EXPECT_TRUE(channel.OnReadable());
    ASSERT_EQ(receiver.packets.size(), 1u);
    EXPECT_FALSE(channel.OnReadable());
    EXPECT_EQ(channel.LastError(), 10054);
}

TEST(SocketMediaChannel, FailuresKeepTheSocketError)
{
    ScriptedSocketFactory sockets;
    sockets.failWith = 10048;
    SocketMediaChannel channel(sockets);
    EXPECT_FALSE(channel.Create(5004, true));
    EXPECT_EQ(channel.LastError(), 10048);
    const uint8_t byte = 1;
    EXPECT_FALSE(channel.SendBytes(&byte, 1));

    sockets.failWith = 0;
    ASSERT_TRUE(channel.Open("127.0.0.1", 5004, true));
    sockets.made[0]->sendError = 10065;
    EXPECT_FALSE(channel.SendPacket(
        std::make_unique<Packet>(Packet::MakeOutgoing(4, 1, 1, 1, &byte, 1))));
    EXPECT_EQ(channel.LastError(), 10065);
}

} // namespace
