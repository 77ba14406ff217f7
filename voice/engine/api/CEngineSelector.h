// Runs the operations of SonorelleIfc_SNComFunctionSelector on the instance
// that the block names.
#pragma once

#include "CEngineInstanceList.h"
#include "SonorelleIfcTypes.h"

#include <cstdint>
#include <functional>

class CEngineSelector
{
public:
    // Called with the host handle when op 17 may not make an engine instance,
    // so that the host gets its notice and holder window.
    using RefusalHandler = std::function<void(void* handle)>;

    CEngineSelector(CEngineInstanceList& instances, IEngineServices& services,
                    RefusalHandler onRefused);

    // 0 for a null block, an unknown instance (except op 17) and an unknown
    // operation.
    int32_t Run(const SonorelleIfcSelectorBlock* block);

private:
    int32_t Create(void* handle, const SonorelleIfcCreateArgs* args);
    int32_t RunOn(CEngineInstance& instance, int32_t operation, void* arguments);
    int32_t ReadInto(std::pair<int32_t, std::string> result, void* arguments);

    CEngineInstanceList& m_instances;
    IEngineServices& m_services;
    RefusalHandler m_onRefused;
};
