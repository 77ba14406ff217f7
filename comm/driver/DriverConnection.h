// CDriverConnection: the driver's server connection, offered to its place.
#pragma once

#include "DriverJson.h"
#include "DriverShell.h"
#include "ZrHelloCheck.h"
#include "ZrPlaceConnection.h"
#include "ZrQueuedPlace.h"
#include "ZrServerConnection.h"

// Forwards what the client place and the protocol handler ask of a server
// connection, queues the place for its turn, logs in when the session is
// ready and prints the end of the connection. It is the shell's connector.
class CDriverConnection : public CZrServerConnection,
                          public IZrPlaceConnection,
                          public IZrHelloCheck,
                          public IZrQueuedPlace,
                          public IDriverConnector {
public:
    CDriverConnection(CUcmManager& manager, IZrSessionHandler& handler, DriverOutput output);

    void SetShell(CDriverShell* shell) { m_shell = shell; }

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
    // IDriverConnector: a direct connection to the port given.
    int32_t Connect(const std::string& host, uint16_t port) override;
    IZrPlaceConnection& Connection() override { return *this; }

protected:
    void OnSessionReady() override;
    void OnDisconnected(int32_t reason) override;

private:
    DriverOutput m_output;
    CDriverShell* m_shell = nullptr;
    CZrClientPlace* m_place = nullptr;
};
