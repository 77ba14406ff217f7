// CUcmHttpConnectHandshake: an HTTP proxy asked to CONNECT to the peer.
#pragma once

#include "UcmHttpHandshake.h"

// The reply's status line must say 200, with version HTTP/1.0 or HTTP/1.1;
// bytes after the header are the session's first frames.
class CUcmHttpConnectHandshake : public CUcmHttpHandshake {
public:
    explicit CUcmHttpConnectHandshake(const UcmProxyTarget& target);

protected:
    int32_t QueueFirstRequest(CTvlByteQueue& output) override;
    Verdict OnReply(const uint8_t* reply, uint32_t length, CTvlByteQueue& output) override;
};
