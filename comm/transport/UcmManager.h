// CUcmManager: the table of every connection of the socket manager.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "TvlObject.h"
#include "UcmPort.h"
#include "UcmSocketDrain.h"

class CUcmConnection;
class CUcmSocket;

// Connections are kept in 1024 buckets by socket value. The manager owns the
// registered connections and deletes them in CleanUp once they are finished.
// Every call runs on the thread that receives the socket events; the reactor
// calls the Dispatch functions and the two timer functions.
class CUcmManager : public CTvlObject {
public:
    static constexpr uint32_t kBucketCount = 1024;

    explicit CUcmManager(IUcmPort& port);
    CUcmManager(const CUcmManager&) = delete;
    CUcmManager& operator=(const CUcmManager&) = delete;
    ~CUcmManager() override;

    // The manager of the process, installed by the program; returns the
    // previous one. nullptr when none is installed.
    static CUcmManager* Install(CUcmManager* manager);
    static CUcmManager* Current();

    IUcmPort& Port() const { return m_port; }

    // 0, or 1 when the connection has no socket (its creator then deletes
    // it). Every sixth call first runs CleanUp.
    int32_t Register(CUcmConnection* connection);
    CUcmConnection* Find(UcmSocketHandle socket) const;
    // Deletes every finished connection; nothing while the table is walked.
    void CleanUp();
    uint32_t Used() const { return m_used; }
    uint32_t Count() const;

    // Selects the events of `mask` for the socket: 0, or a library code.
    int32_t Select(CUcmSocket& socket, uint32_t mask);
    // Starts a host look-up: 0 with the handle, or a library code.
    int32_t Lookup(const char* name, uint64_t& handle);
    void CancelLookup(uint64_t handle);
    void PostStart(UcmSocketHandle socket);
    // Restarts the socket library when no connection holds a socket and no
    // socket is being drained.
    void RestartIfIdle();
    // Ends a socket that its connection is done with: shut down, drained and
    // closed once the peer has closed or the bound has passed.
    void EndSocket(UcmSocketHandle socket) { m_drain.End(socket); }
    const CUcmSocketDrain& Drain() const { return m_drain; }
    // True when no connection is closing and no socket is drained: nothing
    // is left that the program should wait for before it ends.
    bool IsSettled() const;

    // The library code of a system error (0: the port's last error); the
    // error is kept as the last system error.
    int32_t MapError(int32_t defaultCode, int32_t systemError);
    int32_t LastSystemError() const { return m_lastSystemError; }

    // Keep-alive ticks of stuck output before a connection breaks
    // (UCM_TIMER_COUNT, read at the first call; 0 means 65535).
    uint32_t StuckTickLimit();

    // Timer 1283, every 60 s: KeepAliveTick on every connection, then CleanUp.
    void KeepAliveTimer();
    // Timer 1282: SelectPoll on every connection.
    void SelectTimer();
    // The close timer, while sockets are drained.
    void CloseTimer() { m_drain.Tick(); }
    // A socket event (event bits and the error word of the notification).
    void DispatchEvent(UcmSocketHandle socket, uint32_t event, int32_t error);
    void DispatchStart(UcmSocketHandle socket);
    // A finished look-up: the error word, and the addresses when it is 0.
    void DispatchLookup(uint64_t handle, int32_t error, const std::vector<uint32_t>& addresses);

private:
    template <typename Action> void ForEach(Action action);
    CUcmConnection* FindByLookup(uint64_t handle) const;

    IUcmPort& m_port;
    CUcmSocketDrain m_drain;
    std::array<CUcmSocket*, kBucketCount> m_buckets = {};
    uint32_t m_used = 0;
    uint32_t m_registerCalls = 0;
    int32_t m_walking = 0;
    int32_t m_lastSystemError = 0;
    uint32_t m_stuckTickLimit = 0;
};
