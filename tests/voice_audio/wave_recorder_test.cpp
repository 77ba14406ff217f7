// Recording to a wave file: the file a recording leaves is a valid RIFF
// WAVE file of 16-bit mono samples at 8000 Hz whose "fact" chunk counts the
// frames written; what is played and what is sent are mixed frame by frame.
#include "WaveRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t Read32(const std::vector<uint8_t>& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

uint16_t Read16(const std::vector<uint8_t>& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

std::string Tag(const std::vector<uint8_t>& bytes, size_t at)
{
    return std::string(bytes.begin() + static_cast<long>(at), bytes.begin() + static_cast<long>(at) + 4);
}

// A recorded file as its chunks say: format fields, fact value, samples.
struct WaveFile
{
    explicit WaveFile(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // Walks the chunks as a reader does; false when the file does not hold
    // together.
    bool Parse()
    {
        if (bytes.size() < 12 || Tag(bytes, 0) != "RIFF" || Tag(bytes, 8) != "WAVE" ||
            Read32(bytes, 4) + 8 != bytes.size())
            return false;
        for (size_t at = 12; at + 8 <= bytes.size();) {
            const std::string id = Tag(bytes, at);
            const uint32_t length = Read32(bytes, at + 4);
            if (at + 8 + length > bytes.size())
                return false;
            if (id == "fmt " && length >= 16) {
                format = Read16(bytes, at + 8);
                channels = Read16(bytes, at + 10);
                rate = Read32(bytes, at + 12);
                bits = Read16(bytes, at + 22);
            } else if (id == "fact" && length == 4) {
                fact = Read32(bytes, at + 8);
            } else if (id == "data") {
                for (size_t i = 0; i + 1 < length; i += 2)
                    samples.push_back(static_cast<int16_t>(Read16(bytes, at + 8 + i)));
            }
            at += 8 + length + (length & 1);
        }
        return true;
    }

    std::vector<uint8_t> bytes;
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0, fact = 0;
    std::vector<int16_t> samples;
};

WaveBuffer Frame(int16_t value)
{
    WaveBuffer frame(60);
    for (size_t i = 0; i < frame.SampleCount(); ++i)
        frame.Samples()[i] = value;
    return frame;
}

class WaveRecorderTest : public ::testing::Test
{
protected:
    ~WaveRecorderTest() override { std::remove(path.c_str()); }

    std::string path = ::testing::TempDir() + "recorded.wav";
    int failures = 0;
    std::vector<std::vector<uint8_t>> packets;
    WaveRecorder recorder{[this] { ++failures; },
                          [this](std::vector<uint8_t> bytes) { packets.push_back(std::move(bytes)); }};
};

} // namespace

TEST_F(WaveRecorderTest, ArgumentsAreCheckedBeforeAnyFileIsMade)
{
    const struct { const char* file; int32_t format; int32_t sources; int32_t status; } cases[] = {
        {"", 1, 1, WaveRecordStatus::kNoFileName},
        {"x.wav", 2, 1, WaveRecordStatus::kBadFormat},
        {"x.wav", 0, 3, WaveRecordStatus::kBadFormat},
        {"x.wav", 1, 0, WaveRecordStatus::kBadSources},
        {"x.wav", 1, 4, WaveRecordStatus::kBadSources},
        {"/no/such/folder/x.wav", 1, 3, WaveRecordStatus::kCannotCreate},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(recorder.StartRecord(c.file, c.format, c.sources), c.status) << c.file;
        EXPECT_FALSE(recorder.IsRecording()) << c.file;
    }
}

TEST_F(WaveRecorderTest, PlayedAndSentFramesAreMixedIntoAValidFile)
{
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kPlayed | WaveRecorder::kSent), 0);
    recorder.OfferPlayed(Frame(1000));
    recorder.OfferSent(Frame(200));
    recorder.Tick(); // both: mixed
    recorder.OfferSent(Frame(-300));
    recorder.Tick(); // the sent one alone
    recorder.Tick(); // nothing queued: nothing written
    recorder.OfferPlayed(Frame(32000));
    recorder.OfferSent(Frame(32000));
    recorder.Tick(); // mixed, clamped
    recorder.StopRecord();
    EXPECT_FALSE(recorder.IsRecording());

    WaveFile file(path);
    ASSERT_TRUE(file.Parse());
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.channels, 1);
    EXPECT_EQ(file.rate, 8000u);
    EXPECT_EQ(file.bits, 16);
    EXPECT_EQ(file.fact, 3u); // frames, not samples
    ASSERT_EQ(file.samples.size(), 3 * 480u);
    EXPECT_EQ(file.samples[0], 1200);
    EXPECT_EQ(file.samples[480], -300);
    EXPECT_EQ(file.samples[960 + 479], 32767);
    EXPECT_EQ(failures, 0);
}

TEST_F(WaveRecorderTest, OnlyTheChosenSourcesAreRecorded)
{
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kSent), 0);
    recorder.OfferPlayed(Frame(1000));
    recorder.OfferSent(Frame(7));
    recorder.Tick();
    recorder.Tick();
    recorder.StopRecord();
    WaveFile file(path);
    ASSERT_TRUE(file.Parse());
    EXPECT_EQ(file.fact, 1u);
    ASSERT_EQ(file.samples.size(), 480u);
    EXPECT_EQ(file.samples[0], 7);
}

TEST_F(WaveRecorderTest, TicksThatFellBehindCatchUpAndNothingQueuesWithoutARecording)
{
    recorder.OfferPlayed(Frame(5)); // not recording: dropped
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kPlayed), 0);
    for (int i = 0; i < 6; ++i)
        recorder.OfferPlayed(Frame(static_cast<int16_t>(i + 1)));
    recorder.Tick(); // writes until no more than two are left
    recorder.StopRecord();
    WaveFile file(path);
    ASSERT_TRUE(file.Parse());
    EXPECT_EQ(file.fact, 4u);
    ASSERT_EQ(file.samples.size(), 4 * 480u);
    EXPECT_EQ(file.samples[0], 1);
    EXPECT_EQ(file.samples[3 * 480], 4);
}

TEST_F(WaveRecorderTest, ANewRecordingFinishesThePreviousFile)
{
    const std::string first = path + ".first";
    ASSERT_EQ(recorder.StartRecord(first, 1, WaveRecorder::kPlayed), 0);
    recorder.OfferPlayed(Frame(9));
    recorder.Tick();
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kPlayed), 0);
    WaveFile file(first);
    ASSERT_TRUE(file.Parse());
    EXPECT_EQ(file.fact, 1u);
    EXPECT_EQ(file.samples.size(), 480u);
    std::remove(first.c_str());
}

TEST_F(WaveRecorderTest, AFileThatCannotTakeItsHeadersIsRefused)
{
    const std::string full = "/dev/full";
    std::FILE* probe = std::fopen(full.c_str(), "w+b");
    if (!probe)
        GTEST_SKIP() << "no " << full << " here";
    std::fclose(probe);
    EXPECT_EQ(recorder.StartRecord(full, 1, WaveRecorder::kPlayed), WaveRecordStatus::kCannotCreate);
    EXPECT_EQ(failures, 0);
}

TEST_F(WaveRecorderTest, PacketsGoOnBesideTheFileWithTheSameSettingsOnly)
{
    EXPECT_EQ(recorder.RegisterForPackets(true, 2, 1), WaveRecordStatus::kBadFormat);
    EXPECT_EQ(recorder.RegisterForPackets(true, 1, 5), WaveRecordStatus::kBadSources);
    ASSERT_EQ(recorder.RegisterForPackets(true, 1, WaveRecorder::kSent), 0);
    EXPECT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kPlayed), WaveRecordStatus::kOtherSettings);
    EXPECT_FALSE(recorder.IsRecording());
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kSent), 0);

    recorder.OfferSent(Frame(300));
    recorder.OfferPlayed(Frame(1)); // not among the sources
    recorder.Tick();
    recorder.StopRecord(); // the file ends, the packets go on
    recorder.OfferSent(Frame(-2));
    recorder.Tick();
    ASSERT_EQ(packets.size(), 2u);
    ASSERT_EQ(packets[0].size(), 960u);
    EXPECT_EQ(packets[0][0] | packets[0][1] << 8, 300);
    EXPECT_EQ(static_cast<int16_t>(packets[1][0] | packets[1][1] << 8), -2);
    WaveFile file(path);
    ASSERT_TRUE(file.Parse());
    EXPECT_EQ(file.fact, 1u);

    // A recording to file refuses packets with other settings; stopping
    // them leaves nothing queued.
    ASSERT_EQ(recorder.RegisterForPackets(false, 0, 0), 0);
    ASSERT_EQ(recorder.StartRecord(path, 1, WaveRecorder::kPlayed), 0);
    EXPECT_EQ(recorder.RegisterForPackets(true, 1, 3), WaveRecordStatus::kOtherSettings);
    recorder.Stop();
    recorder.OfferPlayed(Frame(5));
    recorder.Tick();
    EXPECT_EQ(packets.size(), 2u);
}
