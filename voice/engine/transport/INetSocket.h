// The socket seam of the transports: a connected or bound socket that sends
// and receives bytes, and the factory that makes one. The platform layer
// implements both and tells the channels when a socket has bytes to read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

// Error numbers every platform layer reports in the Windows Sockets form.
namespace NetError {
constexpr int32_t kTimedOut = 10060;
constexpr int32_t kRefused = 10061;
} // namespace NetError

class INetSocket
{
public:
    virtual ~INetSocket() = default;

    // Sends all bytes in one call (one datagram on a datagram socket);
    // false with LastError set when that failed.
    virtual bool Send(const uint8_t* bytes, size_t length) = 0;
    // The number of bytes received, 0 when the peer closed the connection,
    // -1 on failure (LastError) or when nothing is waiting.
    virtual int32_t Receive(uint8_t* buffer, size_t capacity) = 0;
    virtual int32_t LastError() const = 0;
};

class INetSocketFactory
{
public:
    virtual ~INetSocketFactory() = default;

    // A socket bound to `localPort` on every address (0: any port).
    virtual std::unique_ptr<INetSocket> Bind(int32_t localPort, bool datagram,
                                             int32_t& error) = 0;
    // A socket whose sends go to host and port: a connected stream, or a
    // datagram socket on any local port that sends to that address.
    virtual std::unique_ptr<INetSocket> Connect(const std::string& host, int32_t port,
                                                bool datagram, int32_t& error) = 0;
};
