// The DDE instance of a client holder: transactions of other programs go to
// the holder's handlers.
#pragma once

#include "CZrDdeClient.h"
#include "CZrDdeInstance.h"

class CZrDdeClientInstance : public CZrDdeInstance
{
public:
    CZrDdeClientInstance(CZrDdeClient& holder, Mode mode) : CZrDdeInstance(mode), m_holder(holder) {}
    ~CZrDdeClientInstance() override;

protected:
    void OnTrace(const std::string& line) override { m_holder.OnTrace(line); }
    void OnDisconnected(const std::string& topic) override { m_holder.OnDisconnected(topic); }
    bool PeerRequest(const std::string& topic, const std::string& item,
                     std::vector<uint8_t>& answer) override
    {
        return m_holder.OnPeerRequest(topic, item, answer);
    }
    void PeerPoke(const std::string& topic, const std::string& item, const uint8_t* data,
                  uint32_t size) override
    {
        m_holder.OnPeerPoke(topic, item, data, size);
    }

private:
    CZrDdeClient& m_holder;
};
