#include "TvlDebugSwitch.h"

#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "MapSwitchSource.h"
#include "SwitchFileCases.h"
#include "TvlDebugValue.h"
#include "TvlSwitchSource.h"

namespace {

TEST(TvlDebugValue, NoSwitchFileGivesEveryDefault)
{
    CSwitchSourceScope none(nullptr);
    EXPECT_EQ(CTvlDebugValue(TvlKey::ZrsPortNum, kTvlDefaultPort).Value(), 1533);
    EXPECT_EQ(CTvlDebugValue(TvlKey::UcmSelectTimer, kTvlDefaultSelectTimer).Value(), 15);
    EXPECT_EQ(CTvlDebugValue(TvlKey::UcmTimerCount, kTvlDefaultTimerCount).Value(), 15);
    EXPECT_EQ(CTvlDebugValue(TvlKey::ZrSafeConn).Value(), 0);
    for (const char* key : {TvlKey::ZrDebugAck, TvlKey::UcmDebug, TvlKey::UcmKernel, TvlKey::UcmSelect,
                            TvlKey::UcmSpawn, TvlKey::UcmMessages, TvlKey::TvlDebug})
        EXPECT_EQ(CTvlDebugSwitch(key).Level(), 0) << key;
}

TEST(TvlDebugValue, ReadsTheSourceWhenConstructed)
{
    CMapSwitchSource source({{TvlKey::ZrsPortNum, 70000}, {TvlKey::UcmTimerCount, 0}, {TvlKey::ZrSafeConn, -2}});
    CSwitchSourceScope scope(&source);
    EXPECT_EQ(CTvlDebugValue(TvlKey::ZrsPortNum, kTvlDefaultPort).Value(), 70000 - 65536)
        << "the 16-bit form keeps the low 16 bits";
    EXPECT_EQ(CTvlDebugValue(TvlKey::UcmTimerCount, kTvlDefaultTimerCount).Value(), 0);
    EXPECT_EQ(CTvlDebugValue(TvlKey::UcmSelectTimer, kTvlDefaultSelectTimer).Value(), 15);
    EXPECT_EQ(CTvlDebugValue(TvlKey::ZrSafeConn).Value(), -2);
    EXPECT_EQ(source.lookups, 4);
}

TEST(TvlDebugSwitch, LabelIsTheKeyUnlessGiven)
{
    EXPECT_EQ(CTvlDebugSwitch(TvlKey::TvlDebug).Label(), "TVL_DEBUG");
    EXPECT_EQ(CTvlDebugSwitch(TvlKey::ZrDebugAck, kTvlAckLabel).Label(), "ZR_ACK");
    EXPECT_EQ(TvlTraces().ucmMessages.Label(), "UCM");
    EXPECT_EQ(TvlTraces().ucmDebug.Label(), "UCM");
    EXPECT_EQ(TvlTraces().tvlDebug.Label(), "TVL_DEBUG");
}

TEST(TvlDebugSwitch, TraceAtLevelZeroWritesNothing)
{
    CMapSwitchSource source({{TvlKey::UcmKernel, 0}});
    CSwitchSourceScope scope(&source);
    CLogCapture capture;
    const CTvlDebugSwitch off(TvlKey::UcmKernel, kTvlUcmLabel);
    off.Trace("framing error %d", 10);
    EXPECT_FALSE(off.IsOn());
    EXPECT_TRUE(capture.traces.empty());
    EXPECT_TRUE(capture.entries.empty());
}

TEST(TvlDebugSwitch, TraceLineCarriesLabelAndTimestamp)
{
    CMapSwitchSource source({{TvlKey::UcmDebug, 2}});
    CSwitchSourceScope scope(&source);
    CLogCapture capture;
    const CTvlDebugSwitch ucm(TvlKey::UcmDebug, kTvlUcmLabel);
    EXPECT_EQ(ucm.Level(), 2);
    ucm.Trace("connect %s:%d", "127.0.0.1", 1533);

    ASSERT_EQ(capture.traces.size(), 1u);
    const std::string& line = capture.traces[0];
    ASSERT_EQ(line.substr(0, 4), "UCM,");
    const size_t colon = line.find(": ");
    ASSERT_NE(colon, std::string::npos);
    EXPECT_TRUE(IsTvlTimestamp(line.substr(4, colon - 4))) << line;
    EXPECT_EQ(line.substr(colon), ": connect 127.0.0.1:1533\n");
    EXPECT_TRUE(capture.entries.empty()) << "traces are not log lines";
}

TEST(TvlDebugSwitch, LongTraceIsCutButKeepsItsLineEnd)
{
    CMapSwitchSource source({{TvlKey::UcmMessages, 1}});
    CSwitchSourceScope scope(&source);
    CLogCapture capture;
    const std::string text(2000, 'r');
    CTvlDebugSwitch(TvlKey::UcmMessages, kTvlUcmLabel).Trace("%s", text.c_str());
    ASSERT_EQ(capture.traces.size(), 1u);
    EXPECT_EQ(capture.traces[0].size(), 511u);
    EXPECT_EQ(capture.traces[0].back(), '\n');
    EXPECT_EQ(capture.traces[0][509], 'r');
}

} // namespace
