// Binds the real engine library through LoadLibrary and GetProcAddress, and
// checks the errors for a library that is missing or lacks the exports.
#include "CEngineBinding.h"
#include "CWin32EngineModule.h"
#include "SonorelleIfcTypes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records binding errors instead of showing a message box.
class RecordingEngineModule : public CWin32EngineModule
{
public:
    using CWin32EngineModule::CWin32EngineModule;

    void ShowError(const std::string& text) override { errors.push_back(text); }

    std::vector<std::string> errors;
};

TEST(EngineModule, BindsEveryExportOfTheEngineLibrary)
{
    RecordingEngineModule module;
    CEngineBinding binding(module);

    ASSERT_TRUE(binding.LoadEngineLibrary());
    ASSERT_TRUE(module.errors.empty()) << module.errors.front();
    const HMODULE engine = GetModuleHandleA("SnCom.dll");
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(module.Handle(), engine);
    for (size_t i = 0; i < kEngineExportCount; ++i) {
        const void* expected =
            reinterpret_cast<const void*>(GetProcAddress(engine, kEngineExportNames[i]));
        EXPECT_NE(expected, nullptr) << kEngineExportNames[i];
        EXPECT_EQ(binding.Entry(static_cast<EngineExport>(i)), expected) << kEngineExportNames[i];
    }

    using GetVersionFunction = int32_t (*)(void*, char*, int32_t);
    char version[100] = {};
    const GetVersionFunction getVersion =
        reinterpret_cast<GetVersionFunction>(binding.Entry(EngineExport::GetVersion));
    EXPECT_EQ(getVersion(nullptr, version, sizeof version), SonorelleIfcStatus::kUnknownInstance);

    binding.FreeEngineLibrary();
    EXPECT_EQ(GetModuleHandleA("SnCom.dll"), nullptr);
    EXPECT_EQ(binding.Entry(EngineExport::GetVersion), nullptr);
}

struct BindingErrorCase
{
    const char* libraryName;
    const char* error;
};

class EngineModuleErrorTest : public ::testing::TestWithParam<BindingErrorCase>
{
};

TEST_P(EngineModuleErrorTest, ReportsTheErrorAndLeavesNothingBound)
{
    const BindingErrorCase& c = GetParam();
    RecordingEngineModule module(c.libraryName);
    CEngineBinding binding(module);

    EXPECT_FALSE(binding.LoadEngineLibrary());

    EXPECT_EQ(module.errors, std::vector<std::string>{c.error});
    EXPECT_EQ(module.Handle(), nullptr);
    EXPECT_FALSE(binding.IsLoaded());
    EXPECT_EQ(binding.ReferenceCount(), 0);
    EXPECT_EQ(binding.Entry(EngineExport::Init), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, EngineModuleErrorTest,
    ::testing::Values(
        BindingErrorCase{"ZrNoSuchEngine", "Could not load library SnCom.DLL"},
        BindingErrorCase{"version", "Could not find interface SonorelleIfc_Init"}));

} // namespace
