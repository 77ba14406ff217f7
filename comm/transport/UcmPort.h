// The socket calls the connection core makes, behind an interface: Windows
// Sockets in the program, a fake in the tests, poll() in native tools.
#pragma once

#include <cstdint>

// A socket handle wide enough for every platform's handle.
using UcmSocketHandle = uint64_t;
constexpr UcmSocketHandle kUcmNoSocket = ~UcmSocketHandle{0};

// Calls answer like Windows Sockets: a count (or 0) on success and -1 on
// failure, with the system error then given by LastError.
class IUcmPort {
public:
    virtual ~IUcmPort() = default;

    // A TCP socket, made non-blocking and with keep-alive set; kUcmNoSocket
    // on failure.
    virtual UcmSocketHandle CreateSocket() = 0;
    virtual void CloseSocket(UcmSocketHandle socket) = 0;
    // Shuts down the sending side: the peer reads an orderly end after
    // everything sent. 0 or -1.
    virtual int32_t ShutdownSend(UcmSocketHandle socket) = 0;
    // `address` in network order (first octet first in memory), `port` in
    // host order. 0 when connected at once, else -1 (in progress included).
    virtual int32_t Connect(UcmSocketHandle socket, uint32_t address, uint16_t port) = 0;
    // Bytes received, 0 when the peer closed, -1 on failure.
    virtual int32_t Receive(UcmSocketHandle socket, uint8_t* buffer, uint32_t length) = 0;
    // Bytes sent, -1 on failure.
    virtual int32_t Send(UcmSocketHandle socket, const uint8_t* bytes, uint32_t length) = 0;
    // Asks for the events of `mask` to be reported for the socket; 0 or -1.
    virtual int32_t Select(UcmSocketHandle socket, uint32_t mask) = 0;
    // Arranges for the socket's start notification to arrive later.
    virtual void PostStart(UcmSocketHandle socket) = 0;
    // Starts or stops the timer that calls the manager's CloseTimer every
    // CUcmSocketDrain::kTickMs.
    virtual void RunCloseTimer(bool running) = 0;
    // Starts an asynchronous host look-up; 0 with a handle, or -1.
    virtual int32_t StartLookup(const char* name, uint64_t& handle) = 0;
    virtual void CancelLookup(uint64_t handle) = 0;
    // Restarts the socket library; called when no socket is open.
    virtual void RestartLibrary() = 0;
    // The system error of the last failed call.
    virtual int32_t LastError() = 0;
};
