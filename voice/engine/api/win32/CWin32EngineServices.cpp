#include "CWin32EngineServices.h"

#include "ClientRegistry.h"
#include "FileVersion.h"
#include "ResourceChain.h"
#include "SonorelleIfcTypes.h"

#include <winsock2.h>
#include <oleauto.h>

#include <cstdio>
#include <vector>

namespace {

constexpr int kLookupTries = 3;
constexpr DWORD kLookupPauseMs = 10;

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

std::string CWin32EngineServices::ResolveHost(const std::string& host)
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

int32_t CWin32EngineServices::StartConnection(int32_t, const std::string&, int32_t)
{
    // The control channel's transports are not part of this library yet, so
    // no connection can be started.
    return SonorelleIfcStatus::kSession;
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
