#include "FakeUpdatePlatform.h"
#include "UpdateFixtures.h"
#include "UpdatePipeline.h"

#include <gtest/gtest.h>

namespace {

const std::string kTemp = "C:\\tmp\\";
const std::string kUrl = "http://h/files/a.cab";

PipelineJob Job(const std::string& contents)
{
    return {kUrl, kTemp + "a.cab", DigestOf(contents), "comp"};
}

} // namespace

TEST(UpdatePipeline, DownloadsChecksAndMovesAFile)
{
    FakeUpdatePlatform platform;
    platform.server[kUrl] = "contents";
    platform.files[kTemp + "snwf2.tmp"] = FakeUpdatePlatform::Bytes("left over");
    UpdatePipeline pipeline(platform, kTemp);
    EXPECT_EQ(pipeline.Run(UpdatePipeline::kFileSteps, Job("contents")), 8u);
    EXPECT_EQ(platform.Text(kTemp + "a.cab"), "contents");
    EXPECT_FALSE(platform.FileExists(kTemp + "snwf1.tmp"));
    EXPECT_FALSE(platform.FileExists(kTemp + "snwf2.tmp"));
    EXPECT_TRUE(platform.log.empty());
}

TEST(UpdatePipeline, EachFailureNamesItsStepAndLeavesTheDestination)
{
    const struct { const char* steps; const char* served; const char* expected; int32_t code; const char* logged; } cases[] = {
        {"dfhm", nullptr, "contents", 201, "c9 comp"},      // server has no such file
        {"dfhm", "", "", 202, "ca comp"},                    // empty body
        {"dfhm", "tampered", "contents", 206, "ce comp"},   // digest differs
        {"dfhm", "contents", "", 206, "ce comp"},           // no digest listed
        {"hm", "contents", "contents", 206, "ce comp"},     // nothing read to check
        {"m", "contents", "contents", 208, "d0 comp"},      // nothing to move
        {"dfbm", "contents", "contents", 204, "cc comp"},   // a step this client does not do
        {"dfz", "contents", "contents", 0, "0 comp"},
    };
    for (const auto& c : cases) {
        FakeUpdatePlatform platform;
        if (c.served)
            platform.server[kUrl] = c.served;
        platform.files[kTemp + "a.cab"] = FakeUpdatePlatform::Bytes("old");
        UpdatePipeline pipeline(platform, kTemp);
        PipelineJob job = Job(c.expected);
        if (std::string(c.expected).empty())
            job.expectedDigest.clear();
        EXPECT_EQ(pipeline.Run(c.steps, job), 0u) << c.steps << c.code;
        EXPECT_EQ(pipeline.FailedStep(), c.code) << c.steps;
        EXPECT_EQ(platform.Text(kTemp + "a.cab"), "old") << c.steps;
        ASSERT_EQ(platform.log.size(), 1u) << c.steps;
        EXPECT_EQ(platform.log[0], std::make_pair(std::string(c.logged), 3u)) << c.steps;
    }
}

TEST(UpdatePipeline, StepCodesFollowTheStepTable)
{
    const std::string letters = "dfbcehsumrxq";
    const int32_t codes[] = {201, 202, 204, 209, 205, 206, 206, 203, 208, 210, 0, 0};
    for (size_t i = 0; i < letters.size(); ++i)
        EXPECT_EQ(UpdatePipeline::StepCode(letters[i]), codes[i]) << letters[i];
}

TEST(UpdatePipeline, TheListIsReadWithoutBeingMoved)
{
    FakeUpdatePlatform platform;
    platform.server["http://h/updates/snver.enc"] = "10CC1;a";
    UpdatePipeline pipeline(platform, kTemp);
    EXPECT_EQ(pipeline.Run(UpdatePipeline::kListSteps, {"http://h/updates/snver.enc", "", "", "snver"}), 7u);
    EXPECT_EQ(std::string(pipeline.Data().begin(), pipeline.Data().end()), "10CC1;a");
}
