#include "UcmPollPort.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "TvlDebugValue.h"
#include "TvlSwitchSource.h"
#include "UcmError.h"
#include "UcmManager.h"

namespace {

int32_t WinsockError(int error)
{
    switch (error) {
    case EWOULDBLOCK: return UcmSys::kWouldBlock;
    case EINPROGRESS: return UcmSys::kWouldBlock;
    case EINTR: return UcmSys::kInterrupted;
    case EBADF: return UcmSys::kBadHandle;
    case EACCES: return UcmSys::kAccess;
    case EINVAL: return UcmSys::kInvalid;
    case EMFILE: return UcmSys::kTooManySockets;
    case EADDRINUSE: return UcmSys::kAddressInUse;
    case ENETDOWN: return UcmSys::kNetDown;
    case ENETUNREACH: return UcmSys::kNetUnreachable;
    case ENETRESET: return UcmSys::kNetReset;
    case ECONNABORTED: return UcmSys::kConnAborted;
    case ECONNRESET: return UcmSys::kConnReset;
    case EPIPE: return UcmSys::kConnReset;
    case ENOBUFS: return UcmSys::kNoBuffers;
    case EISCONN: return UcmSys::kIsConnected;
    case ENOTCONN: return UcmSys::kNotConnected;
    case ESHUTDOWN: return UcmSys::kShutDown;
    case ETIMEDOUT: return UcmSys::kTimedOut;
    case ECONNREFUSED: return UcmSys::kConnRefused;
    case EHOSTDOWN: return UcmSys::kHostDown;
    case EHOSTUNREACH: return UcmSys::kHostUnreachable;
    default: return error;
    }
}

int32_t LookupError(int error)
{
    switch (error) {
    case EAI_NONAME: return UcmSys::kHostNotFound;
    case EAI_AGAIN: return UcmSys::kTryAgain;
    default: return UcmSys::kNoRecovery;
    }
}

int SocketError(int fd)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return errno;
    return error;
}

} // namespace

CUcmPollPort::CUcmPollPort() = default;

CUcmPollPort::~CUcmPollPort()
{
    for (const auto& entry : m_watches)
        close(entry.first);
}

void CUcmPollPort::Attach(CUcmManager& manager, std::chrono::milliseconds keepAlive)
{
    m_manager = &manager;
    m_timers.clear();
    const Clock::time_point now = Clock::now();
    m_timers.push_back({keepAlive, now + keepAlive, [this] { m_manager->KeepAliveTimer(); }});
    const std::chrono::milliseconds closeTick(CUcmSocketDrain::kTickMs);
    m_closeTimer = m_timers.size();
    m_timers.push_back({closeTick, now + closeTick, [this] { m_manager->CloseTimer(); }, false});
    const int32_t seconds = CTvlDebugValue(TvlKey::UcmSelectTimer, kTvlDefaultSelectTimer).Value();
    if (seconds != 0) {
        const std::chrono::milliseconds every = std::chrono::seconds(seconds);
        m_timers.push_back({every, now + every, [this] { m_manager->SelectTimer(); }});
    }
}

void CUcmPollPort::AddHost(const std::string& name, const std::vector<uint32_t>& addresses)
{
    m_hosts[name] = addresses;
}

void CUcmPollPort::WatchInput(int fd, std::function<void()> onReadable)
{
    m_inputs[fd] = std::move(onReadable);
}

void CUcmPollPort::SetError(int error)
{
    m_lastError = WinsockError(error);
}

UcmSocketHandle CUcmPollPort::CreateSocket()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        SetError(errno);
        return kUcmNoSocket;
    }
    const int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    Watch watch;
    watch.serial = m_nextSerial++;
    m_watches[fd] = watch;
    return static_cast<UcmSocketHandle>(fd);
}

void CUcmPollPort::CloseSocket(UcmSocketHandle socket)
{
    const int fd = static_cast<int>(socket);
    if (m_watches.erase(fd) != 0)
        close(fd);
}

int32_t CUcmPollPort::ShutdownSend(UcmSocketHandle socket)
{
    if (shutdown(static_cast<int>(socket), SHUT_WR) != 0) {
        SetError(errno);
        return -1;
    }
    return 0;
}

void CUcmPollPort::RunCloseTimer(bool running)
{
    if (m_closeTimer >= m_timers.size())
        return;
    Timer& timer = m_timers[m_closeTimer];
    if (running && !timer.running)
        timer.due = Clock::now() + timer.every;
    timer.running = running;
}

int32_t CUcmPollPort::Connect(UcmSocketHandle socket, uint32_t address, uint16_t port)
{
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    std::memcpy(&peer.sin_addr, &address, sizeof address);
    const int fd = static_cast<int>(socket);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0)
        return 0;
    SetError(errno);
    if (errno == EINPROGRESS)
        m_watches[fd].connecting = true;
    return -1;
}

int32_t CUcmPollPort::Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length)
{
    const int fd = static_cast<int>(socket);
    auto found = m_watches.find(fd);
    if (found != m_watches.end()) {
        found->second.readArmed = true;
        found->second.readBlocked = false;
    }
    const ssize_t received = recv(fd, buffer, length, 0);
    if (received < 0) {
        SetError(errno);
        return -1;
    }
    return static_cast<int32_t>(received);
}

int32_t CUcmPollPort::Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length)
{
    const int fd = static_cast<int>(socket);
    const ssize_t sent = send(fd, bytes, length, MSG_NOSIGNAL);
    if (sent < 0) {
        SetError(errno);
        auto found = m_watches.find(fd);
        if (found != m_watches.end() && m_lastError == UcmSys::kWouldBlock)
            found->second.writeArmed = true;
        return -1;
    }
    return static_cast<int32_t>(sent);
}

int32_t CUcmPollPort::Select(UcmSocketHandle socket, uint32_t mask)
{
    auto found = m_watches.find(static_cast<int>(socket));
    if (found == m_watches.end()) {
        m_lastError = UcmSys::kBadHandle;
        return -1;
    }
    Watch& watch = found->second;
    watch.mask = mask;
    watch.readArmed = true;
    watch.writeArmed = true;
    watch.closeReported = false;
    watch.readBlocked = false;
    return 0;
}

void CUcmPollPort::PostStart(UcmSocketHandle socket)
{
    m_posted.push_back([this, socket] { m_manager->DispatchStart(socket); });
}

int32_t CUcmPollPort::StartLookup(const char* name, uint64_t& handle)
{
    handle = m_nextLookup++;
    int32_t error = 0;
    std::vector<uint32_t> addresses;
    auto known = m_hosts.find(name);
    if (known != m_hosts.end()) {
        addresses = known->second;
    } else {
        addrinfo hints = {};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int result = getaddrinfo(name, nullptr, &hints, &found);
        if (result != 0) {
            error = LookupError(result);
        } else {
            for (addrinfo* entry = found; entry != nullptr; entry = entry->ai_next) {
                uint32_t address = 0;
                std::memcpy(&address, &reinterpret_cast<sockaddr_in*>(entry->ai_addr)->sin_addr, sizeof address);
                addresses.push_back(address);
            }
            freeaddrinfo(found);
        }
    }
    const uint64_t id = handle;
    m_posted.push_back([this, id, error, addresses] { m_manager->DispatchLookup(id, error, addresses); });
    return 0;
}

void CUcmPollPort::CancelLookup(uint64_t)
{
}

void CUcmPollPort::RestartLibrary()
{
}

void CUcmPollPort::RunPosted()
{
    std::deque<std::function<void()>> posted;
    posted.swap(m_posted);
    for (std::function<void()>& work : posted)
        work();
}

void CUcmPollPort::RunTimers()
{
    const Clock::time_point now = Clock::now();
    for (size_t i = 0; i < m_timers.size(); ++i) {
        if (!m_timers[i].running || m_timers[i].due > now)
            continue;
        m_timers[i].due = now + m_timers[i].every;
        m_timers[i].action();
    }
}

std::chrono::milliseconds CUcmPollPort::UntilNextTimer(std::chrono::milliseconds limit) const
{
    const Clock::time_point now = Clock::now();
    for (const Timer& timer : m_timers) {
        if (!timer.running)
            continue;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(timer.due - now);
        if (left < limit)
            limit = left < std::chrono::milliseconds(0) ? std::chrono::milliseconds(0) : left;
    }
    return limit;
}

void CUcmPollPort::RunOnce(std::chrono::milliseconds timeout)
{
    RunPosted();
    if (!m_posted.empty())
        timeout = std::chrono::milliseconds(0);
    std::vector<pollfd> fds;
    for (auto& [fd, watch] : m_watches) {
        short events = 0;
        if (watch.connecting) {
            events = POLLOUT;
        } else {
            const bool wantRead = (watch.mask & UcmEvent::kRead) && watch.readArmed;
            const bool wantClose = (watch.mask & UcmEvent::kClose) && !watch.closeReported && !watch.readBlocked;
            if (wantRead || wantClose)
                events |= POLLIN;
            if ((watch.mask & UcmEvent::kWrite) && watch.writeArmed)
                events |= POLLOUT;
        }
        if (events != 0 && watch.mask != 0)
            fds.push_back({fd, events, 0});
    }
    for (const auto& entry : m_inputs)
        fds.push_back({entry.first, POLLIN, 0});
    const int waited = poll(fds.data(), fds.size(), static_cast<int>(UntilNextTimer(timeout).count()));
    std::vector<Event> events;
    std::vector<int> inputs;
    for (int i = 0; waited > 0 && i < static_cast<int>(fds.size()); ++i) {
        if (fds[i].revents == 0)
            continue;
        if (m_inputs.count(fds[i].fd) != 0)
            inputs.push_back(fds[i].fd);
        else
            Collect(fds[i].fd, fds[i].revents, events);
    }
    for (const Event& event : events) {
        auto found = m_watches.find(static_cast<int>(event.socket));
        if (found != m_watches.end() && found->second.serial == event.serial)
            m_manager->DispatchEvent(event.socket, event.event, event.error);
    }
    for (int fd : inputs) {
        auto found = m_inputs.find(fd);
        if (found != m_inputs.end())
            found->second();
    }
    RunTimers();
}

void CUcmPollPort::Settle(std::chrono::milliseconds limit)
{
    const Clock::time_point deadline = Clock::now() + limit;
    while (!m_manager->IsSettled() && Clock::now() < deadline)
        RunOnce(std::chrono::milliseconds(20));
}

void CUcmPollPort::Collect(int fd, short revents, std::vector<Event>& events)
{
    Watch& watch = m_watches[fd];
    if (watch.connecting) {
        CollectConnect(fd, watch, events);
        return;
    }
    if (revents & (POLLIN | POLLERR | POLLHUP))
        CollectInput(fd, watch, events);
    if ((revents & POLLOUT) && (watch.mask & UcmEvent::kWrite) && watch.writeArmed) {
        watch.writeArmed = false;
        events.push_back({static_cast<UcmSocketHandle>(fd), watch.serial, UcmEvent::kWrite, 0});
    }
}

void CUcmPollPort::CollectConnect(int fd, Watch& watch, std::vector<Event>& events)
{
    watch.connecting = false;
    const UcmSocketHandle socket = static_cast<UcmSocketHandle>(fd);
    const int error = SocketError(fd);
    if (error != 0) {
        if (watch.mask & UcmEvent::kConnect)
            events.push_back({socket, watch.serial, UcmEvent::kConnect, WinsockError(error)});
        return;
    }
    if (watch.mask & UcmEvent::kConnect)
        events.push_back({socket, watch.serial, UcmEvent::kConnect, 0});
    if ((watch.mask & UcmEvent::kWrite) && watch.writeArmed) {
        watch.writeArmed = false;
        events.push_back({socket, watch.serial, UcmEvent::kWrite, 0});
    }
}

void CUcmPollPort::CollectInput(int fd, Watch& watch, std::vector<Event>& events)
{
    const UcmSocketHandle socket = static_cast<UcmSocketHandle>(fd);
    uint8_t byte = 0;
    const ssize_t peeked = recv(fd, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (peeked > 0) {
        if ((watch.mask & UcmEvent::kRead) && watch.readArmed) {
            watch.readArmed = false;
            events.push_back({socket, watch.serial, UcmEvent::kRead, 0});
        } else {
            watch.readBlocked = true;
        }
        return;
    }
    if (peeked < 0 && (errno == EWOULDBLOCK || errno == EINTR))
        return;
    const int32_t error = peeked < 0 ? WinsockError(errno) : 0;
    if ((watch.mask & UcmEvent::kClose) && !watch.closeReported) {
        watch.closeReported = true;
        events.push_back({socket, watch.serial, UcmEvent::kClose, error});
    } else {
        watch.readBlocked = true;
    }
}
