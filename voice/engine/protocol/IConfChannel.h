// What the conference session needs from its control channel and the
// connection machinery around it.
#pragma once

#include <cstdint>
#include <string>

class IConfChannel
{
public:
    virtual ~IConfChannel() = default;

    // Sends the bytes of one line; false with `errorCode` set on failure.
    virtual bool SendText(const std::string& text, int32_t& errorCode) = 0;
    virtual void Close() = 0;
    // Stops every running connection attempt.
    virtual void StopAttempts() = 0;
    // Connects directly (redirection, breakout); the channel calls the
    // session's OnConnected when it succeeds. False with the error text on
    // failure.
    virtual bool ConnectDirect(const std::string& server, int32_t port,
                               std::string& errorText) = 0;
};
