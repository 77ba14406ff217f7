#include "UcmManager.h"

#include <cinttypes>

#include "TvlDebugSwitch.h"
#include "TvlDebugValue.h"
#include "TvlSwitchSource.h"
#include "UcmConnection.h"
#include "UcmError.h"

namespace {

CUcmManager* g_current = nullptr;

constexpr uint32_t kCleanUpEvery = 6;

uint32_t BucketOf(UcmSocketHandle socket)
{
    return static_cast<uint32_t>(socket % CUcmManager::kBucketCount);
}

int SocketNumber(UcmSocketHandle socket)
{
    return static_cast<int>(socket);
}

const char* EventName(uint32_t event)
{
    switch (event) {
    case UcmEvent::kRead: return "READ   ";
    case UcmEvent::kWrite: return "WRITE  ";
    case UcmEvent::kAccept: return "ACCEPT ";
    case UcmEvent::kConnect: return "CONNECT";
    case UcmEvent::kClose: return "CLOSE  ";
    default: return "UNKNOWN";
    }
}

} // namespace

CUcmManager::CUcmManager(IUcmPort& port) : m_port(port), m_drain(port)
{
}

CUcmManager::~CUcmManager()
{
    for (CUcmSocket*& bucket : m_buckets) {
        while (bucket != nullptr) {
            CUcmSocket* socket = bucket;
            bucket = socket->m_nextInBucket;
            delete socket;
        }
    }
    if (g_current == this)
        g_current = nullptr;
}

CUcmManager* CUcmManager::Install(CUcmManager* manager)
{
    CUcmManager* previous = g_current;
    g_current = manager;
    return previous;
}

CUcmManager* CUcmManager::Current()
{
    return g_current;
}

int32_t CUcmManager::Register(CUcmConnection* connection)
{
    if (++m_registerCalls % kCleanUpEvery == 0)
        CleanUp();
    if (!connection->HasSocket())
        return 1;
    const uint32_t bucket = BucketOf(connection->Socket());
    connection->m_nextInBucket = m_buckets[bucket];
    m_buckets[bucket] = connection;
    if (bucket >= m_used)
        m_used = bucket + 1;
    return 0;
}

CUcmConnection* CUcmManager::Find(UcmSocketHandle socket) const
{
    if (socket == kUcmNoSocket)
        return nullptr;
    for (CUcmSocket* node = m_buckets[BucketOf(socket)]; node != nullptr; node = node->m_nextInBucket) {
        if (node->Socket() == socket)
            return static_cast<CUcmConnection*>(node);
    }
    return nullptr;
}

CUcmConnection* CUcmManager::FindByLookup(uint64_t handle) const
{
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        for (CUcmSocket* node = m_buckets[bucket]; node != nullptr; node = node->m_nextInBucket) {
            CUcmConnection* connection = static_cast<CUcmConnection*>(node);
            if (connection->GetLookupHandle() == handle)
                return connection;
        }
    }
    return nullptr;
}

uint32_t CUcmManager::Count() const
{
    uint32_t count = 0;
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        for (CUcmSocket* node = m_buckets[bucket]; node != nullptr; node = node->m_nextInBucket)
            ++count;
    }
    return count;
}

void CUcmManager::CleanUp()
{
    if (m_walking != 0)
        return;
    uint32_t used = 0;
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        CUcmSocket** link = &m_buckets[bucket];
        while (*link != nullptr) {
            CUcmConnection* connection = static_cast<CUcmConnection*>(*link);
            if (connection->IsFinished()) {
                *link = connection->m_nextInBucket;
                delete connection;
            } else {
                link = &connection->m_nextInBucket;
            }
        }
        if (m_buckets[bucket] != nullptr)
            used = bucket + 1;
    }
    m_used = used;
}

template <typename Action> void CUcmManager::ForEach(Action action)
{
    ++m_walking;
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        for (CUcmSocket* node = m_buckets[bucket]; node != nullptr; node = node->m_nextInBucket)
            action(*static_cast<CUcmConnection*>(node));
    }
    --m_walking;
}

int32_t CUcmManager::Select(CUcmSocket& socket, uint32_t mask)
{
    if (!socket.HasSocket())
        return UcmCode::kNotPossible;
    if (m_port.Select(socket.Socket(), mask) != 0) {
        TvlTraces().ucmDebug.Trace("Winsock failed on WSAAsyncSelect()");
        return MapError(UcmCode::kNotPossible, 0);
    }
    socket.m_mask = mask;
    return 0;
}

int32_t CUcmManager::Lookup(const char* name, uint64_t& handle)
{
    TvlTraces().ucmDebug.Trace("Calling gethostbyname(%s)", name);
    if (m_port.StartLookup(name, handle) != 0) {
        const int32_t error = m_port.LastError();
        TvlTraces().ucmDebug.Trace("WSAAsyncGetHostByName failed (%d)", error);
        return MapError(UcmCode::kLookupNotNow, error);
    }
    TvlTraces().ucmDebug.Trace("WSAAsyncGetHostByName assigned handle %" PRIu64, handle);
    return 0;
}

void CUcmManager::CancelLookup(uint64_t handle)
{
    m_port.CancelLookup(handle);
}

void CUcmManager::PostStart(UcmSocketHandle socket)
{
    m_port.PostStart(socket);
}

void CUcmManager::RestartIfIdle()
{
    if (m_drain.Count() != 0)
        return;
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        for (CUcmSocket* node = m_buckets[bucket]; node != nullptr; node = node->m_nextInBucket) {
            if (node->HasSocket())
                return;
        }
    }
    m_port.RestartLibrary();
}

bool CUcmManager::IsSettled() const
{
    if (m_drain.Count() != 0)
        return false;
    for (uint32_t bucket = 0; bucket < m_used; ++bucket) {
        for (CUcmSocket* node = m_buckets[bucket]; node != nullptr; node = node->m_nextInBucket) {
            if (static_cast<CUcmConnection*>(node)->GetState() == CUcmConnection::kClosing)
                return false;
        }
    }
    return true;
}

int32_t CUcmManager::MapError(int32_t defaultCode, int32_t systemError)
{
    if (systemError == 0)
        systemError = m_port.LastError();
    m_lastSystemError = systemError;
    const int32_t code = UcmCodeFromError(defaultCode, systemError);
    TvlTraces().ucmDebug.Trace("sys error = %d, rc = %d", systemError, code);
    return code;
}

uint32_t CUcmManager::StuckTickLimit()
{
    if (m_stuckTickLimit == 0) {
        const int32_t count = CTvlDebugValue(TvlKey::UcmTimerCount, kTvlDefaultTimerCount).Value();
        m_stuckTickLimit = count == 0 ? 65535 : static_cast<uint32_t>(count);
    }
    return m_stuckTickLimit;
}

void CUcmManager::KeepAliveTimer()
{
    ForEach([](CUcmConnection& connection) { connection.KeepAliveTick(); });
    CleanUp();
}

void CUcmManager::SelectTimer()
{
    TvlTraces().ucmSelect.Trace("Asynch select timer");
    ForEach([](CUcmConnection& connection) { connection.SelectPoll(); });
}

void CUcmManager::DispatchEvent(UcmSocketHandle socket, uint32_t event, int32_t error)
{
    TvlTraces().ucmDebug.Trace("%s event on socket %d", EventName(event), SocketNumber(socket));
    CUcmConnection* connection = Find(socket);
    if (connection == nullptr && m_drain.Holds(socket)) {
        if (event == UcmEvent::kRead || event == UcmEvent::kClose)
            m_drain.OnEvent(socket);
        return;
    }
    if (connection == nullptr) {
        const char* kind = event == UcmEvent::kWrite ? "Write" : event == UcmEvent::kClose ? "Close" : "Read";
        TvlTraces().ucmDebug.Trace("%s event on non-existing socket %d", kind, SocketNumber(socket));
        return;
    }
    if (!connection->IsStarted())
        return;
    switch (event) {
    case UcmEvent::kRead:
    case UcmEvent::kAccept:
        connection->OnReadEvent();
        break;
    case UcmEvent::kWrite:
        connection->OnWriteEvent();
        break;
    case UcmEvent::kConnect:
        if (error != 0)
            connection->OnCloseEvent(MapError(UcmCode::kLost, error));
        break;
    case UcmEvent::kClose:
        connection->OnCloseEvent(MapError(UcmCode::kLost, error));
        break;
    default:
        break;
    }
}

void CUcmManager::DispatchStart(UcmSocketHandle socket)
{
    CUcmConnection* connection = Find(socket);
    if (connection == nullptr) {
        TvlTraces().ucmDebug.Trace("Start event on non-existing socket %d", SocketNumber(socket));
        return;
    }
    TvlTraces().ucmDebug.Trace("Start event on socket %d", SocketNumber(socket));
    connection->SetStarted();
}

void CUcmManager::DispatchLookup(uint64_t handle, int32_t error, const std::vector<uint32_t>& addresses)
{
    const int32_t code = error != 0 ? MapError(UcmCode::kLookupFailed, error) : 0;
    TvlTraces().ucmDebug.Trace("async gothostbyname(%" PRIu64 ") returned %" PRIx32 ",%d", handle,
                               static_cast<uint32_t>(error), code);
    CUcmConnection* connection = handle != 0 ? FindByLookup(handle) : nullptr;
    if (connection != nullptr)
        connection->OnLookupDone(code, addresses);
}
