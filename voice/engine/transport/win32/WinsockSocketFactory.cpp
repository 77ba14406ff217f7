#include "WinsockSocketFactory.h"

#include "WinsockNetSocket.h"

#include <ws2tcpip.h>

namespace {

int SocketType(bool datagram)
{
    return datagram ? SOCK_DGRAM : SOCK_STREAM;
}

std::unique_ptr<INetSocket> Fail(SOCKET handle, int32_t& error)
{
    error = WSAGetLastError();
    if (handle != INVALID_SOCKET)
        closesocket(handle);
    return nullptr;
}

} // namespace

WinsockSocketFactory::WinsockSocketFactory()
{
    WSADATA data;
    m_started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

WinsockSocketFactory::~WinsockSocketFactory()
{
    if (m_started)
        WSACleanup();
}

std::unique_ptr<INetSocket> WinsockSocketFactory::Bind(int32_t localPort, bool datagram,
                                                       int32_t& error)
{
    const SOCKET handle = socket(AF_INET, SocketType(datagram), 0);
    if (handle == INVALID_SOCKET)
        return Fail(handle, error);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(localPort));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(handle, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return Fail(handle, error);
    if (!datagram && listen(handle, 1) != 0)
        return Fail(handle, error);
    return std::make_unique<WinsockNetSocket>(handle);
}

std::unique_ptr<INetSocket> WinsockSocketFactory::Connect(const std::string& host, int32_t port,
                                                          bool datagram, int32_t& error)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SocketType(datagram);
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = WSAGetLastError();
        return nullptr;
    }
    const SOCKET handle = socket(AF_INET, SocketType(datagram), 0);
    const bool connected =
        handle != INVALID_SOCKET &&
        connect(handle, found->ai_addr, static_cast<int>(found->ai_addrlen)) == 0;
    const int32_t connectError = connected ? 0 : WSAGetLastError();
    freeaddrinfo(found);
    if (!connected) {
        if (handle != INVALID_SOCKET)
            closesocket(handle);
        error = connectError;
        return nullptr;
    }
    if (!datagram) {
        // Diagnostics only: refused to users without the right, never fatal.
        const BOOL on = TRUE;
        setsockopt(handle, SOL_SOCKET, SO_DEBUG, reinterpret_cast<const char*>(&on), sizeof on);
    }
    return std::make_unique<WinsockNetSocket>(handle);
}
