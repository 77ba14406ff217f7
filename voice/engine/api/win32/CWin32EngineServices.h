// The engine's platform services on Windows: strings from the resource
// chain, the agreement record in the registry, host look-ups with Windows
// Sockets on a worker thread, the machine's facts for JOIN and texts
// allocated as BSTRs for the host.
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
    std::shared_ptr<CHostLookup> StartLookup(const std::string& host) override;
    bool WaitForLookup(CHostLookup& lookup, uint32_t milliseconds) override;
    void FillMachineFields(ConfJoinRecord& join) override;
    void* AllocateText(const std::string& text) override;

    // "%d.%d.%d.%d" from the library's version resource; empty when none.
    std::string EngineVersion() const;

private:
    static DWORD WINAPI LookupThread(void* lookup);
    static std::string Resolve(const std::string& host);

    const CResourceChain& m_resources;
    HMODULE m_module;
};
