// Makes Windows Sockets sockets for the transports (IPv4, blocking connect).
// Holds the process's Windows Sockets start-up while it lives.
#pragma once

#include "INetSocket.h"

class WinsockSocketFactory : public INetSocketFactory
{
public:
    WinsockSocketFactory();
    ~WinsockSocketFactory() override;
    WinsockSocketFactory(const WinsockSocketFactory&) = delete;
    WinsockSocketFactory& operator=(const WinsockSocketFactory&) = delete;

    std::unique_ptr<INetSocket> Bind(int32_t localPort, bool datagram, int32_t& error) override;
    std::unique_ptr<INetSocket> Connect(const std::string& host, int32_t port, bool datagram,
                                        int32_t& error) override;

private:
    bool m_started = false;
};
