#include "SocketMediaChannel.h"

SocketMediaChannel::SocketMediaChannel(INetSocketFactory& sockets) : m_sockets(sockets)
{
}

bool SocketMediaChannel::Keep(std::unique_ptr<INetSocket> socket, int32_t error)
{
    m_socket = std::move(socket);
    m_lastError = m_socket ? 0 : error;
    return m_socket != nullptr;
}

bool SocketMediaChannel::Create(int32_t localPort, bool datagram)
{
    m_datagram = datagram;
    int32_t error = 0;
    auto socket = m_sockets.Bind(localPort, datagram, error);
    return Keep(std::move(socket), error);
}

void SocketMediaChannel::Close()
{
    m_socket.reset();
}

bool SocketMediaChannel::SendBytes(const uint8_t* bytes, size_t length)
{
    if (!m_socket)
        return false;
    if (m_socket->Send(bytes, length))
        return true;
    m_lastError = m_socket->LastError();
    return false;
}

bool SocketMediaChannel::Open(const std::string& host, int32_t port, bool datagram)
{
    m_host = host;
    m_port = port;
    m_datagram = datagram;
    ResetReceive();
    int32_t error = 0;
    auto socket = m_sockets.Connect(host, port, datagram, error);
    return Keep(std::move(socket), error);
}

bool SocketMediaChannel::SendPacket(std::unique_ptr<Packet> packet)
{
    const std::vector<uint8_t>& bytes = packet->Bytes();
    return SendBytes(bytes.data(), bytes.size());
}

bool SocketMediaChannel::OnReadable()
{
    if (!m_socket)
        return false;
    const int32_t received = m_socket->Receive(m_readBuffer.data(), m_readBuffer.size());
    if (received <= 0) {
        m_lastError = m_socket->LastError();
        return false;
    }
    const size_t length = static_cast<size_t>(received);
    if (m_datagram)
        ReceiveDatagram(m_readBuffer.data(), length);
    else
        Receive(m_readBuffer.data(), length);
    return true;
}
