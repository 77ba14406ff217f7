#include "TransportTestDoubles.h"
#include "TunnelMediaChannel.h"

#include <gtest/gtest.h>

namespace {

constexpr size_t kFrame = 24;

class MediaChannelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        channel.SetFrameSize(kFrame);
        channel.SetLargestCount(2);
        channel.SetPacketReceiver(&receiver);
    }

    void Stream(const std::string& bytes)
    {
        channel.Receive(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }

    void Datagram(const std::string& bytes)
    {
        channel.ReceiveDatagram(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }

    std::vector<uint16_t> Sequences() const
    {
        std::vector<uint16_t> sequences;
        for (const auto& packet : receiver.packets)
            sequences.push_back(packet->Sequence());
        return sequences;
    }

    TunnelMediaChannel channel;
    RecordingReceiver receiver;
};

TEST(MediaChannelStart, StartsWithDefaultsAndNothingBuffered)
{
    TunnelMediaChannel channel;
    EXPECT_EQ(channel.FrameSize(), 252u);
    EXPECT_EQ(channel.LargestCount(), 1u);
    EXPECT_EQ(channel.TakeTestCount(), 0);
    EXPECT_EQ(channel.Buffered(), 0u);
}

TEST_F(MediaChannelTest, TestDatagramAndPacketInOneRead)
{
    Datagram("TEST7" + ReceivedPacket(1, 4, kFrame));
    EXPECT_EQ(channel.TakeTestCount(), 1);
    EXPECT_EQ(channel.TakeTestCount(), 0);
    ASSERT_EQ(receiver.packets.size(), 1u);
    EXPECT_EQ(receiver.packets[0]->PayloadType(), 4);
}

TEST_F(MediaChannelTest, TestDatagramsAreCountedUntilTaken)
{
    for (int i = 1; i <= 10; ++i)
        Datagram("TEST" + std::to_string(i));
    EXPECT_EQ(channel.TakeTestCount(), 10);
    EXPECT_TRUE(receiver.packets.empty());
}

TEST_F(MediaChannelTest, PacketSplitOverReadsIsDeliveredOnceComplete)
{
    const std::string packet = ReceivedPacket(2, 0, kFrame, 101, 102);
    for (size_t split : {size_t(1), size_t(15), size_t(16), size_t(40), packet.size() - 1}) {
        receiver.packets.clear();
        Stream(packet.substr(0, split));
        EXPECT_TRUE(receiver.packets.empty()) << split;
        Stream(packet.substr(split));
        ASSERT_EQ(receiver.packets.size(), 1u) << split;
        EXPECT_EQ(Text(receiver.packets[0]->Bytes()), packet) << split;
        EXPECT_EQ(channel.Buffered(), 0u) << split;
    }
}

TEST_F(MediaChannelTest, PacketsInOneReadAreDeliveredInOrderAndTheTailKept)
{
    const std::string third = ReceivedPacket(1, 4, kFrame, 0, 0, 0x40, 3);
    Stream(ReceivedPacket(1, 4, kFrame, 0, 0, 0x40, 1) +
           ReceivedPacket(2, 0, kFrame, 0, 0, 0x40, 2) + third.substr(0, 20));
    EXPECT_EQ(Sequences(), (std::vector<uint16_t>{1, 2}));
    EXPECT_EQ(channel.Buffered(), 20u);
    Stream(third.substr(20));
    EXPECT_EQ(Sequences(), (std::vector<uint16_t>{1, 2, 3}));
}

TEST_F(MediaChannelTest, InvalidPacketDiscardsTheBufferedBytes)
{
    std::string badType = ReceivedPacket(1, 0, kFrame);
    badType[1] = 3;
    const std::string tooMany = ReceivedPacket(3, 0, kFrame);
    const std::string sendForm = ReceivedPacket(0, 0, kFrame);
    for (const std::string& bad : {badType, tooMany, sendForm}) {
        receiver.packets.clear();
        Stream(bad + ReceivedPacket(1, 4, kFrame));
        EXPECT_TRUE(receiver.packets.empty());
        EXPECT_EQ(channel.Buffered(), 0u);
        Stream(ReceivedPacket(1, 4, kFrame));
        EXPECT_EQ(receiver.packets.size(), 1u);
    }
}

TEST_F(MediaChannelTest, DatagramTailIsNotJoinedToTheNextDatagram)
{
    const std::string packet = ReceivedPacket(1, 4, kFrame, 0, 0, 0x40, 5);
    Datagram(packet + packet.substr(0, 30));
    EXPECT_EQ(channel.Buffered(), 0u);
    Datagram(packet.substr(30) + packet);
    // Joined, the tail would complete a second packet and the third would
    // follow; alone, the second datagram begins with frame bytes (count 0)
    // and is discarded.
    ASSERT_EQ(receiver.packets.size(), 1u);
    EXPECT_EQ(Text(receiver.packets[0]->Bytes()), packet);
}

TEST_F(MediaChannelTest, BytesThatWouldOverflowTheBufferAreDropped)
{
    // A frame size so large that a packet never fits the 16000-byte buffer.
    channel.SetFrameSize(9000);
    const std::string packet = ReceivedPacket(2, 0, 9000);
    Stream(packet.substr(0, 15000));
    EXPECT_EQ(channel.Buffered(), 15000u);
    Stream(packet.substr(15000, 2000));
    EXPECT_EQ(channel.Buffered(), 0u);
    EXPECT_TRUE(receiver.packets.empty());
    channel.SetFrameSize(kFrame);
    Stream(ReceivedPacket(1, 4, kFrame));
    EXPECT_EQ(receiver.packets.size(), 1u);
}

TEST_F(MediaChannelTest, PacketsWithoutReceiverAreDropped)
{
    channel.SetPacketReceiver(nullptr);
    Stream(ReceivedPacket(1, 4, kFrame));
    EXPECT_EQ(channel.Buffered(), 0u);
    EXPECT_TRUE(receiver.packets.empty());
}

} // namespace
