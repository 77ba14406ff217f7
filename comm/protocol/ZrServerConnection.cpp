#include "ZrServerConnection.h"

#include <algorithm>
#include <cstring>

#include "TvlDebugValue.h"
#include "TvlSwitchSource.h"
#include "UcmError.h"
#include "UcmManager.h"
#include "ZrMessageReader.h"
#include "ZrMsgWindow.h"
#include "ZrQueuedPlace.h"
#include "ZrReasonFromUcm.h"
#include "ZrServerSocket.h"
#include "ZrSession.h"

uint16_t ZrGetServerPort()
{
    static const uint16_t port = TvlPortToNet(
        static_cast<uint16_t>(CTvlDebugValue(TvlKey::ZrsPortNum, kTvlDefaultPort).Value()));
    return port;
}

CZrServerConnection::CZrServerConnection(CUcmManager& manager, IZrSessionHandler* handler)
    : m_manager(manager), m_handler(handler), m_sessionOwner(*this)
{
}

CZrServerConnection::~CZrServerConnection()
{
    Disconnect();
    m_endedSessions.clear();
}

int32_t CZrServerConnection::Connect(const std::string& host, const CZrServerAddress& settings)
{
    if (m_handler == nullptr)
        return 1;
    Disconnect();
    m_settings = settings;
    m_host = host;
    m_port = ZrGetServerPort();
    int32_t code = 0;
    m_socket = NewSocket(code);
    if (m_socket == nullptr) {
        Reset();
        OnDisconnected(ZrReasonFromUcm(code, EZrPhase::kConnecting));
        return 0;
    }
    if (m_settings.kind != CZrServerAddress::kDirect) {
        m_state = kResolvingProxy;
        code = m_socket->Resolve(m_settings.proxyHost.c_str());
        if (code != 0)
            OnLookupFailed(code);
    } else {
        m_state = kResolvingServer;
        ResolveServer();
    }
    return 0;
}

void CZrServerConnection::ResolveServer()
{
    const int32_t code = m_socket->Resolve(m_host.c_str());
    if (code != 0)
        OnLookupFailed(code);
}

void CZrServerConnection::Disconnect()
{
    if (m_state == kIdle)
        return;
    Reset();
    DropSession();
    ReleaseSocket();
}

void CZrServerConnection::DropSession()
{
    if (!m_session)
        return;
    SessionCall call(*this);
    CZrSession& session = *m_session;
    m_endedSessions.push_back(std::move(m_session));
    session.CloseFromServer(0);
}

CZrServerConnection::SessionCall::SessionCall(CZrServerConnection& connection) : m_connection(connection)
{
    ++m_connection.m_sessionCalls;
}

CZrServerConnection::SessionCall::~SessionCall()
{
    if (--m_connection.m_sessionCalls == 0)
        m_connection.m_endedSessions.clear();
}

void CZrServerConnection::DeliverFrame(CZrSession& session, uint32_t length, const uint8_t* bytes)
{
    SessionCall call(*this);
    session.OnMessage(length, bytes);
}

void CZrServerConnection::BreakSession(CZrSession& session, int32_t code)
{
    SessionCall call(*this);
    session.OnConnectionBroken(code);
}

void CZrServerConnection::Reset()
{
    m_state = kIdle;
    m_host.clear();
    m_address = CTvlIpAddress::kUnknown;
    m_port = 0;
    m_addresses.clear();
    m_settings = CZrServerAddress();
    m_items.Clear();
    m_references.clear();
    m_sendQueue.clear();
    m_newSessionAccepted = false;
}

CZrServerSocket* CZrServerConnection::NewSocket(int32_t& code)
{
    auto* socket = new CZrServerSocket(m_manager, this);
    if (socket->IsRegistered())
        return socket;
    code = socket->CreationCode() != 0 ? socket->CreationCode() : int32_t{UcmCode::kNoBuffers};
    delete socket;
    return nullptr;
}

bool CZrServerConnection::ReplaceSocket()
{
    ReleaseSocket();
    int32_t code = 0;
    m_socket = NewSocket(code);
    if (m_socket == nullptr)
        Fail(code);
    return m_socket != nullptr;
}

void CZrServerConnection::ReleaseSocket()
{
    CZrServerSocket* socket = m_socket;
    m_socket = nullptr;
    if (socket != nullptr)
        socket->Release();
}

void CZrServerConnection::OnAddresses(const std::vector<CTvlIpAddress>& addresses)
{
    if (m_state == kResolvingProxy) {
        m_state = kResolvingServer;
        m_settings.proxyAddress = addresses.front().Address();
        const int32_t kind = m_settings.kind;
        const bool proxyResolves = kind == CZrServerAddress::kHttpConnect || kind == CZrServerAddress::kHttpPost ||
                                   (kind == CZrServerAddress::kSocks5 &&
                                    m_settings.option == CZrServerAddress::kProxyResolves);
        if (!proxyResolves) {
            ResolveServer();
            return;
        }
        TakeAddresses({CTvlIpAddress()});
        return;
    }
    if (m_state == kResolvingServer)
        TakeAddresses(addresses);
}

void CZrServerConnection::TakeAddresses(const std::vector<CTvlIpAddress>& addresses)
{
    for (const CTvlIpAddress& address : addresses)
        m_addresses.push_back(address.Address());
    m_address = m_addresses.front();
    m_addresses.pop_front();
    m_state = kConnecting;
    ConnectCurrent();
}

void CZrServerConnection::ConnectCurrent()
{
    CZrServerSocket* socket = m_socket;
    const int32_t code = ConnectSocket(*socket);
    if (code != 0)
        socket->RaiseConnectFailed(code);
}

int32_t CZrServerConnection::ConnectSocket(CZrServerSocket& socket)
{
    return socket.Connect(m_host.c_str(), m_address, m_port, m_settings);
}

void CZrServerConnection::OnLookupFailed(int32_t code)
{
    const bool proxyMayResolve = m_settings.kind == CZrServerAddress::kSocks5 &&
                                 m_settings.option == CZrServerAddress::kClientThenProxy;
    if (m_state == kResolvingProxy || !proxyMayResolve) {
        Fail(code);
        return;
    }
    m_state = kConnecting;
    m_address = CTvlIpAddress::kUnknown;
    ConnectCurrent();
}

void CZrServerConnection::OnConnectFailed(int32_t code)
{
    if (m_state == kResuming || m_addresses.empty()) {
        Fail(code);
        return;
    }
    if (!ReplaceSocket())
        return;
    m_address = m_addresses.front();
    m_addresses.pop_front();
    ConnectCurrent();
}

void CZrServerConnection::OnFirstFrame(CZrServerSocket& socket, const uint8_t* bytes)
{
    SessionCall call(*this);
    uint32_t peerRole = 0;
    std::memcpy(&peerRole, bytes, sizeof peerRole);
    if (m_state == kConnecting) {
        m_addresses.clear();
        m_state = kWaitingHello;
        m_session = std::make_unique<CZrSession>(&m_sessionOwner, &socket, *m_handler, m_host, peerRole);
        if (m_session && !m_session->IsEnded())
            socket.AttachSession(m_session.get());
    } else if (m_state == kResuming && m_session) {
        socket.AttachSession(m_session.get());
        m_session->ResumeOn(&socket);
    }
}

int32_t CZrServerConnection::CheckHello(CZrMessageReader& reader, uint32_t& received)
{
    if (m_state == kWaitingHello)
        return CheckNewHello(reader);
    if (!reader.GetLong(received))
        return kHelloRefused;
    m_state = kUp;
    return 0;
}

int32_t CZrServerConnection::CheckNewHello(CZrMessageReader& reader)
{
    uint32_t count = 0;
    if (!reader.GetWord(count))
        return kHelloRefused;
    for (uint32_t i = 0; i < count; ++i) {
        CZrObjectRef reference;
        if (!reference.Read(reader, 0))
            return kHelloRefused;
        m_references.push_back(reference);
    }
    if (!m_items.Read(reader, true))
        return kHelloRefused;
    uint32_t windowId = 0;
    if (!reader.GetLong(windowId))
        windowId = 0;
    if (windowId != 0 && m_session)
        m_session->Window().SetWindowId(windowId);
    m_state = kUp;
    m_newSessionAccepted = true;
    return 0;
}

void CZrServerConnection::SessionOwner::OnSessionReady(CZrSession&)
{
    // Only a new session logs in; a resumed one carries on where it was.
    if (!m_connection.m_newSessionAccepted)
        return;
    m_connection.m_newSessionAccepted = false;
    m_connection.OnSessionReady();
}

void CZrServerConnection::SessionOwner::OnSessionEnded(int32_t reason)
{
    m_connection.OnSessionEnded(reason);
}

int32_t CZrServerConnection::SessionOwner::ReasonForBroken(int32_t code)
{
    return ZrReasonFromUcm(code, EZrPhase::kBroken);
}

void CZrServerConnection::SessionOwner::StartReconnect()
{
    m_connection.StartReconnect();
}

void CZrServerConnection::StartReconnect()
{
    if (!m_session)
        return;
    m_state = kResuming;
    // The broken socket has forgotten this connection already.
    m_socket = nullptr;
    int32_t code = 0;
    m_socket = NewSocket(code);
    if (m_socket == nullptr) {
        Fail(code);
        return;
    }
    code = ConnectSocket(*m_socket);
    if (code != 0)
        Fail(code);
}

void CZrServerConnection::OnSessionEnded(int32_t reason)
{
    if (m_session)
        m_endedSessions.push_back(std::move(m_session));
    Reset();
    ReleaseSocket();
    OnDisconnected(reason);
}

void CZrServerConnection::Fail(int32_t code)
{
    const int32_t reason = ZrReasonFromUcm(code, EZrPhase::kConnecting);
    SessionCall call(*this);
    if (m_session) {
        CZrSession& session = *m_session;
        m_endedSessions.push_back(std::move(m_session));
        session.CloseFromServer(reason);
    }
    Reset();
    ReleaseSocket();
    OnDisconnected(reason);
}

const CZrObjectRef* CZrServerConnection::FindReference(uint32_t ownerId, uint32_t kind) const
{
    for (const CZrObjectRef& reference : m_references) {
        if (reference.ownerId == ownerId && reference.kind == kind)
            return &reference;
    }
    return nullptr;
}

const CZrObjectRef* CZrServerConnection::FindReferenceByOwner(uint32_t ownerId) const
{
    for (const CZrObjectRef& reference : m_references) {
        if (reference.ownerId == ownerId)
            return &reference;
    }
    return nullptr;
}

const CZrObjectRef* CZrServerConnection::FindReferenceByKind(uint32_t kind) const
{
    for (const CZrObjectRef& reference : m_references) {
        if (reference.kind == kind)
            return &reference;
    }
    return nullptr;
}

bool CZrServerConnection::AddReference(CZrMessageReader& reader, uint32_t localId)
{
    CZrObjectRef reference;
    if (!reference.Read(reader, localId))
        return false;
    m_references.push_back(reference);
    return true;
}

std::unique_ptr<CZrObjectRef> CZrServerConnection::RemoveReference(CZrMessageReader& reader)
{
    uint32_t ownerId = 0;
    if (!reader.GetLong(ownerId))
        return nullptr;
    const auto found = std::find_if(m_references.begin(), m_references.end(),
                                    [ownerId](const CZrObjectRef& reference) { return reference.ownerId == ownerId; });
    if (found == m_references.end())
        return nullptr;
    auto removed = std::make_unique<CZrObjectRef>(*found);
    m_references.erase(found);
    return removed;
}

void CZrServerConnection::Queue(IZrQueuedPlace* place)
{
    m_sendQueue.push_back(place);
    if (m_socket != nullptr && !m_socket->IsBusy())
        SendNext();
}

void CZrServerConnection::Unqueue(IZrQueuedPlace* place)
{
    m_sendQueue.erase(std::remove(m_sendQueue.begin(), m_sendQueue.end(), place), m_sendQueue.end());
}

void CZrServerConnection::SendNext()
{
    if (m_sendQueue.empty() || m_socket == nullptr || m_state != kUp)
        return;
    CZrServerSocket* socket = m_socket;
    socket->BeginBusy();
    IZrQueuedPlace* place = m_sendQueue.front();
    m_sendQueue.pop_front();
    place->OnConnectionUp(*this);
    socket->EndBusy();
}

void CZrServerConnection::OnSessionReady() {}
void CZrServerConnection::OnDisconnected(int32_t) {}
