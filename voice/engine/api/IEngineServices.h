// What an engine instance needs from its platform: engine strings, the user
// agreement record, host-name look-ups off the caller's thread, and the
// facts about this machine that the join line carries.
#pragma once

#include "CHostLookup.h"

#include <cstdint>
#include <memory>
#include <string>

struct ConfJoinRecord;

class IEngineServices
{
public:
    virtual ~IEngineServices() = default;

    virtual std::string String(int32_t number) = 0;
    virtual bool AgreementAccepted() = 0;
    // Starts resolving `host` to a dotted address on another thread and
    // returns at once; the look-up is finished when the answer is known.
    virtual std::shared_ptr<CHostLookup> StartLookup(const std::string& host) = 0;
    // Waits up to `milliseconds` for the look-up while the caller's thread
    // keeps handling its window messages; true when it has finished.
    virtual bool WaitForLookup(CHostLookup& lookup, uint32_t milliseconds) = 0;
    // The engine version, sound device, driver version and system of JOIN.
    virtual void FillMachineFields(ConfJoinRecord& join) = 0;
    // A text the host frees, for the read operations (13 and 15).
    virtual void* AllocateText(const std::string& text) = 0;
};
