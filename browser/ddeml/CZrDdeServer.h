// Holder of the client's own DDE service. An owner derives from it and
// overrides the item, request and trace handlers of CZrDdeServerOwner.
// Order of use: Open, Start, RegisterRunName; at the end UnregisterRunName,
// Stop.
#pragma once

#include <cstdint>
#include <memory>

#include "CZrDdeServerCore.h"
#include "CZrDdeServerInstance.h"

class CZrDdeServer : public CZrDdeServerOwner
{
public:
    // The one mode that Open accepts.
    static constexpr int32_t kServeMode = 1;

    CZrDdeServer() = default;
    ~CZrDdeServer() override;
    CZrDdeServer(const CZrDdeServer&) = delete;
    CZrDdeServer& operator=(const CZrDdeServer&) = delete;

    // Makes the core; needs mode 1, a non-zero value and no core yet.
    bool Open(int32_t mode, uintptr_t value);
    // Sets the service up under "ZrPlaces"; fails without a core or when it
    // already runs.
    bool Start();
    bool Stop();
    bool RegisterRunName();
    bool UnregisterRunName();

    // Posts the item's data to the advise loops on its item. The caller keeps
    // the item.
    bool PostItem(CZrDdeItem& item);

    bool IsStarted() const { return m_instance && m_instance->IsSetUp(); }
    bool HasConnections() const { return m_instance && m_instance->HasConnections(); }
    // The set-up value given to Open.
    uintptr_t GetOpenValue() const { return m_openValue; }

private:
    std::unique_ptr<CZrDdeServerCore> m_core;
    std::unique_ptr<CZrDdeServerInstance> m_instance;
    uintptr_t m_openValue = 0;
};
