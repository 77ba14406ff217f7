// A Windows Sockets socket behind the transports' socket seam. It owns the
// handle and closes it when destroyed.
#pragma once

#include "INetSocket.h"

#include <winsock2.h>

class WinsockNetSocket : public INetSocket
{
public:
    explicit WinsockNetSocket(SOCKET handle) : m_handle(handle) {}
    ~WinsockNetSocket() override;
    WinsockNetSocket(const WinsockNetSocket&) = delete;
    WinsockNetSocket& operator=(const WinsockNetSocket&) = delete;

    bool Send(const uint8_t* bytes, size_t length) override;
    int32_t Receive(uint8_t* buffer, size_t capacity) override;
    int32_t LastError() const override { return m_lastError; }

    SOCKET Handle() const { return m_handle; }
    // The local port the socket is bound to, 0 when unknown.
    int32_t LocalPort() const;

private:
    SOCKET m_handle;
    int32_t m_lastError = 0;
};
