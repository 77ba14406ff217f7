// A POSIX socket behind the transports' socket seam, for the native tree:
// the tests wait on its descriptor and tell the channel when it is readable.
#pragma once

#include "INetSocket.h"

class PosixNetSocket : public INetSocket
{
public:
    explicit PosixNetSocket(int descriptor) : m_descriptor(descriptor) {}
    ~PosixNetSocket() override;
    PosixNetSocket(const PosixNetSocket&) = delete;
    PosixNetSocket& operator=(const PosixNetSocket&) = delete;

    bool Send(const uint8_t* bytes, size_t length) override;
    int32_t Receive(uint8_t* buffer, size_t capacity) override;
    int32_t LastError() const override { return m_lastError; }

    int Descriptor() const { return m_descriptor; }
    // The local port the socket is bound to, 0 when unknown.
    int32_t LocalPort() const;

    // errno in the Windows Sockets form where the transports look at it.
    static int32_t ErrorNumber(int code);

private:
    int m_descriptor;
    int32_t m_lastError = 0;
};
