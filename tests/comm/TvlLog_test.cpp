#include "TvlLog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "LogCapture.h"
#include "TvlStreamLogSink.h"

namespace {

using testing::AllOf;
using testing::HasSubstr;

TEST(TvlLog, LineReachesTheSinkWithTitleAndTimestamp)
{
    CLogCapture capture;
    TvlLog("Zanthe", "Connection to server broken (%d), starting ttl", 41);
    ASSERT_EQ(capture.entries.size(), 1u);
    EXPECT_EQ(capture.entries[0].title, "Zanthe");
    EXPECT_EQ(capture.entries[0].text, "Connection to server broken (41), starting ttl");
    EXPECT_TRUE(IsTvlTimestamp(capture.entries[0].timestamp)) << capture.entries[0].timestamp;
}

TEST(TvlLog, LongTextIsCutToItsBuffer)
{
    CLogCapture capture;
    const std::string huge(5000, 'q');
    TvlLog("T", "<%s>", huge.c_str());
    ASSERT_EQ(capture.entries.size(), 1u);
    EXPECT_EQ(capture.entries[0].text, "<" + std::string(2046, 'q'));
}

TEST(TvlLog, TimestampFormat)
{
    EXPECT_TRUE(IsTvlTimestamp(TvlTimestamp())) << TvlTimestamp();
}

TEST(TvlLog, NumberAndAddressTexts)
{
    EXPECT_STREQ(TvlNumberText(-2147483647 - 1), "-2147483648");
    EXPECT_STREQ(TvlNumberText(1533), "1533");
    const uint8_t octets[] = {192, 168, 0, 255};
    uint32_t address;
    std::memcpy(&address, octets, 4);
    EXPECT_STREQ(TvlAddressText(address), "192.168.0.255");
    EXPECT_STREQ(TvlAddressText(0xFFFFFFFF), "255.255.255.255");
}

TEST(TvlLog, StreamSinkWritesTheLogLineFormat)
{
    FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    CTvlStreamLogSink sink(file);
    ITvlLogSink* previous = TvlSetLogSink(&sink);
    TvlLog("Title", "v=%s", "1");
    sink.Trace("UCM,stamp: x\n");
    TvlSetLogSink(previous);

    std::rewind(file);
    char text[200] = {};
    const size_t n = std::fread(text, 1, sizeof text - 1, file);
    std::fclose(file);
    const std::string written(text, n);
    const size_t open = written.find('(');
    const size_t close = written.find(')');
    ASSERT_NE(close, std::string::npos) << written;
    EXPECT_EQ(written.substr(0, open), "Title");
    EXPECT_TRUE(IsTvlTimestamp(written.substr(open + 1, close - open - 1))) << written;
    EXPECT_EQ(written.substr(close), "): v=1\nUCM,stamp: x\n");
}

TEST(TvlLogDeathTest, FatalLogsLineAndFileThenExitsWithOne)
{
    EXPECT_EXIT(TvlFatal(56, "ZrPlace"), testing::ExitedWithCode(1),
                AllOf(HasSubstr("Runtime error("),
                      HasSubstr("): Line 56, File `ZrPlace'.\nProcess terminated.\n")));
}

TEST(TvlLogDeathTest, OutOfMemoryLogsMemoryException)
{
    EXPECT_EXIT(TvlOutOfMemory(), testing::ExitedWithCode(1),
                AllOf(HasSubstr("Memory exception("),
                      HasSubstr("): Out of virtual memory.\nProcess terminated.\n")));
}

void ReportMemoryHook()
{
    std::fputs("memory hook ran\n", stderr);
}

void ReportExitHook(int32_t code)
{
    std::fprintf(stderr, "exit hook %d\n", static_cast<int>(code));
}

TEST(TvlLogDeathTest, HooksRunBeforeTheProcessEnds)
{
    EXPECT_EXIT(
        {
            TvlSetMemoryHook(ReportMemoryHook);
            TvlSetExitHook(ReportExitHook);
            TvlOutOfMemory();
        },
        testing::ExitedWithCode(1),
        AllOf(HasSubstr("memory hook ran\nexit hook 1\n"),
              testing::Not(HasSubstr("Memory exception"))));
    EXPECT_EXIT(
        {
            TvlSetExitHook(ReportExitHook);
            TvlExit(3);
        },
        testing::ExitedWithCode(3), HasSubstr("exit hook 3\n"));
}

TEST(TvlLog, HookSettersReturnThePreviousHook)
{
    EXPECT_EQ(TvlSetMemoryHook(ReportMemoryHook), nullptr);
    EXPECT_EQ(TvlSetMemoryHook(nullptr), &ReportMemoryHook);
    EXPECT_EQ(TvlSetExitHook(ReportExitHook), nullptr);
    EXPECT_EQ(TvlSetExitHook(nullptr), &ReportExitHook);
}

} // namespace
