// The media channel of the HTTP tunnel: packets travel as request bodies of
// the tunnel's connection, and arrive as response bodies. It has no socket of
// its own, so creating and opening it succeed without doing anything.
#pragma once

#include "MediaChannel.h"
#include "TunnelConnection.h"

class TunnelMediaChannel : public MediaChannel
{
public:
    void Link(TunnelConnection* connection) { m_connection = connection; }

    bool Create(int32_t, bool) override { return true; }
    void Close() override {}
    // Raw bytes have no place on the tunnel: nothing is sent.
    bool SendBytes(const uint8_t*, size_t) override { return false; }
    int32_t LastError() const override { return m_lastError; }
    bool Open(const std::string&, int32_t, bool) override { return true; }
    bool SendPacket(std::unique_ptr<Packet> packet) override;

private:
    TunnelConnection* m_connection = nullptr;
    int32_t m_lastError = 0;
};
