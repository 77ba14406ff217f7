// The sending side: one packet per captured frame with the next sequence
// number, the frame clock's timestamp and the local source, the frame coded
// by the session codec; and the microphone gain following the levels.
#include "Collector.h"
#include "WaveBuffer.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

// Codes a frame as its first sample's high byte, in 4 bytes.
class FirstSampleCodec : public Codec
{
public:
    FirstSampleCodec() : Codec(Packet::kG72364, nullptr, "G72364") {}
    uint16_t Decode(const uint8_t*, uint16_t, int16_t*) override { return 0; }
    uint16_t Encode(const int16_t* samples, uint16_t codedBytes, uint8_t* coded) override
    {
        coded[0] = static_cast<uint8_t>(samples[0] >> 8);
        return codedBytes;
    }
    int32_t CodedBytesPerPacket() const override { return 4; }
};

class SentPackets : public MediaChannel
{
public:
    bool Create(int32_t, bool) override { return true; }
    void Close() override {}
    bool SendBytes(const uint8_t*, size_t) override { return true; }
    int32_t LastError() const override { return 0; }
    bool Open(const std::string&, int32_t, bool) override { return true; }
    bool SendPacket(std::unique_ptr<Packet> packet) override
    {
        packets.push_back(std::move(packet));
        return true;
    }
    std::vector<std::unique_ptr<Packet>> packets;
};

WaveBuffer Frame(int16_t value)
{
    WaveBuffer buffer(60);
    for (size_t i = 0; i < buffer.SampleCount(); ++i)
        buffer.Samples()[i] = static_cast<int16_t>(i % 2 ? value : -value);
    return buffer;
}

} // namespace

TEST(Collector, EachCapturedFrameBecomesOnePacket)
{
    uint32_t now = 5000;
    std::vector<int32_t> gains;
    Collector collector([&now] { return now; }, [&gains](int32_t gain) {
        gains.push_back(gain);
        return true;
    });
    FirstSampleCodec codec;
    SentPackets channel;
    WaveBuffer frame = Frame(0x7000); // loud: about -16
    collector.OnCapture(frame); // not bound yet: nothing is sent
    EXPECT_TRUE(channel.packets.empty());

    collector.Bind(codec, channel, 101, 60);
    for (int i = 0; i < 3; ++i) {
        collector.OnCapture(frame);
        now += 60;
    }
    ASSERT_EQ(channel.packets.size(), 3u);
    for (uint16_t i = 0; i < 3; ++i) {
        const Packet& packet = *channel.packets[i];
        EXPECT_EQ(packet.Bytes()[0], Packet::kSendMarker);
        EXPECT_EQ(packet.PayloadType(), Packet::kG72364);
        EXPECT_EQ(packet.Sequence(), i);
        EXPECT_EQ(packet.Timestamp(), 480u * (i + 1));
        EXPECT_EQ(packet.Source(), 101u);
        EXPECT_EQ(packet.Bytes().size(), Packet::kHeaderSize + 4);
        EXPECT_EQ(packet.Bytes()[Packet::kHeaderSize], 0x90); // -0x7000 >> 8
    }
    // Loud frames, one period each at 60 ms: the gain comes down by 5 each time.
    EXPECT_EQ(gains, (std::vector<int32_t>{95, 90, 85}));
    EXPECT_EQ(collector.Gain(), 85);

    collector.Unbind();
    collector.OnCapture(frame);
    EXPECT_EQ(channel.packets.size(), 3u);
}
