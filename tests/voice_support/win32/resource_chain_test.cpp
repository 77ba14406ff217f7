#include "FileVersion.h"
#include "ResourceChain.h"
#include "SoundDeviceText.h"
#include "TestResources.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

namespace {

const char kBrandLibrary[] = "VoiceSupportBrand.dll";

class ResourceChainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_brand = LoadLibraryA(kBrandLibrary);
        ASSERT_NE(nullptr, m_brand);
        m_engine = GetModuleHandleA(nullptr);
    }

    void TearDown() override
    {
        if (m_brand != nullptr)
            FreeLibrary(m_brand);
    }

    std::string ResourceText(const CResourceChain::FoundResource& found)
    {
        HGLOBAL handle = LoadResource(found.module, found.resource);
        return static_cast<const char*>(LockResource(handle));
    }

    HMODULE m_brand = nullptr;
    HMODULE m_engine = nullptr;
    CResourceChain m_chain;
};

} // namespace

TEST_F(ResourceChainTest, StringsComeFromTheNewestModuleThatHasThem)
{
    m_chain.AddModule(m_engine);
    m_chain.AddModule(m_brand);
    EXPECT_EQ("Brand sound error %d (%s)", m_chain.LoadText(213).value_or(""));
    EXPECT_EQ("Engine sound card busy", m_chain.LoadText(217).value_or(""));
    EXPECT_FALSE(m_chain.LoadText(999));

    m_chain.RemoveModule(m_brand);
    EXPECT_EQ("Engine sound error %d", m_chain.LoadText(213).value_or(""));
}

TEST_F(ResourceChainTest, StringIsCutToTheBuffer)
{
    m_chain.AddModule(m_engine);
    char buffer[8];
    std::memset(buffer, '#', sizeof(buffer));
    EXPECT_EQ(6u, m_chain.LoadText(IDS_ENGINE_ONLY, buffer, 7));
    EXPECT_STREQ("Engine", buffer);
    EXPECT_EQ('#', buffer[7]);
    EXPECT_EQ(0u, m_chain.LoadText(999, buffer, sizeof(buffer)));
    EXPECT_STREQ("", buffer);
}

TEST_F(ResourceChainTest, LongStringIsReadWhole)
{
    m_chain.AddModule(m_engine);
    const std::string text = m_chain.LoadText(IDS_LONG_TEXT).value_or("");
    ASSERT_EQ(480u, text.size()); // 120 numbered pieces "000-" to "119-"
    EXPECT_EQ("000-", text.substr(0, 4));
    EXPECT_EQ("119-", text.substr(476));
}

TEST_F(ResourceChainTest, ResourcesComeFromTheNewestModuleThatHasThem)
{
    m_chain.AddModule(m_engine);
    m_chain.AddModule(m_brand);
    const auto brand = m_chain.Find(IDR_BRAND_DATA, MAKEINTRESOURCEA(10));
    ASSERT_TRUE(brand);
    EXPECT_EQ(m_brand, brand->module);
    EXPECT_EQ("brand", ResourceText(*brand));

    const auto engine = m_chain.Find(IDR_ENGINE_DATA, MAKEINTRESOURCEA(10));
    ASSERT_TRUE(engine);
    EXPECT_EQ(m_engine, engine->module);
    EXPECT_FALSE(m_chain.Find(IDR_MISSING_DATA, MAKEINTRESOURCEA(10)));

    m_chain.Clear();
    EXPECT_FALSE(m_chain.Find(IDR_ENGINE_DATA, MAKEINTRESOURCEA(10)));
}

TEST_F(ResourceChainTest, AddingAModuleTwiceKeepsOneEntry)
{
    m_chain.AddModule(m_brand);
    m_chain.AddModule(m_engine);
    m_chain.AddModule(m_brand);
    m_chain.RemoveModule(m_brand);
    EXPECT_EQ("Engine sound error %d", m_chain.LoadText(213).value_or(""));
}

TEST_F(ResourceChainTest, SoundDeviceResultTexts)
{
    EXPECT_EQ("", SoundDeviceResultText(m_chain, 0));
    // With no module holding them, the engine's built-in texts.
    EXPECT_EQ("Another application is currently accessing the sound card.\nCannot provide audio.",
              SoundDeviceResultText(m_chain, 4));
    EXPECT_EQ("An error was found with your sound card configuration.\n"
              "Check configuration or update drivers.\nCode: 2",
              SoundDeviceResultText(m_chain, 2));

    m_chain.AddModule(m_engine);
    EXPECT_EQ("Engine sound card busy", SoundDeviceResultText(m_chain, 4));
    EXPECT_EQ("Engine sound error 11", SoundDeviceResultText(m_chain, 11));
    // A module's text is not used as a printf format: "%s" stays as it is.
    m_chain.AddModule(m_brand);
    EXPECT_EQ("Brand sound error 32 (%s)", SoundDeviceResultText(m_chain, 32));
}

TEST(FileVersion, ReadsTheVersionResource)
{
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(GetModuleHandleA(nullptr), path, MAX_PATH);
    ASSERT_GT(length, 0u);
    std::string brandPath(path, length);
    brandPath = brandPath.substr(0, brandPath.rfind('\\') + 1) + kBrandLibrary;

    const std::optional<VersionNumber> version = ReadFileVersion(brandPath);
    ASSERT_TRUE(version);
    EXPECT_EQ((std::array<uint16_t, 4>{1, 2, 9, 4}), version->parts);
    EXPECT_TRUE(CompareVersions(*version, ParseVersionText("1.2.0.5")));
    EXPECT_FALSE(ReadFileVersion(brandPath + ".missing"));
}
