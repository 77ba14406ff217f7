#include "CZrDdeConversation.h"

#include <dde.h>

#include "CZrDdeInstance.h"

CZrDdeConversation::CZrDdeConversation(CZrDdeInstance& instance, std::string topic,
                                       uint32_t clientId, HCONV handle)
    : m_instance(instance), m_handle(handle), m_topic(std::move(topic)), m_clientId(clientId)
{
}

CZrDdeConversation::~CZrDdeConversation()
{
    Disconnect();
}

bool CZrDdeConversation::Connect(const std::string& service)
{
    if (m_handle || m_instance.GetId() == 0)
        return false;
    HSZ serviceHandle = m_instance.MakeHandle(service);
    HSZ topicHandle = m_instance.MakeHandle(m_topic);
    m_handle = DdeConnect(m_instance.GetId(), serviceHandle, topicHandle, nullptr);
    m_instance.FreeHandle(serviceHandle);
    m_instance.FreeHandle(topicHandle);
    if (!m_handle) {
        m_instance.Trace("DDE: Failed to connect to %s|%s.", service.c_str(), m_topic.c_str());
        return false;
    }
    return true;
}

void CZrDdeConversation::Disconnect()
{
    if (m_handle)
        DdeDisconnect(m_handle);
    m_handle = nullptr;
}

void CZrDdeConversation::DispatchLateReplies() const
{
    CONVINFO info{};
    info.cb = sizeof info;
    if (!DdeQueryConvInfo(m_handle, QID_SYNC, &info) || !info.hwnd)
        return;
    MSG msg;
    while (PeekMessageA(&msg, info.hwnd, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE))
        DispatchMessageA(&msg);
}

bool CZrDdeConversation::IsConnected() const
{
    if (!m_handle)
        return false;
    DispatchLateReplies();
    CONVINFO info{};
    info.cb = sizeof info;
    return DdeQueryConvInfo(m_handle, QID_SYNC, &info) && (info.wStatus & ST_CONNECTED);
}

HDDEDATA CZrDdeConversation::Transact(const std::string& item, UINT format, UINT type,
                                      const uint8_t* data, DWORD size, DWORD* status)
{
    if (!m_handle)
        return nullptr;
    DispatchLateReplies();
    HSZ itemHandle = item.empty() ? nullptr : m_instance.MakeHandle(item);
    DWORD result = 0;
    HDDEDATA answer = DdeClientTransaction(const_cast<LPBYTE>(data), size, m_handle, itemHandle,
                                           format, type, kTimeoutMs, &result);
    m_instance.FreeHandle(itemHandle);
    if (status)
        *status = result;
    return answer;
}

bool CZrDdeConversation::TransactAcknowledged(const std::string& item, UINT format, UINT type,
                                              const uint8_t* data, DWORD size)
{
    // Some DDE implementations complete a refused poke or execute and give
    // the refusal only in the status word.
    DWORD status = 0;
    return Transact(item, format, type, data, size, &status) && (status & DDE_FACK) != 0;
}

bool CZrDdeConversation::Request(const std::string& item, std::vector<uint8_t>& data)
{
    data.clear();
    m_instance.Trace("DDE: Request: %s", item.c_str());
    HDDEDATA answer = Transact(item, CF_TEXT, XTYP_REQUEST, nullptr, 0);
    const DWORD size = answer ? DdeGetData(answer, nullptr, 0, 0) : 0;
    const bool taken = answer && size <= kMaxDataSize;
    if (taken) {
        data.resize(size);
        if (size != 0)
            DdeGetData(answer, data.data(), size, 0);
    }
    if (answer)
        DdeFreeDataHandle(answer);
    if (!taken)
        m_instance.Trace("DDE: Request: %s failed", item.c_str());
    return taken;
}

bool CZrDdeConversation::AdviseStart(const std::string& item)
{
    return Transact(item, CF_TEXT, XTYP_ADVSTART, nullptr, 0) != nullptr;
}

bool CZrDdeConversation::Poke(UINT format, const std::string& item, const uint8_t* data,
                              uint32_t size)
{
    static const uint8_t kNoData = 0;
    return TransactAcknowledged(item, format, XTYP_POKE, data ? data : &kNoData, size);
}

bool CZrDdeConversation::Execute(const std::string& command)
{
    const uint8_t* text = reinterpret_cast<const uint8_t*>(command.c_str());
    return TransactAcknowledged(std::string(), CF_TEXT, XTYP_EXECUTE, text,
                                static_cast<DWORD>(command.size() + 1));
}
