#include "TvlIniSwitchSource.h"

#include <gtest/gtest.h>

#include <string>

#include "SwitchFileCases.h"

namespace {

TEST(TvlIniSwitchSource, ReadsLikeThePrivateProfileReader)
{
    int index = 0;
    for (const auto& c : SwitchFileCases()) {
        // One file per case, as in the Windows reader's test.
        const CScratchFile file(("zr_ini_switches_" + std::to_string(index++) + ".ini").c_str());
        file.Write(c.content);
        CTvlIniSwitchSource source(file.Path());
        EXPECT_EQ(source.GetInt(c.key, c.defaultValue), c.expected) << c.name;
    }
}

} // namespace
