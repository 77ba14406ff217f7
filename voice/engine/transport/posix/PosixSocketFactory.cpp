#include "PosixSocketFactory.h"

#include "PosixNetSocket.h"

#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SocketType(bool datagram)
{
    return datagram ? SOCK_DGRAM : SOCK_STREAM;
}

std::unique_ptr<INetSocket> Fail(int descriptor, int32_t& error)
{
    error = PosixNetSocket::ErrorNumber(errno);
    if (descriptor >= 0)
        close(descriptor);
    return nullptr;
}

} // namespace

std::unique_ptr<INetSocket> PosixSocketFactory::Bind(int32_t localPort, bool datagram,
                                                     int32_t& error)
{
    const int descriptor = socket(AF_INET, SocketType(datagram), 0);
    if (descriptor < 0)
        return Fail(descriptor, error);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(localPort));
    address.sin_addr.s_addr = htonl(INADDR_ANY);
    if (bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        return Fail(descriptor, error);
    if (!datagram && listen(descriptor, 1) != 0)
        return Fail(descriptor, error);
    return std::make_unique<PosixNetSocket>(descriptor);
}

std::unique_ptr<INetSocket> PosixSocketFactory::Connect(const std::string& host, int32_t port,
                                                        bool datagram, int32_t& error)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SocketType(datagram);
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (getaddrinfo(host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = EHOSTUNREACH;
        return nullptr;
    }
    const int descriptor = socket(AF_INET, SocketType(datagram), 0);
    const bool connected =
        descriptor >= 0 && connect(descriptor, found->ai_addr, found->ai_addrlen) == 0;
    freeaddrinfo(found);
    if (!connected)
        return Fail(descriptor, error);
    if (!datagram) {
        // Diagnostics only: refused to users without the right, never fatal.
        const int on = 1;
        setsockopt(descriptor, SOL_SOCKET, SO_DEBUG, &on, sizeof on);
    }
    return std::make_unique<PosixNetSocket>(descriptor);
}
