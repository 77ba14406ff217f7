// The first control that a process creates puts its module's registration
// right and runs the update check, after recording the module's folder and
// postponing the next check by half an hour; later controls do neither.
// A program of its own: the first control of its process is the one tested.
#include "ContainerSupport.h"
#include "SonorelleInterfaces.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr wchar_t kClientKey[] = L"Software\\Sonorelle Networks\\Client";
constexpr wchar_t kBitmapKey[] = L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\ToolboxBitmap32";

HRESULT CallModuleEntry(const char* name)
{
    HMODULE module = ::LoadLibraryW(L"SNMurro.dll");
    if (!module)
        return E_FAIL;
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto entry = reinterpret_cast<Entry>(::GetProcAddress(module, name));
    const HRESULT result = entry ? entry() : E_FAIL;
    ::FreeLibrary(module);
    return result;
}

bool ReadMachineText(const std::wstring& key, const wchar_t* name, std::wstring& value)
{
    wchar_t data[512] = {};
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size)
        != ERROR_SUCCESS)
        return false;
    value = data;
    return true;
}

void DeleteMachineValue(const std::wstring& key, const wchar_t* name)
{
    ::RegDeleteKeyValueW(HKEY_LOCAL_MACHINE, key.c_str(), name);
}

std::wstring ProgramFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

size_t CountStartingWith(const std::vector<std::string>& calls, const std::string& start)
{
    return std::count_if(calls.begin(), calls.end(),
        [&](const std::string& call) { return call.rfind(start, 0) == 0; });
}

TEST(FirstControl, RegistersTheModuleAndChecksForUpdatesOncePerProcess)
{
    ASSERT_EQ(::OleInitialize(nullptr), S_OK);
    ASSERT_EQ(CallModuleEntry("DllRegisterServer"), S_OK);
    ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kBitmapKey);
    DeleteMachineValue(kClientKey, L"snnaut");
    DeleteMachineValue(std::wstring(kClientKey) + L"\\Directories", L"SNMurro.dll");
    {
        CHostedControl first;
        ASSERT_EQ(first.Create(kSonorelleClassId), S_OK);
        const std::vector<std::string> calls = TakeEngineCalls();
        EXPECT_EQ(CountStartingWith(calls, "GetToUpdateFileList 76 79"), 1u);

        HKEY restored = nullptr;
        EXPECT_EQ(::RegOpenKeyExW(HKEY_CLASSES_ROOT, kBitmapKey, 0, KEY_READ, &restored), ERROR_SUCCESS);
        if (restored)
            ::RegCloseKey(restored);
        restored = nullptr;
        std::wstring stamp, folder;
        EXPECT_TRUE(ReadMachineText(kClientKey, L"snnaut", stamp));
        EXPECT_FALSE(stamp.empty());
        ASSERT_TRUE(ReadMachineText(std::wstring(kClientKey) + L"\\Directories", L"SNMurro.dll", folder));
        EXPECT_EQ(::lstrcmpiW(folder.c_str(), ProgramFolder().c_str()), 0) << Narrow(folder);

        // Later controls of the process neither register nor check.
        ::RegDeleteTreeW(HKEY_CLASSES_ROOT, kBitmapKey);
        CHostedControl second;
        ASSERT_EQ(second.Create(kSonorelle3ClassId), S_OK);
        EXPECT_EQ(CountStartingWith(TakeEngineCalls(), "GetToUpdateFileList"), 0u);
        EXPECT_NE(::RegOpenKeyExW(HKEY_CLASSES_ROOT, kBitmapKey, 0, KEY_READ, &restored), ERROR_SUCCESS);
    }
    CallModuleEntry("DllUnregisterServer");
    ::OleUninitialize();
}

} // namespace
