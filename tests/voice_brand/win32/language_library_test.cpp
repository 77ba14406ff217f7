#include "CBrandingState.h"
#include "CWin32ResourceModules.h"
#include "LanguageIds.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace {

const char kTestKey[] = "Software\\Zanthe Tests\\VoiceBrand";

std::string ModuleFileName(ResourceModule module)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(static_cast<HMODULE>(module), path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(full.rfind('\\') + 1);
}

std::string TestDirectory()
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string full(path, length);
    return full.substr(0, full.rfind('\\') + 1);
}

class LanguageLibraryTest : public ::testing::Test
{
protected:
    void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey); }

    CResourceChain chain;
    CClientRegistry registry{HKEY_CURRENT_USER, kTestKey};
    CWin32ResourceModules modules{chain, registry, TestDirectory()};
};

} // namespace

TEST_F(LanguageLibraryTest, SearchFindsTheLibraryOfEachLocale)
{
    struct Case
    {
        const char* baseName;
        const char* locale;
        const char* fileName;
    };
    const Case cases[] = {
        {"SNCom", "en-GB", "SNComen.dll"},       // "enu" is missing, cut to "en"
        {"BrandTest", "ja-JP", "BrandTestjp.dll"},
        {"BrandTest", "JA", "BrandTestjp.dll"},
        {"BrandTest", "fr-FR", "BrandTestenu.dll"}, // falls through to US English
    };
    for (const Case& c : cases) {
        ResourceModule module = modules.LoadLanguageLibrary(c.baseName, c.locale);
        ASSERT_NE(nullptr, module) << c.baseName << " " << c.locale;
        EXPECT_STRCASEEQ(c.fileName, ModuleFileName(module).c_str());
        modules.Unload(module);
    }
    EXPECT_EQ(nullptr, modules.LoadLanguageLibrary("Absent", "en-US"));
}

TEST_F(LanguageLibraryTest, LoadedLibraryIsRecordedUnderDirectories)
{
    ResourceModule module = modules.LoadLanguageLibrary("BrandTest", "ja-JP");
    ASSERT_NE(nullptr, module);
    EXPECT_STRCASEEQ(TestDirectory().c_str(),
                     registry.ReadDirectory("BrandTestjp.dll").value_or("").c_str());
    modules.Unload(module);
}

TEST_F(LanguageLibraryTest, BrandedTextsComeFirstUntilTheLastRelease)
{
    HMODULE host = GetModuleHandleA(nullptr);
    CBrandingState state(modules, 76);
    state.SetLocale("ja-JP");
    ASSERT_TRUE(state.SetBranding(1, 'Q', host, host, "BrandTest"));

    state.RegisterInstance();
    EXPECT_EQ("brand jp", chain.LoadText(IDS_LANGUAGE_TEXT).value_or(""));
    EXPECT_EQ("host only", chain.LoadText(IDS_HOST_TEXT).value_or(""));
    EXPECT_NE(nullptr, GetModuleHandleA("BrandTestjp.dll"));

    state.Release();
    EXPECT_FALSE(chain.LoadText(IDS_LANGUAGE_TEXT));
    EXPECT_EQ(nullptr, GetModuleHandleA("BrandTestjp.dll"));
    EXPECT_EQ(host, GetModuleHandleA(nullptr));
}
