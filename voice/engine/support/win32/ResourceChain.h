// The chain of resource modules that every engine text and resource is looked
// up in: the newest module first, so a branding or language library added
// later overrides the engine's own resources, which are added first.
#pragma once

#include <windows.h>

#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class CResourceChain
{
public:
    struct FoundResource
    {
        HMODULE module;
        HRSRC resource;
    };

    // Puts the module at the head of the chain (once).
    void AddModule(HMODULE module);
    void RemoveModule(HMODULE module);
    void Clear();

    // Copies string `id` from the first module that has it into `buffer`
    // (at most `size` characters with the terminator); returns its length, 0
    // when no module has it.
    size_t LoadText(UINT id, char* buffer, size_t size) const;
    std::optional<std::string> LoadText(UINT id) const;

    // Finds resource `id` of `type` in the first module that has it.
    std::optional<FoundResource> Find(UINT id, const char* type) const;

private:
    std::vector<HMODULE> Snapshot() const;

    mutable std::mutex m_lock;
    std::vector<HMODULE> m_modules; // newest first
};
