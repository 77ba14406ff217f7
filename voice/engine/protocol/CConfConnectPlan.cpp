#include "CConfConnectPlan.h"

CConfConnectPlan::CConfConnectPlan(IConfConnectAttempts& attempts) : m_attempts(attempts)
{
}

void CConfConnectPlan::Start(int32_t tunnel, const std::string& server)
{
    std::lock_guard<std::mutex> guard(m_lock);
    m_server = server;
    m_directFailed = false;
    if (tunnel == kTunnelOnly) {
        m_tunnelInUse = true;
        StartLocked(kTunnelPort);
        return;
    }
    m_tunnelInUse = false;
    StartLocked(kDirectPort);
    if (tunnel != 0 && !m_timerPending) {
        m_timerPending = true;
        m_attempts.StartTunnelTimer(kTunnelDelay);
    }
}

void CConfConnectPlan::OnTunnelTimer(bool connected)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (!m_timerPending)
        return;
    m_timerPending = false;
    if (!connected)
        StartLocked(kTunnelPort);
}

bool CConfConnectPlan::OnConnected(int32_t port)
{
    std::lock_guard<std::mutex> guard(m_lock);
    const bool wanted = port == kTunnelPort ? m_tunnelRunning : port == kDirectPort && m_directRunning;
    if (!wanted)
        return false;
    StopAllLocked();
    m_tunnelInUse = port == kTunnelPort;
    return true;
}

bool CConfConnectPlan::OnConnectFailed(int32_t port)
{
    std::lock_guard<std::mutex> guard(m_lock);
    if (port == kAllAttempts) {
        StopAllLocked();
        return false;
    }
    if (port == kDirectPort && m_directRunning) {
        StopLocked(kDirectPort);
        m_directFailed = true;
        return !m_timerPending && !m_tunnelRunning && !m_tunnelInUse;
    }
    if (port == kTunnelPort && m_tunnelRunning) {
        StopLocked(kTunnelPort);
        return m_directFailed || m_tunnelInUse;
    }
    return false;
}

void CConfConnectPlan::StopAll()
{
    std::lock_guard<std::mutex> guard(m_lock);
    StopAllLocked();
}

bool CConfConnectPlan::TunnelInUse() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_tunnelInUse;
}

std::string CConfConnectPlan::Server() const
{
    std::lock_guard<std::mutex> guard(m_lock);
    return m_server;
}

void CConfConnectPlan::StartLocked(int32_t port)
{
    bool& running = port == kTunnelPort ? m_tunnelRunning : m_directRunning;
    if (running)
        return;
    running = true;
    m_attempts.StartAttempt(m_server, port);
}

void CConfConnectPlan::StopLocked(int32_t port)
{
    bool& running = port == kTunnelPort ? m_tunnelRunning : m_directRunning;
    if (!running)
        return;
    running = false;
    m_attempts.StopAttempt(port);
}

void CConfConnectPlan::StopAllLocked()
{
    if (m_timerPending) {
        m_timerPending = false;
        m_attempts.KillTunnelTimer();
    }
    StopLocked(kDirectPort);
    StopLocked(kTunnelPort);
}
