// The connection machinery the connect plan drives: one attempt per port
// (direct on 3450, the HTTP tunnel on 80) and the one-shot tunnel timer.
#pragma once

#include <cstdint>
#include <string>

class IConfConnectAttempts
{
public:
    virtual ~IConfConnectAttempts() = default;

    virtual void StartAttempt(const std::string& server, int32_t port) = 0;
    // Asks the attempt to quit and waits for it.
    virtual void StopAttempt(int32_t port) = 0;
    virtual void StartTunnelTimer(uint32_t milliseconds) = 0;
    virtual void KillTunnelTimer() = 0;
};
