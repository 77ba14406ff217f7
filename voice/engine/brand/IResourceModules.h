// What the branding state needs from the platform: loading a language library,
// the resource chain every lookup walks, and unloading.
#pragma once

#include <string>

using ResourceModule = void*;

class IResourceModules
{
public:
    virtual ~IResourceModules() = default;

    // The language library of `baseName` for `locale`, or nullptr when none of
    // the candidates loads.
    virtual ResourceModule LoadLanguageLibrary(const std::string& baseName,
                                               const std::string& locale) = 0;
    // Puts the module at the head of the chain.
    virtual void AddToChain(ResourceModule module) = 0;
    virtual void RemoveFromChain(ResourceModule module) = 0;
    // Frees a library that LoadLanguageLibrary returned.
    virtual void Unload(ResourceModule module) = 0;
};
