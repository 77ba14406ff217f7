#include "DriverConnection.h"

#include "ZrClientPlace.h"

CDriverConnection::CDriverConnection(CUcmManager& manager, IZrSessionHandler& handler, DriverOutput output)
    : CZrServerConnection(manager, &handler), m_output(std::move(output))
{
}

int32_t CDriverConnection::Connect(const std::string& host, uint16_t port)
{
    return CZrServerConnection::Connect(host, CZrServerAddress(port));
}

void CDriverConnection::Queue(CZrClientPlace& place)
{
    m_place = &place;
    CZrServerConnection::Queue(this);
}

void CDriverConnection::Unqueue(CZrClientPlace&)
{
    CZrServerConnection::Unqueue(this);
}

void CDriverConnection::OnConnectionUp(CZrServerConnection&)
{
    if (m_place)
        m_place->OnConnectionUp(*this);
}

const CZrObjectRef* CDriverConnection::FindReference(uint32_t ownerId, uint32_t kind) const
{
    return CZrServerConnection::FindReference(ownerId, kind);
}

const CZrObjectRef* CDriverConnection::FindReferenceByOwner(uint32_t ownerId) const
{
    return CZrServerConnection::FindReferenceByOwner(ownerId);
}

const CZrObjectRef* CDriverConnection::FindReferenceByKind(uint32_t kind) const
{
    return CZrServerConnection::FindReferenceByKind(kind);
}

const CZrObjectRef* CDriverConnection::AddReference(CZrMessageReader& reader, uint32_t localId)
{
    if (!CZrServerConnection::AddReference(reader, localId))
        return nullptr;
    return &References().back();
}

std::unique_ptr<CZrObjectRef> CDriverConnection::RemoveReference(CZrMessageReader& reader)
{
    return CZrServerConnection::RemoveReference(reader);
}

int32_t CDriverConnection::CheckHello(CZrMessageReader& reader, uint32_t& received)
{
    return CZrServerConnection::CheckHello(reader, received);
}

void CDriverConnection::OnSessionReady()
{
    m_output(CDriverJson("OnSessionReady").Add("host", Host()).Text());
    if (m_shell)
        m_shell->OnSessionReady();
}

void CDriverConnection::OnDisconnected(int32_t reason)
{
    m_output(CDriverJson("OnConnectionEnded").Add("reason", reason).Text());
}
