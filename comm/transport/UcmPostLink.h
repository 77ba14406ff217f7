// CUcmPostLink: a secondary connection of an HTTP POST tunnel.
#pragma once

#include <cstdint>
#include <memory>

#include "UcmConnection.h"

// Carries one batch of its primary's output in the body of one POST
// request; once the reply has passed it hands the tunnel id to the tunnel
// and closes. A failure to connect, a refusal or a break is raised as a
// close event on the primary.
class CUcmPostLink : public CUcmConnection {
public:
    CUcmPostLink(CUcmManager& manager, CUcmConnection& primary, CUcmPostTunnel& tunnel);
    ~CUcmPostLink() override;

    // The primary is going away: no more reports to it.
    void Unlink();

protected:
    std::unique_ptr<CUcmProxyHandshake> MakeHandshake(const UcmProxyTarget& target) override;
    void OnHandshakePassed(CUcmProxyHandshake& handshake) override;
    void OnConnectFailed(int32_t code) override;
    void OnBroken(int32_t code) override;

private:
    CUcmConnection* m_primaryConnection;
    CUcmPostTunnel* m_tunnel;
};
