// CUcmPostHandshake: one POST exchange of an HTTP POST tunnel, for the
// primary connection or for a secondary one.
#pragma once

#include "UcmHttpHandshake.h"

// The body begins with a 5-byte prefix: the role (1 primary, 0 secondary)
// and the tunnel id (32-bit big-endian, 0 before the primary's reply). A
// secondary's body then carries a batch of the primary's output. The reply
// must say "HTTP/1.0 200", hold a Content-Length of at least 4 and be
// followed by the tunnel id; on the primary the tunnel's bytes follow it.
class CUcmPostHandshake : public CUcmHttpHandshake {
public:
    static constexpr uint32_t kPrefixLength = 5;
    static constexpr uint32_t kTunnelIdLength = 4;

    // The primary side.
    explicit CUcmPostHandshake(const UcmProxyTarget& target);
    // A secondary side: Start moves every byte of `batch` (the primary's
    // output queue) into its request, so make it when the secondary's TCP
    // connection is up and start it at once.
    CUcmPostHandshake(const UcmProxyTarget& target, uint32_t tunnelId, CTvlByteQueue& batch);

    bool IsPrimary() const { return m_batch == nullptr; }
    // The tunnel id of the request, or of the reply once done.
    uint32_t TunnelId() const { return m_tunnelId; }

protected:
    int32_t QueueFirstRequest(CTvlByteQueue& output) override;
    Verdict OnReply(const uint8_t* reply, uint32_t length, CTvlByteQueue& output) override;

private:
    CTvlByteQueue* const m_batch;
    uint32_t m_tunnelId;
};
