// The receiving side over a fake timer and a codec whose frames are one
// sample value: slots, the 60-ms start, late packets and the jitter delay,
// ordering, two speakers mixed, echo exclusion and packets from the far
// future.
#include "FakeWaveDevices.h"
#include "Sequencer.h"

#include <gtest/gtest.h>

#include <chrono>

#include <memory>
#include <vector>

namespace {

constexpr size_t kFrameBytes = 4;

// Decodes a frame into samples that all hold its first byte times 100.
class ValueCodec : public Codec
{
public:
    explicit ValueCodec(int32_t payloadType = Packet::kG72364)
        : Codec(payloadType, nullptr, "G72364")
    {
    }
    uint16_t Decode(const uint8_t* coded, uint16_t, int16_t* samples) override
    {
        for (int32_t i = 0; i < FrameDurationMs() * kSamplesPerMs; ++i)
            samples[i] = static_cast<int16_t>(coded[0] * 100);
        return static_cast<uint16_t>(FrameDurationMs() * kSamplesPerMs);
    }
    uint16_t Encode(const int16_t*, uint16_t, uint8_t*) override { return 0; }
    int32_t CodedBytesPerPacket() const override { return kFrameBytes; }
};

// A received packet: frame i of `values` is speaker i's, coded as its value.
std::unique_ptr<Packet> Received(uint16_t sequence, uint32_t timestamp,
                                 std::vector<std::pair<uint16_t, uint8_t>> frames,
                                 uint8_t payloadType = Packet::kG72364)
{
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(0x80 | frames.size()), payloadType,
                                  static_cast<uint8_t>(sequence >> 8),
                                  static_cast<uint8_t>(sequence),
                                  static_cast<uint8_t>(timestamp >> 24),
                                  static_cast<uint8_t>(timestamp >> 16),
                                  static_cast<uint8_t>(timestamp >> 8),
                                  static_cast<uint8_t>(timestamp), 0, 0, 0, 9};
    for (size_t i = 0; i < 2; ++i) {
        const uint16_t speaker = i < frames.size() ? frames[i].first : 0;
        bytes.push_back(static_cast<uint8_t>(speaker >> 8));
        bytes.push_back(static_cast<uint8_t>(speaker));
    }
    for (const auto& frame : frames)
        bytes.insert(bytes.end(), {frame.second, 0, 0, 0});
    auto packet = std::make_unique<Packet>();
    size_t used = 0;
    EXPECT_EQ(Packet::Read(bytes.data(), bytes.size(), kFrameBytes, 2, *packet, used),
              Packet::Parse::Complete);
    return packet;
}

class SequencerTest : public ::testing::Test
{
protected:
    SequencerTest()
        : sequencer(timer, [this](std::unique_ptr<WaveBuffer> buffer) {
              played.push_back(buffer->Samples()[0]);
          })
    {
        sequencer.SetFrameMs(30);
        for (uint16_t speaker : {5, 6}) {
            auto decoder = std::make_unique<ValueCodec>();
            decoder->SetFrameDurationMs(30);
            sequencer.AddSource(speaker, std::move(decoder));
        }
    }
    // Ticks until the timer is no longer re-armed (at most `limit` ticks).
    void PlayOut(int limit = 50)
    {
        for (int tick = 0; tick < limit && sequencer.Queued() > 0; ++tick)
            sequencer.OnTick();
    }
    static uint32_t At(uint32_t frame) { return frame * 240; } // 30-ms frames

    FakeTimer timer;
    std::vector<int16_t> played; // the first sample of each played buffer
    Sequencer sequencer;
};

} // namespace

TEST_F(SequencerTest, ATalkSpurtStartsAfterTheJitterDelayPlus60Ms)
{
    sequencer.TakePacket(Received(100, At(10), {{5, 1}}));
    EXPECT_EQ(timer.started, std::vector<uint32_t>{60}); // slot 12 = frame 10 + 60 ms
    sequencer.TakePacket(Received(102, At(12), {{5, 3}}));
    EXPECT_EQ(timer.started.size(), 1u); // one start per spurt
    sequencer.OnTick(); // slot 12, and the empty slot 13 in the same catch-up
    EXPECT_EQ(played, std::vector<int16_t>{100}); // slot 14 is not due yet
    EXPECT_EQ(timer.started.back(), 30u);         // re-armed per frame
    sequencer.OnTick();
    EXPECT_EQ(played, (std::vector<int16_t>{100, 300}));
    EXPECT_EQ(sequencer.LastSpeakers(), (std::array<uint16_t, 2>{5, 0}));
    EXPECT_EQ(sequencer.Queued(), 0u);
}

// The speakers of the last packet played count as speaking for a while;
// once nothing has been played for that long nobody is speaking, though
// echo exclusion still knows who spoke last.
TEST_F(SequencerTest, SpeakingEndsWhenNothingIsPlayedForAWhile)
{
    using namespace std::chrono;
    EXPECT_EQ(sequencer.SpeakingAt(steady_clock::now()), (std::array<uint16_t, 2>{}));
    sequencer.TakePacket(Received(100, At(10), {{5, 1}, {6, 2}}));
    PlayOut();
    ASSERT_EQ(played.size(), 1u);
    const auto playedAt = steady_clock::now();
    EXPECT_EQ(sequencer.SpeakingAt(playedAt), (std::array<uint16_t, 2>{5, 6}));
    const auto hold = milliseconds(Sequencer::kSpeakingHoldMs);
    EXPECT_EQ(sequencer.SpeakingAt(playedAt + hold), (std::array<uint16_t, 2>{}));
    EXPECT_EQ(sequencer.LastSpeakers(), (std::array<uint16_t, 2>{5, 6}));
}

// With no jitter delay, queued packets that are due play at once (catch-up).
TEST_F(SequencerTest, DuePacketsCatchUpWithinOneTick)
{
    sequencer.TakePacket(Received(100, At(10), {{5, 1}}));
    sequencer.TakePacket(Received(101, At(11), {{5, 2}}));
    sequencer.TakePacket(Received(102, At(12), {{5, 3}}));
    sequencer.OnTick();
    EXPECT_EQ(played, (std::vector<int16_t>{100, 200, 300}));
}

TEST_F(SequencerTest, LatePacketsAreDroppedAndLengthenTheNextStart)
{
    sequencer.TakePacket(Received(10, At(10), {{5, 1}}));  // slot 12
    sequencer.TakePacket(Received(13, At(13), {{5, 4}}));  // slot 15
    sequencer.OnTick();                                    // plays 12, passes 13
    sequencer.TakePacket(Received(11, At(11), {{5, 9}}));  // slot 13: one slot late
    EXPECT_EQ(sequencer.JitterDelay(), 1);
    PlayOut();
    EXPECT_EQ(played, (std::vector<int16_t>{100, 400}));
    timer.started.clear();
    sequencer.TakePacket(Received(50, At(80), {{5, 1}}));
    EXPECT_EQ(timer.started, std::vector<uint32_t>{90}); // 30 x 1 + 60
}

TEST_F(SequencerTest, PacketsPlayInTimestampOrder)
{
    sequencer.TakePacket(Received(10, At(10), {{5, 1}}));
    sequencer.TakePacket(Received(12, At(12), {{5, 3}}));
    sequencer.TakePacket(Received(11, At(11), {{5, 2}}));
    PlayOut();
    EXPECT_EQ(played, (std::vector<int16_t>{100, 200, 300}));
}

TEST_F(SequencerTest, TwoSpeakersAreMixedUnlessOneIsExcluded)
{
    const struct { const char* what; bool exclude; int16_t heard; } cases[] = {
        {"both heard", false, 300},
        {"the excluded one is silent", true, 200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        played.clear();
        sequencer.TakePacket(Received(1, At(1), {{5, 1}}));
        PlayOut(); // 5 is the last speaker
        sequencer.ExcludeLastSpeakers(c.exclude);
        sequencer.TakePacket(Received(2, At(2), {{5, 1}, {6, 2}}));
        PlayOut();
        ASSERT_EQ(played.size(), 2u);
        EXPECT_EQ(played[1], c.heard);
        EXPECT_EQ(sequencer.LastSpeakers(), (std::array<uint16_t, 2>{5, 6}));
    }
}

TEST_F(SequencerTest, PacketsWithoutADecoderAndFromTheFarFutureAreNotPlayed)
{
    sequencer.TakePacket(Received(1, At(1), {{7, 1}}));                       // no decoder
    sequencer.TakePacket(Received(2, At(2), {{5, 2}}, Packet::kQual68));      // other codec
    sequencer.TakePacket(Received(3, At(3), {{5, 3}}));
    sequencer.TakePacket(Received(4000, At(100000), {{5, 4}}));               // far ahead
    PlayOut();
    EXPECT_EQ(played, std::vector<int16_t>{300});

    sequencer.RemoveSource(5);
    sequencer.TakePacket(Received(5, At(200000), {{5, 5}}));
    PlayOut();
    EXPECT_EQ(played.size(), 1u);
}

TEST_F(SequencerTest, StopEmptiesTheQueueAndForgetsTheDecoders)
{
    sequencer.TakePacket(Received(1, At(1), {{5, 1}}));
    sequencer.Stop();
    EXPECT_EQ(sequencer.Queued(), 0u);
    EXPECT_EQ(timer.cancels, 1);
    sequencer.TakePacket(Received(2, At(50), {{5, 2}}));
    PlayOut();
    EXPECT_TRUE(played.empty());
}

TEST_F(SequencerTest, LocalFramesStartAnIdlePlayoutAndMixWithReceivedAudio)
{
    auto local = [](int16_t value) {
        auto frame = std::make_unique<WaveBuffer>(30);
        frame->Samples()[0] = value;
        return frame;
    };
    sequencer.PlayLocal(local(7));
    sequencer.PlayLocal(local(8));
    EXPECT_EQ(timer.started, std::vector<uint32_t>{30}); // one start for the idle playout
    sequencer.OnTick(); // no jitter delay: the second catches up at once
    EXPECT_EQ(played, (std::vector<int16_t>{7, 8}));
    const size_t idleStarts = timer.started.size();

    sequencer.TakePacket(Received(100, At(10), {{5, 1}}));
    sequencer.PlayLocal(local(20)); // the spurt's timer is on its way: not started again
    EXPECT_EQ(timer.started.size(), idleStarts + 1);
    sequencer.OnTick(); // decoded, and the local frame mixed in
    EXPECT_EQ(played, (std::vector<int16_t>{7, 8, 120}));
    EXPECT_EQ(sequencer.Queued(), 0u);

    sequencer.PlayLocal(local(1));
    sequencer.ClearLocal();
    sequencer.OnTick();
    EXPECT_EQ(played.size(), 3u);
}
