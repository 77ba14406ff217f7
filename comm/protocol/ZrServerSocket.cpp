#include "ZrServerSocket.h"

#include "UcmError.h"
#include "UcmManager.h"
#include "ZrServerConnection.h"
#include "ZrSession.h"

CZrServerSocket::CZrServerSocket(CUcmManager& manager, CZrServerConnection* owner)
    : CUcmConnection(manager, kOptions), m_owner(owner)
{
    m_registered = CreationCode() == 0 && manager.Register(this) == 0;
    if (!m_registered)
        m_owner = nullptr;
}

void CZrServerSocket::Send(const uint8_t* prefix, uint32_t prefixLength, const uint8_t* body,
                           uint32_t bodyLength)
{
    CUcmConnection::Send(prefix, prefixLength, body, bodyLength);
}

void CZrServerSocket::Release()
{
    if (m_owner == nullptr && m_session == nullptr)
        return;
    m_owner = nullptr;
    m_session = nullptr;
    Close();
}

void CZrServerSocket::OnAddresses(const std::vector<CTvlIpAddress>& addresses)
{
    if (m_owner != nullptr)
        m_owner->OnAddresses(addresses);
}

void CZrServerSocket::OnLookupFailed(int32_t code)
{
    if (m_owner != nullptr)
        m_owner->OnLookupFailed(code);
}

void CZrServerSocket::OnConnectFailed(int32_t code)
{
    CZrServerConnection* owner = m_owner;
    m_owner = nullptr;
    if (owner != nullptr)
        owner->OnConnectFailed(code);
}

void CZrServerSocket::OnFrame(uint32_t length, const uint8_t* bytes)
{
    if (m_owner == nullptr)
        return;
    if (m_session != nullptr) {
        m_owner->DeliverFrame(*m_session, length, bytes);
        return;
    }
    if (length != CZrServerConnection::kFirstFrameLength) {
        // Not a server of this protocol: the next address, or the end.
        CZrServerConnection* owner = m_owner;
        m_owner = nullptr;
        Close();
        owner->OnConnectFailed(UcmCode::kFraming);
        return;
    }
    m_owner->OnFirstFrame(*this, bytes);
}

void CZrServerSocket::OnBroken(int32_t code)
{
    CZrSession* session = m_session;
    if (session == nullptr) {
        OnConnectFailed(code);
        return;
    }
    CZrServerConnection* owner = m_owner;
    m_session = nullptr;
    m_owner = nullptr;
    owner->BreakSession(*session, code);
}

void CZrServerSocket::OnIdle()
{
    if (m_owner != nullptr)
        m_owner->SendNext();
}
