#include "CodecFactory.h"
#include "FakeCodecLibraries.h"
#include "G7231Codec.h"
#include "PureVoiceCodec.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

class CodecTest : public ::testing::Test
{
protected:
    CodecTest() { FakeCodecState::Reset(); }

    std::unique_ptr<Codec> Make(const std::string& name) { return factory.Make(name); }

    FakeCodecLibraries libraries;
    CodecLibraryTable table{libraries};
    std::vector<std::pair<unsigned, std::string>> log;
    CodecFactory factory{table, [this](unsigned category, const std::string& entry) {
                             log.emplace_back(category, entry);
                         }};
};

std::vector<int16_t> Ramp(size_t count)
{
    std::vector<int16_t> samples(count);
    for (size_t i = 0; i < count; ++i)
        samples[i] = static_cast<int16_t>(i);
    return samples;
}

} // namespace

TEST_F(CodecTest, FactoryChoosesTheCodecByName)
{
    struct Case
    {
        const char* name;
        const char* codecName;
        int32_t payloadType;
        bool ready;
    };
    const Case cases[] = {
        {"G72364", "G72364", 4, true}, {"g72364", "G72364", 4, true},
        {"QUAL68", "QUAL68", 0, true}, {"qual68", "QUAL68", 0, true},
        {"XYZ", "XCODEC", -1, false},  {"G723", "XCODEC", -1, false},
        {"G723640", "XCODEC", -1, false}, {"", "XCODEC", -1, false},
    };
    for (const Case& c : cases) {
        const auto codec = Make(c.name);
        EXPECT_EQ(c.codecName, codec->Name()) << c.name;
        EXPECT_EQ(c.payloadType, codec->PayloadType()) << c.name;
        EXPECT_EQ(c.ready, codec->IsReady()) << c.name;
        EXPECT_EQ(30, codec->FrameDurationMs()) << c.name;
    }
}

TEST_F(CodecTest, UnusableNameIsLoggedWithCodeThenName)
{
    const auto codec = Make("XYZ");
    using Entry = std::pair<unsigned, std::string>;
    EXPECT_EQ((std::vector<Entry>{{0, "0xd3"}, {0, "XYZ"}}), log);
    EXPECT_TRUE(libraries.loadAttempts.empty());

    int16_t samples[240] = {};
    uint8_t coded[24] = {0x42};
    EXPECT_EQ(0, codec->Encode(samples, sizeof(coded), coded));
    EXPECT_EQ(0, codec->Decode(coded, sizeof(coded), samples));
    EXPECT_EQ(0x42, coded[0]);
    EXPECT_EQ(0, samples[0]);
    EXPECT_EQ(0, codec->CodedBytesPerPacket());
    EXPECT_EQ(0, codec->SamplesPerPacket());
}

TEST_F(CodecTest, MissingLibraryIsFetchedAndLoadedAgain)
{
    libraries.installed = {};
    libraries.fetchable = {{"g72364", "sx5363s.dll"}};
    const auto codec = Make("g72364");
    EXPECT_TRUE(codec->IsReady());
    EXPECT_EQ((std::vector<std::string>{"g72364"}), libraries.fetches);
    EXPECT_EQ((std::vector<std::string>{"sx5363s.dll", "sx5363s.dll"}), libraries.loadAttempts);
    EXPECT_TRUE(log.empty());
}

TEST_F(CodecTest, LibraryThatStaysMissingGivesThePlaceholder)
{
    libraries.installed = {};
    const auto codec = Make("QUAL68");
    EXPECT_EQ("XCODEC", codec->Name());
    EXPECT_EQ((std::vector<std::string>{"QUAL68"}), libraries.fetches);
    EXPECT_EQ((std::vector<std::string>{"qpl.dll"}), libraries.loadAttempts);
    ASSERT_EQ(2u, log.size());
    EXPECT_EQ("QUAL68", log[1].second);
}

TEST_F(CodecTest, LibraryIsLoadedOnceAndFreedWithTheTable)
{
    Make("G72364");
    Make("G72364");
    Make("QUAL68");
    EXPECT_EQ((std::vector<std::string>{"sx5363s.dll", "qpl.dll"}), libraries.loadAttempts);
    table.FreeAll();
    EXPECT_EQ(0, libraries.references[FakeCodecLibraries::G7231Handle()]);
    EXPECT_EQ(0, libraries.references[FakeCodecLibraries::PureVoiceHandle()]);
    EXPECT_EQ(nullptr, table.Load("G72364", 0));
    EXPECT_EQ(nullptr, table.Load("G72364", 3));
}

TEST_F(CodecTest, G7231NeedsAllSevenExportsAndAnOpenSession)
{
    const char* entries[] = {"SX5363_Open",       "SX5363_Close",      "SX5363_InitEncod",
                             "SX5363_InitDecod",  "SX53_SpeechEncode", "SX63_SpeechEncode",
                             "SX5363_SpeechDecode"};
    for (const char* missing : entries) {
        libraries.missingEntries = {missing};
        G7231Codec codec(libraries, FakeCodecLibraries::G7231Handle());
        EXPECT_FALSE(codec.IsReady()) << missing;
        EXPECT_EQ(0, FakeCodecState::openSessions) << missing;
        int16_t samples[240] = {};
        uint8_t coded[24] = {};
        EXPECT_EQ(0, codec.Encode(samples, sizeof(coded), coded)) << missing;
    }

    libraries.missingEntries = {};
    FakeCodecState::openResult = 5;
    G7231Codec refused(libraries, FakeCodecLibraries::G7231Handle());
    EXPECT_FALSE(refused.IsReady());
}

TEST_F(CodecTest, G7231SessionIsClosedWithTheCodec)
{
    {
        G7231Codec codec(libraries, FakeCodecLibraries::G7231Handle());
        EXPECT_TRUE(codec.IsReady());
        EXPECT_EQ(1, FakeCodecState::openSessions);
    }
    EXPECT_EQ(0, FakeCodecState::openSessions);
}

TEST_F(CodecTest, G7231CodesWholeFramesOfTheCodedCount)
{
    G7231Codec codec(libraries, FakeCodecLibraries::G7231Handle());
    const std::vector<int16_t> samples = Ramp(3 * 240);
    std::vector<uint8_t> coded(3 * 24, 0xEE);

    // 50 bytes hold two whole frames; the third is left alone.
    EXPECT_EQ(48, codec.Encode(samples.data(), 50, coded.data()));
    EXPECT_EQ(2, FakeCodecState::lastMode);
    EXPECT_EQ(1, coded[0]);
    EXPECT_EQ(24, coded[23]);
    EXPECT_EQ(static_cast<uint8_t>(240 + 1), coded[24]); // frame 2 starts at sample 240
    EXPECT_EQ(0xEE, coded[48]);
    EXPECT_EQ(0, codec.Encode(samples.data(), 23, coded.data()));

    std::vector<int16_t> decoded(3 * 240, -1);
    EXPECT_EQ(480, codec.Decode(coded.data(), 48, decoded.data()));
    EXPECT_EQ(0, decoded[0]);
    EXPECT_EQ(23, decoded[23]);
    EXPECT_EQ(240, decoded[240]);
    EXPECT_EQ(-1, decoded[480]);
}

TEST_F(CodecTest, PacketSizesFollowTheFrameDuration)
{
    struct Case
    {
        const char* name;
        int32_t durationMs;
        int32_t codedBytes;
        int32_t samples;
    };
    const Case cases[] = {
        {"G72364", 30, 24, 240},  {"G72364", 60, 48, 480},  {"G72364", 50, 24, 400},
        {"G72364", 20, 0, 160},   {"G72364", 0, 0, 0},      {"G72364", -30, 0, 0},
        {"QUAL68", 20, 6, 160},   {"QUAL68", 60, 18, 480},  {"QUAL68", 50, 12, 400},
        {"QUAL68", 10, 0, 80},    {"QUAL68", 2147483647, 644245092, 0},
        {"XYZ", 60, 0, 0},
    };
    for (const Case& c : cases) {
        const auto codec = Make(c.name);
        codec->SetFrameDurationMs(c.durationMs);
        EXPECT_EQ(c.codedBytes, codec->CodedBytesPerPacket()) << c.name << " " << c.durationMs;
        EXPECT_EQ(c.samples, codec->SamplesPerPacket()) << c.name << " " << c.durationMs;
    }
}

TEST_F(CodecTest, PureVoiceWithoutAnObjectIsNotReady)
{
    FakeCodecState::createObjects = false;
    EXPECT_FALSE(PureVoiceCodec(libraries, FakeCodecLibraries::PureVoiceHandle()).IsReady());
    FakeCodecState::createObjects = true;
    libraries.missingEntries = {"QPLCreateInstance"};
    EXPECT_FALSE(PureVoiceCodec(libraries, FakeCodecLibraries::PureVoiceHandle()).IsReady());
}

TEST_F(CodecTest, PureVoiceObjectIsFixedToItsFirstDirection)
{
    PureVoiceCodec decoder(libraries, FakeCodecLibraries::PureVoiceHandle());
    decoder.SetFrameDurationMs(40);
    const uint8_t coded[12] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    std::vector<int16_t> samples(320, -1);
    EXPECT_EQ(320, decoder.Decode(coded, sizeof(coded), samples.data()));
    EXPECT_EQ(PureVoiceCodec::Mode::Decoder, decoder.CurrentMode());
    EXPECT_EQ(1, samples[0]);
    EXPECT_EQ(7, samples[160]);

    std::vector<uint8_t> out(12, 0xEE);
    EXPECT_EQ(0, decoder.Encode(samples.data(), 12, out.data()));
    EXPECT_EQ(0xEE, out[0]);
    EXPECT_EQ(std::vector<int32_t>{2}, FakeCodecState::setModes);
    EXPECT_EQ(std::vector<int32_t>{2}, FakeCodecState::processFrames);

    PureVoiceCodec encoder(libraries, FakeCodecLibraries::PureVoiceHandle());
    encoder.SetFrameDurationMs(40);
    const std::vector<int16_t> ramp = Ramp(320);
    EXPECT_EQ(12, encoder.Encode(ramp.data(), 12, out.data()));
    EXPECT_EQ(160 % 256, out[6]);
    EXPECT_EQ(0, encoder.Decode(coded, sizeof(coded), samples.data()));
    EXPECT_EQ((std::vector<int32_t>{2, 1}), FakeCodecState::setModes);
}

TEST_F(CodecTest, PureVoiceShortPacketIsNotReadPastItsEnd)
{
    PureVoiceCodec decoder(libraries, FakeCodecLibraries::PureVoiceHandle());
    decoder.SetFrameDurationMs(60); // three 6-byte frames per call
    const uint8_t coded[12] = {};
    std::vector<int16_t> samples(480, -1);
    EXPECT_EQ(0, decoder.Decode(coded, sizeof(coded), samples.data()));
    EXPECT_TRUE(FakeCodecState::processFrames.empty());
    EXPECT_EQ(-1, samples[0]);
}

TEST_F(CodecTest, PureVoiceObjectIsReleasedWithTheCodec)
{
    {
        const auto codec = Make("QUAL68");
        EXPECT_EQ(1, FakeCodecState::liveObjects);
    }
    EXPECT_EQ(0, FakeCodecState::liveObjects);
}
