#include "PosixNetSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

PosixNetSocket::~PosixNetSocket()
{
    close(m_descriptor);
}

int32_t PosixNetSocket::ErrorNumber(int code)
{
    if (code == ETIMEDOUT)
        return NetError::kTimedOut;
    if (code == ECONNREFUSED)
        return NetError::kRefused;
    return code;
}

bool PosixNetSocket::Send(const uint8_t* bytes, size_t length)
{
    const ssize_t sent = send(m_descriptor, bytes, length, MSG_NOSIGNAL);
    if (sent == static_cast<ssize_t>(length))
        return true;
    m_lastError = sent < 0 ? ErrorNumber(errno) : EMSGSIZE;
    return false;
}

int32_t PosixNetSocket::Receive(uint8_t* buffer, size_t capacity)
{
    const ssize_t received = recv(m_descriptor, buffer, capacity, MSG_DONTWAIT);
    if (received < 0) {
        m_lastError = ErrorNumber(errno);
        return -1;
    }
    return static_cast<int32_t>(received);
}

int32_t PosixNetSocket::LocalPort() const
{
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (getsockname(m_descriptor, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}
