#include "UcmSocketDrain.h"

#include <algorithm>

#include "TvlDebugSwitch.h"
#include "UcmError.h"

namespace {

// Reads per event: a peer that keeps sending cannot hold the thread; the
// port reports the rest as a new event.
constexpr int kReadsPerEvent = 16;

int SocketNumber(UcmSocketHandle socket)
{
    return static_cast<int>(socket);
}

} // namespace

CUcmSocketDrain::CUcmSocketDrain(IUcmPort& port) : m_port(port)
{
}

CUcmSocketDrain::~CUcmSocketDrain()
{
    for (const Held& held : m_held)
        m_port.CloseSocket(held.socket);
    if (!m_held.empty())
        m_port.RunCloseTimer(false);
}

void CUcmSocketDrain::End(UcmSocketHandle socket)
{
    if (socket == kUcmNoSocket || Holds(socket))
        return;
    if (m_port.ShutdownSend(socket) != 0 || Drain(socket)
        || m_port.Select(socket, UcmEvent::kRead | UcmEvent::kClose) != 0) {
        m_port.CloseSocket(socket);
        return;
    }
    TvlTraces().ucmDebug.Trace("Draining socket %d", SocketNumber(socket));
    m_held.push_back({socket, kBoundTicks});
    if (m_held.size() == 1)
        m_port.RunCloseTimer(true);
}

bool CUcmSocketDrain::Holds(UcmSocketHandle socket) const
{
    return std::any_of(m_held.begin(), m_held.end(), [socket](const Held& held) { return held.socket == socket; });
}

void CUcmSocketDrain::OnEvent(UcmSocketHandle socket)
{
    for (size_t i = 0; i < m_held.size(); ++i) {
        if (m_held[i].socket == socket) {
            if (Drain(socket))
                Close(i);
            return;
        }
    }
}

void CUcmSocketDrain::Tick()
{
    for (size_t i = m_held.size(); i-- > 0;) {
        if (--m_held[i].ticksLeft == 0) {
            TvlTraces().ucmDebug.Trace("Socket %d closed without the peer's end", SocketNumber(m_held[i].socket));
            Close(i);
        }
    }
}

bool CUcmSocketDrain::Drain(UcmSocketHandle socket)
{
    for (int reads = 0; reads < kReadsPerEvent; ++reads) {
        const int32_t received = m_port.Receive(socket, m_discard.data(), static_cast<uint32_t>(m_discard.size()));
        if (received > 0)
            continue;
        if (received == 0)
            return true;
        const int32_t error = m_port.LastError();
        return error != UcmSys::kWouldBlock && error != UcmSys::kInterrupted;
    }
    return false;
}

void CUcmSocketDrain::Close(size_t index)
{
    m_port.CloseSocket(m_held[index].socket);
    m_held.erase(m_held.begin() + static_cast<std::ptrdiff_t>(index));
    if (m_held.empty())
        m_port.RunCloseTimer(false);
}
