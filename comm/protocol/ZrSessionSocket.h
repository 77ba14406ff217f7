// IZrSessionSocket: the connection a session sends through.
#pragma once

#include <cstdint>

class IZrSessionSocket {
public:
    virtual ~IZrSessionSocket() = default;

    // Frames and queues one message: prefix and body follow each other.
    virtual void Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body,
                      uint32_t bodyLength) = 0;
    // The session no longer uses the socket: it stops reporting to the
    // session and closes gracefully.
    virtual void Release() = 0;
};
