#include "CCommunityConnection.h"

#include <cctype>
#include <cstdlib>

#include "ZrClientPlace.h"

namespace {

bool EqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

CCommunityConnection::CCommunityConnection(CUcmManager& manager, IZrSessionHandler& handler, ICommunityStore& store)
    : CZrServerConnection(manager, &handler), m_store(store), m_config(store)
{
}

CCommunityConnection::~CCommunityConnection() = default;

void CCommunityConnection::SplitHostPort(const std::string& url, std::string& host, uint16_t& port)
{
    host = url;
    port = 0;
    const size_t colon = url.rfind(':');
    if (colon == std::string::npos)
        return;
    const std::string digits = url.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return;
    const long number = std::strtol(digits.c_str(), nullptr, 10);
    if (number <= 0 || number > 0xFFFF)
        return;
    host = url.substr(0, colon);
    port = static_cast<uint16_t>(number);
}

int32_t CCommunityConnection::SetUrl(const std::string& url)
{
    if (m_hasUrl && EqualsNoCase(m_url, url) && IsConnected())
        return 0;
    m_url = url;
    m_hasUrl = true;
    m_pending = true;
    m_store.ShowPage(m_store.GetResetUrl());
    std::string host;
    uint16_t port = 0;
    SplitHostPort(url, host, port);
    const int32_t code = Connect(host, CZrServerAddress(port));
    if (code != 0) {
        m_hasUrl = false;
        m_pending = false;
    }
    return code;
}

void CCommunityConnection::OnDisconnected(int32_t reason)
{
    const bool connecting = m_pending;
    m_pending = false;
    if (connecting)
        m_store.OnConnectFailed(reason);
}

void CCommunityConnection::Dispatch()
{
    m_pending = false;
    m_config.Apply(Items());
    m_store.StartLogin();
    m_store.RunPendingRefresh();
}

void CCommunityConnection::OnSessionReady()
{
    Dispatch();
}

void CCommunityConnection::Queue(CZrClientPlace& place)
{
    m_place = &place;
    CZrServerConnection::Queue(this);
}

void CCommunityConnection::Unqueue(CZrClientPlace&)
{
    CZrServerConnection::Unqueue(this);
}

void CCommunityConnection::OnConnectionUp(CZrServerConnection&)
{
    if (m_place)
        m_place->OnConnectionUp(*this);
}

const CZrObjectRef* CCommunityConnection::FindReference(uint32_t ownerId, uint32_t kind) const
{
    return CZrServerConnection::FindReference(ownerId, kind);
}

const CZrObjectRef* CCommunityConnection::FindReferenceByOwner(uint32_t ownerId) const
{
    return CZrServerConnection::FindReferenceByOwner(ownerId);
}

const CZrObjectRef* CCommunityConnection::FindReferenceByKind(uint32_t kind) const
{
    return CZrServerConnection::FindReferenceByKind(kind);
}

const CZrObjectRef* CCommunityConnection::AddReference(CZrMessageReader& reader, uint32_t localId)
{
    if (!CZrServerConnection::AddReference(reader, localId))
        return nullptr;
    return &References().back();
}

std::unique_ptr<CZrObjectRef> CCommunityConnection::RemoveReference(CZrMessageReader& reader)
{
    return CZrServerConnection::RemoveReference(reader);
}

int32_t CCommunityConnection::CheckHello(CZrMessageReader& reader, uint32_t& received)
{
    return CZrServerConnection::CheckHello(reader, received);
}
