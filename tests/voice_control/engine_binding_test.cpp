#include "CEngineBinding.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

int g_initCalls = 0;
int g_uninitCalls = 0;

void CountInit() { ++g_initCalls; }
void CountUninit() { ++g_uninitCalls; }
void OtherEntry() {}

// Stands in for the engine library: records every load, lookup, unload and
// error, and leaves out the exports named in `missing`.
class FakeEngineModule : public IEngineModule
{
public:
    bool loadSucceeds = true;
    std::set<std::string> missing;
    int loads = 0;
    int unloads = 0;
    std::vector<std::string> lookups;
    std::vector<std::string> errors;

    bool Load() override
    {
        ++loads;
        return loadSucceeds;
    }

    void* FindExport(const char* name) override
    {
        lookups.emplace_back(name);
        if (missing.count(name))
            return nullptr;
        if (lookups.back() == "SonorelleIfc_Init")
            return reinterpret_cast<void*>(&CountInit);
        if (lookups.back() == "SonorelleIfc_Uninit")
            return reinterpret_cast<void*>(&CountUninit);
        return reinterpret_cast<void*>(&OtherEntry);
    }

    void Unload() override { ++unloads; }
    void ShowError(const std::string& text) override { errors.push_back(text); }
};

class EngineBindingTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_initCalls = 0;
        g_uninitCalls = 0;
    }

    FakeEngineModule module;
    CEngineBinding binding{module};
};

TEST_F(EngineBindingTest, BindsEveryExportInOrderAndInitialisesOnce)
{
    ASSERT_TRUE(binding.LoadEngineLibrary());
    ASSERT_TRUE(binding.LoadEngineLibrary());

    EXPECT_EQ(module.loads, 1);
    EXPECT_EQ(g_initCalls, 1);
    EXPECT_EQ(binding.ReferenceCount(), 2);
    ASSERT_EQ(module.lookups.size(), kEngineExportCount);
    for (size_t i = 0; i < kEngineExportCount; ++i)
        EXPECT_EQ(module.lookups[i], kEngineExportNames[i]) << i;
    EXPECT_EQ(module.lookups.back(), "SonorelleIfc_SNComFunctionSelector");
    EXPECT_EQ(binding.Entry(EngineExport::Init), reinterpret_cast<void*>(&CountInit));
    EXPECT_TRUE(module.errors.empty());
}

TEST_F(EngineBindingTest, LastReferenceEndsAndUnloadsTheLibrary)
{
    binding.LoadEngineLibrary();
    binding.LoadEngineLibrary();

    binding.FreeEngineLibrary();
    EXPECT_TRUE(binding.IsLoaded());
    EXPECT_EQ(g_uninitCalls, 0);
    EXPECT_EQ(module.unloads, 0);

    binding.FreeEngineLibrary();
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(g_uninitCalls, 1);
    EXPECT_EQ(module.unloads, 1);
    EXPECT_EQ(binding.Entry(EngineExport::FunctionSelector), nullptr);

    // A later control loads, binds and initialises the library again.
    ASSERT_TRUE(binding.LoadEngineLibrary());
    EXPECT_EQ(module.loads, 2);
    EXPECT_EQ(g_initCalls, 2);
}

TEST_F(EngineBindingTest, ReferenceCountNeverDropsBelowZero)
{
    binding.FreeEngineLibrary();
    EXPECT_EQ(binding.ReferenceCount(), 0);
    EXPECT_EQ(module.unloads, 0);

    binding.LoadEngineLibrary();
    binding.FreeEngineLibrary();
    binding.FreeEngineLibrary();
    EXPECT_EQ(binding.ReferenceCount(), 0);
    EXPECT_EQ(module.unloads, 1);
    EXPECT_EQ(g_uninitCalls, 1);
}

TEST_F(EngineBindingTest, LibraryThatCannotBeLoadedIsReportedAndHoldsNothing)
{
    module.loadSucceeds = false;

    EXPECT_FALSE(binding.LoadEngineLibrary());
    EXPECT_EQ(module.errors, std::vector<std::string>{"Could not load library SnCom.DLL"});
    EXPECT_TRUE(module.lookups.empty());
    EXPECT_EQ(binding.ReferenceCount(), 0);
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(binding.Entry(EngineExport::Destroy), nullptr);
    EXPECT_EQ(g_initCalls, 0);
}

struct MissingExportCase
{
    EngineExport missing;
};

class MissingExportTest : public EngineBindingTest,
                          public ::testing::WithParamInterface<MissingExportCase>
{
};

TEST_P(MissingExportTest, FirstMissingExportStopsBindingAndUnloads)
{
    const size_t missingIndex = static_cast<size_t>(GetParam().missing);
    const std::string missingName = kEngineExportNames[missingIndex];
    module.missing = {missingName, "SonorelleIfc_SNComFunctionSelector"};

    EXPECT_FALSE(binding.LoadEngineLibrary());

    EXPECT_EQ(module.errors, std::vector<std::string>{"Could not find interface " + missingName});
    ASSERT_EQ(module.lookups.size(), missingIndex + 1);
    EXPECT_EQ(module.lookups.back(), missingName);
    EXPECT_EQ(module.unloads, 1);
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(binding.ReferenceCount(), 0);
    EXPECT_EQ(binding.Entry(EngineExport::Init), nullptr);
    EXPECT_EQ(g_initCalls, 0);
    EXPECT_EQ(g_uninitCalls, 0);
}

INSTANTIATE_TEST_SUITE_P(Exports, MissingExportTest,
                         ::testing::Values(MissingExportCase{EngineExport::Init},
                                           MissingExportCase{EngineExport::Uninit},
                                           MissingExportCase{EngineExport::Join},
                                           MissingExportCase{EngineExport::SetConfClone},
                                           MissingExportCase{EngineExport::FunctionSelector}));

TEST_F(EngineBindingTest, FailedLinkCannotReleaseALibraryLoadedLater)
{
    module.loadSucceeds = false;
    const bool firstHolds = binding.LoadEngineLibrary();
    module.loadSucceeds = true;
    const bool secondHolds = binding.LoadEngineLibrary();

    ASSERT_FALSE(firstHolds);
    ASSERT_TRUE(secondHolds);
    EXPECT_EQ(binding.ReferenceCount(), 1);

    binding.FreeEngineLibrary();
    EXPECT_EQ(module.unloads, 1);
    EXPECT_EQ(g_uninitCalls, 1);
}

TEST(EngineBindingErrorText, MissingInterfaceTextIsCutTo99Characters)
{
    const std::string longName(120, 'x');
    const std::string text = CEngineBinding::MissingInterfaceText(longName.c_str());
    EXPECT_EQ(text.size(), 99u);
    EXPECT_EQ(text, "Could not find interface " + longName.substr(0, 99 - 25));
    EXPECT_EQ(CEngineBinding::MissingInterfaceText("SonorelleIfc_Join"),
              "Could not find interface SonorelleIfc_Join");
}

TEST(EngineBindingErrorText, CheckInterfaceBoundShowsTheNameItWasGiven)
{
    FakeEngineModule module;
    CEngineBinding binding(module);
    int anything = 0;

    EXPECT_TRUE(binding.CheckInterfaceBound(&anything, "SonorelleIfc_Init"));
    EXPECT_TRUE(module.errors.empty());
    EXPECT_FALSE(binding.CheckInterfaceBound(nullptr, "SonorelleIfc_GetLevel"));
    EXPECT_EQ(module.errors,
              std::vector<std::string>{"Could not find interface SonorelleIfc_GetLevel"});
}

} // namespace
