#include "CWin32EngineServices.h"

#include "ClientRegistry.h"
#include "FileVersion.h"
#include "ResourceChain.h"
#include "SonorelleIfcTypes.h"

#include "ConfCommands.h"

#include <winsock2.h>
#include <mmsystem.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int kLookupTries = 3;
constexpr DWORD kLookupPauseMs = 10;
constexpr ULONGLONG kWaitSliceMs = 50;

std::string ModuleFile(HMODULE module)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? std::string(path, length) : std::string();
}

} // namespace

CWin32EngineServices::CWin32EngineServices(const CResourceChain& resources, HMODULE module)
    : m_resources(resources), m_module(module)
{
}

std::string CWin32EngineServices::String(int32_t number)
{
    return m_resources.LoadText(static_cast<UINT>(number)).value_or(std::string());
}

bool CWin32EngineServices::AgreementAccepted()
{
    return CClientRegistry().CheckAcceptedAgreement(EngineVersion());
}

std::string CWin32EngineServices::Resolve(const std::string& host)
{
    for (int attempt = 0; attempt < kLookupTries; ++attempt) {
        if (attempt > 0)
            Sleep(kLookupPauseMs);
        const hostent* entry = gethostbyname(host.c_str());
        if (entry && entry->h_addrtype == AF_INET && entry->h_addr_list[0]) {
            const auto* bytes = reinterpret_cast<const unsigned char*>(entry->h_addr_list[0]);
            char text[16];
            std::snprintf(text, sizeof text, "%u.%u.%u.%u", bytes[0], bytes[1], bytes[2], bytes[3]);
            return text;
        }
    }
    return std::string();
}

// The thread holds its own reference to the look-up and to this library, so
// neither goes away under it however long the name server takes.
DWORD WINAPI CWin32EngineServices::LookupThread(void* parameter)
{
    std::unique_ptr<std::shared_ptr<CHostLookup>> lookup(
        static_cast<std::shared_ptr<CHostLookup>*>(parameter));
    (*lookup)->Finish(Resolve((*lookup)->Host()));
    lookup.reset();
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&CWin32EngineServices::LookupThread), &self);
    FreeLibraryAndExitThread(self, 0);
}

std::shared_ptr<CHostLookup> CWin32EngineServices::StartLookup(const std::string& host)
{
    auto lookup = std::make_shared<CHostLookup>(host);
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                       reinterpret_cast<LPCSTR>(&CWin32EngineServices::LookupThread), &self);
    auto* handed = new std::shared_ptr<CHostLookup>(lookup);
    HANDLE thread = CreateThread(nullptr, 0, LookupThread, handed, 0, nullptr);
    if (thread) {
        CloseHandle(thread);
    } else {
        delete handed;
        FreeLibrary(self);
        lookup->Finish(std::string());
    }
    return lookup;
}

bool CWin32EngineServices::WaitForLookup(CHostLookup& lookup, uint32_t milliseconds)
{
    const ULONGLONG deadline = GetTickCount64() + milliseconds;
    while (!lookup.IsDone()) {
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline)
            return false;
        const DWORD slice = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kWaitSliceMs));
        MsgWaitForMultipleObjects(0, nullptr, FALSE, slice, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // The quit belongs to the host's own loop: hand it back.
                PostQuitMessage(static_cast<int>(message.wParam));
                return lookup.IsDone();
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return true;
}

void CWin32EngineServices::FillMachineFields(ConfJoinRecord& join)
{
    join.engineVersion = EngineVersion();
    if (join.engineVersion.empty())
        join.engineVersion = "0.0.0.0";
    WAVEOUTCAPSA caps{};
    char text[128];
    if (waveOutGetDevCapsA(0, &caps, sizeof caps) != MMSYSERR_NOERROR)
        caps = WAVEOUTCAPSA{};
    std::snprintf(text, sizeof text, "%s:%d,%d", caps.szPname, caps.wMid, caps.wPid);
    join.soundDevice = text;
    std::snprintf(text, sizeof text, "%d.%d", HIBYTE(caps.vDriverVersion),
                  LOBYTE(caps.vDriverVersion));
    join.driverVersion = text;
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version);
    std::snprintf(text, sizeof text, "%s %d.%d:%d",
                  version.dwPlatformId == VER_PLATFORM_WIN32_NT ? "NT" : "WIN",
                  static_cast<int>(version.dwMajorVersion), static_cast<int>(version.dwMinorVersion),
                  static_cast<int>(version.dwBuildNumber & 0xFFFF));
    join.operatingSystem = text;
}

void* CWin32EngineServices::AllocateText(const std::string& text)
{
    const int wide = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0);
    BSTR value = SysAllocStringLen(nullptr, static_cast<UINT>(wide));
    if (value && wide > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), value, wide);
    return value;
}

std::string CWin32EngineServices::EngineVersion() const
{
    const auto version = ReadFileVersion(ModuleFile(m_module));
    if (!version)
        return std::string();
    char text[48];
    const auto& parts = version->parts;
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", unsigned{parts[0]}, unsigned{parts[1]},
                  unsigned{parts[2]}, unsigned{parts[3]});
    return text;
}
