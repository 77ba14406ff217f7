// IUcmPostLinkStarter: how an HTTP POST tunnel gets a secondary connection.
#pragma once

#include <cstdint>

class CUcmPostTunnel;

// Implemented by the socket manager's side of the tunnel's primary
// connection.
class IUcmPostLinkStarter {
public:
    virtual ~IUcmPostLinkStarter() = default;

    // Creates, registers and connects a secondary connection to the proxy,
    // linked with the primary. Once its TCP connection is up it runs the
    // handshake that `tunnel.MakeLinkHandshake()` gives; a reply that passes
    // is reported with `tunnel.OnLinkReply`, after which the secondary closes;
    // a connect failure or break with `tunnel.OnLinkFailed`. Answers 0 when
    // the connection attempt has begun, else a library code.
    virtual int32_t StartPostLink(CUcmPostTunnel& tunnel) = 0;
};
