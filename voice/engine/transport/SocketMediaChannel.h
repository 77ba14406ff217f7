// A media channel on its own socket: datagrams (the normal case) or a TCP
// stream (the fallback when the server's test datagrams do not arrive).
#pragma once

#include "INetSocket.h"
#include "MediaChannel.h"

#include <array>
#include <memory>
#include <string>

class SocketMediaChannel : public MediaChannel
{
public:
    explicit SocketMediaChannel(INetSocketFactory& sockets);

    bool Create(int32_t localPort, bool datagram) override;
    void Close() override;
    bool SendBytes(const uint8_t* bytes, size_t length) override;
    int32_t LastError() const override { return m_lastError; }
    bool Open(const std::string& host, int32_t port, bool datagram) override;
    bool SendPacket(std::unique_ptr<Packet> packet) override;

    // The socket has bytes waiting: reads them and parses. False when the
    // socket failed or the peer closed the stream.
    bool OnReadable();

    INetSocket* Socket() const { return m_socket.get(); }
    const std::string& Host() const { return m_host; }
    int32_t Port() const { return m_port; }
    bool IsDatagram() const { return m_datagram; }

private:
    bool Keep(std::unique_ptr<INetSocket> socket, int32_t error);

    INetSocketFactory& m_sockets;
    std::unique_ptr<INetSocket> m_socket;
    std::string m_host;
    int32_t m_port = 0;
    bool m_datagram = true;
    int32_t m_lastError = 0;
    std::array<uint8_t, kBufferSize> m_readBuffer{};
};
