#include "Packet.h"
#include "TransportTestDoubles.h"

#include <gtest/gtest.h>

namespace {

const uint8_t* Bytes(const std::string& text)
{
    return reinterpret_cast<const uint8_t*>(text.data());
}

TEST(Packet, OutgoingFormHasMarkerOneFrameAndZeroSpeakers)
{
    const std::vector<uint8_t> frame = {0xA1, 0xB2, 0xC3};
    const Packet packet =
        Packet::MakeOutgoing(Packet::kG72364, 0x1234, 0x89ABCDEF, 0x01020304, frame.data(),
                             frame.size());
    const std::vector<uint8_t> expected = {0x80, 0x04, 0x12, 0x34, 0x89, 0xAB, 0xCD, 0xEF,
                                           0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x00, 0x00,
                                           0xA1, 0xB2, 0xC3};
    EXPECT_EQ(packet.Bytes(), expected);
    EXPECT_EQ(packet.Sequence(), 0x1234);
    EXPECT_EQ(packet.Timestamp(), 0x89ABCDEFu);
    EXPECT_EQ(packet.Source(), 0x01020304u);
    EXPECT_EQ(packet.FrameCount(), 1u);
}

TEST(Packet, OutgoingFormIsRefusedByTheReceiveParser)
{
    const std::vector<uint8_t> frame(24, 0x11);
    const Packet sent =
        Packet::MakeOutgoing(Packet::kQual68, 1, 2, 3, frame.data(), frame.size());
    Packet read;
    size_t used = 0;
    EXPECT_EQ(Packet::Read(sent.Bytes().data(), sent.Bytes().size(), 24, 2, read, used),
              Packet::Parse::Invalid);
}

struct ReadCase
{
    const char* name;
    std::string bytes;
    size_t frameSize;
    size_t largestCount;
    Packet::Parse expected;
};

TEST(Packet, ReadTellsCompleteIncompleteAndInvalid)
{
    const std::string two = ReceivedPacket(2, 0, 10, 101, 102);
    std::string badType = ReceivedPacket(1, 0, 10);
    badType[1] = 3;
    std::string highNibble = ReceivedPacket(1, 4, 10);
    highNibble[0] = static_cast<char>(0xF1);
    const ReadCase cases[] = {
        {"one frame", ReceivedPacket(1, 4, 10), 10, 1, Packet::Parse::Complete},
        {"two frames", two, 10, 2, Packet::Parse::Complete},
        {"high nibble not examined", highNibble, 10, 1, Packet::Parse::Complete},
        {"count above the largest", ReceivedPacket(3, 0, 10), 10, 2, Packet::Parse::Invalid},
        {"count 0", ReceivedPacket(0, 0, 10), 10, 2, Packet::Parse::Invalid},
        {"payload type 3", badType, 10, 1, Packet::Parse::Invalid},
        {"short header", two.substr(0, 15), 10, 2, Packet::Parse::Incomplete},
        {"short frames", two.substr(0, 35), 10, 2, Packet::Parse::Incomplete},
        {"empty", std::string(), 10, 2, Packet::Parse::Incomplete},
    };
    for (const ReadCase& c : cases) {
        Packet packet;
        size_t used = 0;
        EXPECT_EQ(Packet::Read(Bytes(c.bytes), c.bytes.size(), c.frameSize, c.largestCount,
                               packet, used),
                  c.expected)
            << c.name;
        if (c.expected == Packet::Parse::Complete) {
            EXPECT_EQ(used, c.bytes.size()) << c.name;
        }
    }
}

TEST(Packet, TwoFramePacketGivesEachFrameItsSpeaker)
{
    const std::string bytes = ReceivedPacket(2, 0, 10, 101, 0x8002, 0x40, 0xBEEF) + "tail";
    Packet packet;
    size_t used = 0;
    ASSERT_EQ(Packet::Read(Bytes(bytes), bytes.size(), 10, 2, packet, used),
              Packet::Parse::Complete);
    EXPECT_EQ(used, 36u);
    EXPECT_EQ(packet.FrameCount(), 2u);
    EXPECT_EQ(packet.PayloadType(), 0);
    EXPECT_EQ(packet.Sequence(), 0xBEEF);
    EXPECT_EQ(packet.Timestamp(), 0x100u);
    EXPECT_EQ(packet.Source(), 0x65u);
    EXPECT_EQ(packet.Speaker(0), 101);
    EXPECT_EQ(packet.Speaker(1), 0x8002);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(packet.Frame(0)), 10),
              std::string(10, 0x40));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(packet.Frame(1)), 10),
              std::string(10, 0x41));
    EXPECT_EQ(packet.Frame(2), nullptr);
}

TEST(Packet, OrderIsByTimestamp)
{
    const uint8_t frame = 0;
    const Packet early = Packet::MakeOutgoing(0, 9, 100, 1, &frame, 1);
    const Packet late = Packet::MakeOutgoing(0, 1, 0xFFFFFF00, 1, &frame, 1);
    EXPECT_TRUE(early < late);
    EXPECT_FALSE(late < early);
}

} // namespace
