// The pipeline as the session drives it, over fake devices, channels and a
// codec: a channel offer, the receive port and its fallback, the media test
// with and without hands-free, sources known before the codec, and the end.
#include "Audio.h"
#include "FakeWaveDevices.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

class NamedCodec : public Codec
{
public:
    explicit NamedCodec(const std::string& name, bool ready)
        : Codec(Packet::kG72364, nullptr, name)
    {
        SetReady(ready);
    }
    uint16_t Decode(const uint8_t*, uint16_t, int16_t* samples) override
    {
        samples[0] = 1;
        return 1;
    }
    uint16_t Encode(const int16_t*, uint16_t codedBytes, uint8_t*) override { return codedBytes; }
    int32_t CodedBytesPerPacket() const override { return 48; }
};

class FakeChannel : public MediaChannel
{
public:
    bool Create(int32_t localPort, bool) override
    {
        calls.push_back("Create " + std::to_string(localPort));
        return freePorts.count(localPort) > 0;
    }
    void Close() override { calls.push_back("Close"); }
    bool SendBytes(const uint8_t*, size_t) override { return true; }
    int32_t LastError() const override { return 10049; }
    bool Open(const std::string& host, int32_t port, bool) override
    {
        calls.push_back("Open " + host + " " + std::to_string(port));
        return opens;
    }
    bool SendPacket(std::unique_ptr<Packet>) override { return true; }

    std::set<int32_t> freePorts;
    bool opens = true;
    std::vector<std::string> calls;
};

class AudioTest : public ::testing::Test
{
protected:
    AudioTest()
        : card(devices, preroll, [](int32_t n) { return "string " + std::to_string(n); },
               Soundcard::Waits{50, 50}),
          audio(card, playout, frames, [] { return 0u; },
                [this](const std::string& name) {
                    made.push_back(name);
                    return std::make_unique<NamedCodec>(name, name == "G72364");
                },
                [this] { return Audio::Channels{&send, &receive}; },
                [this] { return handsFree; },
                [](int32_t n) { return n == 202 ? std::string("socket 0x%x") : "port %d"; },
                [this] { ++recordFailures; },
                [this](std::vector<uint8_t> bytes) { packets.push_back(std::move(bytes)); },
                [this](int32_t id, int32_t code, int32_t value) {
                    playStatus.push_back({id, code, value});
                })
    {
        receive.freePorts = {5006};
    }
    ConfChannelOffer Offer(const std::string& codec = "G72364")
    {
        ConfChannelOffer offer;
        offer.transport = "UDP";
        offer.host = "10.0.0.9";
        offer.port = 5004;
        offer.codec = codec;
        offer.interval = 60;
        offer.usable = true;
        return offer;
    }

    FakeWaveDevices devices;
    FakeTimer preroll;
    FakeTimer playout;
    FakeTimer frames;
    Soundcard card;
    FakeChannel send;
    FakeChannel receive;
    bool handsFree = false;
    std::vector<std::string> made;
    int recordFailures = 0;
    std::vector<std::vector<uint8_t>> packets;
    std::vector<std::array<int32_t, 3>> playStatus;
    Audio audio;
};

} // namespace

TEST_F(AudioTest, AnOfferOpensTheCardBindsAReceivePortAndSendsToTheServer)
{
    audio.AddSource(5); // listed before the offer
    const ConfMediaResult result = audio.OpenMedia(Offer(), 101, true);
    EXPECT_EQ(result.outcome, ConfMediaResult::Outcome::Ready);
    EXPECT_EQ(result.localPort, 5006); // the offered port was taken: 2 further
    EXPECT_EQ(receive.calls, (std::vector<std::string>{"Create 5004", "Create 5006"}));
    EXPECT_EQ(send.calls, std::vector<std::string>{"Open 10.0.0.9 5004"});
    EXPECT_EQ(send.FrameSize(), 48u);
    EXPECT_EQ(send.LargestCount(), 1u);
    EXPECT_EQ(receive.LargestCount(), 2u);
    EXPECT_TRUE(card.IsOpened());
    // The session codec, then a decoder for the listed source.
    EXPECT_EQ(made, (std::vector<std::string>{"G72364", "G72364"}));
    audio.AddSource(6);
    EXPECT_EQ(made.size(), 3u);
}

TEST_F(AudioTest, OffersThatCannotBeServedSayWhy)
{
    EXPECT_EQ(audio.OpenMedia(Offer("XYZ"), 101, true).outcome,
              ConfMediaResult::Outcome::CodecRefused);

    receive.freePorts.clear();
    send.opens = false;
    ASSERT_TRUE(card.PrepareAndOpen(60, true)); // someone started the card already
    const ConfMediaResult result = audio.OpenMedia(Offer(), 101, true);
    EXPECT_EQ(result.outcome, ConfMediaResult::Outcome::Failed);
    EXPECT_EQ(result.localPort, 0);
    EXPECT_EQ(result.configureError, "string 214");
    EXPECT_EQ(result.errorText, "socket 0x2741");
}

TEST_F(AudioTest, TheMediaTestStartsTalkingOnlyHandsFree)
{
    ASSERT_EQ(audio.OpenMedia(Offer(), 101, true).outcome, ConfMediaResult::Outcome::Ready);
    devices.TakeCalls();
    audio.MediaTested(true);
    EXPECT_FALSE(audio.IsTransmitting()); // switched on and off once, muted
    EXPECT_EQ(devices.TakeCalls(), (std::vector<std::string>{"OpenInput", "StartInput", "ResetInput",
                                                             "CloseInput"}));
    EXPECT_FALSE(card.InputMute());

    handsFree = true;
    audio.MediaTested(false); // sound off: nothing
    EXPECT_FALSE(audio.IsTransmitting());
    audio.MediaTested(true);
    EXPECT_TRUE(audio.IsTransmitting());
    EXPECT_EQ(audio.Level(), card.InputLevel());
}

TEST_F(AudioTest, StoppingClosesTheChannelsAndTheCard)
{
    handsFree = true;
    ASSERT_EQ(audio.OpenMedia(Offer(), 101, true).outcome, ConfMediaResult::Outcome::Ready);
    audio.MediaTested(true);
    std::string error;
    EXPECT_TRUE(audio.StopMedia(0, true, error));
    EXPECT_FALSE(audio.IsTransmitting());
    EXPECT_FALSE(card.IsOpened());
    EXPECT_EQ(send.calls.back(), "Close");
    EXPECT_EQ(receive.calls.back(), "Close");
    EXPECT_EQ(audio.TakeTestCount(), 0);
}

TEST_F(AudioTest, TheFrameTimerTicksWhileMediaRunsAndStoppingFinishesTheRecording)
{
    const std::string path = ::testing::TempDir() + "audio-recording.wav";
    ASSERT_EQ(audio.StartRecord(path, 1, 3), 0);
    audio.OnFrameTick(); // no media yet: the timer is not started
    EXPECT_TRUE(frames.started.empty());

    ASSERT_EQ(audio.OpenMedia(Offer(), 101, true).outcome, ConfMediaResult::Outcome::Ready);
    EXPECT_EQ(frames.started, std::vector<uint32_t>{60});
    audio.OnFrameTick();
    EXPECT_EQ(frames.started, (std::vector<uint32_t>{60, 60}));

    std::string error;
    ASSERT_TRUE(audio.StopMedia(0, true, error));
    EXPECT_GE(frames.cancels, 1);
    audio.OnFrameTick(); // a tick that was under way: not started again
    EXPECT_EQ(frames.started.size(), 2u);
    // The file is finished: its RIFF length covers the whole file.
    std::FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_NE(file, nullptr);
    unsigned char header[8] = {};
    ASSERT_EQ(std::fread(header, 1, 8, file), 8u);
    std::fseek(file, 0, SEEK_END);
    const long size = std::ftell(file);
    std::fclose(file);
    std::remove(path.c_str());
    EXPECT_EQ(header[4] | header[5] << 8, size - 8);
    EXPECT_EQ(recordFailures, 0);
}
