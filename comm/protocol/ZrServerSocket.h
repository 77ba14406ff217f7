// CZrServerSocket: the connection that the server connection uses.
#pragma once

#include <cstdint>
#include <vector>

#include "UcmConnection.h"
#include "ZrSessionSocket.h"

class CZrServerConnection;
class CZrSession;

// Registers itself with the manager when made; once registered only the
// manager deletes it. Turns the socket's notifications into the steps of
// its owner, and hands frames to the session once one is attached.
// Releasing it forgets owner and session and closes it gracefully.
class CZrServerSocket : public CUcmConnection, public IZrSessionSocket {
public:
    static constexpr uint8_t kOptions = kKeepAlive | kSequence;

    CZrServerSocket(CUcmManager& manager, CZrServerConnection* owner);

    // False when the socket could not be made or registered: the creator
    // then deletes it.
    bool IsRegistered() const { return m_registered; }
    CZrSession* Session() const { return m_session; }
    void AttachSession(CZrSession* session) { m_session = session; }
    // A connect attempt answered a code at once: reported like a connect
    // that failed later.
    void RaiseConnectFailed(int32_t code) { OnConnectFailed(code); }

    void Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body, uint32_t bodyLength) override;
    void Release() override;

protected:
    void OnAddresses(const std::vector<CTvlIpAddress>& addresses) override;
    void OnLookupFailed(int32_t code) override;
    void OnConnectFailed(int32_t code) override;
    void OnFrame(uint32_t length, const uint8_t* bytes) override;
    void OnBroken(int32_t code) override;
    void OnIdle() override;

private:
    CZrServerConnection* m_owner;
    CZrSession* m_session = nullptr;
    bool m_registered = false;
};
