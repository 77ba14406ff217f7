// Makes POSIX sockets for the transports (IPv4, blocking connect).
#pragma once

#include "INetSocket.h"

class PosixSocketFactory : public INetSocketFactory
{
public:
    std::unique_ptr<INetSocket> Bind(int32_t localPort, bool datagram, int32_t& error) override;
    std::unique_ptr<INetSocket> Connect(const std::string& host, int32_t port, bool datagram,
                                        int32_t& error) override;
};
