// CZrServerConnection: the client's link to a community server.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "TvlIpAddress.h"
#include "TvlObject.h"
#include "ZrItemTable.h"
#include "ZrObjectRef.h"
#include "ZrServerAddress.h"
#include "ZrSessionOwner.h"

class CUcmManager;
class CZrMessageReader;
class CZrServerSocket;
class CZrSession;
class IZrQueuedPlace;
class IZrSessionHandler;

// The server's port (network order): ZRS_PORT_NUM of the switch file,
// default 1533, read at the first call and kept for the process.
uint16_t ZrGetServerPort();

// Finds the server's addresses and tries them in turn, each on a fresh
// socket; waits for the server's 4-byte first frame, creates the session and
// reads the server's answer to the hello. When an established connection
// breaks and the session has an acknowledgement window, it connects once
// more to the same address and the session resumes. Every failure ends in
// exactly one OnDisconnected with a reason code.
//
// The community connection of the program derives from it and overrides the
// two notifications.
class CZrServerConnection : public CTvlObject {
public:
    enum State : int32_t {
        kIdle = 0,
        kResolvingProxy = 1,
        kResolvingServer = 2,
        kConnecting = 3,
        kWaitingHello = 4,
        kUp = 5,
        kResuming = 6,
    };

    static constexpr uint32_t kFirstFrameLength = 4;
    // Answer of CheckHello that makes the handler refuse the hello.
    static constexpr int32_t kHelloRefused = 222;

    // The handler that every session of this connection reports to;
    // without one Connect answers 1.
    CZrServerConnection(CUcmManager& manager, IZrSessionHandler* handler);
    CZrServerConnection(const CZrServerConnection&) = delete;
    CZrServerConnection& operator=(const CZrServerConnection&) = delete;
    ~CZrServerConnection() override;

    // Starts connecting to `host` (name or dotted address) with the settings
    // (proxy). 1 without handler, else 0: the outcome arrives later.
    int32_t Connect(const std::string& host, const CZrServerAddress& settings);
    // Ends the connection and its session from this side, without report.
    void Disconnect();
    // Connected or resuming.
    bool IsConnected() const { return m_state == kUp || m_state == kResuming; }
    State GetState() const { return m_state; }
    CZrSession* Session() const { return m_session.get(); }
    const std::string& Host() const { return m_host; }
    // Network order; CTvlIpAddress::kUnknown when none.
    uint32_t Address() const { return m_address; }
    uint16_t Port() const { return m_port; }
    const CZrServerAddress& Settings() const { return m_settings; }

    // Object references: the first match in list order, or nullptr.
    const CZrObjectRef* FindReference(uint32_t ownerId, uint32_t kind) const;
    const CZrObjectRef* FindReferenceByOwner(uint32_t ownerId) const;
    const CZrObjectRef* FindReferenceByKind(uint32_t kind) const;
    // Message 26: reads a reference and appends it.
    bool AddReference(CZrMessageReader& reader, uint32_t localId);
    // Message 27: reads an owner id and takes its reference out.
    std::unique_ptr<CZrObjectRef> RemoveReference(CZrMessageReader& reader);
    const std::vector<CZrObjectRef>& References() const { return m_references; }
    const CZrItemTable& Items() const { return m_items; }

    // Send queue of places waiting to send their login or enter request:
    // one place at a time, when the connection is up and its socket idle.
    void Queue(IZrQueuedPlace* place);
    void Unqueue(IZrQueuedPlace* place);
    void SendNext();

    // The server's answer to the hello, read after major and minor. For a
    // new session: references, community items and the window id; after a
    // resumption: the number of the client's messages the server has, given
    // back in `received`. 0 accepts, kHelloRefused refuses.
    int32_t CheckHello(CZrMessageReader& reader, uint32_t& received);

protected:
    // The session of a new connection is ready (never after a resumption).
    virtual void OnSessionReady();
    // The connection ended; raised once for every Connect that started.
    virtual void OnDisconnected(int32_t reason);

private:
    friend class CZrServerSocket;

    // What the session tells its owner.
    class SessionOwner : public IZrSessionOwner {
    public:
        explicit SessionOwner(CZrServerConnection& connection) : m_connection(connection) {}
        void OnSessionReady(CZrSession& session) override;
        void OnSessionEnded(int32_t reason) override;
        int32_t ReasonForBroken(int32_t code) override;
        void StartReconnect() override;

    private:
        CZrServerConnection& m_connection;
    };

    // Steps driven by the socket.
    void OnAddresses(const std::vector<CTvlIpAddress>& addresses);
    void OnLookupFailed(int32_t code);
    void OnConnectFailed(int32_t code);
    void OnFirstFrame(CZrServerSocket& socket, const uint8_t* bytes);
    void DeliverFrame(CZrSession& session, uint32_t length, const uint8_t* bytes);
    void BreakSession(CZrSession& session, int32_t code);

    // Counts the calls into a session on the stack; ended sessions are
    // deleted when the last one returns.
    class SessionCall {
    public:
        explicit SessionCall(CZrServerConnection& connection);
        ~SessionCall();
        SessionCall(const SessionCall&) = delete;
        SessionCall& operator=(const SessionCall&) = delete;

    private:
        CZrServerConnection& m_connection;
    };

    void ResolveServer();
    void TakeAddresses(const std::vector<CTvlIpAddress>& addresses);
    void ConnectCurrent();
    int32_t ConnectSocket(CZrServerSocket& socket);
    // A new registered socket, or nullptr with the creation code.
    CZrServerSocket* NewSocket(int32_t& code);
    bool ReplaceSocket();
    void ReleaseSocket();
    void StartReconnect();
    void OnSessionEnded(int32_t reason);
    // Ends the connection with a library code met on the way up.
    void Fail(int32_t code);
    void Reset();
    void DropSession();
    int32_t CheckNewHello(CZrMessageReader& reader);

    CUcmManager& m_manager;
    IZrSessionHandler* m_handler;
    SessionOwner m_sessionOwner;
    State m_state = kIdle;
    CZrServerSocket* m_socket = nullptr;
    std::string m_host;
    uint32_t m_address = CTvlIpAddress::kUnknown;
    uint16_t m_port = 0;
    CZrServerAddress m_settings;
    std::deque<uint32_t> m_addresses;
    std::unique_ptr<CZrSession> m_session;
    // Sessions that ended; deleted once the call that ended them is over.
    std::vector<std::unique_ptr<CZrSession>> m_endedSessions;
    int32_t m_sessionCalls = 0;
    CZrItemTable m_items;
    std::vector<CZrObjectRef> m_references;
    std::deque<IZrQueuedPlace*> m_sendQueue;
    bool m_newSessionAccepted = false;
};
