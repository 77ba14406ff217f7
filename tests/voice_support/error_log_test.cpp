#include "ErrorLog.h"

#include <gtest/gtest.h>

#include <string>

TEST(ErrorLog, CategoryNames)
{
    const char* names[] = {"AUD", "IOS", "INS", "DWN", "SUP", "SDN", "ATH", "PRO", "MIS"};
    for (unsigned category = 0; category < 9; ++category)
        EXPECT_STREQ(names[category], ErrorLogCategoryName(category));
    EXPECT_STREQ("MIS", ErrorLogCategoryName(9));
    EXPECT_STREQ("MIS", ErrorLogCategoryName(0xFFFFFFFFu));
}

TEST(ErrorLog, NewestFirstAndAtMostFiveEntries)
{
    struct Case
    {
        const char* log;
        const char* result;
    };
    const Case cases[] = {
        {"", "new"},
        {"a", "new|a"},
        {"a|b|c", "new|a|b|c"},
        {"a|b|c|d", "new|a|b|c|d"},
        {"a|b|c|d|e", "new|a|b|c|d"},
        {"a|b|c|d|e|f|g", "new|a|b|c|d"},
        {"|||||", "new||||"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.log);
        EXPECT_EQ(c.result, PrependErrorLogEntry("new", c.log));
    }
}
