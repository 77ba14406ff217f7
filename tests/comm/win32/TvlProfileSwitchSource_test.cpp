#include "TvlProfileSwitchSource.h"

#include <gtest/gtest.h>

#include <string>

#include "SwitchFileCases.h"

namespace {

// The same table as the portable reader: both readers must agree.
TEST(TvlProfileSwitchSource, ReadsSectionDebugOfTheFile)
{
    int index = 0;
    for (const auto& c : SwitchFileCases()) {
        // A fresh file for each case, so no cached copy of an older one is read.
        const CScratchFile file(("zr_profile_switches_" + std::to_string(index++) + ".ini").c_str());
        file.Write(c.content);
        CTvlProfileSwitchSource source(file.Path());
        EXPECT_EQ(source.GetInt(c.key, c.defaultValue), c.expected) << c.name;
    }
}

} // namespace
