// Process-wide book of the DDE layer: which instance registered which service
// name, which instance a conversation handle belongs to, and every instance
// that is set up. The one DDE callback of the process routes transactions
// with it. Not locked: all DDE work runs on the program's main thread.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "ZrDdeText.h"

template <typename Instance>
class ZrDdeRegistry
{
public:
    // A name is kept once, compared as DDE compares names (without regard to
    // case); false when it is already there.
    bool AddName(Instance* instance, const std::string& name)
    {
        if (FindByName(name))
            return false;
        m_names.push_back({instance, name});
        return true;
    }

    void RemoveName(Instance* instance, const std::string& name)
    {
        EraseIf(m_names, [&](const NameEntry& entry) {
            return entry.instance == instance && ZrDdeText::NamesEqual(entry.name, name);
        });
    }

    Instance* FindByName(const std::string& name) const
    {
        for (const NameEntry& entry : m_names) {
            if (ZrDdeText::NamesEqual(entry.name, name))
                return entry.instance;
        }
        return nullptr;
    }

    // A handle is kept once; false when it is already there.
    bool AddHandle(Instance* instance, uintptr_t handle)
    {
        if (handle == 0 || FindByHandle(handle))
            return false;
        m_handles.push_back({instance, handle});
        return true;
    }

    void RemoveHandle(uintptr_t handle)
    {
        EraseIf(m_handles, [&](const HandleEntry& entry) { return entry.handle == handle; });
    }

    Instance* FindByHandle(uintptr_t handle) const
    {
        for (const HandleEntry& entry : m_handles) {
            if (entry.handle == handle)
                return entry.instance;
        }
        return nullptr;
    }

    void AddInstance(Instance* instance)
    {
        if (!HasInstance(instance))
            m_instances.push_back(instance);
    }

    // Forgets the instance with all its names and handles.
    void RemoveInstance(Instance* instance)
    {
        EraseIf(m_names, [&](const NameEntry& entry) { return entry.instance == instance; });
        EraseIf(m_handles, [&](const HandleEntry& entry) { return entry.instance == instance; });
        EraseIf(m_instances, [&](Instance* entry) { return entry == instance; });
    }

    bool HasInstance(Instance* instance) const
    {
        return std::find(m_instances.begin(), m_instances.end(), instance) != m_instances.end();
    }

    // A copy, so that a handler may set up or shut down instances meanwhile.
    std::vector<Instance*> GetInstances() const { return m_instances; }

private:
    struct NameEntry
    {
        Instance* instance;
        std::string name;
    };
    struct HandleEntry
    {
        Instance* instance;
        uintptr_t handle;
    };

    template <typename Entry, typename Predicate>
    static void EraseIf(std::vector<Entry>& entries, Predicate predicate)
    {
        entries.erase(std::remove_if(entries.begin(), entries.end(), predicate), entries.end());
    }

    std::vector<NameEntry> m_names;
    std::vector<HandleEntry> m_handles;
    std::vector<Instance*> m_instances;
};
