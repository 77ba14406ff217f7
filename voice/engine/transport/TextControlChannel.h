// The control channel on a direct TCP connection (port 3450): newline-ended
// text lines, and two socket media channels of its own.
#pragma once

#include "ControlChannel.h"
#include "ControlLineBuffer.h"
#include "IControlLineSink.h"
#include "SocketMediaChannel.h"

class TextControlChannel : public ControlChannel
{
public:
    TextControlChannel(std::unique_ptr<INetSocket> socket, IControlLineSink& sink,
                       INetSocketFactory& sockets);

    bool SendLine(const std::string& text, int32_t& errorCode) override;
    bool OnReadable() override;
    SocketMediaChannel& SendMedia() override { return m_sendMedia; }
    SocketMediaChannel& ReceiveMedia() override { return m_receiveMedia; }

private:
    IControlLineSink& m_sink;
    ControlLineBuffer m_lines;
    SocketMediaChannel m_sendMedia;
    SocketMediaChannel m_receiveMedia;
};
