// Stand-ins for the transports' tests: a socket that plays back scripted
// reads and records what is sent, a factory that hands out such sockets, a
// packet receiver and a line sink that record what they get, and packet
// builders in the received form.
#pragma once

#include "IControlLineSink.h"
#include "INetSocket.h"
#include "MediaChannel.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

class ScriptedSocket : public INetSocket
{
public:
    struct Script
    {
        std::deque<std::string> reads; // each read hands out one entry
        std::string sent;
        std::vector<size_t> capacities; // the capacity of every Receive call
        int32_t sendError = 0;          // non-zero: every Send fails with it
        bool destroyed = false;
    };

    explicit ScriptedSocket(std::shared_ptr<Script> script) : m_script(std::move(script)) {}
    ~ScriptedSocket() override { m_script->destroyed = true; }

    bool Send(const uint8_t* bytes, size_t length) override
    {
        if (m_script->sendError != 0) {
            m_error = m_script->sendError;
            return false;
        }
        m_script->sent.append(reinterpret_cast<const char*>(bytes), length);
        return true;
    }

    int32_t Receive(uint8_t* buffer, size_t capacity) override
    {
        m_script->capacities.push_back(capacity);
        if (m_script->reads.empty()) {
            m_error = 10054;
            return -1;
        }
        std::string& next = m_script->reads.front();
        const size_t length = std::min(capacity, next.size());
        std::copy(next.begin(), next.begin() + static_cast<std::ptrdiff_t>(length), buffer);
        next.erase(0, length);
        if (next.empty())
            m_script->reads.pop_front();
        return static_cast<int32_t>(length);
    }

    int32_t LastError() const override { return m_error; }

private:
    std::shared_ptr<ScriptedSocket::Script> m_script;
    int32_t m_error = 0;
};

class ScriptedSocketFactory : public INetSocketFactory
{
public:
    std::vector<std::string> calls;
    std::vector<std::shared_ptr<ScriptedSocket::Script>> made;
    int32_t failWith = 0;

    std::unique_ptr<INetSocket> Bind(int32_t localPort, bool datagram, int32_t& error) override
    {
        calls.push_back("Bind " + std::to_string(localPort) + (datagram ? " udp" : " tcp"));
        return Make(error);
    }

    std::unique_ptr<INetSocket> Connect(const std::string& host, int32_t port, bool datagram,
                                        int32_t& error) override
    {
        calls.push_back("Connect " + host + " " + std::to_string(port) +
                        (datagram ? " udp" : " tcp"));
        return Make(error);
    }

private:
    std::unique_ptr<INetSocket> Make(int32_t& error)
    {
        if (failWith != 0) {
            error = failWith;
            return nullptr;
        }
        made.push_back(std::make_shared<ScriptedSocket::Script>());
        return std::make_unique<ScriptedSocket>(made.back());
    }
};

class RecordingReceiver : public IPacketReceiver
{
public:
    std::vector<std::unique_ptr<Packet>> packets;
    void TakePacket(std::unique_ptr<Packet> packet) override
    {
        packets.push_back(std::move(packet));
    }
};

class RecordingSink : public IControlLineSink
{
public:
    std::vector<std::string> lines;
    std::vector<std::string> tooLong;
    void OnLine(const char* bytes, size_t length) override { lines.emplace_back(bytes, length); }
    void OnTooLong(const std::string& length) override { tooLong.push_back(length); }
};

// A packet in the form the server sends: `count` frames of `frameSize`
// bytes, frame i filled with the byte `fill + i`.
inline std::string ReceivedPacket(uint8_t count, uint8_t payloadType, size_t frameSize,
                                  uint16_t speaker0 = 0, uint16_t speaker1 = 0,
                                  uint8_t fill = 0x40, uint16_t sequence = 9)
{
    std::string bytes = {static_cast<char>(0x80 | count), static_cast<char>(payloadType),
                         static_cast<char>(sequence >> 8), static_cast<char>(sequence),
                         0, 0, 0x01, 0x00,
                         0, 0, 0, 0x65,
                         static_cast<char>(speaker0 >> 8), static_cast<char>(speaker0),
                         static_cast<char>(speaker1 >> 8), static_cast<char>(speaker1)};
    for (uint8_t i = 0; i < count; ++i)
        bytes.append(frameSize, static_cast<char>(fill + i));
    return bytes;
}

inline std::string Text(const std::vector<uint8_t>& bytes)
{
    return std::string(bytes.begin(), bytes.end());
}
