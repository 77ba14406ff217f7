// regsvr32 registers and unregisters the voice control module cleanly, and
// the type library it writes agrees with the controls' dispatch tables.
#include "ContainerSupport.h"
#include "SonorelleInterfaces.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring ControlModulePath()
{
    return ModuleFolder() + L"SNMurro.dll";
}

DWORD RunRegsvr32(const std::wstring& options)
{
    std::wstring command = L"regsvr32.exe /s " + options + L"\"" + ControlModulePath() + L"\"";
    STARTUPINFOW startup {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process {};
    if (!::CreateProcessW(
            nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ~0u;
    ::WaitForSingleObject(process.hProcess, 60000);
    DWORD code = ~0u;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return code;
}

// The value of HKEY_CLASSES_ROOT\key (default value when name is null), or
// nothing when the key or value is missing.
bool ReadClassesValue(const std::wstring& key, const wchar_t* name, std::wstring& value)
{
    wchar_t data[1024] = {};
    DWORD size = sizeof data;
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, data, &size)
        != ERROR_SUCCESS)
        return false;
    value = data;
    return true;
}

bool ClassesKeyExists(const std::wstring& key)
{
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(handle);
    return true;
}

struct RegistryCase
{
    const wchar_t* key;
    const wchar_t* name;
    const wchar_t* value; // null: the key must exist, whatever its value
};

const wchar_t kControlKey[] = L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}";

const RegistryCase kRegistryCases[] = {
    {kControlKey, nullptr, L"Sonorelle Control"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\InprocServer32", L"ThreadingModel", L"Apartment"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\ProgID", nullptr, L"Sonorelle.SonorelleCtrl.1"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\MiscStatus\\1", nullptr, L"131473"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\TypeLib", nullptr,
        L"{90815AA3-3819-11D2-99CC-00A024BAF8EC}"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\Version", nullptr, L"1.0"},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\Control", nullptr, nullptr},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\Implemented Categories\\"
     L"{7DD95801-9882-11CF-9FA9-00AA006C42C4}",
        nullptr, nullptr},
    {L"CLSID\\{90815AA6-3819-11D2-99CC-00A024BAF8EC}\\Implemented Categories\\"
     L"{7DD95802-9882-11CF-9FA9-00AA006C42C4}",
        nullptr, nullptr},
    {L"Sonorelle.SonorelleCtrl.1\\CLSID", nullptr, L"{90815AA6-3819-11D2-99CC-00A024BAF8EC}"},
    {L"CLSID\\{90815AA7-3819-11D2-99CC-00A024BAF8EC}", nullptr, L"Sonorelle Property Page"},
    {L"CLSID\\{14E1B342-C760-11D3-BAFD-009027A36778}", nullptr, L"Sonorelle2 Control"},
    {L"Sonorelle.Sonorelle2Ctrl.1\\CLSID", nullptr, L"{14E1B342-C760-11D3-BAFD-009027A36778}"},
    {L"Sonorelle.Sonorelle2PropPage.1\\CLSID", nullptr, L"{14E1B343-C760-11D3-BAFD-009027A36778}"},
    {L"CLSID\\{5C8E2DE3-C9BD-11D3-BAFD-009027A36778}", nullptr, L"Sonorelle3 Control"},
    {L"Sonorelle.Sonorelle3Ctrl.1\\CLSID", nullptr, L"{5C8E2DE3-C9BD-11D3-BAFD-009027A36778}"},
    {L"Sonorelle.Sonorelle3PropPage.1\\CLSID", nullptr, L"{5C8E2DE4-C9BD-11D3-BAFD-009027A36778}"},
    {L"TypeLib\\{90815AA3-3819-11D2-99CC-00A024BAF8EC}\\1.0\\0\\win64", nullptr, nullptr},
};

void ExpectRegistered(const RegistryCase& entry)
{
    std::wstring value;
    if (!entry.value) {
        EXPECT_TRUE(ClassesKeyExists(entry.key)) << "missing: " << Narrow(entry.key);
        return;
    }
    ASSERT_TRUE(ReadClassesValue(entry.key, entry.name, value)) << "missing: " << Narrow(entry.key);
    EXPECT_EQ(value, entry.value);
}

} // namespace

TEST(Registration, Regsvr32RegistersAndUnregistersEveryEntry)
{
    ASSERT_EQ(RunRegsvr32(L"/u "), 0u);
    for (const RegistryCase& entry : kRegistryCases)
        EXPECT_FALSE(ClassesKeyExists(entry.key)) << "left before: " << Narrow(entry.key);

    ASSERT_EQ(RunRegsvr32(L""), 0u);
    for (const RegistryCase& entry : kRegistryCases)
        ExpectRegistered(entry);
    std::wstring server;
    ASSERT_TRUE(ReadClassesValue(std::wstring(kControlKey) + L"\\InprocServer32", nullptr, server));
    EXPECT_EQ(::lstrcmpiW(server.c_str(), ControlModulePath().c_str()), 0) << Narrow(server);
    CLSID fromProgId {};
    EXPECT_EQ(::CLSIDFromProgID(L"Sonorelle.SonorelleCtrl.1", &fromProgId), S_OK);
    EXPECT_EQ(fromProgId, kSonorelleClassId);

    ASSERT_EQ(RunRegsvr32(L"/u "), 0u);
    for (const RegistryCase& entry : kRegistryCases)
        EXPECT_FALSE(ClassesKeyExists(entry.key)) << "left after: " << Narrow(entry.key);
    EXPECT_FALSE(ClassesKeyExists(L"TypeLib\\{90815AA3-3819-11D2-99CC-00A024BAF8EC}"));
}

TEST(Registration, TypeLibraryGivesEveryMemberItsPosition)
{
    ASSERT_EQ(RunRegsvr32(L""), 0u);
    ITypeLib* library = nullptr;
    ASSERT_EQ(::LoadRegTypeLib(kSonorelleLibraryId, 1, 0, 0, &library), S_OK);
    for (const DispatchInterface* table : SonorelleTypeLibrary().interfaces) {
        ITypeInfo* info = nullptr;
        ASSERT_EQ(library->GetTypeInfoOfGuid(table->id, &info), S_OK) << Narrow(table->name);
        for (size_t i = 0; i < table->members.size(); ++i) {
            LPOLESTR name = const_cast<LPOLESTR>(table->members[i].name);
            MEMBERID id = 0;
            EXPECT_EQ(info->GetIDsOfNames(&name, 1, &id), S_OK) << Narrow(name);
            EXPECT_EQ(id, static_cast<MEMBERID>(i + 1)) << Narrow(table->name) << "." << Narrow(name);
        }
        info->Release();
    }
    ITypeInfo* controlClass = nullptr;
    EXPECT_EQ(library->GetTypeInfoOfGuid(kSonorelle3ClassId, &controlClass), S_OK);
    if (controlClass)
        controlClass->Release();
    library->Release();
    ASSERT_EQ(RunRegsvr32(L"/u "), 0u);
}
