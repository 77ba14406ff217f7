#include "ConfWin32Environment.h"

#include "ResourceChain.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ConfWin32Environment, StringsComeFromTheChainWithTheBuiltInTextBehind)
{
    CResourceChain chain;
    CConfWin32Environment environment(chain);
    EXPECT_EQ(environment.String(206), "Server disconnected");
    chain.AddModule(GetModuleHandleA(nullptr));
    EXPECT_EQ(environment.String(206), "Voice server disconnected");
    EXPECT_EQ(environment.String(253), "Invalid account");
}

TEST(ConfWin32Environment, AnsiTextTravelsAsUtf8)
{
    CResourceChain chain;
    CConfWin32Environment environment(chain);
    EXPECT_EQ(environment.ToUtf8("plain\ttext\n"), "plain\ttext\n");
    EXPECT_EQ(environment.FromUtf8(""), "");
    if (GetACP() == 1252) {
        EXPECT_EQ(environment.ToUtf8("caf\xe9"), "caf\xc3\xa9");
        EXPECT_EQ(environment.FromUtf8("caf\xc3\xa9"), "caf\xe9");
    }
    const auto back = environment.FromUtf8(*environment.ToUtf8("Ann \x80"));
    if (GetACP() == 1252) {
        EXPECT_EQ(back, "Ann \x80");
    }
}

TEST(ConfWin32Environment, TheSeedIsAValueOfTheCLibraryGenerator)
{
    CResourceChain chain;
    CConfWin32Environment environment(chain);
    EXPECT_LE(environment.SequenceSeed(), static_cast<uint32_t>(RAND_MAX));
}

} // namespace
