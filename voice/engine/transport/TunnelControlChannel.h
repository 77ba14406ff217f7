// The control channel through the HTTP tunnel (port 80): every line and
// every media packet is a POST request on one connection, and the server's
// lines and packets arrive as response bodies. One tunnel media channel
// serves as both the send side and the receive side.
#pragma once

#include "ControlChannel.h"
#include "IControlLineSink.h"
#include "TunnelConnection.h"
#include "TunnelMediaChannel.h"

class TunnelControlChannel : public ControlChannel
{
public:
    TunnelControlChannel(std::unique_ptr<INetSocket> socket, IControlLineSink& sink);

    bool SendLine(const std::string& text, int32_t& errorCode) override;
    bool OnReadable() override;
    void Close() override;
    TunnelMediaChannel& SendMedia() override { return m_media; }
    TunnelMediaChannel& ReceiveMedia() override { return m_media; }

    int32_t Session() const { return m_connection.Session(); }

private:
    // Hands a received body to the line handler or the media channel.
    void TakeBody(const TunnelResponse& response);

    IControlLineSink& m_sink;
    TunnelConnection m_connection;
    TunnelMediaChannel m_media;
};
