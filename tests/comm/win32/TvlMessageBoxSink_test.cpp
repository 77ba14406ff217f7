#include "TvlMessageBoxSink.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "LogCapture.h"
#include "TvlLog.h"

namespace {

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    int count;
};
ShownBox g_box;

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    g_box = {owner, text, caption, type, g_box.count + 1};
    return IDOK;
}

TEST(TvlMessageBoxSink, EveryLogLineIsAnUnownedWarningBox)
{
    g_box = {};
    CTvlMessageBoxSink sink(RecordBox);
    ITvlLogSink* previous = TvlSetLogSink(&sink);
    TvlLog("Zanthe", "Connection to server broken (%d), starting ttl", 41);
    TvlSetLogSink(previous);

    EXPECT_EQ(g_box.count, 1);
    EXPECT_EQ(g_box.owner, nullptr);
    EXPECT_EQ(g_box.text, "Connection to server broken (41), starting ttl");
    ASSERT_EQ(g_box.caption.substr(0, 8), "Zanthe (");
    EXPECT_EQ(g_box.caption.back(), ')');
    EXPECT_TRUE(IsTvlTimestamp(g_box.caption.substr(8, g_box.caption.size() - 9))) << g_box.caption;
    EXPECT_EQ(g_box.type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
}

TEST(TvlMessageBoxSink, CaptionIsBounded)
{
    g_box = {};
    CTvlMessageBoxSink sink(RecordBox);
    const std::string title(400, 't');
    sink.Log(title.c_str(), "01/Jan/26,00:00:00", "x");
    EXPECT_EQ(g_box.caption.size(), 255u);
}

} // namespace
