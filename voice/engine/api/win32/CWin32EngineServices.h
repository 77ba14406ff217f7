// The engine's platform services on Windows: strings from the resource
// chain, the agreement record in the registry, host look-ups with Windows
// Sockets and texts allocated as BSTRs for the host.
#pragma once

#include "IEngineServices.h"

#include <windows.h>

class CResourceChain;

class CWin32EngineServices : public IEngineServices
{
public:
    CWin32EngineServices(const CResourceChain& resources, HMODULE module);

    std::string String(int32_t number) override;
    bool AgreementAccepted() override;
    std::string ResolveHost(const std::string& host) override;
    int32_t StartConnection(int32_t tunnel, const std::string& server, int32_t port) override;
    void* AllocateText(const std::string& text) override;

    // "%d.%d.%d.%d" from the library's version resource; empty when none.
    std::string EngineVersion() const;

private:
    const CResourceChain& m_resources;
    HMODULE m_module;
};
