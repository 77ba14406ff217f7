// Wave files played for the SDK host: RIFF images are read only within
// their bounds, items play frame by frame to their destination, repeat
// after their pause, and tell their start, end and failures.
#include "RiffWave.h"
#include "WavePlayer.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void Put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

// A RIFF WAVE image: a format chunk of `formatBytes` (16 or more gives the
// fields), an odd-sized chunk to skip, then the samples.
std::vector<uint8_t> Image(const std::vector<int16_t>& samples, uint32_t rate = 8000,
                           uint32_t formatBytes = 16)
{
    std::vector<uint8_t> body;
    PutTag(body, "WAVE");
    PutTag(body, "fmt ");
    Put32(body, formatBytes);
    std::vector<uint8_t> format;
    Put16(format, 1);
    Put16(format, 1);
    Put32(format, rate);
    Put32(format, rate * 2);
    Put16(format, 2);
    Put16(format, 16);
    format.resize(formatBytes);
    body.insert(body.end(), format.begin(), format.end());
    PutTag(body, "LIST");
    Put32(body, 3);
    body.insert(body.end(), {'a', 'b', 'c', 0});
    PutTag(body, "data");
    Put32(body, static_cast<uint32_t>(samples.size() * 2));
    for (int16_t sample : samples)
        Put16(body, static_cast<uint16_t>(sample));
    std::vector<uint8_t> image;
    PutTag(image, "RIFF");
    Put32(image, static_cast<uint32_t>(body.size()));
    image.insert(image.end(), body.begin(), body.end());
    return image;
}

} // namespace

TEST(RiffWave, ChunksAreReadOnlyWithinTheBlock)
{
    const std::vector<uint8_t> good = Image({1, 2, 3});
    const auto wave = RiffWave::Parse(good.data(), good.size());
    ASSERT_TRUE(wave);
    EXPECT_TRUE(wave->IsEngineFormat());
    EXPECT_EQ(wave->dataLength, 6u);
    EXPECT_EQ(good[wave->dataOffset], 1);

    std::vector<uint8_t> tooLong = good; // the data chunk claims more than there is
    tooLong[tooLong.size() - 10] = 0xFF;
    std::vector<uint8_t> wrapping = good; // a length that wraps 32-bit offsets
    for (size_t i = 16; i < 20; ++i)
        wrapping.at(i) = 0xFF;
    std::vector<uint8_t> notWave = good;
    notWave[8] = 'X';
    std::vector<uint8_t> noData(good.begin(), good.begin() + 44);
    const struct { const char* name; std::vector<uint8_t> bytes; } bad[] = {
        {"data beyond the block", tooLong}, {"wrapping length", wrapping},
        {"not WAVE", notWave}, {"no data chunk", noData}, {"empty", {}},
    };
    for (const auto& c : bad)
        EXPECT_FALSE(RiffWave::Parse(c.bytes.data(), c.bytes.size())) << c.name;

    const std::vector<uint8_t> shortFormat = Image({1}, 8000, 14);
    const auto unknown = RiffWave::Parse(shortFormat.data(), shortFormat.size());
    ASSERT_TRUE(unknown);
    EXPECT_FALSE(unknown->formatKnown);
    EXPECT_FALSE(unknown->IsEngineFormat());
}

namespace {

class WavePlayerTest : public ::testing::Test
{
protected:
    ~WavePlayerTest() override
    {
        for (const std::string& file : files)
            std::remove(file.c_str());
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        const std::string path = ::testing::TempDir() + name;
        std::FILE* file = std::fopen(path.c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        files.push_back(path);
        return path;
    }

    WavePlayer::Request Request(const std::string& file, int32_t id = 7)
    {
        WavePlayer::Request request;
        request.file = file;
        request.playId = id;
        return request;
    }

    struct Played
    {
        int16_t first;
        int16_t last;
        int32_t destination;
    };
    std::vector<Played> played;
    std::vector<std::array<int32_t, 3>> status;
    std::vector<std::string> files;
    WavePlayer player{[this](std::unique_ptr<WaveBuffer> frame, int32_t destination) {
                          played.push_back({frame->Samples()[0],
                                            frame->Samples()[frame->SampleCount() - 1],
                                            destination});
                      },
                      [this](int32_t id, int32_t code, int32_t value) {
                          status.push_back({id, code, value});
                      }};
};

} // namespace

TEST_F(WavePlayerTest, BadArgumentsAreRefusedBeforeQueueing)
{
    const struct { int32_t check, repeat, destination, pause; const char* file; int32_t code; } cases[] = {
        {1, 0, 1, 0, "", 1407},   {2, 0, 1, 0, "a.wav", 1402}, {1, 0, 0, 0, "a.wav", 1403},
        {1, 0, 4, 0, "a.wav", 1403}, {1, 2, 1, 0, "a.wav", 1406}, {1, 1, 1, -1, "a.wav", 1408},
    };
    for (const auto& c : cases) {
        WavePlayer::Request request = Request(c.file);
        request.checkFormat = c.check;
        request.repeat = c.repeat;
        request.destination = c.destination;
        request.pauseTenths = c.pause;
        EXPECT_EQ(player.PlayFile(request), c.code) << c.code;
    }
    EXPECT_EQ(player.Queued(), 0u);
}

TEST_F(WavePlayerTest, AFilePlaysFrameByFrameAndTellsItsStartAndEnd)
{
    std::vector<int16_t> samples(300, 5); // one 30-ms frame and a short one
    samples[0] = 11;
    samples[299] = 99;
    WavePlayer::Request request = Request(Write("two.wav", Image(samples)));
    request.destination = WavePlayer::kConference;
    ASSERT_EQ(player.PlayFile(request), 0);
    player.Tick(30);
    player.Tick(30);
    player.Tick(30);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].first, 11);
    EXPECT_EQ(played[0].destination, WavePlayer::kConference);
    EXPECT_EQ(played[1].first, 5);
    EXPECT_EQ(played[1].last, 0); // padded with silence
    EXPECT_EQ(status, (std::vector<std::array<int32_t, 3>>{{7, 0, 0}, {7, 0, 100}}));
    EXPECT_EQ(player.Queued(), 0u);
}

TEST_F(WavePlayerTest, FailuresToStartAreToldAndTheNextItemPlays)
{
    const std::string wide = Write("wide.wav", Image({1, 2}, 16000));
    WavePlayer::Request unchecked = Request(wide, 3);
    unchecked.checkFormat = 0; // played as it is
    ASSERT_EQ(player.PlayFile(Request(Write("bad.wav", {'R', 'I', 'F', 'F'}), 1)), 0);
    ASSERT_EQ(player.PlayFile(Request(wide, 2)), 0);
    ASSERT_EQ(player.PlayFile(unchecked), 0);
    ASSERT_EQ(player.PlayFile(Request(::testing::TempDir() + "missing.wav", 0)), 0);
    for (int i = 0; i < 4; ++i)
        player.Tick(60);
    EXPECT_EQ(status, (std::vector<std::array<int32_t, 3>>{
                          {1, 1409, 0}, {2, 1412, 0}, {3, 0, 0}, {3, 0, 100}}));
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].first, 1);
    EXPECT_EQ(player.Queued(), 0u); // the missing file, id 0, went without a word
}

TEST_F(WavePlayerTest, ARepeatingItemPausesBetweenRepetitionsUntilStopped)
{
    WavePlayer::Request request = Request(Write("one.wav", Image(std::vector<int16_t>(480, 3))));
    request.repeat = 1;
    request.pauseTenths = 2; // 200 ms: two 60-ms ticks of silence, the third plays
    ASSERT_EQ(player.PlayFile(request), 0);
    std::vector<bool> produced;
    for (int i = 0; i < 8; ++i) {
        const size_t before = played.size();
        player.Tick(60);
        produced.push_back(played.size() > before);
    }
    EXPECT_EQ(produced, (std::vector<bool>{true, false, false, false, true, false, false, false}));
    player.Stop(false);
    EXPECT_EQ(status, (std::vector<std::array<int32_t, 3>>{{7, 0, 0}, {7, 0, 100}}));
    EXPECT_EQ(player.Queued(), 0u);
}

TEST_F(WavePlayerTest, ImagesAreCheckedAtOnceResourcesWhenTheyStartAndSamplesPlayAsThey)
{
    WavePlayer::Request request = Request("");
    EXPECT_EQ(player.PlayImage(request, {'R', 'I', 'F', 'F'}), 1414);
    EXPECT_EQ(player.PlayImage(request, Image({1}, 11025)), 1412);
    WavePlayer::Request sideways = request;
    sideways.destination = 0;
    EXPECT_EQ(player.PlaySamples(sideways, {1, 0}), 1403);
    EXPECT_EQ(player.PlaySamples(request, {}), 1414);
    EXPECT_EQ(player.Queued(), 0u);

    ASSERT_EQ(player.PlayImage(request, Image({21})), 0);
    ASSERT_EQ(player.PlayResource(Request("", 8), std::nullopt), 0);
    ASSERT_EQ(player.PlayResource(Request("", 9), Image({22})), 0);
    ASSERT_EQ(player.PlaySamples(request, {23, 0}), 0);
    for (int i = 0; i < 4; ++i)
        player.Tick(30);
    ASSERT_EQ(played.size(), 3u);
    EXPECT_EQ(played[0].first, 21);
    EXPECT_EQ(played[1].first, 22);
    EXPECT_EQ(played[2].first, 23);
    // The raw samples tell nothing: their item has play id 0.
    EXPECT_EQ(status, (std::vector<std::array<int32_t, 3>>{
                          {7, 0, 0}, {7, 0, 100}, {8, 1410, 0}, {9, 0, 0}, {9, 0, 100}}));
}
