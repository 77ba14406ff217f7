#include "UcmWinsockPort.h"

#include <cstring>

#include "TvlDebugSwitch.h"
#include "UcmError.h"
#include "UcmSocketDrain.h"

namespace {

constexpr WORD kVersion = MAKEWORD(1, 1);

SOCKET ToSocket(UcmSocketHandle socket)
{
    return static_cast<SOCKET>(socket);
}

} // namespace

CUcmWinsockPort::CUcmWinsockPort()
{
    Start();
}

CUcmWinsockPort::~CUcmWinsockPort()
{
    Stop();
}

void CUcmWinsockPort::Start()
{
    WSADATA data = {};
    const int error = WSAStartup(kVersion, &data);
    if (error != 0) {
        TvlTraces().ucmKernel.Trace("Winsock error = %d", error);
        return;
    }
    m_started = true;
    const TvlTraceSwitches& traces = TvlTraces();
    traces.ucmDebug.Trace("Winsock version: %d", static_cast<int>(data.wVersion));
    traces.ucmDebug.Trace("Description:     %s", data.szDescription);
    traces.ucmDebug.Trace("Status:          %s", data.szSystemStatus);
    traces.ucmDebug.Trace("Max sockets:     %d\n", static_cast<int>(data.iMaxSockets));
}

void CUcmWinsockPort::Stop()
{
    if (m_started)
        WSACleanup();
    m_started = false;
}

void CUcmWinsockPort::RestartLibrary()
{
    Stop();
    Start();
}

int32_t CUcmWinsockPort::LastError()
{
    return WSAGetLastError();
}

UcmSocketHandle CUcmWinsockPort::CreateSocket()
{
    const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
    if (socket == INVALID_SOCKET)
        return kUcmNoSocket;
    u_long nonBlocking = 1;
    if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
        TvlTraces().ucmKernel.Trace("Make non blocking (%d) failed (%d)", static_cast<int>(socket),
                                    WSAGetLastError());
    }
    const BOOL on = TRUE;
    setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&on), sizeof on);
    return static_cast<UcmSocketHandle>(socket);
}

void CUcmWinsockPort::CloseSocket(UcmSocketHandle socket)
{
    closesocket(ToSocket(socket));
}

int32_t CUcmWinsockPort::ShutdownSend(UcmSocketHandle socket)
{
    return shutdown(ToSocket(socket), SD_SEND) == 0 ? 0 : -1;
}

void CUcmWinsockPort::RunCloseTimer(bool running)
{
    if (m_window == nullptr)
        return;
    if (running)
        SetTimer(m_window, kCloseTimer, CUcmSocketDrain::kTickMs, nullptr);
    else
        KillTimer(m_window, kCloseTimer);
}

int32_t CUcmWinsockPort::Connect(UcmSocketHandle socket, uint32_t address, uint16_t port)
{
    sockaddr_in peer = {};
    peer.sin_family = AF_INET;
    peer.sin_port = htons(port);
    std::memcpy(&peer.sin_addr, &address, sizeof address);
    // Events are asked for before connecting: an outcome that arrives
    // before the selection is otherwise never reported (a refusal on
    // loopback under Wine, for one).
    WSAAsyncSelect(ToSocket(socket), m_window, kSocketMessage, static_cast<long>(UcmEvent::kMaskConnecting));
    return connect(ToSocket(socket), reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0 ? 0 : -1;
}

int32_t CUcmWinsockPort::Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length)
{
    return recv(ToSocket(socket), reinterpret_cast<char*>(buffer), static_cast<int>(length), 0);
}

int32_t CUcmWinsockPort::Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length)
{
    return send(ToSocket(socket), reinterpret_cast<const char*>(bytes), static_cast<int>(length), 0);
}

int32_t CUcmWinsockPort::Select(UcmSocketHandle socket, uint32_t mask)
{
    return WSAAsyncSelect(ToSocket(socket), m_window, kSocketMessage, static_cast<long>(mask)) == 0 ? 0 : -1;
}

void CUcmWinsockPort::PostStart(UcmSocketHandle socket)
{
    if (!PostMessageA(m_window, kStartMessage, static_cast<WPARAM>(socket), 0)) {
        TvlTraces().ucmKernel.Trace("error posting start message for socket %d", static_cast<int>(socket));
    }
}

int32_t CUcmWinsockPort::StartLookup(const char* name, uint64_t& handle)
{
    auto buffer = std::make_unique<LookupBuffer>();
    const HANDLE request = WSAAsyncGetHostByName(m_window, kLookupMessage, name, buffer->data(), kLookupBufferSize);
    if (request == nullptr)
        return -1;
    handle = reinterpret_cast<uint64_t>(request);
    m_lookups[handle] = std::move(buffer);
    return 0;
}

void CUcmWinsockPort::CancelLookup(uint64_t handle)
{
    WSACancelAsyncRequest(reinterpret_cast<HANDLE>(handle));
}

std::vector<uint32_t> CUcmWinsockPort::FinishLookup(uint64_t handle, bool ok)
{
    std::vector<uint32_t> addresses;
    auto found = m_lookups.find(handle);
    if (found == m_lookups.end())
        return addresses;
    const std::unique_ptr<LookupBuffer> buffer = std::move(found->second);
    m_lookups.erase(found);
    if (!ok)
        return addresses;
    const auto* entry = reinterpret_cast<const hostent*>(buffer->data());
    if (entry->h_addrtype != AF_INET || entry->h_length != 4 || entry->h_addr_list == nullptr)
        return addresses;
    for (char** item = entry->h_addr_list; *item != nullptr; ++item) {
        uint32_t address = 0;
        std::memcpy(&address, *item, sizeof address);
        addresses.push_back(address);
    }
    return addresses;
}
