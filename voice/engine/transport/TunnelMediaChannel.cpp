#include "TunnelMediaChannel.h"

#include "TunnelRequest.h"

bool TunnelMediaChannel::SendPacket(std::unique_ptr<Packet> packet)
{
    if (!m_connection)
        return false;
    const std::vector<uint8_t>& bytes = packet->Bytes();
    return m_connection->Post(TunnelRequest::kAudioType, bytes.data(), bytes.size(),
                              m_lastError);
}
