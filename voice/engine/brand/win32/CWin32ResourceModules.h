// Language libraries loaded with the system loader: first from the engine's
// directory, then by plain name through the search path. A loaded library is
// recorded under "Directories" and joins the resource chain.
#pragma once

#include "ClientRegistry.h"
#include "IResourceModules.h"
#include "LanguageLibrarySearch.h"
#include "ResourceChain.h"

#include <windows.h>

#include <string>

class CWin32ResourceModules : public IResourceModules
{
public:
    // `engineDirectory` ends with a backslash (or is empty).
    CWin32ResourceModules(CResourceChain& chain, const CClientRegistry& registry,
                          std::string engineDirectory);

    ResourceModule LoadLanguageLibrary(const std::string& baseName,
                                       const std::string& locale) override;
    void AddToChain(ResourceModule module) override;
    void RemoveFromChain(ResourceModule module) override;
    void Unload(ResourceModule module) override;

    // The thread locale's names as the system gives them.
    static SystemLocale ThreadLocale();

private:
    HMODULE LoadFile(const std::string& fileName) const;

    CResourceChain& m_chain;
    const CClientRegistry& m_registry;
    std::string m_engineDirectory;
};
