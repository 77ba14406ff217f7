// The HTTP connection of the tunnel: posts control lines and media packets
// as requests, and reads the server's responses with the session number they
// carry.
#pragma once

#include "INetSocket.h"
#include "TunnelResponseReader.h"

#include <cstdint>
#include <string>
#include <vector>

class TunnelConnection
{
public:
    // Posts one body; false with `errorCode` set when the send failed.
    bool Post(const char* contentType, const void* body, size_t length, int32_t& errorCode);
    // Reads what the socket holds into `responses`. False when the socket
    // failed or closed, or when a response can never fit (`tooLong`).
    bool Read(std::vector<TunnelResponse>& responses, bool& tooLong);

    void SetSocket(INetSocket* socket) { m_socket = socket; }
    int32_t Session() const { return m_reader.Session(); }
    int32_t LastError() const { return m_lastError; }
    const std::string& BadLength() const { return m_reader.BadLength(); }

private:
    INetSocket* m_socket = nullptr;
    TunnelResponseReader m_reader;
    int32_t m_lastError = 0;
};
