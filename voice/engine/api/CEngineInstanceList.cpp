#include "CEngineInstanceList.h"

#include <algorithm>

CEngineInstanceList::CEngineInstanceList(EngineProcessState& process, IEngineServices& services)
    : m_process(process), m_services(services)
{
}

bool CEngineInstanceList::MayCreate(bool sdk) const
{
    if (m_instances.empty())
        return true;
    return sdk && std::all_of(m_instances.begin(), m_instances.end(),
                              [](const auto& instance) { return instance->IsSdk(); });
}

CEngineInstance* CEngineInstanceList::Create(void* handle, int32_t kind, bool sdk)
{
    if (!MayCreate(sdk))
        return nullptr;
    m_instances.push_back(
        std::make_unique<CEngineInstance>(handle, kind, sdk, m_process, m_services));
    return m_instances.back().get();
}

CEngineInstance* CEngineInstanceList::Find(void* handle) const
{
    for (const auto& instance : m_instances) {
        if (instance->Handle() == handle)
            return instance.get();
    }
    return nullptr;
}

bool CEngineInstanceList::Remove(void* handle)
{
    const auto found = std::find_if(m_instances.begin(), m_instances.end(),
                                    [handle](const auto& instance) { return instance->Handle() == handle; });
    if (found == m_instances.end())
        return false;
    m_instances.erase(found);
    return true;
}
