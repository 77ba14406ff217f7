#include "TunnelControlChannel.h"

#include "TunnelRequest.h"

#include <vector>

TunnelControlChannel::TunnelControlChannel(std::unique_ptr<INetSocket> socket,
                                           IControlLineSink& sink)
    : ControlChannel(std::move(socket)), m_sink(sink)
{
    m_connection.SetSocket(Socket());
    m_media.Link(&m_connection);
}

bool TunnelControlChannel::SendLine(const std::string& text, int32_t& errorCode)
{
    return m_connection.Post(TunnelRequest::kTextType, text.data(), text.size(), errorCode);
}

void TunnelControlChannel::Close()
{
    m_connection.SetSocket(nullptr);
    ControlChannel::Close();
}

bool TunnelControlChannel::OnReadable()
{
    std::vector<TunnelResponse> responses;
    bool tooLong = false;
    const bool open = m_connection.Read(responses, tooLong);
    for (const TunnelResponse& response : responses)
        TakeBody(response);
    if (tooLong)
        m_sink.OnTooLong(m_connection.BadLength());
    return open;
}

void TunnelControlChannel::TakeBody(const TunnelResponse& response)
{
    const std::string& body = response.body;
    if (response.kind == TunnelResponse::Kind::Text)
        m_sink.OnLine(body.data(), body.size());
    else
        m_media.ReceiveDatagram(reinterpret_cast<const uint8_t*>(body.data()), body.size());
}
