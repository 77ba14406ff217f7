// CCommunityConnection: the client's connection to a community host. It
// offers itself to the root place as its server connection, and when the
// session is ready it stores the community's configuration items and starts
// the login.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "CCommunityConfig.h"
#include "ICommunityStore.h"
#include "ZrHelloCheck.h"
#include "ZrPlaceConnection.h"
#include "ZrQueuedPlace.h"
#include "ZrServerConnection.h"

class CCommunityConnection : public CZrServerConnection,
                             public IZrPlaceConnection,
                             public IZrHelloCheck,
                             public IZrQueuedPlace {
public:
    CCommunityConnection(CUcmManager& manager, IZrSessionHandler& handler, ICommunityStore& store);
    ~CCommunityConnection() override;

    // Connects to the community "host" or "host:port". The same community
    // (ignoring case) while the connection is up does nothing and gives 0;
    // a failed start of the connect gives its nonzero code.
    int32_t SetUrl(const std::string& url);
    bool HasUrl() const { return m_hasUrl; }
    // Connecting, the community's items not yet applied.
    bool IsPending() const { return m_pending; }
    const std::string& GetUrl() const { return m_url; }

    // The community's items arrived: stores them and starts the login.
    void Dispatch();

    // IZrPlaceConnection
    bool IsUp() const override { return IsConnected(); }
    CZrSession* Session() const override { return CZrServerConnection::Session(); }
    void Queue(CZrClientPlace& place) override;
    void Unqueue(CZrClientPlace& place) override;
    const CZrObjectRef* FindReference(uint32_t ownerId, uint32_t kind) const override;
    const CZrObjectRef* FindReferenceByOwner(uint32_t ownerId) const override;
    const CZrObjectRef* FindReferenceByKind(uint32_t kind) const override;
    const CZrObjectRef* AddReference(CZrMessageReader& reader, uint32_t localId) override;
    std::unique_ptr<CZrObjectRef> RemoveReference(CZrMessageReader& reader) override;
    // IZrHelloCheck
    int32_t CheckHello(CZrMessageReader& reader, uint32_t& received) override;
    // IZrQueuedPlace
    void OnConnectionUp(CZrServerConnection& connection) override;

    // Splits "host:port"; the port is 0 when none or not a valid number.
    static void SplitHostPort(const std::string& url, std::string& host, uint16_t& port);

protected:
    void OnSessionReady() override;
    // A failure while connecting goes to the store; a connection that was up
    // has told its places already.
    void OnDisconnected(int32_t reason) override;

private:
    ICommunityStore& m_store;
    CCommunityConfig m_config;
    CZrClientPlace* m_place = nullptr;
    bool m_hasUrl = false;
    bool m_pending = false;
    std::string m_url;
};
