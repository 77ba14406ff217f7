#include "WinsockNetSocket.h"

#include <climits>

WinsockNetSocket::~WinsockNetSocket()
{
    closesocket(m_handle);
}

bool WinsockNetSocket::Send(const uint8_t* bytes, size_t length)
{
    if (length > INT_MAX) {
        m_lastError = WSAEMSGSIZE;
        return false;
    }
    const int sent =
        send(m_handle, reinterpret_cast<const char*>(bytes), static_cast<int>(length), 0);
    if (sent == static_cast<int>(length))
        return true;
    m_lastError = sent == SOCKET_ERROR ? WSAGetLastError() : WSAEMSGSIZE;
    return false;
}

int32_t WinsockNetSocket::Receive(uint8_t* buffer, size_t capacity)
{
    const int wanted = capacity > INT_MAX ? INT_MAX : static_cast<int>(capacity);
    const int received = recv(m_handle, reinterpret_cast<char*>(buffer), wanted, 0);
    if (received == SOCKET_ERROR) {
        m_lastError = WSAGetLastError();
        return -1;
    }
    return received;
}

int32_t WinsockNetSocket::LocalPort() const
{
    sockaddr_in address{};
    int size = sizeof address;
    if (getsockname(m_handle, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return 0;
    return ntohs(address.sin_port);
}
