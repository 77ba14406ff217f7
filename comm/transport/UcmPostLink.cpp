#include "UcmPostLink.h"

#include "UcmPostHandshake.h"

CUcmPostLink::CUcmPostLink(CUcmManager& manager, CUcmConnection& primary, CUcmPostTunnel& tunnel)
    : CUcmConnection(manager, 0), m_primaryConnection(&primary), m_tunnel(&tunnel)
{
    m_primary = 0;
}

CUcmPostLink::~CUcmPostLink()
{
    if (m_primaryConnection != nullptr)
        m_primaryConnection->ForgetSecondary(this);
}

void CUcmPostLink::Unlink()
{
    m_primaryConnection = nullptr;
    m_tunnel = nullptr;
}

std::unique_ptr<CUcmProxyHandshake> CUcmPostLink::MakeHandshake(const UcmProxyTarget&)
{
    if (m_tunnel == nullptr)
        return nullptr;
    return m_tunnel->MakeLinkHandshake();
}

void CUcmPostLink::OnHandshakePassed(CUcmProxyHandshake& handshake)
{
    CUcmConnection* primary = m_primaryConnection;
    const uint32_t tunnelId = static_cast<CUcmPostHandshake&>(handshake).TunnelId();
    Unlink();
    Close();
    if (primary == nullptr)
        return;
    primary->ForgetSecondary(this);
    primary->OnPostLinkReply(tunnelId);
}

void CUcmPostLink::OnConnectFailed(int32_t code)
{
    OnBroken(code);
}

void CUcmPostLink::OnBroken(int32_t code)
{
    CUcmConnection* primary = m_primaryConnection;
    CUcmPostTunnel* tunnel = m_tunnel;
    Unlink();
    if (primary == nullptr)
        return;
    primary->ForgetSecondary(this);
    primary->OnCloseEvent(tunnel->OnLinkFailed(code));
}
