// The process's engine instances, keyed by the host's window handle, with
// the rule that decides whether a host may have an engine instance.
#pragma once

#include "CEngineInstance.h"

#include <memory>
#include <vector>

class CEngineInstanceList
{
public:
    CEngineInstanceList(EngineProcessState& process, IEngineServices& services);

    // Yes when the list is empty, or when the request and every existing
    // instance carry the SDK flag.
    bool MayCreate(bool sdk) const;
    // A new instance appended to the list, or nullptr when refused.
    CEngineInstance* Create(void* handle, int32_t kind, bool sdk);
    // The first instance made for `handle`.
    CEngineInstance* Find(void* handle) const;
    // Removes and deletes the instance of `handle`; false when none.
    bool Remove(void* handle);
    bool Empty() const { return m_instances.empty(); }
    size_t Size() const { return m_instances.size(); }

private:
    EngineProcessState& m_process;
    IEngineServices& m_services;
    std::vector<std::unique_ptr<CEngineInstance>> m_instances;
};
