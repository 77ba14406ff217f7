// The base of every media channel: it sends packets and cuts received bytes
// into packets for the audio pipeline, counting the server's "TEST" datagrams
// on the way.
#pragma once

#include "Packet.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The audio pipeline's side: takes every complete, valid received packet.
class IPacketReceiver
{
public:
    virtual ~IPacketReceiver() = default;
    virtual void TakePacket(std::unique_ptr<Packet> packet) = 0;
};

class MediaChannel
{
public:
    static constexpr size_t kBufferSize = 16000;
    static constexpr size_t kInitialFrameSize = 252;

    MediaChannel();
    virtual ~MediaChannel() = default;
    MediaChannel(const MediaChannel&) = delete;
    MediaChannel& operator=(const MediaChannel&) = delete;

    // A socket bound to `localPort`, datagram or stream.
    virtual bool Create(int32_t localPort, bool datagram) = 0;
    virtual void Close() = 0;
    virtual bool SendBytes(const uint8_t* bytes, size_t length) = 0;
    virtual int32_t LastError() const = 0;
    // Sends to host and port from then on; resets the receive buffer.
    virtual bool Open(const std::string& host, int32_t port, bool datagram) = 0;
    virtual bool SendPacket(std::unique_ptr<Packet> packet) = 0;

    void SetFrameSize(size_t bytes) { m_frameSize = bytes; }
    void SetLargestCount(size_t count) { m_largestCount = count; }
    size_t FrameSize() const { return m_frameSize; }
    size_t LargestCount() const { return m_largestCount; }
    void SetPacketReceiver(IPacketReceiver* receiver) { m_receiver = receiver; }

    // Test datagrams counted since the last call.
    int32_t TakeTestCount();

    // Appends received stream bytes and hands on every packet they complete;
    // an incomplete tail waits for the next bytes.
    void Receive(const uint8_t* bytes, size_t length);
    // One whole datagram: as Receive, but nothing is kept afterwards, so an
    // incomplete tail is never joined to the next datagram.
    void ReceiveDatagram(const uint8_t* bytes, size_t length);

    size_t Buffered() const { return m_buffer.size(); }

protected:
    void ResetReceive() { m_buffer.clear(); }

private:
    // Parses the buffer from its start; keeps an incomplete tail.
    void Parse();
    // Skips "TEST" and the digits after it; returns the bytes skipped.
    size_t SkipTest(size_t at) const;

    size_t m_frameSize = kInitialFrameSize;
    size_t m_largestCount = 1;
    int32_t m_testCount = 0;
    std::vector<uint8_t> m_buffer;
    IPacketReceiver* m_receiver = nullptr;
};
