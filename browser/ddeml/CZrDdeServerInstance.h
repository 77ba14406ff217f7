// The DDE instance of the client's own service: it serves the topics of the
// service table through the server core and counts its conversations.
#pragma once

#include "CZrDdeInstance.h"
#include "CZrDdeServerCore.h"

class CZrDdeServerInstance : public CZrDdeInstance
{
public:
    static constexpr const char* kServiceName = "ZrPlaces";
    static constexpr const char* kRunName = "ZrPlacesRun";

    explicit CZrDdeServerInstance(CZrDdeServerCore& core) : m_core(core) {}
    ~CZrDdeServerInstance() override;

    bool RegisterRunName() { return RegisterName(kRunName); }
    bool UnregisterRunName() { return UnregisterName(kRunName); }

    // Keeps the data as the item's last data and feeds every advise loop on
    // it; false when the service has no item of that type.
    bool PostByType(uint16_t type, const uint8_t* data, uint32_t size);
    bool HasConnections() const { return m_connections > 0; }

protected:
    void OnTrace(const std::string& line) override { m_core.Trace(line); }
    bool HasTopic(const std::string& topic) const override;
    bool AcceptsAdvise(const std::string& topic, const std::string& item,
                       UINT format) const override;
    const std::vector<uint8_t>* GetPostedData(const std::string& topic,
                                              const std::string& item) const override;
    bool Request(const std::string& topic, const std::string& item,
                 std::vector<uint8_t>& answer) override;
    UINT Poke(const std::string& topic, const std::string& item, const uint8_t* data,
              uint32_t size) override;
    void OnConnected(const std::string& topic) override;
    void OnDisconnected(const std::string& topic) override;

private:
    CZrDdeServerCore& m_core;
    int32_t m_connections = 0;
};
