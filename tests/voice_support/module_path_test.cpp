#include "ModulePath.h"

#include <gtest/gtest.h>

TEST(ModulePath, SplitsAtTheLastBackslash)
{
    const std::optional<ModulePath> parts = SplitModulePath("C:\\Program Files\\Voice\\SnCom.dll");
    ASSERT_TRUE(parts);
    EXPECT_EQ("C:\\Program Files\\Voice\\", parts->directory);
    EXPECT_EQ("SnCom.dll", parts->fileName);
}

TEST(ModulePath, RefusesPathsWithoutADirectoryOrName)
{
    for (const char* path : {"SnCom.dll", "C:\\dir\\x", "C:\\dir\\", ""}) {
        SCOPED_TRACE(path);
        EXPECT_FALSE(SplitModulePath(path));
    }
}
