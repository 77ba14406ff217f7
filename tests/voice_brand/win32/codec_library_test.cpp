#include "CodecFactory.h"
#include "G7231Codec.h"
#include "PureVoiceCodec.h"
#include "Win32CodecLibraries.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using CountEntry = int32_t (*)();

// The stand-in libraries count what is open, so the tests can see that the
// engine closes and releases what it made.
int32_t StandinCount(const char* library, const char* entry)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr)
        return -1;
    return reinterpret_cast<CountEntry>(GetProcAddress(module, entry))();
}

// One 30-ms frame whose every tenth sample carries a distinct high byte.
std::vector<int16_t> MarkedFrames(size_t frames)
{
    std::vector<int16_t> samples(frames * 240);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>(((i / 10) % 100) * 256 - 12800 + (i % 10));
    return samples;
}

class CodecLibraryTest : public ::testing::Test
{
protected:
    Win32CodecLibraries libraries{[this](const std::string& name) {
        fetches.push_back(name);
        return false;
    }};
    CodecLibraryTable table{libraries};
    std::vector<std::string> log;
    CodecFactory factory{table, [this](unsigned, const std::string& entry) {
                             log.push_back(entry);
                         }};
    std::vector<std::string> fetches;
};

} // namespace

TEST_F(CodecLibraryTest, G7231FramesGoThroughTheLibrary)
{
    auto codec = factory.Make("G72364");
    ASSERT_TRUE(codec->IsReady());
    EXPECT_EQ(1, StandinCount("sx5363s.dll", "StandinOpenSessions"));
    codec->SetFrameDurationMs(60);
    ASSERT_EQ(48, codec->CodedBytesPerPacket());

    const std::vector<int16_t> samples = MarkedFrames(2);
    std::vector<uint8_t> coded(48);
    EXPECT_EQ(48, codec->Encode(samples.data(), 48, coded.data()));
    for (size_t i = 0; i < coded.size(); ++i) {
        const auto high = static_cast<uint8_t>(static_cast<uint16_t>(samples[i * 10]) >> 8);
        EXPECT_EQ(static_cast<uint8_t>(high ^ 0x5A), coded[i]) << i;
    }

    std::vector<int16_t> decoded(480);
    EXPECT_EQ(480, codec->Decode(coded.data(), 48, decoded.data()));
    for (size_t i = 0; i < decoded.size(); ++i)
        EXPECT_EQ(samples[i] & ~0xFF, decoded[i]) << i;

    codec.reset();
    EXPECT_EQ(0, StandinCount("sx5363s.dll", "StandinOpenSessions"));
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(fetches.empty());
}

TEST_F(CodecLibraryTest, PureVoiceFramesGoThroughTheLibrary)
{
    auto encoder = factory.Make("qual68");
    auto decoder = factory.Make("QUAL68");
    ASSERT_TRUE(encoder->IsReady());
    EXPECT_EQ(2, StandinCount("qpl.dll", "StandinLiveObjects"));
    encoder->SetFrameDurationMs(40);
    decoder->SetFrameDurationMs(40);
    ASSERT_EQ(20, encoder->CodedBytesPerPacket());

    std::vector<int16_t> samples(320);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<int16_t>((static_cast<int>(i / 16) - 10) * 256);
    std::vector<uint8_t> coded(20);
    EXPECT_EQ(20, encoder->Encode(samples.data(), 20, coded.data()));
    EXPECT_EQ(static_cast<uint8_t>(0xF6 ^ 0xA5), coded[0]); // high byte of -10 * 256
    EXPECT_EQ(static_cast<uint8_t>(0x09 ^ 0xA5), coded[19]);

    std::vector<int16_t> decoded(320, 1);
    EXPECT_EQ(320, decoder->Decode(coded.data(), 20, decoded.data()));
    EXPECT_EQ(samples, decoded);
    // Each object keeps the direction of its first use.
    EXPECT_EQ(0, decoder->Encode(samples.data(), 20, coded.data()));

    encoder.reset();
    decoder.reset();
    EXPECT_EQ(0, StandinCount("qpl.dll", "StandinLiveObjects"));
}

TEST_F(CodecLibraryTest, LibraryMissingAnExportCodesNothing)
{
    HMODULE partial = LoadLibraryA("sx5363s-partial.dll");
    ASSERT_NE(nullptr, partial);
    {
        G7231Codec codec(libraries, partial);
        EXPECT_FALSE(codec.IsReady());
        std::vector<int16_t> samples = MarkedFrames(1);
        std::vector<uint8_t> coded(24, 0xEE);
        EXPECT_EQ(0, codec.Encode(samples.data(), 24, coded.data()));
        EXPECT_EQ(0xEE, coded[0]);
    }
    EXPECT_EQ(0, StandinCount("sx5363s-partial.dll", "StandinOpenSessions"));
    FreeLibrary(partial);
}

TEST_F(CodecLibraryTest, MissingLibraryAndEntryAreReported)
{
    EXPECT_EQ(nullptr, libraries.Load("no-such-codec.dll"));
    CodecLibrary library = libraries.Load("qpl.dll");
    ASSERT_NE(nullptr, library);
    EXPECT_EQ(nullptr, libraries.FindEntry(library, "SX5363_Open"));
    EXPECT_NE(nullptr, libraries.FindEntry(library, "QPLCreateInstance"));
    libraries.Free(library);
    EXPECT_FALSE(libraries.FetchComponent("G72364"));
    EXPECT_EQ(std::vector<std::string>{"G72364"}, fetches);
}

TEST_F(CodecLibraryTest, TableFreesItsLibraries)
{
    factory.Make("G72364");
    EXPECT_NE(nullptr, GetModuleHandleA("sx5363s.dll"));
    table.FreeAll();
    EXPECT_EQ(nullptr, GetModuleHandleA("sx5363s.dll"));
}
