// CUcmPostTunnel: the bookkeeping of an HTTP POST tunnel, held by its
// primary connection.
#pragma once

#include <cstdint>
#include <memory>

#include "TvlByteQueue.h"
#include "TvlObject.h"
#include "UcmPostHandshake.h"
#include "UcmPostLinkStarter.h"

// The primary connection never writes frames on its own socket: every batch
// of its output leaves in the body of a secondary connection's POST request.
// One secondary runs at a time; output queued meanwhile waits and goes out
// whole in the next one. No sequence or keep-alive bytes are sent in a
// tunnel.
class CUcmPostTunnel : public CTvlObject {
public:
    // `output` is the primary's output queue; `target` the peer that the
    // secondaries' requests name.
    CUcmPostTunnel(IUcmPostLinkStarter& starter, CTvlByteQueue& output, const UcmProxyTarget& target);
    CUcmPostTunnel(const CUcmPostTunnel&) = delete;
    CUcmPostTunnel& operator=(const CUcmPostTunnel&) = delete;

    // The primary's reply passed (its handshake comes from
    // CUcmProxyHandshake::Create): the tunnel is open under the reply's id.
    void OnPrimaryReply(uint32_t tunnelId);

    // Starts a secondary when the tunnel is open, output waits and no
    // secondary runs; call it from the primary's write handling and after
    // queueing output. Answers 0, or the starter's code, with which the
    // primary fails.
    int32_t Flush();
    // The handshake of the running secondary, made when its TCP connection
    // is up: its request carries the tunnel id and all output queued now.
    std::unique_ptr<CUcmPostHandshake> MakeLinkHandshake();
    // The running secondary's reply passed with this tunnel id: the id is
    // kept, the secondary is gone, and the next one starts at once when
    // output waits. Answers Flush's result.
    int32_t OnLinkReply(uint32_t tunnelId);
    // The running secondary failed to connect or broke: answers the code
    // with which the primary fails (the secondary's own).
    int32_t OnLinkFailed(int32_t code);

    bool IsOpen() const { return m_open; }
    bool IsLinkRunning() const { return m_linkRunning; }
    uint32_t TunnelId() const { return m_tunnelId; }

private:
    IUcmPostLinkStarter& m_starter;
    CTvlByteQueue& m_output;
    const UcmProxyTarget m_target;
    uint32_t m_tunnelId;
    bool m_open;
    bool m_linkRunning;
};
