// CUcmConnection: one framed TCP connection of the socket manager.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "TvlByteQueue.h"
#include "TvlIpAddress.h"
#include "UcmFrameReader.h"
#include "UcmPostLinkStarter.h"
#include "UcmPostTunnel.h"
#include "UcmProxyHandshake.h"
#include "UcmSocket.h"
#include "ZrServerAddress.h"

// Runs on the one thread that receives the socket events. The reactor turns
// events into calls of OnReadEvent, OnWriteEvent, OnCloseEvent and
// OnLookupDone; the owner hears the outcome through the notifications, which
// do nothing here.
//
// The manager deletes a connection once IsFinished holds, which is never
// while one of its handlers or notifications is on the stack: busy counts
// them, and a close that arrives meanwhile waits as the deferred code.
class CUcmPostLink;

class CUcmConnection : public CUcmSocket, private IUcmPostLinkStarter {
public:
    enum State : int32_t {
        kNew = 0,
        kResolving = 1,
        kConnecting = 2,
        kConnected = 3,
        kClosing = 4,
        kClosed = 5,
    };

    // Option bits.
    static constexpr uint8_t kKeepAlive = CUcmFrameReader::kKeepAlive;
    static constexpr uint8_t kSequence = CUcmFrameReader::kSequence;

    // Creates the socket. When that fails the connection stays in state 5
    // without socket and CreationCode gives the library code.
    CUcmConnection(CUcmManager& manager, uint8_t options);
    ~CUcmConnection() override;

    State GetState() const { return m_state; }
    int32_t CreationCode() const { return m_creationCode; }
    bool IsFinished() const { return m_state == kClosed && m_busy == 0; }
    uint64_t GetLookupHandle() const { return m_lookupHandle; }
    const std::string& PeerName() const { return m_peerName; }
    uint32_t QueuedBytes() const { return m_output.Size(); }
    uint32_t StuckTicks() const { return m_stuckTicks; }

    // A dotted address answers at once with OnAddresses; a name starts the
    // asynchronous look-up (state 1). 1 when not in state 0, else 0.
    int32_t Resolve(const char* name);
    // Starts connecting to `address` (network order) and `port`. 1 when not
    // in state 0, without socket or with an unknown address; else 0, and the
    // outcome arrives as a notification (OnConnected may come before this
    // returns).
    int32_t Connect(const char* peerName, uint32_t address, uint16_t port);
    // Connects as the settings say: directly to `address` on the settings'
    // target port or else `port` (network order), or to the proxy, which is
    // asked for that target once the TCP connection is up. `address` may be
    // unknown when the proxy kind resolves names. 1 when nothing was done.
    int32_t Connect(const char* peerName, uint32_t address, uint16_t port, const CZrServerAddress& settings);
    const CZrServerAddress& Settings() const { return m_settings; }
    // Frames and queues one message: prefix and body follow each other.
    void Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body, uint32_t bodyLength);
    // Graceful close: in state 3 an empty frame is queued and, once the queue
    // has been sent, the socket goes to the manager's drain (the peer reads
    // all of it, and our socket is closed only when the peer has closed or
    // the bound has passed); input that arrives meanwhile is thrown away.
    // The primary of a tunnel sends no empty frame: it ends once its
    // secondaries have carried what is queued. In other states the
    // connection ends at once.
    void Close();

    // Marks the connection busy around work of the owner that may send; the
    // last EndBusy raises OnIdle when nothing else is pending.
    void BeginBusy() { Enter(); }
    void EndBusy() { Leave(true); }
    bool IsBusy() const { return m_busy != 0; }

    // Entry points of the reactor and the timers.
    virtual void OnReadEvent();
    virtual void OnWriteEvent();
    virtual void OnCloseEvent(int32_t code);
    // `code` 0 with the addresses found, or the library code of a failure.
    virtual void OnLookupDone(int32_t code, const std::vector<uint32_t>& addresses);
    virtual void KeepAliveTick();
    virtual void SelectPoll();

protected:
    // The handshake to run once the TCP connection to the proxy is up.
    virtual std::unique_ptr<CUcmProxyHandshake> MakeHandshake(const UcmProxyTarget& target);
    // The proxy's reply passed, just before the connection counts as
    // connected.
    virtual void OnHandshakePassed(CUcmProxyHandshake& handshake);

    // Notifications to the owner.
    virtual void OnAddresses(const std::vector<CTvlIpAddress>& addresses);
    virtual void OnLookupFailed(int32_t code);
    virtual void OnConnected();
    virtual void OnConnectFailed(int32_t code);
    virtual void OnFrame(uint32_t length, const uint8_t* bytes);
    virtual void OnBroken(int32_t code);
    virtual void OnIdle();

    // Ends the connection with a library code; reported once, through the
    // notification of the state it had.
    void Fail(int32_t code);
    // Fails after a hard error of the socket, which is closed at once:
    // nothing more can go through it.
    void FailOnSocketError(int32_t defaultCode, int32_t error);

    // 1 for an ordinary connection, 0 for the secondary of a tunnel.
    int32_t m_primary = 1;

private:
    friend class CUcmPostLink;
    struct PendingConnect {
        uint32_t phase;
        uint32_t address;
        uint16_t port;
    };

    void Enter() { ++m_busy; }
    // The last Leave applies a deferred close code, or selects the mask again
    // when an event arrived meanwhile, or else (after a read or write event,
    // `raiseIdle`) raises OnIdle.
    void Leave(bool raiseIdle = false);
    int32_t ConnectTo(const char* peerName, uint32_t connectAddress, uint16_t connectPort, uint32_t targetAddress,
                      uint16_t targetPort);
    void StartHandshake();
    void FeedHandshake();
    bool IsTunnel() const { return m_settings.kind == CZrServerAddress::kHttpPost; }
    bool IsTunnelPrimary() const { return m_tunnel != nullptr; }
    int32_t StartPostLink(CUcmPostTunnel& tunnel) override;
    void ForgetSecondary(CUcmPostLink* link);
    void CloseSecondary();
    // A tunnel's output waits for a secondary; a failure to start one fails
    // the connection. A closing primary ends once nothing is queued and no
    // secondary runs.
    void FlushTunnel();
    // The running secondary's reply passed with this tunnel id.
    void OnPostLinkReply(uint32_t tunnelId);
    void HandleRead();
    // Receives once; false when nothing more can be read now. Outside a
    // drain a peer close or a hard error fails the connection.
    bool ReceiveOnce(bool draining);
    void DeliverFrames();
    void ReportFramingFailure();
    void HandleWrite();
    bool SendQueued();
    // While closing: reads and throws away what the peer still sends.
    void DiscardInput();
    // A close event while closing: what is left is sent if the peer still
    // takes it.
    void ContinueClosing();
    bool IsTcpUp() const;
    // Ends the socket: drained by the manager once the TCP connection is up,
    // else closed at once.
    void EndSocket();
    // Delivers what the buffer and the socket still hold (the peer's last
    // message tells why it closed), then fails with `code`.
    void FinishClosed(int32_t code);
    void CloseSocket();
    void QueueSequenceByte();
    void QueueLength(uint32_t length);
    int32_t SelectOrFail(uint32_t mask);

    State m_state = kNew;
    int32_t m_creationCode = 0;
    uint64_t m_lookupHandle = 0;
    bool m_pending = false;
    PendingConnect m_connect = {};
    int32_t m_busy = 0;
    int32_t m_deferredCode = 0;
    int32_t m_eventWhileBusy = 0;
    uint8_t m_options;
    uint16_t m_stuckTicks = 0;
    int32_t m_progress = 0;
    bool m_peerEnded = false;
    uint8_t m_sendSequence = 0;
    CUcmFrameReader m_reader;
    CTvlByteQueue m_output;
    std::string m_peerName;
    CZrServerAddress m_settings;
    UcmProxyTarget m_target = {};
    std::unique_ptr<CUcmProxyHandshake> m_handshake;
    std::unique_ptr<CUcmPostTunnel> m_tunnel;
    CUcmPostLink* m_secondary = nullptr;
};
