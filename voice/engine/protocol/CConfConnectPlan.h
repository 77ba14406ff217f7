// Which connection attempts run: direct to port 3450, the HTTP tunnel on
// port 80, or direct first and the tunnel 500 ms later; and whether a failed
// attempt means the connection as a whole has failed. The tunnel timer fires
// on another thread, so every operation holds the plan's lock.
#pragma once

#include "IConfConnectAttempts.h"

#include <cstdint>
#include <mutex>
#include <string>

class CConfConnectPlan
{
public:
    static constexpr int32_t kDirectPort = 3450;
    static constexpr int32_t kTunnelPort = 80;
    static constexpr int32_t kTunnelOnly = 8618200;
    static constexpr int32_t kAllAttempts = -1;
    static constexpr uint32_t kTunnelDelay = 500;

    explicit CConfConnectPlan(IConfConnectAttempts& attempts);

    // tunnel: 0 direct only, 8618200 tunnel only, anything else both.
    void Start(int32_t tunnel, const std::string& server);
    // The tunnel timer fired; `connected` tells whether a channel is up.
    void OnTunnelTimer(bool connected);
    // An attempt connected: true when it is still wanted, after which every
    // attempt and the timer are stopped; false when its result comes too late.
    bool OnConnected(int32_t port);
    // An attempt failed: true when no other attempt remains, so the whole
    // connection has failed. kAllAttempts stops everything and gives false.
    bool OnConnectFailed(int32_t port);
    void StopAll();

    bool TunnelInUse() const;
    std::string Server() const;

private:
    void StartLocked(int32_t port);
    void StopLocked(int32_t port);
    void StopAllLocked();

    IConfConnectAttempts& m_attempts;
    mutable std::mutex m_lock;
    std::string m_server;
    bool m_directRunning = false;
    bool m_tunnelRunning = false;
    bool m_timerPending = false;
    bool m_tunnelInUse = false;
    bool m_directFailed = false;
};
