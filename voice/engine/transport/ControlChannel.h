// The conference's control channel on a connected socket: the TCP text
// channel or the HTTP tunnel channel, each with its send-side and
// receive-side media channels.
#pragma once

#include "INetSocket.h"
#include "MediaChannel.h"

#include <cstdint>
#include <memory>
#include <string>

class ControlChannel
{
public:
    explicit ControlChannel(std::unique_ptr<INetSocket> socket) : m_socket(std::move(socket)) {}
    virtual ~ControlChannel() = default;
    ControlChannel(const ControlChannel&) = delete;
    ControlChannel& operator=(const ControlChannel&) = delete;

    // Sends one line (with its line feed); false with `errorCode` set.
    virtual bool SendLine(const std::string& text, int32_t& errorCode) = 0;
    // The socket has bytes waiting: reads and delivers them. False when the
    // socket failed or the server closed the connection.
    virtual bool OnReadable() = 0;
    virtual MediaChannel& SendMedia() = 0;
    virtual MediaChannel& ReceiveMedia() = 0;

    virtual void Close() { m_socket.reset(); }
    bool IsOpen() const { return m_socket != nullptr; }
    int32_t LastError() const { return m_lastError; }
    INetSocket* Socket() const { return m_socket.get(); }

protected:
    // Sends all bytes; false with the socket error in `errorCode`.
    bool SendAll(const std::string& bytes, int32_t& errorCode);
    // Reads at most `capacity` bytes; 0 or less when nothing came.
    int32_t ReadSome(char* buffer, size_t capacity);

private:
    std::unique_ptr<INetSocket> m_socket;
    int32_t m_lastError = 0;
};
