#include "CBrandingState.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

constexpr int32_t kEngineBrand = 76;

// Modules are small integers disguised as handles; the chain is kept as the
// real one is, newest first, and every load and unload is counted.
class FakeResourceModules : public IResourceModules
{
public:
    ResourceModule LoadLanguageLibrary(const std::string& baseName,
                                       const std::string& locale) override
    {
        loads.push_back(baseName + "/" + locale);
        const auto found = available.find(baseName);
        if (found == available.end())
            return nullptr;
        ++loaded[found->second];
        return found->second;
    }
    void AddToChain(ResourceModule module) override { chain.insert(chain.begin(), module); }
    void RemoveFromChain(ResourceModule module) override
    {
        for (auto it = chain.begin(); it != chain.end();)
            it = (*it == module) ? chain.erase(it) : it + 1;
    }
    void Unload(ResourceModule module) override { --loaded[module]; }

    std::map<std::string, ResourceModule> available;
    std::vector<std::string> loads;
    std::vector<ResourceModule> chain;
    std::map<ResourceModule, int> loaded;
};

ResourceModule Module(uintptr_t n)
{
    return reinterpret_cast<ResourceModule>(n);
}

const ResourceModule kEngineOwn = Module(1);
const ResourceModule kEngineLanguage = Module(2);
const ResourceModule kBrandLibrary = Module(3);
const ResourceModule kHostModule = Module(4);
const ResourceModule kHostResources = Module(5);

class BrandingStateTest : public ::testing::Test
{
protected:
    BrandingStateTest()
    {
        modules.available = {{"SNCom", kEngineLanguage}, {"Acme", kBrandLibrary}};
        modules.AddToChain(kEngineOwn);
        state.SetLocale("ja-JP");
    }

    FakeResourceModules modules;
    CBrandingState state{modules, kEngineBrand};
};

} // namespace

TEST_F(BrandingStateTest, LookupOrderIsBrandHostLanguageThenEngine)
{
    ASSERT_TRUE(state.SetBranding(7, 'Q', kHostModule, kHostResources, "Acme"));
    state.RegisterInstance();
    EXPECT_EQ((std::vector<ResourceModule>{kBrandLibrary, kHostResources, kEngineLanguage,
                                           kEngineOwn}),
              modules.chain);
    EXPECT_EQ((std::vector<std::string>{"SNCom/ja-JP", "Acme/ja-JP"}), modules.loads);
}

TEST_F(BrandingStateTest, SecondInstanceCannotChangeTheBranding)
{
    ASSERT_TRUE(state.SetBranding(7, 'Q', kHostModule, kHostResources, "Acme"));
    EXPECT_FALSE(state.SetBranding(8, 'R', nullptr, nullptr, "Other"));
    EXPECT_FALSE(state.SetBrandName(8, "Other"));
    EXPECT_EQ(7u, state.Owner());
    EXPECT_EQ('Q', state.BrandCode());
    EXPECT_EQ("Acme", state.LibraryName());

    EXPECT_TRUE(state.SetBrandName(7, "Acme2"));
    EXPECT_EQ("Acme2", state.LibraryName());
    EXPECT_EQ('Q', state.BrandCode());
}

TEST_F(BrandingStateTest, LibrariesLoadOnceForAllRegistrations)
{
    state.SetBrandName(7, "Acme");
    state.RegisterInstance();
    state.RegisterInstance();
    state.RegisterInstance();
    EXPECT_EQ(2u, modules.loads.size());
    EXPECT_EQ(3u, state.RegistrationCount());
}

TEST_F(BrandingStateTest, BrandingSetAfterTheFirstRegistrationStillLoads)
{
    state.RegisterInstance();
    state.SetBrandName(7, "Acme");
    state.RegisterInstance();
    EXPECT_EQ((std::vector<ResourceModule>{kBrandLibrary, kEngineLanguage, kEngineOwn}),
              modules.chain);
}

TEST_F(BrandingStateTest, LastReleaseUnloadsAndClearsTheBranding)
{
    state.SetBranding(7, 'Q', kHostModule, kHostResources, "Acme");
    state.RegisterInstance();
    state.RegisterInstance();

    state.Release();
    EXPECT_EQ(4u, modules.chain.size());
    EXPECT_EQ(7u, state.Owner());

    state.Release();
    EXPECT_EQ(std::vector<ResourceModule>{kEngineOwn}, modules.chain);
    EXPECT_EQ(0, modules.loaded[kEngineLanguage]);
    EXPECT_EQ(0, modules.loaded[kBrandLibrary]);
    EXPECT_EQ(0u, state.Owner());
    EXPECT_EQ(kEngineBrand, state.BrandCode());
    EXPECT_EQ("", state.LibraryName());
    EXPECT_EQ("ja-JP", state.Locale());

    // Another instance may now brand, and the libraries load again.
    EXPECT_TRUE(state.SetBrandName(8, "Acme"));
    state.RegisterInstance();
    EXPECT_EQ(1, modules.loaded[kBrandLibrary]);
    EXPECT_EQ(1, modules.loaded[kEngineLanguage]);
}

TEST_F(BrandingStateTest, HostModuleIsNeverFreedByTheEngine)
{
    state.SetBranding(7, 'Q', kHostModule, kHostResources, "");
    state.RegisterInstance();
    state.Release();
    EXPECT_EQ(std::vector<ResourceModule>{kEngineOwn}, modules.chain);
    EXPECT_EQ(0u, modules.loaded.count(kHostResources));
    EXPECT_EQ(0u, modules.loaded.count(kHostModule));
}

TEST_F(BrandingStateTest, ExtraReleaseDoesNotWrapTheCount)
{
    state.Release();
    state.RegisterInstance();
    EXPECT_EQ(1u, state.RegistrationCount());
    state.Release();
    state.Release();
    EXPECT_EQ(0u, state.RegistrationCount());
    state.RegisterInstance();
    EXPECT_EQ(1u, state.RegistrationCount());
}

TEST_F(BrandingStateTest, MissingLibrariesAreSkipped)
{
    modules.available.clear();
    state.SetBranding(7, 'Q', kHostModule, nullptr, "Acme");
    state.RegisterInstance();
    // No language library, no brand library, and a host without resources.
    EXPECT_EQ(std::vector<ResourceModule>{kEngineOwn}, modules.chain);
    state.Release();
    EXPECT_EQ(std::vector<ResourceModule>{kEngineOwn}, modules.chain);
}

TEST_F(BrandingStateTest, UninitReleasesEveryRegistration)
{
    state.SetBrandName(7, "Acme");
    state.RegisterInstance();
    state.RegisterInstance();
    state.Uninit();
    EXPECT_EQ(0u, state.RegistrationCount());
    EXPECT_EQ(std::vector<ResourceModule>{kEngineOwn}, modules.chain);
    EXPECT_EQ(0, modules.loaded[kBrandLibrary]);
}
